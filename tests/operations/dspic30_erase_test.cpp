// Erasing a dsPIC30F: periods in programming mode, the executive area on request, the
// configuration registers, and the chip afterwards.
#include <gtest/gtest.h>

#include "devices/catalogue.h"
#include "dspic30_fixture.h"
#include "operations/dspic30/dspic30.h"

namespace krv::test {
namespace {

TEST(ErasePIC30, TwoPeriodsBulkEraseAndConfigurationRegisters) {
  DsPic30Session t(TinyRow());
  t.RandomImage(3);
  const BufferState before = t.s.buf;
  const auto config = t.s.cfg.Config;
  t.PutBuffersIntoChip();
  t.chip->SetExec(5, 0x123456);
  ErasePIC30(t.s);
  std::vector<std::string> want{"01 25 00", "1D 24 07 FA 1D 88 3B 0A", "24 00", "02 00",
                                "01 25 00", "1D 20 00 07 00"};
  for (int k = 0; k < 7; ++k)
    want.insert(want.end(), {"1D 24 00 8A 1D 88 3B 0A", "1D 20 0F 80 1D 88 01 90", "1D 2F FF F6 00",
                             "1D BB 1B 86 1F 1F 00", "24 00"});
  want.push_back("02 00");
  EXPECT_EQ(t.Reports(), Padded(want));
  EXPECT_EQ(t.clock.sleeps, std::vector<int>{10});
  for (int n = 0; n < 64; ++n) EXPECT_EQ(t.chip->Code(n), 0xFFFFFFu);
  for (int m = 0; m < 32; ++m) EXPECT_EQ(t.chip->DataWord(m), 0xFFFF);
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(t.chip->Config(k), t.s.dev.ConfigMasks[k - 1]);
  EXPECT_EQ(t.chip->Exec(5), 0x123456u);  // kept without DelICSP
  // The host keeps its buffers.
  EXPECT_EQ(t.s.buf, before);
  EXPECT_EQ(t.s.cfg.Config, config);
  EXPECT_EQ(t.window.infos,
            (std::vector<std::string>{"Erasing PIC30FTEST ...", "dsPIC30FTEST ERASED."}));
  EXPECT_EQ(t.window.vpp, (std::vector<bool>{true, false}));
  EXPECT_TRUE(t.prog->errors.empty());
  EXPECT_TRUE(t.window.boxes.empty());
}

TEST(ErasePIC30, PIC30F5011And5013ClearTwoRegistersFirst) {
  const std::pair<const char*, size_t> parts[] = {
      {"PIC30F5011", 49}, {"PIC30F5013", 49}, {"PIC30F5015", 42}, {"PIC30F4013", 42}};
  for (const auto& [name, reports] : parts) {
    DsPic30Session t(*FindDevice(name));  // the row says whether the erase clears two first
    ErasePIC30(t.s);
    const auto r = t.Reports();
    ASSERT_EQ(r.size(), reports) << name;
    EXPECT_TRUE(t.prog->errors.empty());
    if (reports == 42) continue;
    EXPECT_EQ(std::vector<std::string>(r.begin(), r.begin() + 10),
              Padded({"01 25 00", "1D 24 00 8A 1D 88 3B 0A", "1D 20 0F 80 1D 88 01 90",
                      "1D 20 00 67 1D EB 03 00", "1D BB 1B 86 00", "24 00", "1D BB 1B 86 00",
                      "24 00", "1D 24 07 FA 1D 88 3B 0A", "24 00"}));
    ASSERT_GE(t.chip->nvmOps.size(), 2u);
    EXPECT_EQ(t.chip->nvmOps[0].address, 0xF80006u);
    EXPECT_EQ(t.chip->nvmOps[1].address, 0xF80008u);
  }
}

TEST(ErasePIC30, DelIcspErasesTheExecutiveAreaInTwoMorePeriods) {
  DsPic30Session t(DsPic30Row("PIC30F2010", 4096, 1024));
  t.s.settings.DelICSP = 1;
  for (int n = 0; n < sim::DsPic30Chip::kExecInstructions; ++n) t.chip->SetExec(n, 0);
  ErasePIC30(t.s);
  const auto r = t.Reports();
  ASSERT_EQ(r.size(), 144u);
  EXPECT_EQ(std::vector<std::string>(r.begin() + 4, r.begin() + 13),
            Padded({"01 25 00", "1D 24 07 2A 1D 88 3B 0A", "24 00", "02 00", "01 25 00",
                    "1D 20 00 06 1D 88 3B 16", "1D 20 08 07 1D 88 3B 27", "1D 24 07 1A 1D 88 3B 0A",
                    "24 00"}));
  EXPECT_EQ(r[8 + 1 + 23 * 4], Padded({"1D 20 5C 06 1D 88 3B 16"})[0]);  // the last row
  EXPECT_EQ(r[8 + 1 + 24 * 4], kExit);
  for (int n = 0; n < sim::DsPic30Chip::kExecInstructions; ++n)
    ASSERT_EQ(t.chip->Exec(n), 0xFFFFFFu) << n;
  EXPECT_EQ(t.clock.sleeps, (std::vector<int>{10, 10, 10}));
  EXPECT_TRUE(t.chip->overwrites.empty());
  EXPECT_TRUE(t.prog->errors.empty());
}

TEST(ErasePIC30, LinkLossEndsTheEraseWithoutItsEndText) {
  for (int n = 1; n < 42; ++n) {
    DsPic30Session t(TinyRow());
    t.LoseLinkAfterReport(DsPic30Session::Loss::Unplug, n);
    ErasePIC30(t.s);
    EXPECT_TRUE(t.EndedByLinkLoss({"dsPIC30FTEST ERASED."})) << n;
    EXPECT_EQ(t.prog->reports.size(), static_cast<size_t>(n));
  }
}

}  // namespace
}  // namespace krv::test
