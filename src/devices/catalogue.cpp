// Placeholder catalogue: a handful of rows until the full device table lands.
#include "devices/catalogue.h"

#include "buffers/buffers.h"
#include "shell/session.h"

namespace krv {

namespace {
constexpr std::array<uint16_t, 7> kNoMasks{};
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
    {"PIC16F84A", Family::PIC16,
     14,          1024,
     64,          0,
     0,           0x2007,
     0,           0x2000,
     0,           0,
     0,           false,
     false,       0,
     0,           0,
     0,           0,
     0,           0,
     0,           0x3FFF,
     0,           kNoMasks,
     kNoMasks,    DialogId::frm16F54},
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
    {"PIC30F4013",
     Family::PIC30,
     24,
     16384,
     1024,
     736,
     0x7FFC00,
     0,
     0,
     0,
     0,
     0,
     0,
     false,
     false,
     30,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     {0xC71F, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003},
     {0xC100, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003},
     DialogId::frm30F},
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
