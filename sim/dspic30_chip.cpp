// Placeholder until the simulated dsPIC30F lands.
#include "sim/dspic30_chip.h"

namespace krv::sim {
std::unique_ptr<Chip> MakeDsPic30Chip(const DeviceRow&) {
  return nullptr;
}
}  // namespace krv::sim
