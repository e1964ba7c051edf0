// Every dialog name gives a dialog placed in the client area; the dialogs not built yet say
// so and have no controls.
#include <gtest/gtest.h>
#include <QFontDatabase>
#include <QFontInfo>

#include "dialog_fixture.h"
#include "editors/dialog_base.h"
#include "shell/helpers.h"
#include "shell/session.h"

namespace krv {
namespace {

constexpr DialogId kAll[] = {DialogId::frm10F20X,  DialogId::frm10F22X,  DialogId::frm12F50X,
                             DialogId::frm12F510,  DialogId::frm12F629,  DialogId::frm12F635,
                             DialogId::frm16C745,  DialogId::frm16F54,   DialogId::frm16f505,
                             DialogId::frm16F627A, DialogId::frm16F7X7,  DialogId::frm16F876,
                             DialogId::frm16F88X,  DialogId::frm18FXX2,  DialogId::frm18F2450,
                             DialogId::frm18FXX31, DialogId::frm18F6X9X, DialogId::frm18F2221,
                             DialogId::frm18F1X30, DialogId::frm18FX220, DialogId::frm30F};

constexpr DialogControl kControls[] = {DialogControl::cheOscCal,     DialogControl::txtOscCal,
                                       DialogControl::cheBackOscCal, DialogControl::txtBackOscCal,
                                       DialogControl::cheUpdateCal,  DialogControl::txtUserID,
                                       DialogControl::txtUserID1,    DialogControl::txtUserID2,
                                       DialogControl::txtUserID3,    DialogControl::txtUserID4};

std::vector<DialogId> NotBuiltYet() {
  std::vector<DialogId> ids;
  for (DialogId id : kAll)
    if (id != DialogId::frm16F54 && id != DialogId::frm30F && id != DialogId::frm18FXX2)
      ids.push_back(id);
  return ids;
}

std::string Name(const testing::TestParamInfo<DialogId>& info) {
  return std::string(DialogName(info.param));
}

class Factory : public testing::TestWithParam<DialogId>, public test::DialogFixture {};
class Placeholder : public Factory {};

TEST_P(Factory, NamedAndPlacedInTheClientArea) {
  SelectDevice(s, "PIC16F84A");
  area->resize(731, 517);
  Make(GetParam());
  const std::string_view name = DialogName(GetParam());
  EXPECT_EQ(widget->objectName().toStdString(), name);
  EXPECT_EQ(dialog->Id(), GetParam());
  EXPECT_EQ(widget->parentWidget(), area.get());
  EXPECT_EQ(widget->geometry(), QRect(0, 0, 731, 517));
}

TEST_P(Placeholder, SaysSoHasNoControlsAndOnlyRefreshesTheChecksum) {
  SelectDevice(s, "PIC16F84A");
  Make(GetParam());
  const auto labels = widget->findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels.front()->text().toStdString(), Text(s, TextId::CfgEditorMissing));
  for (DialogControl c : kControls) {
    EXPECT_EQ(dialog->Value(c), std::nullopt);
    EXPECT_EQ(dialog->ControlText(c), std::nullopt);
    EXPECT_FALSE(dialog->SetValue(c, 1));
  }
  s.cfg.ConfigWord = 0x1234;
  s.cfg.Config[1] = 0x5678;
  s.cfg.UserID[0] = 0x05;
  ts.window.csum.clear();
  dialog->ShowConfig();
  EXPECT_FALSE(ts.window.csum.empty()) << "the checksum display is refreshed";
  EXPECT_EQ(s.cfg.ConfigWord, 0x1234);
  EXPECT_EQ(s.cfg.Config[1], 0x5678);
  EXPECT_EQ(s.cfg.UserID[0], 0x05);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, Factory, testing::ValuesIn(kAll), Name);
INSTANTIATE_TEST_SUITE_P(Dialogs, Placeholder, testing::ValuesIn(NotBuiltYet()), Name);

TEST(ControlNames, AreTheOriginalNames) {
  const char* names[] = {"cheOscCal",    "txtOscCal", "cheBackOscCal", "txtBackOscCal",
                         "cheUpdateCal", "txtUserID", "txtUserID1",    "txtUserID2",
                         "txtUserID3",   "txtUserID4"};
  for (size_t i = 0; i < std::size(kControls); ++i)
    EXPECT_EQ(ControlName(kControls[i]).toStdString(), names[i]);
}

TEST(FixedFont, HasTheSizeOfTheFixedPitchFontBesideTheDialogs) {
  // The hexadecimal views beside a dialog use the system's fixed-pitch font.
  const QFontInfo system(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const QFontInfo fixed(FixedFont());
  EXPECT_EQ(fixed.pixelSize(), system.pixelSize());
}

TEST(FactoryText, EnglishDefault) {
  test::TestSession ts;
  EXPECT_EQ(Text(ts.s, TextId::CfgEditorMissing),
            "The configuration editor for this device family is not available yet.");
}

}  // namespace
}  // namespace krv
