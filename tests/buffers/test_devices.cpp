#include "test_devices.h"

#include <stdexcept>

#include "buffers/buffers.h"
#include "devices/catalogue.h"

namespace krv::test {

namespace {

// What the buffers read of a device row, with the datasheet values of each part.
struct TestRow {
  const char* name;
  const char* base;  // a row of every catalogue: the fields not set here
  Family family;
  int coreWidth;
  int32_t codeSize, dataSize, userIDAddress, config1Address;
  bool hasOscCal;
  uint16_t configImplMask, config1ImplMask;
  uint16_t configMask0;  // dsPIC30: the implemented bits of Config1
};

constexpr TestRow kRows[] = {
    {"PIC12F508", "PIC16F84A", Family::PIC12, 12, 512, 0, 0x200, 0, true, 0x1F, 0, 0},
    {"PIC12F629", "PIC16F84A", Family::PIC12, 14, 1024, 128, 0x2000, 0, true, 0x1FF, 0, 0},
    {"PIC16F84A", "PIC16F84A", Family::PIC16, 14, 1024, 64, 0x2000, 0, false, 0x3FFF, 0, 0},
    {"PIC16F628A", "PIC16F84A", Family::PIC16, 14, 2048, 128, 0x2000, 0, false, 0x21FF, 0, 0},
    {"PIC16F88", "PIC16F84A", Family::PIC16, 14, 4096, 256, 0x2000, 0x2008, false, 0x3FFF, 0x3, 0},
    {"PIC18F452-4539", "PIC18F452-4539", Family::PIC18, 16, 16384, 256, 0, 0, false, 0, 0, 0},
    {"PIC30F2010", "PIC30F4013", Family::PIC30, 24, 4096, 1024, 0, 0, false, 0, 0, 0xC30F},
    {"PIC30F4013", "PIC30F4013", Family::PIC30, 24, 16384, 1024, 0, 0, false, 0, 0, 0xC71F},
    {"PIC30F6014A", "PIC30F4013", Family::PIC30, 24, 49152, 4096, 0, 0, false, 0, 0, 0xC71F},
};

}  // namespace

DeviceParams TestDevice(const std::string& name) {
  for (const TestRow& r : kRows) {
    if (name != r.name) continue;
    DeviceParams d;
    static_cast<DeviceRow&>(d) = *FindDevice(r.base);
    d.DeviceName = name;
    d.family = r.family;
    d.CoreWidth = r.coreWidth;
    d.CodeSize = r.codeSize;
    d.DataSize = r.dataSize;
    d.ExecSize = r.coreWidth == 24 ? 736 : 0;
    d.DataStart30 = r.coreWidth == 24 && r.dataSize > 0 ? 0x800000 - r.dataSize : 0;
    d.UserIDAddress = r.userIDAddress;
    d.Config1Address = r.config1Address;
    d.HasOscCal = r.hasOscCal;
    d.ConfigImplMask = r.configImplMask;
    d.Config1ImplMask = r.config1ImplMask;
    if (r.coreWidth == 24) d.ConfigMasks[0] = r.configMask0;
    return d;
  }
  throw std::invalid_argument("no test row for " + name);
}

void SelectTestDevice(TestSession& t, const std::string& name) {
  t.s.dev = TestDevice(name);
  SizeBuffers(t.s);
  InitWindows(t.s);
}

void FillVaried(Session& s, unsigned seed) {
  uint32_t x = seed * 2654435761u + 1;
  const auto next = [&x]() {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return x;
  };
  const bool ds = s.dev.CoreWidth == 24;
  const uint32_t highMask = s.dev.CoreWidth == 12 ? 0x0F : s.dev.CoreWidth == 14 ? 0x3F : 0xFF;
  auto fill = [&](ByteBuffer& b, int32_t count, int group, int used) {
    for (int32_t i = 0; i < count; ++i) {
      const int pos = i % group;
      uint32_t v = pos < used ? next() & 0xFF : 0;
      if (!ds && group == 2 && pos == 1) v &= highMask;
      b.Set(i, v);
    }
  };
  if (ds) {
    fill(s.buf.CodeBuffer, 4 * s.dev.CodeSize, 4, 3);
    fill(s.buf.ExecBuffer, 4 * s.dev.ExecSize, 4, 3);
    fill(s.buf.DataBuffer, 2 * s.dev.DataSize, 4, 2);
  } else if (s.dev.CoreWidth == 16) {
    fill(s.buf.CodeBuffer, 2 * s.dev.CodeSize, 1, 1);
    fill(s.buf.DataBuffer, s.dev.DataSize, 1, 1);
  } else {
    fill(s.buf.CodeBuffer, 2 * s.dev.CodeSize, 2, 2);
    fill(s.buf.DataBuffer, s.dev.DataSize, 1, 1);
  }
  s.cfg.ConfigWord = static_cast<int32_t>(next() & (s.dev.CoreWidth == 12 ? 0xFFF : 0x3FFF));
  for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = static_cast<int32_t>(next() & 0xFFFF);
  if (s.dev.CoreWidth == 14 && s.dev.Config1Address != 0) s.cfg.Config[1] &= 0x3FFF;
  for (auto& id : s.cfg.UserID) id = static_cast<uint8_t>(next());
}

}  // namespace krv::test
