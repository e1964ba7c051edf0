// The parts that the 12/14-bit dialogs share: the user-ID box, the OscCal frames and the
// typed access to the controls that the erase and write procedures read.
#include <gtest/gtest.h>
#include <QGroupBox>

#include "core/session.h"
#include "dialog_fixture.h"
#include "editors/pic10_16/word_dialog.h"

namespace krv {
namespace {

// A dialog with every shared control of the common design and nothing of its own.
class SharedPartsDialog final : public WordDialog {
 public:
  SharedPartsDialog(Session& s, QWidget* parent) : WordDialog(DialogId::frm10F20X, s, parent) {
    AddConfigFrame();
    AddUserIdFrame();
    AddOscCalFrames(true);
  }
  void ShowConfig() override {
    ShowCfgAddress();
    ShowConfigWord();
    ShowOscCal();
    ShowUserID();
  }
};

class SharedParts : public testing::Test, public test::DialogFixture {
 protected:
  void SetUp() override {
    SelectDevice(s, "PIC16F84A");
    area->resize(800, 500);
    auto* d = new SharedPartsDialog(s, area.get());
    widget = d;
    dialog = d;
    area->show();
  }
};

TEST(UserIdLowBytes, OneDigitPerIdWord) {
  using Bytes = std::array<uint8_t, 4>;
  EXPECT_EQ(UserIdLowBytes(u"A"), (Bytes{0xFA, 0x0F, 0x0F, 0x0F}));
  EXPECT_EQ(UserIdLowBytes(u""), (Bytes{0x0F, 0x0F, 0x0F, 0x0F}));
  EXPECT_EQ(UserIdLowBytes(u"0123"), (Bytes{0xF0, 0xF1, 0xF2, 0xF3}));
  // Text pasted past the key filter: a character that is no digit counts as missing.
  EXPECT_EQ(UserIdLowBytes(u"G1 b"), (Bytes{0x0F, 0xF1, 0x0F, 0xFB}));
}

TEST_F(SharedParts, DesignStateFillingTheClientArea) {
  EXPECT_EQ(widget->geometry(), area->rect());
  EXPECT_EQ(widget->objectName(), "frm10F20X");
  EXPECT_EQ(LabelText("lblConfig"), "????");
  EXPECT_EQ(EditText("txtUserID"), "FFFF");
  const std::pair<const char*, const char*> frames[] = {{"fraCfg", "Config. Word On/Off"},
                                                        {"fraUSERID", "User ID's"},
                                                        {"Frame2", "OSCCAL"},
                                                        {"Frame4", "Backup OSCCAL"}};
  for (const auto& [name, title] : frames) EXPECT_EQ(Find<QGroupBox>(name)->title(), title);
  for (const char* box : {"txtOscCal", "txtBackOscCal"}) {
    EXPECT_EQ(EditText(box), "????");
    EXPECT_FALSE(Edit(box)->isEnabled());
    EXPECT_EQ(Edit(box)->maxLength(), 4);
  }
  EXPECT_EQ(Box("cheOscCal")->text(), "Edit");
  EXPECT_EQ(dialog->Value(DialogControl::cheBackOscCal), 0);
  // Controls the dialog lacks answer "absent".
  EXPECT_EQ(dialog->Value(DialogControl::cheUpdateCal), std::nullopt);
  EXPECT_FALSE(dialog->SetValue(DialogControl::cheUpdateCal, 1));
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID1), std::nullopt);
}

