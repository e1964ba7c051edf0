#pragma once
// Device parameters: one complete row per device of the catalogue. The selected device's
// row is copied into the session by SelectDevice.
#include <array>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

namespace krv {

enum class Family { Unknown, PIC10, PIC12, PIC16, PIC18, PIC30 };

// The configuration dialogs, one per family of configuration-word layouts, each with its
// kind: Word (12/14-bit configuration words), Pic18, or Frm30F (a dialog of its own).
// clang-format off
#define KRV_DIALOGS(X)                                                                       \
  X(frm10F20X, Word) X(frm10F22X, Word) X(frm12F50X, Word) X(frm12F510, Word)                \
  X(frm12F629, Word) X(frm12F635, Word) X(frm16C745, Word) X(frm16F54, Word)                 \
  X(frm16f505, Word) X(frm16F627A, Word) X(frm16F7X7, Word) X(frm16F876, Word)               \
  X(frm16F88X, Word) X(frm18FXX2, Pic18) X(frm18F2450, Pic18) X(frm18FXX31, Pic18)           \
  X(frm18F6X9X, Pic18) X(frm18F2221, Pic18) X(frm18F1X30, Pic18) X(frm18FX220, Pic18)        \
  X(frm30F, Frm30F)
// clang-format on

enum class DialogId {
#define KRV_DIALOG_ID(name, kind) name,
  KRV_DIALOGS(KRV_DIALOG_ID)
#undef KRV_DIALOG_ID
};

inline constexpr std::string_view kDialogNames[] = {
#define KRV_DIALOG_NAME(name, kind) #name,
    KRV_DIALOGS(KRV_DIALOG_NAME)
#undef KRV_DIALOG_NAME
};
inline constexpr int kDialogCount = static_cast<int>(std::size(kDialogNames));

// "frm16F54" etc.
constexpr std::string_view DialogName(DialogId id) {
  return kDialogNames[static_cast<int>(id)];
}

struct DeviceRow {
  const char* Name;  // "PIC16F84A", "PIC18F242-2439", "PIC30F6014A"; "PICunknown"
  Family family;
  int CoreWidth;  // 12, 14, 16 (PIC18) or 24 (dsPIC30)
  // Program memory: words (12/14-bit), bytes/2 (PIC18: the buffer holds 2 x CodeSize
  // bytes), instructions (dsPIC30).
  int32_t CodeSize;
  int32_t DataSize;     // data EEPROM in bytes
  int32_t ExecSize;     // dsPIC30 programming-executive area in instructions (0 elsewhere)
  int32_t DataStart30;  // dsPIC30: 0x800000 - DataSize, 0 without EEPROM
  // Addresses shown by the 12/14-bit dialogs (0 where the part lacks the word).
  int32_t ConfigAddress;
  int32_t Config1Address;
  int32_t UserIDAddress;
  int32_t OscCalAddress;
  int32_t Calib1Address;
  int32_t Calib2Address;
  bool HasOscCal;
  bool HasBandGap;
  // The erase sequence of the part: 0 a plain bulk erase; 1 a bulk erase that keeps the
  // OscCal word (12-bit parts: the last program word) and its backup copy after the IDs;
  // 2 the erase that keeps the OscCal word, the BandGap bits and the calibration words;
  // 6 the erase of the PIC16F7X7 parts; 30 the dsPIC30 erase.
  int EraseAlgorithm;
  // dsPIC30: the erase first writes 0x0000 into the configuration registers at 0xF80006
  // and 0xF80008, before the bulk erase.
  bool EraseClearsConfig4And5;
  // Bits of the configuration word that hold each function (0 where the part lacks it).
  uint16_t CPBit, CPDBit, MCLREBit, WDTEBit, PWRTEBit, BODENBit, OscBits;
  // Implemented bits of ConfigWord and of the second configuration word (12/14-bit):
  // what counts in the checksum.
  uint16_t ConfigImplMask;
  uint16_t Config1ImplMask;
  // Implemented bits of Config1..Config7 (PIC18, dsPIC30), set by SetConfigsDefaults, and
  // the bits of each dsPIC30 register that count in the checksum.
  std::array<uint16_t, 7> ConfigMasks;
  std::array<uint16_t, 7> CSumMasks30;
  DialogId ConfigForm;

  bool IsDsPic30() const { return CoreWidth == 24; }
  bool operator==(const DeviceRow&) const = default;
};

// The selected device: its name and a copy of its row.
struct DeviceParams : DeviceRow {
  std::string DeviceName = "PICunknown";

  // Mid(DeviceName, 6): "F628A", "F242-2439", "F6014A".
  std::string Key() const { return DeviceName.size() > 5 ? DeviceName.substr(5) : std::string(); }
};

}  // namespace krv
