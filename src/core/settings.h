#pragma once
// The settings file KRV330.ini, section "Parameters": read once at start-up, written once
// at shut-down.
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

// Where the settings are kept: KRV330.ini in the program folder when it can be written
// there, as stored files expect; otherwise (a copy installed where users cannot write)
// KRV330.ini in the user's configuration folder, configFolder/krv330/, which starts from
// the program folder's copy when one exists. An empty configFolder: the program folder.
struct SettingsFile {
  std::string path;  // written at shut-down
  std::string from;  // read: `path`, or the program folder's copy while `path` does not exist
};
SettingsFile FindSettingsFile(const std::string& programFolder, const std::string& configFolder);

// The user's configuration folder: $XDG_CONFIG_HOME, or ~/.config when that is unset or
// not an absolute path; empty without a home folder.
std::string UserConfigFolder();

// Reads the ten keys from f.from. Flags are hexadecimal text; a flag that is not 0 or 1
// takes its default, and the window size is clamped, so values cannot drift from run to
// run.
Settings LoadSettings(const SettingsFile& f);

// Writes the ten keys (flags as decimal text) into f.path, first copying f.from there
// (and making the folder) when it is another file. False when the file cannot be written.
bool SaveSettings(const SettingsFile& f, const Settings& s);

}  // namespace krv
