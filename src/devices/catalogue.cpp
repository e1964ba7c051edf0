// The device catalogue: one complete row per device, and the device selection.
#include "devices/catalogue.h"

#include <array>

#include "buffers/buffers.h"
#include "core/session.h"

namespace krv {

namespace {

// The bits of a 12/14-bit configuration word that hold each function (0 where the part
// lacks it): CP, CPD, MCLRE, WDTE, PWRTE, BODEN, oscillator field.
struct ConfigBits {
  uint16_t CP, CPD, MCLRE, WDTE, PWRTE, BODEN, Osc;
};

constexpr ConfigBits kNoBits{0, 0, 0, 0, 0, 0, 0};
constexpr ConfigBits kBits10F{0x08, 0, 0x10, 0x04, 0, 0, 0};
constexpr ConfigBits kBits12F50X{0x08, 0, 0x10, 0x04, 0, 0, 0x03};
constexpr ConfigBits kBits12F519{0x08, 0x40, 0x10, 0x04, 0, 0, 0x03};
constexpr ConfigBits kBits16F505{0x10, 0, 0x20, 0x08, 0, 0, 0x07};
constexpr ConfigBits kBits16F526{0x10, 0x80, 0x20, 0x08, 0, 0, 0x07};
constexpr ConfigBits kBits16F5X{0x08, 0, 0, 0x04, 0, 0, 0x03};
constexpr ConfigBits kBits12F629{0x80, 0x100, 0x20, 0x08, 0x10, 0x40, 0x07};
constexpr ConfigBits kBits12F635{0x40, 0x80, 0x20, 0x08, 0x10, 0x300, 0x07};
constexpr ConfigBits kBits12F609{0x40, 0, 0x20, 0x08, 0x10, 0x300, 0x07};  // no data EEPROM
constexpr ConfigBits kBits16C745{0x3F30, 0, 0, 0x04, 0x08, 0, 0x03};
constexpr ConfigBits kBits16F716{0x2000, 0, 0, 0x04, 0x08, 0x40, 0x03};
constexpr ConfigBits kBits16F7X{0x10, 0, 0, 0x04, 0x08, 0x40, 0x03};
constexpr ConfigBits kBits16F84{0x3FF0, 0, 0, 0x04, 0x08, 0, 0x03};
constexpr ConfigBits kBits16F7X7{0x2000, 0, 0x20, 0x04, 0x08, 0x40, 0x13};
constexpr ConfigBits kBits16F627{0x3C00, 0x100, 0x20, 0x04, 0x08, 0x40, 0x13};
constexpr ConfigBits kBits16F628A{0x2000, 0x100, 0x20, 0x04, 0x08, 0x40, 0x13};
constexpr ConfigBits kBits16F877{0x3030, 0x100, 0, 0x04, 0x08, 0x40, 0x03};
constexpr ConfigBits kBits16F877A{0x2000, 0x100, 0, 0x04, 0x08, 0x40, 0x03};

using Masks = std::array<uint16_t, 7>;
// dsPIC30: implemented bits of the seven configuration registers (two layouts of FOSC) and
// the bits that count in the checksum.
constexpr Masks kMasks30A{0xC30F, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};
constexpr Masks kMasks30B{0xC71F, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};
constexpr Masks kCSumMasks30{0xC100, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};

constexpr int32_t kExecSize30 = 736;  // programming-executive area, instructions

// The parameters every part has; every other one is 0 / false until its family sets it.
DeviceRow Part(const char* name, Family family, int coreWidth, int32_t codeSize, int32_t dataBytes,
               DialogId form) {
  DeviceRow r{};
  r.Name = name;
  r.family = family;
  r.CoreWidth = coreWidth;
  r.CodeSize = codeSize;
  r.DataSize = dataBytes;
  r.ConfigForm = form;
  return r;
}

// A PIC10/12/16 part (12- or 14-bit core). Addresses are those of programming mode:
// 12-bit parts keep the configuration word at the top of the configuration area, the IDs
// right after program memory (and flash data memory), the backup OscCal after the IDs.
DeviceRow Mid(const char* name, int coreWidth, int32_t codeWords, int32_t dataBytes,
              int32_t configAddress, int32_t config1Address, int32_t userIdAddress,
              int32_t oscCalAddress, int32_t calib1Address, int32_t calib2Address, bool hasOscCal,
              bool hasBandGap, int eraseAlgorithm, ConfigBits bits, uint16_t configImpl,
              uint16_t config1Impl, DialogId form) {
  DeviceRow r = Part(name, FamilyOf(name), coreWidth, codeWords, dataBytes, form);
  r.ConfigAddress = configAddress;
  r.Config1Address = config1Address;
  r.UserIDAddress = userIdAddress;
  r.OscCalAddress = oscCalAddress;
  r.Calib1Address = calib1Address;
  r.Calib2Address = calib2Address;
  r.HasOscCal = hasOscCal;
  r.HasBandGap = hasBandGap;
  r.EraseAlgorithm = eraseAlgorithm;
  r.CPBit = bits.CP;
  r.CPDBit = bits.CPD;
  r.MCLREBit = bits.MCLRE;
  r.WDTEBit = bits.WDTE;
  r.PWRTEBit = bits.PWRTE;
  r.BODENBit = bits.BODEN;
  r.OscBits = bits.Osc;
  r.ConfigImplMask = configImpl;
  r.Config1ImplMask = config1Impl;
  return r;
}

// A PIC18 part: CodeSize is program memory in bytes / 2; masks are the implemented bits of
// Config1..Config7 (CONFIGnL | CONFIGnH << 8). None of the 12/14-bit parameters.
DeviceRow Pic18(const char* name, int32_t codeSize, int32_t dataBytes, Masks masks, DialogId form) {
  DeviceRow r = Part(name, Family::PIC18, 16, codeSize, dataBytes, form);
  r.ConfigMasks = masks;
  return r;
}

// A dsPIC30 part: program memory in instructions, data EEPROM in bytes from dataStart (0
// without EEPROM). None of the 12/14-bit parameters.
DeviceRow Pic30(const char* name, int32_t instructions, int32_t dataBytes, int32_t dataStart,
                Masks masks, bool eraseClearsConfig4And5 = false) {
  DeviceRow r = Part(name, Family::PIC30, 24, instructions, dataBytes, DialogId::frm30F);
  r.ExecSize = kExecSize30;
  r.DataStart30 = dataStart;
  r.EraseAlgorithm = 30;
  r.ConfigMasks = masks;
  r.CSumMasks30 = kCSumMasks30;
  r.EraseClearsConfig4And5 = eraseClearsConfig4And5;
  return r;
}

// Every device, the placeholder first, then each family in the order of its device list
// (by part number).
const std::vector<DeviceRow>& Rows() {
  using enum DialogId;
  // clang-format off
  static const std::vector<DeviceRow> rows = {
    // The columns of Mid: name, CoreWidth, CodeSize (words), DataSize (bytes), ConfigAddress,
    // Config1Address, UserIDAddress, OscCalAddress, Calib1Address, Calib2Address, HasOscCal,
    // HasBandGap, EraseAlgorithm, configuration bits, ConfigImplMask, Config1ImplMask, dialog.
    // The implemented-bit masks are the bits that count in the checksum: the factory BandGap
    // bits 13:12 of the PIC12F629 group do not.
    Mid("PICunknown", 14, 1024, 64,  0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kNoBits,      0x3FFF, 0,     frm16F54),
    // PIC10
    Mid("PIC10F200",  12, 256,  0,   0x1FF,  0,      0x100,  0x104, 0,      0,      true,  false, 1, kBits10F,     0x1C,   0,     frm10F20X),
    Mid("PIC10F202",  12, 512,  0,   0x3FF,  0,      0x200,  0x204, 0,      0,      true,  false, 1, kBits10F,     0x1C,   0,     frm10F20X),
    Mid("PIC10F204",  12, 256,  0,   0x1FF,  0,      0x100,  0x104, 0,      0,      true,  false, 1, kBits10F,     0x1C,   0,     frm10F20X),
    Mid("PIC10F206",  12, 512,  0,   0x3FF,  0,      0x200,  0x204, 0,      0,      true,  false, 1, kBits10F,     0x1C,   0,     frm10F20X),
    Mid("PIC10F220",  12, 256,  0,   0x1FF,  0,      0x100,  0x104, 0,      0,      true,  false, 1, kBits10F,     0x1F,   0,     frm10F22X),
    Mid("PIC10F222",  12, 512,  0,   0x3FF,  0,      0x200,  0x204, 0,      0,      true,  false, 1, kBits10F,     0x1F,   0,     frm10F22X),
    // PIC12
    Mid("PIC12F508",  12, 512,  0,   0x3FF,  0,      0x200,  0x204, 0,      0,      true,  false, 1, kBits12F50X,  0x1F,   0,     frm12F50X),
    Mid("PIC12F509",  12, 1024, 0,   0x7FF,  0,      0x400,  0x404, 0,      0,      true,  false, 1, kBits12F50X,  0x1F,   0,     frm12F50X),
    Mid("PIC12F510",  12, 1024, 0,   0x7FF,  0,      0x400,  0x404, 0,      0,      true,  false, 1, kBits12F50X,  0x3F,   0,     frm12F510),
    Mid("PIC12F519",  12, 1024, 0,   0x7FF,  0,      0x440,  0x444, 0,      0,      true,  false, 1, kBits12F519,  0x7F,   0,     frm12F510),
    Mid("PIC12F609",  14, 1024, 0,   0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F609,  0x3FF,  0,     frm12F635),
    Mid("PIC12HV609", 14, 1024, 0,   0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F609,  0x3FF,  0,     frm12F635),
    Mid("PIC12F615",  14, 1024, 0,   0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F609,  0x3FF,  0,     frm12F635),
    Mid("PIC12HV615", 14, 1024, 0,   0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F609,  0x3FF,  0,     frm12F635),
    Mid("PIC12F629",  14, 1024, 128, 0x2007, 0,      0x2000, 0x3FF, 0,      0,      true,  true,  2, kBits12F629,  0x1FF,  0,     frm12F629),
    Mid("PIC12F635",  14, 1024, 128, 0x2007, 0,      0x2000, 0,     0x2008, 0x2009, false, false, 2, kBits12F635,  0x1FFF, 0,     frm12F635),
    Mid("PIC12F675",  14, 1024, 128, 0x2007, 0,      0x2000, 0x3FF, 0,      0,      true,  true,  2, kBits12F629,  0x1FF,  0,     frm12F629),
    Mid("PIC12F683",  14, 2048, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    // PIC16
    Mid("PIC16F54",   12, 512,  0,   0x3FF,  0,      0x200,  0,     0,      0,      false, false, 0, kBits16F5X,   0xF,    0,     frm16F54),
    // The PIC16F57 and PIC16F59 have 2048 words: IDs at 0x800, configuration word at 0xFFF.
    Mid("PIC16F57",   12, 2048, 0,   0xFFF,  0,      0x800,  0,     0,      0,      false, false, 0, kBits16F5X,   0xF,    0,     frm16F54),
    Mid("PIC16F59",   12, 2048, 0,   0xFFF,  0,      0x800,  0,     0,      0,      false, false, 0, kBits16F5X,   0xF,    0,     frm16F54),
    Mid("PIC16F72",   14, 2048, 0,   0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F7X,   0x5F,   0,     frm16F54),
    Mid("PIC16F73",   14, 4096, 0,   0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F7X,   0x5F,   0,     frm16F54),
    Mid("PIC16F74",   14, 4096, 0,   0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F7X,   0x5F,   0,     frm16F54),
    Mid("PIC16F76",   14, 8192, 0,   0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F7X,   0x5F,   0,     frm16F54),
    Mid("PIC16F77",   14, 8192, 0,   0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F7X,   0x5F,   0,     frm16F54),
    Mid("PIC16F83",   14, 512,  64,  0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F84,   0x3FFF, 0,     frm16F54),
    Mid("PIC16F84",   14, 1024, 64,  0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F84,   0x3FFF, 0,     frm16F54),
    Mid("PIC16F84A",  14, 1024, 64,  0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F84,   0x3FFF, 0,     frm16F54),
    Mid("PIC16F87",   14, 4096, 256, 0x2007, 0x2008, 0x2000, 0,     0,      0,      false, false, 0, kBits16F628A, 0x3FFF, 0x3,   frm16F627A),
    Mid("PIC16F88",   14, 4096, 256, 0x2007, 0x2008, 0x2000, 0,     0,      0,      false, false, 0, kBits16F628A, 0x3FFF, 0x3,   frm16F627A),
    Mid("PIC16F505",  12, 1024, 0,   0x7FF,  0,      0x400,  0x404, 0,      0,      true,  false, 1, kBits16F505,  0x3F,   0,     frm16f505),
    Mid("PIC16F506",  12, 1024, 0,   0x7FF,  0,      0x400,  0x404, 0,      0,      true,  false, 1, kBits16F505,  0x7F,   0,     frm16f505),
    Mid("PIC16F526",  12, 1024, 0,   0x7FF,  0,      0x440,  0x444, 0,      0,      true,  false, 1, kBits16F526,  0xFF,   0,     frm16f505),
    Mid("PIC16F610",  14, 1024, 0,   0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F609,  0x3FF,  0,     frm12F635),
    Mid("PIC16HV610", 14, 1024, 0,   0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F609,  0x3FF,  0,     frm12F635),
    Mid("PIC16F616",  14, 2048, 0,   0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F609,  0x3FF,  0,     frm12F635),
    Mid("PIC16HV616", 14, 2048, 0,   0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F609,  0x3FF,  0,     frm12F635),
    Mid("PIC16F627",  14, 1024, 128, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F627,  0x3DFF, 0,     frm16F627A),
    Mid("PIC16F627A", 14, 1024, 128, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F628A, 0x21FF, 0,     frm16F627A),
    Mid("PIC16F628",  14, 2048, 128, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F627,  0x3DFF, 0,     frm16F627A),
    Mid("PIC16F628A", 14, 2048, 128, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F628A, 0x21FF, 0,     frm16F627A),
    Mid("PIC16F630",  14, 1024, 128, 0x2007, 0,      0x2000, 0x3FF, 0,      0,      true,  true,  2, kBits12F629,  0x1FF,  0,     frm12F629),
    Mid("PIC16F631",  14, 1024, 128, 0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    Mid("PIC16F636",  14, 2048, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0x2009, false, false, 2, kBits12F635,  0x1FFF, 0,     frm12F635),
    Mid("PIC16F639",  14, 2048, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0x2009, false, false, 2, kBits12F635,  0x1FFF, 0,     frm12F635),
    Mid("PIC16F648A", 14, 4096, 256, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F628A, 0x21FF, 0,     frm16F627A),
    Mid("PIC16F676",  14, 1024, 128, 0x2007, 0,      0x2000, 0x3FF, 0,      0,      true,  true,  2, kBits12F629,  0x1FF,  0,     frm12F629),
    Mid("PIC16F677",  14, 2048, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    Mid("PIC16F684",  14, 2048, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    Mid("PIC16F685",  14, 4096, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    Mid("PIC16F687",  14, 2048, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    Mid("PIC16F688",  14, 4096, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    Mid("PIC16F689",  14, 4096, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    Mid("PIC16F690",  14, 4096, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0,      false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    Mid("PIC16F716",  14, 2048, 0,   0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F716,  0x20CF, 0,     frm16F54),
    Mid("PIC16F737",  14, 4096, 0,   0x2007, 0x2008, 0x2000, 0,     0,      0,      false, false, 6, kBits16F7X7,  0x39FF, 0x43,  frm16F7X7),
    Mid("PIC16C745",  14, 8192, 0,   0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16C745,  0x3F3F, 0,     frm16C745),
    Mid("PIC16F747",  14, 4096, 0,   0x2007, 0x2008, 0x2000, 0,     0,      0,      false, false, 6, kBits16F7X7,  0x39FF, 0x43,  frm16F7X7),
    Mid("PIC16C765",  14, 8192, 0,   0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16C745,  0x3F3F, 0,     frm16C745),
    Mid("PIC16F767",  14, 8192, 0,   0x2007, 0x2008, 0x2000, 0,     0,      0,      false, false, 6, kBits16F7X7,  0x39FF, 0x43,  frm16F7X7),
    Mid("PIC16F777",  14, 8192, 0,   0x2007, 0x2008, 0x2000, 0,     0,      0,      false, false, 6, kBits16F7X7,  0x39FF, 0x43,  frm16F7X7),
    Mid("PIC16F785",  14, 2048, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0x2009, false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    Mid("PIC16HV785", 14, 2048, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0x2009, false, false, 2, kBits12F635,  0xFFF,  0,     frm12F635),
    Mid("PIC16F818",  14, 1024, 128, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F628A, 0x3FFF, 0,     frm16F627A),
    Mid("PIC16F819",  14, 2048, 256, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F628A, 0x3FFF, 0,     frm16F627A),
    Mid("PIC16F870",  14, 2048, 64,  0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877,  0x3BFF, 0,     frm16F876),
    Mid("PIC16F871",  14, 2048, 64,  0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877,  0x3BFF, 0,     frm16F876),
    Mid("PIC16F872",  14, 2048, 64,  0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877,  0x3BFF, 0,     frm16F876),
    Mid("PIC16F873",  14, 4096, 128, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877,  0x3BFF, 0,     frm16F876),
    Mid("PIC16F873A", 14, 4096, 128, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877A, 0x2FCF, 0,     frm16F876),
    Mid("PIC16F874",  14, 4096, 128, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877,  0x3BFF, 0,     frm16F876),
    Mid("PIC16F874A", 14, 4096, 128, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877A, 0x2FCF, 0,     frm16F876),
    Mid("PIC16F876",  14, 8192, 256, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877,  0x3BFF, 0,     frm16F876),
    Mid("PIC16F876A", 14, 8192, 256, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877A, 0x2FCF, 0,     frm16F876),
    Mid("PIC16F877",  14, 8192, 256, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877,  0x3BFF, 0,     frm16F876),
    Mid("PIC16F877A", 14, 8192, 256, 0x2007, 0,      0x2000, 0,     0,      0,      false, false, 0, kBits16F877A, 0x2FCF, 0,     frm16F876),
    Mid("PIC16F882",  14, 2048, 128, 0x2007, 0x2008, 0x2000, 0,     0x2009, 0,      false, false, 2, kBits12F635,  0x3FFF, 0x700, frm16F88X),
    Mid("PIC16F883",  14, 4096, 256, 0x2007, 0x2008, 0x2000, 0,     0x2009, 0,      false, false, 2, kBits12F635,  0x3FFF, 0x700, frm16F88X),
    Mid("PIC16F884",  14, 4096, 256, 0x2007, 0x2008, 0x2000, 0,     0x2009, 0,      false, false, 2, kBits12F635,  0x3FFF, 0x700, frm16F88X),
    Mid("PIC16F886",  14, 8192, 256, 0x2007, 0x2008, 0x2000, 0,     0x2009, 0,      false, false, 2, kBits12F635,  0x3FFF, 0x700, frm16F88X),
    Mid("PIC16F887",  14, 8192, 256, 0x2007, 0x2008, 0x2000, 0,     0x2009, 0,      false, false, 2, kBits12F635,  0x3FFF, 0x700, frm16F88X),
    Mid("PIC16F913",  14, 4096, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0x2009, false, false, 2, kBits12F635,  0x1FFF, 0,     frm12F635),
    Mid("PIC16F914",  14, 4096, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0x2009, false, false, 2, kBits12F635,  0x1FFF, 0,     frm12F635),
    Mid("PIC16F916",  14, 8192, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0x2009, false, false, 2, kBits12F635,  0x1FFF, 0,     frm12F635),
    Mid("PIC16F917",  14, 8192, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0x2009, false, false, 2, kBits12F635,  0x1FFF, 0,     frm12F635),
    Mid("PIC16F946",  14, 8192, 256, 0x2007, 0,      0x2000, 0,     0x2008, 0x2009, false, false, 2, kBits12F635,  0x1FFF, 0,     frm12F635),
    // PIC18
    Pic18("PIC18F242-2439", 8192,  256,  {0x2700, 0x0F0F, 0x0100, 0x0085, 0xC003, 0xE003, 0x4003}, frm18FXX2),
    Pic18("PIC18F248",      8192,  256,  {0x2700, 0x0F0F, 0x0000, 0x0085, 0xC003, 0xE003, 0x4003}, frm18FXX2),
    Pic18("PIC18F252-2539", 16384, 256,  {0x2700, 0x0F0F, 0x0100, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FXX2),
    Pic18("PIC18F258",      16384, 256,  {0x2700, 0x0F0F, 0x0000, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FXX2),
    Pic18("PIC18F442-4439", 8192,  256,  {0x2700, 0x0F0F, 0x0100, 0x0085, 0xC003, 0xE003, 0x4003}, frm18FXX2),
    Pic18("PIC18F448",      8192,  256,  {0x2700, 0x0F0F, 0x0000, 0x0085, 0xC003, 0xE003, 0x4003}, frm18FXX2),
    Pic18("PIC18F452-4539", 16384, 256,  {0x2700, 0x0F0F, 0x0100, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FXX2),
    Pic18("PIC18F458",      16384, 256,  {0x2700, 0x0F0F, 0x0000, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FXX2),
    Pic18("PIC18F1220",     2048,  256,  {0xCF00, 0x1F0F, 0x8000, 0x0085, 0xC003, 0xE003, 0x4003}, frm18FX220),
    Pic18("PIC18F1230",     2048,  128,  {0xCF00, 0x1F1F, 0x890E, 0x00F1, 0xC003, 0xE003, 0x4003}, frm18F1X30),
    Pic18("PIC18F1320",     4096,  256,  {0xCF00, 0x1F0F, 0x8000, 0x0085, 0xC003, 0xE003, 0x4003}, frm18FX220),
    Pic18("PIC18F1330",     4096,  128,  {0xCF00, 0x1F1F, 0x890E, 0x00F1, 0xC003, 0xE003, 0x4003}, frm18F1X30),
    Pic18("PIC18F1330-ICD", 4096,  128,  {0xCF00, 0x1F1F, 0x890E, 0x00F1, 0xC003, 0xE003, 0x4003}, frm18F1X30),
    Pic18("PIC18F2220",     2048,  256,  {0xCF00, 0x1F0F, 0x8300, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FX220),
    Pic18("PIC18F2221",     2048,  256,  {0xCF00, 0x1F1F, 0x8700, 0x00F5, 0xC003, 0xE003, 0x4003}, frm18F2221),
    Pic18("PIC18F2320",     4096,  256,  {0xCF00, 0x1F0F, 0x8300, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FX220),
    Pic18("PIC18F2321",     4096,  256,  {0xCF00, 0x1F1F, 0x8700, 0x00F5, 0xC003, 0xE003, 0x4003}, frm18F2221),
    Pic18("PIC18F2331",     4096,  256,  {0xCF00, 0x3F0F, 0x9D3C, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FXX31),
    Pic18("PIC18F2410",     8192,  0,    {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0x4003, 0x6003, 0x4003}, frm18F2221),
    Pic18("PIC18F2420",     8192,  256,  {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC003, 0xE003, 0x4003}, frm18F2221),
    Pic18("PIC18F2423",     8192,  256,  {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC003, 0xE003, 0x4003}, frm18F2221),
    Pic18("PIC18F2431",     8192,  256,  {0xCF00, 0x3F0F, 0x9D3C, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FXX31),
    Pic18("PIC18F2450",     8192,  0,    {0xCF3F, 0x1F3F, 0x8600, 0x00CD, 0x4003, 0x6003, 0x4003}, frm18F2450),
    Pic18("PIC18F2455",     12288, 256,  {0xCF3F, 0x1F3F, 0x8700, 0x00C5, 0xC007, 0xE007, 0x4007}, frm18F2450),
    Pic18("PIC18F2458",     12288, 256,  {0xCF3F, 0x1F3F, 0x8700, 0x00C5, 0xC007, 0xE007, 0x4007}, frm18F2450),
    Pic18("PIC18F2480",     8192,  256,  {0xCF00, 0x1F1F, 0x8600, 0x00D5, 0xC003, 0xE003, 0x4003}, frm18F2221),
    Pic18("PIC18F2510",     16384, 0,    {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0x400F, 0x600F, 0x400F}, frm18F2221),
    Pic18("PIC18F2515",     24576, 0,    {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0x4007, 0x6007, 0x4007}, frm18F2221),
    Pic18("PIC18F2520",     16384, 256,  {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC00F, 0xE00F, 0x400F}, frm18F2221),
    Pic18("PIC18F2523",     16384, 256,  {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC00F, 0xE00F, 0x400F}, frm18F2221),
    Pic18("PIC18F2525",     24576, 1024, {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC007, 0xE007, 0x4007}, frm18F2221),
    Pic18("PIC18F2550",     16384, 256,  {0xCF3F, 0x1F3F, 0x8700, 0x00C5, 0xC00F, 0xE00F, 0x400F}, frm18F2450),
    Pic18("PIC18F2553",     16384, 256,  {0xCF3F, 0x1F3F, 0x8700, 0x00C5, 0xC00F, 0xE00F, 0x400F}, frm18F2450),
    Pic18("PIC18F2580",     16384, 256,  {0xCF00, 0x1F1F, 0x8600, 0x00D5, 0xC00F, 0xE00F, 0x400F}, frm18F2221),
    Pic18("PIC18F2585",     24576, 1024, {0xCF00, 0x1F1F, 0x8600, 0x00F5, 0xC007, 0xE007, 0x4007}, frm18F2221),
    Pic18("PIC18F2610",     32768, 0,    {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0x400F, 0x600F, 0x400F}, frm18F2221),
    Pic18("PIC18F2620",     32768, 1024, {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC00F, 0xE00F, 0x400F}, frm18F2221),
    Pic18("PIC18F2680",     32768, 1024, {0xCF00, 0x1F1F, 0x8600, 0x00F5, 0xC00F, 0xE00F, 0x400F}, frm18F2221),
    Pic18("PIC18F2682",     40960, 1024, {0xCF00, 0x1F1F, 0x8600, 0x00F5, 0xC01F, 0xE01F, 0x401F}, frm18F2221),
    Pic18("PIC18F2685",     49152, 1024, {0xCF00, 0x1F1F, 0x8600, 0x00F5, 0xC03F, 0xE03F, 0x403F}, frm18F2221),
    Pic18("PIC18F4220",     2048,  256,  {0xCF00, 0x1F0F, 0x8300, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FX220),
    Pic18("PIC18F4221",     2048,  256,  {0xCF00, 0x1F1F, 0x8700, 0x00F5, 0xC003, 0xE003, 0x4003}, frm18F2221),
    Pic18("PIC18F4320",     4096,  256,  {0xCF00, 0x1F0F, 0x8300, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FX220),
    Pic18("PIC18F4321",     4096,  256,  {0xCF00, 0x1F1F, 0x8700, 0x00F5, 0xC003, 0xE003, 0x4003}, frm18F2221),
    Pic18("PIC18F4331",     4096,  256,  {0xCF00, 0x3F0F, 0x9D3C, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FXX31),
    Pic18("PIC18F4410",     8192,  0,    {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0x4003, 0x6003, 0x4003}, frm18F2221),
    Pic18("PIC18F4420",     8192,  256,  {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC003, 0xE003, 0x4003}, frm18F2221),
    Pic18("PIC18F4423",     8192,  256,  {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC003, 0xE003, 0x4003}, frm18F2221),
    Pic18("PIC18F4431",     8192,  256,  {0xCF00, 0x3F0F, 0x9D3C, 0x0085, 0xC00F, 0xE00F, 0x400F}, frm18FXX31),
    Pic18("PIC18F4450",     8192,  0,    {0xCF3F, 0x1F3F, 0x8600, 0x00ED, 0x4003, 0x6003, 0x4003}, frm18F2450),
    Pic18("PIC18F4455",     12288, 256,  {0xCF3F, 0x1F3F, 0x8700, 0x00E5, 0xC007, 0xE007, 0x4007}, frm18F2450),
    Pic18("PIC18F4458",     12288, 256,  {0xCF3F, 0x1F3F, 0x8700, 0x00E5, 0xC007, 0xE007, 0x4007}, frm18F2450),
    Pic18("PIC18F4480",     8192,  256,  {0xCF00, 0x1F1F, 0x8600, 0x00D5, 0xC003, 0xE003, 0x4003}, frm18F2221),
    Pic18("PIC18F4510",     16384, 0,    {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0x400F, 0x600F, 0x400F}, frm18F2221),
    Pic18("PIC18F4515",     24576, 0,    {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0x4007, 0x6007, 0x4007}, frm18F2221),
    Pic18("PIC18F4520",     16384, 256,  {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC00F, 0xE00F, 0x400F}, frm18F2221),
    Pic18("PIC18F4523",     16384, 256,  {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC00F, 0xE00F, 0x400F}, frm18F2221),
    Pic18("PIC18F4525",     24576, 1024, {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC007, 0xE007, 0x4007}, frm18F2221),
    Pic18("PIC18F4550",     16384, 256,  {0xCF3F, 0x1F3F, 0x8700, 0x00E5, 0xC00F, 0xE00F, 0x400F}, frm18F2450),
    Pic18("PIC18F4553",     16384, 256,  {0xCF3F, 0x1F3F, 0x8700, 0x00E5, 0xC00F, 0xE00F, 0x400F}, frm18F2450),
    Pic18("PIC18F4580",     16384, 256,  {0xCF00, 0x1F1F, 0x8600, 0x00D5, 0xC00F, 0xE00F, 0x400F}, frm18F2221),
    Pic18("PIC18F4585",     24576, 1024, {0xCF00, 0x1F1F, 0x8600, 0x00F5, 0xC007, 0xE007, 0x4007}, frm18F2221),
    Pic18("PIC18F4610",     32768, 0,    {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0x400F, 0x600F, 0x400F}, frm18F2221),
    Pic18("PIC18F4620",     32768, 1024, {0xCF00, 0x1F1F, 0x8700, 0x00C5, 0xC00F, 0xE00F, 0x400F}, frm18F2221),
    Pic18("PIC18F4680",     32768, 1024, {0xCF00, 0x1F1F, 0x8600, 0x00F5, 0xC00F, 0xE00F, 0x400F}, frm18F2221),
    Pic18("PIC18F4682",     40960, 1024, {0xCF00, 0x1F1F, 0x8600, 0x00F5, 0xC01F, 0xE01F, 0x401F}, frm18F2221),
    Pic18("PIC18F4685",     49152, 1024, {0xCF00, 0x1F1F, 0x8600, 0x00F5, 0xC03F, 0xE03F, 0x403F}, frm18F2221),
    Pic18("PIC18F6310",     4096,  0,    {0xCF00, 0x1F1F, 0x8500, 0x00C1, 0x0001, 0x0000, 0x0000}, frm18F6X9X),
    Pic18("PIC18F6390",     4096,  0,    {0xCF00, 0x1F1F, 0x8500, 0x00C1, 0x0001, 0x0000, 0x0000}, frm18F6X9X),
    Pic18("PIC18F6393",     4096,  0,    {0xCF00, 0x1F1F, 0x8500, 0x00C1, 0x0001, 0x0000, 0x0000}, frm18F6X9X),
    Pic18("PIC18F6410",     8192,  0,    {0xCF00, 0x1F1F, 0x8500, 0x00C1, 0x0001, 0x0000, 0x0000}, frm18F6X9X),
    Pic18("PIC18F6490",     8192,  0,    {0xCF00, 0x1F1F, 0x8500, 0x00C1, 0x0001, 0x0000, 0x0000}, frm18F6X9X),
    Pic18("PIC18F6493",     8192,  0,    {0xCF00, 0x1F1F, 0x8500, 0x00C1, 0x0001, 0x0000, 0x0000}, frm18F6X9X),
    Pic18("PIC18F8310",     4096,  0,    {0xCF00, 0x1F1F, 0x85C3, 0x00C1, 0x0001, 0x0000, 0x0001}, frm18F6X9X),
    Pic18("PIC18F8390",     4096,  0,    {0xCF00, 0x1F1F, 0x8500, 0x00C1, 0x0001, 0x0000, 0x0000}, frm18F6X9X),
    Pic18("PIC18F8393",     4096,  0,    {0xCF00, 0x1F1F, 0x8500, 0x00C1, 0x0001, 0x0000, 0x0000}, frm18F6X9X),
    Pic18("PIC18F8410",     8192,  0,    {0xCF00, 0x1F1F, 0x85C3, 0x00C1, 0x0001, 0x0000, 0x0001}, frm18F6X9X),
    Pic18("PIC18F8490",     8192,  0,    {0xCF00, 0x1F1F, 0x8500, 0x00C1, 0x0001, 0x0000, 0x0000}, frm18F6X9X),
    Pic18("PIC18F8493",     8192,  0,    {0xCF00, 0x1F1F, 0x8500, 0x00C1, 0x0001, 0x0000, 0x0000}, frm18F6X9X),
    // dsPIC30
    Pic30("PIC30F2010",  4096,  1024, 0x7FFC00, kMasks30A),
    Pic30("PIC30F2011",  4096,  0,    0,        kMasks30B),
    Pic30("PIC30F2012",  4096,  0,    0,        kMasks30B),
    Pic30("PIC30F3010",  8192,  1024, 0x7FFC00, kMasks30B),
    Pic30("PIC30F3011",  8192,  1024, 0x7FFC00, kMasks30B),
    Pic30("PIC30F3012",  8192,  1024, 0x7FFC00, kMasks30B),
    Pic30("PIC30F3013",  8192,  1024, 0x7FFC00, kMasks30B),
    Pic30("PIC30F3014",  8192,  1024, 0x7FFC00, kMasks30B),
    Pic30("PIC30F4011",  16384, 1024, 0x7FFC00, kMasks30A),
    Pic30("PIC30F4012",  16384, 1024, 0x7FFC00, kMasks30A),
    Pic30("PIC30F4013",  16384, 1024, 0x7FFC00, kMasks30B),
    Pic30("PIC30F5011",  22528, 1024, 0x7FFC00, kMasks30A, true),
    Pic30("PIC30F5013",  22528, 1024, 0x7FFC00, kMasks30A, true),
    Pic30("PIC30F5015",  22528, 1024, 0x7FFC00, kMasks30B),
    Pic30("PIC30F5016",  22528, 1024, 0x7FFC00, kMasks30B),
    Pic30("PIC30F6010",  49152, 4096, 0x7FF000, kMasks30A),
    Pic30("PIC30F6010A", 49152, 4096, 0x7FF000, kMasks30B),
    Pic30("PIC30F6011",  45056, 2048, 0x7FF800, kMasks30A),
    Pic30("PIC30F6011A", 45056, 2048, 0x7FF800, kMasks30B),
    Pic30("PIC30F6012",  49152, 4096, 0x7FF000, kMasks30A),
    Pic30("PIC30F6012A", 49152, 4096, 0x7FF000, kMasks30B),
    Pic30("PIC30F6013",  45056, 2048, 0x7FF800, kMasks30A),
    Pic30("PIC30F6013A", 45056, 2048, 0x7FF800, kMasks30B),
    Pic30("PIC30F6014",  49152, 4096, 0x7FF000, kMasks30A),
    Pic30("PIC30F6014A", 49152, 4096, 0x7FF000, kMasks30B),
    Pic30("PIC30F6015",  49152, 4096, 0x7FF000, kMasks30B),
  };
  // clang-format on
  return rows;
}

}  // namespace

const std::vector<DeviceRow>& DeviceTable() {
  return Rows();
}

const DeviceRow* FindDevice(std::string_view name) {
  for (const DeviceRow& r : Rows())
    if (name == r.Name) return &r;
  return nullptr;
}

const DeviceRow& UnknownDevice() {
  return Rows().front();
}

Family FamilyOf(std::string_view n) {
  if (n.size() < 5) return Family::Unknown;
  const std::string_view f = n.substr(3, 2);
  if (f == "10") return Family::PIC10;
  if (f == "12") return Family::PIC12;
  if (f == "16") return Family::PIC16;
  if (f == "18") return Family::PIC18;
  if (f == "30") return Family::PIC30;
  return Family::Unknown;
}

std::string_view FamilyCaption(Family f) {
  switch (f) {
    case Family::PIC10:
      return "PIC10";
    case Family::PIC12:
      return "PIC12";
    case Family::PIC16:
      return "PIC16";
    case Family::PIC18:
      return "PIC18";
    case Family::PIC30:
      return "dsPIC30";
    default:
      return "UNKNOWN";
  }
}

std::vector<std::string> FillDeviceList(Family f) {
  std::vector<std::string> out;
  for (const DeviceRow& r : Rows())
    if (r.family == f) out.emplace_back(r.Name);
  return out;
}

void SelectDevice(Session& s, const std::string& deviceName) {
  const DeviceRow* row = FamilyOf(deviceName) == Family::Unknown ? nullptr : FindDevice(deviceName);
  if (!row) row = &UnknownDevice();
  // Every parameter comes from the row, so nothing of the device selected before remains.
  static_cast<DeviceRow&>(s.dev) = *row;
  s.dev.DeviceName = row->Name;
  SizeBuffers(s);
  InitWindows(s);
}

void SetConfigsDefaults(Session& s) {
  const Family family = FamilyOf(s.dev.DeviceName);
  const DeviceRow* row = FindDevice(s.dev.DeviceName);
  const bool known = row && (family == Family::PIC18 || family == Family::PIC30);
  for (size_t k = 0; k < 7; ++k) {
    s.cfg.ConfigMask[k] = known ? row->ConfigMasks[k] : 0xFFFF;
    if (family == Family::PIC30) s.cfg.CSumMask30[k] = known ? row->CSumMasks30[k] : 0xFFFF;
    s.cfg.Config[k + 1] &= s.cfg.ConfigMask[k];
  }
}

}  // namespace krv
