#pragma once
// The programmer on USB through hidapi (hidraw backend).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/link.h"

namespace krv {

std::unique_ptr<Transport> MakeHidTransport();

// One HID interface as the enumeration lists it.
struct HidCandidate {
  uint16_t vendorId;
  uint16_t productId;
  std::string path;
};

// The interface to use for the programmer: `current` when it is still listed with exactly
// this vendor and product ID, otherwise the first such interface; "" when there is none
// or productId is not a valid 16-bit ID. Never matches on the vendor ID alone.
std::string ChooseProgrammerPath(const std::vector<HidCandidate>& listed, uint16_t vendorId,
                                 int productId, const std::string& current);

}  // namespace krv
