// The hex view and the fill dialog under the offscreen platform.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "buffers/fill_dialog.h"
#include "buffers/hex_view.h"
#include "support/qt_environment.h"
#include "test_devices.h"

namespace krv::test {
namespace {

// The largest device's view scrolls over all its lines but paints only those shown.
TEST(HexViewTest, ScrollRangeFollowsTheLineCountOfTheSelectedDevice) {
  TestSession t;
  SelectTestDevice(t, "PIC30F6014A");
  HexView v(t.s, MemoryArea::Code);
  v.resize(300, 200);
  v.show();
  v.Rebuild();
  const int shown = v.VisibleLines();
  ASSERT_GT(shown, 1);
  EXPECT_EQ(v.verticalScrollBar()->maximum(), 6144 - shown);
  EXPECT_GT(v.horizontalScrollBar()->maximum(), 0);  // a line is wider than 300 pixels
  v.verticalScrollBar()->setValue(v.verticalScrollBar()->maximum());
  EXPECT_EQ(v.FirstVisibleLine(), 6144 - shown);
  EXPECT_FALSE(v.grab().isNull());  // paints the last page

  SelectTestDevice(t, "PIC16F84A");
  v.Rebuild();
  EXPECT_EQ(v.verticalScrollBar()->maximum(), std::max(0, 128 - shown));
  HexView exec(t.s, MemoryArea::Exec);  // the device has none
  exec.resize(300, 200);
  exec.show();
  EXPECT_EQ(exec.verticalScrollBar()->maximum(), 0);
  EXPECT_FALSE(exec.grab().isNull());
}

class FillDialogTest : public ::testing::Test {
 protected:
  QRadioButton* Memory(FillDialog& d, int i) {
    return d.findChild<QRadioButton*>(QString("optMemory(%1)").arg(i));
  }
  QString Text(FillDialog& d, const char* box) { return d.findChild<QLineEdit*>(box)->text(); }
  TestSession t;
};

TEST_F(FillDialogTest, MemoriesOfTheDeviceAndTheProposedRange) {
  SelectTestDevice(t, "PIC16F84A");
  {
    FillDialog d(t.s);
    EXPECT_EQ(d.windowTitle(), "Fill buffer");
    EXPECT_TRUE(Memory(d, 0)->isChecked());
    EXPECT_TRUE(Memory(d, 2)->isHidden());
    EXPECT_EQ(Text(d, "txtFirst") + Text(d, "txtLast") + Text(d, "txtValue"), "000003FF3FFF");
    Memory(d, 1)->click();
    EXPECT_EQ(Text(d, "txtLast") + Text(d, "txtValue"), "003FFF");
  }
  SelectTestDevice(t, "PIC12F508");
  {
    FillDialog d(t.s);
    EXPECT_FALSE(Memory(d, 1)->isEnabled());  // no EEPROM
  }
  SelectTestDevice(t, "PIC30F4013");
  FillDialog d(t.s);
  Memory(d, 2)->click();
  EXPECT_EQ(Text(d, "txtFirst") + Text(d, "txtLast") + Text(d, "txtValue"), "8000008005BEFFFFFF");
}

TEST_F(FillDialogTest, BadInputKeepsTheDialogOpenAndChangesNothing) {
  SelectTestDevice(t, "PIC16F84A");
  const ByteBuffer before = t.s.buf.CodeBuffer;
  FillDialog d(t.s);
  auto* last = d.findChild<QLineEdit*>("txtLast");
  last->clear();
  QTest::keyClicks(last, "4g0-0");  // the hexadecimal key filter drops what is no digit
  EXPECT_EQ(last->text(), "400");
  d.accept();
  EXPECT_NE(d.result(), QDialog::Accepted);
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].style, 48);
  EXPECT_EQ(t.window.boxes[0].text, "The addresses must lie within 0x0000 - 0x03FF.");
  EXPECT_EQ(t.s.buf.CodeBuffer, before);

  last->setText("1");
  d.findChild<QLineEdit*>("txtValue")->setText("0");
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(t.s.buf.CodeBuffer.Get(0), 0);
  EXPECT_EQ(t.s.buf.CodeBuffer.Get(3), 0);
  EXPECT_EQ(t.s.buf.CodeBuffer.Get(4), 0xFF);
  EXPECT_EQ(t.window.showWindows, 2);  // the selection's and the fill's
}

}  // namespace
}  // namespace krv::test
