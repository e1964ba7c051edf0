// Verifying a dsPIC30F: the first difference in each area and its text, the end with and
// without a difference, cancels and lost links.
#include <gtest/gtest.h>

#include "dspic30_fixture.h"
#include "operations/dspic30/dspic30.h"

namespace krv::test {
namespace {

// A chip that holds exactly the buffers' image.
struct VerifySession : DsPic30Session {
  explicit VerifySession(const DeviceRow& row) : DsPic30Session(row) {
    RandomImage(11);
    PutBuffersIntoChip();
  }
};

TEST(VerifyPIC30, EqualChipEndsWithVerifyOk) {
  VerifySession t(TinyRow());
  t.RecordTraffic();
  VerifyPIC30(t.s);
  EXPECT_EQ(t.traffic, TinyReadTraffic());  // the chip is read back exactly as a read does
  EXPECT_TRUE(t.s.run.OperationOK);
  EXPECT_EQ(t.s.run.LastErrorText, "Verify O.K.");
  EXPECT_EQ(t.window.info(), "Verify O.K.");
  EXPECT_TRUE(t.window.boxes.empty());
  EXPECT_EQ(t.window.vpp, (std::vector<bool>{true, false}));
  EXPECT_EQ(t.window.progress, 0);
  EXPECT_EQ(t.window.progressMax, 64 + 32 + 64 + 7);
  EXPECT_EQ(t.window.infos.front(), "Verifying CODE...64 ins.");
  EXPECT_TRUE(t.Showed("Verifying ICSP code...32 Ins."));
  EXPECT_TRUE(t.Showed("Verifying DATA...64 Bytes"));
  EXPECT_EQ(t.prog->QueuedAnswers(), 0u);
  EXPECT_TRUE(t.clock.sleeps.empty());
  EXPECT_EQ(t.window.showWindows, 0);
}

// A value that differs between the buffers and the chip.
enum class At { Code, Exec, Data, Config };
struct Change {
  At at;
  int n;  // instruction, data word or register
  uint32_t buffer, chip;
};

void Apply(VerifySession& t, const Change& c) {
  switch (c.at) {
    case At::Code:
      t.SetInstruction(t.s.buf.CodeBuffer, c.n, c.buffer);
      return t.chip->SetCode(c.n, c.chip);
    case At::Exec:
      t.SetInstruction(t.s.buf.ExecBuffer, c.n, c.buffer);
      return t.chip->SetExec(c.n, c.chip);
    case At::Data:
      t.SetDataWord(c.n, static_cast<uint16_t>(c.buffer));
      return t.chip->SetDataWord(c.n, static_cast<uint16_t>(c.chip));
    case At::Config:
      t.s.cfg.Config[static_cast<size_t>(c.n)] = static_cast<int32_t>(c.buffer);
      return t.chip->SetConfig(c.n, static_cast<uint16_t>(c.chip));
  }
}

TEST(VerifyPIC30, FirstDifferenceOfEachKind) {
  const DeviceRow tiny = TinyRow(), kb1 = DsPic30Row("PIC30F2010", 4096, 1024),
                  kb4 = DsPic30Row("PIC30F6014", 49152, 4096);
  // clang-format off
  const struct {
    DeviceRow row;
    std::vector<Change> changes;
    std::string text;
    size_t reports;  // sent up to and including the [02 00]
  } cases[] = {
    // the top byte of instruction 5
    {tiny, {{At::Code, 5, 0x123456, 0x443456}},
     "CODE error in 0x00000A-> Read: 0x443456; Verifiyed: 0x123456", 3 + 1 + 1},
    // the first instruction of a pair
    {tiny, {{At::Code, 20, 0x000001, 0x000000}},
     "CODE error in 0x000028-> Read: 0x000000; Verifiyed: 0x000001", 3 + 2 + 1},
    // the second instruction of a pair, read as bytes 4, 6, 5
    {tiny, {{At::Code, 1, 0xFFFFFF, 0x04123C}},
     "CODE error in 0x000002-> Read: 0x04123C; Verifiyed: 0xFFFFFF", 3 + 1 + 1},
    {kb1, {{At::Exec, 0x2DF, 0xABCDEF, 0xABCDEE}},
     "ICSP error in 0x8005BE-> Read: 0xABCDEE; Verifiyed: 0xABCDEF", 3 + 256 + 3 + 46 + 1},
    // the third data word of 1 KB and of 4 KB, word 33 in the second block
    {kb1, {{At::Data, 2, 0xFFFF, 0x1234}},
     "DATA error in 0x7FFC04-> Read: 0x1234; Verifiyed: 0xFFFF", 3 + 256 + 3 + 46 + 3 + 1 + 1},
    {kb4, {{At::Data, 2, 0x00FF, 0x0000}},
     "DATA error in 0x7FF004-> Read: 0x0000; Verifiyed: 0x00FF", 3 + 3072 + 3 + 46 + 3 + 1 + 1},
    {kb1, {{At::Data, 33, 0xFFFF, 0xFFFE}},
     "DATA error in 0x7FFC42-> Read: 0xFFFE; Verifiyed: 0xFFFF", 3 + 256 + 3 + 46 + 3 + 2 + 1},
    {tiny, {{At::Config, 3, 0x87B3, 0x0000}},
     "Config3 error.\r\n->Read: 0x0000\r\n; Verifiyed: 0x87B3", 41 - 4 * 3},
    // both instructions of a pair differ: the first is reported
    {tiny, {{At::Code, 6, 0x111111, 0x111110}, {At::Code, 7, 0x222222, 0x222220}},
     "CODE error in 0x00000C-> Read: 0x111110; Verifiyed: 0x111111", 3 + 1 + 1},
    // a later pair of the same block is not compared
    {tiny, {{At::Code, 3, 0x000003, 0x000013}, {At::Code, 4, 0x000004, 0x000014}},
     "CODE error in 0x000006-> Read: 0x000013; Verifiyed: 0x000003", 3 + 1 + 1},
    // words 1 and 3 of one data answer: word 1 is reported
    {tiny, {{At::Data, 5, 0x5555, 0x5554}, {At::Data, 7, 0x7777, 0x7776}},
     "DATA error in 0x7FFFCA-> Read: 0x5554; Verifiyed: 0x5555", 41 - 7 * 3 - 3},
    // Config1 is compared without the mask
    {tiny, {{At::Config, 1, 0xFFFF, 0xFFFF}},
     "Config1 error.\r\n->Read: 0xC30F\r\n; Verifiyed: 0xFFFF", 41 - 6 * 3},
  };
  // clang-format on
  for (const auto& c : cases) {
    VerifySession t(c.row);
    for (const Change& change : c.changes) Apply(t, change);
    t.RecordTraffic();
    VerifyPIC30(t.s);
    EXPECT_TRUE(t.AnswersReadInStep()) << c.text;
    EXPECT_FALSE(t.s.run.OperationOK) << c.text;
    EXPECT_EQ(t.s.run.LastErrorText, c.text) << c.text;
    ASSERT_EQ(t.window.boxes.size(), 1u) << c.text;
    EXPECT_EQ(t.window.boxes[0].text, c.text);
    EXPECT_EQ(t.window.boxes[0].style, 16);
    EXPECT_EQ(t.window.boxes[0].title, "KRV330 - V1.25");
    EXPECT_EQ(t.window.info(), "Verify ERROR.");
    EXPECT_EQ(t.prog->reports.size(), c.reports) << c.text;
    EXPECT_EQ(t.Reports().back(), kExit);
    EXPECT_EQ(t.prog->QueuedAnswers(), 0u) << c.text;
    EXPECT_TRUE(t.prog->errors.empty());
  }
}

// Records, at each message box, how many reports the programmer had and the Vpp picture.
class BoxWindow : public FakeWindow {
 public:
  int MsgBox(const std::string& text, int style, const std::string& title) override {
    reportsAtBox.push_back(prog->reports.size());
    vppAtBox.push_back(vppOn());
    infosAtBox.push_back(infos.size());
    return FakeWindow::MsgBox(text, style, title);
  }
  sim::Programmer* prog = nullptr;
  std::vector<size_t> reportsAtBox, infosAtBox;
  std::vector<bool> vppAtBox;
};

TEST(VerifyPIC30, LeavesProgrammingModeBeforeTheErrorBoxWaits) {
  VerifySession t(TinyRow());
  BoxWindow w;
  w.prog = t.prog;
  t.s.window = &w;
  t.chip->SetCode(0, 0);
  VerifyPIC30(t.s);
  ASSERT_EQ(w.boxes.size(), 1u);
  EXPECT_EQ(w.reportsAtBox[0], t.prog->reports.size());
  EXPECT_EQ(t.Reports().back(), kExit);
  EXPECT_FALSE(w.vppAtBox[0]);
  EXPECT_EQ(w.infosAtBox[0], w.infos.size() - 1);  // Msg55 follows the box
  EXPECT_EQ(w.info(), "Verify ERROR.");
}

TEST(VerifyPIC30, CancelReturnsAtOnceKeepingTheResultSoFar) {
  // Tiny part: code blocks end at progress 16..64, executive 80, 96, data answers
  // 104..160, registers 161..167.
  for (double at : {16.0, 96.0, 112.0, 165.0}) {
    VerifySession t(TinyRow());
    t.CancelAt(at);
    VerifyPIC30(t.s);
    EXPECT_TRUE(t.s.run.OperationOK) << at;
    EXPECT_EQ(t.s.run.LastErrorText, "Verify O.K.");
    EXPECT_EQ(t.window.info(), "User was cancel the action!");
    EXPECT_TRUE(t.window.boxes.empty());
    EXPECT_FALSE(t.window.vppOn());
    EXPECT_TRUE(t.LeftProgModeOnceAtTheEnd()) << at;
    EXPECT_EQ(t.prog->QueuedAnswers(), 0u);
  }
}

TEST(VerifyPIC30, RunTimeErrorLeavesProgrammingModeAndReports) {
  VerifySession t(TinyRow());
  const ByteBuffer exec = t.s.buf.ExecBuffer;
  t.s.buf.ExecBuffer.Redim(63);  // room for one block of the executive area only
  for (int32_t i = 0; i <= 63; ++i) t.s.buf.ExecBuffer.Set(i, exec.Get(i));
  VerifyPIC30(t.s);
  EXPECT_TRUE(t.EndedByRunTimeError("Subscript out of range", "VerifyPIC30",
                                    {"Verify O.K.", "Verify ERROR."}));
}

TEST(VerifyPIC30, LinkLossAtEveryReportComparesNothingMore) {
  for (auto loss : {DsPic30Session::Loss::Unplug, DsPic30Session::Loss::TimeOut}) {
    for (int n = 1; n < 41; ++n) {
      VerifySession t(TinyRow());
      t.chip->SetConfig(7, 0);  // a difference only at the very end
      t.LoseLinkAfterReport(loss, n);
      VerifyPIC30(t.s);
      EXPECT_TRUE(t.EndedByLinkLoss({"Verify O.K.", "Verify ERROR."})) << n;
      EXPECT_EQ(t.window.boxes.size(), 1u) << n;
    }
  }
}

}  // namespace
}  // namespace krv::test
