// The catalogue against sources outside it: every row as the gputils headers and linker
// scripts, the list of devices by dialog (tests/data/device_dialogs.txt) and the data sheets
// give it; then the device lists, the selection and the configuration defaults.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string_view>

#include <gtest/gtest.h>

#include "devices/catalogue.h"
#include "support/gputils.h"
#include "support/test_session.h"

namespace krv {

// Every parameter in the order of DeviceRow, so that a failing comparison shows where two
// rows differ.
static void PrintTo(const DeviceRow& r, std::ostream* os) {
  const auto put = [os](auto... v) { ((*os << ' ' << +v), ...); };
  *os << r.Name << ' ' << DialogName(r.ConfigForm) << std::hex << std::showbase;
  put(int(r.family), r.CoreWidth, r.CodeSize, r.DataSize, r.ExecSize, r.DataStart30,
      r.ConfigAddress, r.Config1Address, r.UserIDAddress, r.OscCalAddress, r.Calib1Address,
      r.Calib2Address, r.HasOscCal, r.HasBandGap, r.EraseAlgorithm, r.CPBit, r.CPDBit, r.MCLREBit,
      r.WDTEBit, r.PWRTEBit, r.BODENBit, r.OscBits, r.ConfigImplMask, r.Config1ImplMask);
  for (const auto* masks : {&r.ConfigMasks, &r.CSumMasks30})
    for (uint16_t m : *masks) put(m);
}

namespace {

using test::GputilsPart;
using test::Header;
using test::kGputils;
using test::ReadHeader;

// A device of the list by dialog, with the values its line gives.
struct Listed {
  std::string name;
  Family family;
  DialogId dialog;
  std::map<std::string, std::vector<uint32_t>> values;  // "masks": seven values
  uint32_t Value(const std::string& key) const { return values.count(key) ? values.at(key)[0] : 0; }
};

std::vector<Listed> ReadDialogList() {
  const std::string families[] = {"", "10", "12", "16", "18", "30"};  // in the order of Family
  std::ifstream in(KRV330_TEST_DATA_DIR "/device_dialogs.txt");
  std::vector<Listed> out;
  for (std::string line, dialog, family; std::getline(in, line);) {
    std::istringstream words(line);
    if (line.empty() || line[0] == '#' || !(words >> dialog >> family)) continue;
    Listed d;
    d.family = Family(std::find(families, std::end(families), family) - families);
    d.dialog = DialogId(std::find(kDialogNames, std::end(kDialogNames), dialog) - kDialogNames);
    for (std::string w; words >> w;) {  // the shared values, then the keys
      if (const size_t eq = w.find('='); eq != std::string::npos) {
        std::istringstream list(w.substr(eq + 1));
        auto& into = d.values[w.substr(0, eq)];
        for (std::string v; std::getline(list, v, ',');) into.push_back(std::stoul(v, nullptr, 0));
      } else {
        out.push_back(d), out.back().name = "PIC" + family + w;
      }
    }
  }
  return out;
}

// The bits that any setting of a word clears in the blank word: the implemented bits.
uint16_t Implemented(const std::map<std::string, uint32_t>& settings, uint32_t blank) {
  uint32_t bits = 0;
  for (const auto& [name, value] : settings) bits |= ~value & blank;
  return static_cast<uint16_t>(bits);
}

// What a linker script gives: "program" memory (its pages and the OscCal word at their end),
// the first of the "ids" words, the "eeprom" bytes.
std::map<std::string, int32_t> ReadLinkerScript(const std::string& part) {
  static const std::regex codePage(
      R"(CODEPAGE\s+NAME=\.?([a-z]+)\w*\s+START=0x(\w+)\s+END=0x(\w+))");
  std::ifstream in(kGputils / "lkr" / (part + "_g.lkr"));
  std::map<std::string, int32_t> m;
  for (std::string line; std::getline(in, line);) {
    std::smatch x;
    if (!std::regex_search(line, x, codePage)) continue;
    const auto start = std::stoi(x[2], nullptr, 16), end = std::stoi(x[3], nullptr, 16);
    if (x[1] == "page" || x[1] == "oscval") m["program"] = std::max(m["program"], end + 1);
    if (x[1] == "idlocs" || x[1] == "usrlocs") m["ids"] = start;
    if (x[1] == "eedata") m["eeprom"] = end - start + 1;
  }
  return m;
}

// The row of a listed device as its sources give it.
DeviceRow Expected(const Listed& d, const char* name) {
  DeviceRow e{};
  e.Name = name;
  e.family = d.family;
  e.ConfigForm = d.dialog;
  e.EraseAlgorithm = static_cast<int>(d.Value("erase"));
  e.HasBandGap = d.Value("bandgap") != 0;
  e.EraseClearsConfig4And5 = d.Value("clear45") != 0;
  e.Calib1Address = static_cast<int32_t>(d.Value("calib1"));
  e.Calib2Address = static_cast<int32_t>(d.Value("calib2"));
  if (d.family == Family::PIC30) {
    e.CoreWidth = 24;
    e.CodeSize = static_cast<int32_t>(d.Value("flashKB") * 1024 / 3);  // 3-byte instructions
    e.DataSize = static_cast<int32_t>(d.Value("eeprom"));
    e.ExecSize = 736;
    e.DataStart30 = e.DataSize ? 0x800000 - e.DataSize : 0;
    std::copy_n(d.values.at("masks").begin(), 7, e.ConfigMasks.begin());
    e.CSumMasks30 = e.ConfigMasks;
    e.CSumMasks30[0] = 0xC100;
    return e;
  }
  const std::string part = GputilsPart(d.name);
  Header h = ReadHeader(part);
  std::map<std::string, int32_t> m = ReadLinkerScript(part);
  e.DataSize = m["eeprom"];
  if (d.family == Family::PIC18) {
    e.CoreWidth = 16;
    e.CodeSize = m["program"] / 2;
    for (size_t k = 0; k < 7; ++k) {
      const std::string reg = "CONFIG" + std::to_string(k + 1);
      e.ConfigMasks[k] = Implemented(h[reg + "H"], 0xFF) << 8 | Implemented(h[reg + "L"], 0xFF);
    }
    if (d.values.count("masks"))  // where the dialog keeps more bits than the chip has
      std::copy_n(d.values.at("masks").begin(), 7, e.ConfigMasks.begin());
    return e;
  }
  const uint32_t config = h[""].count("_CONFIG") ? h[""]["_CONFIG"] : h[""]["_CONFIG1"];
  e.CoreWidth = config >= 0x2000 ? 14 : 12;
  const uint32_t blank = e.CoreWidth == 14 ? 0x3FFF : 0xFFF;
  e.CodeSize = m["program"];
  e.UserIDAddress = m["ids"];
  // 12-bit parts: the configuration word at the top of the area that mirrors program
  // memory in programming mode, the backup OscCal word after the IDs.
  e.ConfigAddress = e.CoreWidth == 14 ? static_cast<int32_t>(config) : 2 * m["program"] - 1;
  e.Config1Address = static_cast<int32_t>(h[""]["_CONFIG2"]);
  e.HasOscCal = h[""].count("OSCCAL") == 1;
  if (e.HasOscCal) e.OscCalAddress = e.CoreWidth == 14 ? e.CodeSize - 1 : e.UserIDAddress + 4;
  auto& word = h.count("CONFIG") ? h["CONFIG"] : h["CONFIG1"];
  const auto cleared = [&](std::initializer_list<const char*> settings) -> uint16_t {
    for (const char* s : settings)
      if (word.count(s)) return static_cast<uint16_t>(~word[s] & blank);
    return 0;
  };
  e.CPBit = cleared({"_CP_ALL", "_CP_ON"});
  e.CPDBit = cleared({"_CPD_ON", "_CPDF_ON"});
  e.MCLREBit = cleared({"_MCLRE_OFF"});
  e.WDTEBit = cleared({"_WDTE_OFF", "_WDT_OFF"});
  e.PWRTEBit = cleared({"_PWRTE_ON"});
  e.BODENBit = cleared({"_BOREN_OFF", "_BODEN_OFF", "_BOD_OFF"});
  for (const auto& [setting, value] : word)
    if (setting.starts_with("_FOSC_") || setting.starts_with("_OSC_")) e.OscBits |= ~value & blank;
  e.ConfigImplMask = Implemented(word, blank);
  e.Config1ImplMask = Implemented(h["CONFIG2"], blank);
  return e;
}

TEST(Catalogue, EveryRowAsItsSourcesGiveIt) {
  ASSERT_TRUE(std::filesystem::is_directory(kGputils / "header"))
      << "install gputils (scripts/setup.sh)";
  // clang-format off
  const DeviceRow placeholder{DeviceTable().front().Name, Family::Unknown, 14, 1024, 64, 0, 0,
      0x2007, 0, 0x2000, 0, 0, 0, false, false, 0, false, 0, 0, 0, 0, 0, 0, 0, 0x3FFF, 0, {}, {},
      DialogId::frm16F54};  // in the order of DeviceRow
  // clang-format on
  EXPECT_EQ(DeviceTable().front(), placeholder);
  EXPECT_EQ(&UnknownDevice(), &DeviceTable().front());
  const std::vector<Listed> listed = ReadDialogList();
  EXPECT_EQ(listed.size() + 1, DeviceTable().size());  // no row beyond the list
  for (const Listed& d : listed) {
    const DeviceRow* row = FindDevice(d.name);
    ASSERT_NE(row, nullptr) << d.name;
    EXPECT_EQ(*row, Expected(d, row->Name));
  }
}

TEST(Catalogue, EachFamilyListedByPartNumberUnderItsCaption) {
  const std::pair<Family, const char*> families[] = {
      {Family::PIC10, "PIC10"}, {Family::PIC12, "PIC12"},   {Family::PIC16, "PIC16"},
      {Family::PIC18, "PIC18"}, {Family::PIC30, "dsPIC30"}, {Family::Unknown, "UNKNOWN"}};
  // The part number: the first run of digits after the family, then the name.
  const auto number = [](const std::string& name) {
    return std::pair(std::stoi(name.substr(name.find_first_of("0123456789", 5))), name);
  };
  size_t total = 0;
  for (const auto& [family, caption] : families) {
    EXPECT_EQ(FamilyCaption(family), caption);
    const std::vector<std::string> list = FillDeviceList(family);
    total += list.size();
    for (size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(FindDevice(list[i])->family, family) << list[i];
      EXPECT_TRUE(i == 0 || number(list[i - 1]) < number(list[i])) << list[i];
    }
  }
  EXPECT_EQ(FillDeviceList(Family::Unknown), std::vector<std::string>{"PICunknown"});
  EXPECT_EQ(total, DeviceTable().size());
}

// Every device of the table and names outside it (the placeholder's), after devices with
// many parameters set: every parameter from the device's row, nothing of the one before.
// Then SetConfigsDefaults on the name: the masks of a PIC18 or dsPIC30 row, else every bit;
// the words masked; the dsPIC30 checksum masks only on dsPIC30 names.
TEST(Selection, EveryNameLeavesNothingOfThePreviousDeviceAndMasksItsWords) {
  test::TestSession ts;
  Session& s = ts.s;
  std::vector<std::string> names = {"",           "PIC",        "PIC16F999",   "PIC16F629",
                                    "pic16f628a", "PIC99F628A", "PIC16F628A ", "XYZ30F2010",
                                    "PIC18F9999", "PIC30F9999"};
  for (const DeviceRow& row : DeviceTable()) names.push_back(row.Name);
  for (const std::string& name : names) {
    const DeviceRow* found = FindDevice(name);
    const DeviceRow& row = found ? *found : UnknownDevice();
    for (const char* before : {"PIC30F6014A", "PIC16F88", "PIC12F629", "PIC16F917", "PIC18F8410"}) {
      SelectDevice(s, before);
      const int shown = ts.window.showWindows;
      SelectDevice(s, name);
      EXPECT_EQ(static_cast<const DeviceRow&>(s.dev), row) << name;
      EXPECT_EQ(s.dev.DeviceName, row.Name);
      EXPECT_GT(ts.window.showWindows, shown) << name;  // the windows show the new device
      // Four bytes per dsPIC30 instruction (a row named PIC30...), else two per word.
      const int perWord = std::string_view(row.Name).find("30", 3) == 3 ? 4 : 2;
      EXPECT_EQ(s.buf.CodeBuffer.UBound(), perWord * row.CodeSize) << name;
    }
    s.dev.DeviceName = name;
    for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = 0x1234 + k;
    s.cfg.CSumMask30.fill(0x5555);
    SetConfigsDefaults(s);
    const bool ds = name.find("30", 3) == 3;  // characters 4 and 5 give the family
    for (size_t k = 0; k < 7; ++k) {
      const int32_t mask = found && found->CoreWidth >= 16 ? found->ConfigMasks[k] : 0xFFFF;
      EXPECT_EQ(s.cfg.ConfigMask[k], mask) << name << k;
      EXPECT_EQ(s.cfg.Config[k + 1], (0x1235 + static_cast<int32_t>(k)) & mask) << name << k;
      EXPECT_EQ(s.cfg.CSumMask30[k], !ds ? 0x5555 : found ? found->CSumMasks30[k] : 0xFFFF) << k;
    }
  }
}

}  // namespace
}  // namespace krv