TEST_F(SharedParts, ShowConfigShowsAddressesWordAndCalibrationWords) {
  s.cfg.ConfigWord = 0x0FF7;
  s.dev.UserIDAddress = 0x400;
  s.dev.ConfigAddress = 0x7FF;
  s.dev.OscCalAddress = 0x404;
  s.dev.CodeSize = 1024;
  dialog->ShowConfig();
  EXPECT_EQ(LabelText("lblCfgAddress"), "0x07FF:");
  EXPECT_EQ(LabelText("lblConfig"), "0FF7");
  EXPECT_EQ(LabelText("lblUserID"), "0x0400:0x0403");
  EXPECT_EQ(LabelText("lblOscCal"), "0x0404");
  EXPECT_EQ(LabelText("lblBackOscCal"), "0x03FF");  // the last program word
  EXPECT_EQ(EditText("txtOscCal"), "????") << "no value saved yet";
  s.cfg.OscCalHigh = 0x0C;
  s.cfg.OscCalLow = 0x3A;
  s.buf.CodeBuffer.Set(2 * 1024 - 2, 0x24);
  s.buf.CodeBuffer.Set(2 * 1024 - 1, 0x0C);
  dialog->ShowConfig();
  EXPECT_EQ(dialog->ControlText(DialogControl::txtOscCal), "0C3A");
  EXPECT_EQ(EditText("txtBackOscCal"), "0C24");
  // A program memory larger than the buffer sized at the selection.
  s.dev.CodeSize = s.buf.CodeBuffer.Size();
  dialog->ShowConfig();
  EXPECT_EQ(EditText("txtBackOscCal"), "????");
  EXPECT_TRUE(ts.window.boxes.empty());
}

TEST_F(SharedParts, EditBoxesEnableTheirTextBoxes) {
  for (auto [edit, text, control] :
       {std::tuple{"cheOscCal", "txtOscCal", DialogControl::cheOscCal},
        std::tuple{"cheBackOscCal", "txtBackOscCal", DialogControl::cheBackOscCal}}) {
    Click(edit);
    EXPECT_TRUE(Edit(text)->isEnabled()) << edit;
    Retype(text, "3c0a");
    EXPECT_EQ(EditText(text), "3C0A");
    Click(edit);
    EXPECT_FALSE(Edit(text)->isEnabled());
    EXPECT_EQ(EditText(text), "3C0A") << "unticking keeps the text";
    Click(edit);
    dialog->ShowConfig();
    EXPECT_EQ(dialog->Value(control), 1) << "a refresh leaves the Edit boxes alone";
    EXPECT_TRUE(Edit(text)->isEnabled());
    // The erase ticks nothing but unticks the box after taking the value.
    EXPECT_TRUE(dialog->SetValue(control, 0));
    EXPECT_FALSE(Edit(text)->isEnabled());
  }
}

TEST_F(SharedParts, UserIdBoxWritesTheLowBytesOnly) {
  s.cfg.UserID = {0x00, 0x12, 0x00, 0x34, 0x00, 0x56, 0x00, 0x78};
  Edit("txtUserID")->setText("A");
  EXPECT_EQ(s.cfg.UserID, (std::array<uint8_t, 8>{0xFA, 0x12, 0x0F, 0x34, 0x0F, 0x56, 0x0F, 0x78}));
  Edit("txtUserID")->clear();
  Type("txtUserID", "9b");
  EXPECT_EQ(EditText("txtUserID"), "9B");
  EXPECT_EQ(s.cfg.UserID, (std::array<uint8_t, 8>{0xF9, 0x12, 0xFB, 0x34, 0x0F, 0x56, 0x0F, 0x78}));
}

TEST_F(SharedParts, ReadIdsAreShownByTheirLastDigitAndRewrittenWhenTheTextChanges) {
  s.cfg.UserID = {0x05, 0x00, 0x0F, 0x00, 0x0F, 0x00, 0x0F, 0x00};
  dialog->ShowConfig();
  EXPECT_EQ(EditText("txtUserID"), "5FFF");
  EXPECT_EQ(s.cfg.UserID, (std::array<uint8_t, 8>{0xF5, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0}));
  // The same text again runs nothing: the bytes stay as they were read.
  s.cfg.UserID = {0x05, 0x00, 0x0F, 0x00, 0x0F, 0x00, 0x0F, 0x00};
  dialog->ShowConfig();
  EXPECT_EQ(s.cfg.UserID, (std::array<uint8_t, 8>{0x05, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0}));
}

}  // namespace
}  // namespace krv
