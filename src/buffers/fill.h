#pragma once
// Buffers > Fill: fills a range of one memory area with a value.
#include <cstdint>
#include <string>

#include "buffers/area.h"

namespace krv {

struct Session;

// Fills the items of `area` from address `first` to address `last` (both included, the
// addresses the view shows) with `value`. Checks everything first: on bad input nothing
// changes and the result is the error text to show. On success the result is empty and
// the checksum and the views are refreshed.
std::string FillBuffer(Session& s, MemoryArea area, uint32_t first, uint32_t last, uint32_t value);

// The same from the dialog's hexadecimal texts.
std::string FillBuffer(Session& s, MemoryArea area, const std::string& first,
                       const std::string& last, const std::string& value);

}  // namespace krv
