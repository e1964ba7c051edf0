#include "test_devices.h"

#include <stdexcept>

#include "buffers/buffers.h"
#include "devices/catalogue.h"

namespace krv::test {

namespace {

DeviceParams From(const char* catalogueName, const std::string& name) {
  DeviceParams d;
  static_cast<DeviceRow&>(d) = *FindDevice(catalogueName);
  d.DeviceName = name;
  return d;
}

}  // namespace

DeviceParams TestDevice(const std::string& name) {
  if (FindDevice(name)) return From(name.c_str(), name);
  DeviceParams d;
  if (name == "PIC12F508") {
    d = From("PIC16F84A", name);
    d.family = Family::PIC12;
    d.CoreWidth = 12;
    d.CodeSize = 512;
    d.DataSize = 0;
    d.ConfigAddress = 0x1FF;
    d.UserIDAddress = 0x200;
    d.OscCalAddress = 0x204;
    d.HasOscCal = true;
    d.ConfigImplMask = 0x1F;
    d.ConfigForm = DialogId::frm12F50X;
  } else if (name == "PIC16F628A" || name == "PIC16F88" || name == "PIC12F629") {
    d = From("PIC16F84A", name);
    d.ConfigForm = DialogId::frm16F627A;
    if (name == "PIC16F628A") {
      d.CodeSize = 2048;
      d.DataSize = 128;
      d.ConfigImplMask = 0x21FF;
    } else if (name == "PIC16F88") {
      d.CodeSize = 4096;
      d.DataSize = 256;
      d.Config1Address = 0x2008;
      d.ConfigImplMask = 0x3FFF;
      d.Config1ImplMask = 0x0003;
    } else {
      d.family = Family::PIC12;
      d.CodeSize = 1024;
      d.DataSize = 128;
      d.OscCalAddress = 0x3FF;
      d.HasOscCal = true;
      d.HasBandGap = true;
      d.ConfigImplMask = 0x31FF;
      d.ConfigForm = DialogId::frm12F629;
    }
  } else if (name == "PIC30F2010" || name == "PIC30F6014A") {
    d = From("PIC30F4013", name);
    const bool big = name == "PIC30F6014A";
    d.CodeSize = big ? 49152 : 4096;
    d.DataSize = big ? 4096 : 1024;
    d.DataStart30 = 0x800000 - d.DataSize;
    if (!big) d.ConfigMasks[0] = 0xC30F;
  } else {
    throw std::invalid_argument("no test row for " + name);
  }
  return d;
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
