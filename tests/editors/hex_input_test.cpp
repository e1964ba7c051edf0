// The hexadecimal key filter and the reading of hexadecimal text.
#include <gtest/gtest.h>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "dialog_fixture.h"
#include "shell/hex_input.h"

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

struct ValueCase {
  const char* text;
  uint32_t value;
};
void PrintTo(const ValueCase& c, std::ostream* os) {
  *os << '"' << c.text << '"';
}
class HexValueCases : public testing::TestWithParam<ValueCase> {};
TEST_P(HexValueCases, ReadsLeadingDigits) {
  EXPECT_EQ(HexValue(QString::fromLatin1(GetParam().text)), GetParam().value);
}
INSTANTIATE_TEST_SUITE_P(Texts, HexValueCases,
                         testing::Values(ValueCase{"FFFF", 0xFFFF}, ValueCase{"", 0},
                                         ValueCase{"12", 0x12}, ValueCase{"ab", 0xAB},
                                         ValueCase{"1G3", 0x1}, ValueCase{"G1", 0},
                                         ValueCase{" 1", 0}, ValueCase{"123456789", 0x12345678}));

class KeyFilter : public testing::Test {
 protected:
  QLineEdit box;
  void SetUp() override {
    box.setMaxLength(4);
    InstallHexKeyFilter(&box);
    box.show();
  }
};

struct TypeCase {
  const char* before;
  const char* typed;
  const char* after;
};
void PrintTo(const TypeCase& c, std::ostream* os) {
  *os << "typed " << testing::PrintToString(std::string(c.typed));
}
class KeyFilterTyping : public KeyFilter, public testing::WithParamInterface<TypeCase> {};
TEST_P(KeyFilterTyping, LetsOnlyHexDigitsIn) {
  box.setText(QString::fromLatin1(GetParam().before));
  QTest::keyClicks(&box, QString::fromLatin1(GetParam().typed));
  EXPECT_EQ(box.text().toStdString(), GetParam().after);
}
INSTANTIATE_TEST_SUITE_P(Keys, KeyFilterTyping,
                         testing::Values(TypeCase{"", "a", "A"}, TypeCase{"", "f", "F"},
                                         TypeCase{"", "G", ""}, TypeCase{"", " ", ""},
                                         TypeCase{"", "9:@A", "9A"}, TypeCase{"", "xyz-+.", ""},
                                         TypeCase{"", "0123456789abcdef", "0123"},
                                         TypeCase{"12", "\r\t", "12"}));

TEST_F(KeyFilter, EditingKeysKeepTheirMeaning) {
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
  EXPECT_EQ(box.text(), "CB");
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

TEST_F(KeyFilter, ATypedDigitReplacesTheSelection) {
  box.setText("FFFF");
  box.selectAll();
  QTest::keyClicks(&box, "e");
  EXPECT_EQ(box.text(), "E");
}

TEST_F(KeyFilter, ShortcutsKeepTheirMeaningAndTypeNothing) {
  box.setText("12");
  QTest::keyClick(&box, Qt::Key_B, Qt::ControlModifier);
  QTest::keyClick(&box, Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(box.text(), "12") << "no letter reaches the box through Ctrl or Alt";
  QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);  // select all
  QTest::keyClicks(&box, "3");
  EXPECT_EQ(box.text(), "3");
}

}  // namespace
}  // namespace krv
