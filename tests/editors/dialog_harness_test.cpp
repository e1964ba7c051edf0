// What holds for every configuration dialog on every device it serves: filling keeps the
// words, each control writes what a fill reads back, the labels follow the words, the
// checksum follows the configuration words only, and no control keeps a state from the
// device shown before.
#include <map>
#include <optional>

#include "dialog_fixture.h"
#include "editors/declaration.h"
#include "editors/pic18/drop_down_selector.h"
#include "support/gputils.h"

namespace krv {
namespace {

using test::Hex4;

std::vector<DialogId> AllDialogs() {
  std::vector<DialogId> ids;
  for (int i = 0; i < kDialogCount; ++i) ids.push_back(static_cast<DialogId>(i));
  return ids;
}

class EveryDialog : public testing::TestWithParam<DialogId>, public test::DialogFixture {
 protected:
  std::vector<std::string> Devices() const {
    std::vector<std::string> names;
    for (const DeviceRow& r : DeviceTable())
      if (r.ConfigForm == GetParam()) names.push_back(r.Name);
    return names;
  }
  bool Pic18() const { return s.dev.CoreWidth == 16; }
  bool Word12or14() const { return s.dev.CoreWidth == 12 || s.dev.CoreWidth == 14; }

  // Every word set from `v` (within the widths of the words) and the dialog filled.
  void ShowWords(uint32_t v) {
    const uint32_t blank = s.dev.CoreWidth == 12 ? 0xFFF : 0x3FFF;
    s.cfg.ConfigWord = static_cast<int32_t>(v & blank);
    for (size_t n = 1; n <= 7; ++n)
      s.cfg.Config[n] = static_cast<int32_t>(v & (Word12or14() ? 0x3FFF : 0xFFFF));
    s.cfg.CalibWord1 = s.cfg.CalibWord2 = static_cast<int32_t>(v & 0x3FFF);
    dialog->ShowConfig();
  }
  std::vector<int32_t> Words() const {
    std::vector<int32_t> w(s.cfg.Config.begin() + 1, s.cfg.Config.end());
    w.insert(w.end(), {s.cfg.ConfigWord, s.cfg.CalibWord1, s.cfg.CalibWord2});
    return w;
  }
  // The labels of the words show the words.
  void ExpectLabels() const {
    const auto expect = [&](const char* name, int32_t word) {
      if (auto* l = widget->findChild<QLabel*>(name)) {
        EXPECT_EQ(l->text().toStdString(), Hex4(word)) << name;
      }
    };
    if (Pic18()) {
      for (int n = 1; n <= 7; ++n)
        expect(("lblConfig" + std::to_string(n)).c_str(), s.cfg.Config[static_cast<size_t>(n)]);
      return;
    }
    expect("lblConfig", s.cfg.ConfigWord);
    if (Word12or14()) expect("lblConfig1", s.cfg.Config[1]);
    expect("lblCalib1", s.cfg.CalibWord1);
    expect("lblCalib2", s.cfg.CalibWord2);
  }
  // Every named control: shown, enabled, caption, state, list entries.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> out;
    for (QWidget* w : widget->findChildren<QWidget*>()) {
      if (w->objectName().isEmpty()) continue;
      std::string state = std::string(w->isVisibleTo(widget) ? "shown " : "hidden ") +
                          (w->isEnabled() ? "enabled " : "disabled ") + test::CaptionOf(w);
      if (auto* b = qobject_cast<QAbstractButton*>(w)) state += b->isChecked() ? " [x]" : " [ ]";
      if (auto* l = qobject_cast<QListWidget*>(w)) {
        state += " row " + std::to_string(l->currentRow()) + ":";
        for (int r = 0; r < l->count(); ++r) state += l->item(r)->text().toStdString() + ";";
      }
      out[w->objectName().toStdString()] = state;
    }
    return out;
  }
  bool Usable(const QWidget* w) const { return w->isVisibleTo(widget) && w->isEnabled(); }
};

TEST_P(EveryDialog, NamedAndPlacedFillingTheClientArea) {
  Open(Devices().front());
  EXPECT_EQ(widget->objectName().toStdString(), DialogName(GetParam()));
  EXPECT_EQ(widget->geometry(), area->rect());
}

TEST_P(EveryDialog, NoControlKeepsAStateFromTheDeviceBefore) {
  std::map<std::string, std::map<std::string, std::string>> fresh;
  for (const std::string& d : Devices()) {
    Close();
    Open(d);
    ShowWords(0xFFFF);
    fresh[d] = Snapshot();
  }
  std::vector<std::string> order = Devices();
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::string& d : order) {
      Open(d);
      ShowWords(0xFFFF);
      EXPECT_EQ(Snapshot(), fresh[d]) << d << (pass ? " (in reverse)" : "");
    }
    std::reverse(order.begin(), order.end());
  }
}

