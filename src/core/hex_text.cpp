#include "core/hex_text.h"

namespace krv {

HexPrefix ReadHexPrefix(std::string_view text, size_t maxDigits) {
  HexPrefix p;
  if (maxDigits > 8) maxDigits = 8;
  for (; p.digits < text.size() && p.digits < maxDigits; ++p.digits) {
    const int d = HexDigit(text[p.digits]);
    if (d < 0) break;
    p.value = p.value << 4 | static_cast<uint32_t>(d);
  }
  return p;
}

std::optional<uint32_t> ParseHex(std::string_view text) {
  const HexPrefix p = ReadHexPrefix(text);
  if (p.digits == 0 || p.digits != text.size()) return std::nullopt;
  return p.value;
}

bool FormatHex(uint32_t value, int digits, std::string& out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char buf[8];
  int n = 0;
  do {
    buf[n++] = kDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  if (n > digits || digits > 8) return false;
  out.assign(static_cast<size_t>(digits - n), '0');
  while (n > 0) out += buf[--n];
  return true;
}

}  // namespace krv
