#include "shell/commands.h"

#include <exception>

#include "buffers/buffers.h"
#include "core/errors.h"
#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"
#include "link/device_monitor.h"
#include "link/link.h"
#include "operations/operations.h"

namespace krv {
namespace {

template <void (*F)(Session&)>
void Op(Session& s, CommandHost&) {
  F(s);
}

template <void (CommandHost::*F)()>
void Host(Session&, CommandHost& h) {
  (h.*F)();
}

// Stops the running command without asking.
void Stop(Session& s, CommandHost&) {
  if (s.run.ActionRunning) s.run.CancelRequested = true;
}

using enum TextId;
using enum Runs;
using H = CommandHost;

// {name, key, menu place, caption, button place, tip, how and what it runs, whether it waits
// for a HEX file}. Exit goes through the window's close, which has its own rule for a running
// command. Chip identification ("DevID", "Detect") is not available: its buttons stay in
// their places.
constexpr CommandDef kCommands[] = {
    {"FileOpen", "Open", 11, MenuFileOpen, 1, TipOpen, Busy, Host<&H::OpenHexFile>},
    {"FileSave", "Save", 12, MenuFileSave, 2, TipSave, Busy, Host<&H::SaveHexFile>},
    {"FileUpdate", "Update", 13, MenuFileUpdate, 3, TipUpdate, Busy, Host<&H::UpdateHexFile>, true},
    {"FileExit", "Exit", 15, MenuFileExit, 0, {}, AtOnce, Host<&H::CloseWindow>},
    {"DeviceRead", "Read", 21, MenuDeviceRead, 7, TipRead, BusyNeedsProgrammer, Op<ReadDevice>},
    {"DeviceVerify", "Verify", 22, MenuDeviceVerify, 8, TipVerify, BusyNeedsProgrammer,
     Op<VerifyDevice>},
    {nullptr, "DevID", 0, {}, 9, TipDevID, Busy, nullptr},
    {"DeviceWrite", "Write", 23, MenuDeviceWrite, 10, TipWrite, BusyNeedsProgrammer,
     Op<WriteDevice>},
    {"DeviceErase", "Erase", 24, MenuDeviceErase, 11, TipErase, BusyNeedsProgrammer,
     Op<EraseDevice>},
    {nullptr, "Detect", 0, {}, 12, TipDetect, Busy, nullptr},
    {"BuffersClear", "Clear", 31, MenuBuffersClear, 0, {}, Busy, Op<ClearBuffers>},
    {"BuffersFill", "Fill", 32, MenuBuffersFill, 5, TipFill, Busy, Host<&H::FillBuffers>},
    {"OptionsSettings", "Settings", 41, MenuOptionsSettings, 0, {}, Busy, Host<&H::ShowSettings>},
    {"HelpAbout", "About", 51, MenuHelpAbout, 0, {}, Busy, Host<&H::ShowAbout>},
    {nullptr, "Stop", 0, {}, 14, TipStop, AtOnce, Stop},
};

constexpr MenuDef kMenus[] = {{"File", MenuFile},
                              {"Device", MenuDevice},
                              {"Buffers", MenuBuffers},
                              {"Options", MenuOptions},
                              {"Help", MenuHelp}};

// Each command has a place, each place is taken once and lies in its menu or on the bar; a
// command has a menu item's name exactly when it has a menu place.
constexpr bool PlacesAreSound() {
  constexpr int kMenuCount = static_cast<int>(std::size(kMenus));
  for (size_t i = 0; i < std::size(kCommands); ++i) {
    const CommandDef& c = kCommands[i];
    if ((c.name != nullptr) != (c.menuPlace != 0)) return false;
    if (c.menuPlace != 0 &&
        (c.menuPlace / 10 < 1 || c.menuPlace / 10 > kMenuCount || c.menuPlace % 10 == 0))
      return false;
    if (c.buttonPlace < 0 || c.buttonPlace > kLastButtonPlace) return false;
    if (c.menuPlace == 0 && c.buttonPlace == 0) return false;
    for (size_t j = 0; j < i; ++j) {
      if (c.menuPlace != 0 && c.menuPlace == kCommands[j].menuPlace) return false;
      if (c.buttonPlace != 0 && c.buttonPlace == kCommands[j].buttonPlace) return false;
    }
  }
  return true;
}
static_assert(PlacesAreSound(),
              "a command's place is taken twice, lies outside its menu or "
              "bar, or its menu name does not go with its menu place");

// Whether command `c`, given from `from`, looks for the programmer before it runs.
bool LooksForProgrammer(const CommandDef& c, From from) {
  return c.runs != Runs::AtOnce && (from == From::Toolbar || c.runs == Runs::BusyNeedsProgrammer);
}

}  // namespace

std::span<const CommandDef> CommandTable() {
  return kCommands;
}

std::span<const MenuDef> MenuTable() {
  return kMenus;
}

void Commands::MenuAction(const std::string& name) {
  for (const CommandDef& c : kCommands)
    if (c.menuPlace && name == c.name) return Run(c, From::Menu);
}

void Commands::ToolbarClick(const std::string& key) {
  for (const CommandDef& c : kCommands)
    if (c.buttonPlace && key == c.key) return Run(c, From::Toolbar);
}

bool Commands::QueryUnload() {
  if (!s_.run.ActionRunning) return true;
  if (AskCancel()) closeAfterCommand_ = true;
  return false;
}

bool Commands::AskCancel() {
  if (s_.window->MsgBox(Text(s_, TextId::Msg3), mb::kYesNoQuestion, kAppTitle) != mb::kYes)
    return false;
  // The running command stops at its next CheckCancel; the busy state lasts until it
  // has returned.
  s_.run.CancelRequested = true;
  return true;
}

bool Commands::ProgrammerFound() {
  // A command dropped for want of a programmer says why (Msg1), also when the absence
  // was told before.
  if (!BuscaHID(s_)) s_.link.absenceTold = false;
  ShowConnectionState(s_);
  return s_.link.present;
}

void Commands::Run(const CommandDef& c, From from) {
  if (!c.run) return;
  if (c.runs == Runs::AtOnce) return c.run(s_, host_);
  if (s_.run.ActionRunning) {
    AskCancel();
    return;
  }
  if (LooksForProgrammer(c, from) && !ProgrammerFound()) return;

  // A request left over from an earlier command must not stop this one.
  s_.run.CancelRequested = false;
  s_.run.ActionRunning = true;
  s_.window->SetBusy(true);
  try {
    c.run(s_, host_);
  } catch (const LinkLost&) {
    // Already told (Msg9); the programmer is marked absent.
  } catch (const std::exception& e) {
    ShowError(s_, "MenuAction", e.what());
  }
  s_.run.ActionRunning = false;
  s_.window->SetBusy(false);
  AfterCommand(s_);

  if (closeAfterCommand_) {
    closeAfterCommand_ = false;
    host_.CloseWindow();
  }
}

}  // namespace krv
