// frm18FXX2: the PIC18FXX2 and PIC18FXX8 configuration.
#include <gtest/gtest.h>
#include <QListWidget>

#include "dialog_fixture.h"
#include "editors/pic18/pic18_dialog.h"
#include "shell/twips.h"
#include "selector_helpers.h"
#include "shell/session.h"

namespace krv {
namespace {

using test::ClickOn;
using test::PickEntry;
using test::ShowsPicture;

const char* const kKeys[] = {"F242-2439", "F248", "F252-2539", "F258",
                             "F442-4439", "F448", "F452-4539", "F458"};

class Frm18FXX2 : public testing::Test, public test::DialogFixture {
 protected:
  // The dialog of PIC18<key>, filled from words all `word` and IDs all `id`.
  void Show(const std::string& key, uint16_t word = 0xFFFF) {
    Open("PIC18" + key);
    for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = word;
    ts.window.csum.clear();
    dialog->ShowConfig();
  }
  Pic18Dialog* Pic18() const { return dynamic_cast<Pic18Dialog*>(widget); }
  QListWidget* List(const char* field) const { return Find<QListWidget>(QString("lst") + field); }
  QLabel* Arrow(const char* field) const { return Label(QString("img") + field); }
  std::string Value(const char* field) const { return LabelText(QString("lblVal") + field); }
  bool Ticked(const QString& name) const { return Box(name)->isChecked(); }
  static QString Element(const char* array, int i) {
    return QString(array) + '(' + QString::number(i) + ')';
  }
};

TEST_F(Frm18FXX2, BlankWordsOnThe452) {
  Show("F452-4539");
  const char* labels[] = {"2700", "0F0F", "0100", "0085", "C00F", "E00F", "400F"};
  const int32_t masked[] = {0x2700, 0x0F0F, 0x0100, 0x0085, 0xC00F, 0xE00F, 0x400F};
  for (int n = 1; n <= 7; ++n) {
    EXPECT_EQ(LabelText("lblConfig" + QString::number(n)), labels[n - 1]);
    EXPECT_EQ(s.cfg.Config[n], masked[n - 1]);
  }
  EXPECT_EQ(Value("Osc"), "RC with OSC2 as RA6");
  EXPECT_EQ(Value("Vbor"), "2.0 V");
  EXPECT_EQ(Value("Watchdog"), "1:128");
  EXPECT_EQ(List("Osc")->currentRow(), 7);
  EXPECT_EQ(List("Vbor")->currentRow(), 3);
  EXPECT_EQ(List("Watchdog")->currentRow(), 7);
  for (const char* off : {"cheOSCEN", "chePWRTEN", "cheBKBUG", "cheCPB", "cheCPD", "cheWRTC",
                          "cheWRTB", "cheWRTD", "cheEBTRB"})
    EXPECT_FALSE(Ticked(off)) << off;
  for (const char* array : {"cheCP", "cheWRT", "cheEBTR"})
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(Ticked(Element(array, i))) << array << i;
  for (const char* on : {"cheBOREN", "cheWDTEN", "cheCCP2MX", "cheSTVREN", "cheLVP"})
    EXPECT_TRUE(Ticked(on)) << on;
  EXPECT_FALSE(ts.window.csum.empty()) << "the checksum display is refreshed";
}

// Which controls each device key shows.
struct DeviceCase {
  const char* key;
  bool ccp2mx;
  bool fourBlocks;
  const char* config3;
};
void PrintTo(const DeviceCase& c, std::ostream* os) {
  *os << c.key;
}
class Frm18FXX2Devices : public Frm18FXX2, public testing::WithParamInterface<DeviceCase> {};
TEST_P(Frm18FXX2Devices, ShowTheirControls) {
  const DeviceCase& c = GetParam();
  // Start from the other kind of device, so that every test below changes something.
  Show(c.fourBlocks ? "F242-2439" : "F258");
  Show(c.key);
  EXPECT_EQ(Shown("cheCCP2MX"), c.ccp2mx);
  for (const char* array : {"cheCP", "cheWRT", "cheEBTR"}) {
    EXPECT_TRUE(Shown(Element(array, 0)));
    EXPECT_TRUE(Shown(Element(array, 1)));
    EXPECT_EQ(Shown(Element(array, 2)), c.fourBlocks) << array;
    EXPECT_EQ(Shown(Element(array, 3)), c.fourBlocks) << array;
  }
  EXPECT_EQ(LabelText("lblConfig3"), c.config3);
  for (const char* always : {"cheOSCEN", "chePWRTEN", "cheBOREN", "cheWDTEN", "cheSTVREN", "cheLVP",
                             "cheBKBUG", "cheCPB", "cheCPD", "cheWRTC", "cheWRTB", "cheWRTD",
                             "cheEBTRB", "shaOsc", "shaVbor", "shaWatchdog"})
    EXPECT_TRUE(Shown(always)) << always;
}
INSTANTIATE_TEST_SUITE_P(Keys, Frm18FXX2Devices,
                         testing::Values(DeviceCase{"F242-2439", true, false, "0100"},
                                         DeviceCase{"F248", false, false, "0000"},
                                         DeviceCase{"F252-2539", true, true, "0100"},
                                         DeviceCase{"F258", false, true, "0000"},
                                         DeviceCase{"F442-4439", true, false, "0100"},
                                         DeviceCase{"F448", false, false, "0000"},
                                         DeviceCase{"F452-4539", true, true, "0100"},
                                         DeviceCase{"F458", false, true, "0000"}));

TEST_F(Frm18FXX2, SelectorTextsByFieldValue) {
  const char* osc[] = {"LP",
                       "XT",
                       "HS",
                       "RC",
                       "EC with OSC2 / 4",
                       "EC with OSC2 as RA6",
                       "HS with PLL enabled",
                       "RC with OSC2 as RA6"};
  const char* vbor[] = {"4.5 V", "4.2 V", "2.7 V", "2.0 V"};
  const char* watchdog[] = {"1:1", "1:2", "1:4", "1:8", "1:16", "1:32", "1:64", "1:128"};
  Show("F452-4539");
  for (int v = 0; v < 8; ++v) {
    s.cfg.Config[1] = 0x2000 | (v << 8);
    s.cfg.Config[2] = (v << 9) | ((v & 3) << 2);
    Pic18()->UpdateConfigsLabels();
    EXPECT_EQ(Value("Osc"), osc[v]);
    EXPECT_EQ(Value("Watchdog"), watchdog[v]);
    EXPECT_EQ(Value("Vbor"), vbor[v & 3]);
    EXPECT_EQ(List("Osc")->item(v)->text(), osc[v]);
    EXPECT_EQ(List("Osc")->currentRow(), v);
    EXPECT_EQ(s.cfg.Config[1], 0x2000 | (v << 8)) << "filling writes back what it read";
  }
  EXPECT_EQ(List("Osc")->count(), 8);
  EXPECT_EQ(List("Vbor")->count(), 4);
  EXPECT_EQ(List("Watchdog")->count(), 8);
}

TEST_F(Frm18FXX2, WatchdogReadsBitsOneToThreeOfConfig2HAlone) {
  Show("F452-4539");
  s.cfg.Config[2] = 0x1F0F;  // CONFIG2H bit 4 set, bypassing the masks
  Pic18()->UpdateConfigsLabels();
  EXPECT_EQ(Value("Watchdog"), "1:128");
  EXPECT_EQ(List("Watchdog")->currentRow(), 7);
  EXPECT_EQ(s.cfg.Config[2], 0x1F0F);
  EXPECT_EQ(LabelText("lblConfig2"), "1F0F");
}

// A pick in a list: the word it changes and what it holds afterwards.
struct PickCase {
  const char* field;
  int entry;
  int word;
  int32_t before, after;
  const char* shown;
};
void PrintTo(const PickCase& c, std::ostream* os) {
  *os << c.field << " entry " << c.entry << " from " << std::hex << c.before;
}
class Frm18FXX2Picks : public Frm18FXX2, public testing::WithParamInterface<PickCase> {};
TEST_P(Frm18FXX2Picks, WriteTheField) {
  const PickCase& c = GetParam();
  Show("F452-4539");
  s.cfg.Config[c.word] = c.before;
  Pic18()->UpdateConfigsLabels();
  ClickOn(Arrow(c.field));
  ASSERT_TRUE(List(c.field)->isVisible());
  EXPECT_TRUE(ShowsPicture(Arrow(c.field), "Up"));
  PickEntry(List(c.field), c.entry);
  EXPECT_FALSE(List(c.field)->isVisible());
  EXPECT_TRUE(ShowsPicture(Arrow(c.field), "Down"));
  EXPECT_EQ(s.cfg.Config[c.word], c.after);
  EXPECT_EQ(Value(c.field), c.shown);
  char hex[8];
  std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(c.after));
  EXPECT_EQ(LabelText("lblConfig" + QString::number(c.word)), hex);
}
INSTANTIATE_TEST_SUITE_P(
    Lists, Frm18FXX2Picks,
    testing::Values(
        // "HS with PLL enabled" sets CONFIG1H bits 0-2 to 110 and keeps OSCEN (bit 5).
        PickCase{"Osc", 6, 1, 0x2700, 0x2600, "HS with PLL enabled"},
        PickCase{"Osc", 6, 1, 0x0100, 0x0600, "HS with PLL enabled"},
        PickCase{"Osc", 4, 1, 0x2700, 0x2400, "EC with OSC2 / 4"},
        PickCase{"Osc", 0, 1, 0x2700, 0x2000, "LP"},
        PickCase{"Vbor", 0, 2, 0x0F0F, 0x0F03, "4.5 V"},
        PickCase{"Vbor", 2, 2, 0x0F03, 0x0F0B, "2.7 V"},
        PickCase{"Watchdog", 0, 2, 0x0F0F, 0x010F, "1:1"},
        PickCase{"Watchdog", 5, 2, 0x010F, 0x0B0F, "1:32"}));

TEST_F(Frm18FXX2, ValueLabelOfAnOpenSelectorClosesItWithoutAChange) {
  Show("F452-4539");
  ClickOn(Label("lblValVbor"));
  EXPECT_TRUE(List("Vbor")->isVisible());
  ClickOn(Label("lblValVbor"));
  EXPECT_FALSE(List("Vbor")->isVisible());
  EXPECT_TRUE(ShowsPicture(Arrow("Vbor"), "Down"));
  EXPECT_EQ(s.cfg.Config[2], 0x0F0F);
}

TEST_F(Frm18FXX2, ListsHangUnderTheirFrames) {
  Show("F452-4539");
  for (auto [field, twips] :
       {std::pair{"Osc", 1800}, std::pair{"Vbor", 1000}, std::pair{"Watchdog", 1800}}) {
    ClickOn(Arrow(field));
    const QWidget* shape = Find<QWidget>(QString("sha") + field);
    const QPoint corner = shape->mapTo(widget, QPoint(0, 0));
    EXPECT_EQ(List(field)->parentWidget(), widget);
    EXPECT_EQ(List(field)->geometry(),
              QRect(corner.x(), corner.y() + shape->height(), shape->width(), TwipsToPixels(twips)))
        << field;
    ClickOn(Arrow(field));
  }
}

TEST_F(Frm18FXX2, OtherControlsStayUsableWhileAListIsOpen) {
  Show("F452-4539");
  ClickOn(Arrow("Osc"));
  Click("cheLVP");
  EXPECT_EQ(s.cfg.Config[4], 0x0081);
  EXPECT_TRUE(List("Osc")->isVisible()) << "a refresh that changes no selection leaves it open";
  ClickOn(Arrow("Vbor"));
  EXPECT_TRUE(List("Osc")->isVisible());
  EXPECT_TRUE(List("Vbor")->isVisible());
}

TEST_F(Frm18FXX2, ARefreshThatMovesASelectionRunsItsPick) {
  Show("F452-4539");
  ClickOn(Arrow("Osc"));
  ClickOn(Arrow("Vbor"));
  s.cfg.Config[1] = 0x2200;
  Pic18()->UpdateConfigsLabels();
  EXPECT_FALSE(List("Osc")->isVisible());
  EXPECT_TRUE(ShowsPicture(Arrow("Osc"), "Down"));
  EXPECT_EQ(s.cfg.Config[1], 0x2200);
  EXPECT_EQ(Value("Osc"), "HS");
  EXPECT_TRUE(List("Vbor")->isVisible()) << "its selection did not move";
  dialog->ShowConfig();  // refills every list: every selection moves
  EXPECT_FALSE(List("Vbor")->isVisible());
}

TEST_F(Frm18FXX2, ACheckBoxWritesItsBitAndTheLabelFollows) {
  Show("F452-4539");
  s.cfg.Config[2] = 0x0F0E;  // CONFIG2L bit 0 clear: power-up timer on
  dialog->ShowConfig();
  EXPECT_TRUE(Ticked("chePWRTEN"));
  Click("chePWRTEN");
  EXPECT_EQ(s.cfg.Config[2], 0x0F0F);
  EXPECT_EQ(LabelText("lblConfig2"), "0F0F");
}

struct BoxCase {
  const char* box;
  int word;
  int32_t after;  // from the blank masked word
};
void PrintTo(const BoxCase& c, std::ostream* os) {
  *os << c.box;
}
class Frm18FXX2Boxes : public Frm18FXX2, public testing::WithParamInterface<BoxCase> {};
TEST_P(Frm18FXX2Boxes, ClickWritesItsBit) {
  const BoxCase& c = GetParam();
  Show("F452-4539");
  ts.window.csum.clear();
  Click(c.box);
  EXPECT_EQ(s.cfg.Config[c.word], c.after);
  EXPECT_FALSE(ts.window.csum.empty());
  Click(c.box);
  EXPECT_EQ(s.cfg.Config[c.word], static_cast<int32_t>(0xFFFF & s.dev.ConfigMasks[c.word - 1]));
}
INSTANTIATE_TEST_SUITE_P(
    Boxes, Frm18FXX2Boxes,
    testing::Values(BoxCase{"cheOSCEN", 1, 0x0700}, BoxCase{"chePWRTEN", 2, 0x0F0E},
                    BoxCase{"cheBOREN", 2, 0x0F0D}, BoxCase{"cheWDTEN", 2, 0x0E0F},
                    BoxCase{"cheCCP2MX", 3, 0x0000}, BoxCase{"cheSTVREN", 4, 0x0084},
                    BoxCase{"cheLVP", 4, 0x0081}, BoxCase{"cheBKBUG", 4, 0x0005},
                    BoxCase{"cheCP(0)", 5, 0xC00E}, BoxCase{"cheCP(3)", 5, 0xC007},
                    BoxCase{"cheCPB", 5, 0x800F}, BoxCase{"cheCPD", 5, 0x400F},
                    BoxCase{"cheWRT(2)", 6, 0xE00B}, BoxCase{"cheWRTC", 6, 0xC00F},
                    BoxCase{"cheWRTB", 6, 0xA00F}, BoxCase{"cheWRTD", 6, 0x600F},
                    BoxCase{"cheEBTR(1)", 7, 0x400D}, BoxCase{"cheEBTRB", 7, 0x000F}));

TEST_F(Frm18FXX2, UserIdBoxesSplitIntoBytePairs) {
  Show("F452-4539");
  s.cfg.UserID.fill(0x55);
  Edit("txtUserID1")->setText("12AB");
  EXPECT_EQ(s.cfg.UserID[1], 0x12);
  EXPECT_EQ(s.cfg.UserID[0], 0xAB);
  Edit("txtUserID2")->setText("ABC");
  EXPECT_EQ(s.cfg.UserID[3], 0xAB);
  EXPECT_EQ(s.cfg.UserID[2], 0x0C);
  Edit("txtUserID3")->setText("");
  EXPECT_EQ(s.cfg.UserID[5], 0x00);
  EXPECT_EQ(s.cfg.UserID[4], 0x00);
  EXPECT_EQ(s.cfg.UserID[7], 0x55) << "the other boxes' bytes stay";
  Pic18()->UpdateConfigsLabels();
  EXPECT_EQ(EditText("txtUserID3"), "0000");
  s.cfg.UserID[0] = 0xAB;
  s.cfg.UserID[1] = 0x00;
  Pic18()->UpdateConfigsLabels();
  EXPECT_EQ(EditText("txtUserID1"), "00AB");
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID1), "00AB");
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID2), "AB0C");
}