TEST_P(EveryDialog, FillingKeepsTheWordsAndTheLabelsShowThem) {
  for (const std::string& d : Devices()) {
    for (const uint32_t v : {0xFFFFu, 0u}) {
      Open(d);
      ShowWords(v);
      std::vector<int32_t> before = Words();
      if (!Word12or14())  // the dialog keeps the implemented bits only
        for (size_t n = 0; n < 7; ++n) before[n] &= s.cfg.ConfigMask[n];
      SCOPED_TRACE(d + " " + Hex4(static_cast<int32_t>(v)));
      dialog->ShowConfig();
      EXPECT_EQ(Words(), before);
      ExpectLabels();
    }
  }
}

TEST_P(EveryDialog, EachBoxTogglesItsBitsAndBackWithTheLabelAndChecksum) {
  for (const std::string& d : Devices()) {
    Open(d);
    ShowWords(0xFFFF);
    for (QCheckBox* box : widget->findChildren<QCheckBox*>()) {
      if (!Usable(box) || box->objectName().startsWith("cheOscCal") ||
          box->objectName().startsWith("cheBackOscCal") || box->objectName() == "cheUpdateCal")
        continue;
      SCOPED_TRACE(d + " " + box->objectName().toStdString());
      const std::vector<int32_t> before = Words();
      const bool ticked = box->isChecked();
      ts.window.csum.clear();
      box->click();
      const std::vector<int32_t> after = Words();
      size_t changed = 0, which = 0;
      for (size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) ++changed, which = i;
      EXPECT_LE(changed, 1u) << "a box writes one word";
      ExpectLabels();
      if (changed == 1) {
        EXPECT_EQ(ts.window.csum.empty(), which >= 8) << "calibration words do not count";
      }
      dialog->ShowConfig();
      EXPECT_EQ(Words(), after) << "a fill keeps what the click wrote";
      if (changed == 1) {
        EXPECT_NE(box->isChecked(), ticked) << "and reads it back";
      }
      box->click();
      EXPECT_EQ(Words(), before);
    }
  }
}

TEST_P(EveryDialog, EachOptionAndListEntryReadsBackAsWritten) {
  for (const std::string& d : Devices()) {
    Open(d);
    ShowWords(0xFFFF);
    for (QButtonGroup* group : widget->findChildren<QButtonGroup*>()) {
      for (QAbstractButton* b : group->buttons()) {
        if (!Usable(b)) continue;
        SCOPED_TRACE(d + " " + b->objectName().toStdString());
        b->click();
        ExpectLabels();
        const std::vector<int32_t> written = Words();
        dialog->ShowConfig();
        EXPECT_EQ(group->checkedButton(), b);
        EXPECT_EQ(Words(), written);
      }
    }
    for (QListWidget* list : widget->findChildren<QListWidget*>()) {
      const QString field = list->objectName().mid(3);
      auto* arrow = widget->findChild<QLabel*>("img" + field);
      if (!arrow || !Usable(arrow) || !Usable(widget->findChild<QWidget*>("sha" + field))) continue;
      for (int row = 0; row < list->count(); ++row) {
        SCOPED_TRACE(d + " " + field.toStdString() + " " + std::to_string(row));
        test::ClickOn(arrow);
        test::PickEntry(list, row);
        ExpectLabels();
        dialog->ShowConfig();
        EXPECT_EQ(list->currentRow(), row);
        EXPECT_EQ(widget->findChild<QLabel*>("lblVal" + field)->text(), list->item(row)->text());
      }
    }
  }
}

