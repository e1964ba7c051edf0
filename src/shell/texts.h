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

// Further texts (menus, toolbar, dialogs, file messages) are listed here.
#define KRV_TEXTS_MORE(X)                             \
  /* configuration dialogs */                         \
  X(CfgEditorMissing, "Messages", "CfgEditorMissing", \
    "The configuration editor for this device family is not available yet.")

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
