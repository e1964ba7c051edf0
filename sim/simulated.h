#pragma once
// The simulated mode: a simulated programmer with a blank chip of the named device in its
// socket, found instead of a USB device (environment variable KRV330_SIMULATOR).
#include <memory>
#include <string>

#include "link/device_monitor.h"
#include "link/link.h"
#include "sim/programmer.h"

namespace krv::sim {

// The transport, and the programmer behind it for whoever wants to plug or unplug it.
// A dsPIC30 device gets a blank chip of its sizes; any other name an empty socket.
std::unique_ptr<SimTransport> MakeSimulatedTransport(const std::string& deviceName,
                                                     std::shared_ptr<Programmer>* programmer);

// The plug and unplug events of a simulated programmer, delivered like the udev monitor's:
// Fd() becomes readable after Programmer::Plug or Unplug. The monitor must not outlive
// the programmer's use of it: it detaches itself when destroyed.
std::unique_ptr<DeviceMonitor> MakeSimulatedMonitor(std::shared_ptr<Programmer> programmer);

}  // namespace krv::sim
