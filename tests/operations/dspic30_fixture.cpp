#include "dspic30_fixture.h"

#include <random>

#include "buffers/buffers.h"
#include "link/commands.h"
#include "link/link.h"
#include "shell/helpers.h"
#include "shell/session.h"

namespace krv::test {

DeviceRow DsPic30Row(const char* name, int32_t code, int32_t data, int32_t exec, uint16_t mask1) {
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

DeviceRow TinyRow() {
  return DsPic30Row("PIC30FTEST", 64, 64, 32);
}

DsPic30Session::DsPic30Session(const DeviceRow& row) {
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

void DsPic30Session::BlankBuffers() {
  for (ByteBuffer* b : {&s.buf.CodeBuffer, &s.buf.ExecBuffer})
    for (int32_t i = 0; i + 3 < b->Size(); i += 4) SetInstruction(*b, i / 4, 0xFFFFFF);
  for (int m = 0; 4 * m + 3 < s.buf.DataBuffer.Size(); ++m) SetDataWord(m, 0xFFFF);
  // Blank registers as the configuration dialog leaves them: 0xFFFF And the device's masks.
  for (size_t k = 1; k <= 7; ++k) s.cfg.Config[k] = s.dev.ConfigMasks[k - 1];
}

void DsPic30Session::FillBuffers(uint8_t v) {
  for (ByteBuffer* b : {&s.buf.CodeBuffer, &s.buf.ExecBuffer, &s.buf.DataBuffer})
    for (int32_t i = 0; i < b->UBound(); ++i) b->Set(i, v);  // the top element is spare
  for (size_t k = 1; k <= 7; ++k) s.cfg.Config[k] = v;
}

void DsPic30Session::SetInstruction(ByteBuffer& buf, int n, uint32_t v) {
  buf.Set(4 * n, v & 0xFF);
  buf.Set(4 * n + 1, (v >> 8) & 0xFF);
  buf.Set(4 * n + 2, (v >> 16) & 0xFF);
  buf.Set(4 * n + 3, 0);
}

uint32_t DsPic30Session::Instruction(const ByteBuffer& buf, int n) const {
  return static_cast<uint32_t>(buf.Get(4 * n + 2)) << 16 | buf.Get(4 * n + 1) << 8 | buf.Get(4 * n);
}

void DsPic30Session::SetDataWord(int m, uint16_t v) {
  ByteBuffer& b = s.buf.DataBuffer;
  b.Set(4 * m, v & 0xFF);
  b.Set(4 * m + 1, v >> 8);
  b.Set(4 * m + 2, 0);
  b.Set(4 * m + 3, 0);
}

uint16_t DsPic30Session::DataWord(int m) const {
  const ByteBuffer& b = s.buf.DataBuffer;
  return static_cast<uint16_t>(b.Get(4 * m + 1) << 8 | b.Get(4 * m));
}

void DsPic30Session::RandomImage(unsigned seed) {
  std::mt19937 rng(seed);
  auto any = [&](uint32_t n) { return static_cast<uint32_t>(rng() % n); };
  BlankBuffers();
  // Whole rows, single instructions and runs across row and block edges.
  auto scatter = [&](ByteBuffer& buf, int instructions) {
    for (int n = 0; n < instructions; ++n) {
      const uint32_t pick = any(100);
      if ((n / 32) % 3 == 1 || pick < 2) SetInstruction(buf, n, any(0x1000000));
    }
  };
  scatter(s.buf.CodeBuffer, s.dev.CodeSize);
  scatter(s.buf.ExecBuffer, s.dev.ExecSize);
  for (int m = 0; m < s.dev.DataSize / 2; ++m)
    if ((m / 16) % 4 == 2 || any(100) < 5) SetDataWord(m, static_cast<uint16_t>(any(0x10000)));
  for (size_t k = 1; k <= 7; ++k)
    s.cfg.Config[k] = static_cast<int32_t>(any(0x10000)) & s.dev.ConfigMasks[k - 1];
}

std::string DsPic30Session::ChipDiffersFromBuffers() const {
  auto hex = [](uint32_t v) {
    std::string out;
    FormatHex(v, 6, out);
    return out;
  };
  for (int n = 0; n < s.dev.CodeSize; ++n)
    if (chip->Code(n) != Instruction(s.buf.CodeBuffer, n))
      return "code " + std::to_string(n) + ": chip " + hex(chip->Code(n));
  for (int n = 0; n < s.dev.ExecSize; ++n)
    if (chip->Exec(n) != Instruction(s.buf.ExecBuffer, n))
      return "exec " + std::to_string(n) + ": chip " + hex(chip->Exec(n));
  for (int m = 0; m < s.dev.DataSize / 2; ++m)
    if (chip->DataWord(m) != DataWord(m))
      return "data " + std::to_string(m) + ": chip " + hex(chip->DataWord(m));
  for (int k = 1; k <= 7; ++k)
    if (chip->Config(k) !=
        (s.cfg.Config[static_cast<size_t>(k)] & s.dev.ConfigMasks[static_cast<size_t>(k - 1)]))
      return "config " + std::to_string(k) + ": chip " + hex(chip->Config(k));
  return "";
}

void DsPic30Session::PutBuffersIntoChip() {
  for (int n = 0; n < s.dev.CodeSize; ++n) chip->SetCode(n, Instruction(s.buf.CodeBuffer, n));
  for (int n = 0; n < s.dev.ExecSize; ++n) chip->SetExec(n, Instruction(s.buf.ExecBuffer, n));
  for (int m = 0; m < s.dev.DataSize / 2; ++m) chip->SetDataWord(m, DataWord(m));
  for (int k = 1; k <= 7; ++k)
    chip->SetConfig(k, static_cast<uint16_t>(s.cfg.Config[static_cast<size_t>(k)]));
}

namespace {

// Counts the reports written and stops the programmer's answers after the n-th.
class StopAnsweringTransport final : public Transport {
 public:
  StopAnsweringTransport(std::shared_ptr<sim::Programmer> p, int n) : inner_(p), p_(p), n_(n) {}
  bool Open(uint16_t v, int pid) override { return inner_.Open(v, pid); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool Write(const Report& r) override {
    const bool ok = inner_.Write(r);
    if (++written_ == n_) p_->stopAnswering = true;
    return ok;
  }
  ReadStatus Read(Report& r, int ms) override { return inner_.Read(r, ms); }
  void Close() override { inner_.Close(); }

 private:
  sim::SimTransport inner_;
  std::shared_ptr<sim::Programmer> p_;
  int n_, written_ = 0;
};

// Logs what crosses the link in both directions.
class RecordingTransport final : public Transport {
 public:
  RecordingTransport(std::shared_ptr<sim::Programmer> p, std::vector<DsPic30Session::Crossing>& log)
      : inner_(std::move(p)), log_(log) {}
  bool Open(uint16_t v, int pid) override { return inner_.Open(v, pid); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool Write(const Report& r) override {
    log_.push_back({false, r});
    return inner_.Write(r);
  }
  ReadStatus Read(Report& r, int ms) override {
    const ReadStatus status = inner_.Read(r, ms);
    if (status == ReadStatus::Ok) log_.push_back({true, {}});
    return status;
  }
  void Close() override { inner_.Close(); }

 private:
  sim::SimTransport inner_;
  std::vector<DsPic30Session::Crossing>& log_;
};

// The answers a report asks for: its answer-producing commands up to the end of its list.
int AnswersAskedFor(const Report& r) {
  int n = 0;
  for (int k = 1; k <= 8;) {
    const std::optional<CommandInfo> cmd = FindCommand(r[static_cast<size_t>(k)]);
    if (!cmd) break;
    n += cmd->answers;
    k += 1 + cmd->argBytes;
  }
  return n;
}

}  // namespace

void DsPic30Session::RecordTraffic() {
  traffic.clear();
  s.link.transport = std::make_unique<RecordingTransport>(programmer, traffic);
  transport = nullptr;
  BuscaHID(s);
}

::testing::AssertionResult DsPic30Session::AnswersReadInStep() const {
  int pending = 0;
  for (size_t i = 0; i < traffic.size(); ++i) {
    if (traffic[i].answer) {
      if (pending-- == 0) return ::testing::AssertionFailure() << "unasked answer at " << i;
      continue;
    }
    const int asked = AnswersAskedFor(traffic[i].report);
    if (pending != 0 && asked != 0)
      return ::testing::AssertionFailure() << pending << " answers unread before report " << i;
    pending += asked;
  }
  if (pending != 0) return ::testing::AssertionFailure() << pending << " answers never read";
  return ::testing::AssertionSuccess();
}

void DsPic30Session::LoseLinkAfterReport(Loss loss, int n) {
  if (loss == Loss::Unplug) {
    prog->vanishAfterReport = static_cast<int>(prog->reports.size()) + n;
    return;
  }
  s.link.transport = std::make_unique<StopAnsweringTransport>(programmer, n);
  transport = nullptr;
  BuscaHID(s);
}

::testing::AssertionResult DsPic30Session::EndedByLinkLoss(
    const std::vector<std::string>& successTexts) const {
  const std::string timeOut = Text(s, TextId::Msg9);
  int boxes = 0;
  for (const MsgBoxCall& b : window.boxes) boxes += b.text == timeOut && b.style == 16;
  if (boxes != 1) return ::testing::AssertionFailure() << boxes << " time-out boxes";
  if (s.run.OperationOK) return ::testing::AssertionFailure() << "OperationOK is True";
  if (s.run.LastErrorText != timeOut)
    return ::testing::AssertionFailure() << "LastErrorText " << s.run.LastErrorText;
  if (window.vppOn()) return ::testing::AssertionFailure() << "Vpp picture on";
  for (const std::string& t : successTexts)
    if (Showed(t)) return ::testing::AssertionFailure() << "success text " << t;
  if (s.link.present) return ::testing::AssertionFailure() << "programmer still present";
  return ::testing::AssertionSuccess();
}

bool DsPic30Session::Showed(const std::string& prefix) const {
  for (const std::string& i : window.infos)
    if (i.rfind(prefix, 0) == 0) return true;
  return false;
}

namespace {
std::string Bytes(const Report& r) {
  std::string out;
  for (int k = 1; k <= 8; ++k) {
    std::string h;
    FormatHex(r[static_cast<size_t>(k)], 2, h);
    out += (k > 1 ? " " : "") + h;
  }
  return out;
}
}  // namespace

std::vector<std::string> DsPic30Session::Traffic() const {
  std::vector<std::string> out;
  for (const Crossing& c : traffic) out.push_back(c.answer ? kAnswer : Bytes(c.report));
  return out;
}

std::vector<std::string> DsPic30Session::Reports() const {
  std::vector<std::string> out;
  for (const Report& r : prog->reports) out.push_back(Bytes(r));
  return out;
}

std::vector<std::string> Padded(const std::vector<std::string>& reports) {
  std::vector<std::string> out;
  for (std::string r : reports) {
    while (r != kAnswer && r.size() < 23) r += " 00";
    out.push_back(r);
  }
  return out;
}

std::vector<std::string> Times(int n, const std::string& report) {
  return std::vector<std::string>(static_cast<size_t>(n), report);
}

std::vector<std::string> Cat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

std::vector<std::string> TinyReadTraffic() {
  const std::vector<std::string> eight(8, kAnswer);
  const std::vector<std::string> codeBlock = Cat({{"20 20 20 20 20 20 20 20"}, eight});
  std::vector<std::string> registers;
  for (int k = 0; k < 7; ++k)
    registers.insert(registers.end(),
                     {"1D BA 0B B6 1F 1F 00", "1D 88 3C 20 1F 1E 1F 00", "25 00", kAnswer});
  return Padded(Cat({{"01 25 00", "1D 20 00 00 1D 88 01 90", "1D 20 00 06 00"},
                     codeBlock,
                     codeBlock,
                     codeBlock,
                     codeBlock,  // 64 instructions
                     {"25 00", "1D 20 08 00 1D 88 01 90", "1D 20 00 06 00"},
                     codeBlock,
                     codeBlock,  // 32 executive instructions
                     {"25 00", "1D 20 07 F0 1D 88 01 90", "1D 2F FC 06 1D EB 03 80"},
                     {"22 22 22 22 22 22 22 22"},
                     eight,  // 64 bytes from 0x7FFFC0
                     {"25 00", "1D 20 0F 80 1D 88 01 90", "1D EB 03 00 1D EB 03 80"},
                     registers,
                     {"02 00"}}));
}

std::vector<std::string> TinyReadStream() {
  std::vector<std::string> out;
  for (const std::string& r : TinyReadTraffic())
    if (r != kAnswer) out.push_back(r);
  return out;
}

}  // namespace krv::test
