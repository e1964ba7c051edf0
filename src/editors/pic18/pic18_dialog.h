#pragma once
// The common design of the PIC18 configuration dialogs, run on a dialog's declaration:
// check boxes of single bits of Config1..Config7, drop-down selectors of bit fields, the
// seven hexadecimal labels and the four user-ID boxes, refreshed together by
// UpdateConfigsLabels.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editors/dialog_base.h"

class QLineEdit;

namespace krv {

class DropDownSelector;

// The user-ID bytes (higher-addressed first) that the text of a user-ID box stands for:
// characters 1-2 and 3-4, each read as far as they are hexadecimal digits (0 for none).
std::array<uint8_t, 2> UserIdPair(QStringView text);

// The device has no data EEPROM: its dialog hides cheCPD and cheWRTD.
bool NoDataEeprom(const DeviceParams& d);

// Option texts that several PIC18 dialogs share. Inline, so that they are made before any
// dialog declaration that copies them (declarations are made at start-up, in other files).
inline const std::vector<std::string> kVborTexts = {"4.5 V", "4.2 V", "2.7 V", "2.0 V"};
inline const std::vector<std::string> kWatchdogTexts = {
    "1:1",   "1:2",   "1:4",     "1:8",     "1:16",    "1:32",    "1:64",     "1:128",
    "1:256", "1:512", "1:1,024", "1:2,048", "1:4,096", "1:8,192", "1:16,384", "1:32,768"};
inline const std::vector<std::string> kWatchdogPlain = {
    "1:1",   "1:2",   "1:4",    "1:8",    "1:16",   "1:32",   "1:64",    "1:128",
    "1:256", "1:512", "1:1024", "1:2048", "1:4096", "1:8192", "1:16384", "1:32768"};

// The protection boxes that the PIC18 families share, for protection blocks 0 to
// blocks - 1, in the order the dialogs fill them: cheCP(i), cheCPB, cheCPD, cheWRT(i),
// cheWRTC, cheWRTB, cheWRTD, cheEBTR(i), cheEBTRB. All are ticked when the protection is on.
std::vector<ControlDecl> ProtectionBoxes(int blocks);
// The elements of blocks `from` to `to` of cheCP, cheWRT and cheEBTR: "cheCP(2)" ...
std::vector<std::string> BlockElements(int from, int to);
// The sixteen texts of a four-bit oscillator field whose values 10 to 15 read as value 3.
std::vector<std::string> OscTexts(std::vector<std::string> first10);

class Pic18Dialog final : public DialogBase {
 public:
  Pic18Dialog(const DialogDecl& decl, Session& s, QWidget* parent);

  // SetConfigsDefaults; the selectors' texts, the device rules; the lists filled and
  // placed; every box from its bit, in the order of the declaration; UpdateConfigsLabels.
  void ShowConfig() override;
  // The hexadecimal labels, the selectors' texts and selections and the user-ID boxes from
  // the configuration state, then the checksum display. A selection or text that changes
  // runs its control's rule, which writes back what was read, so the state stays as it is.
  void UpdateConfigsLabels();

 private:
  struct SelectorBinding {
    DropDownSelector* selector;
    const SelectorDecl* decl;
  };
  void WordChanged(WordId) override { UpdateConfigsLabels(); }
  void Picked(const SelectorBinding& b, int index);
  // The texts of the selectors that follow the configuration, chosen anew; a list whose
  // texts changed is filled again.
  void FollowTexts();
  void RefreshOnce();
  uint32_t Word(int n) const;

  std::vector<SelectorBinding> selectors_;
  QLabel* lblConfig_[7] = {};
  QLineEdit* txtUserID_[4] = {};
  bool refreshing_ = false;
  bool refreshAgain_ = false;
};

}  // namespace krv
