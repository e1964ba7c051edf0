#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "core/ini.h"
#include "core/settings.h"
#include "support/test_session.h"

namespace krv {
namespace {

std::string SettingsFile(const std::string& body) {
  const std::string path = SettingsPath(test::TempDir());
  std::ofstream(path, std::ios::binary) << "[Parameters]\n" << body;
  return path;
}

// The ten values in the order of the file's keys.
std::string Fields(const Settings& s) {
  std::ostringstream o;
  o << s.StartSel << ' ' << s.LastDev << ' ' << s.VWhile << ' ' << s.VAfter << ' ' << s.EEAddrFile18
    << ' ' << s.BulkProg << ' ' << s.DelICSP << ' ' << s.Language << ' ' << s.MeWidth << ' '
    << s.MeHeight;
  return o.str();
}

TEST(Settings, DefaultsWithoutFileAndTextsWhateverTheKeyCase) {
  EXPECT_EQ(SettingsPath("/opt/krv330"), "/opt/krv330/KRV330.ini");
  EXPECT_EQ(Fields(LoadSettings(test::TempDir() + "/KRV330.ini")),
            "1 PICunknown 1 0 1 0 0 English 8300 8200");
  EXPECT_EQ(
      Fields(LoadSettings(SettingsFile("lastdev=PIC30F4013\nLANGUAGE=Spanish\nstartsel=0\n"))),
      "0 PIC30F4013 1 0 1 0 0 Spanish 8300 8200");
}

// Flags are hexadecimal text; anything that is not 0 or 1 afterwards takes the default.
TEST(Settings, FlagsAreReadAsHexadecimalAndKeptToZeroOrOne) {
  struct Case {
    const char* text;  // the stored value of VWhile (default 1) and VAfter (default 0)
    int vwhile, vafter;
  };
  const Case cases[] = {{"0", 0, 0},  {"1", 1, 1}, {"01", 1, 1},   {" 1 ", 1, 1},
                        {"1x", 1, 1}, {"2", 1, 0}, {"A", 1, 0},    {"10", 1, 0},
                        {"-1", 0, 0}, {"", 1, 0},  {"FFFF", 1, 0}, {"100000001", 1, 0}};
  for (const Case& c : cases) {
    const Settings s =
        LoadSettings(SettingsFile(std::string("VWhile=") + c.text + "\nVAfter=" + c.text + "\n"));
    EXPECT_EQ(s.VWhile, c.vwhile) << '"' << c.text << '"';
    EXPECT_EQ(s.VAfter, c.vafter) << '"' << c.text << '"';
  }
}

TEST(Settings, WindowSizeIsDecimalAndClampedToUsable) {
  const std::pair<const char*, int> cases[] = {{"9000", 9000},
                                               {" 9000", 9000},
                                               {"9000.7", 9000},
                                               {"abc", 8300},
                                               {"0", kMinWidthTwips},
                                               {"-50", kMinWidthTwips},
                                               {"99999999999", kMaxWidthTwips},
                                               {"", 8300}};
  for (const auto& [text, width] : cases) {
    const Settings s =
        LoadSettings(SettingsFile(std::string("MeWidth=") + text + "\nMeHeight=" + text));
    EXPECT_EQ(s.MeWidth, width) << '"' << text << '"';
    EXPECT_GE(s.MeHeight, kMinHeightTwips);
    EXPECT_LE(s.MeHeight, kMaxHeightTwips);
  }
}

TEST(Settings, SavedAsDecimalTextKeepingOtherLinesAndReadBackUnchanged) {
  const std::string path = SettingsFile("; my comment\nVWhile=0\n");
  const Settings s{0, "PIC18F452-4539", 0, 1, 0, 1, 1, "Spanish", 12345, 9876};
  ASSERT_TRUE(SaveSettings(path, s));
  EXPECT_EQ(Fields(LoadSettings(path)), "0 PIC18F452-4539 0 1 0 1 1 Spanish 12345 9876");
  EXPECT_EQ(ReadIni(path, "Parameters", "MeWidth", ""), "12345");
  EXPECT_EQ(ReadIni(path, "Parameters", "DelICSP", ""), "1");
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("; my comment\nVWhile=0\n"), std::string::npos);
  EXPECT_FALSE(SaveSettings("/nonexistent-dir/KRV330.ini", s));
}

}  // namespace
}  // namespace krv
