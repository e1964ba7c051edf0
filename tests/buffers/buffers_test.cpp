// Sizing, blank fill, checksum and dump text of the host buffers, and Buffers > Fill.
#include <gtest/gtest.h>

#include "buffer_helpers.h"
#include "buffers/buffers.h"
#include "buffers/dump.h"
#include "buffers/fill.h"
#include "core/errors.h"
#include "devices/catalogue.h"
#include "support/files.h"
#include "support/test_session.h"

namespace krv::test {
namespace {

// Elements `from` .. `to` of `b` take the values of `unit` over and over.
void Repeat(ByteBuffer& b, int64_t from, int64_t to, const std::vector<uint32_t>& unit) {
  for (int64_t i = from; i <= to; ++i)
    b.Set(static_cast<int32_t>(i), unit[(i - from) % unit.size()]);
}

TEST(Blank, SizedWithTheSpareElementThenFilledBlank) {
  for (const auto& row : ReadTable("blank_chips.txt", 10)) {
    SCOPED_TRACE(row[0]);
    TestSession t(row[0]);
    t.s.buf.CodeBuffer.Set(0, 0x55);
    SizeBuffers(t.s);  // every element 0
    EXPECT_EQ(t.s.buf.CodeBuffer.Sum(0, t.s.buf.CodeBuffer.Size()), 0u);
    BufferState want = t.s.buf;  // the sizes of the row: a buffer of another size differs
    want.BlankWord = Numbers(row[4])[0];
    Repeat(want.CodeBuffer, 0, std::stoi(row[1]) - 1, Numbers(row[5]));
    Repeat(want.DataBuffer, 0, std::stoi(row[2]) - 1, Numbers(row[6]));
    Repeat(want.ExecBuffer, 0, std::stoi(row[3]) - 1, Numbers(row[5]));
    FillVaried(t.s, 3);
    t.s.cfg.CalibWord1 = t.s.cfg.CalibWord2 = 0x1111;
    t.s.cfg.OscCalHigh = t.s.cfg.OscCalLow = 0x34;  // the chip's own value: Clear keeps it
    ClearBuffers(t.s);
    EXPECT_EQ(t.s.cfg.OscCalHigh << 8 | t.s.cfg.OscCalLow, 0x3434);
    EXPECT_TRUE(t.s.buf == want);
    EXPECT_EQ(t.s.cfg.ConfigWord, static_cast<int32_t>(Numbers(row[7])[0]));
    EXPECT_EQ(t.s.cfg.Config[1], static_cast<int32_t>(Numbers(row[8])[0]));
    for (int k = 2; k <= 7; ++k) EXPECT_EQ(t.s.cfg.Config[k], 0xFFFF);
    const std::vector<uint32_t> ids = Numbers(row[9]);
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(t.s.cfg.UserID[i], ids[i % ids.size()]);
    EXPECT_EQ(t.s.cfg.CalibWord1 + t.s.cfg.CalibWord2, 2 * 0x3FFF);
    EXPECT_EQ(t.window.showWindows, 2);  // the selection's and this one's
    InitWindows(t.s);                    // as a device selection does: a new chip
    EXPECT_EQ(t.s.cfg.OscCalHigh | t.s.cfg.OscCalLow, 0);
  }
}

TEST(Views, ChecksumAndDumpLinesOfTheBuffers) {
  for (const auto& row : ReadTable("buffer_views.txt", 7)) {
    SCOPED_TRACE(row[0] + " " + row[1] + " " + row[2] + " line " + row[5]);
    TestSession t(row[0]);
    const MemoryArea area = AreaNamed(row[1]);
    SetElements(t.s, area, row[2]);
    CalcDeviceCSum(t.s);
    EXPECT_EQ(t.window.csum, row[3]);
    EXPECT_EQ(DumpLineCount(t.s, area), std::stoi(row[4]));
    EXPECT_EQ(DumpLine(t.s, area, std::stoi(row[5])), row[6]);
  }
}

TEST(Views, DumpTextIsTheLinesJoinedAndOddBuffersStayInRange) {
  TestSession t("PIC16F84A");
  t.s.dev.DataSize = 20;
  InitWindows(t.s);
  EXPECT_EQ(DumpText(t.s, MemoryArea::Data),
            DumpLine(t.s, MemoryArea::Data, 0) + "\n0010: FF FF FF FF\n");
  t.s.buf.CodeBuffer.Redim(20, 0);  // ten words: only what the buffer holds is shown
  EXPECT_EQ(DumpLineCount(t.s, MemoryArea::Code), 2);
  EXPECT_EQ(DumpLine(t.s, MemoryArea::Code, 1), "0008: 0000 0000");
  t.s.buf.CodeBuffer.Redim(10);  // the checksum reads beyond: a run-time error, reported
  EXPECT_EQ(CalcDeviceCSum(t.s), 0);
  EXPECT_EQ(t.window.boxes.at(0).title, "KRV330 - V1.25 [CalcDeviceCSum]");
}

// Each row fills a range of a blank buffer: "ok" with the elements that change and the
// bytes of one item as stored, or the start of the message that refuses the input.
TEST(Fill, FillsExactlyTheRangeOrChangesNothingAndSaysWhy) {
  for (const auto& row : ReadTable("fill_cases.txt", 6)) {
    SCOPED_TRACE(row[0] + " " + row[1] + " " + row[2] + "-" + row[3] + "=" + row[4]);
    TestSession t(row[0]);
    t.window.csum.clear();
    const MemoryArea area = AreaNamed(row[1]);
    const bool ok = row[5].rfind("ok", 0) == 0;
    BufferState want = t.s.buf;
    const std::vector<uint32_t> v = Numbers(ok ? row[5].substr(2) : "");
    if (ok) Repeat(AreaBuffer(want, area), v[0], v[1], {v.begin() + 2, v.end()});
    const std::string error = FillBuffer(t.s, area, row[2], row[3], row[4]);
    EXPECT_EQ(ok ? error : error.substr(0, row[5].size()), ok ? "" : row[5]);
    EXPECT_TRUE(t.s.buf == want);
    EXPECT_EQ(t.window.showWindows, ok ? 2 : 1);  // the selection's and the fill's
    EXPECT_EQ(t.window.csum.empty(), !ok);
  }
}

TEST(ByteBufferTest, RejectsOutOfRangeIndexAndValue) {
  ByteBuffer b;
  b.Redim(3);
  b.Set(3, 255);
  EXPECT_EQ(b.Get(3), 255);
  for (const int32_t i : {-1, 4}) EXPECT_THROW(b.Get(i), RuntimeError);
  EXPECT_THROW(b.Set(4, 0), RuntimeError);
  EXPECT_THROW(b.Set(0, 256), RuntimeError);
}

}  // namespace
}  // namespace krv::test
