#include "sim/simulated.h"

#include <fcntl.h>
#include <unistd.h>

#include "devices/catalogue.h"
#include "sim/dspic30_chip.h"

namespace krv::sim {

namespace {

class SimulatedMonitor final : public DeviceMonitor {
 public:
  explicit SimulatedMonitor(std::shared_ptr<Programmer> p) : p_(std::move(p)) {
    if (::pipe2(fds_, O_NONBLOCK | O_CLOEXEC) != 0) return;
    const int writeFd = fds_[1];
    p_->onPlugChange = [writeFd] {
      const char event = 1;
      (void)!::write(writeFd, &event, 1);
    };
  }
  ~SimulatedMonitor() override {
    p_->onPlugChange = nullptr;
    for (int fd : fds_)
      if (fd >= 0) ::close(fd);
  }
  SimulatedMonitor(const SimulatedMonitor&) = delete;
  SimulatedMonitor& operator=(const SimulatedMonitor&) = delete;

  int Fd() const override { return fds_[0]; }

  bool TakeEvents() override {
    if (fds_[0] < 0) return false;
    bool changed = false;
    char buf[64];
    while (::read(fds_[0], buf, sizeof buf) > 0) changed = true;
    return changed;
  }

 private:
  std::shared_ptr<Programmer> p_;
  int fds_[2] = {-1, -1};
};

}  // namespace

std::unique_ptr<SimTransport> MakeSimulatedTransport(const std::string& deviceName,
                                                     std::shared_ptr<Programmer>* programmer) {
  const DeviceRow* row = FindDevice(deviceName);
  std::unique_ptr<Chip> chip;
  if (row && row->IsDsPic30()) chip = MakeDsPic30Chip(*row);
  auto p = std::make_shared<Programmer>(std::move(chip));
  if (programmer) *programmer = p;
  return std::make_unique<SimTransport>(p);
}

std::unique_ptr<DeviceMonitor> MakeSimulatedMonitor(std::shared_ptr<Programmer> programmer) {
  return std::make_unique<SimulatedMonitor>(std::move(programmer));
}

}  // namespace krv::sim
