#pragma once
// The three buffer areas (Code, Data, Exec) as the user sees them in the views and the fill
// dialog: items (words, bytes or instructions) at addresses, each held in one or more
// buffer elements.
#include <cstdint>

#include "core/state.h"

namespace krv {

struct Session;
struct DeviceParams;

struct AreaGeometry {
  int32_t items = 0;      // number of items shown (0: the device has no such area)
  int elemStep = 1;       // buffer elements per item
  int bytes = 1;          // value bytes per item, low byte first at the item's first element
  uint32_t addrBase = 0;  // address of item 0
  int addrStep = 1;       // address units per item
  int addrDigits = 4;     // hexadecimal digits of an address
  int valueDigits = 2;    // hexadecimal digits of a value
  int perLine = 16;       // items per dump line
  uint32_t maxValue = 0xFF;

  uint32_t Address(int32_t item) const {
    return addrBase + static_cast<uint32_t>(item) * static_cast<uint32_t>(addrStep);
  }
  uint32_t LastAddress() const { return Address(items - 1); }
  int32_t Lines() const { return (items + perLine - 1) / perLine; }
};

// The geometry of an area for the selected device, limited to what its buffer holds; no
// items for the user IDs and the configuration words.
AreaGeometry Geometry(const Session& s, MemoryArea area);

// The buffer of Code, Data or Exec.
ByteBuffer& AreaBuffer(BufferState& b, MemoryArea area);
const ByteBuffer& AreaBuffer(const BufferState& b, MemoryArea area);

// The value of item `item` (its bytes, low first).
uint32_t ItemValue(const ByteBuffer& b, const AreaGeometry& g, int32_t item);

}  // namespace krv
