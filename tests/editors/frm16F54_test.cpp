// frm16F54: the PIC16F5x, PIC16F7x and PIC16F8x configuration word.
#include <gtest/gtest.h>
#include <QBoxLayout>
#include <QButtonGroup>

#include "dialog_fixture.h"
#include "shell/session.h"

namespace krv {
namespace {

class Frm16F54 : public testing::Test, public test::DialogFixture {
 protected:
  // The dialog of `device`, filled from `word`.
  void Show(const std::string& device, int32_t word) {
    Open(device);
    s.cfg.ConfigWord = word;
    dialog->ShowConfig();
  }
  int SelectedOsc() const {
    for (int i = 0; i < 4; ++i)
      if (Find<QRadioButton>(ArrayName("optOsc", i))->isChecked()) return i;
    return -1;
  }
  static QString ArrayName(const char* name, int i) {
    return QString::fromLatin1(name) + '(' + QString::number(i) + ')';
  }
};

// What the dialog shows for a device and a word; -1 for a hidden box.
struct FillCase {
  const char* device;
  int32_t word;
  int wdte, pwrte, cp, boren, borv;
  int osc;
  int32_t wordAfter;
};
void PrintTo(const FillCase& c, std::ostream* os) {
  *os << c.device << " " << std::hex << c.word;
}
class Frm16F54Fill : public Frm16F54, public testing::WithParamInterface<FillCase> {};

TEST_P(Frm16F54Fill, ShowsTheWord) {
  const FillCase& c = GetParam();
  Show(c.device, c.word);
  const auto state = [&](const char* name) {
    return Shown(name) ? (Box(name)->isChecked() ? 1 : 0) : -1;
  };
  EXPECT_EQ(state("cheWDTE"), c.wdte);
  EXPECT_EQ(state("chePWRTE"), c.pwrte);
  EXPECT_EQ(state("cheCP"), c.cp);
  EXPECT_EQ(state("cheBOREN"), c.boren);
  EXPECT_EQ(state("cheBORV"), c.borv);
  EXPECT_EQ(SelectedOsc(), c.osc);
  EXPECT_EQ(s.cfg.ConfigWord, c.wordAfter);
  char hex[8];
  std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(c.wordAfter));
  EXPECT_EQ(LabelText("lblConfig"), hex);
  EXPECT_FALSE(ts.window.csum.empty()) << "the checksum is refreshed";
}

INSTANTIATE_TEST_SUITE_P(
    Devices, Frm16F54Fill,
    testing::Values(
        // device       word   WDTE PWRTE CP BOREN BORV osc  after
        FillCase{"PIC16F84A", 0x3FFF, 1, 0, 0, -1, -1, 3, 0x3FFF},
        FillCase{"PIC16F84A", 0x0000, 0, 1, 1, -1, -1, 0, 0x0000},
        // Bit 13 clear ticks the box; the box's click then clears all ten protection bits.
        FillCase{"PIC16F84A", 0x1FFF, 1, 0, 1, -1, -1, 3, 0x000F},
        // Bit 13 set: unticked as before, so the mixed bits stay.
        FillCase{"PIC16F84A", 0x200F, 1, 0, 0, -1, -1, 3, 0x200F},
        FillCase{"PIC16F83", 0x1FF5, 1, 1, 1, -1, -1, 1, 0x0005},
        FillCase{"PIC16F84", 0x3FF2, 0, 1, 0, -1, -1, 2, 0x3FF2},
        FillCase{"PIC16F54", 0x0FFF, 1, -1, 0, -1, -1, 3, 0x0FFF},
        FillCase{"PIC16F54", 0x0FF6, 1, -1, 1, -1, -1, 2, 0x0FF6},
        FillCase{"PIC16F57", 0x0FF9, 0, -1, 0, -1, -1, 1, 0x0FF9},
        FillCase{"PIC16F72", 0x3FEF, 1, 0, 1, 1, -1, 3, 0x3FEF},
        FillCase{"PIC16F77", 0x3FB7, 1, 1, 0, 0, -1, 3, 0x3FB7},
        FillCase{"PIC16F716", 0x3FFF, 1, 0, 0, 1, 1, 3, 0x3FFF},
        FillCase{"PIC16F716", 0x1F7F, 1, 0, 1, 1, 0, 3, 0x1F7F},
        FillCase{"PICunknown", 0x3FF8, 0, -1, 0, -1, -1, 0, 0x3FF8}));

// A click on a control, from a word: the word after it.
struct ClickCase {
  const char* device;
  int32_t word;
  const char* control;
  int32_t wordAfter;
};
void PrintTo(const ClickCase& c, std::ostream* os) {
  *os << c.device << " " << std::hex << c.word << " " << c.control;
}
class Frm16F54Click : public Frm16F54, public testing::WithParamInterface<ClickCase> {};

TEST_P(Frm16F54Click, WritesItsBits) {
  const ClickCase& c = GetParam();
  Show(c.device, c.word);
  ts.window.csum.clear();
  Click(c.control);
  EXPECT_EQ(s.cfg.ConfigWord, c.wordAfter);
  char hex[8];
  std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(c.wordAfter));
  EXPECT_EQ(LabelText("lblConfig"), hex);
  EXPECT_FALSE(ts.window.csum.empty()) << "the checksum follows every change";
}

