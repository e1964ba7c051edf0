// Buffers > Fill: ranges, values and the refusal of bad input.
#include <gtest/gtest.h>

#include "buffers/fill.h"
#include "test_devices.h"

namespace krv::test {
namespace {

struct GoodFill {
  const char* device;
  DumpArea area;
  const char *first, *last, *value;
  int32_t firstElement, lastElement;  // buffer elements that change (padding included)
  std::vector<uint8_t> unit;          // the bytes of one item as stored
};
void PrintTo(const GoodFill& c, std::ostream* os) {
  *os << c.device;
}

class GoodFillTest : public ::testing::TestWithParam<GoodFill> {};

TEST_P(GoodFillTest, FillsExactlyTheRangeThenChecksumAndViews) {
  const GoodFill& c = GetParam();
  TestSession t;
  SelectTestDevice(t, c.device);
  const ByteBuffer before = AreaBuffer(t.s.buf, c.area);
  const int views = t.window.showWindows;
  t.window.csum.clear();
  EXPECT_EQ(FillBuffer(t.s, c.area, c.first, c.last, c.value), "");
  const ByteBuffer& after = AreaBuffer(t.s.buf, c.area);
  for (int32_t i = 0; i < after.Size(); ++i) {
    if (i < c.firstElement || i > c.lastElement)
      ASSERT_EQ(after.Get(i), before.Get(i)) << "element " << i;
    else
      ASSERT_EQ(after.Get(i), c.unit[(i - c.firstElement) % c.unit.size()]) << "element " << i;
  }
  EXPECT_EQ(t.window.showWindows, views + 1);
  EXPECT_FALSE(t.window.csum.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Areas, GoodFillTest,
    ::testing::Values(
        GoodFill{"PIC16F84A", DumpArea::Code, "10", "1F", "2A5", 0x20, 0x3F, {0xA5, 0x02}},
        GoodFill{"PIC16F84A", DumpArea::Code, "3FF", "3FF", "0", 0x7FE, 0x7FF, {0, 0}},
        GoodFill{"PIC12F508", DumpArea::Code, "0", "0", "FFF", 0, 1, {0xFF, 0x0F}},
        GoodFill{"PIC16F84A", DumpArea::Data, "3", "5", "7", 3, 5, {7}},
        GoodFill{"PIC18F452-4539", DumpArea::Code, "7FFF", "7FFF", "12", 0x7FFF, 0x7FFF, {0x12}},
        // dsPIC30: the fourth byte of each instruction and the upper half of each data
        // word stay 0.
        GoodFill{"PIC30F4013", DumpArea::Code, "4", "8", "123456", 8, 19, {0x56, 0x34, 0x12, 0}},
        GoodFill{"PIC30F4013", DumpArea::Exec, "800000", "8005BE", "0", 0, 2943, {0, 0, 0, 0}},
        GoodFill{
            "PIC30F4013", DumpArea::Data, "7FFC02", "7FFC02", "beef", 4, 7, {0xEF, 0xBE, 0, 0}}));

struct BadFill {
  const char* device;
  DumpArea area;
  const char *first, *last, *value;
  const char* error;  // the start of the message
};
void PrintTo(const BadFill& c, std::ostream* os) {
  *os << c.device;
}

class BadFillTest : public ::testing::TestWithParam<BadFill> {};

TEST_P(BadFillTest, ChangesNothingAndSaysWhy) {
  const BadFill& c = GetParam();
  TestSession t;
  SelectTestDevice(t, c.device);
  const BufferState before = t.s.buf;
  const int views = t.window.showWindows;
  const std::string error = FillBuffer(t.s, c.area, c.first, c.last, c.value);
  EXPECT_EQ(error.substr(0, std::string(c.error).size()), c.error) << error;
  EXPECT_EQ(t.s.buf.CodeBuffer, before.CodeBuffer);
  EXPECT_EQ(t.s.buf.DataBuffer, before.DataBuffer);
  EXPECT_EQ(t.s.buf.ExecBuffer, before.ExecBuffer);
  EXPECT_EQ(t.window.showWindows, views);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BadFillTest,
    ::testing::Values(
        BadFill{"PIC16F84A", DumpArea::Code, "", "10", "0", "Enter the first address"},
        BadFill{"PIC16F84A", DumpArea::Code, "0", "10", "", "Enter the first address"},
        BadFill{"PIC16F84A", DumpArea::Code, "0", "1G", "0", "Enter the first address"},
        BadFill{"PIC16F84A", DumpArea::Code, "0", "123456789", "0", "Enter the first address"},
        BadFill{"PIC16F84A", DumpArea::Code, "0", "400", "0",
                "The addresses must lie within 0x0000 - 0x03FF."},
        BadFill{"PIC16F84A", DumpArea::Data, "0", "40", "0",
                "The addresses must lie within 0x0000 - 0x003F."},
        BadFill{"PIC16F84A", DumpArea::Code, "20", "10", "0", "The first address must not"},
        BadFill{"PIC16F84A", DumpArea::Code, "0", "0", "4000",
                "The value must not be above 0x3FFF."},
        BadFill{"PIC12F508", DumpArea::Code, "0", "0", "1000",
                "The value must not be above 0xFFF."},
        BadFill{"PIC16F84A", DumpArea::Data, "0", "0", "100", "The value must not be above 0xFF."},
        BadFill{"PIC18F452-4539", DumpArea::Code, "0", "0", "100", "The value must not be above"},
        BadFill{"PIC12F508", DumpArea::Data, "0", "0", "0", "The selected device has no such"},
        BadFill{"PIC16F84A", DumpArea::Exec, "0", "0", "0", "The selected device has no such"},
        BadFill{"PIC30F4013", DumpArea::Code, "1", "3", "0", "The addresses of this memory must"},
        BadFill{"PIC30F4013", DumpArea::Code, "0", "8000", "0",
                "The addresses must lie within 0x000000 - 0x007FFE."},
        BadFill{"PIC30F4013", DumpArea::Exec, "7FFFFE", "800000", "0", "The addresses must lie"},
        BadFill{"PIC30F4013", DumpArea::Data, "7FFC00", "7FFC00", "10000", "The value must not"},
        BadFill{"PIC30F4013", DumpArea::Code, "0", "0", "1000000", "The value must not"}));

}  // namespace
}  // namespace krv::test
