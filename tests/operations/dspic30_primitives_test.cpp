// The dsPIC30 vocabulary (instruction bytes and answer unpacking), and the simulated chip as
// a strict checker: what it refuses, and the effects that the operations' round trips cannot
// tell apart by their results alone. The named report sequences are checked within the
// operations' whole report streams.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "dspic30_fixture.h"
#include "operations/dspic30/primitives.h"
#include "sim/dspic30_chip.h"

namespace krv::test {
namespace {

TEST(MovLiteral30, GivesTheThreeInstructionBytesAndRefusesWhatDoesNotFit) {
  const struct {
    int32_t k;
    int d;
    std::array<uint8_t, 3> bytes;
  } cases[] = {
      {0xFC00, 6, {0x2F, 0xC0, 0x06}}, {0x4008, 10, {0x24, 0x00, 0x8A}},
      {0x80, 0, {0x20, 0x08, 0x00}},   {6, 7, {0x20, 0x00, 0x67}},
      {0xFFFF, 6, {0x2F, 0xFF, 0xF6}}, {0x5C0, 6, {0x20, 0x5C, 0x06}},
      {0, 15, {0x20, 0x00, 0x0F}},
  };
  for (const auto& c : cases) EXPECT_EQ(MovLiteral30(c.k, c.d), c.bytes) << c.k;
  EXPECT_THROW(MovLiteral30(0x10000, 6), RuntimeError);
  EXPECT_THROW(MovLiteral30(-1, 6), RuntimeError);
  EXPECT_THROW(MovLiteral30(0, 16), RuntimeError);
}

TEST(Unpack30, CodePairTakesByteFourAsTheSecondInstructionsTopByte) {
  ByteBuffer buf;
  buf.Redim(16, 0x77);
  UnpackCodePair30({0, 0x01, 0x02, 0x03, 0x04, 0x3C, 0x12, 0xEE, 0xDD}, buf, 8);
  const uint8_t want[] = {0x01, 0x02, 0x03, 0, 0x3C, 0x12, 0x04, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(buf.Get(8 + i), want[i]) << i;
  EXPECT_EQ(buf.Get(7), 0x77);
  EXPECT_EQ(buf.Get(16), 0x77);
}

TEST(Unpack30, DataQuadSpreadsFourWords) {
  ByteBuffer buf;
  buf.Redim(16, 0x77);
  UnpackDataQuad30({0, 1, 2, 3, 4, 5, 6, 7, 8}, buf, 0);
  const uint8_t want[] = {1, 2, 0, 0, 3, 4, 0, 0, 5, 6, 0, 0, 7, 8, 0, 0, 0x77};
  for (int i = 0; i <= 16; ++i) EXPECT_EQ(buf.Get(i), want[i]) << i;
}

using sim::DsPic30Chip;
using sim::ProtocolError;

class ChipTest : public ::testing::Test {
 protected:
  ChipTest() : chip(DsPic30Row("PIC30F6014", 49152, 4096)) { chip.EnterProgMode(); }
  void Mov(uint32_t k, uint32_t d) { chip.Six(0x200000 | k << 4 | d); }
  void Page(uint32_t p) {
    Mov(p, 0);
    chip.Six(0x880190);
  }
  void Nvmcon(uint32_t v) {
    Mov(v, 10);
    chip.Six(0x883B0A);
  }
  DsPic30Chip chip;
};

TEST_F(ChipTest, OnlyTheHostsInstructionWordsAreAccepted) {
  for (uint32_t word : {0x000000u, 0x880191u, 0xBA0BB7u, 0xFFFFFFu, 0x300000u})
    EXPECT_THROW(chip.Six(word), ProtocolError) << std::hex << word;
}

TEST_F(ChipTest, RowProgramIsAnAndOfOldAndNewAndNeedsAllItsLatches) {
  Page(1);
  Mov(0x0040, 7);  // row at 0x10040, instruction 0x8020
  const uint32_t v[4] = {0x0A0B0C, 0x1A1B1C, 0x2A2B2C, 0x3A3B3C};
  const uint32_t w[6] = {v[0] & 0xFFFF, (v[1] >> 16) << 8 | v[0] >> 16, v[1] & 0xFFFF,
                         v[2] & 0xFFFF, (v[3] >> 16) << 8 | v[2] >> 16, v[3] & 0xFFFF};
  for (int grp = 0; grp < 8; ++grp) {
    for (uint32_t d = 0; d < 6; ++d) Mov(w[d], d);
    chip.WriteCode();
  }
  EXPECT_EQ(chip.W(7), 0x0080);
  chip.SetCode(0x8021, 0xF0F0F0);  // not erased
  Nvmcon(0x4001);
  chip.StartNvm();
  EXPECT_EQ(chip.Code(0x8020), 0x0A0B0Cu);
  EXPECT_EQ(chip.Code(0x8021), 0x1A1B1Cu & 0xF0F0F0u);
  EXPECT_EQ(chip.Code(0x803F), 0x3A3B3Cu);
  EXPECT_EQ(chip.Code(0x8040), DsPic30Chip::kBlankInstruction);
  ASSERT_EQ(chip.overwrites.size(), 1u);
  EXPECT_EQ(chip.overwrites[0].address, 0x10042u);
  // A row with a latch missing, a latch of another row while one is half loaded, and an
  // operation with nothing latched are refused.
  Mov(0, 7);
  for (int grp = 0; grp < 7; ++grp) chip.WriteCode();
  EXPECT_THROW(chip.StartNvm(), ProtocolError);
  Mov(0x40, 7);
  EXPECT_THROW(chip.WriteCode(), ProtocolError);
  Nvmcon(0x4008);
  EXPECT_THROW(chip.StartNvm(), ProtocolError);
  Nvmcon(0x4003);  // no such operation
  EXPECT_THROW(chip.StartNvm(), ProtocolError);
}

}  // namespace
}  // namespace krv::test
