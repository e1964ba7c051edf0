// Device lists, device selection and the PIC18/dsPIC30 configuration masks.
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/catalogue.h"
#include "support/test_session.h"
#include "test_keys.h"

namespace krv {
namespace {

using test::Keys;
using test::NameOf;
using test::RowOf;

// ---- Family box and device lists ----------------------------------------------------------

TEST(DeviceList, FamilyCaptions) {
  EXPECT_EQ(FamilyCaption(Family::PIC10), "PIC10");
  EXPECT_EQ(FamilyCaption(Family::PIC12), "PIC12");
  EXPECT_EQ(FamilyCaption(Family::PIC16), "PIC16");
  EXPECT_EQ(FamilyCaption(Family::PIC18), "PIC18");
  EXPECT_EQ(FamilyCaption(Family::PIC30), "dsPIC30");
  EXPECT_EQ(FamilyCaption(Family::Unknown), "UNKNOWN");
}

TEST(DeviceList, FamilyFromCharactersFourAndFive) {
  const std::pair<const char*, Family> cases[] = {
      {"PIC10F200", Family::PIC10},   {"PIC12HV609", Family::PIC12},
      {"PIC16C745", Family::PIC16},   {"PIC18F242-2439", Family::PIC18},
      {"PIC30F6014A", Family::PIC30}, {"PICunknown", Family::Unknown},
      {"PIC1", Family::Unknown},      {"", Family::Unknown},
      {"PIC20F100", Family::Unknown}, {"XYZ16", Family::PIC16},
  };
  for (const auto& [name, family] : cases) EXPECT_EQ(FamilyOf(name), family) << name;
}

// The part number of a list entry: its first run of digits after the family, then the name.
std::pair<int, std::string> PartNumber(const std::string& name) {
  std::smatch m;
  const std::string key = name.substr(5);
  EXPECT_TRUE(std::regex_search(key, m, std::regex("[0-9]+"))) << name;
  return {std::stoi(m.str()), key};
}

TEST(DeviceList, EachFamilyByPartNumber) {
  size_t total = 0;
  for (Family f : {Family::PIC10, Family::PIC12, Family::PIC16, Family::PIC18, Family::PIC30}) {
    const std::vector<std::string> list = FillDeviceList(f);
    total += list.size();
    ASSERT_FALSE(list.empty());
    for (size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(RowOf(list[i]).family, f) << list[i];
      if (i > 0) {
        EXPECT_LT(PartNumber(list[i - 1]), PartNumber(list[i])) << list[i];
      }
    }
  }
  EXPECT_EQ(total, 192u);
  EXPECT_EQ(FillDeviceList(Family::Unknown), std::vector<std::string>{"PICunknown"});
}

TEST(DeviceList, FirstDevicesAndNeighbours) {
  EXPECT_EQ(FillDeviceList(Family::PIC10).front(), "PIC10F200");
  EXPECT_EQ(FillDeviceList(Family::PIC12).front(), "PIC12F508");
  EXPECT_EQ(FillDeviceList(Family::PIC16).front(), "PIC16F54");
  EXPECT_EQ(FillDeviceList(Family::PIC18).front(), "PIC18F242-2439");
  EXPECT_EQ(FillDeviceList(Family::PIC30).front(), "PIC30F2010");
  const std::vector<std::vector<std::string>> runs = {
      {"PIC16F84", "PIC16F84A", "PIC16F87"},
      {"PIC16F610", "PIC16HV610", "PIC16F616"},
      {"PIC18F1330", "PIC18F1330-ICD", "PIC18F2220"},
      {"PIC30F6010", "PIC30F6010A", "PIC30F6011"},
  };
  for (const auto& run : runs) {
    const std::vector<std::string> list = FillDeviceList(FamilyOf(run[0]));
    auto it = std::find(list.begin(), list.end(), run[0]);
    ASSERT_NE(it, list.end()) << run[0];
    for (const std::string& next : run) {
      ASSERT_NE(it, list.end());
      EXPECT_EQ(*it++, next);
    }
  }
}

// ---- Selection ----------------------------------------------------------------------------

class SelectDeviceTest : public ::testing::Test {
 protected:
  void ExpectSelected(const DeviceRow& row) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(static_cast<const DeviceRow&>(ts.s.dev), row);
    EXPECT_EQ(ts.s.dev.DeviceName, row.Name);
    const bool ds = row.CoreWidth == 24;
    EXPECT_EQ(ts.s.buf.CodeBuffer.UBound(), (ds ? 4 : 2) * row.CodeSize);
    EXPECT_EQ(ts.s.buf.DataBuffer.UBound(), (ds ? 2 : 1) * row.DataSize);
    if (ds) {
      EXPECT_EQ(ts.s.buf.ExecBuffer.UBound(), 4 * row.ExecSize);
    }
  }
  test::TestSession ts;
};

TEST_F(SelectDeviceTest, NamesOutsideTheTableSelectThePlaceholder) {
  const std::pair<const char*, const char*> cases[] = {
      {"PIC16F628A", "PIC16F628A"}, {"PIC12HV609", "PIC12HV609"}, {"PIC30F6014A", "PIC30F6014A"},
      {"PICunknown", "PICunknown"}, {"", "PICunknown"},           {"PIC", "PICunknown"},
      {"PIC16F999", "PICunknown"},  {"PIC16F629", "PICunknown"},  // a PIC12 part
      {"pic16f628a", "PICunknown"}, {"PIC99F628A", "PICunknown"}, {"PIC16F628A ", "PICunknown"},
  };
  for (const auto& [name, selected] : cases) {
    ts.s.dev.DeviceName = "stale";
    SelectDevice(ts.s, name);
    EXPECT_EQ(ts.s.dev.DeviceName, selected) << name;
    ExpectSelected(RowOf(selected));
  }
}

TEST_F(SelectDeviceTest, RefreshesTheWindows) {
  const int before = ts.window.showWindows;
  SelectDevice(ts.s, "PIC18F4550");
  EXPECT_GT(ts.window.showWindows, before);
}

// Selecting B after A leaves nothing of A: every row after the row before it, and after
// devices with many parameters set.
TEST_F(SelectDeviceTest, NoValueOfThePreviousDeviceRemains) {
  const std::vector<DeviceRow>& table = DeviceTable();
  const char* rich[] = {"PIC30F6014A", "PIC16F88", "PIC12F629", "PIC16F917", "PIC18F8410"};
  for (size_t i = 0; i < table.size(); ++i) {
    SelectDevice(ts.s, table[(i + table.size() - 1) % table.size()].Name);
    SelectDevice(ts.s, table[i].Name);
    ExpectSelected(table[i]);
  }
  for (const char* a : rich) {
    for (const DeviceRow& b : table) {
      SelectDevice(ts.s, a);
      SelectDevice(ts.s, b.Name);
      EXPECT_EQ(static_cast<const DeviceRow&>(ts.s.dev), b) << a << " then " << b.Name;
    }
  }
}

// ---- SetConfigsDefaults -------------------------------------------------------------------

using Masks = std::array<int32_t, 7>;

class ConfigsDefaultsTest : public ::testing::Test {
 protected:
  // A synthetic state: only the name is set, every word holds `value`.
  void Run(const std::string& name, int32_t value = 0xFFFF) {
    ts.s.dev.DeviceName = name;
    for (int k = 1; k <= 7; ++k) ts.s.cfg.Config[k] = value;
    SetConfigsDefaults(ts.s);
  }
  Masks ConfigMask() const {
    Masks m;
    for (size_t k = 0; k < 7; ++k) m[k] = ts.s.cfg.ConfigMask[k];
    return m;
  }
  Masks Config() const {
    Masks m;
    for (size_t k = 0; k < 7; ++k) m[k] = ts.s.cfg.Config[k + 1];
    return m;
  }
  Masks CSumMask30() const {
    Masks m;
    for (size_t k = 0; k < 7; ++k) m[k] = ts.s.cfg.CSumMask30[k];
    return m;
  }
  test::TestSession ts;
};

struct MaskCase {
  const char* family;
  const char* keys;
  Masks masks;
};

const MaskCase kMaskTable[] = {
    // dsPIC30: two layouts of the oscillator register.
    {"30",
     "F2010 F4011 F4012 F5011 F5013 F6010 F6011 F6012 F6013 F6014",
     {0xC30F, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003}},
    {"30",
     "F2011 F2012 F3010 F3011 F3012 F3013 F3014 F4013 F5015 F5016 F6010A F6011A F6012A F6013A "
     "F6014A F6015",
     {0xC71F, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003}},
    // frm18FXX2
    {"18", "F242-2439 F442-4439", {0x2700, 0x0F0F, 0x0100, 0x0085, 0xC003, 0xE003, 0x4003}},
    {"18", "F252-2539 F452-4539", {0x2700, 0x0F0F, 0x0100, 0x0085, 0xC00F, 0xE00F, 0x400F}},
    {"18", "F248 F448", {0x2700, 0x0F0F, 0x0000, 0x0085, 0xC003, 0xE003, 0x4003}},
    {"18", "F258 F458", {0x2700, 0x0F0F, 0x0000, 0x0085, 0xC00F, 0xE00F, 0x400F}},
    // frm18FXX31
    {"18", "F2331 F2431 F4331 F4431", {0xCF00, 0x3F0F, 0x9D3C, 0x0F85, 0xC00F, 0xE00F, 0x400F}},
    // frm18FX220
    {"18", "F1220 F1320", {0xCF00, 0x1F0F, 0x8000, 0x0085, 0xC003, 0xE003, 0x4003}},
    {"18", "F2220 F4220 F2320 F4320", {0xCF00, 0x1F0F, 0x8300, 0x0085, 0xC00F, 0xE00F, 0x400F}},
};

TEST_F(ConfigsDefaultsTest, MasksOfTheDialogsAndTheirWords) {
  const Masks csum30{0xC100, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};
  for (const MaskCase& c : kMaskTable) {
    for (const std::string& key : Keys(c.keys)) {
      const std::string name = NameOf(c.family, key);
      SCOPED_TRACE(name);
      ts.s.cfg.CSumMask30.fill(0x5555);
      Run(name);
      EXPECT_EQ(ConfigMask(), c.masks);
      EXPECT_EQ(Config(), c.masks);  // blank words keep exactly the implemented bits
      if (std::string(c.family) == "30")
        EXPECT_EQ(CSumMask30(), csum30);
      else
        EXPECT_EQ(CSumMask30()[0], 0x5555);  // PIC18 parts leave the dsPIC30 masks alone
      Run(name, 0x1234);
      for (size_t k = 0; k < 7; ++k) EXPECT_EQ(Config()[k], 0x1234 & c.masks[k]) << k;
    }
  }
}

TEST_F(ConfigsDefaultsTest, UnknownKeysKeepEveryBit) {
  const Masks all{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  // A key of no PIC18 or dsPIC30 row, and keys of other families.
  for (const char* name :
       {"PIC30F9999", "PIC18F9999", "PIC16F628A", "PIC16F88", "PICunknown", ""}) {
    SCOPED_TRACE(name);
    ts.s.cfg.CSumMask30.fill(0x5555);
    Run(name, 0x3FFF);
    EXPECT_EQ(ConfigMask(), all);
    for (int32_t v : Config()) EXPECT_EQ(v, 0x3FFF);
    EXPECT_EQ(CSumMask30()[0], std::string(name) == "PIC30F9999" ? 0xFFFF : 0x5555);
  }
}

TEST_F(ConfigsDefaultsTest, FollowsTheSelectedName) {
  SelectDevice(ts.s, "PIC30F2010");
  Run("PIC30F4013");
  EXPECT_EQ(ConfigMask()[0], 0xC71F);
  SelectDevice(ts.s, "PIC18F4550");
  SetConfigsDefaults(ts.s);
  EXPECT_EQ(ConfigMask()[0], RowOf("PIC18F4550").ConfigMasks[0]);
}

// ---- The PIC18 masks and what their dialogs show ------------------------------------------

// The protection blocks a dialog shows for each device are the implemented bits of
// CONFIG5L, CONFIG6L and CONFIG7L; the boot-block field fits its text array.
struct Pic18Case {
  const char* keys;
  int blocks;       // program-memory blocks: bits 0..blocks-1 of 5L, 6L, 7L
  uint16_t bbsize;  // implemented boot-block bits of CONFIG4L
  bool bit3H0;      // the box of 3H.0 (CCP2MX, FLTAMX) shown
};

const Pic18Case kPic18Dialogs[] = {
    // frm18F2221, groups A to K
    {"F2221 F4221 F2321 F4321", 2, 0x30, true},
    {"F2410 F2420 F2423 F4410 F4420 F4423", 2, 0x00, true},
    {"F2510 F2520 F2523 F2610 F2620 F4510 F4520 F4523 F4610 F4620", 4, 0x00, true},
    {"F2515 F2525 F4515 F4525", 3, 0x00, true},
    {"F2480 F4480", 2, 0x10, false},
    {"F2580 F4580", 4, 0x10, false},
    {"F2585 F4585", 3, 0x30, false},
    {"F2680 F4680", 4, 0x30, false},
    {"F2682 F4682", 5, 0x30, false},
    {"F2685 F4685", 6, 0x30, false},
    // frm18F2450: the boot-block pick is masked with bit 3
    {"F2450 F4450", 2, 0x08, false},
    {"F2455 F2458 F4455 F4458", 3, 0x00, true},
    {"F2550 F2553 F4550 F4553", 4, 0x00, true},
    // frm18F1X30: two blocks, a two-bit boot-block field, FLTAMX in 3H.0
    {"F1230 F1330 F1330-ICD", 2, 0x30, true},
};

TEST(Pic18Masks, AgreeWithTheirDialogs) {
  for (const Pic18Case& c : kPic18Dialogs) {
    for (const std::string& key : Keys(c.keys)) {
      const DeviceRow& r = RowOf(NameOf("18", key));
      SCOPED_TRACE(r.Name);
      const uint16_t blocks = static_cast<uint16_t>((1 << c.blocks) - 1);
      EXPECT_EQ(r.ConfigMasks[4] & 0xFF, blocks);
      EXPECT_EQ(r.ConfigMasks[5] & 0xFF, blocks);
      EXPECT_EQ(r.ConfigMasks[6] & 0xFF, blocks);
      // The boot-block field: CONFIG4L bit 3 on the USB parts, bits 5:4 elsewhere.
      const uint16_t field = r.ConfigForm == DialogId::frm18F2450 ? 0x08 : 0x30;
      EXPECT_EQ(r.ConfigMasks[3] & field, c.bbsize);
      EXPECT_EQ((r.ConfigMasks[2] & 0x0100) != 0, c.bit3H0);
    }
  }
}

TEST(Pic18Masks, DataProtectionOnlyWithDataEeprom) {
  for (const char* key : {"F2410", "F2450", "F4410", "F4450"})
    EXPECT_EQ(RowOf(NameOf("18", key)).DataSize, 0);
  for (const DeviceRow& r : DeviceTable()) {
    if (r.ConfigForm != DialogId::frm18F2221 && r.ConfigForm != DialogId::frm18F2450) continue;
    SCOPED_TRACE(r.Name);
    EXPECT_EQ((r.ConfigMasks[4] & 0x8000) != 0, r.DataSize != 0);  // CPD
    EXPECT_EQ((r.ConfigMasks[5] & 0x8000) != 0, r.DataSize != 0);  // WRTD
  }
}

TEST(Pic18Masks, SingleProtectionBitsOfThe6X9XParts) {
  for (const DeviceRow& r : DeviceTable()) {
    if (r.ConfigForm != DialogId::frm18F6X9X) continue;
    SCOPED_TRACE(r.Name);
    EXPECT_EQ(r.ConfigMasks[4], 0x0001);            // CP only
    EXPECT_EQ(r.ConfigMasks[5], 0x0000);            // no write protection
    EXPECT_EQ(r.ConfigMasks[6] & ~0x0001, 0x0000);  // at most EBTR
  }
}

}  // namespace
}  // namespace krv
