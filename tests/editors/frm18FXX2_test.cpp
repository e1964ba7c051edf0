// frm18FXX2: the PIC18FXX2 and PIC18FXX8 configuration.
#include <gtest/gtest.h>
#include <QListWidget>

#include "core/session.h"
#include "core/twips.h"
#include "dialog_fixture.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {
namespace {

using test::ClickOn;
using test::Element;
using test::Hex4;
using test::PickEntry;
using test::ShowsPicture;

class Frm18FXX2 : public testing::Test, public test::DialogFixture {
 protected:
  // The dialog of PIC18<key>, filled from words all `word`.
  void Show(const std::string& key, uint16_t word = 0xFFFF) {
    Open("PIC18" + key);
    for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = word;
    ts.window.csum.clear();
    dialog->ShowConfig();
  }
  void Update() { dynamic_cast<Pic18Dialog*>(widget)->UpdateConfigsLabels(); }
  // Sets word k and refreshes the labels, as an edit elsewhere does.
  void Refresh(int k, int32_t word) {
    s.cfg.Config[k] = word;
    Update();
  }
  QListWidget* List(const char* field) const { return Find<QListWidget>(QString("lst") + field); }
  QLabel* Arrow(const char* field) const { return Label(QString("img") + field); }
  std::string Value(const char* field) const { return LabelText(QString("lblVal") + field); }
  std::string WordLabel(int k) const { return LabelText("lblConfig" + QString::number(k)); }
  bool Ticked(const QString& name) const { return Box(name)->isChecked(); }
};

TEST_F(Frm18FXX2, BlankWordsOnThe452) {
  Show("F452-4539");
  const int32_t masked[] = {0x2700, 0x0F0F, 0x0100, 0x0085, 0xC00F, 0xE00F, 0x400F};
  for (int k = 1; k <= 7; ++k) {
    EXPECT_EQ(WordLabel(k), Hex4(masked[k - 1]));
    EXPECT_EQ(s.cfg.Config[k], masked[k - 1]);
  }
  EXPECT_EQ(Value("Osc"), "RC with OSC2 as RA6");
  for (const char* off : {"cheOSCEN", "chePWRTEN", "cheBKBUG", "cheCPB", "cheCPD", "cheWRTC",
                          "cheWRTB", "cheWRTD", "cheEBTRB"})
    EXPECT_FALSE(Ticked(off)) << off;
  for (const char* array : {"cheCP", "cheWRT", "cheEBTR"})
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(Ticked(Element(array, i))) << array << i;
  for (const char* on : {"cheBOREN", "cheWDTEN", "cheCCP2MX", "cheSTVREN", "cheLVP"})
    EXPECT_TRUE(Ticked(on)) << on;
  EXPECT_FALSE(ts.window.csum.empty()) << "the checksum display is refreshed";
}

TEST_F(Frm18FXX2, EachDeviceShowsItsControls) {
  const struct {
    const char* key;
    bool ccp2mx, fourBlocks;
  } cases[] = {{"F242-2439", true, false}, {"F248", false, false},     {"F252-2539", true, true},
               {"F258", false, true},      {"F442-4439", true, false}, {"F448", false, false},
               {"F452-4539", true, true},  {"F458", false, true}};
  for (const auto& c : cases) {
    // From the other kind of device, so that every test below changes something.
    Show(c.fourBlocks ? "F242-2439" : "F258");
    Show(c.key);
    EXPECT_EQ(Shown("cheCCP2MX"), c.ccp2mx) << c.key;
    EXPECT_EQ(WordLabel(3), c.ccp2mx ? "0100" : "0000") << c.key;
    for (const char* array : {"cheCP", "cheWRT", "cheEBTR"})
      for (int i = 0; i < 4; ++i) EXPECT_EQ(Shown(Element(array, i)), i < 2 || c.fourBlocks);
    for (const char* always : {"cheOSCEN", "chePWRTEN", "cheBOREN", "cheWDTEN", "cheSTVREN",
                               "cheLVP", "cheBKBUG", "cheCPB", "cheCPD", "cheWRTC", "cheWRTB",
                               "cheWRTD", "cheEBTRB", "shaOsc", "shaVbor", "shaWatchdog"})
      EXPECT_TRUE(Shown(always)) << always;
  }
}

TEST_F(Frm18FXX2, SelectorTextsByFieldValue) {
  // clang-format off
  const char* osc[] = {"LP", "XT", "HS", "RC", "EC with OSC2 / 4", "EC with OSC2 as RA6",
                       "HS with PLL enabled", "RC with OSC2 as RA6"};
  // clang-format on
  const char* vbor[] = {"4.5 V", "4.2 V", "2.7 V", "2.0 V"};
  const char* watchdog[] = {"1:1", "1:2", "1:4", "1:8", "1:16", "1:32", "1:64", "1:128"};
  Show("F452-4539");
  for (int v = 0; v < 8; ++v) {
    s.cfg.Config[2] = (v << 9) | ((v & 3) << 2);
    Refresh(1, 0x2000 | (v << 8));
    EXPECT_EQ(Value("Osc"), osc[v]);
    EXPECT_EQ(Value("Watchdog"), watchdog[v]);
    EXPECT_EQ(Value("Vbor"), vbor[v & 3]);
    EXPECT_EQ(List("Osc")->item(v)->text(), osc[v]);
    EXPECT_EQ(List("Osc")->currentRow(), v);
    EXPECT_EQ(s.cfg.Config[1], 0x2000 | (v << 8)) << "filling writes back what it read";
  }
  EXPECT_EQ(List("Vbor")->count(), 4);
  EXPECT_EQ(List("Watchdog")->count(), 8);
  // The watchdog reads bits 1-3 of CONFIG2H alone: bit 4, set past the masks, stays.
  Refresh(2, 0x1F0F);
  EXPECT_EQ(Value("Watchdog"), "1:128");
  EXPECT_EQ(s.cfg.Config[2], 0x1F0F);
  EXPECT_EQ(WordLabel(2), "1F0F");
}

TEST_F(Frm18FXX2, APickWritesTheField) {
  // clang-format off
  const struct { const char* field; int entry, word; int32_t before, after; const char* shown; } cases[] = {
    // "HS with PLL enabled" sets CONFIG1H bits 0-2 to 110 and keeps OSCEN (bit 5).
    {"Osc", 6, 1, 0x2700, 0x2600, "HS with PLL enabled"},
    {"Osc", 6, 1, 0x0100, 0x0600, "HS with PLL enabled"},
    {"Osc", 4, 1, 0x2700, 0x2400, "EC with OSC2 / 4"},
    {"Vbor", 0, 2, 0x0F0F, 0x0F03, "4.5 V"},
    {"Vbor", 2, 2, 0x0F03, 0x0F0B, "2.7 V"},
    {"Watchdog", 5, 2, 0x010F, 0x0B0F, "1:32"},
  };
  // clang-format on
  Show("F452-4539");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    Refresh(c.word, c.before);
    ClickOn(Arrow(c.field));
    ASSERT_TRUE(List(c.field)->isVisible());
    PickEntry(List(c.field), c.entry);
    EXPECT_FALSE(List(c.field)->isVisible());
    EXPECT_EQ(s.cfg.Config[c.word], c.after);
    EXPECT_EQ(Value(c.field), c.shown);
    EXPECT_EQ(WordLabel(c.word), Hex4(c.after));
  }
}

