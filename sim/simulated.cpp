#include "sim/simulated.h"

#include "devices/catalogue.h"
#include "sim/dspic30_chip.h"

namespace krv::sim {

std::unique_ptr<SimTransport> MakeSimulatedTransport(const std::string& deviceName,
                                                     std::shared_ptr<Programmer>* programmer) {
  const DeviceRow* row = FindDevice(deviceName);
  std::unique_ptr<Chip> chip;
  if (row && row->CoreWidth == 24) chip = MakeDsPic30Chip(*row);
  auto p = std::make_shared<Programmer>(std::move(chip));
  if (programmer) *programmer = p;
  return std::make_unique<SimTransport>(p);
}

}  // namespace krv::sim
