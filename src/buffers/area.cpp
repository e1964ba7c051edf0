#include "buffers/area.h"

#include <algorithm>

#include "core/session.h"

namespace krv {

namespace {

// dsPIC30 program memory and executive area: instructions at even chip addresses.
AreaGeometry Instructions(int32_t count, uint32_t base) {
  return {count, 4, 3, base, 2, 6, 6, 8, 0xFFFFFF};
}

AreaGeometry DeviceGeometry(const DeviceParams& d, MemoryArea area) {
  const bool ds = d.IsDsPic30();
  switch (area) {
    case MemoryArea::Code:
      if (ds) return Instructions(d.CodeSize, 0);
      if (d.CoreWidth == 16) return {2 * d.CodeSize, 1, 1, 0, 1, 6, 2, 16, 0xFF};
      if (d.CoreWidth == 12) return {d.CodeSize, 2, 2, 0, 1, 4, 3, 8, 0xFFF};
      return {d.CodeSize, 2, 2, 0, 1, 4, 4, 8, 0x3FFF};
    case MemoryArea::Data:
      // dsPIC30 data EEPROM is organised in words at even chip addresses.
      if (ds)
        return {d.DataSize / 2, 4, 2, static_cast<uint32_t>(d.DataStart30), 2, 6, 4, 8, 0xFFFF};
      return {d.DataSize, 1, 1, 0, 1, 4, 2, 16, 0xFF};
    case MemoryArea::Exec:
      if (ds) return Instructions(d.ExecSize, 0x800000);
      return {};
    case MemoryArea::UserID:
    case MemoryArea::Config:
      return {};
  }
  return {};
}

}  // namespace

ByteBuffer& AreaBuffer(BufferState& b, MemoryArea area) {
  switch (area) {
    case MemoryArea::Data:
      return b.DataBuffer;
    case MemoryArea::Exec:
      return b.ExecBuffer;
    default:
      return b.CodeBuffer;
  }
}

const ByteBuffer& AreaBuffer(const BufferState& b, MemoryArea area) {
  return AreaBuffer(const_cast<BufferState&>(b), area);
}

AreaGeometry Geometry(const Session& s, MemoryArea area) {
  AreaGeometry g = DeviceGeometry(s.dev, area);
  // Never more items than the buffer holds, so that every item can be read.
  const int32_t held = AreaBuffer(s.buf, area).Size() / g.elemStep;
  g.items = std::clamp(g.items, 0, held);
  return g;
}

uint32_t ItemValue(const ByteBuffer& b, const AreaGeometry& g, int32_t item) {
  const int32_t e = item * g.elemStep;
  uint32_t v = 0;
  for (int k = g.bytes - 1; k >= 0; --k) v = (v << 8) | b.Get(e + k);
  return v;
}

}  // namespace krv
