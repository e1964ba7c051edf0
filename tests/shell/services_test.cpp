// The shared services: INI files, the settings, the helpers, the session before any
// device selection, the texts.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <set>
#include <span>

#include "core/helpers.h"
#include "core/ini.h"
#include "core/settings.h"
#include "support/files.h"
#include "support/test_session.h"

namespace krv {
namespace {

TEST(ReadIni, FindsTheValueOrGivesTheDefault) {
  for (const auto& row : test::ReadTable("shell/ini_read.txt", 5, test::Blanks::Keep)) {
    const std::string path = test::TempDir() + "/t.ini";
    if (row[1] != "~") test::WriteFile(path, row[1]);
    EXPECT_EQ(ReadIni(path, row[2], row[3], "DEF"), row[4]) << row[0];
  }
}

TEST(SaveIni, ChangesOneLineKeepingEverythingElseOrRefuses) {
  for (const auto& row : test::ReadTable("shell/ini_save.txt", 6, test::Blanks::Keep)) {
    const std::string path = test::TempDir() + "/t.ini";
    const bool saves = row[5] != "~";
    if (row[1] != "~") test::WriteFile(path, row[1]);
    EXPECT_EQ(SaveIni(path, row[2], row[3], row[4]), saves) << row[0];
    EXPECT_EQ(test::ReadFile(path), saves ? row[5] : row[1]) << row[0];
    EXPECT_EQ(saves ? ReadIni(path, row[2], row[3], "") : row[4], row[4]) << row[0];
  }
}

TEST(Settings, ReadAsTheStoredFileHoldsThemAndWrittenBackAsDecimalText) {
  for (const auto& row : test::ReadTable("shell/settings.txt", 2, test::Blanks::Keep)) {
    const std::string path = test::TempDir() + "/KRV330.ini";
    if (row[0] != "~") test::WriteFile(path, "[Parameters]\n" + row[0]);
    EXPECT_TRUE(SaveSettings({path, path}, LoadSettings({path, path})));
    EXPECT_EQ(test::ReadFile(path), row[1]) << row[0];
  }
}

// A KRV330.ini beside the program that cannot be written (here read-only for everyone)
// gives way to the user's, which starts as its copy, comments and all; without a user
// folder the settings stay beside the program. The user's folder is XDG_CONFIG_HOME when
// that is an absolute path, else ~/.config.
TEST(Settings, KeptInTheUsersFolderWhenTheProgramFoldersCannotBeWritten) {
  const std::string program = test::TempDir(), config = test::TempDir();
  const std::string beside = program + "/KRV330.ini", user = config + "/krv330/KRV330.ini";
  test::WriteFile(beside, "; shipped\n[Parameters]\nVAfter=1\n");
  ::chmod(beside.c_str(), 0444);
  const SettingsFile f = FindSettingsFile(program, config);
  EXPECT_TRUE(SaveSettings(f, LoadSettings(f)));
  EXPECT_EQ(f.path + " " + FindSettingsFile(program, config).from + " " +
                FindSettingsFile(program, "").path,
            user + " " + user + " " + beside);
  EXPECT_EQ(test::ReadFile(user).rfind("; shipped\n[Parameters]\nVAfter=1\n", 0), 0u);
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string kept = xdg ? xdg : "", home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("XDG_CONFIG_HOME", "/x/cfg", 1);
  const std::string absolute = UserConfigFolder();
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(absolute + " " + UserConfigFolder(), "/x/cfg " + home + "/.config");
  xdg ? ::setenv("XDG_CONFIG_HOME", kept.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
}

TEST(Dec2Hex, PadsUpperCaseHexToTheDigitsAskedOrReportsTooManyDigits) {
  for (const auto& row : test::ReadTable("shell/dec2hex.txt", 3)) {
    test::TestSession t;
    EXPECT_EQ(Dec2Hex(t.s, std::stoul(row[0], nullptr, 16), std::stoi(row[1])), row[2]) << row[0];
    EXPECT_EQ(t.window.beeps, row[2].empty() ? 1 : 0) << row[0] << "/" << row[1];
    for (const auto& box : t.window.boxes)
      EXPECT_EQ(box.title + " " + std::to_string(box.style), "KRV330 - V1.25 [Dec2Hex] 16");
  }
}

TEST(WaitMs, YieldsUntilTheTimeHasPassed) {
  test::TestSession t;
  WaitMs(t.s, 20);
  EXPECT_GE(t.clock.now, 1000u + 20);  // the fake clock starts at 1000
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
  s->~Session();
}

// Keys are unique but for Msg51, which has a second default for the configuration texts.
// English holds every key with its default; Spanish translates every key, and texts that
// are joined to others keep their blanks.
TEST(Texts, KeysAreUniqueAndTheLanguageFilesHoldEveryKey) {
  int n = 0;
  const TextEntry* table = TextTable(&n);
  const auto ends = [](const std::string& t) { return std::pair(t[0] == ' ', t.back() == ' '); };
  std::set<std::string> seen;
  for (const TextEntry& e : std::span(table, static_cast<size_t>(n))) {
    const std::string at = std::string(e.section) + "/" + e.key, en = e.english;
    if (e.id == TextId::Msg51Config) continue;  // Msg51's key again, with a second default
    EXPECT_TRUE(seen.insert(at).second) << at;
    EXPECT_EQ(ReadIni(KRV330_LANG_DIR "/English.ini", e.section, e.key, "?"), en) << at;
    const std::string es = ReadIni(KRV330_LANG_DIR "/Spanish.ini", e.section, e.key, "?");
    EXPECT_NE(es, "?") << at;
    EXPECT_EQ(ends(es), ends(en)) << at;
    // A message names the memories as the Spanish fill dialog does.
    for (const auto& [area, fillKey] : {std::pair{"CODE", "Code"}, {"DATA", "Data"}}) {
      const std::string name = ReadIni(KRV330_LANG_DIR "/Spanish.ini", "Fill", fillKey, area);
      if (at.rfind("Messages/", 0) == 0 && en.find(area) != std::string::npos) {
        EXPECT_TRUE(es.find(name) != std::string::npos && es.find(area) == std::string::npos) << at;
      }
    }
  }
}

}  // namespace
}  // namespace krv
