#include <string>

#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"
#include "link/link.h"
#include "operations/dspic30/dspic30.h"
#include "operations/dspic30/operation30.h"
#include "operations/dspic30/primitives.h"

namespace krv {

namespace {

constexpr int kExecRows30 = 24;   // rows of 32 instructions from 0x800000 on
constexpr int kEraseWaitMs = 10;  // after the bulk erase and the executive steps

// TBLWTL W6, [W7++] alone: W6 into the configuration latch at TBLPAG:W7.
void TableWriteLow30(Session& s) {
  SendToKRV(s, {kCmdSix30, 0xBB, 0x1B, 0x86, 0});
}

// 0x0000 into the registers at 0xF80006 and 0xF80008, before the bulk erase of the parts
// whose row asks for it.
void ClearTwoConfigs30(Session& s) {
  SetNvmcon30(s, 0x4008);
  SetTablePage30(s, kConfigPage30);
  const auto w7 = MovLiteral30(6, 7);
  SendToKRV(s, {kCmdSix30, w7[0], w7[1], w7[2], kCmdSix30, 0xEB, 0x03, 0x00});  // CLR W6
  for (int i = 0; i < 2; ++i) {
    TableWriteLow30(s);
    StartNvm30(s);
  }
}

void EraseExecutive30(Session& s) {
  OpenProgMode30(s);
  SetNvmcon30(s, 0x4072);
  StartNvm30(s);
  SleepMs(s, kEraseWaitMs);
  ExitProgMode30(s);

  OpenProgMode30(s);
  const auto page = MovLiteral30(kExecStart30 >> 16, 7);
  for (int r = 0; r < kExecRows30; ++r) {
    const auto adr = MovLiteral30(64 * r, 6);
    SendToKRV(s, {kCmdSix30, adr[0], adr[1], adr[2], kCmdSix30, 0x88, 0x3B, 0x16});     // NVMADR
    SendToKRV(s, {kCmdSix30, page[0], page[1], page[2], kCmdSix30, 0x88, 0x3B, 0x27});  // NVMADRU
    SetNvmcon30(s, 0x4071);
    StartNvm30(s);
  }
  SleepMs(s, kEraseWaitMs);
  ExitProgMode30(s);
}

End30 Erase30(Session& s) {
  s.window->SetInfo(StatusText30(s, s.dev, Status30::Erasing));
  ShowVppOn(s);

  OpenProgMode30(s);
  if (s.dev.EraseClearsConfig4And5) ClearTwoConfigs30(s);
  SetNvmcon30(s, 0x407F);
  StartNvm30(s);
  SleepMs(s, kEraseWaitMs);
  ExitProgMode30(s);

  if (s.settings.DelICSP == 1) EraseExecutive30(s);

  OpenProgMode30(s);
  MovToW30(s, 0, 7);
  s.cfg.ConfigHigh = s.cfg.ConfigLow = 0xFF;
  for (int k = 1; k <= 7; ++k) WriteConfigReg30(s, s.cfg.ConfigHigh * 256 + s.cfg.ConfigLow);
  ExitProgMode30(s);

  ShowVppOff(s);
  s.window->SetInfo(StatusText30(s, s.dev, Status30::Erased));
  s.window->DoEvents();
  return End30::Done;
}

}  // namespace

End30 EraseChip30(Session& s) {
  return RunOperation30(s, "ErasePIC30", [&] { return Erase30(s); });
}

void ErasePIC30(Session& s) {
  EraseChip30(s);
}

}  // namespace krv
