#include "link/device_monitor.h"

#include <libudev.h>

#include <cstring>

#include "core/session.h"
#include "link/link.h"

namespace krv {

namespace {

class UdevMonitor final : public DeviceMonitor {
 public:
  UdevMonitor(udev* u, udev_monitor* m) : udev_(u), monitor_(m) {}
  ~UdevMonitor() override {
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
  }
  UdevMonitor(const UdevMonitor&) = delete;
  UdevMonitor& operator=(const UdevMonitor&) = delete;

  int Fd() const override { return udev_monitor_get_fd(monitor_); }

  bool TakeEvents() override {
    bool changed = false;
    // The monitor's socket does not block: this ends when nothing more is waiting.
    while (udev_device* d = udev_monitor_receive_device(monitor_)) {
      const char* action = udev_device_get_action(d);
      if (action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0))
        changed = true;
      udev_device_unref(d);
    }
    return changed;
  }

 private:
  udev* udev_;
  udev_monitor* monitor_;
};

// A command is under way: the menu's busy state, or an operation still unwinding after a
// confirmed cancel has already cleared ActionRunning.
bool CommandBusy(const Session& s) {
  return s.run.ActionRunning || s.link.inOperation;
}

}  // namespace

std::unique_ptr<DeviceMonitor> MakeUdevMonitor() {
  udev* u = udev_new();
  if (!u) return nullptr;
  udev_monitor* m = udev_monitor_new_from_netlink(u, "udev");
  if (!m || udev_monitor_filter_add_match_subsystem_devtype(m, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(m) < 0) {
    if (m) udev_monitor_unref(m);
    udev_unref(u);
    return nullptr;
  }
  return std::make_unique<UdevMonitor>(u, m);
}

void OnDeviceChange(Session& s) {
  if (CommandBusy(s)) {
    // Nothing is reopened or searched under the running command; a programmer that went
    // is only marked absent, so the operation stops at its next report.
    s.link.deviceChangePending = true;
    if (s.link.present && !(s.link.transport && s.link.transport->StillPresent()))
      s.link.present = false;
    return;
  }
  s.link.deviceChangePending = false;
  BuscaHID(s);
  ShowConnectionState(s);
}

void AfterCommand(Session& s) {
  if (s.link.deviceChangePending && !CommandBusy(s)) OnDeviceChange(s);
}

}  // namespace krv
