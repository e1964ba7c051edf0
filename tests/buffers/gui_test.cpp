// The hex view and the fill dialog under the offscreen platform.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "buffers/fill_dialog.h"
#include "buffers/hex_view.h"
#include "devices/catalogue.h"
#include "support/files.h"
#include "support/qt_environment.h"
#include "support/test_session.h"

namespace krv::test {
namespace {

// The largest device's view scrolls over all its lines, down to the last page.
TEST(HexViewTest, ScrollRangeFollowsTheLineCountOfTheSelectedDevice) {
  TestSession t("PIC30F6014A");
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

// The view paints the line partly shown at its bottom, and nothing below the buffer's last
// line: the band above the baseline of each line place has text in it exactly when a line
// of the buffer stands there. Places and sizes follow the view's own font.
TEST(HexViewTest, PaintsThePartlyShownLineAndNothingPastTheLastLine) {
  TestSession t("PIC16F84A");
  HexView v(t.s, MemoryArea::Data);  // four lines
  v.show();
  const int h = v.fontMetrics().lineSpacing(), ascent = v.fontMetrics().ascent();
  const QRgb base = v.viewport()->palette().color(QPalette::Base).rgb();
  for (const int whole : {2, 5}) {  // lines shown whole, then part of one more
    v.resize(v.sizeHint().width(), v.height() - v.viewport()->height() + whole * h + ascent);
    ASSERT_EQ(v.VisibleLines(), whole);
    const QImage shown = v.viewport()->grab().toImage();
    for (int place = 0; place <= whole; ++place) {
      bool text = false;
      for (int y = place * h; y < place * h + ascent; ++y)
        for (int x = 0; x < shown.width(); ++x) text = text || shown.pixel(x, y) != base;
      EXPECT_EQ(text, place < 4) << whole << " whole lines, line place " << place;
    }
  }
}

QRadioButton* Memory(FillDialog& d, int i) {
  return d.findChild<QRadioButton*>(QString("optMemory(%1)").arg(i));
}
QLineEdit* Box(FillDialog& d, const char* name) {
  return d.findChild<QLineEdit*>(name);
}

// Rows of fill_dialogs.txt: the memories offered and the range proposed for each.
TEST(FillDialogTest, MemoriesOfTheDeviceAndTheProposedRange) {
  for (const auto& row : ReadTable("fill_dialogs.txt")) {
    TestSession t(row[0]);
    FillDialog d(t.s);
    if (!row[1].empty()) Memory(d, std::stoi(row[1]))->click();
    QString shown = d.windowTitle() + " ";
    for (QRadioButton* m : {Memory(d, 0), Memory(d, 1), Memory(d, 2)})
      shown += m->isHidden() ? "-" : m->isChecked() ? "x" : m->isEnabled() ? "o" : ".";
    for (const char* box : {"txtFirst", "txtLast", "txtValue"}) shown += " " + Box(d, box)->text();
    EXPECT_EQ(shown, row[2].c_str()) << row[0] << row[1];
  }
}

TEST(FillDialogTest, BadInputKeepsTheDialogOpenAndChangesNothing) {
  TestSession t("PIC16F84A");
  const ByteBuffer before = t.s.buf.CodeBuffer;
  FillDialog d(t.s);
  Box(d, "txtLast")->clear();
  // The hexadecimal key filter drops what is no digit.
  QTest::keyClicks(Box(d, "txtLast"), "4g0-0");
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
}

}  // namespace
}  // namespace krv::test
