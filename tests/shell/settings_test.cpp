#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "shell/ini.h"
#include "shell/settings.h"
#include "support/test_session.h"

namespace krv {
namespace {

std::string SettingsFile(const std::string& body) {
  const std::string path = SettingsPath(test::TempDir());
  std::ofstream(path, std::ios::binary) << "[Parameters]\n" << body;
  return path;
}

TEST(Settings, DefaultsWithoutFile) {
  const Settings s = LoadSettings(test::TempDir() + "/KRV330.ini");
  EXPECT_EQ(s.StartSel, 1);
  EXPECT_EQ(s.LastDev, "PICunknown");
  EXPECT_EQ(s.VWhile, 1);
  EXPECT_EQ(s.VAfter, 0);
  EXPECT_EQ(s.EEAddrFile18, 1);
  EXPECT_EQ(s.BulkProg, 0);
  EXPECT_EQ(s.DelICSP, 0);
  EXPECT_EQ(s.Language, "English");
  EXPECT_EQ(s.MeWidth, 8300);
  EXPECT_EQ(s.MeHeight, 8200);
}

TEST(Settings, TheFileIsInTheProgramFolder) {
  EXPECT_EQ(SettingsPath("/opt/krv330"), "/opt/krv330/KRV330.ini");
}

struct FlagCase {
  const char* text;  // the stored value of VWhile (default 1) and VAfter (default 0)
  int vwhile, vafter;
};

// Flags are hexadecimal text; anything that is not 0 or 1 afterwards takes the default.
TEST(Settings, FlagsAreReadAsHexadecimalAndKeptToZeroOrOne) {
  const FlagCase cases[] = {{"0", 0, 0},  {"1", 1, 1}, {"01", 1, 1},   {" 1 ", 1, 1},
                            {"1x", 1, 1}, {"2", 1, 0}, {"A", 1, 0},    {"10", 1, 0},
                            {"-1", 0, 0}, {"", 1, 0},  {"FFFF", 1, 0}, {"100000001", 1, 0}};
  for (const FlagCase& c : cases) {
    const std::string path =
        SettingsFile(std::string("VWhile=") + c.text + "\nVAfter=" + c.text + "\n");
    const Settings s = LoadSettings(path);
    EXPECT_EQ(s.VWhile, c.vwhile) << '"' << c.text << '"';
    EXPECT_EQ(s.VAfter, c.vafter) << '"' << c.text << '"';
  }
}

struct SizeCase {
  const char* text;
  int width;
};

TEST(Settings, WindowSizeIsDecimalAndClampedToUsable) {
  const SizeCase cases[] = {{"9000", 9000},
                            {" 9000", 9000},
                            {"9000.7", 9000},
                            {"abc", 8300},
                            {"0", kMinWidthTwips},
                            {"-50", kMinWidthTwips},
                            {"99999999999", kMaxWidthTwips},
                            {"", 8300}};
  for (const SizeCase& c : cases) {
    const Settings s =
        LoadSettings(SettingsFile(std::string("MeWidth=") + c.text + "\nMeHeight=" + c.text));
    EXPECT_EQ(s.MeWidth, c.width) << '"' << c.text << '"';
    EXPECT_GE(s.MeHeight, kMinHeightTwips);
    EXPECT_LE(s.MeHeight, kMaxHeightTwips);
  }
}

TEST(Settings, TextsAndKeyCase) {
  const Settings s =
      LoadSettings(SettingsFile("lastdev=PIC30F4013\nLANGUAGE=Spanish\nstartsel=0\n"));
  EXPECT_EQ(s.LastDev, "PIC30F4013");
  EXPECT_EQ(s.Language, "Spanish");
  EXPECT_EQ(s.StartSel, 0);
}

TEST(Settings, SavedAsDecimalTextAndReadBackUnchanged) {
  const std::string path = SettingsFile("; my comment\nVWhile=0\n");
  Settings s;
  s.StartSel = 0;
  s.LastDev = "PIC18F452-4539";
  s.VWhile = 0;
  s.VAfter = 1;
  s.EEAddrFile18 = 0;
  s.BulkProg = 1;
  s.DelICSP = 1;
  s.Language = "Spanish";
  s.MeWidth = 12345;
  s.MeHeight = 9876;
  ASSERT_TRUE(SaveSettings(path, s));
  const Settings r = LoadSettings(path);
  EXPECT_EQ(r.StartSel, 0);
  EXPECT_EQ(r.LastDev, s.LastDev);
  EXPECT_EQ(r.VWhile, 0);
  EXPECT_EQ(r.VAfter, 1);
  EXPECT_EQ(r.EEAddrFile18, 0);
  EXPECT_EQ(r.BulkProg, 1);
  EXPECT_EQ(r.DelICSP, 1);
  EXPECT_EQ(r.Language, "Spanish");
  EXPECT_EQ(r.MeWidth, 12345);
  EXPECT_EQ(r.MeHeight, 9876);
  EXPECT_EQ(ReadIni(path, "Parameters", "MeWidth", ""), "12345");
  EXPECT_EQ(ReadIni(path, "Parameters", "DelICSP", ""), "1");
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("; my comment\nVWhile=0\n"), std::string::npos);
}

TEST(Settings, UnwritableFileIsReported) {
  EXPECT_FALSE(SaveSettings("/nonexistent-dir/KRV330.ini", Settings{}));
}

}  // namespace
}  // namespace krv
