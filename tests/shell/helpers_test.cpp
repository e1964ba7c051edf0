#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "buffers/dump.h"
#include "core/helpers.h"
#include "core/twips.h"
#include "link/device_monitor.h"
#include "link/link.h"
#include "support/test_session.h"

namespace krv {
namespace {

TEST(Dec2Hex, PadsUpperCaseHexToTheDigitsAskedOrReportsTooManyDigits) {
  const std::tuple<uint32_t, int, const char*> cases[] = {
      {0, 1, "0"},      {0xABC, 4, "0ABC"}, {0x7FF, 3, "7FF"}, {0xFFFFFFFF, 8, "FFFFFFFF"},
      {0x12345, 4, ""}, {0x100, 2, ""},     {0, 0, ""},        {0, 9, ""}};
  for (const auto& [value, digits, text] : cases) {
    test::TestSession t;
    EXPECT_EQ(Dec2Hex(t.s, value, digits), text) << value << "/" << digits;
    EXPECT_EQ(t.window.boxes.size(), *text ? 0u : 1u) << value << "/" << digits;
    EXPECT_EQ(t.window.beeps, *text ? 0 : 1);
    if (!*text)
      EXPECT_EQ(t.window.boxes[0].title + " " + std::to_string(t.window.boxes[0].style),
                "KRV330 - V1.25 [Dec2Hex] 16");
  }
}

TEST(CheckCancel, ARequestIsClearedToldAndEndsProgrammingModeOnce) {
  test::TestSession t;
  sim::Programmer& p = t.AttachProgrammer();
  t.window.progress = 17;
  EXPECT_FALSE(CheckCancel(t.s)) << "no request: nothing happens";
  EXPECT_EQ(t.window.progress, 17);
  t.s.run.CancelRequested = true;
  EXPECT_TRUE(CheckCancel(t.s));
  EXPECT_FALSE(t.s.run.CancelRequested);
  EXPECT_EQ(t.window.progress, 0);
  EXPECT_EQ(t.window.info(), "User was cancel the action!");
  EXPECT_EQ(p.reports, (std::vector<Report>{{0, kCmdExitProgMode, 0, 0, 0, 0, 0, 0, 0}}));
  EXPECT_TRUE(t.window.vpp.empty()) << "the Vpp picture stays as it is";
  EXPECT_FALSE(CheckCancel(t.s)) << "one request, one cancel";
}

TEST(WaitMs, YieldsUntilTheTimeHasPassed) {
  test::TestSession t;
  const uint64_t start = t.clock.now;
  WaitMs(t.s, 20);
  EXPECT_GE(t.clock.now - start, 20u);
  EXPECT_GE(t.window.doEvents, 1);
  EXPECT_EQ(PixelsToTwips(553), 8295);
  for (int px : {0, 1, 553, 4000}) EXPECT_EQ(TwipsToPixels(PixelsToTwips(px)), px);
}

// The programmer's absence is told in a box at the first search that misses it and once
// each time the programmer that was present goes; never for other devices' events.
TEST(ProgrammerAbsence, ToldOnceWhenItGoesAndClearedWhenItComes) {
  test::TestSession t;
  sim::Programmer& p = t.AttachProgrammer();
  const std::string msg1 = Text(t.s, TextId::Msg1);
  const auto told = [&] {
    return std::count_if(t.window.boxes.begin(), t.window.boxes.end(),
                         [&](const auto& b) { return b.text == msg1 && b.style == 48; });
  };
  OnDeviceChange(t.s);  // another device
  p.Unplug();
  OnDeviceChange(t.s);
  OnDeviceChange(t.s);  // another device while it is absent
  EXPECT_EQ(told(), 1);
  EXPECT_EQ(t.window.info(), msg1);
  p.Plug();
  OnDeviceChange(t.s);
  EXPECT_EQ(t.window.info(), "") << "KRVconnected clears Msg1";
  t.window.SetInfo("Reading CODE...");
  OnDeviceChange(t.s);
  EXPECT_EQ(t.window.info(), "Reading CODE...") << "and only Msg1";
  p.Unplug();
  OnDeviceChange(t.s);
  EXPECT_EQ(told(), 2);
  EXPECT_EQ(t.window.boxes.size(), 2u);
}

// The main window builds its views, and a command may ask for the device, before the
// first device selection: what they read then must be defined.
TEST(SessionTest, BeforeAnySelectionTheDeviceHasNoMemory) {
  // Default-initialised over memory that held other data, as on the stack.
  alignas(Session) unsigned char memory[sizeof(Session)];
  std::memset(memory, 0xA5, sizeof memory);
  Session* s = new (memory) Session;
  EXPECT_EQ(s->dev.DeviceName, "PICunknown");
  EXPECT_EQ(s->dev.CoreWidth + s->dev.CodeSize + s->dev.DataSize + s->dev.ExecSize, 0);
  EXPECT_FALSE(s->dev.HasOscCal);
  for (const DumpArea a : {DumpArea::Code, DumpArea::Data, DumpArea::Exec})
    EXPECT_EQ(DumpLineCount(*s, a), 0);
  s->~Session();
}

}  // namespace
}  // namespace krv
