#include "buffers/hexfile/layout.h"

#include "core/device.h"

namespace krv::hex {

std::vector<Area> Layout(const DeviceParams& d, int eeAddrFile18) {
  const auto u = [](int32_t v) { return static_cast<uint32_t>(v < 0 ? 0 : v); };
  std::vector<Area> a;
  switch (d.CoreWidth) {
    case 24:
      a.push_back({0, 4 * u(d.CodeSize), MemoryArea::Code, 4, 3, 4});
      a.push_back({0x1000000, 4 * u(d.ExecSize), MemoryArea::Exec, 4, 3, 4});
      if (d.DataSize > 0)
        a.push_back({2 * u(d.DataStart30), 2 * u(d.DataSize), MemoryArea::Data, 4, 2, 4});
      a.push_back({0x1F00000, 28, MemoryArea::Config, 4, 2, 2});
      break;
    case 16:
      a.push_back({0, 2 * u(d.CodeSize), MemoryArea::Code});
      a.push_back({0x200000, 8, MemoryArea::UserID});
      a.push_back({0x300000, 14, MemoryArea::Config});
      if (d.DataSize > 0) {
        if (eeAddrFile18 == 1)
          a.push_back({0xF00000, u(d.DataSize), MemoryArea::Data});
        else
          a.push_back({0xF00000, 2 * u(d.DataSize), MemoryArea::Data, 2, 1, 1});
      }
      break;
    default:
      a.push_back({0, 2 * u(d.CodeSize), MemoryArea::Code});
      if (d.UserIDAddress > 0) a.push_back({2 * u(d.UserIDAddress), 8, MemoryArea::UserID});
      if (d.CoreWidth == 12) {
        a.push_back({0x1FFE, 2, MemoryArea::Config});
        a.push_back({0x400E, 2, MemoryArea::Config, 1, 1, 1, true});
      } else {
        a.push_back({0x400E, d.Config1Address != 0 ? 4u : 2u, MemoryArea::Config});
      }
      if (d.DataSize > 0) a.push_back({0x4200, 2 * u(d.DataSize), MemoryArea::Data, 2, 1, 1});
      break;
  }
  return a;
}

}  // namespace krv::hex
