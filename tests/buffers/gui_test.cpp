// The hex view and the fill dialog under the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include "buffers/fill_dialog.h"
#include "buffers/hex_view.h"
#include "support/qt_environment.h"
#include "test_devices.h"

namespace krv::test {
namespace {

template <class T>
T* Child(QWidget& w, const char* name) {
  T* c = w.findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

void Type(QLineEdit* edit, const QString& keys) {
  for (const QChar c : keys) {
    const int key =
        c == QLatin1Char('\b') ? static_cast<int>(Qt::Key_Backspace) : c.toUpper().unicode();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &press);
  }
}

// ---- HexView ----

TEST(HexViewTest, ScrollRangeFollowsTheLineCountOfTheSelectedDevice) {
  TestSession t;
  SelectTestDevice(t, "PIC30F6014A");
  HexView v(t.s, DumpArea::Code);
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
  HexView data(t.s, DumpArea::Data);
  data.resize(800, 400);
  data.show();
  EXPECT_EQ(data.verticalScrollBar()->maximum(), 0);  // four lines fit
  EXPECT_EQ(data.horizontalScrollBar()->maximum(), 0);
  HexView exec(t.s, DumpArea::Exec);
  exec.resize(300, 200);
  exec.show();
  EXPECT_EQ(exec.verticalScrollBar()->maximum(), 0);
  EXPECT_FALSE(exec.grab().isNull());
}

// ---- Fill dialog ----

TEST(FillDialogTest, MemoriesOfTheDeviceAndTheProposedRange) {
  TestSession t;
  SelectTestDevice(t, "PIC16F84A");
  {
    FillDialog d(t.s);
    EXPECT_EQ(d.windowTitle(), "Fill buffer");
    EXPECT_TRUE(Child<QRadioButton>(d, "optMemory(0)")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(d, "optMemory(2)")->isHidden());
    EXPECT_EQ(Child<QLineEdit>(d, "txtFirst")->text(), "0000");
    EXPECT_EQ(Child<QLineEdit>(d, "txtLast")->text(), "03FF");
    EXPECT_EQ(Child<QLineEdit>(d, "txtValue")->text(), "3FFF");
    Child<QRadioButton>(d, "optMemory(1)")->click();
    EXPECT_EQ(Child<QLineEdit>(d, "txtLast")->text(), "003F");
    EXPECT_EQ(Child<QLineEdit>(d, "txtValue")->text(), "FF");
  }
  SelectTestDevice(t, "PIC12F508");
  {
    FillDialog d(t.s);
    EXPECT_FALSE(Child<QRadioButton>(d, "optMemory(1)")->isEnabled());  // no EEPROM
  }
  SelectTestDevice(t, "PIC30F4013");
  {
    FillDialog d(t.s);
    EXPECT_FALSE(Child<QRadioButton>(d, "optMemory(2)")->isHidden());
    Child<QRadioButton>(d, "optMemory(2)")->click();
    EXPECT_EQ(Child<QLineEdit>(d, "txtFirst")->text(), "800000");
    EXPECT_EQ(Child<QLineEdit>(d, "txtLast")->text(), "8005BE");
    EXPECT_EQ(Child<QLineEdit>(d, "txtValue")->text(), "FFFFFF");
  }
}

TEST(FillDialogTest, HexadecimalBoxesTakeOnlyDigitsAToFUpperCasedAndBackspace) {
  TestSession t;
  SelectTestDevice(t, "PIC16F84A");
  FillDialog d(t.s);
  QLineEdit* value = Child<QLineEdit>(d, "txtValue");
  value->clear();
  Type(value, "1a-g F,x\b9");
  EXPECT_EQ(value->text(), "1A9");
  Type(value, "bcdef0");
  EXPECT_EQ(value->text(), "1A9BCD");  // at most six digits
}

TEST(FillDialogTest, BadInputKeepsTheDialogOpenAndChangesNothing) {
  TestSession t;
  SelectTestDevice(t, "PIC16F84A");
  const ByteBuffer before = t.s.buf.CodeBuffer;
  FillDialog d(t.s);
  Child<QLineEdit>(d, "txtLast")->setText("400");
  d.accept();
  EXPECT_NE(d.result(), QDialog::Accepted);
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].style, 48);
  EXPECT_EQ(t.window.boxes[0].text, "The addresses must lie within 0x0000 - 0x03FF.");
  EXPECT_EQ(t.s.buf.CodeBuffer, before);

  Child<QLineEdit>(d, "txtLast")->setText("1");
  Child<QLineEdit>(d, "txtValue")->setText("0");
  const int views = t.window.showWindows;
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(t.s.buf.CodeBuffer.Get(0), 0);
  EXPECT_EQ(t.s.buf.CodeBuffer.Get(3), 0);
  EXPECT_EQ(t.s.buf.CodeBuffer.Get(4), 0xFF);
  EXPECT_EQ(t.window.showWindows, views + 1);
}

}  // namespace
}  // namespace krv::test
