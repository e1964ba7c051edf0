// Reading a dsPIC30F: the report stream, what lands in the buffers, cancels and lost links.
#include <gtest/gtest.h>

#include "dspic30_fixture.h"
#include "operations/dspic30/dspic30.h"

namespace krv::test {
namespace {

constexpr uint8_t kMarker = 0x5A;

// A chip holding an image with gaps, and buffers holding a marker.
struct ReadSession : DsPic30Session {
  explicit ReadSession(const DeviceRow& row) : DsPic30Session(row) {
    RandomImage(7);
    PutBuffersIntoChip();
    image = s.buf;
    config = s.cfg.Config;
    FillBuffers(kMarker);
  }
  // The first `answers` answers of the read, and nothing after them, are in the buffers.
  ::testing::AssertionResult StoredAnswers(int answers) const {
    const int code = s.dev.CodeSize / 2, exec = s.dev.ExecSize / 2, data = s.dev.DataSize / 8;
    const struct {
      const ByteBuffer &got, &want;
      int elements;
    } areas[] = {
        {s.buf.CodeBuffer, image.CodeBuffer, 8 * std::clamp(answers, 0, code)},
        {s.buf.ExecBuffer, image.ExecBuffer, 8 * std::clamp(answers - code, 0, exec)},
        {s.buf.DataBuffer, image.DataBuffer, 16 * std::clamp(answers - code - exec, 0, data)}};
    for (const auto& a : areas)
      for (int32_t i = 0; i < a.got.UBound(); ++i) {
        const uint8_t want = i < a.elements ? a.want.Get(i) : kMarker;
        if (a.got.Get(i) != want)
          return ::testing::AssertionFailure() << "element " << i << " is " << +a.got.Get(i);
      }
    const int configs = std::clamp(answers - code - exec - data, 0, 7);
    for (size_t k = 1; k <= 7; ++k)
      if (s.cfg.Config[k] != (static_cast<int>(k) <= configs ? config[k] : kMarker))
        return ::testing::AssertionFailure() << "Config" << k;
    return ::testing::AssertionSuccess();
  }
  BufferState image;
  std::array<int32_t, 8> config{};
};

TEST(ReadPIC30, OnePeriodFillsTheBuffersWithTheChipsContents) {
  ReadSession t(TinyRow());
  t.RecordTraffic();
  ReadPIC30(t.s);
  EXPECT_EQ(t.traffic, TinyReadTraffic());
  EXPECT_TRUE(t.prog->errors.empty());
  EXPECT_TRUE(t.StoredAnswers(1000));
  // The normal end: checksum and views, final text, progress 0, Vpp off, 100 ms.
  EXPECT_EQ(t.window.info(), "CODE read:  64 ins.; DATA read:  64 Bytes");
  EXPECT_EQ(t.window.progressMax, 64 + 32 + 64 + 7);
  EXPECT_EQ(t.window.progress, 0);
  EXPECT_EQ(t.window.vpp, (std::vector<bool>{true, false}));
  EXPECT_EQ(t.window.showWindows, 1);
  EXPECT_FALSE(t.window.csum.empty());
  EXPECT_EQ(t.clock.sleeps, std::vector<int>{100});
  EXPECT_TRUE(t.window.boxes.empty());
  EXPECT_EQ(t.window.infos.front(), "Reading CODE...64 Ins.");
  EXPECT_TRUE(t.Showed("Reading ICSP code...32 Ins."));
  EXPECT_TRUE(t.Showed("Reading DATA...64 Bytes"));
}

TEST(ReadPIC30, CancelStopsAtTheNextCancelPointAndRefreshesTheViews) {
  // Tiny part: code blocks end at 16..64, executive at 80, 96, data answers 104..160,
  // registers 161..167.
  const std::pair<double, int> cases[] = {
      {16, 8},             // after the first code block
      {80, 32 + 8},        // during the executive area
      {104, 32 + 16 + 8},  // at the first data answer: the whole block is read
      {162, 32 + 16 + 8 + 2},
      {163, 32 + 16 + 8 + 3},  // seen after the fourth register's answer: Config4 unchanged
  };
  for (const auto& [at, stored] : cases) {
    ReadSession t(TinyRow());
    t.CancelAt(at);
    ReadPIC30(t.s);
    EXPECT_TRUE(t.StoredAnswers(stored)) << at;
    EXPECT_EQ(t.window.info(), "User was cancel the action!");
    EXPECT_EQ(t.window.progress, 0);
    EXPECT_FALSE(t.window.vppOn());
    EXPECT_EQ(t.window.showWindows, 1);  // the views show the partly new buffers
    EXPECT_TRUE(t.LeftProgModeOnceAtTheEnd()) << at;
    EXPECT_FALSE(t.s.run.CancelRequested);
    EXPECT_TRUE(t.clock.sleeps.empty());
  }
}

TEST(ReadPIC30, LinkLossAtEveryReportStoresNothingAfterIt) {
  for (auto loss : {DsPic30Session::Loss::Unplug, DsPic30Session::Loss::TimeOut}) {
    for (int n = 1; n < 41; ++n) {
      ReadSession t(TinyRow());
      t.LoseLinkAfterReport(loss, n);
      ReadPIC30(t.s);
      const std::string at =
          std::to_string(n) + (loss == DsPic30Session::Loss::Unplug ? " unplug" : " time-out");
      EXPECT_TRUE(t.EndedByLinkLoss({"CODE read:"})) << at;
      EXPECT_TRUE(t.StoredAnswers(static_cast<int>(t.prog->answers.size()))) << at;
      if (loss == DsPic30Session::Loss::Unplug) {
        EXPECT_EQ(t.prog->reports.size(), static_cast<size_t>(n)) << at;
      }
      EXPECT_EQ(t.window.showWindows, 1) << at;
      EXPECT_TRUE(t.prog->errors.empty()) << at;
    }
  }
}

TEST(ReadPIC30, RunTimeErrorLeavesProgrammingModeAndRefreshesTheViews) {
  ReadSession t(TinyRow());
  t.s.buf.ExecBuffer.Redim(63);  // room for one block of the executive area only
  ReadPIC30(t.s);
  EXPECT_TRUE(t.EndedByRunTimeError("Subscript out of range", "ReadPIC30", {"CODE read:"}));
  EXPECT_EQ(t.window.showWindows, 1);
  for (int n = 0; n < 64; ++n)  // program memory was read whole
    EXPECT_EQ(t.Instruction(t.s.buf.CodeBuffer, n), t.chip->Code(n));
}

}  // namespace
}  // namespace krv::test
