// frm16F54: the configuration word of the PIC16F54, PIC16F57, PIC16F59 (12-bit) and of the
// PIC16F716, PIC16F72..77, PIC16F83, PIC16F84 and PIC16F84A (14-bit); also the dialog of the
// placeholder device. Fixed bits; device tests on the whole device name.
#include <QButtonGroup>
#include <QCheckBox>

#include "core/session.h"
#include "editors/dialogs.h"
#include "editors/pic10_16/word_dialog.h"

namespace krv {
namespace {

constexpr WordBox kWDTE{"cheWDTE", "WDTEN", Fixed(0x0004), Sense::High};
constexpr WordBox kPWRTE{"chePWRTE", "PWRTEN", Fixed(0x0008), Sense::Low};
constexpr WordBox kBOREN{"cheBOREN", "BOREN", Fixed(0x0040), Sense::High};
constexpr WordBox kBORV{"cheBORV", "BORV", Fixed(0x0080), Sense::High};
constexpr uint16_t kOscField = 0x0003;

// What each device shows: the bits of its protection box (active-low) and which of the
// other boxes it has.
struct DeviceRule {
  const char* name;
  uint16_t cp;
  bool pwrte, boren, borv;
};
constexpr DeviceRule kDevices[] = {
    {"PIC16F83", 0x3FF0, true, false, false},  {"PIC16F84", 0x3FF0, true, false, false},
    {"PIC16F84A", 0x3FF0, true, false, false}, {"PIC16F54", 0x0008, false, false, false},
    {"PIC16F57", 0x0008, false, false, false}, {"PIC16F59", 0x0008, false, false, false},
    {"PIC16F72", 0x0010, true, true, false},   {"PIC16F73", 0x0010, true, true, false},
    {"PIC16F74", 0x0010, true, true, false},   {"PIC16F76", 0x0010, true, true, false},
    {"PIC16F77", 0x0010, true, true, false},   {"PIC16F716", 0x2000, true, true, true},
};

class Frm16F54 final : public WordDialog {
 public:
  Frm16F54(Session& s, QWidget* parent) : WordDialog(DialogId::frm16F54, s, parent) {
    AddConfigFrame();
    wdte_ = AddBox(kWDTE);
    pwrte_ = AddBox(kPWRTE);
    cp_ = AddCustomBox("cheCP", "CP", [this](bool ticked) { CpClicked(ticked); });
    boren_ = AddBox(kBOREN);
    borv_ = AddBox(kBORV);
    osc_ = AddOptions("Picture1", "optOsc", {"LP", "XT", "HS", "RC"}, Fixed(kOscField));
    AddUserIdFrame();
  }

  void ShowConfig() override {
    ShowCfgAddress();
    ShowConfigWord();
    ShowUserID();
    const DeviceRule* d = Device();
    pwrte_->setVisible(d && d->pwrte);
    boren_->setVisible(d && d->boren);
    borv_->setVisible(d && d->borv);
    SetBox(wdte_);
    if (d) {
      if (d->pwrte) SetBox(pwrte_);
      SetBox(cp_, d->cp, Sense::Low);
      if (d->boren) SetBox(boren_);
      if (d->borv) SetBox(borv_);
    }
    Select(osc_, FieldOf(Fixed(kOscField)));
    RefreshCSum();
  }

 private:
  const DeviceRule* Device() const {
    for (const DeviceRule& d : kDevices)
      if (s_.dev.DeviceName == d.name) return &d;
    return nullptr;
  }

  // On a device of the table all protection bits of the device together; on any other name
  // the word stays as it is.
  void CpClicked(bool ticked) {
    if (const DeviceRule* d = Device()) {
      s_.cfg.ConfigWord = WordWithBox(s_.cfg.ConfigWord, d->cp, Sense::Low, ticked);
      ShowConfigWord();
    }
    RefreshCSum();
  }

  QCheckBox* wdte_;
  QCheckBox* pwrte_;
  QCheckBox* cp_;
  QCheckBox* boren_;
  QCheckBox* borv_;
  QButtonGroup* osc_;
};

}  // namespace

DialogBase* NewFrm16F54(Session& s, QWidget* parent) {
  return new Frm16F54(s, parent);
}

}  // namespace krv