INSTANTIATE_TEST_SUITE_P(Devices, Frm16F54Click,
                         testing::Values(ClickCase{"PIC16F84A", 0x3FFF, "cheCP", 0x000F},
                                         ClickCase{"PIC16F84A", 0x000F, "cheCP", 0x3FFF},
                                         ClickCase{"PIC16F83", 0x3FFF, "cheCP", 0x000F},
                                         ClickCase{"PIC16F84A", 0x3FFF, "chePWRTE", 0x3FF7},
                                         ClickCase{"PIC16F84A", 0x3FFF, "cheWDTE", 0x3FFB},
                                         ClickCase{"PIC16F84A", 0x3FFF, "optOsc(1)", 0x3FFD},
                                         ClickCase{"PIC16F54", 0x0FFF, "cheCP", 0x0FF7},
                                         ClickCase{"PIC16F59", 0x0FF7, "cheCP", 0x0FFF},
                                         ClickCase{"PIC16F716", 0x3FFF, "cheCP", 0x1FFF},
                                         ClickCase{"PIC16F716", 0x3FFF, "cheBORV", 0x3F7F},
                                         ClickCase{"PIC16F716", 0x3FFF, "cheBOREN", 0x3FBF},
                                         ClickCase{"PIC16F72", 0x3FFF, "cheCP", 0x3FEF},
                                         ClickCase{"PIC16F76", 0x3FFF, "cheCP", 0x3FEF},
                                         ClickCase{"PICunknown", 0x3FFF, "cheWDTE", 0x3FFB},
                                         ClickCase{"PICunknown", 0x3FFF, "optOsc(0)", 0x3FFC},
                                         ClickCase{"PICunknown", 0x3FFD, "optOsc(2)", 0x3FFE}));

TEST_F(Frm16F54, ProtectionBoxOfAnUnknownNameLeavesTheWord) {
  Show("PICunknown", 0x3FFF);
  s.cfg.ConfigWord = 0x1234;
  ts.window.csum.clear();
  Click("cheCP");
  EXPECT_EQ(s.cfg.ConfigWord, 0x1234);
  EXPECT_EQ(LabelText("lblConfig"), "3FFF") << "the label is not rewritten";
  EXPECT_FALSE(ts.window.csum.empty()) << "the checksum still runs";
}

TEST_F(Frm16F54, ProtectionBoxOfAnUnknownNameKeepsItsState) {
  Show("PIC16F84A", 0x0000);  // ticks the box
  SelectDevice(s, "PICunknown");
  s.cfg.ConfigWord = 0x3FFF;
  dialog->ShowConfig();
  EXPECT_TRUE(Box("cheCP")->isChecked());
  EXPECT_FALSE(Shown("chePWRTE"));
}

