#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/ini.h"
#include "core/settings.h"
#include "shell/test_data.h"
#include "support/test_session.h"

namespace krv {
namespace {

using shelltest::ReadFile;
using shelltest::Rows;
using shelltest::WriteFile;

TEST(ReadIni, FindsTheValueOrGivesTheDefault) {
  for (const auto& row : Rows("ini_read.txt")) {
    const std::string path = test::TempDir() + "/t.ini";
    if (row[1] != "~") WriteFile(path, row[1]);
    EXPECT_EQ(ReadIni(path, row[2], row[3], "DEF"), row[4]) << row[0];
  }
}

TEST(SaveIni, ChangesOneLineKeepingEverythingElseOrRefuses) {
  for (const auto& row : Rows("ini_save.txt")) {
    const std::string path = test::TempDir() + "/t.ini";
    const bool saves = row[5] != "~";
    if (row[1] != "~") WriteFile(path, row[1]);
    EXPECT_EQ(SaveIni(path, row[2], row[3], row[4]), saves) << row[0];
    EXPECT_EQ(ReadFile(path), saves ? row[5] : row[1]) << row[0];
    if (saves) EXPECT_EQ(ReadIni(path, row[2], row[3], ""), row[4]) << row[0];
  }
  EXPECT_FALSE(SaveIni("/dev/null/x.ini", "M", "A", "1"));
}

// The ten values in the order of the file's keys.
std::string Fields(const Settings& s) {
  std::ostringstream o;
  o << s.StartSel << ' ' << s.LastDev << ' ' << s.VWhile << ' ' << s.VAfter << ' ' << s.EEAddrFile18
    << ' ' << s.BulkProg << ' ' << s.DelICSP << ' ' << s.Language << ' ' << s.MeWidth << ' '
    << s.MeHeight;
  return o.str();
}

TEST(Settings, ReadAsTheStoredFileHoldsThem) {
  for (const auto& row : Rows("settings_read.txt")) {
    const std::string path = test::TempDir() + "/KRV330.ini";
    if (row[0] != "~") WriteFile(path, "[Parameters]\n" + row[0]);
    EXPECT_EQ(Fields(LoadSettings({path, path})), row[1]) << row[0];
  }
}

TEST(Settings, SavedAsDecimalTextKeepingOtherLinesAndReadBackUnchanged) {
  const std::string path = test::TempDir() + "/KRV330.ini";
  WriteFile(path, "[Parameters]\n; my comment\nVWhile=0\n");
  const Settings s{0, "PIC18F452-4539", 0, 1, 0, 1, 1, "Spanish", 12345, 9876};
  ASSERT_TRUE(SaveSettings({path, path}, s));
  EXPECT_EQ(Fields(LoadSettings({path, path})), "0 PIC18F452-4539 0 1 0 1 1 Spanish 12345 9876");
  EXPECT_EQ(ReadFile(path).substr(0, 35), "[Parameters]\n; my comment\nVWhile=0\n");
  EXPECT_FALSE(SaveSettings({"/dev/null/KRV330.ini", "/dev/null/KRV330.ini"}, s));
}

// KRV330.ini stays in the program folder while it can be written there (without a user
// folder, always); otherwise the user's configuration folder keeps it, starting from the
// program folder's copy.
TEST(Settings, KeptInTheUsersFolderWhenTheProgramFolderCannotTakeThem) {
  const std::string program = test::TempDir(), config = test::TempDir();
  const std::string beside = program + "/KRV330.ini", user = config + "/krv330/KRV330.ini";
  const std::string shipped = "; shipped\n[Parameters]\nLanguage=Spanish\n";
  WriteFile(beside, shipped);
  for (const std::string& locked : {std::string(), beside, program}) {
    ::chmod(locked.c_str(), 0555);  // as installed for every user
    const SettingsFile f = FindSettingsFile(program, config);
    EXPECT_EQ(FindSettingsFile(program, "").path, beside);
    Settings s = LoadSettings(f);
    s.VAfter = 1;
    const bool saved = SaveSettings(f, s);
    const bool reused = FindSettingsFile(program, config).from == f.path;
    ::chmod(locked.c_str(), 0755);
    EXPECT_EQ(f.path + " " + s.Language, (locked.empty() ? beside : user) + " Spanish");
    EXPECT_TRUE(saved && reused) << locked;
    EXPECT_EQ(ReadFile(f.path).substr(0, shipped.size()), shipped);
    EXPECT_EQ(ReadIni(f.path, "Parameters", "VAfter", ""), "1");
    WriteFile(beside, shipped);
    std::filesystem::remove(user);
  }
}

TEST(Settings, UserConfigFolderFollowsXdgConfigHome) {
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = xdg ? xdg : "";
  for (const char* value : {"/x/cfg", "relative", static_cast<const char*>(nullptr)}) {
    value ? ::setenv("XDG_CONFIG_HOME", value, 1) : ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(UserConfigFolder(), value && *value == '/' ? value : home + "/.config");
  }
  xdg ? ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace krv
