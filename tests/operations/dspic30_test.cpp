// The dsPIC30F operations run to their normal end, against golden transcripts under
// tests/data/dspic30/ (the reports, where each answer is read, what the user sees): the
// streams of each operation, blank skipping, round trips on real sizes, the first
// difference; and the simulated chip as a strict checker.
#include <gtest/gtest.h>

#include "dspic30_fixture.h"
#include "operations/dspic30/dspic30.h"
#include "operations/operations.h"

namespace krv::test {
namespace {

// Each operation through its dispatcher: the transcripts tell the reports, where each answer
// is read, the status texts, the Vpp picture, the views and the waits.
TEST(DsPic30, EachOperationRunsToItsNormalEnd) {
  // clang-format off
  const std::tuple<const char*, void (*)(Session&), int, const char*> runs[] = {
    {nullptr, ReadDevice, 0, "read_tiny.txt"},
    {nullptr, VerifyDevice, 0, "verify_tiny.txt"},  // the chip is read back as a read does
    {nullptr, WriteDevice, 0, "write_tiny.txt"},  // no programming parameters are sent
    {nullptr, EraseDevice, 0, "erase_tiny.txt"},
    // data from 0x7FFC00, and from 0x7FF000 with a row at 0x10000 (table page 1)
    {"PIC30F2010", WriteDevice, 0, "write_2010.txt"},
    {"PIC30F6014", WriteDevice, 0, "write_6014.txt"},
    {"PIC30F2010", EraseDevice, 1, "erase_del_icsp.txt"},
    // the rows of the PIC30F5011 and PIC30F5013 ask for the step before the bulk erase
    {"PIC30F5011", EraseDevice, 0, "erase_5011.txt"},
    {"PIC30F5013", EraseDevice, 0, "erase_5011.txt"},
    {"PIC30F5015", EraseDevice, 0, "erase.txt"},
  };
  // clang-format on
  for (const auto& [part, op, delIcsp, golden] : runs) {
    SCOPED_TRACE(golden);
    DsPic30Session t(part ? *FindDevice(part) : TinyRow());
    // Four instructions (their top bytes packed in W1 and W4 of the first group), four data
    // words, one executive instruction and, where there is one, instruction 0x8000;
    // everything else blank.
    for (int n = 0; n < 4; ++n) {
      t.SetInstruction(t.s.buf.CodeBuffer, n, 0x0A0B0C + 0x101010u * n);
      t.SetInstruction(t.s.buf.DataBuffer, n, 0x1111u * (n + 1));
    }
    t.SetInstruction(t.s.buf.ExecBuffer, 5, 0x123456);
    if (t.s.dev.CodeSize > 0x8000) t.SetInstruction(t.s.buf.CodeBuffer, 0x8000, 0x0C0B0A);
    if (op != WriteDevice) t.PutBuffersIntoChip();
    const auto image = std::tuple(t.s.buf, t.s.cfg.Config);
    if (op == ReadDevice) t.FillBuffers(0x5A);
    t.s.settings.DelICSP = delIcsp;
    t.s.run.OperationOK = false;
    op(t.s);
    EXPECT_TRUE(t.Matches(golden));
    EXPECT_EQ(t.s.run.OperationOK, op == VerifyDevice || op == WriteDevice);
    // The progress reaches its maximum (none for the erase), then it is reset.
    const double units = t.s.dev.CodeSize + t.s.dev.ExecSize + t.s.dev.DataSize + 7;
    const double max = op == EraseDevice ? 0 : op == WriteDevice ? 2 * units : units;
    const auto& values = t.window.progressValues;
    const double reached = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    EXPECT_EQ(std::tuple(t.window.progressMax, reached, t.window.progress),
              std::tuple(max, max, 0));
    // The buffers hold the image (the read has put it back); so does the chip, but after an
    // erase, which leaves the executive area without DelICSP and the registers at 0xFFFF.
    EXPECT_EQ(std::tie(t.s.buf, t.s.cfg.Config), image);
    if (op == EraseDevice) {
      BlankBuffers(t.s.dev, t.s.buf);
      if (!delIcsp) t.s.buf.ExecBuffer = std::get<0>(image).ExecBuffer;
      EXPECT_EQ(std::tuple(t.s.cfg.ConfigLow, t.s.cfg.ConfigHigh), std::tuple(0xFF, 0xFF));
    }
    EXPECT_EQ(t.ChipDiffersFromBuffers(), "");
    EXPECT_TRUE(t.chip->overwrites.empty());
  }
}

TEST(WritePIC30, RowsAndReadBackBlocksAreSkippedByTheirSums) {
  // clang-format off
  const struct {
    const char* golden;
    std::vector<std::pair<int32_t, uint8_t>> code, data;  // elements set
    int vwhile;
  } cases[] = {
    // nothing to write: only the area openings, the registers and their read-back
    {"write_blank.txt", {}, {}, 1},
    // FE at element 0 and 01 at the spare element 3 sum to a blank row
    {"write_blank_no_read_back.txt", {{0, 0xFE}, {3, 0x01}}, {}, 0},
    // the code row is written for instruction 20, but its first read-back block sums to
    // blank and is skipped; the data row and block sum to blank (01 in a zero element)
    {"write_blank_sums.txt", {{0, 0xFE}, {3, 0x01}, {80, 0x14}, {81, 0}, {82, 0}},
     {{0, 0xFE}, {2, 0x01}}, 1},
    // FE alone sums to one less: the code row and the second data row are written, and the
    // blocks that hold them are read back
    {"write_one_less.txt", {{0, 0xFE}}, {{64, 0xFE}}, 1},
  };
  // clang-format on
  for (const auto& c : cases) {
    DsPic30Session t(TinyRow());
    for (auto [i, v] : c.code) t.s.buf.CodeBuffer.Set(i, v);
    for (auto [i, v] : c.data) t.s.buf.DataBuffer.Set(i, v);
    t.s.settings.VWhile = c.vwhile;
    WritePIC30(t.s);
    EXPECT_TRUE(t.Matches(c.golden));
  }
}

// A write of an image with gaps and its verify, then a read: the chip and the buffers
// agree, and the read's stream is that of the part's size.
TEST(WritePIC30, RoundTripOnRealSizes) {
  const std::pair<const char*, const char*> parts[] = {
      {"PIC30F2011", "read_2011.txt"},  // no data EEPROM
      {"PIC30F2010", "read_2010.txt"},  // 1 KB from 0x7FFC00
      {"PIC30F6011", "read_6011.txt"},  // 2 KB from 0x7FF800
      // rows on both sides of the 64K boundary (table page 1), 4 KB from 0x7FF000
      {"PIC30F6014", "read_6014.txt"},
  };
  for (const auto& [part, golden] : parts) {
    DsPic30Session t(*FindDevice(part), 3);
    t.s.settings.VAfter = 1;
    WritePIC30(t.s);
    EXPECT_EQ(t.ChipDiffersFromBuffers(), "") << part;
    EXPECT_TRUE(t.prog->errors.empty()) << t.prog->errors.front();
    EXPECT_TRUE(t.window.boxes.empty() && t.chip->overwrites.empty()) << part;  // verified

    const auto image = std::tuple(t.s.buf, t.s.cfg.Config);
    t.FillBuffers(0x5A);
    t.prog->ClearLog();
    t.notes.clear();
    ReadPIC30(t.s);
    EXPECT_TRUE(t.Matches(golden));
    const std::vector<std::string> read = TrafficLines(*t.prog);
    t.prog->ClearLog();
    VerifyPIC30(t.s);
    EXPECT_EQ(TrafficLines(*t.prog), read);  // the verify reads the chip back as the read does
    // The image's configuration values lie within the masks: the read gives them back whole.
    EXPECT_EQ(std::tie(t.s.buf, t.s.cfg.Config), image) << part;
  }
}

// The PIC10/12/16/18 algorithms are not part of this version: one information box, and
// nothing is sent (the session's socket holds a chip of the part's sizes, which nothing
// reaches).
TEST(Dispatch, OtherFamiliesGetOneInformationBoxAndNothingIsSent) {
  for (const char* part : {"PIC12F508", "PIC16F628A", "PIC18F452-4539"}) {
    for (auto op : {ReadDevice, VerifyDevice, WriteDevice, EraseDevice}) {
      DsPic30Session t(*FindDevice(part));
      op(t.s);
      EXPECT_TRUE(t.Matches("other_family.txt")) << part;
    }
  }
}

enum Area { Code, Exec, Data, Config };

// The transcripts tell the reports up to the first difference, the box with its text, shown
// after programming mode is left and the Vpp picture is off, and the status after it.
TEST(VerifyPIC30, FirstDifferenceEndsTheComparison) {
  // clang-format off
  const struct {
    const char* part;  // nullptr: the tiny part
    // area, instruction, data word or register, the value in the buffers, in the chip
    std::vector<std::array<uint32_t, 4>> changes;
    const char* golden;
  } cases[] = {
    // the top byte of instruction 5; the first instruction of a pair; the second, read as
    // bytes 4, 6, 5
    {nullptr, {{Code, 5, 0x123456, 0x443456}}, "verify_code_top_byte.txt"},
    {nullptr, {{Code, 20, 0x000001, 0x000000}}, "verify_code_first.txt"},
    {nullptr, {{Code, 1, 0xFFFFFF, 0x04123C}}, "verify_code_second.txt"},
    {"PIC30F2010", {{Exec, 0x2DF, 0xABCDEF, 0xABCDEE}}, "verify_exec.txt"},
    // the third data word of 1 KB and of 4 KB, word 33 in the second block
    {"PIC30F2010", {{Data, 2, 0xFFFF, 0x1234}}, "verify_data_1k.txt"},
    {"PIC30F6014", {{Data, 2, 0x00FF, 0x0000}}, "verify_data_4k.txt"},
    {"PIC30F2010", {{Data, 33, 0xFFFF, 0xFFFE}}, "verify_data_block_2.txt"},
    {nullptr, {{Config, 3, 0x87B3, 0x0000}}, "verify_config3.txt"},
    // both instructions of a pair differ: the first is reported
    {nullptr, {{Code, 6, 0x111111, 0x111110}, {Code, 7, 0x222222, 0x222220}},
     "verify_code_pair.txt"},
    // a later pair of the same block is not compared
    {nullptr, {{Code, 3, 0x000003, 0x000013}, {Code, 4, 0x000004, 0x000014}},
     "verify_code_later_pair.txt"},
    // words 1 and 3 of one data answer: word 1 is reported
    {nullptr, {{Data, 5, 0x5555, 0x5554}, {Data, 7, 0x7777, 0x7776}},
     "verify_data_two_words.txt"},
    // Config1 is compared without the mask
    {nullptr, {{Config, 1, 0xFFFF, 0xFFFF}}, "verify_config1_unmasked.txt"},
  };
  // clang-format on
  for (const auto& c : cases) {
    DsPic30Session t(c.part ? *FindDevice(c.part) : TinyRow(), 11);
    auto set = [&](int value) {
      ByteBuffer* buffers[] = {&t.s.buf.CodeBuffer, &t.s.buf.ExecBuffer, &t.s.buf.DataBuffer};
      for (const auto& [area, n, buffer, chip] : c.changes) {
        const uint32_t v = value == 0 ? buffer : chip;
        if (area == Config) t.s.cfg.Config[n] = static_cast<int32_t>(v);
        if (area != Config) t.SetInstruction(*buffers[area], static_cast<int>(n), v);
      }
    };
    set(1);  // the chip's values first
    t.PutBuffersIntoChip();
    set(0);
    VerifyPIC30(t.s);
    EXPECT_TRUE(t.Matches(c.golden));
    EXPECT_FALSE(t.s.run.OperationOK) << c.golden;
    EXPECT_EQ(t.s.run.LastErrorText, t.window.boxes.at(0).text);
  }
}

// The read-back finds instruction 0x21 with bit 16 set: the write shows the difference and
// ends with its final text, writes nothing more (the executive instruction, the data word
// and the registers stay as the erase left them), and the verify after writing follows.
TEST(WritePIC30, ReadBackDifferenceEndsTheWrite) {
  DsPic30Session t(TinyRow());
  t.SetInstruction(t.s.buf.CodeBuffer, 0x21, 0x00FFFF);
  t.SetInstruction(t.s.buf.ExecBuffer, 0, 0x000001);
  t.SetInstruction(t.s.buf.DataBuffer, 0, 0x0001);
  t.chip->StickBits(0x42, 0x010000, 0x010000);
  t.s.settings.VAfter = 1;
  WritePIC30(t.s);
  EXPECT_TRUE(t.Matches("write_read_back_difference.txt"));
  EXPECT_FALSE(t.s.run.OperationOK);
}

TEST(SimulatedDsPic30, RowProgramIsAnAndOfOldAndNewAndNeedsAllItsLatches) {
  sim::DsPic30Chip chip(*FindDevice("PIC30F6014"));
  chip.EnterProgMode();
  auto six = [&](std::initializer_list<uint32_t> words) {
    for (uint32_t w : words) chip.Six(w);
  };
  auto mov = [](uint32_t k, uint32_t d) { return 0x200000 | k << 4 | d; };
  for (uint32_t word : {0x000000u, 0x880191u, 0xBA0BB7u, 0xFFFFFFu, 0x300000u})
    EXPECT_THROW(chip.Six(word), sim::ProtocolError) << std::hex << word;
  // The row at 0x10040 (instruction 0x8020), each group 0x0A0B0C, 0x1A1B1C, 0x2A2B2C, 0x3A3B3C.
  six({mov(1, 0), 0x880190, mov(0x40, 7)});
  for (int group = 0; group < 8; ++group) {
    six({mov(0x0B0C, 0), mov(0x1A0A, 1), mov(0x1B1C, 2), mov(0x2B2C, 3), mov(0x3A2A, 4),
         mov(0x3B3C, 5)});
    chip.WriteCode();
  }
  EXPECT_EQ(chip.W(7), 0x0080);
  chip.SetCode(0x8021, 0xF0F0F0);  // not erased
  six({mov(0x4001, 10), 0x883B0A});
  chip.StartNvm();
  EXPECT_EQ(chip.Code(0x8020), 0x0A0B0Cu);
  EXPECT_EQ(chip.Code(0x8021), 0x1A1B1Cu & 0xF0F0F0u);
  EXPECT_EQ(chip.Code(0x803F), 0x3A3B3Cu);
  EXPECT_EQ(chip.Code(0x8040), sim::DsPic30Chip::kBlankInstruction);
  ASSERT_EQ(chip.overwrites.size(), 1u);
  EXPECT_EQ(chip.overwrites[0].address, 0x10042u);
  // A row with a latch missing, a latch of another row while one is half loaded, and an
  // operation with nothing latched or unknown are refused.
  six({mov(0, 7)});
  for (int group = 0; group < 7; ++group) chip.WriteCode();
  EXPECT_THROW(chip.StartNvm(), sim::ProtocolError);
  six({mov(0x40, 7)});
  EXPECT_THROW(chip.WriteCode(), sim::ProtocolError);
  for (uint32_t nvmcon : {0x4008, 0x4003}) {
    six({mov(nvmcon, 10), 0x883B0A});
    EXPECT_THROW(chip.StartNvm(), sim::ProtocolError);
  }
}

}  // namespace
}  // namespace krv::test
