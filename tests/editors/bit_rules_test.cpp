// The check-box rule and the twips conversion. Writing a box or a field into a word is
// checked through the dialogs' clicks and picks.
#include <cfenv>
#include <cmath>

#include <gtest/gtest.h>

#include "core/twips.h"
#include "editors/bit_rules.h"

namespace krv {
namespace {

// The state a box shows, computed as the dialogs describe it: (W And m) / m in floating
// point (for active-low |that - 1|), rounded to the nearest integer, halves to even.
bool RoundedState(uint32_t w, uint32_t m, Sense sense) {
  const double share = static_cast<double>(w & m) / m;
  const double v = sense == Sense::High ? share : std::fabs(share - 1);
  return std::nearbyint(v) != 0;
}

TEST(BoxTicked, MatchesTheRoundedShareForEveryWord) {
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  // Single bits, the ten protection bits 13..4 of the PIC16F8x, and fields of several bits.
  for (uint32_t m : {0x0001u, 0x0008u, 0x2000u, 0x3FF0u, 0x0003u, 0x0300u, 0x0006u, 0x3F30u}) {
    for (uint32_t w = 0; w <= 0x3FFF; ++w) {
      for (Sense sense : {Sense::High, Sense::Low}) {
        ASSERT_EQ(BoxTicked(w, m, sense), RoundedState(w, m, sense))
            << std::hex << "w=" << w << " m=" << m << " low=" << (sense == Sense::Low);
      }
    }
  }
  // A box without bits is never ticked.
  EXPECT_FALSE(BoxTicked(0xFFFF, 0, Sense::High));
  EXPECT_FALSE(BoxTicked(0xFFFF, 0, Sense::Low));
}

TEST(Twips, FifteenTwipsPerPixelRoundedToNearest) {
  const std::pair<int, int> cases[] = {{1800, 120}, {2000, 133}, {1000, 67}, {500, 33},
                                       {200, 13},   {7, 0},      {8, 1},     {-15, -1}};
  for (const auto& [twips, pixels] : cases) EXPECT_EQ(TwipsToPixels(twips), pixels) << twips;
  EXPECT_EQ(PixelsToTwips(120), 1800);
}

}  // namespace
}  // namespace krv
