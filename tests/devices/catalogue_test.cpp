// The device table against the values the configuration dialogs and the operations rely
// on, and every row complete.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/catalogue.h"
#include "test_keys.h"

namespace krv {
namespace {

using test::Keys;
using test::NameOf;
using test::RowOf;

// ---- Which dialog edits which device ------------------------------------------------------

struct FormCase {
  DialogId form;
  const char* family;  // "10", "12", "16", "18", "30"
  std::vector<std::string> keys;
};

std::vector<FormCase> FormTable() {
  std::vector<std::string> k2221 = Keys(
      "F2221 F2321 F2410 F2420 F2423 F2480 F2510 F2515 F2520 F2523 F2525 F2580 F2585 F2610 "
      "F2620 F2680 F2682 F2685");
  for (size_t i = 0, n = k2221.size(); i < n; ++i) k2221.push_back("F4" + k2221[i].substr(2));
  return {
      {DialogId::frm10F20X, "10", Keys("F200 F202 F204 F206")},
      {DialogId::frm10F22X, "10", Keys("F220 F222")},
      {DialogId::frm12F50X, "12", Keys("F508 F509")},
      {DialogId::frm12F510, "12", Keys("F510 F519")},
      {DialogId::frm12F629, "12", Keys("F629 F675")},
      {DialogId::frm12F629, "16", Keys("F630 F676")},
      {DialogId::frm12F635, "12", Keys("F609 HV609 F615 HV615 F635 F683")},
      {DialogId::frm12F635, "16",
       Keys("F610 HV610 F616 HV616 F631 F636 F639 F677 F684 F685 F687 F688 F689 F690 F785 "
            "HV785 F913 F914 F916 F917 F946")},
      {DialogId::frm16C745, "16", Keys("C745 C765")},
      {DialogId::frm16f505, "16", Keys("F505 F506 F526")},
      {DialogId::frm16F54, "16", Keys("F54 F57 F59 F716 F72 F73 F74 F76 F77 F83 F84 F84A")},
      {DialogId::frm16F7X7, "16", Keys("F737 F747 F767 F777")},
      {DialogId::frm16F627A, "16", Keys("F627 F627A F628 F628A F648A F818 F819 F87 F88")},
      {DialogId::frm16F876, "16",
       Keys("F870 F871 F872 F873 F873A F874 F874A F876 F876A F877 F877A")},
      {DialogId::frm16F88X, "16", Keys("F882 F883 F884 F886 F887")},
      {DialogId::frm18FXX2, "18",
       Keys("F242-2439 F248 F252-2539 F258 F442-4439 F448 F452-4539 F458")},
      {DialogId::frm18F2450, "18",
       Keys("F2450 F2455 F2458 F2550 F2553 F4450 F4455 F4458 F4550 F4553")},
      {DialogId::frm18FXX31, "18", Keys("F2331 F2431 F4331 F4431")},
      {DialogId::frm18F6X9X, "18",
       Keys("F6310 F6390 F6393 F6410 F6490 F6493 F8310 F8390 F8393 F8410 F8490 F8493")},
      {DialogId::frm18F2221, "18", k2221},
      {DialogId::frm18F1X30, "18", Keys("F1230 F1330 F1330-ICD")},
      {DialogId::frm18FX220, "18", Keys("F1220 F1320 F2220 F2320 F4220 F4320")},
      {DialogId::frm30F, "30", test::DsPic30Keys()},
  };
}

TEST(ConfigForm, EveryKeyOfEveryDialogHasItsRow) {
  std::multiset<DialogId> listed;
  for (const FormCase& c : FormTable()) {
    for (const std::string& key : c.keys) {
      const std::string name = NameOf(c.family, key);
      const DeviceRow* row = FindDevice(name);
      ASSERT_NE(row, nullptr) << name;
      EXPECT_EQ(row->ConfigForm, c.form) << name << " has " << DialogName(row->ConfigForm);
      listed.insert(c.form);
    }
  }
  // No row beyond the keys of the dialogs (the placeholder aside), none named twice.
  std::multiset<DialogId> inTable;
  std::set<std::string> names;
  for (const DeviceRow& r : DeviceTable()) {
    EXPECT_TRUE(names.insert(r.Name).second) << r.Name << " twice";
    if (r.family != Family::Unknown) inTable.insert(r.ConfigForm);
  }
  EXPECT_EQ(inTable, listed);
  EXPECT_EQ(listed.size(), 192u);
  EXPECT_EQ(DeviceTable().size(), 193u);
}

TEST(ConfigForm, DialogNamesAreTheFormNames) {
  EXPECT_EQ(DialogName(DialogId::frm10F20X), "frm10F20X");
  EXPECT_EQ(DialogName(DialogId::frm16f505), "frm16f505");
  EXPECT_EQ(DialogName(DialogId::frm16F627A), "frm16F627A");
  EXPECT_EQ(DialogName(DialogId::frm18FX220), "frm18FX220");
  EXPECT_EQ(DialogName(DialogId::frm30F), "frm30F");
}

// ---- The bit masks that the 12/14-bit dialogs read ----------------------------------------

constexpr int kAny = -1;  // a bit the part has, left to its data sheet

struct BitsCase {
  const char* family;
  const char* keys;
  int cp, cpd, mclre, wdte, pwrte, boden, osc;
};

const BitsCase kBitsTable[] = {
    {"10", "F200 F202 F204 F206 F220 F222", 0x08, 0, 0x10, 0x04, 0, 0, 0},
    {"12", "F508 F509 F510", 0x08, 0, 0x10, 0x04, 0, 0, 0x03},
    {"12", "F519", 0x08, 0x40, 0x10, 0x04, 0, 0, 0x03},
    {"16", "F505 F506", kAny, 0, kAny, kAny, 0, 0, kAny},
    {"16", "F526", kAny, 0x80, kAny, kAny, 0, 0, kAny},
    {"12", "F629 F675", 0x80, 0x100, 0x20, 0x08, 0x10, 0x40, 0x07},
    {"16", "F630 F676", 0x80, 0x100, 0x20, 0x08, 0x10, 0x40, 0x07},
    {"12", "F635 F683", 0x40, 0x80, 0x20, 0x08, 0x10, 0x300, 0x07},
    {"16", "F631 F636 F639 F677 F684 F685 F687 F688 F689 F690 F785 HV785 F913 F914 F916 F917 F946",
     0x40, 0x80, 0x20, 0x08, 0x10, 0x300, 0x07},
    {"12", "F609 HV609 F615 HV615", 0x40, 0, 0x20, 0x08, 0x10, 0x300, 0x07},
    {"16", "F610 HV610 F616 HV616", 0x40, 0, 0x20, 0x08, 0x10, 0x300, 0x07},
};

TEST(BitMasks, MatchTheTableOfTheDialogs) {
  for (const BitsCase& c : kBitsTable) {
    for (const std::string& key : Keys(c.keys)) {
      const DeviceRow& r = RowOf(NameOf(c.family, key));
      SCOPED_TRACE(r.Name);
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
}

// Every mask a dialog divides by is non-zero on each device of that dialog; the PIC12F510,
// PIC16F505/506 and the frm12F635 parts without data EEPROM test CPDBit first.
TEST(BitMasks, NonZeroWhereTheDialogDividesByThem) {
  for (const DeviceRow& r : DeviceTable()) {
    SCOPED_TRACE(r.Name);
    const std::string name = r.Name;
    switch (r.ConfigForm) {
      case DialogId::frm12F629:
        EXPECT_NE(r.CPDBit, 0);
        EXPECT_NE(r.PWRTEBit, 0);
        EXPECT_NE(r.BODENBit, 0);
        [[fallthrough]];
      case DialogId::frm12F50X:
      case DialogId::frm12F510:
        EXPECT_NE(r.OscBits, 0);
        [[fallthrough]];
      case DialogId::frm10F20X:
      case DialogId::frm10F22X:
        EXPECT_NE(r.WDTEBit, 0);
        EXPECT_NE(r.CPBit, 0);
        EXPECT_NE(r.MCLREBit, 0);
        break;
      case DialogId::frm12F635:
        EXPECT_NE(r.WDTEBit, 0);
        EXPECT_NE(r.PWRTEBit, 0);
        EXPECT_NE(r.MCLREBit, 0);
        EXPECT_NE(r.CPBit, 0);
        EXPECT_NE(r.OscBits, 0);
        break;
      default:
        break;
    }
    if (name == "PIC12F519" || name == "PIC16F526") {
      EXPECT_NE(r.CPDBit, 0);
    }
  }
}

// ---- Addresses ----------------------------------------------------------------------------

bool IsOneOf(int32_t v, std::initializer_list<int32_t> set) {
  return std::find(set.begin(), set.end(), v) != set.end();
}

TEST(Addresses, TwelveBitPartsUseProgrammingModeAddresses) {
  int parts = 0;
  for (const DeviceRow& r : DeviceTable()) {
    if (r.CoreWidth != 12) continue;
    ++parts;
    SCOPED_TRACE(r.Name);
    const std::string name = r.Name;
    if (name == "PIC16F57" || name == "PIC16F59") {
      EXPECT_EQ(r.ConfigAddress, 0xFFF);
      EXPECT_EQ(r.UserIDAddress, 0x800);
    } else {
      EXPECT_TRUE(IsOneOf(r.ConfigAddress, {0x1FF, 0x3FF, 0x7FF})) << r.ConfigAddress;
      EXPECT_TRUE(IsOneOf(r.UserIDAddress, {0x100, 0x200, 0x400, 0x440})) << r.UserIDAddress;
    }
    // The configuration area mirrors program memory; the word sits at its top.
    EXPECT_EQ(r.ConfigAddress, 2 * r.CodeSize - 1);
    // The IDs follow program memory, or its 64 bytes of flash data.
    const bool flashData = name == "PIC12F519" || name == "PIC16F526";
    EXPECT_EQ(r.UserIDAddress, r.CodeSize + (flashData ? 0x40 : 0));
    EXPECT_EQ(r.OscCalAddress, r.HasOscCal ? r.UserIDAddress + 4 : 0);
    EXPECT_TRUE(IsOneOf(r.OscCalAddress, {0, 0x104, 0x204, 0x404, 0x444}));
    EXPECT_EQ(r.Config1Address, 0);
    EXPECT_EQ(r.Calib1Address, 0);
    EXPECT_EQ(r.Calib2Address, 0);
  }
  EXPECT_EQ(parts, 16);
}

TEST(Addresses, FourteenBitParts) {
  const std::vector<std::string> calib2 =
      Keys("F635 F636 F639 F785 HV785 F913 F914 F916 F917 F946");
  for (const DeviceRow& r : DeviceTable()) {
    if (r.CoreWidth != 14) continue;
    SCOPED_TRACE(r.Name);
    const std::string key = std::string(r.Name).substr(5);
    const std::string name = r.Name;
    EXPECT_EQ(r.ConfigAddress, 0x2007);
    EXPECT_EQ(r.UserIDAddress, 0x2000);
    EXPECT_EQ(r.OscCalAddress, r.HasOscCal ? 0x3FF : 0);

    const bool twoWords = r.ConfigForm == DialogId::frm16F7X7 ||
                          r.ConfigForm == DialogId::frm16F88X || name == "PIC16F87" ||
                          name == "PIC16F88";
    EXPECT_EQ(r.Config1Address, twoWords ? 0x2008 : 0);

    const int32_t calib1 = r.ConfigForm == DialogId::frm12F635   ? 0x2008
                           : r.ConfigForm == DialogId::frm16F88X ? 0x2009
                                                                 : 0;
    EXPECT_EQ(r.Calib1Address, calib1);
    const bool hasCalib2 = r.ConfigForm == DialogId::frm12F635 &&
                           std::find(calib2.begin(), calib2.end(), key) != calib2.end();
    EXPECT_EQ(r.Calib2Address, hasCalib2 ? 0x2009 : 0);
  }
}

// ---- Erase algorithm and OscCal/BandGap flags ---------------------------------------------

TEST(EraseAlgorithm, FollowsTheDialogsAndTheCore) {
  for (const DeviceRow& r : DeviceTable()) {
    SCOPED_TRACE(r.Name);
    int expected = 0;
    switch (r.ConfigForm) {
      case DialogId::frm12F629:
      case DialogId::frm12F635:
      case DialogId::frm16F88X:
        expected = 2;
        break;
      case DialogId::frm16F7X7:
        expected = 6;
        break;
      case DialogId::frm30F:
        expected = 30;
        break;
      default:
        // 12-bit parts with an OscCal word keep it and its backup copy.
        expected = r.CoreWidth == 12 && r.HasOscCal ? 1 : 0;
    }
    EXPECT_EQ(r.EraseAlgorithm, expected);
    const bool bandGap = r.ConfigForm == DialogId::frm12F629;
    EXPECT_EQ(r.HasBandGap, bandGap);
    // The dialogs with OscCal frames are exactly those of the parts with an OscCal word.
    const bool oscCalFrames =
        bandGap || r.ConfigForm == DialogId::frm10F20X || r.ConfigForm == DialogId::frm10F22X ||
        r.ConfigForm == DialogId::frm12F50X || r.ConfigForm == DialogId::frm12F510 ||
        r.ConfigForm == DialogId::frm16f505;
    EXPECT_EQ(r.HasOscCal, oscCalFrames);
  }
}

// ---- dsPIC30 ------------------------------------------------------------------------------

struct Pic30Case {
  const char* keys;
  int32_t codeSize, dataSize;
};

const Pic30Case kPic30Sizes[] = {
    {"F2010", 4096, 1024},
    {"F2011 F2012", 4096, 0},
    {"F3010 F3011 F3012 F3013 F3014", 8192, 1024},
    {"F4011 F4012 F4013", 16384, 1024},
    {"F5011 F5013 F5015 F5016", 22528, 1024},
    {"F6011 F6013 F6011A F6013A", 45056, 2048},
    {"F6010 F6012 F6014 F6010A F6012A F6014A F6015", 49152, 4096},
};

TEST(DsPic30, SizesAddressesAndMasks) {
  size_t parts = 0;
  for (const Pic30Case& c : kPic30Sizes) {
    for (const std::string& key : Keys(c.keys)) {
      ++parts;
      const DeviceRow& r = RowOf(NameOf("30", key));
      SCOPED_TRACE(r.Name);
      EXPECT_EQ(r.CodeSize, c.codeSize);
      EXPECT_EQ(r.DataSize, c.dataSize);
      EXPECT_EQ(r.CodeSize % 32, 0);
      EXPECT_EQ(r.DataSize % 64, 0);
      EXPECT_EQ(r.DataStart30, r.DataSize ? 0x800000 - r.DataSize : 0);
      EXPECT_TRUE(IsOneOf(r.DataStart30, {0, 0x7FFC00, 0x7FF800, 0x7FF000}));
      EXPECT_EQ(r.ExecSize, 736);
      EXPECT_EQ(r.CoreWidth, 24);
      EXPECT_EQ(r.EraseAlgorithm, 30);
    }
  }
  EXPECT_EQ(parts, test::DsPic30Keys().size());
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
  EXPECT_EQ(u.ConfigForm, DialogId::frm16F54);
  EXPECT_EQ(u.ConfigImplMask, 0x3FFF);
  EXPECT_EQ(u.ConfigAddress, 0x2007);
  EXPECT_EQ(u.UserIDAddress, 0x2000);
}

// ---- Every row complete -------------------------------------------------------------------

TEST(Completeness, EveryRowHasEveryParameterOfItsFamily) {
  for (const DeviceRow& r : DeviceTable()) {
    SCOPED_TRACE(r.Name);
    const std::string name = r.Name;
    ASSERT_EQ(name.rfind("PIC", 0), 0u);
    EXPECT_EQ(FamilyOf(name), r.family);
    EXPECT_GT(r.CodeSize, 0);
    EXPECT_GE(r.DataSize, 0);
    const bool mid = r.CoreWidth == 12 || r.CoreWidth == 14;
    switch (r.family) {
      case Family::PIC10:
        EXPECT_EQ(r.CoreWidth, 12);
        break;
      case Family::PIC12:
      case Family::PIC16:
      case Family::Unknown:
        EXPECT_TRUE(mid) << r.CoreWidth;
        break;
      case Family::PIC18:
        EXPECT_EQ(r.CoreWidth, 16);
        break;
      case Family::PIC30:
        EXPECT_EQ(r.CoreWidth, 24);
        break;
    }
    const std::array<uint16_t, 7> none{};
    if (mid) {
      const uint16_t word = r.CoreWidth == 12 ? 0xFFF : 0x3FFF;
      EXPECT_NE(r.ConfigAddress, 0);
      EXPECT_NE(r.UserIDAddress, 0);
      EXPECT_NE(r.ConfigImplMask, 0);
      EXPECT_EQ(r.ConfigImplMask & ~word, 0);
      EXPECT_EQ(r.Config1ImplMask != 0, r.Config1Address != 0);
      // Each function's bits are implemented bits of the word.
      for (uint16_t bits :
           {r.CPBit, r.CPDBit, r.MCLREBit, r.WDTEBit, r.PWRTEBit, r.BODENBit, r.OscBits})
        EXPECT_EQ(bits & ~r.ConfigImplMask, 0) << bits;
      if (r.family != Family::Unknown) {  // every part has a watchdog and code protection
        EXPECT_NE(r.WDTEBit, 0);
        EXPECT_NE(r.CPBit, 0);
      }
      EXPECT_EQ(r.ExecSize, 0);
      EXPECT_EQ(r.DataStart30, 0);
      EXPECT_EQ(r.ConfigMasks, none);
      EXPECT_EQ(r.CSumMasks30, none);
    } else {
      // No 12/14-bit address, bit or flag on PIC18 and dsPIC30 parts.
      EXPECT_EQ(r.ConfigAddress | r.Config1Address | r.UserIDAddress | r.OscCalAddress |
                    r.Calib1Address | r.Calib2Address,
                0);
      EXPECT_EQ(r.CPBit | r.CPDBit | r.MCLREBit | r.WDTEBit | r.PWRTEBit | r.BODENBit | r.OscBits |
                    r.ConfigImplMask | r.Config1ImplMask,
                0);
      EXPECT_FALSE(r.HasOscCal);
      EXPECT_FALSE(r.HasBandGap);
      EXPECT_NE(r.ConfigMasks[0], 0);
      EXPECT_NE(r.ConfigMasks[1], 0);
      EXPECT_NE(r.ConfigMasks[3], 0);
      EXPECT_NE(r.ConfigMasks[4], 0);
    }
    if (r.family == Family::PIC18) {
      EXPECT_EQ(r.EraseAlgorithm, 0);
      EXPECT_EQ(r.ExecSize, 0);
      EXPECT_EQ(r.DataStart30, 0);
      EXPECT_EQ(r.CSumMasks30, none);
    }
    if (r.family == Family::PIC30) {
      for (uint16_t m : r.ConfigMasks) EXPECT_NE(m, 0);
      const std::array<uint16_t, 7> csum{0xC100, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};
      EXPECT_EQ(r.CSumMasks30, csum);
    }
  }
}

}  // namespace
}  // namespace krv
