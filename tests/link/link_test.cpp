// The report link: framing, answers, the 500 ms time-out, link loss inside and outside an
// operation, the write retry, draining, handle reuse, the connection display and the
// command table; plug and unplug: a search and a display update when idle, while a command
// runs only a note (and the programmer marked absent if it went), acted on afterwards.
#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/helpers.h"
#include "core/hex_text.h"
#include "link/commands.h"
#include "link/device_monitor.h"
#include "link/link.h"
#include "scripted_chip.h"
#include "sim/simulated.h"
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
  // Sends one report and gives what the programmer received.
  Report Sent(std::initializer_list<int32_t> bytes) {
    prog->ClearLog();
    EXPECT_TRUE(SendToKRV(s, bytes));
    EXPECT_EQ(prog->Reports().size(), 1u);
    return prog->Reports().empty() ? Report{} : prog->Reports().back();
  }
  // The one Msg9 box of a lost link: style 16, the application's title.
  void ExpectMsg9Once() {
    ASSERT_EQ(t.window.boxes.size(), 1u);
    EXPECT_EQ(t.window.boxes[0].text, kMsg9);
    EXPECT_EQ(t.window.boxes[0].style, mb::kCritical);
    EXPECT_EQ(t.window.boxes[0].title, kAppTitle);
  }

  TestSession t;
  Session& s = t.s;
  ScriptedChip* chip;
  sim::Programmer* prog;
};

// --- framing and answers -------------------------------------------------------------

