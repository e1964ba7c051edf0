#pragma once
// What the dsPIC30 operations share around their chip traffic: holding the link, and the
// endings after a cancel, a lost link or a run-time error.
#include <cstdint>
#include <functional>
#include <string>

#include "operations/dspic30/primitives.h"

namespace krv {

struct Session;
struct DeviceParams;

enum class End30 { Done, Cancelled, Failed };

// Runs `body` while holding the link. A lost link ends it with OperationOK False,
// LastErrorText the time-out text (also on the status line), progress 0 and the Vpp
// picture off. A run-time error drops the answers still waiting, leaves programming mode
// when the programmer is still there, shows the Vpp picture off and reports the error
// under `procName`.
End30 RunOperation30(Session& s, const char* procName, const std::function<End30()>& body);

// What the operations show on the status line while they work on an area and at their end.
enum class Status30 {
  ReadCode,
  ReadExec,
  ReadData,
  ReadDone,
  VerifyCode,
  VerifyExec,
  VerifyData,
  WriteCode,
  WriteExec,
  WriteData,
  WriteDone,
  Erasing,
  Erased,
  Last = Erased
};
// The text of `what` with the figures and the name of device `d`; `readBack`: a write that
// reads each area back (VWhile).
std::string StatusText30(const Session& s, const DeviceParams& d, Status30 what,
                         bool readBack = false);

// The progress units of the whole chip: one per instruction, data byte and register.
double ChipUnits30(const Session& s);
// The status text, the progress bar at 0 of `max`, and one yield.
void ShowStart30(Session& s, const std::string& status, double max);

// The cancel point: CheckCancel, and when it took a cancel request the Vpp picture off.
bool Cancelled30(Session& s);

// The erase with its own endings; the write's first step.
End30 EraseChip30(Session& s);

// Read-backs shared by the verify and the write; each compares only while OperationOK is
// True and returns false on a cancel.
// Program memory or the executive area, 16 instructions per block. With `eachBlockAt` the
// read position is set for every block and blocks that are blank in `buf` are skipped;
// otherwise the area is read on from its start.
bool CompareCodeArea30(Session& s, MemoryArea area, const ByteBuffer& buf, int32_t instructions,
                       bool eachBlockAt);
// The seven configuration registers, after AreaSetup30.
bool CompareConfigArea30(Session& s);

}  // namespace krv