TEST_F(Frm16F54, MixedProtectionBitsStayWhenTheBoxKeepsItsState) {
  Show("PIC16F84A", 0x0000);  // ticks the box
  s.cfg.ConfigWord = 0x1FFF;  // bit 13 clear: ticked again, so its click does not run
  dialog->ShowConfig();
  EXPECT_TRUE(Box("cheCP")->isChecked());
  EXPECT_EQ(s.cfg.ConfigWord, 0x1FFF);
  EXPECT_EQ(LabelText("lblConfig"), "1FFF");
  s.cfg.ConfigWord = 0x3EFF;  // bit 13 set: the box unticks and sets all ten bits
  dialog->ShowConfig();
  EXPECT_FALSE(Box("cheCP")->isChecked());
  EXPECT_EQ(s.cfg.ConfigWord, 0x3FFF);
}

TEST_F(Frm16F54, OptionsSelectByIndexWhereverTheButtonStands) {
  Open("PIC16F84A");
  // Move the button of Index 2 to the top of its container.
  auto* button = Find<QRadioButton>("optOsc(2)");
  auto* layout = qobject_cast<QBoxLayout*>(Find<QWidget>("Picture1")->layout());
  layout->removeWidget(button);
  layout->insertWidget(0, button);
  EXPECT_EQ(button->text(), "HS");
  s.cfg.ConfigWord = 0x3FFE;
  dialog->ShowConfig();
  EXPECT_TRUE(button->isChecked());
  EXPECT_EQ(SelectedOsc(), 2);
}

TEST_F(Frm16F54, DesignState) {
  Make(DialogId::frm16F54);
  EXPECT_EQ(widget->objectName(), "frm16F54");
  EXPECT_EQ(SelectedOsc(), -1) << "no option is selected before the first fill";
  const char* captions[] = {"LP", "XT", "HS", "RC"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Find<QRadioButton>(ArrayName("optOsc", i))->text(), captions[i]);
  for (auto [name, caption] :
       {std::pair{"cheWDTE", "WDTEN"}, std::pair{"chePWRTE", "PWRTEN"}, std::pair{"cheCP", "CP"},
        std::pair{"cheBOREN", "BOREN"}, std::pair{"cheBORV", "BORV"}}) {
    EXPECT_EQ(Box(name)->text(), caption);
    EXPECT_FALSE(Box(name)->isChecked());
  }
  EXPECT_EQ(Find<QWidget>("Picture1")->parentWidget()->objectName(), "fraCfg");
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID), "FFFF");
  EXPECT_EQ(dialog->Value(DialogControl::cheOscCal), std::nullopt);
  EXPECT_EQ(dialog->ControlText(DialogControl::txtOscCal), std::nullopt);
  EXPECT_EQ(dialog->Value(DialogControl::cheUpdateCal), std::nullopt);
}

TEST_F(Frm16F54, DevicesWithSingleProtectionBitsKeepEveryWordWhenFilled) {
  for (const char* device : {"PIC16F54", "PIC16F57", "PIC16F716", "PIC16F72", "PICunknown"}) {
    Open(device);
    for (int32_t w = 0; w <= 0x3FFF; w += 7) {
      s.cfg.ConfigWord = w;
      dialog->ShowConfig();
      ASSERT_EQ(s.cfg.ConfigWord, w) << device;
    }
  }
}

TEST_F(Frm16F54, UserIdBoxTakesTheDeviceAddresses) {
  Show("PIC16F84A", 0x3FFF);
  EXPECT_EQ(LabelText("lblCfgAddress"), "0x2007:");
  EXPECT_EQ(LabelText("lblUserID"), "0x2000:0x2003");
  Retype("txtUserID", "a");
  EXPECT_EQ(EditText("txtUserID"), "A");
  EXPECT_EQ(s.cfg.UserID[0], 0xFA);
  EXPECT_EQ(s.cfg.UserID[2], 0x0F);
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID), "A");
}

}  // namespace
}  // namespace krv
