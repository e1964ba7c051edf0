// The report link against the simulated programmer: framing, answers, the 500 ms time-out,
// a lost link inside and outside an operation, the write retry, the operation's hold on the
// link; plug and unplug while a command runs: only a note, acted on afterwards. How every
// dsPIC30 operation ends on a lost link is tested with the operations.
#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/helpers.h"
#include "devices/catalogue.h"
#include "link/device_monitor.h"
#include "link/link.h"
#include "sim/dspic30_chip.h"
#include "support/test_session.h"

namespace krv {
namespace {

struct LinkTest : ::testing::Test {
  LinkTest() : prog(t.AttachProgrammer(sim::MakeDsPic30Chip(*FindDevice("PIC30F2010")))) {}
  // Programming mode, then VISI = v read out: one answer whose bytes 1, 2 are v.
  void AskVisi(int v) {
    SendToKRV(s, {kCmdEnterProgMode, kCmdSix30, 0x20 | v >> 12, v >> 4, (v & 0xF) << 4, 0});
    SendToKRV(s, {kCmdSix30, 0x88, 0x3C, 0x20, kCmdRegOut30});
  }
  test::TestSession t;
  Session& s = t.s;
  sim::Programmer& prog;
};

TEST_F(LinkTest, ReportsAnswersAndTheTimeOutOutsideAnOperation) {
  ShowVppOn(s);  // the Vpp picture yields once and sends nothing
  ShowVppOff(s);
  EXPECT_EQ(std::tie(t.window.vpp, t.window.doEvents), std::tuple(std::vector{true, false}, 2));
  // Report ID 0, each byte And 255, missing bytes 0; more than eight is a run-time error.
  SendToKRV(s, {-1, 255, 256, 257, -256, 0x12345678, 0x80});
  SendToKRV(s, {});
  EXPECT_THROW(SendToKRV(s, {1, 2, 3, 4, 5, 6, 7, 8, 9}), RuntimeError);
  EXPECT_EQ(prog.Reports(), (std::vector<Report>{{0, 0xFF, 0xFF, 0, 1, 0, 0x78, 0x80, 0}, {}}));
  // The answer's bytes 1..8 go to InReport(1..8); the read waits 500 ms at most.
  AskVisi(0x1234);
  ASSERT_TRUE(ReadReport(s));
  EXPECT_EQ(s.link.InReport, (std::array<uint8_t, 9>{0, 0x34, 0x12}));
  EXPECT_EQ(t.transport->lastTimeoutMs, 500);
  // No answer: Msg9 once, the link closed, InReport as it was; then nothing is sent or read.
  EXPECT_FALSE(ReadReport(s));
  const test::MsgBoxCall& box = t.window.boxes.at(0);
  EXPECT_EQ(std::tie(box.text, box.style, box.title),
            std::tuple(Text(s, TextId::Msg9), mb::kCritical, std::string(kAppTitle)));
  EXPECT_FALSE(s.link.present || t.transport->IsOpen());
  EXPECT_EQ(s.link.InReport[1], 0x34);
  EXPECT_FALSE(ReadReport(s) || SendToKRV(s, {kCmdExitProgMode}));
  EXPECT_EQ(std::tuple(t.window.boxes.size(), prog.Reports().size()), std::tuple(1u, 4u));
}

// A handle gone dead by a replug: under an operation the first write is a lost link, told
// once per operation; whatever the operation still tries is refused without a new box, and
// no search or retry is made (a programmer found again has left programming mode). Outside
// an operation the write searches again and the report goes once.
TEST_F(LinkTest, LostLinkIsToldOncePerOperationAndRetriedOnlyOutsideOne) {
  prog.Unplug();
  prog.Plug();  // s.link.present is still set
  for (size_t n = 1; n <= 2; ++n) {
    OperationScope scope(s);
    EXPECT_THROW(SendToKRV(s, {kCmdEnterProgMode}), LinkLost);
    EXPECT_THROW(SendToKRV(s, {kCmdExitProgMode}), LinkLost);
    EXPECT_THROW(ReadReport(s), LinkLost);
    EXPECT_EQ(t.window.boxes.size(), n);
  }
  EXPECT_EQ(std::tuple(prog.log.size(), t.transport->opens), std::tuple(0u, 1));
  EXPECT_TRUE(s.link.deviceChangePending);  // the display is brought up to date later
  EXPECT_FALSE(s.link.inOperation || s.link.present || s.run.OperationOK);

  ASSERT_TRUE(BuscaHID(s));
  prog.Unplug();
  prog.Plug();
  EXPECT_TRUE(SendToKRV(s, {kCmdExitProgMode}));
  EXPECT_EQ(std::tuple(prog.Reports().size(), t.transport->opens), std::tuple(1u, 3));
  prog.Unplug();  // not found again: the link is closed
  EXPECT_FALSE(SendToKRV(s, {kCmdExitProgMode}) || s.link.present);
  EXPECT_EQ(t.window.boxes.size(), 2u);
}

// An operation's scope drops the answers an aborted one left (sending nothing), nests, and
// holds the link: no search is made under it.
TEST_F(LinkTest, OperationScopeDrainsNestsAndHoldsTheLink) {
  AskVisi(1);
  SendToKRV(s, {kCmdRegOut30, kCmdRegOut30});  // three answers unread
  OperationScope scope(s);
  EXPECT_EQ(prog.QueuedAnswers(), 0u);
  EXPECT_EQ(prog.Reports().size(), 3u);
  AskVisi(2);
  ASSERT_TRUE(ReadReport(s));
  EXPECT_EQ(s.link.InReport[1], 2);  // the fresh answer, not a stale one
  { OperationScope inner(s); }
  EXPECT_TRUE(s.link.inOperation);  // only the outermost scope releases the link
  prog.Unplug();
  prog.Plug();
  EXPECT_TRUE(Usb_HIDopen(s, kVendorId, ProductId()));  // the state as it is
  EXPECT_EQ(t.transport->opens, 1);
}

// How the command is busy: the menu's state, or an operation that still unwinds after a
// confirmed cancel has cleared ActionRunning. What happens meanwhile: the programmer goes,
// goes and comes back (both events arrive together), or another device comes or goes.
enum class Busy { ActionRunning, OperationAfterCancel };
enum class Event { Unplug, Replug, Other };

class BusyDeviceChange : public LinkTest,
                         public ::testing::WithParamInterface<std::tuple<Busy, Event>> {};

// Under a running command an event is only noted: display and handle stay, nothing is
// reopened; a programmer that went stops the operation at its next report. The search and
// the display follow once the command has ended.
TEST_P(BusyDeviceChange, EventIsOnlyNotedUntilTheCommandEnds) {
  const auto [busy, event] = GetParam();
  KRVconnected(s);
  s.run.ActionRunning = true;
  std::optional<OperationScope> scope(s);
  if (busy == Busy::OperationAfterCancel) s.run.ActionRunning = false;
  const bool gone = event != Event::Other, back = event != Event::Unplug;
  auto now = [&] {
    return std::tuple(t.window.hardware, t.window.infos.size(), t.transport->opens,
                      t.transport->IsOpen());
  };
  const auto before = now();
  if (gone) prog.Unplug();
  if (event == Event::Replug) prog.Plug();
  OnDeviceChange(s);
  if (event == Event::Replug) OnDeviceChange(s);
  EXPECT_TRUE(s.link.deviceChangePending);
  EXPECT_EQ(s.link.present, !gone);  // a dead handle must not carry the operation on
  EXPECT_EQ(now(), before);
  if (gone) {
    EXPECT_THROW(SendToKRV(s, {kCmdEnterProgMode}), LinkLost);
  } else {
    AskVisi(1);
    EXPECT_TRUE(ReadReport(s));
  }
  scope.reset();  // the command ends
  s.run.ActionRunning = false;
  AfterCommand(s);
  EXPECT_FALSE(s.link.deviceChangePending);
  EXPECT_EQ(s.link.present, back);
  EXPECT_EQ(t.window.hardware, back ? "Hw.:KRV330" : "Hw.: Unknown");
  EXPECT_EQ(t.transport->opens, event == Event::Replug ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    States, BusyDeviceChange,
    ::testing::Combine(::testing::Values(Busy::ActionRunning, Busy::OperationAfterCancel),
                       ::testing::Values(Event::Unplug, Event::Replug, Event::Other)));

TEST(UdevMonitor, TakingEventsNeverBlocks) {
  auto monitor = MakeUdevMonitor();
  if (!monitor) GTEST_SKIP() << "no udev here";
  EXPECT_GE(monitor->Fd(), 0);
  monitor->TakeEvents();  // returns whether or not the system had events
}

}  // namespace
}  // namespace krv
