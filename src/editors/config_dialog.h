#pragma once
// What every configuration dialog offers the rest of the program.
#include <optional>
#include <string>

#include "devices/device.h"

namespace krv {

// The controls that other subsystems read by name.
enum class DialogControl {
  cheOscCal,
  txtOscCal,
  cheBackOscCal,
  txtBackOscCal,
  cheUpdateCal,
  txtUserID,
  txtUserID1,
  txtUserID2,
  txtUserID3,
  txtUserID4,
};

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
};

}  // namespace krv
