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
  for (uint32_t m : {0x0001u, 0x0008u, 0x2000u, 0x3FF0u, 0x0003u, 0x0300u, 0x0006u, 0x3F30u}) {
    for (uint32_t w = 0; w <= 0x3FFF; ++w) {
      for (Sense sense : {Sense::High, Sense::Low}) {
        ASSERT_EQ(BoxTicked(w, m, sense), RoundedState(w, m, sense))
            << std::hex << "w=" << w << " m=" << m << " low=" << (sense == Sense::Low);
      }
    }
  }
}

struct TickCase {
  uint32_t w, m;
  Sense sense;
  bool ticked;
};
void PrintTo(const TickCase& c, std::ostream* os) {
  *os << std::hex << "w=" << c.w << " m=" << c.m << (c.sense == Sense::Low ? " low" : " high");
}
class BoxTickedCases : public testing::TestWithParam<TickCase> {};
TEST_P(BoxTickedCases, Shows) {
  const TickCase& c = GetParam();
  EXPECT_EQ(BoxTicked(c.w, c.m, c.sense), c.ticked);
}
INSTANTIATE_TEST_SUITE_P(
    Words, BoxTickedCases,
    testing::Values(
        // The ten protection bits 13..4 of the PIC16F8x follow bit 13 alone.
        TickCase{0x3FFF, 0x3FF0, Sense::Low, false}, TickCase{0x1FFF, 0x3FF0, Sense::Low, true},
        TickCase{0x200F, 0x3FF0, Sense::Low, false}, TickCase{0x000F, 0x3FF0, Sense::Low, true},
        // Several bits: the share of the field's value decides.
        TickCase{0x1, 0x3, Sense::High, false}, TickCase{0x2, 0x3, Sense::High, true},
        TickCase{0x2, 0x6, Sense::High, false}, TickCase{0x2, 0x6, Sense::Low, true},
        // No bits: never ticked.
        TickCase{0xFFFF, 0, Sense::High, false}, TickCase{0xFFFF, 0, Sense::Low, false},
        TickCase{0x0004, 0x0004, Sense::High, true}, TickCase{0x0004, 0x0004, Sense::Low, false}));

struct WriteCase {
  int32_t w;
  uint32_t m;
  Sense sense;
  bool ticked;
  int32_t after;
};
void PrintTo(const WriteCase& c, std::ostream* os) {
  *os << std::hex << "w=" << c.w << " m=" << c.m << (c.ticked ? " ticked" : " unticked");
}
class WordWithBoxCases : public testing::TestWithParam<WriteCase> {};
TEST_P(WordWithBoxCases, Writes) {
  const WriteCase& c = GetParam();
  EXPECT_EQ(WordWithBox(c.w, c.m, c.sense, c.ticked), c.after);
}
INSTANTIATE_TEST_SUITE_P(Words, WordWithBoxCases,
                         testing::Values(WriteCase{0x3FFF, 0x3FF0, Sense::Low, true, 0x000F},
                                         WriteCase{0x000F, 0x3FF0, Sense::Low, false, 0x3FFF},
                                         WriteCase{0x0FFF, 0x0008, Sense::Low, true, 0x0FF7},
                                         WriteCase{0x0000, 0x0004, Sense::High, true, 0x0004},
                                         WriteCase{0x3FFF, 0x0004, Sense::High, false, 0x3FFB},
                                         WriteCase{0xFFFF, 0x2000, Sense::Low, false, 0xFFFF}));

TEST(WordWithField, ReplacesOnlyTheField) {
  EXPECT_EQ(WordWithField(0x2700, 0x7, 8, 6), 0x2600);
  EXPECT_EQ(WordWithField(0x1F0F, 0x7, 9, 0), 0x110F);
  EXPECT_EQ(WordWithField(0x0F0F, 0x3, 2, 0), 0x0F03);
}

TEST(Twips, FifteenTwipsPerPixelRoundedToNearest) {
  EXPECT_EQ(TwipsToPixels(1800), 120);
  EXPECT_EQ(TwipsToPixels(2000), 133);
  EXPECT_EQ(TwipsToPixels(1000), 67);
  EXPECT_EQ(TwipsToPixels(500), 33);
  EXPECT_EQ(TwipsToPixels(200), 13);
  EXPECT_EQ(TwipsToPixels(7), 0);
  EXPECT_EQ(TwipsToPixels(8), 1);
  EXPECT_EQ(TwipsToPixels(-15), -1);
  EXPECT_EQ(PixelsToTwips(120), 1800);
}

}  // namespace
}  // namespace krv
