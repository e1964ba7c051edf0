#pragma once
// The programmer's command table: only the commands whose code, argument bytes and answer
// are known. A 0x00 where a code is expected ends a report's command list.
#include <cstdint>
#include <optional>

namespace krv {

struct CommandInfo {
  uint8_t code;
  const char* name;
  int argBytes;  // fixed number of argument bytes after the code
  bool answers;  // produces one 8-byte answer report
};

// nullopt for 0x00 (end of list) and for codes not in the table.
std::optional<CommandInfo> FindCommand(uint8_t code);

}  // namespace krv