// The on and off settings of function `name` in a part's header, with the word they are
// of: for PIC18 parts "_WDT_ON_2H" of CONFIG2H (the byte's place in the word), for the
// others "_WDTE_ON" of CONFIG or CONFIG1 (ConfigWord) or CONFIG2 (Config1).
struct Setting {
  uint32_t on, off;
  int word;  // 0 ConfigWord, n Config n
  int shift;
};
std::optional<Setting> FindSetting(const test::Header& h, const std::string& name) {
  for (const auto& [section, settings] : h) {
    if (section.rfind("CONFIG", 0) != 0) continue;
    std::string suffix;
    Setting s{0, 0, section == "CONFIG2" ? 1 : 0, 0};
    if (section.size() == 8) {  // "CONFIG2H"
      suffix = "_" + section.substr(6);
      s.word = section[6] - '0';
      s.shift = section[7] == 'H' ? 8 : 0;
    }
    const auto on = settings.find("_" + name + "_ON" + suffix);
    const auto off = settings.find("_" + name + "_OFF" + suffix);
    if (on == settings.end() || off == settings.end()) continue;
    s.on = on->second;
    s.off = off->second;
    return s;
  }
  return std::nullopt;
}

// Each box of a function that the part's gputils header names as an on and an off setting
// writes exactly that setting's bits, ticked being on.
TEST_P(EveryDialog, EachBoxWritesTheSettingOfItsFunctionAsThePartsHeaderGivesIt) {
  // Names of ours that the headers spell otherwise.
  const std::map<std::string, std::vector<std::string>> aliases = {
      {"PWRTEN", {"PWRT"}}, {"WDTEN", {"WDT"}},   {"WDTE", {"WDT"}},           {"STVREN", {"STVR"}},
      {"BKBUG", {"DEBUG"}}, {"OSCEN", {"OSCS"}},  {"BOREN", {"BOR", "BODEN"}}, {"BODEN", {"BOREN"}},
      {"FSCM", {"FCMEN"}},  {"PBAD", {"PBADEN"}}, {"STVR", {"STVREN"}},        {"WDT", {"WDTEN"}},
      {"BOR", {"BOREN"}},   {"PWRTE", {"PWRT"}}};
  int checked = 0;
  for (const std::string& d : Devices()) {
    if (d == "PICunknown") continue;
    const test::Header h = test::ReadHeader(test::GputilsPart(d));
    Open(d);
    ShowWords(0xFFFF);
    for (QCheckBox* box : widget->findChildren<QCheckBox*>()) {
      if (!Usable(box)) continue;
      std::vector<std::string> names;
      for (const QString& n : {box->objectName().mid(3), box->text()}) {
        std::string name = n.toStdString();
        std::erase_if(name, [](char c) { return c == '(' || c == ')' || c == ' '; });
        names.push_back(name);
        if (aliases.count(name))
          names.insert(names.end(), aliases.at(name).begin(), aliases.at(name).end());
      }
      // The box PWMPIN names its bit (set: the PWM outputs stay off after a reset); the
      // headers' "on" is the outputs driven.
      if (names.front() == "PWMPIN") continue;
      std::optional<Setting> setting;
      for (size_t i = 0; i < names.size() && !setting; ++i) setting = FindSetting(h, names[i]);
      if (!setting) continue;
      SCOPED_TRACE(d + " " + box->objectName().toStdString());
      int32_t& word =
          setting->word ? s.cfg.Config[static_cast<size_t>(setting->word)] : s.cfg.ConfigWord;
      if (box->isChecked()) box->click();
      const int32_t off = word;
      box->click();
      const uint32_t bits = (setting->on ^ setting->off) << setting->shift;
      EXPECT_EQ(static_cast<uint32_t>(word ^ off), bits) << "the bits of the setting";
      EXPECT_EQ(static_cast<uint32_t>(word) & bits, (setting->on << setting->shift) & bits)
          << "ticked is on";
      box->click();
      ++checked;
    }
  }
  if (GetParam() != DialogId::frm30F) {
    EXPECT_GT(checked, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, EveryDialog, testing::ValuesIn(AllDialogs()),
                         [](const testing::TestParamInfo<DialogId>& p) {
                           return std::string(DialogName(p.param));
                         });

}  // namespace
}  // namespace krv
