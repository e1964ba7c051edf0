// The PIC10..PIC18 rows against the linker scripts and headers of gputils: program memory,
// data EEPROM, the first ID word, implemented configuration bits.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/catalogue.h"

namespace krv {
namespace {

const std::filesystem::path kGputils = "/usr/share/gputils";

// "PIC18F242-2439" -> "18f242": the part whose files describe the row.
std::string BaseName(const std::string& name) {
  std::string base = name.substr(3, name.find('-') - 3);  // npos - 3: to the end
  for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return base;
}

// What a linker script gives: program memory (the end of the pages below the IDs, flash
// data memory aside), the first ID word, the data EEPROM bytes.
struct Memory {
  uint32_t program = 0, ids = 0, eeprom = 0;
};

Memory ReadLinkerScript(const std::filesystem::path& file) {
  static const std::regex codePage(
      R"(^\s*CODEPAGE\s+NAME=(\S+)\s+START=0x([0-9A-Fa-f]+)\s+END=0x([0-9A-Fa-f]+))");
  Memory m;
  std::vector<std::pair<uint32_t, uint32_t>> pages;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::smatch x;
    if (!std::regex_search(line, x, codePage)) continue;
    const std::string name = x[1];
    const auto start = static_cast<uint32_t>(std::stoul(x[2], nullptr, 16));
    const auto end = static_cast<uint32_t>(std::stoul(x[3], nullptr, 16));
    if (name.find("idlocs") != std::string::npos || name.find("usrlocs") != std::string::npos)
      m.ids = start;
    else if (name.find("eedata") != std::string::npos)
      m.eeprom = end - start + 1;
    else if (name.find("flashdata") == std::string::npos)
      pages.emplace_back(start, end);
  }
  for (const auto& [start, end] : pages)
    if (start < m.ids) m.program = std::max(m.program, end + 1);
  return m;
}

// Implemented bits of each configuration register: the bits that some setting of the
// header clears ("CONFIG", "CONFIG2", "CONFIG1L" ...).
std::map<std::string, uint32_t> ReadConfigBits(const std::filesystem::path& file, uint32_t width) {
  static const std::regex section(R"(^;-+\s*(CONFIG\w*)\s+Options)");
  static const std::regex equ(R"(^\s*(\w+)\s+EQU\s+H'([0-9A-Fa-f]+)')");
  std::map<std::string, uint32_t> bits;
  std::ifstream in(file);
  std::string current;
  bool inConfig = false;
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    inConfig = inConfig || line.find("Configuration Bits") != std::string::npos;
    if (!inConfig) continue;
    if (std::regex_search(line, m, section)) {
      current = m[1];
    } else if (std::regex_search(line, m, equ) && !current.empty()) {
      const std::string name = m[1];
      if (name.rfind("_CONFIG", 0) != 0 && name.rfind("_DEVID", 0) != 0 &&
          name.rfind("_IDLOC", 0) != 0)
        bits[current] |= ~static_cast<uint32_t>(std::stoul(m[2], nullptr, 16)) & width;
    }
  }
  return bits;
}

// Every part that has a script and a header (scripts/setup.sh installs gputils).
TEST(Gputils, SizesAndConfigurationBitsMatch) {
  for (const char* dir : {"lkr", "header"})
    ASSERT_TRUE(std::filesystem::is_directory(kGputils / dir))
        << kGputils / dir << " is missing: install gputils (scripts/setup.sh)";
  // The masks of these parts are wider than the chips' on purpose: their dialogs show and
  // keep the bits of four protection blocks and of the CONFIG4H byte.
  const std::set<std::string> widerMasks = {"PIC18F2331", "PIC18F2431", "PIC18F4331",
                                            "PIC18F4431", "PIC18F2220", "PIC18F4220"};
  int rows = 0, scripts = 0, headers = 0;
  for (const DeviceRow& r : DeviceTable()) {
    if (r.family == Family::Unknown || r.family == Family::PIC30) continue;
    ++rows;
    const std::string base = BaseName(r.Name);
    SCOPED_TRACE(std::string(r.Name) + " / " + base);
    const auto script = kGputils / "lkr" / (base + "_g.lkr");
    if (std::filesystem::exists(script)) {
      ++scripts;
      const Memory m = ReadLinkerScript(script);
      EXPECT_EQ(static_cast<uint32_t>(r.DataSize), m.eeprom);
      if (r.CoreWidth == 16) {
        EXPECT_EQ(static_cast<uint32_t>(2 * r.CodeSize), m.program);  // bytes
      } else {
        EXPECT_EQ(static_cast<uint32_t>(r.CodeSize), m.program);  // words
        EXPECT_EQ(static_cast<uint32_t>(r.UserIDAddress), m.ids);
      }
    }
    const auto header = kGputils / "header" / ("p" + base + ".inc");
    if (!std::filesystem::exists(header)) continue;
    ++headers;
    const uint32_t width = r.CoreWidth == 16 ? 0xFF : r.CoreWidth == 12 ? 0xFFF : 0x3FFF;
    std::map<std::string, uint32_t> bits = ReadConfigBits(header, width);
    if (r.CoreWidth != 16) {
      EXPECT_EQ(r.ConfigImplMask, bits.count("CONFIG") ? bits["CONFIG"] : bits["CONFIG1"]);
      EXPECT_EQ(r.Config1ImplMask, bits["CONFIG2"]);
    } else if (!widerMasks.count(r.Name)) {
      for (int n = 1; n <= 7; ++n) {
        const std::string reg = "CONFIG" + std::to_string(n);
        EXPECT_EQ(r.ConfigMasks[n - 1], bits[reg + "H"] << 8 | bits[reg + "L"]) << reg;
      }
    }
  }
  EXPECT_GE(scripts, rows * 9 / 10) << "too few linker scripts found";
  EXPECT_GE(headers, rows * 9 / 10) << "too few headers found";
}

}  // namespace
}  // namespace krv
