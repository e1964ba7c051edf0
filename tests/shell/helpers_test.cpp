#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "buffers/dump.h"
#include "core/helpers.h"
#include "core/twips.h"
#include "link/link.h"
#include "support/test_session.h"

namespace krv {
namespace {

TEST(Dec2Hex, PadsUpperCaseHexToTheDigitsAskedOrReportsTooManyDigits) {
  struct Case {
    uint32_t value;
    int digits;
    const char* text;  // empty: reported
  };
  const Case cases[] = {
      {0, 1, "0"},      {0xABC, 4, "0ABC"}, {0x7FF, 3, "7FF"}, {0xFFFFFFFF, 8, "FFFFFFFF"},
      {0x12345, 4, ""}, {0x100, 2, ""},     {0, 0, ""},        {0, 9, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + "/" + std::to_string(c.digits));
    test::TestSession t;
    EXPECT_EQ(Dec2Hex(t.s, c.value, c.digits), c.text);
    if (*c.text) {
      EXPECT_TRUE(t.window.boxes.empty());
    } else {
      ASSERT_EQ(t.window.boxes.size(), 1u);
      EXPECT_EQ(t.window.boxes[0].style, 16);
      EXPECT_EQ(t.window.boxes[0].title, "KRV330 - V1.25 [Dec2Hex]");
      EXPECT_EQ(t.window.beeps, 1);
    }
  }
}

TEST(CheckCancel, ARequestIsClearedToldAndEndsProgrammingModeOnce) {
  test::TestSession t;
  sim::Programmer& p = t.AttachProgrammer();
  t.window.progress = 17;
  t.window.vpp = {true};
  EXPECT_FALSE(CheckCancel(t.s)) << "no request: nothing happens";
  EXPECT_TRUE(p.Reports().empty());
  EXPECT_TRUE(t.window.infos.empty());
  EXPECT_EQ(t.window.progress, 17);

  t.s.run.CancelRequested = true;
  EXPECT_TRUE(CheckCancel(t.s));
  EXPECT_FALSE(t.s.run.CancelRequested);
  EXPECT_EQ(t.window.progress, 0);
  EXPECT_EQ(t.window.info(), "User was cancel the action!");
  ASSERT_EQ(p.Reports().size(), 1u);
  EXPECT_EQ(p.Reports()[0], (Report{0, kCmdExitProgMode, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(t.window.vpp, std::vector<bool>{true}) << "the Vpp picture stays as it is";
  EXPECT_FALSE(CheckCancel(t.s)) << "one request, one cancel";

  test::TestSession alone;  // without a programmer it still cancels
  alone.s.run.CancelRequested = true;
  EXPECT_TRUE(CheckCancel(alone.s));
  EXPECT_TRUE(alone.window.boxes.empty());
}

TEST(WaitMs, YieldsUntilTheTimeHasPassed) {
  test::TestSession t;
  int cancelAt = 0;
  t.window.onDoEvents = [&] { cancelAt = t.window.doEvents; };
  const uint64_t start = t.clock.now;
  WaitMs(t.s, 20);
  EXPECT_GE(t.clock.now - start, 20u);
  EXPECT_GE(t.window.doEvents, 1);
  EXPECT_EQ(cancelAt, t.window.doEvents);
}

TEST(Twips, FifteenToThePixelBothWays) {
  EXPECT_EQ(TwipsToPixels(8300), 553);
  EXPECT_EQ(TwipsToPixels(8200), 547);
  EXPECT_EQ(TwipsToPixels(15), 1);
  EXPECT_EQ(PixelsToTwips(553), 8295);
  for (int px : {0, 1, 400, 553, 4000}) EXPECT_EQ(TwipsToPixels(PixelsToTwips(px)), px);
}

// The main window builds its views, and a command may ask for the device, before the
// first device selection: what they read then must be defined.
TEST(SessionTest, BeforeAnySelectionTheDeviceHasNoMemory) {
  // Default-initialised over memory that held other data, as on the stack.
  alignas(Session) unsigned char memory[sizeof(Session)];
  std::memset(memory, 0xA5, sizeof memory);
  Session* s = new (memory) Session;
  EXPECT_EQ(s->dev.DeviceName, "PICunknown");
  EXPECT_EQ(s->dev.CoreWidth, 0);
  EXPECT_EQ(s->dev.CodeSize, 0);
  EXPECT_EQ(s->dev.DataSize, 0);
  EXPECT_EQ(s->dev.ExecSize, 0);
  EXPECT_FALSE(s->dev.HasOscCal);
  for (const MemoryArea a : {MemoryArea::Code, MemoryArea::Data, MemoryArea::Exec})
    EXPECT_EQ(DumpLineCount(*s, a), 0);
  s->~Session();
}

}  // namespace
}  // namespace krv