TEST_F(Frm18FXX2, ListsHangUnderTheirFramesWithTheFamilysHeights) {
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

TEST_F(Frm18FXX2, OpenListsStayUsableUntilARefreshMovesTheirSelection) {
  Show("F452-4539");
  ClickOn(Arrow("Osc"));
  Click("cheLVP");
  EXPECT_EQ(s.cfg.Config[4], 0x0081);
  EXPECT_TRUE(List("Osc")->isVisible()) << "a refresh that changes no selection leaves it open";
  ClickOn(Arrow("Vbor"));
  EXPECT_TRUE(List("Osc")->isVisible());
  Refresh(1, 0x2200);  // the oscillator's selection moves: its pick runs
  EXPECT_FALSE(List("Osc")->isVisible());
  EXPECT_TRUE(ShowsPicture(Arrow("Osc"), "Down"));
  EXPECT_EQ(s.cfg.Config[1], 0x2200);
  EXPECT_EQ(Value("Osc"), "HS");
  EXPECT_TRUE(List("Vbor")->isVisible()) << "its selection did not move";
  dialog->ShowConfig();  // refills every list: every selection moves
  EXPECT_FALSE(List("Vbor")->isVisible());
}

TEST_F(Frm18FXX2, ACheckBoxWritesItsBitAndTheLabelFollows) {
  // From the blank masked words; a second click restores the word.
  // clang-format off
  const struct { const char* box; int word; int32_t after; } cases[] = {
    {"cheOSCEN", 1, 0x0700},   {"chePWRTEN", 2, 0x0F0E},  {"cheBOREN", 2, 0x0F0D},
    {"cheWDTEN", 2, 0x0E0F},   {"cheCCP2MX", 3, 0x0000},  {"cheSTVREN", 4, 0x0084},
    {"cheLVP", 4, 0x0081},     {"cheBKBUG", 4, 0x0005},   {"cheCP(0)", 5, 0xC00E},
    {"cheCP(3)", 5, 0xC007},   {"cheCPB", 5, 0x800F},     {"cheCPD", 5, 0x400F},
    {"cheWRT(2)", 6, 0xE00B},  {"cheWRTC", 6, 0xC00F},    {"cheWRTB", 6, 0xA00F},
    {"cheWRTD", 6, 0x600F},    {"cheEBTR(1)", 7, 0x400D}, {"cheEBTRB", 7, 0x000F}};
  // clang-format on
  Show("F452-4539");
  for (const auto& c : cases) {
    const int32_t blank = s.cfg.Config[c.word];
    ts.window.csum.clear();
    Click(c.box);
    EXPECT_EQ(s.cfg.Config[c.word], c.after) << c.box;
    EXPECT_EQ(WordLabel(c.word), Hex4(c.after));
    EXPECT_FALSE(ts.window.csum.empty());
    Click(c.box);
    EXPECT_EQ(s.cfg.Config[c.word], blank) << c.box;
  }
}

TEST_F(Frm18FXX2, UserIdBoxesSplitIntoBytePairs) {
  Show("F452-4539");
  s.cfg.UserID.fill(0x55);
  Edit("txtUserID1")->setText("12AB");
  Edit("txtUserID2")->setText("ABC");
  Edit("txtUserID3")->setText("");
  EXPECT_EQ(s.cfg.UserID, (std::array<uint8_t, 8>{0xAB, 0x12, 0x0C, 0xAB, 0, 0, 0x55, 0x55}));
  Update();
  EXPECT_EQ(EditText("txtUserID3"), "0000");
  s.cfg.UserID[1] = 0x00;
  Update();
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID1), "00AB");
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID2), "AB0C");
  Retype("txtUserID4", "f G1");  // hexadecimal digits only
  EXPECT_EQ(EditText("txtUserID4"), "F1");
  EXPECT_EQ(s.cfg.UserID[7], 0xF1);
  EXPECT_EQ(s.cfg.UserID[6], 0x00);
}

