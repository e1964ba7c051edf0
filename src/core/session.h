#pragma once
// The state of one run of the program, grouped by the subsystem that defines it.
#include <string>

#include "core/device.h"
#include "core/link_state.h"
#include "core/settings.h"
#include "core/state.h"

namespace krv {

class Window;
class Clock;

// Busy and result state of the commands.
struct RunState {
  bool ActionRunning = false;    // a command runs
  bool CancelRequested = false;  // the user asked to stop it
  bool OperationOK = true;       // result of the last write or verify
  std::string LastErrorText;     // its first error (or the Msg30 text)
};

struct Session {
  Window* window = nullptr;
  Clock* clock = nullptr;

  std::string ProgramFolder;  // the executable's folder
  std::string LangFile;       // ProgramFolder/<Language>.ini
  Settings settings;
  RunState run;

  LinkState link;      // the programmer
  DeviceParams dev{};  // the selected device; all 0 (no sizes) until the first selection
  BufferState buf;     // host buffers
  ConfigState cfg;     // configuration words, IDs, calibration
  HexFileState hex;    // the HEX file last loaded
};

// ProgramFolder/Language.ini
std::string LanguageFilePath(const Session& s);

}  // namespace krv
