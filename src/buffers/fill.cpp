#include "buffers/fill.h"

#include "buffers/buffers.h"
#include "shell/helpers.h"
#include "shell/session.h"

namespace krv {

bool ParseHexText(const std::string& text, uint32_t& value) {
  if (text.empty() || text.size() > 8) return false;
  uint32_t v = 0;
  for (const char c : text) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else {
      return false;
    }
    v = (v << 4) | static_cast<uint32_t>(d);
  }
  value = v;
  return true;
}

std::string FillBuffer(Session& s, DumpArea area, uint32_t first, uint32_t last, uint32_t value) {
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

std::string FillBuffer(Session& s, DumpArea area, const std::string& first, const std::string& last,
                       const std::string& value) {
  uint32_t f, l, v;
  if (!ParseHexText(first, f) || !ParseHexText(last, l) || !ParseHexText(value, v))
    return Text(s, TextId::FillBadNumber);
  return FillBuffer(s, area, f, l, v);
}

}  // namespace krv
