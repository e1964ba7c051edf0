#include "buffers/buffers.h"

#include <exception>
#include <initializer_list>

#include "core/errors.h"
#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"

namespace krv {

namespace {

uint32_t BlankWordOf(int coreWidth) {
  switch (coreWidth) {
    case 12:
      return 0xFFF;
    case 16:
      return 0xFFFF;
    case 24:
      return 0xFFFFFF;
    default:
      return 0x3FFF;
  }
}

// Elements 0 .. count - 1 take the pattern's bytes over and over.
void FillPattern(ByteBuffer& b, int32_t count, std::initializer_list<uint8_t> pattern) {
  if (count <= 0) return;
  if (count > b.Size()) throw RuntimeError("Subscript out of range");
  uint8_t* p = b.data();
  const int32_t n = static_cast<int32_t>(pattern.size());
  for (int32_t i = 0; i < count; ++i) p[i] = pattern.begin()[i % n];
}

// Blank buffers and configuration state; `forgetOscCal` for a new device.
void Blank(Session& s, bool forgetOscCal, const char* procName) {
  try {
    BlankBuffers(s.dev, s.buf);
    ConfigState& c = s.cfg;
    BlankConfigWords(s.dev, c);
    c.CalibWord1 = c.CalibWord2 = 0x3FFF;
    c.BandGapValue = (c.ConfigWord >> 12) & 3;
    const bool masked = s.dev.CoreWidth == 16 || s.dev.IsDsPic30();
    for (int k = 0; k < 7; ++k) {
      c.ConfigMask[k] = masked ? s.dev.ConfigMasks[k] : 0xFFFF;
      c.CSumMask30[k] = s.dev.IsDsPic30() ? s.dev.CSumMasks30[k] : 0;
    }
    if (forgetOscCal) c.OscCalLow = c.OscCalHigh = 0;
  } catch (const std::exception& e) {
    ShowError(s, procName, e.what());
  }
  CalcDeviceCSum(s);
  ShowWindows(s);
}

}  // namespace

void SizeBuffers(const DeviceParams& d, BufferState& b) {
  const bool ds = d.IsDsPic30();
  b.CodeBuffer.Redim(ds ? 4 * d.CodeSize : 2 * d.CodeSize);
  b.DataBuffer.Redim(ds ? 2 * d.DataSize : d.DataSize);
  b.ExecBuffer.Redim(ds ? 4 * d.ExecSize : -1);
  b.BlankWord = BlankWordOf(d.CoreWidth);
  b.BlankData = 0xFF;
}

void SizeBuffers(Session& s) {
  SizeBuffers(s.dev, s.buf);
}

void BlankBuffers(const DeviceParams& d, BufferState& b) {
  SizeBuffers(d, b);
  if (d.IsDsPic30()) {
    FillPattern(b.CodeBuffer, 4 * d.CodeSize, {0xFF, 0xFF, 0xFF, 0});
    FillPattern(b.ExecBuffer, 4 * d.ExecSize, {0xFF, 0xFF, 0xFF, 0});
    FillPattern(b.DataBuffer, 2 * d.DataSize, {0xFF, 0xFF, 0, 0});
  } else {
    const uint8_t high = static_cast<uint8_t>(b.BlankWord >> 8);
    FillPattern(b.CodeBuffer, 2 * d.CodeSize, {0xFF, high});
    FillPattern(b.DataBuffer, d.DataSize, {b.BlankData});
  }
}

void BlankConfigWords(const DeviceParams& d, ConfigState& c) {
  c.ConfigWord = d.CoreWidth == 12 ? 0xFFF : 0x3FFF;
  for (int k = 1; k <= 7; ++k) c.Config[k] = 0xFFFF;
  if (d.CoreWidth == 14 && d.Config1Address != 0) c.Config[1] = 0x3FFF;
  const bool idWords = d.CoreWidth == 12 || d.CoreWidth == 14;
  const uint8_t high = static_cast<uint8_t>(BlankWordOf(d.CoreWidth) >> 8);
  for (int i = 0; i < 8; ++i) c.UserID[i] = idWords && i % 2 == 1 ? high : 0xFF;
}

void InitWindows(Session& s) {
  Blank(s, true, "InitWindows");
}

void ClearBuffers(Session& s) {
  Blank(s, false, "ClearBuffers");
}

int32_t CalcDeviceCSum(Session& s) {
  if (s.dev.CoreWidth == 16) {
    s.window->SetCSum("CSum: ----");
    return 0;
  }
  try {
    const ByteBuffer& code = s.buf.CodeBuffer;
    uint32_t sum = 0;
    if (s.dev.IsDsPic30()) {
      for (int k = 1; k <= 7; ++k) {
        const uint32_t v = static_cast<uint32_t>(s.cfg.Config[k] & s.cfg.CSumMask30[k - 1]);
        sum += (v & 0xFF) + ((v >> 8) & 0xFF);
      }
      sum += code.Sum(0, 4 * s.dev.CodeSize);
    } else {
      sum += static_cast<uint32_t>(s.cfg.ConfigWord) & s.dev.ConfigImplMask;
      if (s.dev.Config1Address != 0)
        sum += static_cast<uint32_t>(s.cfg.Config[1]) & s.dev.Config1ImplMask;
      // The OscCal word (the last program word) is the chip's own: it never counts.
      const int32_t words = s.dev.CodeSize - (s.dev.HasOscCal ? 1 : 0);
      for (int32_t n = 0; n < words; ++n) sum += code.Get(2 * n) + 256u * code.Get(2 * n + 1);
    }
    sum &= 0xFFFF;
    s.window->SetCSum("CSum: " + Dec2Hex(s, sum, 4));
    return static_cast<int32_t>(sum);
  } catch (const std::exception& e) {
    ShowError(s, "CalcDeviceCSum", e.what());
    return 0;
  }
}

void ShowWindows(Session& s) {
  s.window->ShowWindows();
}

}  // namespace krv
