#pragma once
// The simulated dsPIC30F chip.
#include <memory>

#include "devices/device.h"
#include "sim/chip.h"

namespace krv::sim {

// A blank chip of the device's sizes.
std::unique_ptr<Chip> MakeDsPic30Chip(const DeviceRow& row);

}  // namespace krv::sim
