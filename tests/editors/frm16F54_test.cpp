// frm16F54: the PIC16F5x, PIC16F7x and PIC16F8x configuration word.
#include <gtest/gtest.h>
#include <QBoxLayout>

#include "core/session.h"
#include "dialog_fixture.h"

namespace krv {
namespace {

using test::Element;
using test::Hex4;

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
      if (Find<QRadioButton>(Element("optOsc", i))->isChecked()) return i;
    return -1;
  }
  // The boxes WDTE, PWRTE, CP, BOREN and BORV ('1' ticked, '0' unticked, '-' hidden) and
  // the oscillator's Index: "100--3".
  std::string States() const {
    std::string out;
    for (const char* name : {"cheWDTE", "chePWRTE", "cheCP", "cheBOREN", "cheBORV"})
      out += !Shown(name) ? '-' : Box(name)->isChecked() ? '1' : '0';
    return out + std::to_string(SelectedOsc());
  }
};

TEST_F(Frm16F54, ShowsTheWordOnEachDevice) {
  // clang-format off
  const struct { const char* device; int32_t word; const char* states; int32_t wordAfter; } cases[] = {
    {"PIC16F84A", 0x3FFF, "100--3", 0x3FFF},
    {"PIC16F84A", 0x0000, "011--0", 0x0000},
    // Bit 13 clear ticks the box; the box's click then clears all ten protection bits.
    {"PIC16F84A", 0x1FFF, "101--3", 0x000F},
    // Bit 13 set: unticked as before, so the mixed bits stay.
    {"PIC16F84A", 0x200F, "100--3", 0x200F},
    {"PIC16F83", 0x1FF5, "111--1", 0x0005},
    {"PIC16F54", 0x0FF6, "1-1--2", 0x0FF6},
    {"PIC16F57", 0x0FF9, "0-0--1", 0x0FF9},
    {"PIC16F72", 0x3FEF, "1011-3", 0x3FEF},
    {"PIC16F77", 0x3FB7, "1100-3", 0x3FB7},
    {"PIC16F716", 0x1F7F, "101103", 0x1F7F},
    {"PICunknown", 0x3FF8, "0-0--0", 0x3FF8},
  };
  // clang-format on
  for (const auto& c : cases) {
    Close();
    ts.window.csum.clear();
    Show(c.device, c.word);
    EXPECT_EQ(States(), c.states) << c.device << " " << Hex4(c.word);
    EXPECT_EQ(s.cfg.ConfigWord, c.wordAfter) << c.device << " " << Hex4(c.word);
    EXPECT_EQ(LabelText("lblConfig"), Hex4(c.wordAfter));
    EXPECT_FALSE(ts.window.csum.empty()) << "the checksum is refreshed";
  }
}

TEST_F(Frm16F54, AClickWritesItsBits) {
  // clang-format off
  const struct { const char* device; int32_t word; const char* control; int32_t wordAfter; } cases[] = {
    {"PIC16F84A", 0x3FFF, "cheCP", 0x000F},     {"PIC16F84A", 0x000F, "cheCP", 0x3FFF},
    {"PIC16F84A", 0x3FFF, "chePWRTE", 0x3FF7},  {"PIC16F84A", 0x3FFF, "optOsc(1)", 0x3FFD},
    {"PIC16F54", 0x0FFF, "cheCP", 0x0FF7},      {"PIC16F59", 0x0FF7, "cheCP", 0x0FFF},
    {"PIC16F716", 0x3FFF, "cheCP", 0x1FFF},     {"PIC16F716", 0x3FFF, "cheBORV", 0x3F7F},
    {"PIC16F716", 0x3FFF, "cheBOREN", 0x3FBF},  {"PIC16F76", 0x3FFF, "cheCP", 0x3FEF},
    {"PICunknown", 0x3FFF, "cheWDTE", 0x3FFB},  {"PICunknown", 0x3FFD, "optOsc(2)", 0x3FFE},
  };
  // clang-format on
  for (const auto& c : cases) {
    Close();
    Show(c.device, c.word);
    ts.window.csum.clear();
    Click(c.control);
    EXPECT_EQ(s.cfg.ConfigWord, c.wordAfter) << c.device << " " << Hex4(c.word) << " " << c.control;
    EXPECT_EQ(LabelText("lblConfig"), Hex4(c.wordAfter));
    EXPECT_FALSE(ts.window.csum.empty()) << "the checksum follows every change";
  }
}

TEST_F(Frm16F54, ProtectionBoxOfAnUnknownNameKeepsTheWordAndItsState) {
  Show("PIC16F84A", 0x0000);  // ticks the box
  SelectDevice(s, "PICunknown");
  s.cfg.ConfigWord = 0x3FFF;
  dialog->ShowConfig();
  EXPECT_TRUE(Box("cheCP")->isChecked());
  EXPECT_FALSE(Shown("chePWRTE"));
  s.cfg.ConfigWord = 0x1234;
  ts.window.csum.clear();
  Click("cheCP");
  EXPECT_EQ(s.cfg.ConfigWord, 0x1234);
  EXPECT_EQ(LabelText("lblConfig"), "3FFF") << "the label is not rewritten";
  EXPECT_FALSE(ts.window.csum.empty()) << "the checksum still runs";
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

TEST_F(Frm16F54, OptionsSelectByIndexWhereverTheButtonStands) {
  Open("PIC16F84A");
  auto* button = Find<QRadioButton>("optOsc(2)");
  auto* layout = qobject_cast<QBoxLayout*>(Find<QWidget>("Picture1")->layout());
  layout->removeWidget(button);
  layout->insertWidget(0, button);  // to the top of its container
  s.cfg.ConfigWord = 0x3FFE;
  dialog->ShowConfig();
  EXPECT_TRUE(button->isChecked());
  EXPECT_EQ(SelectedOsc(), 2);
}

TEST_F(Frm16F54, DesignState) {
  Make(DialogId::frm16F54);
  EXPECT_EQ(widget->objectName(), "frm16F54");
  EXPECT_EQ(States(), "00000-1") << "no option is selected before the first fill";
  std::string captions;
  for (const char* name : {"optOsc(0)", "optOsc(1)", "optOsc(2)", "optOsc(3)", "cheWDTE",
                           "chePWRTE", "cheCP", "cheBOREN", "cheBORV"})
    captions += Find<QAbstractButton>(name)->text().toStdString() + " ";
  EXPECT_EQ(captions, "LP XT HS RC WDTEN PWRTEN CP BOREN BORV ");
  EXPECT_EQ(Find<QWidget>("Picture1")->parentWidget()->objectName(), "fraCfg");
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID), "FFFF");
  EXPECT_EQ(dialog->Value(DialogControl::cheOscCal), std::nullopt);
  EXPECT_EQ(dialog->ControlText(DialogControl::txtOscCal), std::nullopt);
}

}  // namespace
}  // namespace krv