TEST_F(Frm18FXX2, UserIdBoxesTakeHexDigitsOnly) {
  Show("F452-4539");
  Retype("txtUserID4", "f G1");
  EXPECT_EQ(EditText("txtUserID4"), "F1");
  EXPECT_EQ(s.cfg.UserID[7], 0xF1);
  EXPECT_EQ(s.cfg.UserID[6], 0x00);
}

TEST_F(Frm18FXX2, FillingLeavesTheMaskedWordsAndTheIds) {
  const uint16_t patterns[] = {0xFFFF, 0x0000, 0x1234, 0xA5A5, 0x5A5A, 0xF0F0, 0x0F0F, 0x2B00};
  for (const char* key : kKeys) {
    Open(std::string("PIC18") + key);
    for (uint16_t p : patterns) {
      for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = static_cast<uint16_t>(p + 0x1111 * k);
      for (size_t i = 0; i < 8; ++i) s.cfg.UserID[i] = static_cast<uint8_t>(p + 37 * i);
      const auto ids = s.cfg.UserID;
      dialog->ShowConfig();
      for (int k = 1; k <= 7; ++k)
        ASSERT_EQ(s.cfg.Config[k], static_cast<uint16_t>(p + 0x1111 * k) & s.dev.ConfigMasks[k - 1])
            << key << " word " << k;
      ASSERT_EQ(s.cfg.UserID, ids) << key;
    }
  }
}

