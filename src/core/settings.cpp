#include "core/settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/hex_text.h"
#include "core/ini.h"

namespace krv {
namespace {

constexpr const char* kSection = "Parameters";
constexpr const char* kFileName = "KRV330.ini";

// The user may write `path`, and its permissions let someone write it: a folder or file
// made read-only for everyone is read-only for the superuser too.
bool MayWrite(const std::string& path) {
  struct stat st {};
  return ::access(path.c_str(), W_OK) == 0 && ::stat(path.c_str(), &st) == 0 &&
         (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

int Flag(const std::string& file, const char* key, int def) {
  const std::string text = ReadIni(file, kSection, key, std::to_string(def));
  // Val("&H" & text): the digits after any leading blanks.
  const size_t start = text.find_first_not_of(" \t");
  const uint32_t v =
      start == std::string::npos ? 0 : ReadHexPrefix(std::string_view(text).substr(start)).value;
  return (v == 0 || v == 1) ? static_cast<int>(v) : def;
}

int Decimal(const std::string& file, const char* key, int def, int lo, int hi) {
  const std::string text = ReadIni(file, kSection, key, std::to_string(def));
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str()) return def;
  return static_cast<int>(std::clamp<long>(v, lo, hi));
}

}  // namespace

SettingsFile FindSettingsFile(const std::string& programFolder, const std::string& configFolder) {
  const std::string beside = programFolder + "/" + kFileName;
  // SaveIni replaces the file through a new one beside it: the folder must take it too.
  if (configFolder.empty() || (MayWrite(programFolder) && (!Exists(beside) || MayWrite(beside))))
    return {beside, beside};
  const std::string user = configFolder + "/krv330/" + kFileName;
  return {user, !Exists(user) && Exists(beside) ? beside : user};
}

std::string UserConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/.config" : std::string();
}

Settings LoadSettings(const SettingsFile& f) {
  const std::string& file = f.from;
  Settings s;
  const Settings d;
  s.StartSel = Flag(file, "StartSel", d.StartSel);
  s.LastDev = ReadIni(file, kSection, "LastDev", d.LastDev);
  s.VWhile = Flag(file, "VWhile", d.VWhile);
  s.VAfter = Flag(file, "VAfter", d.VAfter);
  s.EEAddrFile18 = Flag(file, "EEAddrFile18", d.EEAddrFile18);
  s.BulkProg = Flag(file, "BulkProg", d.BulkProg);
  s.DelICSP = Flag(file, "DelICSP", d.DelICSP);
  s.Language = ReadIni(file, kSection, "Language", d.Language);
  s.MeWidth = Decimal(file, "MeWidth", d.MeWidth, kMinWidthTwips, kMaxWidthTwips);
  s.MeHeight = Decimal(file, "MeHeight", d.MeHeight, kMinHeightTwips, kMaxHeightTwips);
  return s;
}

bool SaveSettings(const SettingsFile& f, const Settings& s) {
  const std::string& file = f.path;
  if (!Exists(file)) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
    // The user's own file begins as the program folder's copy, comments and all.
    if (f.from != file && !std::filesystem::copy_file(f.from, file, ec)) return false;
  }
  bool ok = true;
  const auto put = [&](const char* key, const std::string& value) {
    ok = SaveIni(file, kSection, key, value) && ok;
  };
  put("StartSel", std::to_string(s.StartSel));
  put("LastDev", s.LastDev);
  put("VWhile", std::to_string(s.VWhile));
  put("VAfter", std::to_string(s.VAfter));
  put("EEAddrFile18", std::to_string(s.EEAddrFile18));
  put("BulkProg", std::to_string(s.BulkProg));
  put("DelICSP", std::to_string(s.DelICSP));
  put("Language", s.Language);
  put("MeWidth", std::to_string(s.MeWidth));
  put("MeHeight", std::to_string(s.MeHeight));
  return ok;
}

}  // namespace krv
