#include "shell/commands.h"

#include <exception>
#include <string_view>

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

// The device commands are the ones that look for the programmer first when chosen from
// the menu.
bool SearchesFromMenu(std::string_view name) {
  return name == "DeviceRead" || name == "DeviceVerify" || name == "DeviceWrite" ||
         name == "DeviceErase";
}

// Toolbar button key -> menu command. "DevID" and "Detect" (chip identification) and
// the test button "Prueba" run nothing.
std::string_view ToolbarCommand(std::string_view key) {
  static constexpr std::pair<std::string_view, std::string_view> kButtons[] = {
      {"Open", "FileOpen"},     {"Save", "FileSave"},     {"Update", "FileUpdate"},
      {"Fill", "BuffersFill"},  {"Read", "DeviceRead"},   {"Verify", "DeviceVerify"},
      {"Write", "DeviceWrite"}, {"Erase", "DeviceErase"},
  };
  for (const auto& [k, command] : kButtons)
    if (k == key) return command;
  return {};
}

}  // namespace

void Commands::MenuAction(const std::string& name) {
  // Exit goes through the window's close, which has its own rule for a running command.
  if (name == "FileExit") {
    host_.CloseWindow();
    return;
  }
  Run(name, SearchesFromMenu(name));
}

void Commands::ToolbarClick(const std::string& key) {
  if (key == "Stop") {
    // Stops the running command without asking; never looks for the programmer.
    if (s_.run.ActionRunning) s_.run.CancelRequested = true;
    return;
  }
  const std::string_view command = ToolbarCommand(key);
  if (command.empty()) return;
  Run(std::string(command), true);
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

void Commands::Run(const std::string& name, bool search) {
  if (s_.run.ActionRunning) {
    AskCancel();
    return;
  }
  if (search && !ProgrammerFound()) return;

  // A request left over from an earlier command must not stop this one.
  s_.run.CancelRequested = false;
  s_.run.ActionRunning = true;
  s_.window->SetBusy(true);
  try {
    Execute(name);
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

void Commands::Execute(const std::string& name) {
  if (name == "FileOpen") {
    host_.OpenHexFile();
  } else if (name == "FileSave") {
    host_.SaveHexFile();
  } else if (name == "FileUpdate") {
    host_.UpdateHexFile();
  } else if (name == "DeviceRead") {
    ReadDevice(s_);
  } else if (name == "DeviceVerify") {
    VerifyDevice(s_);
  } else if (name == "DeviceWrite") {
    WriteDevice(s_);
  } else if (name == "DeviceErase") {
    EraseDevice(s_);
  } else if (name == "BuffersClear") {
    ClearBuffers(s_);
  } else if (name == "BuffersFill") {
    host_.FillBuffers();
  } else if (name == "OptionsSettings") {
    host_.ShowSettings();
  } else if (name == "HelpAbout") {
    host_.ShowAbout();
  }
}

}  // namespace krv
