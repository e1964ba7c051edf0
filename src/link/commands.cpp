#include "link/commands.h"

#include "link/link.h"

namespace krv {
namespace {
constexpr CommandInfo kCommands[] = {
    {kCmdEnterProgMode, "CmdEnterProgMode", 0, false},
    {kCmdExitProgMode, "CmdExitProgMode", 0, false},
    {kCmdSix30, "CmdSix30", 3, false},
    {kCmdRegOut30, "CmdRegOut30", 0, true},
    {kCmdNop30, "CmdNop30", 0, false},
    {kCmdReadCode30, "CmdReadCode30", 0, true},
    {kCmdWriteCode30, "CmdWriteCode30", 0, false},
    {kCmdReadData30, "CmdReadData30", 0, true},
    {kCmdWriteData30, "CmdWriteData30", 0, false},
    {kCmdStartNvm30, "CmdStartNvm30", 0, false},
    {kCmdResetPC30, "CmdResetPC30", 0, false},
};
}  // namespace

std::optional<CommandInfo> FindCommand(uint8_t code) {
  for (const CommandInfo& c : kCommands)
    if (c.code == code) return c;
  return std::nullopt;
}

}  // namespace krv
