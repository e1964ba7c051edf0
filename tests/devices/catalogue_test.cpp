// The device table against what the configuration dialogs and the operations rely on,
// every row complete, the device lists, the selection and the PIC18/dsPIC30 configuration
// masks.
#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/catalogue.h"
#include "support/test_session.h"

namespace krv {
namespace {

using enum DialogId;

// "F200 F202" -> {"F200", "F202"}.
std::vector<std::string> Keys(const std::string& list) {
  std::istringstream in(list);
  std::vector<std::string> out;
  for (std::string k; in >> k;) out.push_back(k);
  return out;
}

// The row of "PIC" + family + key ("16", "F628A"); a failure (and the placeholder) when
// there is none.
const DeviceRow& RowOf(const std::string& family, const std::string& key) {
  const std::string name = "PIC" + family + key;
  if (const DeviceRow* r = FindDevice(name)) return *r;
  ADD_FAILURE() << "no row for " << name;
  return UnknownDevice();
}

// The dsPIC30 keys, by the two layouts of their oscillator register.
const std::string kPic30KeysA = "F2010 F4011 F4012 F5011 F5013 F6010 F6011 F6012 F6013 F6014";
const std::string kPic30KeysB =
    "F2011 F2012 F3010 F3011 F3012 F3013 F3014 F4013 F5015 F5016 F6010A F6011A F6012A F6013A "
    "F6014A F6015";

bool IsOneOf(int32_t v, std::initializer_list<int32_t> set) {
  return std::find(set.begin(), set.end(), v) != set.end();
}

// ---- Which dialog edits which device ------------------------------------------------------

TEST(ConfigForm, EveryKeyOfEveryDialogHasItsRowAndNoOther) {
  std::string k2221 =
      "F2221 F2321 F2410 F2420 F2423 F2480 F2510 F2515 F2520 F2523 F2525 F2580 F2585 F2610 "
      "F2620 F2680 F2682 F2685";
  for (const std::string& k : Keys(k2221)) k2221 += " F4" + k.substr(2);
  const struct {
    const char* form;
    const char* family;  // "10", "12", "16", "18", "30"
    std::string keys;
  } table[] = {
      {"frm10F20X", "10", "F200 F202 F204 F206"},
      {"frm10F22X", "10", "F220 F222"},
      {"frm12F50X", "12", "F508 F509"},
      {"frm12F510", "12", "F510 F519"},
      {"frm12F629", "12", "F629 F675"},
      {"frm12F629", "16", "F630 F676"},
      {"frm12F635", "12", "F609 HV609 F615 HV615 F635 F683"},
      {"frm12F635", "16",
       "F610 HV610 F616 HV616 F631 F636 F639 F677 F684 F685 F687 F688 F689 F690 F785 HV785 "
       "F913 F914 F916 F917 F946"},
      {"frm16C745", "16", "C745 C765"},
      {"frm16f505", "16", "F505 F506 F526"},
      {"frm16F54", "16", "F54 F57 F59 F716 F72 F73 F74 F76 F77 F83 F84 F84A"},
      {"frm16F7X7", "16", "F737 F747 F767 F777"},
      {"frm16F627A", "16", "F627 F627A F628 F628A F648A F818 F819 F87 F88"},
      {"frm16F876", "16", "F870 F871 F872 F873 F873A F874 F874A F876 F876A F877 F877A"},
      {"frm16F88X", "16", "F882 F883 F884 F886 F887"},
      {"frm18FXX2", "18", "F242-2439 F248 F252-2539 F258 F442-4439 F448 F452-4539 F458"},
      {"frm18F2450", "18", "F2450 F2455 F2458 F2550 F2553 F4450 F4455 F4458 F4550 F4553"},
      {"frm18FXX31", "18", "F2331 F2431 F4331 F4431"},
      {"frm18F6X9X", "18",
       "F6310 F6390 F6393 F6410 F6490 F6493 F8310 F8390 F8393 F8410 F8490 F8493"},
      {"frm18F2221", "18", k2221},
      {"frm18F1X30", "18", "F1230 F1330 F1330-ICD"},
      {"frm18FX220", "18", "F1220 F1320 F2220 F2320 F4220 F4320"},
      {"frm30F", "30", kPic30KeysA + " " + kPic30KeysB},
  };
  std::multiset<std::string> listed, inTable;
  for (const auto& c : table) {
    for (const std::string& key : Keys(c.keys)) {
      const DeviceRow& r = RowOf(c.family, key);
      EXPECT_EQ(DialogName(r.ConfigForm), c.form) << r.Name;
      listed.insert(c.form);
    }
  }
  // No row beyond the keys of the dialogs (the placeholder aside), none named twice.
  std::set<std::string> names;
  for (const DeviceRow& r : DeviceTable()) {
    EXPECT_TRUE(names.insert(r.Name).second) << r.Name << " twice";
    if (r.family != Family::Unknown) inTable.insert(std::string(DialogName(r.ConfigForm)));
  }
  EXPECT_EQ(inTable, listed);
  EXPECT_EQ(listed.size(), 192u);
  EXPECT_EQ(DeviceTable().size(), 193u);
}

// ---- The bit masks that the 12/14-bit dialogs read ----------------------------------------

TEST(BitMasks, MatchTheTableOfTheDialogs) {
  constexpr int kAny = -1;  // a bit the part has, left to its data sheet
  const struct {
    const char* family;
    const char* keys;
    int cp, cpd, mclre, wdte, pwrte, boden, osc;
  } table[] = {
      {"10", "F200 F202 F204 F206 F220 F222", 0x08, 0, 0x10, 0x04, 0, 0, 0},
      {"12", "F508 F509 F510", 0x08, 0, 0x10, 0x04, 0, 0, 0x03},
      {"12", "F519", 0x08, 0x40, 0x10, 0x04, 0, 0, 0x03},
      {"16", "F505 F506", kAny, 0, kAny, kAny, 0, 0, kAny},
      {"16", "F526", kAny, 0x80, kAny, kAny, 0, 0, kAny},
      {"12", "F629 F675", 0x80, 0x100, 0x20, 0x08, 0x10, 0x40, 0x07},
      {"16", "F630 F676", 0x80, 0x100, 0x20, 0x08, 0x10, 0x40, 0x07},
      {"12", "F635 F683", 0x40, 0x80, 0x20, 0x08, 0x10, 0x300, 0x07},
      {"16",
       "F631 F636 F639 F677 F684 F685 F687 F688 F689 F690 F785 HV785 F913 F914 F916 F917 F946",
       0x40, 0x80, 0x20, 0x08, 0x10, 0x300, 0x07},
      {"12", "F609 HV609 F615 HV615", 0x40, 0, 0x20, 0x08, 0x10, 0x300, 0x07},
      {"16", "F610 HV610 F616 HV616", 0x40, 0, 0x20, 0x08, 0x10, 0x300, 0x07},
  };
  // The dialogs that divide by these masks: the table covers each of their devices, so no
  // mask a dialog divides by is zero (the frm12F635 parts without data EEPROM and the
  // PIC12F510/PIC16F505/506 test CPDBit first).
  const std::set<DialogId> dividing = {frm10F20X, frm10F22X, frm12F50X, frm12F510,
                                       frm16f505, frm12F629, frm12F635};
  size_t checked = 0;
  for (const auto& c : table) {
    for (const std::string& key : Keys(c.keys)) {
      const DeviceRow& r = RowOf(c.family, key);
      SCOPED_TRACE(r.Name);
      EXPECT_EQ(dividing.count(r.ConfigForm), 1u);
      ++checked;
      const std::pair<int, uint16_t> bits[] = {
          {c.cp, r.CPBit},       {c.cpd, r.CPDBit},     {c.mclre, r.MCLREBit}, {c.wdte, r.WDTEBit},
          {c.pwrte, r.PWRTEBit}, {c.boden, r.BODENBit}, {c.osc, r.OscBits}};
      for (const auto& [expected, actual] : bits)
        if (expected == kAny)
          EXPECT_NE(actual, 0);
        else
          EXPECT_EQ(actual, expected);
    }
  }
  EXPECT_EQ(checked, static_cast<size_t>(std::count_if(
                         DeviceTable().begin(), DeviceTable().end(),
                         [&](const DeviceRow& r) { return dividing.count(r.ConfigForm) == 1; })));
}

// ---- Addresses ----------------------------------------------------------------------------

TEST(Addresses, TwelveBitPartsUseProgrammingModeAddresses) {
  int parts = 0;
  for (const DeviceRow& r : DeviceTable()) {
    if (r.CoreWidth != 12) continue;
    ++parts;
    SCOPED_TRACE(r.Name);
    const std::string name = r.Name;
    if (name == "PIC16F57" || name == "PIC16F59") {  // 2048 words: outside the usual lists
      EXPECT_EQ(r.ConfigAddress, 0xFFF);
      EXPECT_EQ(r.UserIDAddress, 0x800);
    } else {
      EXPECT_TRUE(IsOneOf(r.ConfigAddress, {0x1FF, 0x3FF, 0x7FF})) << r.ConfigAddress;
      EXPECT_TRUE(IsOneOf(r.UserIDAddress, {0x100, 0x200, 0x400, 0x440})) << r.UserIDAddress;
    }
    // The configuration area mirrors program memory, the word at its top; the IDs follow
    // program memory, or its 64 bytes of flash data.
    EXPECT_EQ(r.ConfigAddress, 2 * r.CodeSize - 1);
    const bool flashData = name == "PIC12F519" || name == "PIC16F526";
    EXPECT_EQ(r.UserIDAddress, r.CodeSize + (flashData ? 0x40 : 0));
    EXPECT_EQ(r.OscCalAddress, r.HasOscCal ? r.UserIDAddress + 4 : 0);
    EXPECT_EQ(r.Config1Address | r.Calib1Address | r.Calib2Address, 0);
  }
  EXPECT_EQ(parts, 16);
}

TEST(Addresses, FourteenBitParts) {
  const std::vector<std::string> calib2 =
      Keys("F635 F636 F639 F785 HV785 F913 F914 F916 F917 F946");
  for (const DeviceRow& r : DeviceTable()) {
    if (r.CoreWidth != 14) continue;
    SCOPED_TRACE(r.Name);
    const std::string name = r.Name;
    EXPECT_EQ(r.ConfigAddress, 0x2007);
    EXPECT_EQ(r.UserIDAddress, 0x2000);
    EXPECT_EQ(r.OscCalAddress, r.HasOscCal ? 0x3FF : 0);
    const bool twoWords = r.ConfigForm == frm16F7X7 || r.ConfigForm == frm16F88X ||
                          name == "PIC16F87" || name == "PIC16F88";
    EXPECT_EQ(r.Config1Address, twoWords ? 0x2008 : 0);
    EXPECT_EQ(r.Calib1Address, r.ConfigForm == frm12F635   ? 0x2008
                               : r.ConfigForm == frm16F88X ? 0x2009
                                                           : 0);
    const bool hasCalib2 =
        r.ConfigForm == frm12F635 && std::count(calib2.begin(), calib2.end(), name.substr(5)) == 1;
    EXPECT_EQ(r.Calib2Address, hasCalib2 ? 0x2009 : 0);
  }
}

// ---- Erase algorithm and OscCal/BandGap flags ---------------------------------------------

TEST(EraseAlgorithm, FollowsTheDialogsAndTheCore) {
  const std::map<DialogId, int> byDialog = {
      {frm12F629, 2}, {frm12F635, 2}, {frm16F88X, 2}, {frm16F7X7, 6}, {frm30F, 30}};
  // The dialogs with OscCal frames are exactly those of the parts with an OscCal word.
  const std::set<DialogId> oscCal = {frm12F629, frm10F20X, frm10F22X,
                                     frm12F50X, frm12F510, frm16f505};
  for (const DeviceRow& r : DeviceTable()) {
    SCOPED_TRACE(r.Name);
    const auto it = byDialog.find(r.ConfigForm);
    // Elsewhere 12-bit parts with an OscCal word keep it and its backup copy.
    EXPECT_EQ(r.EraseAlgorithm, it != byDialog.end()               ? it->second
                                : r.CoreWidth == 12 && r.HasOscCal ? 1
                                                                   : 0);
    EXPECT_EQ(r.HasBandGap, r.ConfigForm == frm12F629);
    EXPECT_EQ(r.HasOscCal, oscCal.count(r.ConfigForm) == 1);
  }
}

// ---- dsPIC30 ------------------------------------------------------------------------------

TEST(DsPic30, SizesAndDataStart) {
  const struct {
    const char* keys;
    int32_t codeSize, dataSize;
  } table[] = {
      {"F2010", 4096, 1024},
      {"F2011 F2012", 4096, 0},
      {"F3010 F3011 F3012 F3013 F3014", 8192, 1024},
      {"F4011 F4012 F4013", 16384, 1024},
      {"F5011 F5013 F5015 F5016", 22528, 1024},
      {"F6011 F6013 F6011A F6013A", 45056, 2048},
      {"F6010 F6012 F6014 F6010A F6012A F6014A F6015", 49152, 4096},
  };
  size_t parts = 0;
  for (const auto& c : table) {
    for (const std::string& key : Keys(c.keys)) {
      ++parts;
      const DeviceRow& r = RowOf("30", key);
      SCOPED_TRACE(r.Name);
      EXPECT_EQ(r.CodeSize, c.codeSize);
      EXPECT_EQ(r.DataSize, c.dataSize);
      EXPECT_EQ(r.CodeSize % 32, 0);
      EXPECT_EQ(r.DataSize % 64, 0);
      EXPECT_EQ(r.DataStart30, r.DataSize ? 0x800000 - r.DataSize : 0);
      EXPECT_EQ(r.ExecSize, 736);
    }
  }
  EXPECT_EQ(parts, FillDeviceList(Family::PIC30).size());
}

// ---- The placeholder ----------------------------------------------------------------------

TEST(Placeholder, IsTheFirstRowWithItsDefaults) {
  const DeviceRow& u = UnknownDevice();
  EXPECT_EQ(&u, &DeviceTable().front());
  EXPECT_STREQ(u.Name, "PICunknown");
  EXPECT_EQ(u.family, Family::Unknown);
  EXPECT_EQ(u.CoreWidth, 14);
  EXPECT_EQ(u.CodeSize, 1024);
  EXPECT_EQ(u.DataSize, 64);
  EXPECT_EQ(u.ConfigForm, frm16F54);
  EXPECT_EQ(u.ConfigImplMask, 0x3FFF);
  EXPECT_EQ(u.ConfigAddress, 0x2007);
  EXPECT_EQ(u.UserIDAddress, 0x2000);
}

// ---- Every row complete -------------------------------------------------------------------

// Complete rows: neutral values where a part lacks a function, so nothing of the device
// selected before can stand in for them. The values themselves are checked above and
// against the gputils files.
TEST(Completeness, EveryRowHasEveryParameterOfItsFamily) {
  const std::map<Family, std::set<int>> widths = {
      {Family::Unknown, {14}},   {Family::PIC10, {12}}, {Family::PIC12, {12, 14}},
      {Family::PIC16, {12, 14}}, {Family::PIC18, {16}}, {Family::PIC30, {24}}};
  const std::array<uint16_t, 7> none{};
  for (const DeviceRow& r : DeviceTable()) {
    SCOPED_TRACE(r.Name);
    const std::string name = r.Name;
    ASSERT_EQ(name.rfind("PIC", 0), 0u);
    EXPECT_EQ(FamilyOf(name), r.family);
    EXPECT_EQ(widths.at(r.family).count(r.CoreWidth), 1u) << r.CoreWidth;
    EXPECT_GT(r.CodeSize, 0);
    EXPECT_GE(r.DataSize, 0);
    if (r.CoreWidth == 12 || r.CoreWidth == 14) {
      // Each function's bits are implemented bits of the word.
      for (uint16_t bits :
           {r.CPBit, r.CPDBit, r.MCLREBit, r.WDTEBit, r.PWRTEBit, r.BODENBit, r.OscBits})
        EXPECT_EQ(bits & ~r.ConfigImplMask, 0) << bits;
      if (r.family != Family::Unknown) {  // every part has a watchdog and code protection
        EXPECT_NE(r.WDTEBit, 0);
        EXPECT_NE(r.CPBit, 0);
      }
      EXPECT_EQ(r.ConfigMasks, none);
    } else {
      // No 12/14-bit address, bit or flag on PIC18 and dsPIC30 parts.
      EXPECT_EQ(r.ConfigAddress | r.Config1Address | r.UserIDAddress | r.OscCalAddress |
                    r.Calib1Address | r.Calib2Address,
                0);
      EXPECT_EQ(r.CPBit | r.CPDBit | r.MCLREBit | r.WDTEBit | r.PWRTEBit | r.BODENBit | r.OscBits |
                    r.ConfigImplMask | r.Config1ImplMask,
                0);
      EXPECT_FALSE(r.HasOscCal || r.HasBandGap);
    }
    if (r.family != Family::PIC30) {
      EXPECT_EQ(r.ExecSize | r.DataStart30, 0);
      EXPECT_EQ(r.CSumMasks30, none);
    }
  }
}

// ---- Family box and device lists ----------------------------------------------------------

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

// The part number of a list entry: its first run of digits after the family, then the key.
std::pair<int, std::string> PartNumber(const std::string& name) {
  std::smatch m;
  const std::string key = name.substr(5);
  EXPECT_TRUE(std::regex_search(key, m, std::regex("[0-9]+"))) << name;
  return {std::stoi(m.str()), key};
}

TEST(DeviceList, EachFamilyByPartNumberUnderItsCaption) {
  const struct {
    Family family;
    const char* caption;
    const char* first;
  } families[] = {
      {Family::PIC10, "PIC10", "PIC10F200"},    {Family::PIC12, "PIC12", "PIC12F508"},
      {Family::PIC16, "PIC16", "PIC16F54"},     {Family::PIC18, "PIC18", "PIC18F242-2439"},
      {Family::PIC30, "dsPIC30", "PIC30F2010"},
  };
  size_t total = 0;
  for (const auto& f : families) {
    EXPECT_EQ(FamilyCaption(f.family), f.caption);
    const std::vector<std::string> list = FillDeviceList(f.family);
    total += list.size();
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front(), f.first);
    for (size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(FindDevice(list[i])->family, f.family) << list[i];
      if (i > 0) {
        EXPECT_LT(PartNumber(list[i - 1]), PartNumber(list[i])) << list[i];
      }
    }
  }
  EXPECT_EQ(total, 192u);
  EXPECT_EQ(FamilyCaption(Family::Unknown), "UNKNOWN");
  EXPECT_EQ(FillDeviceList(Family::Unknown), std::vector<std::string>{"PICunknown"});
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
    const int shown = ts.window.showWindows;
    SelectDevice(ts.s, name);
    EXPECT_EQ(ts.s.dev.DeviceName, selected) << name;
    ExpectSelected(*FindDevice(selected));
    EXPECT_GT(ts.window.showWindows, shown) << name;  // the windows show the new device
  }
}