TEST_F(Frm18FXX2, FillingLeavesTheMaskedWordsAndTheIds) {
  const uint16_t patterns[] = {0xFFFF, 0x0000, 0x1234, 0xA5A5, 0x5A5A, 0xF0F0, 0x0F0F, 0x2B00};
  for (const char* key :
       {"F242-2439", "F248", "F252-2539", "F258", "F442-4439", "F448", "F452-4539", "F458"}) {
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
    EXPECT_EQ(LabelText("Label" + QString::number(n)), std::to_string(n) + ":");
    EXPECT_EQ(WordLabel(n), "FFFF");
  }
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(EditText("txtUserID" + QString::number(n)), "FFFF");
    EXPECT_EQ(Edit("txtUserID" + QString::number(n))->maxLength(), 4);
  }
  for (auto [field, caption] : {std::pair{"Osc", "Oscillator"}, std::pair{"Vbor", "Vbor"},
                                std::pair{"Watchdog", "Watchdog"}}) {
    EXPECT_EQ(LabelText(QString("lbl") + field), caption);
    EXPECT_TRUE(List(field)->isHidden());
    EXPECT_TRUE(ShowsPicture(Arrow(field), "Down"));
  }
  // Each box is captioned with its name; an array's boxes with the name and their Index.
  for (QCheckBox* box : widget->findChildren<QCheckBox*>()) {
    QString caption = box->objectName().mid(3);
    caption.remove('(').remove(')');
    EXPECT_EQ(box->text(), caption);
  }
  EXPECT_EQ(widget->findChildren<QCheckBox*>().size(), 14 + 3 * 4);
  EXPECT_EQ(dialog->Value(DialogControl::cheOscCal), std::nullopt);
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID), std::nullopt);
}

}  // namespace
}  // namespace krv
