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

// A device came or went: search for the programmer again (BuscaHID) and update the
// connection display. While a command runs (ActionRunning, or an operation still holding
// the link) this only notes the event in deviceChangePending and, when the programmer's
// device went, marks it absent: the link is never reopened and nothing else changes under
// the running operation.
void OnDeviceChange(Session& s);
// Called when a command has ended: acts on a noted event (or on a link lost during the
// command) as OnDeviceChange would.
void AfterCommand(Session& s);

}  // namespace krv
