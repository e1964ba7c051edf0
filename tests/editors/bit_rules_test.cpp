// The check-box rules and the twips conversion.
#include <cfenv>
#include <cmath>

#include <gtest/gtest.h>

#include "editors/bit_rules.h"
#include "shell/twips.h"

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

TEST(WordWithBox, SetsOrClearsEveryBitOfTheBoxAndFieldsReplaceOnlyTheirBits) {
  EXPECT_EQ(WordWithBox(0x3FFF, 0x3FF0, Sense::Low, true), 0x000F);
  EXPECT_EQ(WordWithBox(0x000F, 0x3FF0, Sense::Low, false), 0x3FFF);
  EXPECT_EQ(WordWithBox(0x0FFF, 0x0008, Sense::Low, true), 0x0FF7);
  EXPECT_EQ(WordWithBox(0x0000, 0x0004, Sense::High, true), 0x0004);
  EXPECT_EQ(WordWithBox(0x3FFF, 0x0004, Sense::High, false), 0x3FFB);
  EXPECT_EQ(WordWithBox(0xFFFF, 0x2000, Sense::Low, false), 0xFFFF);
  EXPECT_EQ(WordWithField(0x2700, 0x7, 8, 6), 0x2600);
  EXPECT_EQ(WordWithField(0x1F0F, 0x7, 9, 0), 0x110F);
  EXPECT_EQ(WordWithField(0x0F0F, 0x3, 2, 0), 0x0F03);
}

TEST(Twips, FifteenTwipsPerPixelRoundedToNearest) {
  const std::pair<int, int> cases[] = {{1800, 120}, {2000, 133}, {1000, 67}, {500, 33},
                                       {200, 13},   {7, 0},      {8, 1},     {-15, -1}};
  for (const auto& [twips, pixels] : cases) EXPECT_EQ(TwipsToPixels(twips), pixels) << twips;
  EXPECT_EQ(PixelsToTwips(120), 1800);
}

}  // namespace
}  // namespace krv
