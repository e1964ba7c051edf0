// How every dsPIC30F operation ends short of its normal end: the programmer unplugged or
// silent after each report, a run-time error, a cancel at each kind of cancel point.
#include <gtest/gtest.h>

#include "dspic30_fixture.h"
#include "operations/dspic30/dspic30.h"

namespace krv::test {
namespace {

enum Op { Read, Verify, Write, Erase };
void (*const kOps[])(Session&) = {ReadPIC30, VerifyPIC30, WritePIC30, ErasePIC30};
constexpr uint8_t kMarker = 0x5A;

// The tiny chip holds an image with gaps. The read starts from buffers holding a marker;
// the verify finds a difference only in the last register.
struct Ending : DsPic30Session {
  explicit Ending(Op op) : DsPic30Session(TinyRow(), 7), op(op) {
    PutBuffersIntoChip();
    image = s.buf;
    config = s.cfg.Config;
    if (op == Read) FillBuffers(kMarker);
    if (op == Verify) chip->SetConfig(7, static_cast<uint16_t>(~config[7]));
  }
  void Run() { kOps[op](s); }
  // The first `answers` answers of the read, and nothing after them, are in the buffers:
  // program and executive answers fill 8 elements each, data answers 16, then one register.
  ::testing::AssertionResult StoredAnswers(int answers) const {
    const ByteBuffer* got[] = {&s.buf.CodeBuffer, &s.buf.ExecBuffer, &s.buf.DataBuffer};
    const ByteBuffer* want[] = {&image.CodeBuffer, &image.ExecBuffer, &image.DataBuffer};
    for (int a = 0; a < 3; ++a) {
      const int per = a == 2 ? 16 : 8, stored = per * std::min(answers, got[a]->UBound() / per);
      answers -= stored / per;
      for (int32_t i = 0; i < got[a]->UBound(); ++i)
        if (got[a]->Get(i) != (i < stored ? want[a]->Get(i) : kMarker))
          return ::testing::AssertionFailure() << "area " << a << ", element " << i;
    }
    for (size_t k = 1; k <= 7; ++k)
      if (s.cfg.Config[k] != (static_cast<int>(k) <= answers ? config[k] : kMarker))
        return ::testing::AssertionFailure() << "Config" << k;
    return ::testing::AssertionSuccess();
  }
  Op op;
  BufferState image;
  std::array<int32_t, 8> config{};
};

enum class Loss { Unplug, TimeOut };
class LinkLoss : public ::testing::TestWithParam<std::tuple<Op, Loss>> {};

// The link goes after report n: unplugged, the host notices at its next report or read;
// silent, so that every read times out, at its next read. Up to there the transcript is that of a
// normal run; then the operation ends as a lost link: the Vpp picture off, the time-out box and
// status (and the read's partly new buffers shown), OperationOK False, the programmer absent. A
// loss it never notices leaves the normal run as it is.
TEST_P(LinkLoss, AfterEachReportEndsTheOperationWhereItIsNoticed) {
  const auto [op, loss] = GetParam();
  Ending normal(op);
  normal.Run();
  const std::vector<sim::Programmer::Traffic>& log = normal.prog->log;
  const std::string timeOut = "TimeOut. Please, reconnect the programmer!!";
  for (size_t i = 0, n = 1; i < log.size(); ++i) {
    if (log[i].answer) continue;
    size_t at = i + 1;  // where the loss is noticed
    while (loss == Loss::TimeOut && at < log.size() && !log[at].answer) ++at;
    Ending t(op);
    (loss == Loss::Unplug ? t.prog->vanishAfterReport : t.prog->silentAfterReport) = int(n);
    t.Run();
    SCOPED_TRACE("after report " + std::to_string(n++));
    sim::Programmer cut;
    cut.log.assign(log.begin(), log.begin() + static_cast<long>(at));
    Notes shown;
    for (const auto& note : normal.notes)
      if (note.first <= at || at == log.size()) shown.push_back(note);
    std::vector<std::string> want = TrafficLines(cut, shown);
    if (at < log.size()) {
      want.insert(want.end(), {"vpp off", "box 16 KRV330 - V1.25: " + timeOut, "info " + timeOut});
      if (op == Read) want.insert(want.end(), {"csum " + t.window.csum, "views"});
      EXPECT_EQ(
          std::tie(t.s.run.OperationOK, t.s.run.LastErrorText, t.window.progress, t.s.link.present),
          std::tuple(false, timeOut, 0.0, false));
    }
    EXPECT_EQ(TrafficLines(*t.prog, t.notes), want);
    EXPECT_TRUE(t.prog->errors.empty());
    if (op == Read) {
      EXPECT_TRUE(t.StoredAnswers(static_cast<int>(t.prog->AnswersRead())));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, LinkLoss,
                         ::testing::Combine(::testing::Values(Read, Verify, Write, Erase),
                                            ::testing::Values(Loss::Unplug, Loss::TimeOut)));

// A run-time error drops the answers still waiting, leaves programming mode and shows the
// error under the procedure's name (the transcripts); no end text.
TEST(DsPic30Endings, RunTimeErrorLeavesProgrammingModeAndReports) {
  const std::pair<Op, const char*> cases[] = {{Read, "run_time_error_read.txt"},
                                              {Verify, "run_time_error_verify.txt"},
                                              {Write, "run_time_error_write.txt"}};
  for (const auto& [op, golden] : cases) {
    Ending t(op);
    if (op == Write) {
      t.s.cfg.Config[2] = 0x1FFFF;  // no 16-bit literal holds it
      t.s.settings.VAfter = 1;
    } else {
      // Room for the first block of the executive area only, which the chip matches.
      t.s.buf.ExecBuffer.Redim(63);
      for (int n = 0; n < 16; ++n) t.chip->SetExec(n, 0);
    }
    t.Run();
    EXPECT_TRUE(t.Matches(golden));
    EXPECT_FALSE(t.chip->InProgMode() || t.s.run.OperationOK) << golden;
    EXPECT_TRUE(op != Read || t.s.buf.CodeBuffer == t.image.CodeBuffer);  // read whole
  }
}

TEST(DsPic30Endings, CancelStopsAtTheNextCancelPoint) {
  // The tiny part's progress: read and verify: code blocks end at 16 .. 64, executive
  // blocks at 80, 96, data answers at 104 .. 160, registers at 161 .. 167. Write with
  // read-back: code rows at 32, 64, blocks at 80 .. 128; executive row 160, blocks 176,
  // 192; data rows 224, 256, block 320; registers written 321 .. 327, read back 328 .. 334.
  // Read: the answers stored; a cancel seen after register 4's answer keeps Config4.
  // clang-format off
  const std::tuple<Op, double, int> cases[] = {
      {Read, 16, 8}, {Read, 80, 40}, {Read, 104, 56}, {Read, 162, 58}, {Read, 163, 59},
      {Verify, 16, 0}, {Verify, 96, 0}, {Verify, 112, 0}, {Verify, 165, 0},
      {Write, 32, 0}, {Write, 96, 0}, {Write, 160, 0}, {Write, 176, 0}, {Write, 224, 0},
      {Write, 320, 0}, {Write, 329, 0}};
  // clang-format on
  for (const auto& [op, at, stored] : cases) {
    Ending t(op);
    t.window.onDoEvents = [&t, at = at] {
      if (t.window.progress == at) t.s.run.CancelRequested = true;
    };
    t.Run();
    SCOPED_TRACE(std::to_string(op) + " at " + std::to_string(at));
    // CheckCancel has shown the cancel, reset the progress and left programming mode; the
    // operation sends and shows nothing more but the Vpp picture off (and the read its
    // partly new buffers).
    std::vector<std::string> end{"info User was cancel the action!", "02 00 00 00 00 00 00 00",
                                 "vpp off"};
    if (op == Read) end.insert(end.end(), {"csum " + t.window.csum, "views"});
    const std::vector<std::string> lines = TrafficLines(*t.prog, t.notes);
    EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(end.size()), lines.end()),
              end);
    EXPECT_EQ(std::tuple(t.window.progress, t.s.run.CancelRequested), std::tuple(0, false));
    EXPECT_TRUE(t.prog->errors.empty());
    // The read has stored what it read; the others found no difference before the cancel.
    EXPECT_TRUE(op == Read ? t.StoredAnswers(stored)
                           : ::testing::AssertionResult(t.s.run.OperationOK));
  }
}

// Without read-back no cancel point follows the register writes: the request waits for
// the verify after writing, which takes it after its first block.
TEST(DsPic30Endings, CancelDuringTheRegisterWritesWaitsForTheVerify) {
  DsPic30Session t(TinyRow());
  t.s.settings.VWhile = 0;
  t.s.settings.VAfter = 1;
  t.window.onDoEvents = [&] {
    if (t.window.progress == 64 + 32 + 64 + 3 && t.window.progressMax == 64 + 32 + 64 + 7)
      t.s.run.CancelRequested = true;
  };
  WritePIC30(t.s);
  EXPECT_TRUE(t.Matches("write_cancel_in_registers.txt"));
}

}  // namespace
}  // namespace krv::test
