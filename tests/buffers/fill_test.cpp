// Buffers > Fill: ranges, values and the refusal of bad input.
#include <gtest/gtest.h>

#include "buffers/fill.h"
#include "test_devices.h"

namespace krv::test {
namespace {

TEST(Fill, FillsExactlyTheRangeThenChecksumAndViews) {
  struct Case {
    const char* device;
    MemoryArea area;
    const char *first, *last, *value;
    int32_t firstElement, lastElement;  // buffer elements that change (padding included)
    std::vector<uint8_t> unit;          // the bytes of one item as stored
  };
  // dsPIC30: the fourth byte of each instruction and the upper half of each data word
  // stay 0.
  const Case cases[] = {
      {"PIC16F84A", MemoryArea::Code, "10", "1F", "2A5", 0x20, 0x3F, {0xA5, 0x02}},
      {"PIC16F84A", MemoryArea::Code, "3FF", "3FF", "0", 0x7FE, 0x7FF, {0, 0}},
      {"PIC12F508", MemoryArea::Code, "0", "0", "FFF", 0, 1, {0xFF, 0x0F}},
      {"PIC16F84A", MemoryArea::Data, "3", "5", "7", 3, 5, {7}},
      {"PIC18F452-4539", MemoryArea::Code, "7FFF", "7FFF", "12", 0x7FFF, 0x7FFF, {0x12}},
      {"PIC30F4013", MemoryArea::Code, "4", "8", "123456", 8, 19, {0x56, 0x34, 0x12, 0}},
      {"PIC30F4013", MemoryArea::Exec, "800000", "8005BE", "0", 0, 2943, {0, 0, 0, 0}},
      {"PIC30F4013", MemoryArea::Data, "7FFC02", "7FFC02", "beef", 4, 7, {0xEF, 0xBE, 0, 0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.device) + " " + c.first);
    TestSession t;
    SelectTestDevice(t, c.device);
    const ByteBuffer before = AreaBuffer(t.s.buf, c.area);
    t.window.csum.clear();
    EXPECT_EQ(FillBuffer(t.s, c.area, c.first, c.last, c.value), "");
    const ByteBuffer& after = AreaBuffer(t.s.buf, c.area);
    for (int32_t i = 0; i < after.Size(); ++i) {
      const bool inside = i >= c.firstElement && i <= c.lastElement;
      ASSERT_EQ(after.Get(i), inside ? c.unit[(i - c.firstElement) % c.unit.size()] : before.Get(i))
          << "element " << i;
    }
    EXPECT_EQ(t.window.showWindows, 2);  // the selection's and the fill's
    EXPECT_FALSE(t.window.csum.empty());
  }
}

TEST(Fill, BadInputChangesNothingAndSaysWhy) {
  struct Case {
    const char* device;
    MemoryArea area;
    const char *first, *last, *value;
    const char* error;  // the start of the message
  };
  const Case cases[] = {
      {"PIC16F84A", MemoryArea::Code, "", "10", "0", "Enter the first address"},
      {"PIC16F84A", MemoryArea::Code, "0", "10", "", "Enter the first address"},
      {"PIC16F84A", MemoryArea::Code, "0", "1G", "0", "Enter the first address"},
      {"PIC16F84A", MemoryArea::Code, "0", "123456789", "0", "Enter the first address"},
      {"PIC16F84A", MemoryArea::Code, "0", "400", "0",
       "The addresses must lie within 0x0000 - 0x03FF."},
      {"PIC16F84A", MemoryArea::Data, "0", "40", "0",
       "The addresses must lie within 0x0000 - 0x003F."},
      {"PIC16F84A", MemoryArea::Code, "20", "10", "0", "The first address must not"},
      {"PIC16F84A", MemoryArea::Code, "0", "0", "4000", "The value must not be above 0x3FFF."},
      {"PIC12F508", MemoryArea::Code, "0", "0", "1000", "The value must not be above 0xFFF."},
      {"PIC16F84A", MemoryArea::Data, "0", "0", "100", "The value must not be above 0xFF."},
      {"PIC18F452-4539", MemoryArea::Code, "0", "0", "100", "The value must not be above"},
      {"PIC12F508", MemoryArea::Data, "0", "0", "0", "The selected device has no such"},
      {"PIC16F84A", MemoryArea::Exec, "0", "0", "0", "The selected device has no such"},
      {"PIC30F4013", MemoryArea::Code, "1", "3", "0", "The addresses of this memory must"},
      {"PIC30F4013", MemoryArea::Code, "0", "8000", "0",
       "The addresses must lie within 0x000000 - 0x007FFE."},
      {"PIC30F4013", MemoryArea::Exec, "7FFFFE", "800000", "0", "The addresses must lie"},
      {"PIC30F4013", MemoryArea::Data, "7FFC00", "7FFC00", "10000", "The value must not"},
      {"PIC30F4013", MemoryArea::Code, "0", "0", "1000000", "The value must not"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.device) + " " + c.first + "-" + c.last + "=" + c.value);
    TestSession t;
    SelectTestDevice(t, c.device);
    const BufferState before = t.s.buf;
    const std::string error = FillBuffer(t.s, c.area, c.first, c.last, c.value);
    EXPECT_EQ(error.substr(0, std::string(c.error).size()), c.error) << error;
    EXPECT_EQ(t.s.buf.CodeBuffer, before.CodeBuffer);
    EXPECT_EQ(t.s.buf.DataBuffer, before.DataBuffer);
    EXPECT_EQ(t.s.buf.ExecBuffer, before.ExecBuffer);
    EXPECT_EQ(t.window.showWindows, 1);
  }
}

}  // namespace
}  // namespace krv::test
