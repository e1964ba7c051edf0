#pragma once
// The menu and toolbar commands, in one table from which the window builds its menus and
// toolbar; the busy state, cancellation and the programmer search that come before a
// command. No Qt here; the main window supplies what needs a window.
#include <span>
#include <string>

#include "core/texts.h"

namespace krv {

struct Session;
class CommandHost;

// How a command runs. In the busy state, after looking for the programmer when it is
// clicked on the toolbar (so that without a programmer no toolbar button works); a command
// that needs the programmer also looks for it when chosen from the menu. Or at once, neither
// looking nor busy.
enum class Runs { Busy, BusyNeedsProgrammer, AtOnce };
// Where a command was given.
enum class From { Menu, Toolbar };

// A menu item, a toolbar button or both. Places count from 1: a menu item's is its menu's
// number times 10 plus its own (1..9), a button's at most kLastButtonPlace. A place left free
// between two is a separator; 0: not there.
inline constexpr int kLastButtonPlace = 99;
struct CommandDef {
  const char* name;  // the menu item's, without "mnu"
  const char* key;   // the toolbar button's, and the picture of both
  int menuPlace;
  TextId caption;  // of the menu item
  int buttonPlace;
  TextId tip;  // of the toolbar button
  Runs runs;
  void (*run)(Session&, CommandHost&);  // none: the button stays off
  bool waitsForHexFile = false;         // off until a HEX file has been loaded
};

// The menus, numbered 1, 2 ... in this order.
struct MenuDef {
  const char* name;  // without "mnu"
  TextId caption;
};

std::span<const CommandDef> CommandTable();
std::span<const MenuDef> MenuTable();

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
  void Run(const CommandDef& c, From from);
  bool ProgrammerFound();
  // A click while a command runs: Msg3, and on Yes a cancel request.
  bool AskCancel();

  Session& s_;
  CommandHost& host_;
  bool closeAfterCommand_ = false;
};

}  // namespace krv
