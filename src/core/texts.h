#pragma once
// Every text shown to the user, with its English default, in one table. A text is read
// from the language file at the moment of use, so a missing file, section or key, or an
// empty value, gives the default.
#include <string>
#include <string_view>

namespace krv {

// KRV_TEXT(id, section, key, English default)
// Keys Msg1..Msg105 are the stored language files' own numbering: never give one of them a
// new meaning. Texts of our own take named keys.
#define KRV_TEXTS(X)                                                                        \
  X(Msg1, "Messages", "Msg1", "Programmer not found. Connect the KRV330 and try again.")    \
  X(Msg2, "Messages", "Msg2", "Application already running")                                \
  X(Msg3, "Messages", "Msg3", "Do you want cancel the actual action?")                      \
  X(Msg8, "Messages", "Msg8", "User was cancel the action!")                                \
  X(Msg9, "Messages", "Msg9", "TimeOut. Please, reconnect the programmer!!")                \
  X(Msg25, "Messages", "Msg25", "Reading CODE...")                                          \
  X(Msg26, "Messages", "Msg26", "Reading DATA...")                                          \
  X(Msg27, "Messages", "Msg27", "Reading ICSP code...")                                     \
  X(Msg28, "Messages", "Msg28", "CODE read: ")                                              \
  X(Msg29, "Messages", "Msg29", "; DATA read: ")                                            \
  X(Msg30, "Messages", "Msg30", "Verify O.K.")                                              \
  X(Msg31, "Messages", "Msg31", "Verifying CODE...")                                        \
  X(Msg32, "Messages", "Msg32", "Verifying DATA...")                                        \
  X(Msg33, "Messages", "Msg33", "Verifying ICSP code...")                                   \
  X(Msg35, "Messages", "Msg35", "Writing CODE...")                                          \
  X(Msg36, "Messages", "Msg36", "Writing DATA...")                                          \
  X(Msg37, "Messages", "Msg37", "Writing ICSP...")                                          \
  X(Msg38, "Messages", "Msg38", "Writing and verifying CODE...")                            \
  X(Msg39, "Messages", "Msg39", "Writing and verifying DATA...")                            \
  X(Msg40, "Messages", "Msg40", "Writing and verifying ICSP...")                            \
  X(Msg45, "Messages", "Msg45", "CODE written:")                                            \
  X(Msg46, "Messages", "Msg46", ", DATA written:")                                          \
  X(Msg50, "Messages", "Msg50", "CODE error in 0x")                                         \
  X(Msg51, "Messages", "Msg51", "-> Read: 0x")                                              \
  X(Msg51Config, "Messages", "Msg51", "->Read: 0x")                                         \
  X(Msg52, "Messages", "Msg52", "; Verifiyed: 0x")                                          \
  X(Msg53, "Messages", "Msg53", "DATA error in")                                            \
  X(Msg54, "Messages", "Msg54", "ICSP error in")                                            \
  X(Msg55, "Messages", "Msg55", "Verify ERROR.")                                            \
  X(Msg62, "Messages", "Msg62", "Config1 error.")                                           \
  X(Msg63, "Messages", "Msg63", "Config2 error.")                                           \
  X(Msg64, "Messages", "Msg64", "Config3 error.")                                           \
  X(Msg65, "Messages", "Msg65", "Config4 error.")                                           \
  X(Msg66, "Messages", "Msg66", "Config5 error.")                                           \
  X(Msg67, "Messages", "Msg67", "Config6 error.")                                           \
  X(Msg68, "Messages", "Msg68", "Config7 error.")                                           \
  X(Msg80, "Messages", "Msg80", "ERASED.")                                                  \
  X(Msg81, "Messages", "Msg81", "Erasing")                                                  \
  X(NoChipOps, "Messages", "NoChipOps",                                                     \
    "Read, verify, write and erase are not available for PIC10, PIC12, PIC16 and PIC18 "    \
    "devices in this version. Nothing was sent to the programmer.")                         \
  X(SettingsNotSaved, "Messages", "SettingsNotSaved", "The settings could not be saved to") \
  KRV_TEXTS_MORE(X)

// Further texts, one block per subsystem.
#define KRV_TEXTS_MORE(X) KRV_TEXTS_SHELL(X) KRV_TEXTS_BUFFERS(X)

// Application shell: main window, menus, toolbar, settings and about dialogs.
#define KRV_TEXTS_SHELL(X)                                                                  \
  X(ViewCode, "Messages", "ViewCode", "Program memory")                                     \
  X(ViewData, "Messages", "ViewData", "Data EEPROM")                                        \
  X(ViewIcsp, "Messages", "ViewIcsp", "ICSP code")                                          \
  X(HexFiles, "Messages", "HexFiles", "Intel HEX files")                                    \
  X(OpenHexTitle, "Messages", "OpenHexTitle", "Open HEX file")                              \
  X(SaveHexTitle, "Messages", "SaveHexTitle", "Save HEX file")                              \
  X(MenuFile, "Menu", "File", "&File")                                                      \
  X(MenuFileOpen, "Menu", "FileOpen", "&Open...")                                           \
  X(MenuFileSave, "Menu", "FileSave", "&Save...")                                           \
  X(MenuFileUpdate, "Menu", "FileUpdate", "&Update")                                        \
  X(MenuFileExit, "Menu", "FileExit", "E&xit")                                              \
  X(MenuDevice, "Menu", "Device", "&Device")                                                \
  X(MenuDeviceRead, "Menu", "DeviceRead", "&Read All")                                      \
  X(MenuDeviceVerify, "Menu", "DeviceVerify", "&Verify All")                                \
  X(MenuDeviceWrite, "Menu", "DeviceWrite", "&Write All")                                   \
  X(MenuDeviceErase, "Menu", "DeviceErase", "&Erase All")                                   \
  X(MenuBuffers, "Menu", "Buffers", "&Buffers")                                             \
  X(MenuBuffersClear, "Menu", "BuffersClear", "&Clear")                                     \
  X(MenuBuffersFill, "Menu", "BuffersFill", "&Fill...")                                     \
  X(MenuOptions, "Menu", "Options", "&Options")                                             \
  X(MenuOptionsSettings, "Menu", "OptionsSettings", "&Settings...")                         \
  X(MenuHelp, "Menu", "Help", "&Help")                                                      \
  X(MenuHelpAbout, "Menu", "HelpAbout", "&About...")                                        \
  X(TipOpen, "Toolbar", "Open", "Open a HEX file")                                          \
  X(TipSave, "Toolbar", "Save", "Save the buffers to a HEX file")                           \
  X(TipUpdate, "Toolbar", "Update", "Load the HEX file again")                              \
  X(TipFill, "Toolbar", "Fill", "Fill a range of a buffer")                                 \
  X(TipRead, "Toolbar", "Read", "Read the device")                                          \
  X(TipVerify, "Toolbar", "Verify", "Verify the device against the buffers")                \
  X(TipDevID, "Toolbar", "DevID", "Read ID-REV: chip identification is not available")      \
  X(TipWrite, "Toolbar", "Write", "Write the buffers into the device")                      \
  X(TipErase, "Toolbar", "Erase", "Erase the device")                                       \
  X(TipDetect, "Toolbar", "Detect", "Detect Device: chip identification is not available")  \
  X(TipStop, "Toolbar", "Stop", "Stop the running action")                                  \
  X(TipFamily, "Toolbar", "Family", "Device family")                                        \
  X(TipDevice, "Toolbar", "Device", "Device")                                               \
  X(SettingsCaption, "Settings", "Caption", "Settings")                                     \
  X(SettingsVWhile, "Settings", "VWhile", "Verify while writing")                           \
  X(SettingsVAfter, "Settings", "VAfter", "Verify after writing")                           \
  X(SettingsEEAddrFile18, "Settings", "EEAddrFile18",                                       \
    "PIC18 HEX files: data EEPROM byte n at F00000h + n (not doubled)")                     \
  X(SettingsDelICSP, "Settings", "DelICSP", "dsPIC30: erase the ICSP code area too")        \
  X(SettingsLanguage, "Settings", "Language", "Language:")                                  \
  X(SettingsClose, "Settings", "Close", "Close")                                            \
  X(AboutCaption, "About", "Caption", "About")                                              \
  X(AboutDescription, "About", "Description",                                               \
    "Programmer software for the KRV330 and PIC10/12/16/18 and dsPIC30F microcontrollers.") \
  X(AboutFirmware, "About", "Firmware", "Programmer firmware")                              \
  X(AboutOK, "About", "OK", "OK")

// Buffers: the fill dialog and the HEX files.
#define KRV_TEXTS_BUFFERS(X)                                                                  \
  X(FillCaption, "Fill", "Caption", "Fill buffer")                                            \
  X(FillMemory, "Fill", "Memory", "Memory")                                                   \
  X(FillCode, "Fill", "Code", "CODE")                                                         \
  X(FillData, "Fill", "Data", "DATA")                                                         \
  X(FillIcsp, "Fill", "Icsp", "ICSP code")                                                    \
  X(FillFirst, "Fill", "First", "First address: 0x")                                          \
  X(FillLast, "Fill", "Last", "Last address: 0x")                                             \
  X(FillValue, "Fill", "Value", "Value: 0x")                                                  \
  X(FillRange, "Fill", "Range", "Addresses:")                                                 \
  X(FillOK, "Fill", "OK", "OK")                                                               \
  X(FillCancel, "Fill", "Cancel", "Cancel")                                                   \
  X(FillNoArea, "Fill", "NoArea", "The selected device has no such memory.")                  \
  X(FillBadNumber, "Fill", "BadNumber",                                                       \
    "Enter the first address, the last address and the value as hexadecimal numbers.")        \
  X(FillBadRange, "Fill", "BadRange", "The addresses must lie within")                        \
  X(FillFirstAboveLast, "Fill", "FirstAboveLast",                                             \
    "The first address must not be above the last address.")                                  \
  X(FillOddAddress, "Fill", "OddAddress", "The addresses of this memory must be even.")       \
  X(FillBadValue, "Fill", "BadValue", "The value must not be above")                          \
  X(HexErrorInLine, "Messages", "HexErrorInLine", "HEX file error in line")                   \
  X(HexBadRecord, "Messages", "HexBadRecord", "the line is not an Intel HEX record.")         \
  X(HexBadByteCount, "Messages", "HexBadByteCount",                                           \
    "the byte count does not match the length of the record.")                                \
  X(HexBadChecksum, "Messages", "HexBadChecksum", "the record checksum is wrong.")            \
  X(HexUnknownType, "Messages", "HexUnknownType", "unknown record type.")                     \
  X(HexConflict, "Messages", "HexConflict",                                                   \
    "the record gives a different value to a byte that an earlier record already set.")       \
  X(HexAfterEnd, "Messages", "HexAfterEnd", "the file goes on after its end record.")         \
  X(HexNoEndRecord, "Messages", "HexNoEndRecord", "The HEX file has no end record.")          \
  X(HexEndsAfterLine, "Messages", "HexEndsAfterLine", "It ends after line")                   \
  X(HexNothingLoaded, "Messages", "HexNothingLoaded", "Nothing was loaded.")                  \
  X(HexCannotRead, "Messages", "HexCannotRead", "The HEX file could not be read:")            \
  X(HexTooLarge, "Messages", "HexTooLarge", "The file is too large to be a HEX file:")        \
  X(HexOutsideData, "Messages", "HexOutsideData",                                             \
    "byte(s) of the file lie outside the memory of the selected device and were not loaded. " \
    "The first one is at file address")                                                       \
  X(HexCannotWrite, "Messages", "HexCannotWrite", "The HEX file could not be written:")

enum class TextId {
#define KRV_TEXT_ENUM(id, section, key, def) id,
  KRV_TEXTS(KRV_TEXT_ENUM)
#undef KRV_TEXT_ENUM
      Count
};

struct TextEntry {
  TextId id;
  const char* section;
  const char* key;
  const char* english;
};

// The whole table, in declaration order.
const TextEntry* TextTable(int* count);
const TextEntry& TextInfo(TextId id);

// The text from the language file, or its English default.
std::string Text(const std::string& langFile, TextId id);

}  // namespace krv
