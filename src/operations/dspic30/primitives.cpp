#include "operations/dspic30/primitives.h"

#include "core/errors.h"
#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"
#include "link/link.h"

namespace krv {

std::array<uint8_t, 3> MovLiteral30(int32_t k, int d) {
  if (k < 0 || k > 0xFFFF || d < 0 || d > 15) throw RuntimeError("Overflow");
  return {static_cast<uint8_t>(0x20 + (k >> 12)), static_cast<uint8_t>((k >> 4) & 0xFF),
          static_cast<uint8_t>(((k & 0xF) << 4) + d)};
}

void OpenProgMode30(Session& s) {
  SendToKRV(s, {kCmdEnterProgMode, kCmdResetPC30, 0});
}

void ExitProgMode30(Session& s) {
  SendToKRV(s, {kCmdExitProgMode, 0});
}

void ResetPC30(Session& s) {
  SendToKRV(s, {kCmdResetPC30, 0});
}

void StartNvm30(Session& s) {
  SendToKRV(s, {kCmdStartNvm30, 0});
}

void SetTablePage30(Session& s, int32_t p) {
  const auto m = MovLiteral30(p, 0);
  SendToKRV(s, {kCmdSix30, m[0], m[1], m[2], kCmdSix30, 0x88, 0x01, 0x90});
}

void SetNvmcon30(Session& s, int32_t v) {
  const auto m = MovLiteral30(v, 10);
  SendToKRV(s, {kCmdSix30, m[0], m[1], m[2], kCmdSix30, 0x88, 0x3B, 0x0A});
}

void MovToW30(Session& s, int32_t k, int d) {
  const auto m = MovLiteral30(k, d);
  SendToKRV(s, {kCmdSix30, m[0], m[1], m[2], 0});
}

void LoadPair30(Session& s, int32_t wm, int m, int32_t wn, int n) {
  const auto a = MovLiteral30(wm, m);
  const auto b = MovLiteral30(wn, n);
  SendToKRV(s, {kCmdSix30, a[0], a[1], a[2], kCmdSix30, b[0], b[1], b[2]});
}

void SetCodeReadPtr30(Session& s) {
  MovToW30(s, 0, 6);
}

void SetDataReadPtr30(Session& s) {
  SetDataReadPtrAt30(s, s.dev.DataStart30 & 0xFFFF);
}

void SetDataReadPtrAt30(Session& s, int32_t w6) {
  const auto m = MovLiteral30(w6, 6);
  SendToKRV(s, {kCmdSix30, m[0], m[1], m[2], kCmdSix30, 0xEB, 0x03, 0x80});
}

void SetConfigReadPtr30(Session& s) {
  SendToKRV(s, {kCmdSix30, 0xEB, 0x03, 0x00, kCmdSix30, 0xEB, 0x03, 0x80});
}

int32_t AreaPage30(const Session& s, MemoryArea area) {
  switch (area) {
    case MemoryArea::Code:
      return 0x00;
    case MemoryArea::Exec:
      return kExecStart30 >> 16;
    case MemoryArea::Data:
      return s.dev.DataStart30 >> 16;
    case MemoryArea::UserID:
    case MemoryArea::Config:
      break;
  }
  return kConfigPage30;
}

void AreaSetup30(Session& s, MemoryArea area, bool rightAfterOpen) {
  if (!rightAfterOpen) ResetPC30(s);
  SetTablePage30(s, AreaPage30(s, area));
  switch (area) {
    case MemoryArea::Code:
    case MemoryArea::Exec:
      SetCodeReadPtr30(s);
      break;
    case MemoryArea::Data:
      SetDataReadPtr30(s);
      break;
    case MemoryArea::UserID:
    case MemoryArea::Config:
      SetConfigReadPtr30(s);
      break;
  }
}

namespace {
void ReadAnswers30(Session& s, int cmd, const std::function<void(int j)>& each) {
  SendToKRV(s, {cmd, cmd, cmd, cmd, cmd, cmd, cmd, cmd});
  for (int j = 0; j < 8; ++j) {
    ReadReport(s);
    each(j);
  }
}
}  // namespace

void ReadCodeAnswers30(Session& s, const std::function<void(int j)>& each) {
  ReadAnswers30(s, kCmdReadCode30, each);
}

void ReadDataAnswers30(Session& s, const std::function<void(int j)>& each) {
  ReadAnswers30(s, kCmdReadData30, each);
}

void ReadCodeBlock30(Session& s, ByteBuffer& buf, int32_t b) {
  ReadCodeAnswers30(s, [&](int j) { UnpackCodePair30(s.link.InReport, buf, b + 8 * j); });
}

void UnpackCodePair30(const std::array<uint8_t, 9>& in, ByteBuffer& buf, int32_t e) {
  buf.Set(e, in[1]);
  buf.Set(e + 1, in[2]);
  buf.Set(e + 2, in[3]);
  buf.Set(e + 3, 0);
  buf.Set(e + 4, in[5]);
  buf.Set(e + 5, in[6]);
  buf.Set(e + 6, in[4]);
  buf.Set(e + 7, 0);
}

void UnpackDataQuad30(const std::array<uint8_t, 9>& in, ByteBuffer& buf, int32_t e) {
  for (int q = 0; q < 4; ++q) {
    buf.Set(e + 4 * q, in[2 * q + 1]);
    buf.Set(e + 4 * q + 1, in[2 * q + 2]);
    buf.Set(e + 4 * q + 2, 0);
    buf.Set(e + 4 * q + 3, 0);
  }
}

int32_t ReadConfigReg30(Session& s) {
  // TBLRDL [W6++], [W7]; NOP; NOP
  SendToKRV(s, {kCmdSix30, 0xBA, 0x0B, 0xB6, kCmdNop30, kCmdNop30, 0});
  // MOV W0, VISI; NOP; CmdRegOut30; NOP
  SendToKRV(s, {kCmdSix30, 0x88, 0x3C, 0x20, kCmdNop30, kCmdRegOut30, kCmdNop30, 0});
  ResetPC30(s);
  ReadReport(s);
  return s.link.InReport[2] * 256 + s.link.InReport[1];
}

void WriteConfigReg30(Session& s, int32_t value) {
  SetNvmcon30(s, 0x4008);
  SetTablePage30(s, kConfigPage30);
  MovToW30(s, value, 6);
  // TBLWTL W6, [W7++]; NOP; NOP
  SendToKRV(s, {kCmdSix30, 0xBB, 0x1B, 0x86, kCmdNop30, kCmdNop30, 0});
  StartNvm30(s);
}

namespace {

uint32_t Instruction(uint32_t top, uint32_t middle, uint32_t low) {
  return top << 16 | middle << 8 | low;
}

void Differs(Session& s, std::string text) {
  s.run.LastErrorText = std::move(text);
  s.run.OperationOK = false;
}

// "-> Read: 0x" R "; Verifiyed: 0x" E
std::string ReadAndExpected(Session& s, uint32_t read, uint32_t expected, int digits) {
  return Text(s, TextId::Msg51) + Dec2Hex(s, read, digits) + Text(s, TextId::Msg52) +
         Dec2Hex(s, expected, digits);
}

void CompareInstruction(Session& s, MemoryArea area, int32_t e, uint32_t read, uint32_t expected) {
  if (!s.run.OperationOK || read == expected) return;
  const uint32_t offset = static_cast<uint32_t>(e / 2);
  const std::string where = area == MemoryArea::Exec
                                ? Text(s, TextId::Msg54) + " 0x80" + Dec2Hex(s, offset, 4)
                                : Text(s, TextId::Msg50) + Dec2Hex(s, offset, 6);
  Differs(s, where + ReadAndExpected(s, read, expected, 6));
}

}  // namespace

void ComparePair30(Session& s, MemoryArea area, const ByteBuffer& buf, int32_t e) {
  if (!s.run.OperationOK) return;
  const auto& a = s.link.InReport;
  CompareInstruction(s, area, e, Instruction(a[3], a[2], a[1]),
                     Instruction(buf.Get(e + 2), buf.Get(e + 1), buf.Get(e)));
  CompareInstruction(s, area, e + 4, Instruction(a[4], a[6], a[5]),
                     Instruction(buf.Get(e + 6), buf.Get(e + 5), buf.Get(e + 4)));
}

void CompareDataWord30(Session& s, const ByteBuffer& buf, int32_t e, int q) {
  if (!s.run.OperationOK) return;
  const auto& a = s.link.InReport;
  const int32_t x = e + 4 * q;
  const uint32_t read = a[2 * q + 2] * 256u + a[2 * q + 1];
  const uint32_t expected = buf.Get(x + 1) * 256u + buf.Get(x);
  if (read == expected) return;
  const uint32_t address = static_cast<uint32_t>(s.dev.DataStart30 + x / 2);
  Differs(s, Text(s, TextId::Msg53) + " 0x" + Dec2Hex(s, address, 6) +
                 ReadAndExpected(s, read, expected, 4));
}

void CompareConfig30(Session& s, int k, int32_t v) {
  static constexpr TextId kConfigErrors[] = {TextId::Msg62, TextId::Msg63, TextId::Msg64,
                                             TextId::Msg65, TextId::Msg66, TextId::Msg67,
                                             TextId::Msg68};
  const int32_t expected = s.cfg.Config[static_cast<size_t>(k)];
  if (!s.run.OperationOK || v == expected) return;
  Differs(s, Text(s, kConfigErrors[k - 1]) + "\r\n" + Text(s, TextId::Msg51Config) +
                 Dec2Hex(s, static_cast<uint32_t>(v), 4) + "\r\n" + Text(s, TextId::Msg52) +
                 Dec2Hex(s, static_cast<uint32_t>(expected), 4));
}

void Advance30(Session& s, double step) {
  s.window->SetProgress(s.window->Progress() + step);
  s.window->DoEvents();
}

}  // namespace krv
