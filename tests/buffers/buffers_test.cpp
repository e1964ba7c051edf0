// Sizing, blank fill and checksum of the host buffers.
#include <gtest/gtest.h>

#include "buffers/buffers.h"
#include "core/errors.h"
#include "test_devices.h"

namespace krv::test {
namespace {

// Sizes and blank contents: the repeating pattern of the first unit of each buffer, and
// the configuration state of a blank chip.
struct BlankCase {
  const char* device;
  int32_t codeUBound, dataUBound, execUBound;
  uint32_t blankWord;
  std::vector<uint8_t> codeUnit, dataUnit;
  int32_t configWord, config1;
  uint8_t idHigh;  // the user IDs alternate 0xFF and this
};
void PrintTo(const BlankCase& c, std::ostream* os) {
  *os << c.device;
}

void ExpectPattern(const ByteBuffer& b, const std::vector<uint8_t>& unit) {
  const int32_t used = b.Size() - 1;  // the top element is spare
  ASSERT_EQ(unit.empty() ? used : used % static_cast<int32_t>(unit.size()), 0);
  for (int32_t i = 0; i < used; ++i) ASSERT_EQ(b.Get(i), unit[i % unit.size()]) << "element " << i;
  EXPECT_EQ(b.Get(used), 0) << "spare element";
}

class BlankTest : public ::testing::TestWithParam<BlankCase> {};

TEST_P(BlankTest, SizedWithTheSpareElementThenFilledBlank) {
  const BlankCase& c = GetParam();
  TestSession t;
  t.s.dev = TestDevice(c.device);
  t.s.buf.CodeBuffer.Redim(10, 0x55);
  SizeBuffers(t.s);
  EXPECT_EQ(t.s.buf.CodeBuffer.UBound(), c.codeUBound);
  EXPECT_EQ(t.s.buf.DataBuffer.UBound(), c.dataUBound);
  EXPECT_EQ(t.s.buf.ExecBuffer.UBound(), c.execUBound);
  EXPECT_EQ(t.s.buf.BlankWord, c.blankWord);
  EXPECT_EQ(t.s.buf.BlankData, 0xFF);
  EXPECT_EQ(t.s.buf.CodeBuffer.Sum(0, t.s.buf.CodeBuffer.Size()), 0u) << "contents dropped";

  t.s.cfg.ConfigWord = 0x1234;
  t.s.cfg.Config.fill(0x42);
  t.s.cfg.UserID.fill(0x11);
  t.s.cfg.CalibWord1 = t.s.cfg.CalibWord2 = 0x1111;
  InitWindows(t.s);
  ExpectPattern(t.s.buf.CodeBuffer, c.codeUnit);
  ExpectPattern(t.s.buf.DataBuffer, c.dataUnit);
  if (c.execUBound >= 0) ExpectPattern(t.s.buf.ExecBuffer, c.codeUnit);
  EXPECT_EQ(t.s.cfg.ConfigWord, c.configWord);
  EXPECT_EQ(t.s.cfg.Config[1], c.config1);
  for (int k = 2; k <= 7; ++k) EXPECT_EQ(t.s.cfg.Config[k], 0xFFFF);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(t.s.cfg.UserID[i], i % 2 ? c.idHigh : 0xFF);
  EXPECT_EQ(t.s.cfg.CalibWord1, 0x3FFF);
  EXPECT_EQ(t.s.cfg.CalibWord2, 0x3FFF);
  EXPECT_EQ(t.window.showWindows, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Families, BlankTest,
    ::testing::Values(
        BlankCase{"PIC12F508", 1024, 0, -1, 0xFFF, {0xFF, 0x0F}, {}, 0xFFF, 0xFFFF, 0x0F},
        BlankCase{"PIC16F84A", 2048, 64, -1, 0x3FFF, {0xFF, 0x3F}, {0xFF}, 0x3FFF, 0xFFFF, 0x3F},
        BlankCase{"PIC16F88", 8192, 256, -1, 0x3FFF, {0xFF, 0x3F}, {0xFF}, 0x3FFF, 0x3FFF, 0x3F},
        BlankCase{"PIC18F452-4539", 32768, 256, -1, 0xFFFF, {0xFF}, {0xFF}, 0x3FFF, 0xFFFF, 0xFF},
        BlankCase{"PIC30F6014A",
                  196608,
                  8192,
                  2944,
                  0xFFFFFF,
                  {0xFF, 0xFF, 0xFF, 0},
                  {0xFF, 0xFF, 0, 0},
                  0x3FFF,
                  0xFFFF,
                  0xFF}));

TEST(OscCal, ReadsZeroAfterADeviceSelectionAndSurvivesClear) {
  TestSession t;
  SelectTestDevice(t, "PIC12F629");
  t.s.cfg.OscCalHigh = 0x34;
  t.s.cfg.OscCalLow = 0x80;
  t.s.buf.CodeBuffer.Set(0, 0x12);
  ClearBuffers(t.s);
  EXPECT_EQ(t.s.buf.CodeBuffer.Get(0), 0xFF);
  EXPECT_EQ(t.s.cfg.OscCalHigh, 0x34);
  EXPECT_EQ(t.s.cfg.OscCalLow, 0x80);
  SelectTestDevice(t, "PIC12F629");
  EXPECT_EQ(t.s.cfg.OscCalHigh, 0);
  EXPECT_EQ(t.s.cfg.OscCalLow, 0);
}

// Checksums of blank chips; the dsPIC30 values count the masked blank registers
// (0x406) on top of 765 per instruction.
TEST(CSum, LabelOfABlankChip) {
  const std::pair<const char*, const char*> cases[] = {
      {"PIC30F2010", "CSum: D406"}, {"PIC30F6014A", "CSum: C406"},
      {"PIC16F84A", "CSum: 3BFF"},  {"PIC16F88", "CSum: 3002"},
      {"PIC12F508", "CSum: EE20"},  {"PIC18F452-4539", "CSum: ----"}};
  for (const auto& [device, label] : cases) {
    TestSession t;
    SelectTestDevice(t, device);
    EXPECT_EQ(t.window.csum, label) << device;
  }
}

TEST(CSum, TwelveFourteenBitCountsMaskedConfigurationAndProgramWordsButNotTheOscCalWord) {
  TestSession t;
  SelectTestDevice(t, "PIC12F629");
  const int32_t blank = CalcDeviceCSum(t.s);
  // The OscCal word (the last program word) does not count.
  t.s.buf.CodeBuffer.Set(2 * 1023, 0x80);
  t.s.buf.CodeBuffer.Set(2 * 1023 + 1, 0x34);
  EXPECT_EQ(CalcDeviceCSum(t.s), blank);
  // Any other word does: 0x3FFF -> 0x0000.
  t.s.buf.CodeBuffer.Set(2 * 1022, 0);
  t.s.buf.CodeBuffer.Set(2 * 1022 + 1, 0);
  EXPECT_EQ(CalcDeviceCSum(t.s), (blank - 0x3FFF) & 0xFFFF);
  // Configuration bits outside the part's mask (the BandGap bits 13..12 and the
  // unimplemented 11..9 here) do not count; the others do.
  t.s.cfg.ConfigWord = 0x3FFF & ~0x3E00;
  EXPECT_EQ(CalcDeviceCSum(t.s), (blank - 0x3FFF) & 0xFFFF);
  t.s.cfg.ConfigWord = 0x3FFF & ~0x0001;
  EXPECT_EQ(CalcDeviceCSum(t.s), (blank - 0x3FFF - 1) & 0xFFFF);
  // Data EEPROM, user IDs and calibration words never count.
  t.s.buf.DataBuffer.Set(0, 0);
  t.s.cfg.UserID.fill(0);
  t.s.cfg.CalibWord1 = 0;
  EXPECT_EQ(CalcDeviceCSum(t.s), (blank - 0x3FFF - 1) & 0xFFFF);
  EXPECT_EQ(t.window.csum, "CSum: 7E00");
}

TEST(CSum, SecondConfigurationWordCountsOnlyWhereThePartHasOne) {
  TestSession t;
  SelectTestDevice(t, "PIC16F88");
  const int32_t blank = CalcDeviceCSum(t.s);
  t.s.cfg.Config[1] = 0x3FFC;  // both implemented bits cleared
  EXPECT_EQ(CalcDeviceCSum(t.s), blank - 3);
  SelectTestDevice(t, "PIC16F84A");
  const int32_t blank84 = CalcDeviceCSum(t.s);
  t.s.cfg.Config[1] = 0;
  EXPECT_EQ(CalcDeviceCSum(t.s), blank84);
}

TEST(CSum, DsPic30CountsMaskedRegistersAndProgramMemoryOnly) {
  TestSession t;
  SelectTestDevice(t, "PIC30F2010");
  t.s.cfg.Config[1] = 0x00FF;  // masked by 0xC100: nothing of it counts
  t.s.buf.ExecBuffer.Set(0, 0);
  t.s.buf.DataBuffer.Set(0, 0);
  EXPECT_EQ(CalcDeviceCSum(t.s), 0xD406 - 0xC1);
  t.s.buf.CodeBuffer.Set(4 * 4095 + 2, 0x00);  // the last instruction counts
  EXPECT_EQ(CalcDeviceCSum(t.s), 0xD406 - 0xC1 - 0xFF);
  EXPECT_EQ(t.window.csum, "CSum: D246");
}

TEST(CSum, UndersizedBufferIsReportedNotUndefined) {
  TestSession t;
  SelectTestDevice(t, "PIC16F84A");
  t.s.buf.CodeBuffer.Redim(10);
  EXPECT_EQ(CalcDeviceCSum(t.s), 0);
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].style, 16);
  EXPECT_NE(t.window.boxes[0].title.find("[CalcDeviceCSum]"), std::string::npos);
}

TEST(ByteBufferTest, RejectsOutOfRangeIndexAndValue) {
  ByteBuffer b;
  b.Redim(3);
  EXPECT_THROW(b.Get(4), RuntimeError);
  EXPECT_THROW(b.Get(-1), RuntimeError);
  EXPECT_THROW(b.Set(4, 0), RuntimeError);
  EXPECT_THROW(b.Set(0, 256), RuntimeError);
  b.Set(3, 255);
  EXPECT_EQ(b.Get(3), 255);
}

}  // namespace
}  // namespace krv::test
