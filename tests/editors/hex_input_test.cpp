// The hexadecimal key filter and the reading of hexadecimal text.
#include <gtest/gtest.h>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "dialog_fixture.h"
#include "widgets/hex_input.h"

namespace krv {
namespace {

// The rule of the key filter in key codes: upper-case the character; drop codes above 70
// ("F") and below 48 ("0") but 8 (Backspace), and the codes 58 to 64.
bool KeptByCode(int code) {
  if (code >= 'a' && code <= 'z') code -= 32;
  if (code == 8) return true;
  if (code > 70 || code < 48) return false;
  return code < 58 || code > 64;
}

TEST(HexKey, KeepsExactlyTheHexadecimalDigitsUpperCased) {
  for (int code = 1; code < 256; ++code) {
    if (code == 8) continue;  // Backspace is not a character the filter inserts
    const auto kept = HexKey(QChar(code));
    ASSERT_EQ(kept.has_value(), KeptByCode(code)) << code;
    if (kept) {
      EXPECT_EQ(*kept, QChar(code).toUpper()) << code;
    }
  }
}

TEST(HexValue, ReadsTheLeadingDigits) {
  const std::pair<const char*, uint32_t> cases[] = {
      {"FFFF", 0xFFFF}, {"", 0},   {"12", 0x12}, {"ab", 0xAB},
      {"1G3", 0x1},     {"G1", 0}, {" 1", 0},    {"123456789", 0x12345678}};
  for (const auto& [text, value] : cases)
    EXPECT_EQ(HexValue(QString::fromLatin1(text)), value) << text;
}

class KeyFilter : public testing::Test {
 protected:
  QLineEdit box;
  void SetUp() override {
    box.setMaxLength(4);
    InstallHexKeyFilter(&box);
    box.show();
  }
  std::string Typed(const char* before, const char* keys) {
    box.setText(QString::fromLatin1(before));
    QTest::keyClicks(&box, QString::fromLatin1(keys));
    return box.text().toStdString();
  }
};

TEST_F(KeyFilter, LetsOnlyHexDigitsInUpToTheBoxesLength) {
  EXPECT_EQ(Typed("", "9:@a"), "9A");
  EXPECT_EQ(Typed("", "xyz-+. G"), "");
  EXPECT_EQ(Typed("", "0123456789abcdef"), "0123");
  EXPECT_EQ(Typed("12", "\r\t"), "12");
}

TEST_F(KeyFilter, EditingKeysAndShortcutsKeepTheirMeaning) {
  box.setText("ABC");
  QTest::keyClick(&box, Qt::Key_Backspace);
  EXPECT_EQ(box.text(), "AB");
  QTest::keyClick(&box, Qt::Key_Left);
  QTest::keyClicks(&box, "c");
  EXPECT_EQ(box.text(), "ACB");
  QTest::keyClick(&box, Qt::Key_Home);
  QTest::keyClick(&box, Qt::Key_Delete);
  EXPECT_EQ(box.text(), "CB");
  QTest::keyClick(&box, Qt::Key_Enter);
  QTest::keyClick(&box, Qt::Key_Escape);
  QTest::keyClick(&box, Qt::Key_B, Qt::ControlModifier);
  QTest::keyClick(&box, Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(box.text(), "CB") << "no letter reaches the box through Ctrl or Alt";
  QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);  // select all
  QTest::keyClicks(&box, "e");
  EXPECT_EQ(box.text(), "E") << "a typed digit replaces the selection";
}

TEST(KeyFilterInADialog, EscapeStillCancelsTheDialog) {
  QDialog dialog;
  auto* box = new QLineEdit(&dialog);
  (new QVBoxLayout(&dialog))->addWidget(box);
  InstallHexKeyFilter(box);
  box->setText("12");
  dialog.show();
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(box->text(), "12");
}

}  // namespace
}  // namespace krv
