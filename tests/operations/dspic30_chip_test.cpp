// The simulated dsPIC30F: each instruction word and block command against its effect.
#include <gtest/gtest.h>

#include "dspic30_fixture.h"
#include "sim/dspic30_chip.h"

namespace krv::test {
namespace {

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
  DsPic30Chip chip;
};

TEST_F(ChipTest, MovAndRegisterMoves) {
  Mov(0x4071, 10);
  chip.Six(0x883B0A);
  EXPECT_EQ(chip.NVMCON(), 0x4071);
  Mov(0x05C0, 6);
  chip.Six(0x883B16);
  Mov(0x80, 7);
  chip.Six(0x883B27);
  EXPECT_EQ(chip.NVMADR(), 0x05C0);
  EXPECT_EQ(chip.NVMADRU(), 0x80);
  Page(0xF8);
  EXPECT_EQ(chip.TBLPAG(), 0xF8);
  Mov(0xBEEF, 0);
  chip.Six(0x883C20);
  EXPECT_EQ(chip.VISI(), 0xBEEF);
  EXPECT_EQ(chip.RegOut(), (sim::Answer{0xEF, 0xBE, 0, 0, 0, 0, 0, 0}));
  chip.Six(0xEB0300);
  chip.Six(0xEB0380);
  EXPECT_EQ(chip.W(6), 0);
  EXPECT_EQ(chip.W(7), 0);
}

TEST_F(ChipTest, OnlyTheHostsInstructionWordsAreAccepted) {
  for (uint32_t word : {0x000000u, 0x880191u, 0xBA0BB7u, 0xFFFFFFu, 0x300000u})
    EXPECT_THROW(chip.Six(word), ProtocolError) << std::hex << word;
}

TEST_F(ChipTest, ReadCodePacksAPairAndCarriesIntoTheTablePage) {
  chip.SetCode(0x7FFE, 0x123456);  // address 0xFFFC
  chip.SetCode(0x7FFF, 0xABCDEF);  // address 0xFFFE
  chip.SetCode(0x8000, 0x010203);  // address 0x10000
  Mov(0xFFFC, 6);
  EXPECT_EQ(chip.ReadCode(), (sim::Answer{0x56, 0x34, 0x12, 0xAB, 0xEF, 0xCD, 0, 0}));
  EXPECT_EQ(chip.TBLPAG(), 1);
  EXPECT_EQ(chip.W(6), 0);
  EXPECT_EQ(chip.ReadCode()[0], 0x03);
  EXPECT_EQ(chip.W(6), 4);
}

TEST_F(ChipTest, ReadDataGivesFourWordsLowByteFirst) {
  chip.SetDataWord(2, 0x1234);
  Page(0x7F);
  Mov(0xF000, 6);
  EXPECT_EQ(chip.ReadData(), (sim::Answer{0xFF, 0xFF, 0xFF, 0xFF, 0x34, 0x12, 0xFF, 0xFF}));
  EXPECT_EQ(chip.W(6), 0xF008);
  Mov(0xEFF8, 6);  // below the EEPROM
  EXPECT_THROW(chip.ReadData(), ProtocolError);
}

TEST_F(ChipTest, ProgramRowIsAnAndOfOldAndNewAndRecordsOverwrites) {
  Page(1);
  Mov(0x0040, 7);  // row at 0x10040, instruction 0x8020
  const uint32_t v[4] = {0x0A0B0C, 0x1A1B1C, 0x2A2B2C, 0x3A3B3C};
  for (int grp = 0; grp < 8; ++grp) {
    Mov(v[0] & 0xFFFF, 0);
    Mov((v[1] >> 16) << 8 | v[0] >> 16, 1);
    Mov(v[1] & 0xFFFF, 2);
    Mov(v[2] & 0xFFFF, 3);
    Mov((v[3] >> 16) << 8 | v[2] >> 16, 4);
    Mov(v[3] & 0xFFFF, 5);
    chip.WriteCode();
  }
  EXPECT_EQ(chip.W(7), 0x0080);
  chip.SetCode(0x8021, 0xF0F0F0);  // not erased
  Mov(0x4001, 10);
  chip.Six(0x883B0A);
  chip.StartNvm();
  EXPECT_EQ(chip.Code(0x8020), 0x0A0B0Cu);
  EXPECT_EQ(chip.Code(0x8021), 0x1A1B1Cu & 0xF0F0F0u);
  EXPECT_EQ(chip.Code(0x803F), 0x3A3B3Cu);
  EXPECT_EQ(chip.Code(0x8040), DsPic30Chip::kBlankInstruction);
  ASSERT_EQ(chip.overwrites.size(), 1u);
  EXPECT_EQ(chip.overwrites[0].address, 0x10042u);
}

TEST_F(ChipTest, ARowWriteNeedsAllItsLatches) {
  Mov(0, 7);
  for (int grp = 0; grp < 7; ++grp) chip.WriteCode();
  Mov(0x4001, 10);
  chip.Six(0x883B0A);
  EXPECT_THROW(chip.StartNvm(), ProtocolError);
  Mov(0x40, 7);  // a latch of the next row while the first is half loaded
  EXPECT_THROW(chip.WriteCode(), ProtocolError);
}

TEST_F(ChipTest, DataRowProgramsSixteenWords) {
  Page(0x7F);
  Mov(0xF020, 7);
  for (uint32_t grp = 0; grp < 4; ++grp) {
    for (uint32_t w = 0; w < 4; ++w) Mov(0x1000 * grp + w, w);
    chip.WriteData();
  }
  Mov(0x4005, 10);
  chip.Six(0x883B0A);
  chip.StartNvm();
  EXPECT_EQ(chip.DataWord(15), 0xFFFF);
  EXPECT_EQ(chip.DataWord(16), 0x0000);
  EXPECT_EQ(chip.DataWord(31), 0x3003);
  EXPECT_EQ(chip.DataWord(32), 0xFFFF);
}

TEST_F(ChipTest, BulkEraseClearsProgramAndDataButNotExecutiveOrConfiguration) {
  chip.SetCode(5, 0);
  chip.SetDataWord(7, 0);
  chip.SetExec(3, 0);
  chip.SetConfig(2, 0);
  Mov(0x407F, 10);
  chip.Six(0x883B0A);
  chip.StartNvm();
  EXPECT_EQ(chip.Code(5), DsPic30Chip::kBlankInstruction);
  EXPECT_EQ(chip.DataWord(7), 0xFFFF);
  EXPECT_EQ(chip.Exec(3), 0u);
  EXPECT_EQ(chip.Config(2), 0);
}

TEST_F(ChipTest, RowEraseAtNvmadruNvmadr) {
  for (int n = 0; n < DsPic30Chip::kExecInstructions; ++n) chip.SetExec(n, 0);
  Mov(0x05C0, 6);
  chip.Six(0x883B16);
  Mov(0x80, 7);
  chip.Six(0x883B27);
  Mov(0x4071, 10);
  chip.Six(0x883B0A);
  chip.StartNvm();
  EXPECT_EQ(chip.Exec(0x2DF), 0u);
  for (int n = 0x2E0; n < 0x300; ++n) EXPECT_EQ(chip.Exec(n), DsPic30Chip::kBlankInstruction);
  Mov(0x05A0, 6);  // not the first address of a row
  chip.Six(0x883B16);
  EXPECT_THROW(chip.StartNvm(), ProtocolError);
}

TEST_F(ChipTest, ConfigurationWriteAndReadThroughVisi) {
  Page(0xF8);
  Mov(0, 7);
  Mov(0x4008, 10);
  chip.Six(0x883B0A);
  for (uint32_t k = 1; k <= 7; ++k) {
    Mov(0xFFF0 + k, 6);
    chip.Six(0xBB1B86);  // TBLWTL W6, [W7++]
    chip.StartNvm();
  }
  EXPECT_EQ(chip.W(7), 14);
  EXPECT_EQ(chip.Config(1), 0xFFF1 & 0xC30F);  // unimplemented bits read 0
  EXPECT_EQ(chip.Config(7), 0xFFF7 & 0xC003);
  chip.Six(0xEB0300);
  chip.Six(0xEB0380);
  chip.Six(0xBA0BB6);  // TBLRDL [W6++], [W7]
  chip.Six(0xBA0BB6);
  EXPECT_EQ(chip.W(0), 0xFFF2 & 0x803F);
  EXPECT_EQ(chip.W(6), 4);
  chip.Six(0x883C20);
  EXPECT_EQ(chip.RegOut()[0], (0xFFF2 & 0x803F) & 0xFF);
}

TEST_F(ChipTest, StartNvmRejectsUnknownOperationsAndMissingLatches) {
  Mov(0x4008, 10);
  chip.Six(0x883B0A);
  EXPECT_THROW(chip.StartNvm(), ProtocolError);  // nothing latched
  Mov(0x4003, 10);
  chip.Six(0x883B0A);
  EXPECT_THROW(chip.StartNvm(), ProtocolError);
}

TEST_F(ChipTest, StuckBitsShowInReadsNotInWhatWasProgrammed) {
  chip.SetCode(1, 0x000001);
  chip.StickBits(2, 0x800001, 0x800000);  // bit 23 stuck at 1, bit 0 at 0
  Mov(0, 6);
  const sim::Answer a = chip.ReadCode();
  EXPECT_EQ(a[3], 0x80);  // byte 4: the second instruction's top byte
  EXPECT_EQ(a[4], 0x00);
  EXPECT_EQ(chip.Code(1), 0x000001u);
}

TEST_F(ChipTest, EnteringProgrammingModeResetsTheRegisters) {
  Mov(0x1234, 7);
  Page(0x80);
  chip.ExitProgMode();
  EXPECT_FALSE(chip.InProgMode());
  chip.EnterProgMode();
  EXPECT_EQ(chip.W(7), 0);
  EXPECT_EQ(chip.TBLPAG(), 0);
}

}  // namespace
}  // namespace krv::test
