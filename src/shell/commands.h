#pragma once
// The menu and toolbar commands: the busy state, cancellation and the programmer search
// that come before a command. No Qt here; the main window supplies what needs a window.
#include <string>

namespace krv {

struct Session;

// What the commands need of the main window beyond the window seam.
class CommandHost {
 public:
  virtual ~CommandHost() = default;
  virtual void OpenHexFile() = 0;    // File > Open
  virtual void SaveHexFile() = 0;    // File > Save
  virtual void UpdateHexFile() = 0;  // File > Update
  virtual void FillBuffers() = 0;    // Buffers > Fill
  virtual void ShowSettings() = 0;   // Options > Settings
  virtual void ShowAbout() = 0;      // Help > About
  // Asks the window to close (File > Exit, or a close put off until a command ended).
  virtual void CloseWindow() = 0;
};

class Commands {
 public:
  Commands(Session& s, CommandHost& host) : s_(s), host_(host) {}

  // A menu item, by its name without "mnu" ("DeviceRead", "FileOpen", ...).
  void MenuAction(const std::string& name);
  // A toolbar button, by its key ("Open", "Read", "Stop", ...).
  void ToolbarClick(const std::string& key);
  // The window is about to close. True: it may close now. False: a command runs; the
  // user was asked Msg3 and, on Yes, the command is cancelled and the window closes once
  // it has returned.
  bool QueryUnload();

 private:
  // Runs one command in the busy state; `search`: look for the programmer first.
  void Run(const std::string& name, bool search);
  void Execute(const std::string& name);
  bool ProgrammerFound();
  // A click while a command runs: Msg3, and on Yes a cancel request.
  bool AskCancel();

  Session& s_;
  CommandHost& host_;
  bool closeAfterCommand_ = false;
};

}  // namespace krv
