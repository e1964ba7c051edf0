// Plug and unplug: a search and a display update when idle; while a command runs only a
// note (and the programmer marked absent if it went), acted on when the command has ended.
#include <gtest/gtest.h>

#include <optional>

#include "link/device_monitor.h"
#include "link/link.h"
#include "scripted_chip.h"
#include "shell/helpers.h"
#include "sim/simulated.h"
#include "support/test_session.h"

namespace krv {
namespace {

using test::ScriptedChip;
using test::TestSession;

struct DeviceChangeTest : ::testing::Test {
  DeviceChangeTest() {
    prog = &t.AttachProgrammer(std::make_unique<ScriptedChip>());
    KRVconnected(s);
  }
  // What the window shows and what the link holds, to see that nothing moved.
  struct Snapshot {
    std::string hardware;
    bool connected;
    size_t infos;
    int opens;
    bool transportOpen;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Now() const {
    return {t.window.hardware, t.window.connected, t.window.infos.size(), t.transport->opens,
            t.transport->IsOpen()};
  }

  TestSession t;
  Session& s = t.s;
  sim::Programmer* prog;
};

TEST_F(DeviceChangeTest, IdleUnplugAndPlugSearchAndUpdateTheDisplay) {
  prog->Unplug();
  OnDeviceChange(s);
  EXPECT_FALSE(s.link.present);
  EXPECT_EQ(t.window.hardware, "Hw.: Unknown");
  EXPECT_FALSE(t.window.connected);
  EXPECT_EQ(t.window.info(), Text(s, TextId::Msg1));
  prog->Plug();
  OnDeviceChange(s);
  EXPECT_TRUE(s.link.present);
  EXPECT_EQ(t.window.hardware, "Hw.:KRV330");
  EXPECT_TRUE(t.window.connected);
  EXPECT_EQ(t.transport->opens, 2);
  EXPECT_TRUE(prog->reports.empty());  // a search sends nothing
}

TEST_F(DeviceChangeTest, IdleEventOfAnotherDeviceKeepsTheHandle) {
  OnDeviceChange(s);
  EXPECT_TRUE(s.link.present);
  EXPECT_EQ(t.transport->opens, 1);
  EXPECT_FALSE(s.link.deviceChangePending);
}

// How the command is busy: the menu's state, or an operation that still unwinds after a
// confirmed cancel has cleared ActionRunning.
enum class Busy { ActionRunning, OperationAfterCancel };

const char* Name(Busy b) {
  return b == Busy::ActionRunning ? "ActionRunning" : "OperationAfterCancel";
}
void PrintTo(Busy b, std::ostream* os) {
  *os << Name(b);
}

class BusyDeviceChangeTest : public DeviceChangeTest, public ::testing::WithParamInterface<Busy> {
 protected:
  void SetUp() override {
    s.run.ActionRunning = true;
    scope.emplace(s);
    if (GetParam() == Busy::OperationAfterCancel) s.run.ActionRunning = false;
  }
  // The command ends.
  void EndCommand() {
    scope.reset();
    s.run.ActionRunning = false;
    AfterCommand(s);
  }
  std::optional<OperationScope> scope;
};

TEST_P(BusyDeviceChangeTest, UnplugIsOnlyNotedAndStopsTheOperationAtItsNextReport) {
  const Snapshot before = Now();
  prog->Unplug();
  OnDeviceChange(s);
  EXPECT_TRUE(s.link.deviceChangePending);
  EXPECT_FALSE(s.link.present);
  EXPECT_EQ(Now(), before);  // display and handle untouched
  EXPECT_THROW(SendToKRV(s, {kCmdEnterProgMode}), LinkLost);
  EXPECT_EQ(t.window.boxes.size(), 1u);
  EndCommand();
  EXPECT_FALSE(s.link.deviceChangePending);
  EXPECT_EQ(t.window.hardware, "Hw.: Unknown");
  EXPECT_FALSE(t.window.connected);
}

TEST_P(BusyDeviceChangeTest, ReplugNeverReopensTheLinkUnderTheOperation) {
  const Snapshot before = Now();
  prog->Unplug();
  prog->Plug();  // both events arrive together
  OnDeviceChange(s);
  OnDeviceChange(s);
  EXPECT_FALSE(s.link.present);  // the old handle is dead: the operation must not go on
  EXPECT_EQ(Now(), before);      // and nothing was reopened under it
  EXPECT_THROW(SendToKRV(s, {kCmdEnterProgMode}), LinkLost);
  EXPECT_TRUE(prog->reports.empty());
  EndCommand();
  EXPECT_TRUE(s.link.present);
  EXPECT_EQ(t.transport->opens, 2);
  EXPECT_EQ(t.window.hardware, "Hw.:KRV330");
}

TEST_P(BusyDeviceChangeTest, OtherDevicesLeaveTheRunningOperationAlone) {
  const Snapshot before = Now();
  OnDeviceChange(s);
  EXPECT_TRUE(s.link.deviceChangePending);
  EXPECT_TRUE(s.link.present);
  EXPECT_EQ(Now(), before);
  SendToKRV(s, {kCmdEnterProgMode, kCmdRegOut30});
  EXPECT_TRUE(ReadReport(s));
  EndCommand();
  EXPECT_FALSE(s.link.deviceChangePending);
  EXPECT_EQ(t.transport->opens, 1);
  EXPECT_TRUE(t.window.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(States, BusyDeviceChangeTest,
                         ::testing::Values(Busy::ActionRunning, Busy::OperationAfterCancel),
                         [](const auto& info) { return std::string(Name(info.param)); });

TEST_F(DeviceChangeTest, AfterCommandWithNothingNotedDoesNothing) {
  const Snapshot before = Now();
  AfterCommand(s);
  EXPECT_EQ(Now(), before);
}

TEST_F(DeviceChangeTest, AfterCommandWaitsWhileTheCommandStillRuns) {
  s.run.ActionRunning = true;
  prog->Unplug();
  OnDeviceChange(s);
  const Snapshot before = Now();
  AfterCommand(s);
  EXPECT_EQ(Now(), before);
  EXPECT_TRUE(s.link.deviceChangePending);
}

TEST_F(DeviceChangeTest, AfterALinkLossTheDisplayFollowsOnceTheCommandEnded) {
  prog->stopAnswering = true;
  {
    OperationScope scope(s);
    SendToKRV(s, {kCmdEnterProgMode, kCmdRegOut30});
    EXPECT_THROW(ReadReport(s), LinkLost);
  }
  prog->stopAnswering = false;  // the programmer recovers (or was plugged in again)
  AfterCommand(s);
  EXPECT_TRUE(s.link.present);
  EXPECT_EQ(t.window.hardware, "Hw.:KRV330");
}

// --- the monitors --------------------------------------------------------------------

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
  SUCCEED();
}

}  // namespace
}  // namespace krv
