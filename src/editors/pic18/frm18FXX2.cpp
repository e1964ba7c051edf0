// frm18FXX2: the configuration of the PIC18F242, 248, 252, 258, 442, 448, 452 and 458, with
// three-bit oscillator and watchdog fields.
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/session.h"
#include "devices/catalogue.h"
#include "editors/dialogs.h"
#include "editors/pic18/drop_down_selector.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {
namespace {

constexpr ConfigBox kOSCEN{"cheOSCEN", "OSCEN", 1, 0x2000, Sense::Low};
constexpr ConfigBox kPWRTEN{"chePWRTEN", "PWRTEN", 2, 0x0001, Sense::Low};
constexpr ConfigBox kBOREN{"cheBOREN", "BOREN", 2, 0x0002, Sense::High};
constexpr ConfigBox kWDTEN{"cheWDTEN", "WDTEN", 2, 0x0100, Sense::High};
constexpr ConfigBox kCCP2MX{"cheCCP2MX", "CCP2MX", 3, 0x0100, Sense::High};
constexpr ConfigBox kSTVREN{"cheSTVREN", "STVREN", 4, 0x0001, Sense::High};
constexpr ConfigBox kLVP{"cheLVP", "LVP", 4, 0x0004, Sense::High};
constexpr ConfigBox kBKBUG{"cheBKBUG", "BKBUG", 4, 0x0080, Sense::Low};
constexpr ConfigBox kCPB{"cheCPB", "CPB", 5, 0x4000, Sense::Low};
constexpr ConfigBox kCPD{"cheCPD", "CPD", 5, 0x8000, Sense::Low};
constexpr ConfigBox kWRTC{"cheWRTC", "WRTC", 6, 0x2000, Sense::Low};
constexpr ConfigBox kWRTB{"cheWRTB", "WRTB", 6, 0x4000, Sense::Low};
constexpr ConfigBox kWRTD{"cheWRTD", "WRTD", 6, 0x8000, Sense::Low};
constexpr ConfigBox kEBTRB{"cheEBTRB", "EBTRB", 7, 0x4000, Sense::Low};

// Value 4 of the oscillator field is the external clock with the divided clock on OSC2.
const std::vector<QString> kOscTexts = {"LP",
                                        "XT",
                                        "HS",
                                        "RC",
                                        "EC with OSC2 / 4",
                                        "EC with OSC2 as RA6",
                                        "HS with PLL enabled",
                                        "RC with OSC2 as RA6"};
const std::vector<QString> kVborTexts = {"4.5 V", "4.2 V", "2.7 V", "2.0 V"};
const std::vector<QString> kWatchdogTexts = {"1:1",  "1:2",  "1:4",  "1:8",
                                             "1:16", "1:32", "1:64", "1:128"};

bool KeyIn(const std::string& key, std::initializer_list<const char*> keys) {
  for (const char* k : keys)
    if (key == k) return true;
  return false;
}

class Frm18FXX2 final : public Pic18Dialog {
 public:
  Frm18FXX2(Session& s, QWidget* parent) : Pic18Dialog(DialogId::frm18FXX2, s, parent) {
    setFont(FixedFont());
    osc_ = AddSelector("Osc", "Oscillator", 1, 8, 0x7, 1800);
    vbor_ = AddSelector("Vbor", "Vbor", 2, 2, 0x3, 1000);
    watchdog_ = AddSelector("Watchdog", "Watchdog", 2, 9, 0x7, 1800);

    auto* general = Column({AddBox(kOSCEN), AddBox(kPWRTEN), AddBox(kBOREN), AddBox(kWDTEN)});
    ccp2mx_ = AddBox(kCCP2MX);
    general->addWidget(ccp2mx_);
    for (const ConfigBox& b : {kSTVREN, kLVP, kBKBUG}) general->addWidget(AddBox(b));
    cp_ = AddBoxArray("cheCP", "CP", 5, 4);
    auto* cp = Column(cp_);
    for (const ConfigBox& b : {kCPB, kCPD}) cp->addWidget(AddBox(b));
    wrt_ = AddBoxArray("cheWRT", "WRT", 6, 4);
    auto* wrt = Column(wrt_);
    for (const ConfigBox& b : {kWRTC, kWRTB, kWRTD}) wrt->addWidget(AddBox(b));
    ebtr_ = AddBoxArray("cheEBTR", "EBTR", 7, 4);
    auto* ebtr = Column(ebtr_);
    ebtr->addWidget(AddBox(kEBTRB));

    auto* selectors = new QHBoxLayout;
    for (DropDownSelector* sel : {osc_, vbor_, watchdog_}) {
      auto* column = new QVBoxLayout;
      column->addWidget(sel->CaptionLabel());
      column->addWidget(sel->Shape());
      selectors->addLayout(column);
    }
    selectors->addStretch(1);
    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(18);
    for (QVBoxLayout* column : {general, cp, wrt, ebtr}) boxes->addLayout(column);
    boxes->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addLayout(selectors);
    left->addSpacing(16);
    left->addLayout(boxes);
    left->addStretch(1);
    auto* outer = new QHBoxLayout(this);
    outer->addLayout(left);
    outer->addSpacing(32);
    auto* configs = ConfigsColumn();
    configs->setRowStretch(14, 1);
    outer->addLayout(configs);
    outer->addStretch(1);
  }

  void ShowConfig() override {
    SetConfigsDefaults(s_);
    osc_->SetTexts(kOscTexts);
    vbor_->SetTexts(kVborTexts);
    watchdog_->SetTexts(kWatchdogTexts);
    FillLists();
    SetBoxesFromBits();
    const std::string key = s_.dev.Key();
    if (KeyIn(key, {"F242-2439", "F252-2539", "F442-4439", "F452-4539"})) ccp2mx_->show();
    if (KeyIn(key, {"F248", "F258", "F448", "F458"})) ccp2mx_->hide();
    const bool fourBlocks = KeyIn(key, {"F252-2539", "F452-4539", "F258", "F458"});
    for (const auto* array : {&cp_, &wrt_, &ebtr_}) {
      (*array)[2]->setVisible(fourBlocks);
      (*array)[3]->setVisible(fourBlocks);
    }
    UpdateConfigsLabels();
  }

 private:
  static QVBoxLayout* Column(const std::vector<QCheckBox*>& boxes) {
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    column->setAlignment(Qt::AlignTop);
    for (QCheckBox* b : boxes) column->addWidget(b);
    return column;
  }

  DropDownSelector* osc_;
  DropDownSelector* vbor_;
  DropDownSelector* watchdog_;
  QCheckBox* ccp2mx_;
  std::vector<QCheckBox*> cp_, wrt_, ebtr_;
};

}  // namespace

DialogBase* NewFrm18FXX2(Session& s, QWidget* parent) {
  return new Frm18FXX2(s, parent);
}

}  // namespace krv
