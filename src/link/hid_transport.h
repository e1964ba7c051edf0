#pragma once
// The programmer on USB through hidapi (hidraw backend).
#include <memory>

#include "link/link.h"

namespace krv {

std::unique_ptr<Transport> MakeHidTransport();

}  // namespace krv
