#include "buffers/fill.h"

#include "buffers/buffers.h"
#include "core/helpers.h"
#include "core/hex_text.h"
#include "core/session.h"

namespace krv {

std::string FillBuffer(Session& s, MemoryArea area, uint32_t first, uint32_t last, uint32_t value) {
  const AreaGeometry g = Geometry(s, area);
  if (g.items <= 0) return Text(s, TextId::FillNoArea);
  const uint32_t lowest = g.addrBase, highest = g.LastAddress();
  if (first < lowest || first > highest || last < lowest || last > highest)
    return Text(s, TextId::FillBadRange) + " 0x" + Dec2Hex(s, lowest, g.addrDigits) + " - 0x" +
           Dec2Hex(s, highest, g.addrDigits) + ".";
  if (first > last) return Text(s, TextId::FillFirstAboveLast);
  const uint32_t step = static_cast<uint32_t>(g.addrStep);
  if ((first - lowest) % step != 0 || (last - lowest) % step != 0)
    return Text(s, TextId::FillOddAddress);
  if (value > g.maxValue)
    return Text(s, TextId::FillBadValue) + " 0x" + Dec2Hex(s, g.maxValue, g.valueDigits) + ".";

  ByteBuffer& b = AreaBuffer(s.buf, area);
  const int32_t from = static_cast<int32_t>((first - lowest) / step);
  const int32_t to = static_cast<int32_t>((last - lowest) / step);
  for (int32_t i = from; i <= to; ++i)
    for (int k = 0; k < g.bytes; ++k) b.Set(i * g.elemStep + k, (value >> (8 * k)) & 0xFF);
  CalcDeviceCSum(s);
  ShowWindows(s);
  return std::string();
}

std::string FillBuffer(Session& s, MemoryArea area, const std::string& first,
                       const std::string& last, const std::string& value) {
  const auto f = ParseHex(first), l = ParseHex(last), v = ParseHex(value);
  if (!f || !l || !v) return Text(s, TextId::FillBadNumber);
  return FillBuffer(s, area, *f, *l, *v);
}

}  // namespace krv
