// Placeholder catalogue: a handful of rows until the full device table lands.
#include "devices/catalogue.h"

#include "buffers/buffers.h"
#include "shell/session.h"

namespace krv {

namespace {
constexpr std::array<uint16_t, 7> kNoMasks{};

// Rows of the configuration dialogs' devices, with the values those dialogs read.
DeviceRow Row(const char* name, Family family, int coreWidth, int32_t codeSize, int32_t dataSize,
              DialogId form) {
  DeviceRow r{};
  r.Name = name;
  r.family = family;
  r.CoreWidth = coreWidth;
  r.CodeSize = codeSize;
  r.DataSize = dataSize;
  r.ConfigForm = form;
  return r;
}

DeviceRow Pic16(const char* name, int coreWidth, int32_t codeSize, int32_t dataSize,
                int32_t configAddress, int32_t userIdAddress) {
  DeviceRow r = Row(name, Family::PIC16, coreWidth, codeSize, dataSize, DialogId::frm16F54);
  r.ConfigAddress = configAddress;
  r.UserIDAddress = userIdAddress;
  r.ConfigImplMask = coreWidth == 12 ? 0x0FFF : 0x3FFF;
  return r;
}

DeviceRow Pic18(const char* name, int32_t codeSize, int32_t dataSize,
                std::array<uint16_t, 7> masks) {
  DeviceRow r = Row(name, Family::PIC18, 16, codeSize, dataSize, DialogId::frm18FXX2);
  r.ConfigMasks = masks;
  return r;
}

DeviceRow Pic30(const char* name, int32_t codeSize, int32_t dataSize, uint16_t config1Mask) {
  DeviceRow r = Row(name, Family::PIC30, 24, codeSize, dataSize, DialogId::frm30F);
  r.ExecSize = 736;
  r.DataStart30 = dataSize ? 0x800000 - dataSize : 0;
  r.EraseAlgorithm = 30;
  r.ConfigMasks = {config1Mask, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};
  r.CSumMasks30 = {0xC100, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};
  return r;
}

constexpr std::array<uint16_t, 7> k18FXX2TwoBlocks{0x2700, 0x0F0F, 0x0100, 0x0085,
                                                   0xC003, 0xE003, 0x4003};
constexpr std::array<uint16_t, 7> k18FXX2FourBlocks{0x2700, 0x0F0F, 0x0100, 0x0085,
                                                    0xC00F, 0xE00F, 0x400F};
constexpr std::array<uint16_t, 7> k18FXX8TwoBlocks{0x2700, 0x0F0F, 0x0000, 0x0085,
                                                   0xC003, 0xE003, 0x4003};
constexpr std::array<uint16_t, 7> k18FXX8FourBlocks{0x2700, 0x0F0F, 0x0000, 0x0085,
                                                    0xC00F, 0xE00F, 0x400F};

const std::vector<DeviceRow> kRows = {
    {"PICunknown",
     Family::Unknown,
     14,
     1024,
     64,
     0,
     0,
     0x2007,
     0,
     0x2000,
     0,
     0,
     0,
     false,
     false,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0x3FFF,
     0,
     kNoMasks,
     kNoMasks,
     DialogId::frm16F54},
    {"PIC18F452-4539",
     Family::PIC18,
     16,
     16384,
     256,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     false,
     false,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     {0x2700, 0x0F0F, 0x0100, 0x0085, 0xC00F, 0xE00F, 0x400F},
     kNoMasks,
     DialogId::frm18FXX2},
    Pic30("PIC30F4013", 16384, 1024, 0xC71F),
    Pic30("PIC30F2010", 4096, 1024, 0xC30F),
    Pic16("PIC16F54", 12, 512, 0, 0x3FF, 0x200),
    Pic16("PIC16F57", 12, 2048, 0, 0x7FF, 0x400),
    Pic16("PIC16F59", 12, 2048, 0, 0x7FF, 0x400),
    Pic16("PIC16F716", 14, 2048, 0, 0x2007, 0x2000),
    Pic16("PIC16F72", 14, 2048, 0, 0x2007, 0x2000),
    Pic16("PIC16F73", 14, 4096, 0, 0x2007, 0x2000),
    Pic16("PIC16F74", 14, 4096, 0, 0x2007, 0x2000),
    Pic16("PIC16F76", 14, 8192, 0, 0x2007, 0x2000),
    Pic16("PIC16F77", 14, 8192, 0, 0x2007, 0x2000),
    Pic16("PIC16F83", 14, 512, 64, 0x2007, 0x2000),
    Pic16("PIC16F84", 14, 1024, 64, 0x2007, 0x2000),
    Pic16("PIC16F84A", 14, 1024, 64, 0x2007, 0x2000),
    Pic18("PIC18F242-2439", 8192, 256, k18FXX2TwoBlocks),
    Pic18("PIC18F248", 8192, 256, k18FXX8TwoBlocks),
    Pic18("PIC18F252-2539", 16384, 256, k18FXX2FourBlocks),
    Pic18("PIC18F258", 16384, 256, k18FXX8FourBlocks),
    Pic18("PIC18F442-4439", 8192, 256, k18FXX2TwoBlocks),
    Pic18("PIC18F448", 8192, 256, k18FXX8TwoBlocks),
    Pic18("PIC18F458", 16384, 256, k18FXX8FourBlocks),
};
}  // namespace

std::string_view DialogName(DialogId id) {
  static constexpr const char* kNames[] = {
      "frm10F20X",  "frm10F22X",  "frm12F50X",  "frm12F510",  "frm12F629",  "frm12F635",
      "frm16C745",  "frm16F54",   "frm16f505",  "frm16F627A", "frm16F7X7",  "frm16F876",
      "frm16F88X",  "frm18FXX2",  "frm18F2450", "frm18FXX31", "frm18F6X9X", "frm18F2221",
      "frm18F1X30", "frm18FX220", "frm30F"};
  return kNames[static_cast<int>(id)];
}

const std::vector<DeviceRow>& DeviceTable() {
  return kRows;
}

const DeviceRow* FindDevice(std::string_view name) {
  for (const DeviceRow& r : kRows)
    if (name == r.Name) return &r;
  return nullptr;
}

const DeviceRow& UnknownDevice() {
  return kRows.front();
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
  for (const DeviceRow& r : kRows)
    if (r.family == f) out.emplace_back(r.Name);
  return out;
}

void SelectDevice(Session& s, const std::string& deviceName) {
  const DeviceRow* row = FamilyOf(deviceName) == Family::Unknown ? nullptr : FindDevice(deviceName);
  if (!row) row = &UnknownDevice();
  static_cast<DeviceRow&>(s.dev) = *row;
  s.dev.DeviceName = row->Name;
  InitWindows(s);
}

void SetConfigsDefaults(Session& s) {
  const bool known = s.dev.family == Family::PIC18 || s.dev.family == Family::PIC30;
  for (int k = 0; k < 7; ++k) {
    s.cfg.ConfigMask[k] = known ? s.dev.ConfigMasks[k] : 0xFFFF;
    if (s.dev.family == Family::PIC30) s.cfg.CSumMask30[k] = s.dev.CSumMasks30[k];
    s.cfg.Config[k + 1] &= s.cfg.ConfigMask[k];
  }
}

}  // namespace krv
