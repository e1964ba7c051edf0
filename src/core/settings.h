#pragma once
// The settings file KRV330.ini in the program folder, section "Parameters": read once at
// start-up, written once at shut-down.
#include <string>

namespace krv {

struct Settings {
  int StartSel = 1;
  std::string LastDev = "PICunknown";
  int VWhile = 1;
  int VAfter = 0;
  int EEAddrFile18 = 1;
  int BulkProg = 0;
  int DelICSP = 0;
  std::string Language = "English";
  int MeWidth = 8300;   // twips
  int MeHeight = 8200;  // twips
};

// Window sizes outside these bounds (twips) are brought back inside them.
inline constexpr int kMinWidthTwips = 6000, kMaxWidthTwips = 60000;
inline constexpr int kMinHeightTwips = 4500, kMaxHeightTwips = 45000;

std::string SettingsPath(const std::string& programFolder);

// Reads the ten keys. Flags are hexadecimal text; a flag that is not 0 or 1 takes its
// default, and the window size is clamped, so values cannot drift from run to run.
Settings LoadSettings(const std::string& file);

// Writes the ten keys (flags as decimal text). False when the file cannot be written.
bool SaveSettings(const std::string& file, const Settings& s);

}  // namespace krv
