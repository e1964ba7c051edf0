#pragma once
// Plug and unplug of USB HID devices (the part the window procedure's device-change
// message played): a libudev monitor whose descriptor the GUI watches.
#include <memory>

namespace krv {

struct Session;

class DeviceMonitor {
 public:
  virtual ~DeviceMonitor() = default;
  // Descriptor to watch for reading; -1 when there is no monitor.
  virtual int Fd() const = 0;
  // Reads every pending event; true when a hidraw device came or went.
  virtual bool TakeEvents() = 0;
};

// A libudev monitor on the hidraw subsystem; nullptr when udev is not available.
std::unique_ptr<DeviceMonitor> MakeUdevMonitor();

// A device came or went: search for the programmer again and update the display. While a
// command runs this only notes the event (and marks the programmer absent if it went);
// AfterCommand acts on it once the command has ended.
void OnDeviceChange(Session& s);
void AfterCommand(Session& s);

}  // namespace krv
