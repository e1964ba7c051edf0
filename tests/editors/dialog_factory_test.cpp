// Every dialog name gives a dialog placed in the client area; the dialogs not built yet say
// so and have no controls.
#include <gtest/gtest.h>
#include <QFontDatabase>
#include <QFontInfo>

#include "core/helpers.h"
#include "core/session.h"
#include "dialog_fixture.h"
#include "editors/dialog_base.h"

namespace krv {
namespace {

constexpr DialogId kAll[] = {DialogId::frm10F20X,  DialogId::frm10F22X,  DialogId::frm12F50X,
                             DialogId::frm12F510,  DialogId::frm12F629,  DialogId::frm12F635,
                             DialogId::frm16C745,  DialogId::frm16F54,   DialogId::frm16f505,
                             DialogId::frm16F627A, DialogId::frm16F7X7,  DialogId::frm16F876,
                             DialogId::frm16F88X,  DialogId::frm18FXX2,  DialogId::frm18F2450,
                             DialogId::frm18FXX31, DialogId::frm18F6X9X, DialogId::frm18F2221,
                             DialogId::frm18F1X30, DialogId::frm18FX220, DialogId::frm30F};

class Factory : public testing::TestWithParam<DialogId>, public test::DialogFixture {};

TEST_P(Factory, NamedAndPlacedInTheClientAreaAndPlaceholdersSaySo) {
  SelectDevice(s, "PIC16F84A");
  area->resize(731, 517);
  Make(GetParam());
  EXPECT_EQ(widget->objectName().toStdString(), DialogName(GetParam()));
  EXPECT_EQ(dialog->Id(), GetParam());
  EXPECT_EQ(widget->parentWidget(), area.get());
  EXPECT_EQ(widget->geometry(), QRect(0, 0, 731, 517));
  if (GetParam() == DialogId::frm16F54 || GetParam() == DialogId::frm30F ||
      GetParam() == DialogId::frm18FXX2)
    return;
  // A dialog not built yet has no controls and only refreshes the checksum display.
  const auto labels = widget->findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels.front()->text().toStdString(), Text(s, TextId::CfgEditorMissing));
  for (int c = 0; c <= static_cast<int>(DialogControl::txtUserID4); ++c) {
    EXPECT_EQ(dialog->Value(DialogControl(c)), std::nullopt);
    EXPECT_EQ(dialog->ControlText(DialogControl(c)), std::nullopt);
    EXPECT_FALSE(dialog->SetValue(DialogControl(c), 1));
  }
  s.cfg.ConfigWord = 0x1234;
  s.cfg.Config[1] = 0x5678;
  s.cfg.UserID[0] = 0x05;
  ts.window.csum.clear();
  dialog->ShowConfig();
  EXPECT_FALSE(ts.window.csum.empty());
  EXPECT_EQ(s.cfg.ConfigWord, 0x1234);
  EXPECT_EQ(s.cfg.Config[1], 0x5678);
  EXPECT_EQ(s.cfg.UserID[0], 0x05);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, Factory, testing::ValuesIn(kAll),
                         [](const auto& info) { return std::string(DialogName(info.param)); });

TEST(FixedFont, HasTheSizeOfTheFixedPitchFontBesideTheDialogs) {
  // The hexadecimal views beside a dialog use the system's fixed-pitch font.
  const QFontInfo system(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const QFontInfo fixed(FixedFont());
  EXPECT_EQ(fixed.pixelSize(), system.pixelSize());
}

}  // namespace
}  // namespace krv
