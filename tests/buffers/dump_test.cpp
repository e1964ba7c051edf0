// Dump text of the views.
#include <gtest/gtest.h>

#include "buffers/buffers.h"
#include "buffers/dump.h"
#include "test_devices.h"

namespace krv::test {
namespace {

std::string Repeat(const std::string& item, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += " " + item;
  return out;
}

TEST(Dump, FirstAndLastLinesOfBlankDevices) {
  struct Case {
    const char* device;
    MemoryArea area;
    int lines;
    std::string first, last;
  };
  const Case cases[] = {
      {"PIC12F508", MemoryArea::Code, 64, "0000:" + Repeat("FFF", 8), "01F8:" + Repeat("FFF", 8)},
      {"PIC12F508", MemoryArea::Data, 0, "", ""},
      {"PIC16F84A", MemoryArea::Data, 4, "0000:" + Repeat("FF", 16), "0030:" + Repeat("FF", 16)},
      {"PIC18F452-4539", MemoryArea::Code, 2048, "000000:" + Repeat("FF", 16),
       "007FF0:" + Repeat("FF", 16)},
      {"PIC30F4013", MemoryArea::Exec, 92, "800000:" + Repeat("FFFFFF", 8),
       "8005B0:" + Repeat("FFFFFF", 8)},
      {"PIC30F6014A", MemoryArea::Code, 6144, "000000:" + Repeat("FFFFFF", 8),
       "017FF0:" + Repeat("FFFFFF", 8)},
      {"PIC30F6014A", MemoryArea::Data, 256, "7FF000:" + Repeat("FFFF", 8),
       "7FFFF0:" + Repeat("FFFF", 8)}};
  for (const Case& c : cases) {
    TestSession t;
    SelectTestDevice(t, c.device);
    ASSERT_EQ(DumpLineCount(t.s, c.area), c.lines) << c.device;
    if (c.lines == 0) continue;
    EXPECT_EQ(DumpLine(t.s, c.area, 0), c.first);
    EXPECT_EQ(DumpLine(t.s, c.area, c.lines - 1), c.last);
  }
}

TEST(Dump, ValuesAreAssembledLowByteFirst) {
  TestSession t;
  SelectTestDevice(t, "PIC30F4013");
  // Instruction 1 = 0x563412 at chip address 2; data word 0 = 0xBEEF.
  t.s.buf.CodeBuffer.Set(4, 0x12);
  t.s.buf.CodeBuffer.Set(5, 0x34);
  t.s.buf.CodeBuffer.Set(6, 0x56);
  t.s.buf.DataBuffer.Set(0, 0xEF);
  t.s.buf.DataBuffer.Set(1, 0xBE);
  EXPECT_EQ(DumpLine(t.s, MemoryArea::Code, 0).substr(0, 21), "000000: FFFFFF 563412");
  EXPECT_EQ(DumpLine(t.s, MemoryArea::Data, 0).substr(0, 17), "7FFC00: BEEF FFFF");

  SelectTestDevice(t, "PIC16F84A");
  t.s.buf.CodeBuffer.Set(2 * 9, 0x34);
  t.s.buf.CodeBuffer.Set(2 * 9 + 1, 0x12);
  EXPECT_EQ(DumpLine(t.s, MemoryArea::Code, 1), "0008: 3FFF 1234" + Repeat("3FFF", 6));
}

TEST(Dump, PartialLastLineAndTextAreTheLinesJoined) {
  TestSession t;
  t.s.dev = TestDevice("PIC16F84A");
  t.s.dev.DataSize = 20;
  InitWindows(t.s);
  ASSERT_EQ(DumpLineCount(t.s, MemoryArea::Data), 2);
  EXPECT_EQ(DumpLine(t.s, MemoryArea::Data, 1), "0010: FF FF FF FF");
  EXPECT_EQ(DumpText(t.s, MemoryArea::Data),
            DumpLine(t.s, MemoryArea::Data, 0) + "\n" + DumpLine(t.s, MemoryArea::Data, 1) + "\n");
  EXPECT_EQ(DumpLine(t.s, MemoryArea::Data, 2), "");
  EXPECT_EQ(DumpLine(t.s, MemoryArea::Data, -1), "");
}

TEST(Dump, OddBuffersStayAlignedAndInRange) {
  TestSession t;
  SelectTestDevice(t, "PIC12F508");
  t.s.buf.CodeBuffer.Set(1, 0xFF);  // word 0 = 0xFFFF does not fit 12 bits
  EXPECT_EQ(DumpLine(t.s, MemoryArea::Code, 0), "0000: ???" + Repeat("FFF", 7));

  SelectTestDevice(t, "PIC16F84A");
  t.s.buf.CodeBuffer.Redim(20, 0);  // ten words: only what the buffer holds is shown
  EXPECT_EQ(DumpLineCount(t.s, MemoryArea::Code), 2);
  EXPECT_EQ(DumpLine(t.s, MemoryArea::Code, 1), "0008: 0000 0000");
  EXPECT_TRUE(t.window.boxes.empty());
}

}  // namespace
}  // namespace krv::test
