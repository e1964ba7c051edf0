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

// Blank sums of a written row and of a read-back block.
constexpr uint32_t kBlankCodeRow = 32 * kBlankInstructionSum;  // 24480
constexpr uint32_t kBlankDataRow = 16 * kBlankDataWordSum;     // 8160
constexpr uint32_t kBlankDataBlock = 32 * kBlankDataWordSum;   // 16320

// Elements hi, lo of a group as one 16-bit word: [g + hi] x 256 + [g + lo].
int32_t Word(const ByteBuffer& buf, int32_t g, int hi, int lo) {
  return buf.Get(g + hi) * 256 + buf.Get(g + lo);
}

// Program memory or the executive area, row by row: eight groups of four instructions,
// each with its own table page and write pointer. False on a cancel.
bool WriteCodeRows(Session& s, MemoryArea area, const ByteBuffer& buf, int32_t instructions) {
  for (int32_t i = 0; i < 4 * instructions; i += 128) {
    if (buf.Sum(i, 128) != kBlankCodeRow) {
      SetNvmcon30(s, 0x4001);
      for (int32_t g = i; g < i + 128; g += 16) {
        const int32_t a = g / 2;
        SetTablePage30(s, AreaPage30(s, area) + (a >> 16));
        MovToW30(s, a & 0xFFFF, 7);
        LoadPair30(s, Word(buf, g, 1, 0), 0, Word(buf, g, 6, 2), 1);
        LoadPair30(s, Word(buf, g, 5, 4), 2, Word(buf, g, 9, 8), 3);
        LoadPair30(s, Word(buf, g, 14, 10), 4, Word(buf, g, 13, 12), 5);
        SendToKRV(s, {kCmdWriteCode30, 0});
      }
      StartNvm30(s);
    }
    Advance30(s, 32);
    if (Cancelled30(s)) return false;
  }
  return true;
}

// Data EEPROM, row by row: page and write pointer once per row, four groups of four words.
bool WriteDataRows(Session& s) {
  const ByteBuffer& buf = s.buf.DataBuffer;
  for (int32_t i = 0; i < 2 * s.dev.DataSize; i += 64) {
    if (buf.Sum(i, 64) != kBlankDataRow) {
      SetNvmcon30(s, 0x4005);
      SetTablePage30(s, AreaPage30(s, MemoryArea::Data));
      MovToW30(s, (s.dev.DataStart30 & 0xFFFF) + i / 2, 7);
      for (int32_t g = i; g < i + 64; g += 16) {
        LoadPair30(s, Word(buf, g, 1, 0), 0, Word(buf, g, 5, 4), 1);
        LoadPair30(s, Word(buf, g, 9, 8), 2, Word(buf, g, 13, 12), 3);
        SendToKRV(s, {kCmdWriteData30, 0});
      }
      StartNvm30(s);
    }
    Advance30(s, 32);
    if (Cancelled30(s)) return false;
  }
  return true;
}

bool CompareDataBlocks(Session& s) {
  const ByteBuffer& buf = s.buf.DataBuffer;
  for (int32_t i = 0; i < 2 * s.dev.DataSize && s.run.OperationOK; i += 128) {
    if (buf.Sum(i, 128) != kBlankDataBlock) {
      SetTablePage30(s, AreaPage30(s, MemoryArea::Data));
      SetDataReadPtrAt30(s, (s.dev.DataStart30 & 0xFFFF) + i / 2);
      ReadDataAnswers30(s, [&](int j) {
        for (int q = 0; q < 4; ++q) CompareDataWord30(s, buf, i + 16 * j, q);
      });
    }
    Advance30(s, 64);
    if (Cancelled30(s)) return false;
  }
  return true;
}

// One area's rows and, with VWhile, its read-back pass.
bool WriteCodeArea(Session& s, MemoryArea area, const ByteBuffer& buf, int32_t instructions) {
  if (!WriteCodeRows(s, area, buf, instructions)) return false;
  if (s.settings.VWhile != 1) return true;
  ResetPC30(s);
  return CompareCodeArea30(s, area, buf, instructions, true);
}

End30 Write30(Session& s) {
  const DeviceParams& d = s.dev;
  const bool readBack = s.settings.VWhile == 1;
  const bool& ok = s.run.OperationOK;
  ShowVppOn(s);
  ShowStart30(s, StatusText30(s, d, Status30::WriteCode, readBack),
              readBack ? 2 * ChipUnits30(s) : ChipUnits30(s));
  OpenProgMode30(s);

  if (!WriteCodeArea(s, MemoryArea::Code, s.buf.CodeBuffer, d.CodeSize)) return End30::Cancelled;

  if (ok) {
    s.window->SetInfo(StatusText30(s, d, Status30::WriteExec, readBack));
    ResetPC30(s);
    if (!WriteCodeArea(s, MemoryArea::Exec, s.buf.ExecBuffer, d.ExecSize)) return End30::Cancelled;
  }

  if (ok && d.DataSize != 0) {
    s.window->SetInfo(StatusText30(s, d, Status30::WriteData, readBack));
    ResetPC30(s);
    if (!WriteDataRows(s)) return End30::Cancelled;
    if (readBack) {
      ResetPC30(s);
      if (!CompareDataBlocks(s)) return End30::Cancelled;
    }
  }

  if (ok) {
    // The seven registers in order: each TBLWTL moves W7 on by 2. No cancel point here.
    ResetPC30(s);
    MovToW30(s, 0, 7);
    for (size_t k = 1; k <= 7; ++k) {
      s.cfg.ConfigLow = s.cfg.Config[k] & 0xFF;
      s.cfg.ConfigHigh = s.cfg.Config[k] / 256;
      WriteConfigReg30(s, s.cfg.ConfigHigh * 256 + s.cfg.ConfigLow);
      Advance30(s, 1);
    }
    if (readBack) {
      AreaSetup30(s, MemoryArea::Config, false);
      if (!CompareConfigArea30(s)) return End30::Cancelled;
    }
  }

  ExitProgMode30(s);
  if (readBack && !ok) s.window->MsgBox(s.run.LastErrorText, mb::kCritical, kAppTitle);
  ShowVppOff(s);
  s.window->SetInfo(StatusText30(s, d, Status30::WriteDone));
  s.window->SetProgress(0);
  s.window->DoEvents();
  return End30::Done;
}

}  // namespace

void WritePIC30(Session& s) {
  s.run.OperationOK = true;
  // A write goes on only over a completed erase.
  if (EraseChip30(s) != End30::Done) return;
  if (RunOperation30(s, "WritePIC30", [&] { return Write30(s); }) != End30::Done) return;
  if (s.settings.VAfter == 1) VerifyPIC30(s);
}

}  // namespace krv
