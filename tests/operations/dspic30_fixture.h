#pragma once
// A session with a dsPIC30 device selected and a simulated programmer holding that chip,
// and the report notation the tests compare streams in.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "buffers/buffers.h"
#include "core/device.h"
#include "core/helpers.h"
#include "core/session.h"
#include "link/commands.h"
#include "link/link.h"
#include "sim/dspic30_chip.h"
#include "support/test_session.h"

namespace krv::test {

// A dsPIC30 catalogue row: `code` instructions, `data` bytes of EEPROM (DataStart30 =
// 0x800000 - data, or 0), `exec` executive instructions, Config1 mask `mask1`.
inline DeviceRow DsPic30Row(const char* name, int32_t code, int32_t data, int32_t exec = 736,
                            uint16_t mask1 = 0xC30F) {
  DeviceRow r{};
  r.Name = name;
  r.family = Family::PIC30;
  r.CoreWidth = 24;
  r.CodeSize = code;
  r.DataSize = data;
  r.ExecSize = exec;
  r.DataStart30 = data == 0 ? 0 : 0x800000 - data;
  r.EraseAlgorithm = 30;
  r.ConfigMasks = {mask1, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};
  r.CSumMasks30 = {0xC100, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};
  r.ConfigForm = DialogId::frm30F;
  return r;
}

// 64 instructions, 32 executive instructions, 64 bytes of EEPROM: a whole report stream
// fits in a test.
inline DeviceRow TinyRow() {
  return DsPic30Row("PIC30FTEST", 64, 64, 32);
}

// A report's bytes 1..8 as "1D 20 00 00 1D 88 01 90".
inline std::string Bytes(const Report& r) {
  char b[24];
  std::snprintf(b, sizeof b, "%02X %02X %02X %02X %02X %02X %02X %02X", r[1], r[2], r[3], r[4],
                r[5], r[6], r[7], r[8]);
  return b;
}

// An answer read, in a list of reports.
inline const std::string kAnswer = "answer";
// The report that leaves programming mode, as the programmer receives it.
inline const std::string kExit = "02 00 00 00 00 00 00 00";

// Passes the traffic to the simulated programmer; logs it when asked (each answer read as
// kAnswer), and stops the programmer's answers after the n-th report written when asked.
class TapTransport final : public Transport {
 public:
  TapTransport(std::shared_ptr<sim::Programmer> p, std::vector<std::string>* log, int stopAfter)
      : inner_(p), p_(p), log_(log), stopAfter_(stopAfter) {}
  bool Open(uint16_t v, int pid) override { return inner_.Open(v, pid); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool StillPresent() override { return inner_.StillPresent(); }
  bool Write(const Report& r) override {
    if (log_) log_->push_back(Bytes(r));
    const bool ok = inner_.Write(r);
    if (++written_ == stopAfter_) p_->stopAnswering = true;
    return ok;
  }
  ReadStatus Read(Report& r, int ms) override {
    const ReadStatus status = inner_.Read(r, ms);
    if (log_ && status == ReadStatus::Ok) log_->push_back(kAnswer);
    return status;
  }
  void Close() override { inner_.Close(); }

 private:
  sim::SimTransport inner_;
  std::shared_ptr<sim::Programmer> p_;
  std::vector<std::string>* log_;
  int stopAfter_, written_ = 0;
};

struct DsPic30Session : TestSession {
  explicit DsPic30Session(const DeviceRow& row) {
    static_cast<DeviceRow&>(s.dev) = row;
    s.dev.DeviceName = row.Name;
    for (size_t k = 0; k < 7; ++k) {
      s.cfg.ConfigMask[k] = row.ConfigMasks[k];
      s.cfg.CSumMask30[k] = row.CSumMasks30[k];
    }
    SizeBuffers(s);
    BlankBuffers();
    auto c = std::make_unique<sim::DsPic30Chip>(row);
    chip = c.get();
    prog = &AttachProgrammer(std::move(c));
  }

  // Buffers blank (instructions FF FF FF 00, data words FF FF 00 00), configuration
  // registers 0xFFFF within the device's masks, as the configuration dialog leaves them.
  void BlankBuffers() {
    for (ByteBuffer* b : {&s.buf.CodeBuffer, &s.buf.ExecBuffer, &s.buf.DataBuffer})
      for (int32_t i = 0; i + 3 < b->Size(); i += 4)
        SetInstruction(*b, i / 4, b == &s.buf.DataBuffer ? 0xFFFF : 0xFFFFFF);
    for (size_t k = 1; k <= 7; ++k) s.cfg.Config[k] = s.dev.ConfigMasks[k - 1];
  }
  // Every buffer element but the spare top one, and every configuration value, set to `v`.
  void FillBuffers(uint8_t v) {
    for (ByteBuffer* b : {&s.buf.CodeBuffer, &s.buf.ExecBuffer, &s.buf.DataBuffer})
      for (int32_t i = 0; i < b->UBound(); ++i) b->Set(i, v);
    for (size_t k = 1; k <= 7; ++k) s.cfg.Config[k] = v;
  }
  // Instruction n of an area's buffer; data word m (the same layout, third byte zero).
  static void SetInstruction(ByteBuffer& buf, int n, uint32_t v) {
    for (int i = 0; i < 4; ++i) buf.Set(4 * n + i, i < 3 ? (v >> 8 * i) & 0xFF : 0);
  }
  static uint32_t Instruction(const ByteBuffer& buf, int n) {
    return static_cast<uint32_t>(buf.Get(4 * n + 2) << 16 | buf.Get(4 * n + 1) << 8 |
                                 buf.Get(4 * n));
  }
  void SetDataWord(int m, uint16_t v) { SetInstruction(s.buf.DataBuffer, m, v); }
  uint16_t DataWord(int m) const { return Instruction(s.buf.DataBuffer, m) & 0xFFFF; }

