// The hex view and the fill dialog under the offscreen platform.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "buffers/fill_dialog.h"
#include "buffers/hex_view.h"
#include "devices/catalogue.h"
#include "support/qt_environment.h"
#include "support/test_session.h"

namespace krv::test {
namespace {

// The largest device's view scrolls over all its lines, down to the last page.
TEST(HexViewTest, ScrollRangeFollowsTheLineCountOfTheSelectedDevice) {
  TestSession t;
  SelectDevice(t.s, "PIC30F6014A");
  HexView v(t.s, MemoryArea::Code);
  v.resize(300, 200);
  v.show();
  const int shown = v.VisibleLines();
  ASSERT_GT(shown, 1);
  EXPECT_EQ(v.verticalScrollBar()->maximum(), 6144 - shown);
  EXPECT_GT(v.horizontalScrollBar()->maximum(), 0);  // a line is wider than 300 pixels
  v.verticalScrollBar()->setValue(v.verticalScrollBar()->maximum());
  EXPECT_EQ(v.FirstVisibleLine(), 6144 - shown);
  SelectDevice(t.s, "PIC16F84A");
  v.Rebuild();
  EXPECT_EQ(v.verticalScrollBar()->maximum(), std::max(0, 128 - shown));
}

QRadioButton* Memory(FillDialog& d, int i) {
  return d.findChild<QRadioButton*>(QString("optMemory(%1)").arg(i));
}
QLineEdit* Box(FillDialog& d, const char* name) {
  return d.findChild<QLineEdit*>(name);
}
QString Range(FillDialog& d) {
  return Box(d, "txtFirst")->text() + " " + Box(d, "txtLast")->text() + " " +
         Box(d, "txtValue")->text();
}

TEST(FillDialogTest, MemoriesOfTheDeviceAndTheProposedRange) {
  TestSession t;
  SelectDevice(t.s, "PIC16F84A");
  FillDialog d(t.s);
  EXPECT_EQ(d.windowTitle(), "Fill buffer");
  EXPECT_TRUE(Memory(d, 0)->isChecked());
  EXPECT_TRUE(Memory(d, 2)->isHidden());
  EXPECT_EQ(Range(d), "0000 03FF 3FFF");
  Memory(d, 1)->click();
  EXPECT_EQ(Range(d), "0000 003F FF");
  SelectDevice(t.s, "PIC12F508");
  EXPECT_FALSE(Memory(*std::make_unique<FillDialog>(t.s), 1)->isEnabled());  // no EEPROM
  SelectDevice(t.s, "PIC30F4013");
  FillDialog ds(t.s);
  Memory(ds, 2)->click();
  EXPECT_EQ(Range(ds), "800000 8005BE FFFFFF");
}

TEST(FillDialogTest, BadInputKeepsTheDialogOpenAndChangesNothing) {
  TestSession t;
  SelectDevice(t.s, "PIC16F84A");
  const ByteBuffer before = t.s.buf.CodeBuffer;
  FillDialog d(t.s);
  Box(d, "txtLast")->clear();
  QTest::keyClicks(Box(d, "txtLast"),
                   "4g0-0");  // the hexadecimal key filter drops what is no digit
  EXPECT_EQ(Box(d, "txtLast")->text(), "400");
  d.accept();
  EXPECT_NE(d.result(), QDialog::Accepted);
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].style, 48);
  EXPECT_EQ(t.window.boxes[0].text, "The addresses must lie within 0x0000 - 0x03FF.");
  EXPECT_EQ(t.s.buf.CodeBuffer, before);
  Box(d, "txtLast")->setText("1");
  Box(d, "txtValue")->setText("0");
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(t.s.buf.CodeBuffer.Sum(0, 5), 0xFFu);  // words 0 and 1 are 0, word 2 as before
  EXPECT_EQ(t.window.showWindows, 2);              // the selection's and the fill's
}

}  // namespace
}  // namespace krv::test