TEST_F(LinkTest, ReportsCarryReportIdZeroAndEachByteAnd255) {
  EXPECT_EQ(Sent({0x02}), (Report{0, 0x02, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Sent({0x1D, 0x2FC0, 0x7FFC06, 0x100}), (Report{0, 0x1D, 0xC0, 0x06, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Sent({-1, 255, 256, 257, -256, 0x12345678, 0x80, 0x7F}),
            (Report{0, 0xFF, 0xFF, 0, 1, 0, 0x78, 0x80, 0x7F}));
  EXPECT_EQ(Sent({}), Report{});
  prog->ClearLog();
  EXPECT_THROW(SendToKRV(s, {1, 2, 3, 4, 5, 6, 7, 8, 9}), RuntimeError);
  EXPECT_TRUE(prog->Reports().empty());
}

TEST_F(LinkTest, AnswerBytesGoToInReportOneToEight) {
  chip->script.push_back({10, 20, 30, 40, 50, 60, 70, 80});
  SendToKRV(s, {kCmdEnterProgMode, kCmdRegOut30});
  ASSERT_TRUE(ReadReport(s));
  EXPECT_EQ(s.link.InReport, (std::array<uint8_t, 9>{0, 10, 20, 30, 40, 50, 60, 70, 80}));
  EXPECT_EQ(t.transport->lastTimeoutMs, 500);
  EXPECT_TRUE(prog->errors.empty());
}

TEST(LinkWithoutProgrammer, SendsNothingReadsNothingAndSaysNothing) {
  TestSession t;  // no transport at all
  t.s.link.InReport[3] = 7;
  EXPECT_FALSE(SendToKRV(t.s, {kCmdExitProgMode}));
  EXPECT_FALSE(ReadReport(t.s));
  EXPECT_EQ(t.s.link.InReport[3], 7);
  sim::Programmer& prog = t.AttachProgrammer();
  prog.Unplug();
  EXPECT_FALSE(BuscaHID(t.s));
  EXPECT_FALSE(SendToKRV(t.s, {kCmdExitProgMode}));
  EXPECT_TRUE(prog.Reports().empty());
  EXPECT_TRUE(t.window.boxes.empty());
}

// --- time-out and link loss ----------------------------------------------------------

TEST_F(LinkTest, TimeOutOutsideAnOperationShowsMsg9AndClosesTheLink) {
  s.link.InReport[1] = 0x55;
  EXPECT_FALSE(ReadReport(s));  // nothing was asked: no answer comes
  ExpectMsg9Once();
  EXPECT_FALSE(s.link.present);
  EXPECT_FALSE(t.transport->IsOpen());
  EXPECT_EQ(s.link.InReport[1], 0x55);
  // Closed: further reads and writes do nothing and say nothing.
  EXPECT_FALSE(ReadReport(s));
  EXPECT_FALSE(SendToKRV(s, {kCmdExitProgMode}));
  EXPECT_EQ(t.window.boxes.size(), 1u);
}

struct LossCase {
  const char* name;
  void (*arrange)(sim::Programmer&);
};

class LinkLossTest : public LinkTest, public ::testing::WithParamInterface<LossCase> {};

// The operation sends enter + a read, reads its answer, sends a second read and reads
// again; the fault strikes on the way. Nothing more is stored or sent, no success shown.
TEST_P(LinkLossTest, FirstFailureStopsTheOperationOnce) {
  GetParam().arrange(*prog);
  s.run.OperationOK = true;
  s.window->SetVppPicture(true);
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
    const size_t sent = prog->Reports().size();
    EXPECT_THROW(SendToKRV(s, {kCmdExitProgMode}), LinkLost);
    EXPECT_THROW(ReadReport(s), LinkLost);
    EXPECT_EQ(prog->Reports().size(), sent);
  }
  EXPECT_TRUE(thrown);
  EXPECT_LT(reads, 2);
  ExpectMsg9Once();
  EXPECT_FALSE(s.run.OperationOK);
  EXPECT_EQ(s.run.LastErrorText, kMsg9);
  EXPECT_FALSE(t.window.vppOn());
  EXPECT_FALSE(s.link.present);
  EXPECT_FALSE(t.transport->IsOpen());
  EXPECT_EQ(t.transport->opens, 1);         // no search, no retry under the operation
  EXPECT_TRUE(s.link.deviceChangePending);  // the display is brought up to date later
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

TEST_F(LinkTest, EachOperationReportsItsOwnLoss) {
  prog->stopAnswering = true;
  for (size_t n = 1; n <= 2; ++n) {
    ASSERT_TRUE(BuscaHID(s));
    OperationScope scope(s);
    SendToKRV(s, {kCmdEnterProgMode, kCmdReadCode30});
    EXPECT_THROW(ReadReport(s), LinkLost);
    EXPECT_EQ(t.window.boxes.size(), n);
  }
}

// A handle gone stale by a replug: inside an operation the failed write is a link loss,
// never retried (a programmer found again has left programming mode); outside one the
// write searches again and the report goes once.
TEST_F(LinkTest, StaleHandleIsReopenedOnlyOutsideAnOperation) {
  prog->Unplug();
  prog->Plug();  // s.link.present is still set, the handle is dead
  {
    OperationScope scope(s);
    EXPECT_THROW(SendToKRV(s, {kCmdEnterProgMode}), LinkLost);
  }
  EXPECT_EQ(t.transport->opens, 1);
  EXPECT_TRUE(prog->Reports().empty());
  ExpectMsg9Once();

  ASSERT_TRUE(BuscaHID(s));
  prog->Unplug();
  prog->Plug();
  EXPECT_TRUE(SendToKRV(s, {kCmdExitProgMode}));
  EXPECT_EQ(prog->Reports().size(), 1u);
  EXPECT_EQ(t.transport->opens, 3);
  prog->Unplug();  // not found again: the link is closed
  EXPECT_FALSE(SendToKRV(s, {kCmdExitProgMode}));
  EXPECT_FALSE(s.link.present);
  EXPECT_EQ(t.window.boxes.size(), 1u);
}

// An operation's scope drops the answers an aborted one left, nests, and holds the link:
// no search is made under it.
TEST_F(LinkTest, OperationScopeDrainsNestsAndHoldsTheLink) {
  SendToKRV(s, {kCmdEnterProgMode, kCmdReadCode30, kCmdReadCode30, kCmdRegOut30});
  ReadReport(s);  // answers 2 and 3 stay unread
  ASSERT_EQ(prog->QueuedAnswers(), 2u);
  const size_t sent = prog->Reports().size();
  OperationScope scope(s);
  EXPECT_EQ(prog->QueuedAnswers(), 0u);
  EXPECT_EQ(prog->Reports().size(), sent);  // draining sends nothing
  SendToKRV(s, {kCmdRegOut30});
  ASSERT_TRUE(ReadReport(s));
  EXPECT_EQ(s.link.InReport[1], 4);  // the fresh answer, not a stale one
  { OperationScope inner(s); }
  EXPECT_TRUE(s.link.inOperation);  // only the outermost scope releases the link
  prog->Unplug();
  prog->Plug();
  EXPECT_TRUE(Usb_HIDopen(s, kVendorId, ProductId()));  // the state as it is
  EXPECT_EQ(t.transport->opens, 1);
}

// --- searches and display ------------------------------------------------------------

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

TEST_F(LinkTest, ConnectionDisplayAndVppPictureNeverTalkToTheProgrammer) {
  KRVconnected(s);
  EXPECT_EQ(t.window.hardware, "Hw.:KRV330");
  EXPECT_EQ(t.window.version, "Ver.:");
  EXPECT_TRUE(t.window.connected);
  KRVdisconnected(s);
  EXPECT_EQ(t.window.hardware, "Hw.: Unknown");
  EXPECT_EQ(t.window.version, "Ver.:");
  EXPECT_FALSE(t.window.connected);
  EXPECT_EQ(t.window.info(), Text(s, TextId::Msg1));
  ShowVppOn(s);  // each yields once
  EXPECT_TRUE(t.window.vppOn());
  EXPECT_EQ(t.window.doEvents, 1);
  ShowVppOff(s);
  EXPECT_FALSE(t.window.vppOn());
  EXPECT_EQ(t.window.doEvents, 2);
  EXPECT_TRUE(prog->Reports().empty());
}

TEST(CommandTable, HoldsOnlyTheKnownCommands) {
  std::string table;  // code, name, argument bytes, "answers" for every code found
  for (int code = 0; code <= 0xFF; ++code) {
    if (const auto c = FindCommand(static_cast<uint8_t>(code))) {
      std::string hex;
      ASSERT_TRUE(FormatHex(static_cast<uint32_t>(code), 2, hex));
      table += hex + " " + c->name + " " + std::to_string(c->argBytes) +
               (c->answers ? " answers\n" : "\n");
    }
  }
  EXPECT_EQ(table,
            "01 CmdEnterProgMode 0\n"
            "02 CmdExitProgMode 0\n"
            "1D CmdSix30 3\n"
            "1E CmdRegOut30 0 answers\n"
            "1F CmdNop30 0\n"
            "20 CmdReadCode30 0 answers\n"
            "21 CmdWriteCode30 0\n"
            "22 CmdReadData30 0 answers\n"
            "23 CmdWriteData30 0\n"
            "24 CmdStartNvm30 0\n"
            "25 CmdResetPC30 0\n");
}

// --- plug and unplug -----------------------------------------------------------------

struct DeviceChangeTest : LinkTest {
  DeviceChangeTest() { KRVconnected(s); }
  // What the window shows and what the link holds, to see that nothing moved.
  auto Now() const {
    return std::tuple(t.window.hardware, t.window.connected, t.window.infos.size(),
                      t.transport->opens, t.transport->IsOpen());
  }
};

TEST_F(DeviceChangeTest, IdleEventsSearchAndUpdateTheDisplay) {
  OnDeviceChange(s);  // another device: the working handle is kept
  EXPECT_TRUE(s.link.present);
  EXPECT_EQ(t.transport->opens, 1);
  EXPECT_FALSE(s.link.deviceChangePending);
  prog->Unplug();
  OnDeviceChange(s);
  EXPECT_FALSE(s.link.present);
  EXPECT_EQ(t.window.hardware, "Hw.: Unknown");
  EXPECT_EQ(t.window.info(), Text(s, TextId::Msg1));
  prog->Plug();
  OnDeviceChange(s);
  EXPECT_TRUE(s.link.present);
  EXPECT_EQ(t.window.hardware, "Hw.:KRV330");
  EXPECT_EQ(t.transport->opens, 2);
  EXPECT_TRUE(prog->Reports().empty());  // a search sends nothing
  const auto before = Now();
  AfterCommand(s);  // nothing noted: nothing done
  EXPECT_EQ(Now(), before);
}

TEST_F(DeviceChangeTest, AfterCommandWaitsWhileTheCommandStillRuns) {
  s.run.ActionRunning = true;
  prog->Unplug();
  OnDeviceChange(s);
  const auto before = Now();
  AfterCommand(s);
  EXPECT_EQ(Now(), before);
  EXPECT_TRUE(s.link.deviceChangePending);
}

// How the command is busy: the menu's state, or an operation that still unwinds after a
// confirmed cancel has cleared ActionRunning.
enum class Busy { ActionRunning, OperationAfterCancel };
// What happens meanwhile: the programmer goes, goes and comes back (both events arrive
// together), or another device comes or goes.
enum class Event { Unplug, Replug, Other };

class BusyDeviceChangeTest : public DeviceChangeTest,
                             public ::testing::WithParamInterface<std::tuple<Busy, Event>> {
 protected:
  void SetUp() override {
    s.run.ActionRunning = true;
    scope.emplace(s);
    if (std::get<Busy>(GetParam()) == Busy::OperationAfterCancel) s.run.ActionRunning = false;
  }
  std::optional<OperationScope> scope;
};

// Under a running command an event is only noted: display and handle stay, nothing is
// reopened; a programmer that went stops the operation at its next report. The search
// and the display follow once the command has ended.
TEST_P(BusyDeviceChangeTest, EventIsOnlyNotedUntilTheCommandEnds) {
  const Event event = std::get<Event>(GetParam());
  const bool gone = event != Event::Other, back = event != Event::Unplug;
  const auto before = Now();
  if (gone) prog->Unplug();
  if (event == Event::Replug) prog->Plug();
  OnDeviceChange(s);
  if (event == Event::Replug) OnDeviceChange(s);
  EXPECT_TRUE(s.link.deviceChangePending);
  EXPECT_EQ(s.link.present, !gone);  // a dead handle must not carry the operation on
  EXPECT_EQ(Now(), before);
  if (gone) {
    EXPECT_THROW(SendToKRV(s, {kCmdEnterProgMode}), LinkLost);
    EXPECT_TRUE(prog->Reports().empty());
  } else {
    SendToKRV(s, {kCmdEnterProgMode, kCmdRegOut30});
    EXPECT_TRUE(ReadReport(s));
  }
  EXPECT_EQ(t.window.boxes.size(), gone ? 1u : 0u);
  scope.reset();  // the command ends
  s.run.ActionRunning = false;
  AfterCommand(s);
  EXPECT_FALSE(s.link.deviceChangePending);
  EXPECT_EQ(s.link.present, back);
  EXPECT_EQ(t.window.hardware, back ? "Hw.:KRV330" : "Hw.: Unknown");
  EXPECT_EQ(t.transport->opens, event == Event::Replug ? 2 : 1);
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Busy, Event>>& info) {
  const char* busy[] = {"ActionRunning", "OperationAfterCancel"};
  const char* event[] = {"Unplug", "Replug", "Other"};
  return std::string(busy[static_cast<int>(std::get<Busy>(info.param))]) +
         event[static_cast<int>(std::get<Event>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(
    States, BusyDeviceChangeTest,
    ::testing::Combine(::testing::Values(Busy::ActionRunning, Busy::OperationAfterCancel),
                       ::testing::Values(Event::Unplug, Event::Replug, Event::Other)),
    CaseName);

TEST(SimulatedMonitor, SignalsPlugAndUnplug) {
  auto programmer = std::make_shared<sim::Programmer>();
  auto monitor = sim::MakeSimulatedMonitor(programmer);
  ASSERT_GE(monitor->Fd(), 0);
  EXPECT_FALSE(monitor->TakeEvents());
  programmer->Unplug();
  programmer->Unplug();  // already out: no event
  EXPECT_TRUE(monitor->TakeEvents());
  EXPECT_FALSE(monitor->TakeEvents());
  programmer->Plug();
  EXPECT_TRUE(monitor->TakeEvents());
  monitor.reset();
  programmer->Unplug();  // the monitor is gone: nobody is told, nothing breaks
  EXPECT_FALSE(programmer->plugged);
}

TEST(UdevMonitor, TakingEventsNeverBlocks) {
  auto monitor = MakeUdevMonitor();
  if (!monitor) GTEST_SKIP() << "no udev here";
  EXPECT_GE(monitor->Fd(), 0);
  monitor->TakeEvents();  // returns whether or not the system had events
}

}  // namespace
}  // namespace krv
