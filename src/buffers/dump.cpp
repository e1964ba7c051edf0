#include "buffers/dump.h"

#include <algorithm>

#include "core/helpers.h"
#include "core/hex_text.h"
#include "core/session.h"

namespace krv {

namespace {

// Hexadecimal text of a value; a value wider than the column (only possible for data
// that does not fit the device's word) shows as '?' so that the columns stay aligned.
void AppendHex(std::string& out, uint32_t value, int digits) {
  std::string text;
  if (!FormatHex(value, digits, text)) text.assign(static_cast<size_t>(digits), '?');
  out += text;
}

void AppendLine(std::string& out, const ByteBuffer& b, const AreaGeometry& g, int line) {
  const int32_t first = line * g.perLine;
  const int32_t end = std::min(g.items, first + g.perLine);
  AppendHex(out, g.Address(first), g.addrDigits);
  out += ':';
  for (int32_t i = first; i < end; ++i) {
    out += ' ';
    AppendHex(out, ItemValue(b, g, i), g.valueDigits);
  }
}

}  // namespace

int DumpLineCount(const Session& s, MemoryArea area) {
  return Geometry(s, area).Lines();
}

std::string DumpLine(Session& s, MemoryArea area, int line) {
  const AreaGeometry g = Geometry(s, area);
  std::string out;
  if (line < 0 || line >= g.Lines()) return out;
  AppendLine(out, AreaBuffer(s.buf, area), g, line);
  return out;
}

std::string DumpText(Session& s, MemoryArea area) {
  const AreaGeometry g = Geometry(s, area);
  const ByteBuffer& b = AreaBuffer(s.buf, area);
  std::string out;
  const int lines = g.Lines();
  out.reserve(static_cast<size_t>(lines) *
              static_cast<size_t>(g.addrDigits + 2 + g.perLine * (g.valueDigits + 1)));
  for (int line = 0; line < lines; ++line) {
    AppendLine(out, b, g, line);
    out += '\n';
  }
  return out;
}

}  // namespace krv
