// The dsPIC30 vocabulary: instruction bytes, named report sequences and answer unpacking.
#include <gtest/gtest.h>

#include "dspic30_fixture.h"
#include "operations/dspic30/primitives.h"
#include "shell/errors.h"

namespace krv::test {
namespace {

struct MovCase {
  int32_t k;
  int d;
  std::array<uint8_t, 3> bytes;
};

TEST(MovLiteral30, GivesTheThreeInstructionBytes) {
  const MovCase cases[] = {
      {0xFC00, 6, {0x2F, 0xC0, 0x06}}, {0x4008, 10, {0x24, 0x00, 0x8A}},
      {0x80, 0, {0x20, 0x08, 0x00}},   {6, 7, {0x20, 0x00, 0x67}},
      {0xFFFF, 6, {0x2F, 0xFF, 0xF6}}, {0x5C0, 6, {0x20, 0x5C, 0x06}},
      {0, 15, {0x20, 0x00, 0x0F}},
  };
  for (const MovCase& c : cases) EXPECT_EQ(MovLiteral30(c.k, c.d), c.bytes) << c.k;
}

TEST(MovLiteral30, OutOfRangeIsARunTimeError) {
  EXPECT_THROW(MovLiteral30(0x10000, 6), RuntimeError);
  EXPECT_THROW(MovLiteral30(-1, 6), RuntimeError);
  EXPECT_THROW(MovLiteral30(0, 16), RuntimeError);
}

class SequenceTest : public ::testing::Test {
 protected:
  SequenceTest() : t(DsPic30Row("PIC30F2010", 4096, 1024)) {
    OpenProgMode30(t.s);
    t.prog->ClearLog();
  }
  std::vector<std::string> Sent() {
    auto r = t.Reports();
    t.prog->ClearLog();
    return r;
  }
  DsPic30Session t;
};

TEST_F(SequenceTest, TablePageAndNvmconReports) {
  const std::pair<int32_t, const char*> pages[] = {{0x00, "1D 20 00 00 1D 88 01 90"},
                                                   {0x80, "1D 20 08 00 1D 88 01 90"},
                                                   {0x7F, "1D 20 07 F0 1D 88 01 90"},
                                                   {0xF8, "1D 20 0F 80 1D 88 01 90"}};
  for (const auto& [p, bytes] : pages) {
    SetTablePage30(t.s, p);
    EXPECT_EQ(Sent(), Padded({bytes}));
    EXPECT_EQ(t.chip->TBLPAG(), p);
  }
  const std::pair<int32_t, const char*> nvm[] = {
      {0x4008, "1D 24 00 8A 1D 88 3B 0A"}, {0x407F, "1D 24 07 FA 1D 88 3B 0A"},
      {0x4072, "1D 24 07 2A 1D 88 3B 0A"}, {0x4071, "1D 24 07 1A 1D 88 3B 0A"},
      {0x4001, "1D 24 00 1A 1D 88 3B 0A"}, {0x4005, "1D 24 00 5A 1D 88 3B 0A"}};
  for (const auto& [v, bytes] : nvm) {
    SetNvmcon30(t.s, v);
    EXPECT_EQ(Sent(), Padded({bytes}));
    EXPECT_EQ(t.chip->NVMCON(), v);
  }
  EXPECT_TRUE(t.prog->errors.empty());
}

TEST_F(SequenceTest, ReadPointersOfTheAreas) {
  SetCodeReadPtr30(t.s);
  EXPECT_EQ(Sent(), Padded({"1D 20 00 06 00"}));
  SetConfigReadPtr30(t.s);
  EXPECT_EQ(Sent(), Padded({"1D EB 03 00 1D EB 03 80"}));
  const std::pair<int32_t, const char*> data[] = {{1024, "1D 2F C0 06 1D EB 03 80"},
                                                  {2048, "1D 2F 80 06 1D EB 03 80"},
                                                  {4096, "1D 2F 00 06 1D EB 03 80"}};
  for (const auto& [size, bytes] : data) {
    t.s.dev.DataStart30 = 0x800000 - size;
    SetDataReadPtr30(t.s);
    EXPECT_EQ(Sent(), Padded({bytes}));
  }
}

TEST_F(SequenceTest, AreaSetupSendsResetPageAndPointer) {
  AreaSetup30(t.s, Area30::Data, false);
  EXPECT_EQ(Sent(), Padded({"25 00", "1D 20 07 F0 1D 88 01 90", "1D 2F C0 06 1D EB 03 80"}));
  AreaSetup30(t.s, Area30::Exec, true);
  EXPECT_EQ(Sent(), Padded({"1D 20 08 00 1D 88 01 90", "1D 20 00 06 00"}));
}

TEST_F(SequenceTest, ConfigurationRegisterWriteAndRead) {
  MovToW30(t.s, 0, 7);
  WriteConfigReg30(t.s, 0x1234);
  EXPECT_EQ(Sent(), Padded({"1D 20 00 07 00", "1D 24 00 8A 1D 88 3B 0A", "1D 20 0F 80 1D 88 01 90",
                            "1D 21 23 46 00", "1D BB 1B 86 1F 1F 00", "24 00"}));
  EXPECT_EQ(t.chip->Config(1), 0x1234 & 0xC30F);
  t.chip->SetConfig(3, 0x8123);
  AreaSetup30(t.s, Area30::Config, false);
  ReadConfigReg30(t.s);
  ReadConfigReg30(t.s);
  t.prog->ClearLog();
  EXPECT_EQ(ReadConfigReg30(t.s), 0x8123 & 0x87B3);  // byte 2 high, byte 1 low
  EXPECT_EQ(Sent(), Padded({"1D BA 0B B6 1F 1F 00", "1D 88 3C 20 1F 1E 1F 00", "25 00"}));
  EXPECT_EQ(t.prog->QueuedAnswers(), 0u);
}

TEST(Unpack30, CodePairTakesByteFourAsTheSecondInstructionsTopByte) {
  ByteBuffer buf;
  buf.Redim(16, 0x77);
  std::array<uint8_t, 9> in{0, 0x01, 0x02, 0x03, 0x04, 0x3C, 0x12, 0xEE, 0xDD};
  UnpackCodePair30(in, buf, 8);
  const uint8_t want[] = {0x01, 0x02, 0x03, 0, 0x3C, 0x12, 0x04, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(buf.Get(8 + i), want[i]) << i;
  EXPECT_EQ(buf.Get(7), 0x77);
  EXPECT_EQ(buf.Get(16), 0x77);
}

TEST(Unpack30, DataQuadSpreadsFourWords) {
  ByteBuffer buf;
  buf.Redim(16, 0x77);
  std::array<uint8_t, 9> in{0, 1, 2, 3, 4, 5, 6, 7, 8};
  UnpackDataQuad30(in, buf, 0);
  const uint8_t want[] = {1, 2, 0, 0, 3, 4, 0, 0, 5, 6, 0, 0, 7, 8, 0, 0, 0x77};
  for (int i = 0; i <= 16; ++i) EXPECT_EQ(buf.Get(i), want[i]) << i;
}

TEST_F(SequenceTest, ReadBlocksMoveOnFromBlockToBlock) {
  for (int n = 0; n < 32; ++n)
    t.chip->SetCode(n, 0x010000u * static_cast<uint32_t>(n) + 0x0101u * static_cast<uint32_t>(n));
  AreaSetup30(t.s, Area30::Code, true);
  ReadCodeBlock30(t.s, t.s.buf.CodeBuffer, 0);
  ReadCodeBlock30(t.s, t.s.buf.CodeBuffer, 64);
  for (int n = 0; n < 32; ++n)
    EXPECT_EQ(t.Instruction(t.s.buf.CodeBuffer, n), t.chip->Code(n)) << n;
  EXPECT_EQ(t.Reports().back(), "20 20 20 20 20 20 20 20");
  EXPECT_EQ(t.prog->QueuedAnswers(), 0u);
}

}  // namespace
}  // namespace krv::test