  // An image with gaps: scattered non-blank rows, blocks and words in every area, and
  // configuration values within the device's masks. Deterministic for a seed.
  void RandomImage(unsigned seed) {
    std::mt19937 rng(seed);
    auto any = [&](uint32_t n) { return static_cast<uint32_t>(rng() % n); };
    BlankBuffers();
    // Whole rows, single instructions and runs across row and block edges.
    auto scatter = [&](ByteBuffer& buf, int instructions) {
      for (int n = 0; n < instructions; ++n)
        if (const uint32_t pick = any(100); (n / 32) % 3 == 1 || pick < 2)
          SetInstruction(buf, n, any(0x1000000));
    };
    scatter(s.buf.CodeBuffer, s.dev.CodeSize);
    scatter(s.buf.ExecBuffer, s.dev.ExecSize);
    for (int m = 0; m < s.dev.DataSize / 2; ++m)
      if ((m / 16) % 4 == 2 || any(100) < 5) SetDataWord(m, static_cast<uint16_t>(any(0x10000)));
    for (size_t k = 1; k <= 7; ++k)
      s.cfg.Config[k] = static_cast<int32_t>(any(0x10000)) & s.dev.ConfigMasks[k - 1];
  }
  // The chip takes the buffers' contents (configuration masked).
  void PutBuffersIntoChip() {
    for (int n = 0; n < s.dev.CodeSize; ++n) chip->SetCode(n, Instruction(s.buf.CodeBuffer, n));
    for (int n = 0; n < s.dev.ExecSize; ++n) chip->SetExec(n, Instruction(s.buf.ExecBuffer, n));
    for (int m = 0; m < s.dev.DataSize / 2; ++m) chip->SetDataWord(m, DataWord(m));
    for (int k = 1; k <= 7; ++k) chip->SetConfig(k, static_cast<uint16_t>(Config(k)));
  }
  // "" when the chip holds exactly the buffers (configuration masked), else the first
  // difference.
  std::string ChipDiffersFromBuffers() const {
    for (int n = 0; n < s.dev.CodeSize; ++n)
      if (chip->Code(n) != Instruction(s.buf.CodeBuffer, n)) return "code " + std::to_string(n);
    for (int n = 0; n < s.dev.ExecSize; ++n)
      if (chip->Exec(n) != Instruction(s.buf.ExecBuffer, n)) return "exec " + std::to_string(n);
    for (int m = 0; m < s.dev.DataSize / 2; ++m)
      if (chip->DataWord(m) != DataWord(m)) return "data " + std::to_string(m);
    for (int k = 1; k <= 7; ++k)
      if (chip->Config(k) != (Config(k) & s.dev.ConfigMasks[k - 1u]))
        return "Config" + std::to_string(k);
    return "";
  }
  int32_t Config(int k) const { return s.cfg.Config[static_cast<size_t>(k)]; }

  // The reports received, as Bytes gives them.
  std::vector<std::string> Reports() const {
    std::vector<std::string> out;
    for (const Report& r : prog->reports) out.push_back(Bytes(r));
    return out;
  }
  // Programming mode was left once from report `first` on, by the last report.
  bool LeftProgModeOnceAtTheEnd(size_t first = 0) const {
    const auto r = Reports();
    return r.back() == kExit &&
           std::count(r.begin() + static_cast<long>(first), r.end(), kExit) == 1;
  }
  // A status text begins with `prefix`.
  bool Showed(const std::string& prefix) const {
    return std::any_of(window.infos.begin(), window.infos.end(),
                       [&](const std::string& i) { return i.rfind(prefix, 0) == 0; });
  }
  // A cancel is asked for at every yield while the progress bar stands at `progress`.
  void CancelAt(double progress) {
    window.onDoEvents = [this, progress] {
      if (window.progress == progress) s.run.CancelRequested = true;
    };
  }

  // The link goes when the n-th report from now has been handled: the programmer is
  // unplugged, or it stays plugged but answers nothing more (every read times out).
  enum class Loss { Unplug, TimeOut };
  void LoseLinkAfterReport(Loss loss, int n) {
    if (loss == Loss::Unplug)
      prog->vanishAfterReport = static_cast<int>(prog->reports.size()) + n;
    else
      Tap(nullptr, n);
  }
  // From now on every report written and every answer read is logged in `traffic`, in the
  // order they cross the link.
  void RecordTraffic() {
    traffic.clear();
    Tap(&traffic, 0);
  }
  void Tap(std::vector<std::string>* log, int stopAfter) {
    s.link.transport = std::make_unique<TapTransport>(programmer, log, stopAfter);
    transport = nullptr;
    BuscaHID(s);
  }
  std::vector<std::string> traffic;

