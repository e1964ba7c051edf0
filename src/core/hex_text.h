#pragma once
// Hexadecimal text, read and written in one place: the settings flags, the fill values,
// the HEX records, the dialogs' boxes and the dumps all go through these.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace krv {

// The value of each character as a hexadecimal digit (either case), kNotHex for any other:
// one look-up both tells a digit and gives its value, so that a run of digits can be
// checked and read at once (its values OR-ed together exceed 0xF when one is no digit).
inline constexpr uint8_t kNotHex = 0xFF;
inline constexpr std::array<uint8_t, 256> kHexValue = [] {
  std::array<uint8_t, 256> t{};
  t.fill(kNotHex);
  for (uint8_t i = 0; i < 16; ++i) t[static_cast<uint8_t>("0123456789ABCDEF"[i])] = i;
  for (uint8_t i = 10; i < 16; ++i) t[static_cast<uint8_t>('a' + i - 10)] = i;
  return t;
}();

// The value of one hexadecimal digit (either case), or -1.
constexpr int HexDigit(char c) {
  const uint8_t v = kHexValue[static_cast<uint8_t>(c)];
  return v == kNotHex ? -1 : v;
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
