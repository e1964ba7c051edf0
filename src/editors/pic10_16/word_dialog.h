#pragma once
// The common design of the 12/14-bit configuration dialogs: the configuration-word frame
// with the word's address and hexadecimal value, check boxes and option arrays that write
// their bits straight into the word, the user-ID box and the OscCal frames.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "core/device.h"
#include "core/state.h"
#include "editors/bit_rules.h"
#include "editors/dialog_base.h"

class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QVBoxLayout;

namespace krv {

// Where a control's bits lie: fixed bits, or a mask parameter of the selected device read at
// the moment of use (`CPBit`, `OscBits` ...).
struct Bits {
  uint16_t fixed = 0;
  uint16_t DeviceRow::*param = nullptr;
  uint32_t Of(const DeviceRow& d) const { return param ? d.*param : fixed; }
};
constexpr Bits Fixed(uint16_t mask) {
  return {mask, nullptr};
}
constexpr Bits Param(uint16_t DeviceRow::*param) {
  return {0, param};
}

// One check box as the dialogs' tables give it.
struct WordBox {
  const char* name;     // "cheWDTE"
  const char* caption;  // "WDTEN"
  Bits bits;
  Sense sense;
  int32_t ConfigState::*word = &ConfigState::ConfigWord;
};

class WordDialog : public DialogBase {
 protected:
  WordDialog(DialogId id, Session& s, QWidget* parent);

  // The frame fraCfg with lblCfgAddress and lblConfig. Check boxes go into one column of
  // it, each option array into a column of its own beside them.
  QGroupBox* AddConfigFrame(const QString& caption = QStringLiteral("Config. Word On/Off"));
  // The frame fraUSERID "User ID's" with lblUserID and txtUserID.
  void AddUserIdFrame();
  // The frame Frame2 "OSCCAL" and, with `backup`, Frame4 "Backup OSCCAL", each with its
  // address label, its value box and its "Edit" box.
  void AddOscCalFrames(bool backup);

  // A check box of the configuration frame whose click writes its bits into its word.
  QCheckBox* AddBox(const WordBox& box);
  // A check box of the configuration frame whose click runs `click` with its new state.
  QCheckBox* AddCustomBox(const char* name, const char* caption, std::function<void(bool)> click);
  // An option array in its own container of the configuration frame: button Index i is
  // captioned captions[i], and a click writes its Index into `field` of ConfigWord.
  QButtonGroup* AddOptions(const char* container, const char* name,
                           std::initializer_list<const char*> captions, Bits field);
  // The same with a click rule of the dialog's own.
  QButtonGroup* AddOptions(const char* container, const char* name,
                           std::initializer_list<const char*> captions,
                           std::function<void(int)> click);

  // The steps of ShowConfig that all dialogs share.
  void ShowCfgAddress();  // lblCfgAddress
  void ShowConfigWord();  // lblConfig
  void ShowOscCal();      // the OscCal frames (and the backup frame where there is one)
  void ShowUserID();      // lblUserID and txtUserID
  // A box made by AddBox from its bits of its word; a change runs the box's click.
  void SetBox(QCheckBox* box);
  // A box from `bits` of ConfigWord (active-high or active-low).
  void SetBox(QCheckBox* box, uint32_t bits, Sense sense);
  // Selects the button whose Index is `index`; a change runs the array's click.
  static void Select(QButtonGroup* group, int index);
  // The field of an array made with Bits: its Index from ConfigWord.
  int FieldOf(Bits field) const;

  // After a control changed a word: its label and the device checksum. ConfigWord's label
  // is lblConfig; a dialog with further words adds theirs.
  virtual void WordChanged(int32_t ConfigState::*word);

 private:
  struct BoxBinding {
    QCheckBox* box;
    WordBox def;
  };
  const BoxBinding* Binding(const QCheckBox* box) const;

  QGroupBox* cfg_ = nullptr;
  QVBoxLayout* boxes_ = nullptr;
  QHBoxLayout* options_ = nullptr;
  QVBoxLayout* side_ = nullptr;
  QLabel* lblCfgAddress_ = nullptr;
  QLabel* lblConfig_ = nullptr;
  QLabel* lblUserID_ = nullptr;
  QLineEdit* txtUserID_ = nullptr;
  QLabel* lblOscCal_ = nullptr;
  QLineEdit* txtOscCal_ = nullptr;
  QLabel* lblBackOscCal_ = nullptr;
  QLineEdit* txtBackOscCal_ = nullptr;
  std::vector<BoxBinding> bindings_;
};

// The ID low bytes that a user-ID text stands for: character i + 1 gives UserID(2i) =
// 0xF0 plus its digit; a missing character or one that is not a hexadecimal digit gives 0x0F.
std::array<uint8_t, 4> UserIdLowBytes(QStringView text);

}  // namespace krv