  // Each answer was read after the report that asked for it and before the next report that
  // asks for answers, and every answer asked for was read.
  ::testing::AssertionResult AnswersReadInStep() const {
    int pending = 0;
    for (size_t i = 0; i < traffic.size(); ++i) {
      if (traffic[i] == kAnswer) {
        if (pending-- == 0) return ::testing::AssertionFailure() << "unasked answer at " << i;
        continue;
      }
      // The answers a report asks for: its answer-producing commands up to its list's end.
      int asked = 0;
      Report r{};
      for (size_t k = 1; k <= 8; ++k)
        r[k] = static_cast<uint8_t>(std::stoi(traffic[i].substr(3 * k - 3, 2), nullptr, 16));
      for (int k = 1; k <= 8;) {
        const std::optional<CommandInfo> cmd = FindCommand(r[static_cast<size_t>(k)]);
        if (!cmd) break;
        asked += cmd->answers;
        k += 1 + cmd->argBytes;
      }
      if (pending != 0 && asked != 0)
        return ::testing::AssertionFailure() << pending << " answers unread before report " << i;
      pending += asked;
    }
    if (pending != 0) return ::testing::AssertionFailure() << pending << " answers never read";
    return ::testing::AssertionSuccess();
  }

  // The ending of an operation whose link went: the time-out box once, OperationOK False,
  // LastErrorText the time-out text, the Vpp picture off, the programmer marked absent,
  // and none of `successTexts` on the status line.
  bool EndedByLinkLoss(const std::vector<std::string>& successTexts) const {
    const std::string timeOut = Text(s, TextId::Msg9);
    const auto boxes = std::count_if(window.boxes.begin(), window.boxes.end(),
                                     [&](auto& b) { return b.text == timeOut && b.style == 16; });
    return boxes == 1 && !s.run.OperationOK && s.run.LastErrorText == timeOut && !window.vppOn() &&
           !s.link.present && NoneShowed(successTexts);
  }
  // The ending of an operation stopped by a run-time error: programming mode left by the
  // last report, the Vpp picture off, OperationOK False, one critical box with `text` under
  // the procedure's name, and none of `successTexts` on the status line.
  bool EndedByRunTimeError(const std::string& text, const std::string& proc,
                           const std::vector<std::string>& successTexts) const {
    return window.boxes.size() == 1 && window.boxes[0].text == text &&
           window.boxes[0].style == 16 &&
           window.boxes[0].title == "KRV330 - V1.25 [" + proc + "]" && Reports().back() == kExit &&
           !chip->InProgMode() && !window.vppOn() && !s.run.OperationOK && NoneShowed(successTexts);
  }
  bool NoneShowed(const std::vector<std::string>& texts) const {
    return std::none_of(texts.begin(), texts.end(), [&](auto& t) { return Showed(t); });
  }

  sim::DsPic30Chip* chip = nullptr;
  sim::Programmer* prog = nullptr;
};

// Report notation "02 00" padded to eight bytes, as the programmer receives it (kAnswer
// stays as it is).
inline std::vector<std::string> Padded(std::vector<std::string> reports) {
  for (std::string& r : reports)
    while (r != kAnswer && r.size() < 23) r += " 00";
  return reports;
}
// Joins report lists.
inline std::vector<std::string> Cat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// The one period in programming mode that reads (or verifies) the whole of TinyRow's chip:
// its reports and where each answer is read.
inline std::vector<std::string> TinyReadTraffic() {
  const std::vector<std::string> eight(8, kAnswer);
  const std::vector<std::string> block = Cat({{"20 20 20 20 20 20 20 20"}, eight});
  std::vector<std::string> registers;
  for (int k = 0; k < 7; ++k)
    registers.insert(registers.end(),
                     {"1D BA 0B B6 1F 1F 00", "1D 88 3C 20 1F 1E 1F 00", "25 00", kAnswer});
  // 64 instructions, 32 executive instructions, 64 bytes from 0x7FFFC0, seven registers.
  return Padded(Cat({{"01 25 00", "1D 20 00 00 1D 88 01 90", "1D 20 00 06 00"},
                     block,
                     block,
                     block,
                     block,
                     {"25 00", "1D 20 08 00 1D 88 01 90", "1D 20 00 06 00"},
                     block,
                     block,
                     {"25 00", "1D 20 07 F0 1D 88 01 90", "1D 2F FC 06 1D EB 03 80"},
                     {"22 22 22 22 22 22 22 22"},
                     eight,
                     {"25 00", "1D 20 0F 80 1D 88 01 90", "1D EB 03 00 1D EB 03 80"},
                     registers,
                     {"02 00"}}));
}

}  // namespace krv::test
