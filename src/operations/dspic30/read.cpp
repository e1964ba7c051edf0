#include <string>

#include "buffers/buffers.h"
#include "core/errors.h"
#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"
#include "link/link.h"
#include "operations/dspic30/dspic30.h"
#include "operations/dspic30/operation30.h"
#include "operations/dspic30/primitives.h"

namespace krv {

namespace {

// Program memory or the executive area, 16 instructions per block. False on a cancel.
bool ReadCodeArea(Session& s, ByteBuffer& buf, int32_t instructions) {
  for (int32_t b = 0; b < 4 * instructions; b += 64) {
    ReadCodeBlock30(s, buf, b);
    Advance30(s, 16);
    if (Cancelled30(s)) return false;
  }
  return true;
}

// Data EEPROM, 32 words per block; progress and a yield after every answer.
bool ReadDataArea(Session& s) {
  for (int32_t b = 0; b < 2 * s.dev.DataSize; b += 128) {
    ReadDataAnswers30(s, [&](int j) {
      UnpackDataQuad30(s.link.InReport, s.buf.DataBuffer, b + 16 * j);
      Advance30(s, 8);
    });
    if (Cancelled30(s)) return false;
  }
  return true;
}

End30 Read30(Session& s) {
  const DeviceParams& d = s.dev;
  ShowStart30(s, StatusText30(s, d, Status30::ReadCode), ChipUnits30(s));
  ShowVppOn(s);

  OpenProgMode30(s);
  AreaSetup30(s, MemoryArea::Code, true);
  if (!ReadCodeArea(s, s.buf.CodeBuffer, d.CodeSize)) return End30::Cancelled;

  s.window->SetInfo(StatusText30(s, d, Status30::ReadExec));
  AreaSetup30(s, MemoryArea::Exec, false);
  if (!ReadCodeArea(s, s.buf.ExecBuffer, d.ExecSize)) return End30::Cancelled;

  if (d.DataSize != 0) {
    s.window->SetInfo(StatusText30(s, d, Status30::ReadData));
    AreaSetup30(s, MemoryArea::Data, false);
    if (!ReadDataArea(s)) return End30::Cancelled;
  }

  AreaSetup30(s, MemoryArea::Config, false);
  for (size_t k = 1; k <= 7; ++k) {
    const int32_t value = ReadConfigReg30(s);
    if (Cancelled30(s)) return End30::Cancelled;
    s.cfg.Config[k] = value;
    Advance30(s, 1);
  }

  ExitProgMode30(s);
  ShowVppOff(s);
  CalcDeviceCSum(s);
  ShowWindows(s);
  s.window->SetInfo(StatusText30(s, d, Status30::ReadDone));
  s.window->SetProgress(0);
  s.window->DoEvents();
  SleepMs(s, 100);
  return End30::Done;
}

}  // namespace

void ReadPIC30(Session& s) {
  if (RunOperation30(s, "ReadPIC30", [&] { return Read30(s); }) == End30::Done) return;
  // A cancelled or failed read has replaced part of the buffers: show what they now hold.
  try {
    CalcDeviceCSum(s);
    ShowWindows(s);
  } catch (const RuntimeError& e) {
    ShowError(s, "ReadPIC30", e.what());
  }
}

}  // namespace krv
