#pragma once
// How a check box shows and writes the bits of a configuration word. A ticked box always
// means that the function named by its caption is on: an active-high box stores 1 in its
// bits when ticked, an active-low box stores 0.
#include <cstdint>

namespace krv {

enum class Sense { High, Low };

// The box's state from word `w` and its bits `m`. For a single bit this is the bit (or its
// inverse). For several bits it is (w And m) / m rounded to the nearest integer: active-high
// ticked when that rounds to 1, active-low when it rounds to 0 (an exact half cannot occur,
// as m / 2 is never made of bits of m). A box without bits (m = 0) is unticked.
constexpr bool BoxTicked(uint32_t w, uint32_t m, Sense sense) {
  const uint64_t doubled = 2ull * (w & m);
  return sense == Sense::High ? doubled > m : doubled < m;
}

// Word `w` after the box with bits `m` was set to `ticked`: every bit of m set or cleared.
constexpr int32_t WordWithBox(int32_t w, uint32_t m, Sense sense, bool ticked) {
  const bool ones = (sense == Sense::High) == ticked;
  return static_cast<int32_t>((static_cast<uint32_t>(w) & ~m) | (ones ? m : 0u));
}

// Word `w` with the field `fieldMask << shift` replaced by `value`.
constexpr int32_t WordWithField(int32_t w, uint32_t fieldMask, int shift, uint32_t value) {
  return static_cast<int32_t>((static_cast<uint32_t>(w) & ~(fieldMask << shift)) |
                              ((value & fieldMask) << shift));
}

// The value whose bits, lowest first, are the bits of `w` under `mask`, lowest first: with
// mask 0x13, bits 1..0 of w give value bits 1..0 and bit 4 gives value bit 2.
constexpr int SpreadIndex(uint32_t w, uint32_t mask) {
  int value = 0, k = 0;
  for (uint32_t b = 1; b != 0; b <<= 1)
    if (mask & b) value |= ((w & b) ? 1 : 0) << k++;
  return value;
}

// Word `w` with the bits under `mask` taken from `value` the same way round.
constexpr uint32_t WordWithSpread(uint32_t w, uint32_t mask, int value) {
  int k = 0;
  for (uint32_t b = 1; b != 0; b <<= 1)
    if (mask & b) w = (value >> k++) & 1 ? w | b : w & ~b;
  return w;
}

}  // namespace krv
