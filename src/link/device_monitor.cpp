// Placeholder until the udev monitor lands.
#include "link/device_monitor.h"

#include "link/link.h"
#include "shell/session.h"

namespace krv {
std::unique_ptr<DeviceMonitor> MakeUdevMonitor() {
  return nullptr;
}
void OnDeviceChange(Session& s) {
  BuscaHID(s);
  ShowConnectionState(s);
}
void AfterCommand(Session&) {}
}  // namespace krv
