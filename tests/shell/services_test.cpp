// The shared services: INI files, the settings, the helpers, the session before any
// device selection, the texts.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <new>

#include "buffers/dump.h"
#include "core/helpers.h"
#include "core/ini.h"
#include "core/settings.h"
#include "link/link.h"
#include "support/files.h"
#include "support/test_session.h"

namespace krv {
namespace {

using test::ReadFile;
using test::WriteFile;

TEST(ReadIni, FindsTheValueOrGivesTheDefault) {
  for (const auto& row : test::ReadTable("shell/ini_read.txt", 5, test::Blanks::Keep)) {
    const std::string path = test::TempDir() + "/t.ini";
    if (row[1] != "~") WriteFile(path, row[1]);
    EXPECT_EQ(ReadIni(path, row[2], row[3], "DEF"), row[4]) << row[0];
  }
}

TEST(SaveIni, ChangesOneLineKeepingEverythingElseOrRefuses) {
  for (const auto& row : test::ReadTable("shell/ini_save.txt", 6, test::Blanks::Keep)) {
    const std::string path = test::TempDir() + "/t.ini";
    const bool saves = row[5] != "~";
    if (row[1] != "~") WriteFile(path, row[1]);
    EXPECT_EQ(SaveIni(path, row[2], row[3], row[4]), saves) << row[0];
    EXPECT_EQ(ReadFile(path), saves ? row[5] : row[1]) << row[0];
    if (saves) {
      EXPECT_EQ(ReadIni(path, row[2], row[3], ""), row[4]) << row[0];
    }
  }
  EXPECT_FALSE(SaveIni("/dev/null/x.ini", "M", "A", "1"));
}

TEST(Settings, ReadAsTheStoredFileHoldsThemAndWrittenBackAsDecimalText) {
  for (const auto& row : test::ReadTable("shell/settings.txt", 2, test::Blanks::Keep)) {
    const std::string path = test::TempDir() + "/KRV330.ini";
    if (row[0] != "~") WriteFile(path, "[Parameters]\n" + row[0]);
    EXPECT_TRUE(SaveSettings({path, path}, LoadSettings({path, path})));
    EXPECT_EQ(ReadFile(path), row[1]) << row[0];
  }
  EXPECT_FALSE(SaveSettings({"/dev/null/KRV330.ini", "/dev/null/KRV330.ini"}, Settings{}));
}

// A KRV330.ini beside the program that cannot be written (here read-only for everyone)
// gives way to the user's, which starts as its copy, comments and all; without a user
// folder the settings stay beside the program.
TEST(Settings, KeptInTheUsersFolderWhenTheProgramFoldersCannotBeWritten) {
  const std::string program = test::TempDir(), config = test::TempDir();
  const std::string beside = program + "/KRV330.ini", user = config + "/krv330/KRV330.ini";
  WriteFile(beside, "; shipped\n[Parameters]\nVAfter=1\n");
  ::chmod(beside.c_str(), 0444);
  const SettingsFile f = FindSettingsFile(program, config);
  const bool saved = SaveSettings(f, LoadSettings(f));
  const std::string paths = f.path + " " + FindSettingsFile(program, config).from + " " +
                            FindSettingsFile(program, "").path;
  ::chmod(beside.c_str(), 0644);
  EXPECT_TRUE(saved);
  EXPECT_EQ(paths, user + " " + user + " " + beside);
  EXPECT_EQ(ReadFile(user).rfind("; shipped\n[Parameters]\nVAfter=1\n", 0), 0u);
}

TEST(Settings, UserConfigFolderFollowsXdgConfigHome) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = xdg ? xdg : "", home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("XDG_CONFIG_HOME", "/x/cfg", 1);
  const std::string absolute = UserConfigFolder();
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(absolute + " " + UserConfigFolder(), "/x/cfg " + home + "/.config");
  xdg ? ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
}

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
  EXPECT_FALSE(CheckCancel(t.s)) << "no request: nothing happens";
  t.s.run.CancelRequested = true;
  EXPECT_TRUE(CheckCancel(t.s));
  EXPECT_FALSE(CheckCancel(t.s)) << "one request, one cancel";
  EXPECT_EQ(t.window.progressValues, std::vector<double>{0});
  EXPECT_EQ(t.window.infos, std::vector<std::string>{"User was cancel the action!"});
  EXPECT_EQ(p.Reports(), (std::vector<Report>{{0, kCmdExitProgMode}}));
  EXPECT_TRUE(t.window.vpp.empty()) << "the Vpp picture stays as it is";
}

TEST(WaitMs, YieldsUntilTheTimeHasPassed) {
  test::TestSession t;
  const uint64_t start = t.clock.now;
  WaitMs(t.s, 20);
  EXPECT_GE(t.clock.now - start, 20u);
  EXPECT_GE(t.window.doEvents, 1);
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
  for (const MemoryArea a : {MemoryArea::Code, MemoryArea::Data, MemoryArea::Exec})
    EXPECT_EQ(DumpLineCount(*s, a), 0);
  s->~Session();
}

// Keys are unique but for Msg51, which has a second default for the configuration texts.
// English holds every key with its default; Spanish translates every key, and texts that
// are joined to others keep their blanks.
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
    // A message names the memories as the Spanish fill dialog does.
    for (const auto& [area, fillKey] : {std::pair{"CODE", "Code"}, {"DATA", "Data"}}) {
      const std::string name = ReadIni(spanish, "Fill", fillKey, area);
      if (at.rfind("Messages/", 0) == 0 && en.find(area) != std::string::npos) {
        EXPECT_TRUE(es.find(name) != std::string::npos && es.find(area) == std::string::npos) << at;
      }
    }
  }
}

}  // namespace
}  // namespace krv
