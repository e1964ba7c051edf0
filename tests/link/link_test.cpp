// The report link: framing, answers, the 500 ms time-out, link loss inside and outside an
// operation, the write retry, draining, handle reuse and the connection display.
#include <gtest/gtest.h>

#include "link/commands.h"
#include "link/link.h"
#include "scripted_chip.h"
#include "shell/errors.h"
#include "shell/helpers.h"
#include "support/test_session.h"

namespace krv {
namespace {

using test::ScriptedChip;
using test::TestSession;

const std::string kMsg9 = "TimeOut. Please, reconnect the programmer!!";

struct LinkTest : ::testing::Test {
  LinkTest() {
    auto c = std::make_unique<ScriptedChip>();
    chip = c.get();
    prog = &t.AttachProgrammer(std::move(c));
  }
  Report Sent(size_t i) const { return prog->reports.at(i); }

  TestSession t;
  Session& s = t.s;
  ScriptedChip* chip;
  sim::Programmer* prog;
};

// --- framing -------------------------------------------------------------------------

TEST_F(LinkTest, ReportsCarryReportIdZeroAndEachByteAnd255) {
  struct Case {
    std::vector<int32_t> in;
    Report out;
  };
  const Case cases[] = {
      {{0x02}, {0, 0x02, 0, 0, 0, 0, 0, 0, 0}},
      {{0x1D, 0x2FC0, 0x7FFC06, 0x100}, {0, 0x1D, 0xC0, 0x06, 0x00, 0, 0, 0, 0}},
      {{-1, 255, 256, 257, -256, 0x12345678, 0x80, 0x7F},
       {0, 0xFF, 0xFF, 0, 1, 0, 0x78, 0x80, 0x7F}},
      {{}, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    prog->ClearLog();
    // The initializer list of the call is built from the case's bytes.
    switch (c.in.size()) {
      case 0:
        EXPECT_TRUE(SendToKRV(s, {}));
        break;
      case 1:
        EXPECT_TRUE(SendToKRV(s, {c.in[0]}));
        break;
      case 4:
        EXPECT_TRUE(SendToKRV(s, {c.in[0], c.in[1], c.in[2], c.in[3]}));
        break;
      case 8:
        EXPECT_TRUE(
            SendToKRV(s, {c.in[0], c.in[1], c.in[2], c.in[3], c.in[4], c.in[5], c.in[6], c.in[7]}));
        break;
    }
    ASSERT_EQ(prog->reports.size(), 1u);
    EXPECT_EQ(Sent(0), c.out);
  }
}

TEST_F(LinkTest, MoreThanEightBytesIsAnErrorAndSendsNothing) {
  EXPECT_THROW(SendToKRV(s, {1, 2, 3, 4, 5, 6, 7, 8, 9}), RuntimeError);
  EXPECT_TRUE(prog->reports.empty());
}

TEST_F(LinkTest, AnswerBytesGoToInReportOneToEight) {
  chip->script.push_back({10, 20, 30, 40, 50, 60, 70, 80});
  SendToKRV(s, {kCmdEnterProgMode, kCmdRegOut30});
  ASSERT_TRUE(ReadReport(s));
  const std::array<uint8_t, 9> expected{0, 10, 20, 30, 40, 50, 60, 70, 80};
  EXPECT_EQ(s.link.InReport, expected);
  EXPECT_EQ(t.transport->lastTimeoutMs, 500);
  EXPECT_TRUE(prog->errors.empty());
}

// --- without a programmer ------------------------------------------------------------

TEST(LinkWithoutProgrammer, SendsNothingReadsNothingAndSaysNothing) {
  TestSession t;
  t.s.link.InReport[3] = 7;
  EXPECT_FALSE(SendToKRV(t.s, {kCmdExitProgMode}));
  EXPECT_FALSE(ReadReport(t.s));
  EXPECT_EQ(t.s.link.InReport[3], 7);
  EXPECT_TRUE(t.window.boxes.empty());
}

TEST_F(LinkTest, AbsentProgrammerIsNotWrittenTo) {
  prog->Unplug();
  BuscaHID(s);
  ASSERT_FALSE(s.link.present);
  EXPECT_FALSE(SendToKRV(s, {kCmdExitProgMode}));
  EXPECT_TRUE(prog->reports.empty());
  EXPECT_TRUE(t.window.boxes.empty());
}

// --- time-out outside an operation ---------------------------------------------------

TEST_F(LinkTest, TimeOutOutsideAnOperationShowsMsg9AndClosesTheLink) {
  s.link.InReport[1] = 0x55;
  EXPECT_FALSE(ReadReport(s));  // nothing was asked: no answer comes
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].text, kMsg9);
  EXPECT_EQ(t.window.boxes[0].style, mb::kCritical);
  EXPECT_EQ(t.window.boxes[0].title, kAppTitle);
  EXPECT_FALSE(s.link.present);
  EXPECT_FALSE(t.transport->IsOpen());
  EXPECT_EQ(s.link.InReport[1], 0x55);
  // Closed: further reads and writes do nothing and say nothing.
  EXPECT_FALSE(ReadReport(s));
  EXPECT_FALSE(SendToKRV(s, {kCmdExitProgMode}));
  EXPECT_EQ(t.window.boxes.size(), 1u);
}

// --- link loss inside an operation ---------------------------------------------------

struct LossCase {
  const char* name;
  void (*arrange)(sim::Programmer&);
};

void PrintTo(const LossCase& c, std::ostream* os) {
  *os << c.name;
}

class LinkLossTest : public LinkTest, public ::testing::WithParamInterface<LossCase> {};

// The operation sends enter + a read, reads its answer, sends a second read and reads
// again; the fault strikes on the way.
TEST_P(LinkLossTest, FirstFailureStopsTheOperationOnce) {
  GetParam().arrange(*prog);
  s.run.OperationOK = true;
  s.window->SetVppPicture(true);
  const int opensBefore = t.transport->opens;
  int reads = 0;
  bool thrown = false;
  {
    OperationScope scope(s);
    try {
      SendToKRV(s, {kCmdEnterProgMode, kCmdReadCode30});
      ReadReport(s);
      ++reads;
      SendToKRV(s, {kCmdReadCode30});
      ReadReport(s);
      ++reads;
    } catch (const LinkLost&) {
      thrown = true;
    }
    // Whatever the operation still tries under the scope is refused, without a new box.
    const size_t sent = prog->reports.size();
    EXPECT_THROW(SendToKRV(s, {kCmdExitProgMode}), LinkLost);
    EXPECT_THROW(ReadReport(s), LinkLost);
    EXPECT_EQ(prog->reports.size(), sent);
  }
  EXPECT_TRUE(thrown);
  EXPECT_LT(reads, 2);
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].text, kMsg9);
  EXPECT_EQ(t.window.boxes[0].style, mb::kCritical);
  EXPECT_FALSE(s.run.OperationOK);
  EXPECT_EQ(s.run.LastErrorText, kMsg9);
  EXPECT_FALSE(t.window.vppOn());
  EXPECT_FALSE(s.link.present);
  EXPECT_FALSE(t.transport->IsOpen());
  EXPECT_EQ(t.transport->opens, opensBefore);  // no search, no retry under the operation
  EXPECT_TRUE(s.link.deviceChangePending);     // the display is brought up to date later
  EXPECT_FALSE(s.link.inOperation);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LinkLossTest,
    ::testing::Values(
        LossCase{"FirstAnswerWithheld", [](sim::Programmer& p) { p.withholdAnswer = 1; }},
        LossCase{"SecondAnswerWithheld", [](sim::Programmer& p) { p.withholdAnswer = 2; }},
        LossCase{"StopsAnswering", [](sim::Programmer& p) { p.stopAnswering = true; }},
        LossCase{"VanishesAfterFirstReport", [](sim::Programmer& p) { p.vanishAfterReport = 1; }},
        LossCase{"GoneBeforeTheStart", [](sim::Programmer& p) { p.Unplug(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkTest, NextOperationReportsALossAgain) {
  prog->withholdAnswer = 1;
  {
    OperationScope scope(s);
    SendToKRV(s, {kCmdEnterProgMode, kCmdReadCode30});
    EXPECT_THROW(ReadReport(s), LinkLost);
  }
  BuscaHID(s);
  ASSERT_TRUE(s.link.present);
  prog->stopAnswering = true;
  {
    OperationScope scope(s);
    SendToKRV(s, {kCmdEnterProgMode, kCmdReadCode30});
    EXPECT_THROW(ReadReport(s), LinkLost);
  }
  EXPECT_EQ(t.window.boxes.size(), 2u);
}

TEST_F(LinkTest, ScopesNestAndOnlyTheOutermostReleasesTheLink) {
  OperationScope outer(s);
  { OperationScope inner(s); }
  EXPECT_TRUE(s.link.inOperation);
}

// --- the write retry -----------------------------------------------------------------

// A transport whose writes always fail while it can always be opened again.
class RefusingTransport final : public Transport {
 public:
  bool Open(uint16_t, int) override {
    ++opens;
    return true;
  }
  bool IsOpen() const override { return true; }
  bool Write(const Report&) override {
    ++writes;
    return false;
  }
  ReadStatus Read(Report&, int) override { return ReadStatus::TimedOut; }
  void Close() override { ++closes; }
  int opens = 0, writes = 0, closes = 0;
};

struct RetryTest : ::testing::Test {
  RetryTest() {
    auto r = std::make_unique<RefusingTransport>();
    tr = r.get();
    t.s.link.transport = std::move(r);
    BuscaHID(t.s);
  }
  TestSession t;
  RefusingTransport* tr;
};

TEST_F(RetryTest, OutsideAnOperationAFailedWriteSearchesAndRetriesOnce) {
  EXPECT_FALSE(SendToKRV(t.s, {kCmdExitProgMode}));
  EXPECT_EQ(tr->writes, 2);
  EXPECT_EQ(tr->opens, 2);  // the start-up search and one search for the retry
  EXPECT_FALSE(t.s.link.present);
}

TEST_F(RetryTest, InsideAnOperationAFailedWriteIsNotRetried) {
  OperationScope scope(t.s);
  EXPECT_THROW(SendToKRV(t.s, {kCmdEnterProgMode}), LinkLost);
  EXPECT_EQ(tr->writes, 1);
  EXPECT_EQ(tr->opens, 1);
  EXPECT_EQ(t.window.boxes.size(), 1u);
}

TEST_F(LinkTest, StaleHandleOutsideAnOperationIsReopenedAndTheReportSentOnce) {
  prog->Unplug();
  prog->Plug();  // s.link.present is still set, the handle is dead
  EXPECT_TRUE(SendToKRV(s, {kCmdExitProgMode}));
  EXPECT_EQ(prog->reports.size(), 1u);
  EXPECT_EQ(t.transport->opens, 2);
  EXPECT_TRUE(s.link.present);
}

// --- draining ------------------------------------------------------------------------

TEST_F(LinkTest, AnswersLeftByAnAbortedOperationAreDroppedBeforeTheNext) {
  SendToKRV(s, {kCmdEnterProgMode, kCmdReadCode30, kCmdReadCode30, kCmdRegOut30});
  ReadReport(s);  // answers 2 and 3 stay unread
  ASSERT_EQ(prog->QueuedAnswers(), 2u);
  const size_t sent = prog->reports.size();
  OperationScope scope(s);
  EXPECT_EQ(prog->QueuedAnswers(), 0u);
  EXPECT_EQ(prog->reports.size(), sent);  // draining sends nothing
  SendToKRV(s, {kCmdRegOut30});
  ASSERT_TRUE(ReadReport(s));
  EXPECT_EQ(s.link.InReport[1], 4);  // the fresh answer, not a stale one
}

// --- searches ------------------------------------------------------------------------

TEST_F(LinkTest, RepeatedSearchesKeepTheWorkingHandle) {
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(BuscaHID(s));
  EXPECT_EQ(t.transport->opens, 1);
  prog->Unplug();
  EXPECT_FALSE(BuscaHID(s));
  EXPECT_FALSE(s.link.present);
  prog->Plug();
  EXPECT_TRUE(BuscaHID(s));
  EXPECT_TRUE(BuscaHID(s));
  EXPECT_EQ(t.transport->opens, 2);
  t.transport->Close();
  EXPECT_TRUE(BuscaHID(s));
  EXPECT_EQ(t.transport->opens, 3);
}

TEST_F(LinkTest, NoSearchWhileAnOperationHoldsTheLink) {
  OperationScope scope(s);
  prog->Unplug();
  prog->Plug();
  EXPECT_TRUE(Usb_HIDopen(s, kVendorId, ProductId()));  // the state as it is
  EXPECT_EQ(t.transport->opens, 1);
}

TEST(LinkSearch, OtherVendorsAreNeverOpened) {
  TestSession t;
  t.AttachProgrammer();
  EXPECT_FALSE(Usb_HIDopen(t.s, 0x1234, ProductId()));
  EXPECT_FALSE(t.s.link.present);
}

// --- display -------------------------------------------------------------------------

TEST_F(LinkTest, ConnectionDisplay) {
  KRVconnected(s);
  EXPECT_EQ(t.window.hardware, "Hw.:KRV330");
  EXPECT_EQ(t.window.version, "Ver.:");
  EXPECT_TRUE(t.window.connected);
  KRVdisconnected(s);
  EXPECT_EQ(t.window.hardware, "Hw.: Unknown");
  EXPECT_EQ(t.window.version, "Ver.:");
  EXPECT_FALSE(t.window.connected);
  EXPECT_EQ(t.window.info(), Text(s, TextId::Msg1));
  EXPECT_TRUE(prog->reports.empty());  // the display never talks to the programmer
}

TEST_F(LinkTest, VppPictureYieldsOnceAndSendsNothing) {
  ShowVppOn(s);
  EXPECT_TRUE(t.window.vppOn());
  EXPECT_EQ(t.window.doEvents, 1);
  ShowVppOff(s);
  EXPECT_FALSE(t.window.vppOn());
  EXPECT_EQ(t.window.doEvents, 2);
  EXPECT_TRUE(prog->reports.empty());
}

// --- the command table ---------------------------------------------------------------

TEST(CommandTable, HoldsOnlyTheKnownCommands) {
  struct Row {
    int code;
    const char* name;
    int args;
    bool answers;
  };
  const Row known[] = {
      {0x01, "CmdEnterProgMode", 0, false}, {0x02, "CmdExitProgMode", 0, false},
      {0x1D, "CmdSix30", 3, false},         {0x1E, "CmdRegOut30", 0, true},
      {0x1F, "CmdNop30", 0, false},         {0x20, "CmdReadCode30", 0, true},
      {0x21, "CmdWriteCode30", 0, false},   {0x22, "CmdReadData30", 0, true},
      {0x23, "CmdWriteData30", 0, false},   {0x24, "CmdStartNvm30", 0, false},
      {0x25, "CmdResetPC30", 0, false},
  };
  int found = 0;
  for (int code = 0; code <= 0xFF; ++code) {
    const auto info = FindCommand(static_cast<uint8_t>(code));
    if (!info) continue;
    ++found;
    const Row* row = nullptr;
    for (const Row& r : known)
      if (r.code == code) row = &r;
    ASSERT_NE(row, nullptr) << "unexpected command " << code;
    EXPECT_STREQ(info->name, row->name);
    EXPECT_EQ(info->argBytes, row->args) << row->name;
    EXPECT_EQ(info->answers, row->answers) << row->name;
  }
  EXPECT_EQ(found, 11);
}

}  // namespace
}  // namespace krv
