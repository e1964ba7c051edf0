#include "core/settings.h"

#include <algorithm>
#include <cstdlib>

#include "core/hex_text.h"
#include "core/ini.h"

namespace krv {
namespace {

constexpr const char* kSection = "Parameters";

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

std::string SettingsPath(const std::string& programFolder) {
  return programFolder + "/KRV330.ini";
}

Settings LoadSettings(const std::string& file) {
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

bool SaveSettings(const std::string& file, const Settings& s) {
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
