#pragma once
// The simulated mode: a simulated programmer with a blank chip of the named device in its
// socket, found instead of a USB device (environment variable KRV330_SIMULATOR).
#include <memory>
#include <string>

#include "link/link.h"
#include "sim/programmer.h"

namespace krv::sim {

// The transport, and the programmer behind it for whoever wants to plug or unplug it.
std::unique_ptr<SimTransport> MakeSimulatedTransport(const std::string& deviceName,
                                                     std::shared_ptr<Programmer>* programmer);

}  // namespace krv::sim
