#include <string>

#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"
#include "link/link.h"
#include "operations/dspic30/dspic30.h"
#include "operations/dspic30/operation30.h"
#include "operations/dspic30/primitives.h"

namespace krv {

bool CompareCodeArea30(Session& s, MemoryArea area, const ByteBuffer& buf, int32_t instructions,
                       bool eachBlockAt) {
  for (int32_t i = 0; i < 4 * instructions && s.run.OperationOK; i += 64) {
    const bool blank = eachBlockAt && buf.Sum(i, 64) == 16 * kBlankInstructionSum;
    if (!blank) {
      if (eachBlockAt) {
        const int32_t a = i / 2;
        SetTablePage30(s, AreaPage30(s, area) + (a >> 16));
        MovToW30(s, a & 0xFFFF, 6);
      }
      ReadCodeAnswers30(s, [&](int j) { ComparePair30(s, area, buf, i + 8 * j); });
    }
    Advance30(s, 16);
    if (Cancelled30(s)) return false;
  }
  return true;
}

bool CompareConfigArea30(Session& s) {
  for (int k = 1; k <= 7 && s.run.OperationOK; ++k) {
    CompareConfig30(s, k, ReadConfigReg30(s));
    Advance30(s, 1);
    if (Cancelled30(s)) return false;
  }
  return true;
}

namespace {

// Data EEPROM, 32 words per block; progress and a yield after every answer.
bool CompareDataArea(Session& s) {
  for (int32_t b = 0; b < 2 * s.dev.DataSize && s.run.OperationOK; b += 128) {
    ReadDataAnswers30(s, [&](int j) {
      for (int q = 0; q < 4; ++q) CompareDataWord30(s, s.buf.DataBuffer, b + 16 * j, q);
      Advance30(s, 8);
    });
    if (Cancelled30(s)) return false;
  }
  return true;
}

End30 Verify30(Session& s) {
  const DeviceParams& d = s.dev;
  bool& ok = s.run.OperationOK;
  ok = true;
  s.run.LastErrorText = Text(s, TextId::Msg30);
  ShowStart30(s, StatusText30(s, d, Status30::VerifyCode), ChipUnits30(s));
  ShowVppOn(s);

  OpenProgMode30(s);
  AreaSetup30(s, MemoryArea::Code, true);
  if (!CompareCodeArea30(s, MemoryArea::Code, s.buf.CodeBuffer, d.CodeSize, false))
    return End30::Cancelled;

  if (ok) {
    s.window->SetInfo(StatusText30(s, d, Status30::VerifyExec));
    AreaSetup30(s, MemoryArea::Exec, false);
    if (!CompareCodeArea30(s, MemoryArea::Exec, s.buf.ExecBuffer, d.ExecSize, false))
      return End30::Cancelled;
  }
  if (ok && d.DataSize != 0) {
    s.window->SetInfo(StatusText30(s, d, Status30::VerifyData));
    AreaSetup30(s, MemoryArea::Data, false);
    if (!CompareDataArea(s)) return End30::Cancelled;
  }
  if (ok) {
    AreaSetup30(s, MemoryArea::Config, false);
    if (!CompareConfigArea30(s)) return End30::Cancelled;
  }

  // Programming mode is left before the error box waits for the user.
  if (ok) s.window->SetInfo(s.run.LastErrorText);
  ExitProgMode30(s);
  ShowVppOff(s);
  if (!ok) {
    s.window->MsgBox(s.run.LastErrorText, mb::kCritical, kAppTitle);
    s.window->SetInfo(Text(s, TextId::Msg55));
  }
  s.window->SetProgress(0);
  s.window->DoEvents();
  return End30::Done;
}

}  // namespace

void VerifyPIC30(Session& s) {
  RunOperation30(s, "VerifyPIC30", [&] { return Verify30(s); });
}

}  // namespace krv
