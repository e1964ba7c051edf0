// Writing a dsPIC30F: the report stream of rows and read-backs, blank skipping, round trips
// on real sizes, read-back differences, cancels, lost links and run-time errors.
#include <gtest/gtest.h>

#include "dspic30_fixture.h"
#include "operations/dspic30/dspic30.h"

namespace krv::test {
namespace {

constexpr size_t kTinyErase = 42;  // reports of the erase that opens every write

std::vector<std::string> After(const std::vector<std::string>& r, size_t first) {
  return std::vector<std::string>(r.begin() + static_cast<std::ptrdiff_t>(first), r.end());
}

// The end of a write of TinyRow's chip: the registers written with their blank values
// (0xC30F, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003), read back, programming mode left.
std::vector<std::string> RegisterTail() {
  std::vector<std::string> out{"25 00", "1D 20 00 07 00"};
  for (const char* mov : {"1D 2C 30 F6 00", "1D 28 03 F6 00", "1D 28 7B 36 00", "1D 23 10 F6 00",
                          "1D 23 30 F6 00", "1D 20 00 76 00", "1D 2C 00 36 00"})
    out.insert(out.end(), {"1D 24 00 8A 1D 88 3B 0A", "1D 20 0F 80 1D 88 01 90", mov,
                           "1D BB 1B 86 1F 1F 00", "24 00"});
  out.insert(out.end(), {"25 00", "1D 20 0F 80 1D 88 01 90", "1D EB 03 00 1D EB 03 80"});
  for (int k = 0; k < 7; ++k)
    out.insert(out.end(), {"1D BA 0B B6 1F 1F 00", "1D 88 3C 20 1F 1E 1F 00", "25 00"});
  out.push_back("02 00");
  return out;
}

TEST(WritePIC30, ReportStreamWithReadBack) {
  DsPic30Session t(TinyRow());
  // The first group's top bytes are packed in W1 and W4 of its payload.
  const uint32_t ins[] = {0x0A0B0C, 0x1A1B1C, 0x2A2B2C, 0x3A3B3C};
  const uint16_t words[] = {0x1111, 0x2222, 0x3333, 0x4444};
  for (int n = 0; n < 4; ++n) {
    t.SetInstruction(t.s.buf.CodeBuffer, n, ins[n]);
    t.SetDataWord(n, words[n]);
  }
  WritePIC30(t.s);
  const char* page0 = "1D 20 00 00 1D 88 01 90";
  const char* blankPair = "1D 2F FF F0 1D 2F FF F1";
  // clang-format off
  std::vector<std::string> want{"01 25 00", "1D 24 00 1A 1D 88 3B 0A", page0, "1D 20 00 07 00",
      "1D 20 B0 C0 1D 21 A0 A1", "1D 21 B1 C2 1D 22 B2 C3", "1D 23 A2 A4 1D 23 B3 C5", "21 00"};
  for (const char* w7 : {"1D 20 00 87 00", "1D 20 01 07 00", "1D 20 01 87 00", "1D 20 02 07 00",
                         "1D 20 02 87 00", "1D 20 03 07 00", "1D 20 03 87 00"})  // blank groups
    want.insert(want.end(), {page0, w7, blankPair, "1D 2F FF F2 1D 2F FF F3",
                             "1D 2F FF F4 1D 2F FF F5", "21 00"});
  want.insert(want.end(), {
      "24 00",  // row 1 is blank; read back block 0, blocks 1..3 are blank
      "25 00", page0, "1D 20 00 06 00", "20 20 20 20 20 20 20 20",
      "25 00", "25 00",  // executive: blank row and blocks
      "25 00", "1D 24 00 5A 1D 88 3B 0A", "1D 20 07 F0 1D 88 01 90", "1D 2F FC 07 00",
      "1D 21 11 10 1D 22 22 21", "1D 23 33 32 1D 24 44 43", "23 00"});
  for (int group = 1; group < 4; ++group)
    want.insert(want.end(), {blankPair, "1D 2F FF F2 1D 2F FF F3", "23 00"});
  want.insert(want.end(), {"24 00", "25 00", "1D 20 07 F0 1D 88 01 90", "1D 2F FC 06 1D EB 03 80",
                           "22 22 22 22 22 22 22 22"});
  // clang-format on
  EXPECT_EQ(After(t.Reports(), kTinyErase), Padded(Cat({want, RegisterTail()})));
  EXPECT_TRUE(t.s.run.OperationOK);
  EXPECT_EQ(t.ChipDiffersFromBuffers(), "");
  EXPECT_TRUE(t.prog->errors.empty());
  EXPECT_EQ(t.prog->QueuedAnswers(), 0u);
  EXPECT_EQ(t.window.info(), "CODE written: 64 ins., DATA written: 64 Bytes");
  EXPECT_TRUE(t.Showed("Writing and verifying CODE...64 Ins."));
  EXPECT_TRUE(t.Showed("Writing and verifying ICSP...32 Ins."));
  EXPECT_TRUE(t.Showed("Writing and verifying DATA...64 Bytes."));
  EXPECT_EQ(t.window.progressMax, 2 * (64 + 32 + 64) + 14);
  EXPECT_EQ(t.window.progress, 0);
  EXPECT_EQ(t.window.vpp, (std::vector<bool>{true, false, true, false}));  // erase, write
  EXPECT_TRUE(t.window.boxes.empty());
}

TEST(WritePIC30, BlankImageSendsOnlyTheAreaOpeningsAndTheRegisters) {
  DsPic30Session t(TinyRow());
  WritePIC30(t.s);
  EXPECT_EQ(
      After(t.Reports(), kTinyErase),
      Padded(Cat({{"01 25 00", "25 00", "25 00", "25 00", "25 00", "25 00"}, RegisterTail()})));
  const double max = 2 * (64 + 32 + 64) + 14;
  EXPECT_EQ(t.window.progressValues.end()[-2], max);  // reached before the final reset
}

// A write of an image with gaps, then a read with its report and answer counts.
TEST(WritePIC30, RoundTripOnRealSizes) {
  const struct {
    DeviceRow row;
    size_t reports, answers;  // of the read
  } parts[] = {{DsPic30Row("PIC30F2011", 4096, 0, 736, 0xC71F), 349 - 16, 2551 - 128},
               {DsPic30Row("PIC30F2010", 4096, 1024), 352, 2551},
               {DsPic30Row("PIC30F6011", 45056, 2048), 3 + 2816 + 3 + 46 + 3 + 32 + 3 + 21 + 1,
                22528 + 368 + 256 + 7},
               // rows on both sides of the 64K boundary (table page 1), EEPROM from 0x7FF000
               {DsPic30Row("PIC30F6014", 49152, 4096), 3 + 3072 + 3 + 46 + 3 + 64 + 3 + 21 + 1,
                24576 + 368 + 512 + 7}};
  for (const auto& [row, reports, answers] : parts) {
    DsPic30Session t(row);
    t.s.settings.VWhile = 1;
    t.s.settings.VAfter = 1;
    t.RandomImage(static_cast<unsigned>(row.CodeSize + row.DataSize));
    t.RecordTraffic();
    WritePIC30(t.s);
    EXPECT_TRUE(t.AnswersReadInStep()) << row.Name;
    EXPECT_EQ(t.ChipDiffersFromBuffers(), "") << row.Name;
    EXPECT_TRUE(t.s.run.OperationOK) << row.Name;
    EXPECT_EQ(t.s.run.LastErrorText, "Verify O.K.");
    EXPECT_TRUE(t.chip->overwrites.empty());
    EXPECT_TRUE(t.prog->errors.empty()) << t.prog->errors.front();
    EXPECT_EQ(t.prog->QueuedAnswers(), 0u);
    EXPECT_TRUE(t.window.boxes.empty());
    EXPECT_TRUE(t.Showed("CODE written: " + std::to_string(row.CodeSize) +
                         " ins., DATA written: " + std::to_string(row.DataSize) + " Bytes"));

    const BufferState image = t.s.buf;
    const auto config = t.s.cfg.Config;
    t.FillBuffers(0x5A);
    t.prog->ClearLog();
    t.RecordTraffic();
    ReadPIC30(t.s);
    EXPECT_TRUE(t.AnswersReadInStep()) << row.Name;
    EXPECT_EQ(t.prog->reports.size(), reports) << row.Name;
    EXPECT_EQ(t.prog->answers.size(), answers) << row.Name;
    EXPECT_TRUE(t.prog->errors.empty());
    EXPECT_EQ(t.s.buf, image) << row.Name;
    EXPECT_EQ(t.s.cfg.Config, config) << row.Name;  // the image's values lie within the masks
  }
}

TEST(WritePIC30, BlankTestsOfRowsAndReadBackBlocksAreSums) {
  // FE at element 0 and 01 at the spare element 3 sum to a blank row: not written.
  DsPic30Session code(TinyRow());
  code.s.buf.CodeBuffer.Set(0, 0xFE);
  code.s.buf.CodeBuffer.Set(3, 0x01);
  code.s.settings.VWhile = 0;
  WritePIC30(code.s);
  EXPECT_EQ(code.chip->Code(0), 0xFFFFFFu);
  EXPECT_EQ(code.chip->nvmOps.size(), 1u + 7u + 7u);  // erase and registers, no row
  // Data: FE at element 0 and 01 at its zero element 2 sum to a blank row (8160) and a blank
  // block (16320): neither written nor read back, so neither compared.
  DsPic30Session edge(TinyRow());
  edge.s.buf.DataBuffer.Set(0, 0xFE);
  edge.s.buf.DataBuffer.Set(2, 0x01);
  // Program memory: row 0 is written for instruction 20, but its first read-back block
  // sums to 12240 (FE at element 0, 01 at the spare element 3) and is skipped; the second
  // block is read from W6 = 0x20.
  edge.s.buf.CodeBuffer.Set(0, 0xFE);
  edge.s.buf.CodeBuffer.Set(3, 0x01);
  edge.SetInstruction(edge.s.buf.CodeBuffer, 20, 0x000014);
  WritePIC30(edge.s);
  const auto r = After(edge.Reports(), kTinyErase);
  const auto readBack = std::find(r.begin(), r.end(), Padded({"24 00"})[0]) + 1;  // row 0 ends
  ASSERT_LT(readBack + 10, r.end());
  EXPECT_EQ(std::vector<std::string>(readBack, readBack + 10),
            Padded({"25 00", "1D 20 00 00 1D 88 01 90", "1D 20 02 06 00", "20 20 20 20 20 20 20 20",
                    "25 00", "25 00",  // executive: blank
                    "25 00", "25 00",  // data: blank row sums, blank block sum
                    "25 00", "1D 20 00 07 00"}));
  EXPECT_EQ(edge.chip->Code(0), 0xFFFFFEu);
  EXPECT_EQ(edge.chip->Code(20), 0x000014u);
  EXPECT_EQ(edge.chip->DataWord(0), 0xFFFF);
  EXPECT_TRUE(edge.s.run.OperationOK);
  EXPECT_TRUE(edge.prog->errors.empty());
  // FE alone sums to one less: the code row, and the data row with its block, are written.
  DsPic30Session one(TinyRow());
  one.s.buf.CodeBuffer.Set(0, 0xFE);
  one.s.buf.DataBuffer.Set(0, 0xFE);
  WritePIC30(one.s);
  EXPECT_EQ(one.chip->Code(0), 0xFFFFFEu);
  EXPECT_EQ(one.chip->DataWord(0), 0xFFFE);
  EXPECT_TRUE(one.s.run.OperationOK);
  EXPECT_EQ(one.prog->answers.size(), 8u + 8u + 7u);  // a code and a data block, seven registers
}

TEST(WritePIC30, ReadBackDifferenceEndsTheWrite) {
  DsPic30Session t(TinyRow());
  t.RandomImage(5);
  t.SetInstruction(t.s.buf.CodeBuffer, 0x21, 0x00FFFF);
  t.chip->StickBits(0x42, 0x010000, 0x010000);  // instruction 0x21 keeps bit 16
  t.s.settings.VAfter = 1;
  t.RecordTraffic();
  WritePIC30(t.s);
  EXPECT_TRUE(t.AnswersReadInStep());
  EXPECT_FALSE(t.s.run.OperationOK);
  const std::string text = "CODE error in 0x000042-> Read: 0x01FFFF; Verifiyed: 0x00FFFF";
  EXPECT_EQ(t.s.run.LastErrorText, text);
  ASSERT_EQ(t.window.boxes.size(), 2u);  // the write's, then the verify's
  EXPECT_EQ(t.window.boxes[0].text, text);
  EXPECT_EQ(t.window.boxes[0].style, 16);
  EXPECT_TRUE(t.Showed("CODE written: 64 ins., DATA written: 64 Bytes"));
  EXPECT_EQ(t.window.info(), "Verify ERROR.");
  // Nothing after program memory was written: the rest is as the erase left it.
  for (int m = 0; m < 32; ++m) EXPECT_EQ(t.chip->DataWord(m), 0xFFFF);
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(t.chip->Config(k), t.s.dev.ConfigMasks[k - 1]);
  EXPECT_TRUE(t.prog->errors.empty());
  EXPECT_EQ(t.prog->QueuedAnswers(), 0u);
}

TEST(WritePIC30, CancelDuringRegisterWritesWaitsForTheVerify) {
  DsPic30Session t(TinyRow());
  t.s.settings.VWhile = 0;
  t.s.settings.VAfter = 1;
  double maxAtCancel = 0;  // while the registers are written
  t.window.onDoEvents = [&] {
    if (maxAtCancel == 0 && t.window.progress == 64 + 32 + 64 + 3) {
      t.s.run.CancelRequested = true;
      maxAtCancel = t.window.progressMax;
    }
  };
  WritePIC30(t.s);
  EXPECT_TRUE(t.Showed("CODE written:"));
  EXPECT_EQ(t.window.info(), "User was cancel the action!");
  EXPECT_EQ(t.Reports().end()[-2], "20 20 20 20 20 20 20 20");  // after the verify's first block
  EXPECT_EQ(t.prog->QueuedAnswers(), 0u);
  // Without read-back the write reads nothing: the verify's first block is all that was read.
  EXPECT_EQ(t.prog->answers.size(), 8u);
  EXPECT_EQ(maxAtCancel, 64 + 32 + 64 + 7);
  EXPECT_EQ(t.window.infos[2], "Writing CODE...64 Ins.");
  EXPECT_TRUE(t.Showed("Writing ICSP...32 Ins."));
  EXPECT_TRUE(t.Showed("Writing DATA...64 Bytes."));
}

TEST(WritePIC30, CancelAtEachKindOfPoint) {
  // Tiny part with read-back: code rows end at 32, 64, blocks at 80..128; executive row
  // 160, blocks 176, 192; data rows 224, 256, block 320; registers 321..327 written,
  // 328..334 read back.
  for (double at : {32.0, 96.0, 160.0, 176.0, 224.0, 320.0, 329.0}) {
    DsPic30Session t(TinyRow());
    t.RandomImage(4);
    t.CancelAt(at);
    WritePIC30(t.s);
    EXPECT_EQ(t.window.info(), "User was cancel the action!") << at;
    EXPECT_FALSE(t.Showed("CODE written:")) << at;
    EXPECT_FALSE(t.window.vppOn());
    EXPECT_TRUE(t.s.run.OperationOK);
    EXPECT_TRUE(t.window.boxes.empty());
    // The erase's two periods end before the cancel; the write's period once, at the end.
    EXPECT_TRUE(t.LeftProgModeOnceAtTheEnd(kTinyErase)) << at;
    EXPECT_EQ(t.prog->QueuedAnswers(), 0u);
  }
}

TEST(WritePIC30, LinkLossAtEveryReportEndsTheWrite) {
  DsPic30Session probe(TinyRow());
  probe.RandomImage(2);
  WritePIC30(probe.s);
  const int total = static_cast<int>(probe.prog->reports.size());
  for (auto loss : {DsPic30Session::Loss::Unplug, DsPic30Session::Loss::TimeOut}) {
    const bool unplug = loss == DsPic30Session::Loss::Unplug;
    // A silent programmer after the last report is never asked again: nothing is lost.
    for (int n = 1; n < total - (unplug ? 0 : 1); ++n) {
      DsPic30Session t(TinyRow());
      t.RandomImage(2);
      t.LoseLinkAfterReport(loss, n);
      WritePIC30(t.s);
      std::vector<std::string> notShown{"CODE written:", "Verify"};
      // An unplug during the erase ends it; a silent programmer is noticed at the first read.
      if (unplug && n < static_cast<int>(kTinyErase)) notShown.push_back("dsPIC30FTEST ERASED.");
      EXPECT_TRUE(t.EndedByLinkLoss(notShown)) << n;
      if (unplug) {
        EXPECT_EQ(t.prog->reports.size(), static_cast<size_t>(n)) << n;
      }
      EXPECT_TRUE(t.prog->errors.empty()) << n;
    }
  }
}

TEST(WritePIC30, RunTimeErrorLeavesProgrammingModeAndReports) {
  DsPic30Session t(TinyRow());
  t.s.cfg.Config[2] = 0x1FFFF;  // no 16-bit literal holds it
  t.s.settings.VAfter = 1;
  WritePIC30(t.s);
  EXPECT_TRUE(t.EndedByRunTimeError("Overflow", "WritePIC30", {"CODE written:", "Verifying"}));
  EXPECT_EQ(t.chip->Config(1), t.s.dev.ConfigMasks[0]);
}

}  // namespace
}  // namespace krv::test
