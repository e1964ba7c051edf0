#pragma once
// The common design of the PIC18 configuration dialogs: check boxes of single bits of
// Config1..Config7, drop-down selectors of bit fields, the seven hexadecimal labels and the
// four user-ID boxes, refreshed together by UpdateConfigsLabels.
#include <cstdint>
#include <functional>
#include <vector>

#include <QPixmap>

#include "editors/bit_rules.h"
#include "editors/dialog_base.h"

class QGridLayout;
class QLabel;
class QLineEdit;

namespace krv {

class DropDownSelector;

// One check box as the dialogs' tables give it: bit `mask` of configuration word `word`
// (1..7).
struct ConfigBox {
  const char* name;     // "chePWRTEN", "cheCP(2)"
  const char* caption;  // "PWRTEN", "CP2"
  int word;
  uint16_t mask;
  Sense sense;
};

// The user-ID bytes (higher-addressed first) that the text of a user-ID box stands for:
// characters 1-2 and 3-4, each read as far as they are hexadecimal digits (0 for none).
std::array<uint8_t, 2> UserIdPair(QStringView text);

class Pic18Dialog : public DialogBase {
 public:
  // The hexadecimal labels, the selectors' texts and selections and the user-ID boxes from
  // the configuration state, then the checksum display. A selection or text that changes
  // runs its control's rule, which writes back what was read, so the state stays as it is.
  void UpdateConfigsLabels();

 protected:
  Pic18Dialog(DialogId id, Session& s, QWidget* parent);

  // A check box whose click writes its bit and refreshes the labels.
  QCheckBox* AddBox(const ConfigBox& box);
  // The array `name`(0..count-1): element Index is bit Index of the low byte of word `word`,
  // active-low, captioned `caption` and the Index ("CP0").
  std::vector<QCheckBox*> AddBoxArray(const char* name, const char* caption, int word, int count);
  // Every box from its bit, in the order they were added.
  void SetBoxesFromBits();

  // The selector of the field (word >> shift) And mask, its list `listTwips` high. A pick
  // writes the index into the field (or runs `write` where given), then refreshes the
  // labels.
  DropDownSelector* AddSelector(const char* field, const char* caption, int word, int shift,
                                uint32_t mask, int listTwips,
                                std::function<void(int)> write = nullptr);
  // Fills and places every selector's list, in the order they were added.
  void FillLists();

  // The column of the configuration words (Label9 "Configs", Label1..Label7,
  // lblConfig1..lblConfig7) and the user IDs (Label8 "UserID's", txtUserID1..txtUserID4).
  QGridLayout* ConfigsColumn();

 private:
  struct Box {
    QCheckBox* box;
    int word;
    uint16_t mask;
    Sense sense;
  };
  struct Field {
    DropDownSelector* selector;
    int word;
    int shift;
    uint32_t mask;
  };
  QCheckBox* Bind(QCheckBox* box, int word, uint16_t mask, Sense sense);
  void RefreshOnce();
  uint32_t Word(int n) const;

  QPixmap down_, up_;
  std::vector<Box> boxes_;
  std::vector<Field> fields_;
  QLabel* lblConfig_[7] = {};
  QLineEdit* txtUserID_[4] = {};
  bool refreshing_ = false;
  bool refreshAgain_ = false;
};

}  // namespace krv
