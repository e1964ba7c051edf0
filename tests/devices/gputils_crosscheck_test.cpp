// The PIC10..PIC18 rows against the linker scripts and headers of gputils: program memory,
// data EEPROM, ID and configuration addresses, implemented configuration bits.
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
  std::string base =
      name.substr(3, name.find('-') == std::string::npos ? std::string::npos : name.find('-') - 3);
  for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return base;
}

struct Page {
  std::string name;
  uint32_t start, end;
};

std::vector<Page> ReadLinkerScript(const std::filesystem::path& file) {
  static const std::regex codePage(
      R"(^\s*CODEPAGE\s+NAME=(\S+)\s+START=0x([0-9A-Fa-f]+)\s+END=0x([0-9A-Fa-f]+))");
  std::vector<Page> pages;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (std::regex_search(line, m, codePage))
      pages.push_back({m[1], static_cast<uint32_t>(std::stoul(m[2], nullptr, 16)),
                       static_cast<uint32_t>(std::stoul(m[3], nullptr, 16))});
  }
  return pages;
}

const Page* FindPage(const std::vector<Page>& pages, std::initializer_list<const char*> names) {
  for (const Page& p : pages)
    for (const char* n : names)
      if (p.name.find(n) != std::string::npos) return &p;
  return nullptr;
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
    if (line.find("Configuration Bits") != std::string::npos) inConfig = true;
    if (!inConfig) continue;
    if (std::regex_search(line, m, section)) {
      current = m[1];
    } else if (std::regex_search(line, m, equ) && !current.empty()) {
      const std::string name = m[1];
      if (name.rfind("_CONFIG", 0) == 0 || name.rfind("_DEVID", 0) == 0 ||
          name.rfind("_IDLOC", 0) == 0)
        continue;
      bits[current] |= ~static_cast<uint32_t>(std::stoul(m[2], nullptr, 16)) & width;
    }
  }
  return bits;
}

class Gputils : public ::testing::Test {
 protected:
  void SetUp() override {
    // scripts/setup.sh installs gputils; without it this cross-check cannot pass.
    ASSERT_TRUE(std::filesystem::is_directory(kGputils / "lkr"))
        << kGputils / "lkr"
        << " is missing: install gputils (scripts/setup.sh)";
    ASSERT_TRUE(std::filesystem::is_directory(kGputils / "header"))
        << kGputils / "header"
        << " is missing: install gputils (scripts/setup.sh)";
  }
};

TEST_F(Gputils, SizesAndAddressesMatchTheLinkerScripts) {
  int rows = 0, checked = 0;
  for (const DeviceRow& r : DeviceTable()) {
    if (r.family == Family::Unknown || r.family == Family::PIC30) continue;
    ++rows;
    const auto file = kGputils / "lkr" / (BaseName(r.Name) + "_g.lkr");
    if (!std::filesystem::exists(file)) continue;
    ++checked;
    SCOPED_TRACE(std::string(r.Name) + " / " + file.filename().string());
    const std::vector<Page> pages = ReadLinkerScript(file);
    const Page* ids = FindPage(pages, {"idlocs", "usrlocs"});
    ASSERT_NE(ids, nullptr);

    // Program memory: every page below the IDs but flash data memory.
    uint32_t top = 0;
    for (const Page& p : pages)
      if (p.start < ids->start && p.name.find("flashdata") == std::string::npos)
        top = std::max(top, p.end + 1);
    const Page* eeprom = FindPage(pages, {"eedata"});
    const uint32_t eepromBytes = eeprom ? eeprom->end - eeprom->start + 1 : 0;
    EXPECT_EQ(static_cast<uint32_t>(r.DataSize), eepromBytes);

    if (r.CoreWidth == 16) {
      EXPECT_EQ(static_cast<uint32_t>(2 * r.CodeSize), top);  // bytes
      EXPECT_EQ(ids->start, 0x200000u);
      continue;
    }
    EXPECT_EQ(static_cast<uint32_t>(r.CodeSize), top);  // words
    EXPECT_EQ(static_cast<uint32_t>(r.UserIDAddress), ids->start);
    if (r.CoreWidth == 14) {
      const Page* config = FindPage(pages, {"config"});
      ASSERT_NE(config, nullptr);
      EXPECT_EQ(static_cast<uint32_t>(r.ConfigAddress), config->start);
      EXPECT_EQ(static_cast<uint32_t>(r.Config1Address),
                config->end > config->start ? config->end : 0u);
    }
  }
  EXPECT_GE(checked, rows * 9 / 10) << "too few linker scripts found";
}

TEST_F(Gputils, ImplementedConfigurationBitsMatchTheHeaders) {
  // The masks of these parts are wider than the chips' on purpose: their dialogs show and
  // keep the bits of four protection blocks and of the CONFIG4H byte.
  const std::set<std::string> widerMasks = {"PIC18F2331", "PIC18F2431", "PIC18F4331",
                                            "PIC18F4431", "PIC18F2220", "PIC18F4220"};
  int checked = 0;
  for (const DeviceRow& r : DeviceTable()) {
    if (r.family == Family::Unknown || r.family == Family::PIC30) continue;
    const auto file = kGputils / "header" / ("p" + BaseName(r.Name) + ".inc");
    if (!std::filesystem::exists(file)) continue;
    ++checked;
    SCOPED_TRACE(std::string(r.Name) + " / " + file.filename().string());
    const uint32_t width = r.CoreWidth == 16 ? 0xFF : r.CoreWidth == 12 ? 0xFFF : 0x3FFF;
    std::map<std::string, uint32_t> bits = ReadConfigBits(file, width);
    if (r.CoreWidth == 16) {
      if (widerMasks.count(r.Name)) continue;
      for (int n = 1; n <= 7; ++n) {
        const std::string reg = "CONFIG" + std::to_string(n);
        EXPECT_EQ(r.ConfigMasks[n - 1], bits[reg + "H"] << 8 | bits[reg + "L"]) << reg;
      }
    } else {
      const uint32_t first = bits.count("CONFIG") ? bits["CONFIG"] : bits["CONFIG1"];
      EXPECT_EQ(r.ConfigImplMask, first);
      EXPECT_EQ(r.Config1ImplMask, bits["CONFIG2"]);
    }
  }
  EXPECT_GE(checked, 150);
}

}  // namespace
}  // namespace krv