// Selecting B after A leaves nothing of A: every row after the row before it, and after
// devices with many parameters set.
TEST_F(SelectDeviceTest, NoValueOfThePreviousDeviceRemains) {
  const std::vector<DeviceRow>& table = DeviceTable();
  for (size_t i = 0; i < table.size(); ++i) {
    SelectDevice(ts.s, table[(i + table.size() - 1) % table.size()].Name);
    SelectDevice(ts.s, table[i].Name);
    ExpectSelected(table[i]);
  }
  for (const char* a : {"PIC30F6014A", "PIC16F88", "PIC12F629", "PIC16F917", "PIC18F8410"}) {
    for (const DeviceRow& b : table) {
      SelectDevice(ts.s, a);
      SelectDevice(ts.s, b.Name);
      EXPECT_EQ(static_cast<const DeviceRow&>(ts.s.dev), b) << a << " then " << b.Name;
    }
  }
}

// ---- SetConfigsDefaults -------------------------------------------------------------------

using Masks = std::array<int32_t, 7>;

Masks Filled(int32_t v) {
  Masks m;
  m.fill(v);
  return m;
}
const Masks kMarker = Filled(0x5555);

// Seven values of a session array from index `first`.
Masks Seven(const std::array<int32_t, 8>& a, size_t first) {
  Masks m;
  for (size_t k = 0; k < 7; ++k) m[k] = a[first + k];
  return m;
}