TEST_F(Frm18FXX2, DesignState) {
  Make(DialogId::frm18FXX2);
  EXPECT_EQ(widget->objectName(), "frm18FXX2");
  EXPECT_EQ(LabelText("Label9"), "Configs");
  EXPECT_EQ(LabelText("Label8"), "UserID's");
  for (int n = 1; n <= 7; ++n) {
    EXPECT_EQ(LabelText("Label" + QString::number(n)), QString::number(n).toStdString() + ":");
    EXPECT_EQ(LabelText("lblConfig" + QString::number(n)), "FFFF");
  }
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(EditText("txtUserID" + QString::number(n)), "FFFF");
    EXPECT_EQ(Edit("txtUserID" + QString::number(n))->maxLength(), 4);
  }
  EXPECT_EQ(LabelText("lblOsc"), "Oscillator");
  EXPECT_EQ(LabelText("lblVbor"), "Vbor");
  EXPECT_EQ(LabelText("lblWatchdog"), "Watchdog");
  for (const char* field : {"Osc", "Vbor", "Watchdog"}) {
    EXPECT_TRUE(List(field)->isHidden());
    EXPECT_TRUE(ShowsPicture(Arrow(field), "Down"));
  }
  for (auto [name, caption] :
       {std::pair{"cheOSCEN", "OSCEN"}, std::pair{"chePWRTEN", "PWRTEN"},
        std::pair{"cheBOREN", "BOREN"}, std::pair{"cheWDTEN", "WDTEN"},
        std::pair{"cheCCP2MX", "CCP2MX"}, std::pair{"cheSTVREN", "STVREN"},
        std::pair{"cheLVP", "LVP"}, std::pair{"cheBKBUG", "BKBUG"}, std::pair{"cheCP(2)", "CP2"},
        std::pair{"cheCPB", "CPB"}, std::pair{"cheCPD", "CPD"}, std::pair{"cheWRT(3)", "WRT3"},
        std::pair{"cheWRTC", "WRTC"}, std::pair{"cheWRTB", "WRTB"}, std::pair{"cheWRTD", "WRTD"},
        std::pair{"cheEBTR(0)", "EBTR0"}, std::pair{"cheEBTRB", "EBTRB"}})
    EXPECT_EQ(Box(name)->text(), caption);
  EXPECT_EQ(dialog->Value(DialogControl::cheOscCal), std::nullopt);
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID), std::nullopt);
}

}  // namespace
}  // namespace krv
