// The shared helpers, the texts and the programmer's absence as the shell tells it.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <new>

#include "buffers/dump.h"
#include "core/helpers.h"
#include "core/ini.h"
#include "core/twips.h"
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
    EXPECT_EQ(t.window.beeps, *text ? 0 : 1) << value << "/" << digits;
    for (const auto& box : t.window.boxes)
      EXPECT_EQ(box.title + " " + std::to_string(box.style), "KRV330 - V1.25 [Dec2Hex] 16");
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
  EXPECT_EQ(p.reports, (std::vector<Report>{{0, kCmdExitProgMode}}));
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

// Keys are unique but for Msg51, which has a second default for the configuration texts.
// English holds every key with its default; Spanish translates every key, and texts that
// are joined to others keep their blanks. A text is read when it is used.
TEST(Texts, KeysAreUniqueAndTheLanguageFilesHoldEveryKey) {
  const std::string english = KRV330_LANG_DIR "/English.ini",
                    spanish = KRV330_LANG_DIR "/Spanish.ini";
  int n = 0;
  const TextEntry* table = TextTable(&n);
  std::map<std::pair<std::string, std::string>, TextId> seen;
  for (const TextEntry& e : std::vector<TextEntry>(table, table + n)) {
    const std::string at = std::string(e.section) + "/" + e.key, en = e.english;
    if (!seen.emplace(std::pair(e.section, e.key), e.id).second) {
      EXPECT_EQ(e.id, TextId::Msg51Config) << at;
      continue;
    }
    EXPECT_EQ(ReadIni(english, e.section, e.key, "?"), en) << at;
    const std::string es = ReadIni(spanish, e.section, e.key, "?");
    EXPECT_NE(es, "?") << at;
    EXPECT_EQ((es.front() == ' ') + 2 * (es.back() == ' '),
              (en.front() == ' ') + 2 * (en.back() == ' '))
        << at;
  }
  test::TestSession t;
  t.s.LangFile = test::TempDir() + "/Custom.ini";
  ASSERT_TRUE(SaveIni(t.s.LangFile, "Messages", "Msg8", "Cancelled"));
  EXPECT_EQ(Text(t.s, TextId::Msg8), "Cancelled");
  EXPECT_EQ(Text(t.s, TextId::Msg51Config), "->Read: 0x");
}

}  // namespace
}  // namespace krv