class ConfigsDefaultsTest : public ::testing::Test {
 protected:
  // A synthetic state: only the name is set (the selected row stays the placeholder's),
  // every word holds `value`, the dsPIC30 masks hold a marker.
  void Run(const std::string& name, int32_t value) {
    ts.s.dev.DeviceName = name;
    for (int k = 1; k <= 7; ++k) ts.s.cfg.Config[k] = value;
    ts.s.cfg.CSumMask30.fill(0x5555);
    SetConfigsDefaults(ts.s);
  }
  Masks ConfigMask() const { return Seven(ts.s.cfg.ConfigMask, 0); }
  Masks Config() const { return Seven(ts.s.cfg.Config, 1); }
  test::TestSession ts;
};

TEST_F(ConfigsDefaultsTest, MasksOfTheDialogsAndTheirWords) {
  const struct {
    const char* family;
    std::string keys;
    Masks masks;
  } table[] = {
      // dsPIC30: two layouts of the oscillator register.
      {"30", kPic30KeysA, {0xC30F, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003}},
      {"30", kPic30KeysB, {0xC71F, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003}},
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
  const Masks csum30{0xC100, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};
  for (const auto& c : table) {
    for (const std::string& key : Keys(c.keys)) {
      const std::string name = "PIC" + std::string(c.family) + key;
      SCOPED_TRACE(name);
      Run(name, 0xFFFF);
      EXPECT_EQ(ConfigMask(), c.masks);
      EXPECT_EQ(Config(), c.masks);  // blank words keep exactly the implemented bits
      // PIC18 parts leave the dsPIC30 masks alone.
      EXPECT_EQ(Seven(ts.s.cfg.CSumMask30, 0), std::string(c.family) == "30" ? csum30 : kMarker);
      Run(name, 0x1234);
      for (size_t k = 0; k < 7; ++k) EXPECT_EQ(Config()[k], 0x1234 & c.masks[k]) << k;
    }
  }
}

TEST_F(ConfigsDefaultsTest, UnknownKeysKeepEveryBit) {
  // A key of no PIC18 or dsPIC30 row, and keys of other families.
  for (const char* name :
       {"PIC30F9999", "PIC18F9999", "PIC16F628A", "PIC16F88", "PICunknown", ""}) {
    SCOPED_TRACE(name);
    Run(name, 0x3FFF);
    EXPECT_EQ(ConfigMask(), Filled(0xFFFF));
    EXPECT_EQ(Config(), Filled(0x3FFF));
    EXPECT_EQ(Seven(ts.s.cfg.CSumMask30, 0),
              std::string(name) == "PIC30F9999" ? Filled(0xFFFF) : kMarker);
  }
}

}  // namespace
}  // namespace krv
