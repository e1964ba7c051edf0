#pragma once
// Hexadecimal text, read and written in one place: the settings flags, the fill values,
// the HEX records, the dialogs' boxes and the dumps all go through these.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace krv {

// The value of one hexadecimal digit (either case), or -1.
constexpr int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The hexadecimal digits at the start of `text`, read up to the first character that is
// not one and at most `maxDigits` (at most 8) of them: their value and how many were read.
struct HexPrefix {
  uint32_t value = 0;
  size_t digits = 0;
};
HexPrefix ReadHexPrefix(std::string_view text, size_t maxDigits = 8);

// `text` when it is one to eight hexadecimal digits and nothing else.
std::optional<uint32_t> ParseHex(std::string_view text);

// Upper-case hexadecimal text of `value`, left-padded with zeros to `digits` (at most 8).
// False when the value needs more digits.
bool FormatHex(uint32_t value, int digits, std::string& out);

}  // namespace krv
