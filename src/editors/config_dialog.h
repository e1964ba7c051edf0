#pragma once
// What every configuration dialog offers the rest of the program.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/device.h"

namespace krv {

// The controls that other subsystems read by name.
#define KRV_DIALOG_CONTROLS(X)                                                            \
  X(cheOscCal)                                                                            \
  X(txtOscCal)                                                                            \
  X(cheBackOscCal)                                                                        \
  X(txtBackOscCal) X(cheUpdateCal) X(txtUserID) X(txtUserID1) X(txtUserID2) X(txtUserID3) \
      X(txtUserID4)

enum class DialogControl {
#define KRV_CONTROL_ID(name) name,
  KRV_DIALOG_CONTROLS(KRV_CONTROL_ID)
#undef KRV_CONTROL_ID
};

// The control's name: "cheOscCal", "txtUserID1" ...
constexpr std::string_view ControlName(DialogControl control) {
  constexpr std::string_view kNames[] = {
#define KRV_CONTROL_NAME(name) #name,
      KRV_DIALOG_CONTROLS(KRV_CONTROL_NAME)
#undef KRV_CONTROL_NAME
  };
  return kNames[static_cast<int>(control)];
}

class ConfigDialog {
 public:
  virtual ~ConfigDialog() = default;
  virtual DialogId Id() const = 0;
  // Fills every control from the configuration state.
  virtual void ShowConfig() = 0;
  // A check box's value (0 or 1), or nothing when the dialog lacks the control.
  virtual std::optional<int> Value(DialogControl control) const = 0;
  // Sets a check box's value as a click would; false when the dialog lacks it.
  virtual bool SetValue(DialogControl control, int value) = 0;
  // A text box's text, or nothing when the dialog lacks the control.
  virtual std::optional<std::string> ControlText(DialogControl control) const = 0;
  // The word typed into txtOscCal or txtBackOscCal (high byte first): there only when the
  // box holds exactly four hexadecimal digits.
  virtual std::optional<uint16_t> HexWord(DialogControl control) const = 0;
};

}  // namespace krv
