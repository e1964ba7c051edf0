// Host time per report of the dsPIC30 write and verify, against the in-process simulator:
// the largest part (49152 instructions, 4 KB of EEPROM) with every row in use.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "buffers/buffers.h"
#include "operations/dspic30/dspic30.h"
#include "shell/clock.h"
#include "shell/session.h"
#include "shell/window.h"
#include "sim/dspic30_chip.h"
#include "sim/programmer.h"

namespace {

using namespace krv;

class QuietWindow final : public Window {
 public:
  void SetInfo(const std::string&) override {}
  void SetProgressMax(double) override {}
  void SetProgress(double v) override { progress_ = v; }
  double Progress() const override { return progress_; }
  void SetCSum(const std::string&) override {}
  void SetVppPicture(bool) override {}
  void ShowConnection(const std::string&, const std::string&, bool) override {}
  void DoEvents() override {}
  void Beep() override {}
  void SetBusyPointer(bool) override {}
  int MsgBox(const std::string&, int, const std::string&) override { return mb::kOk; }
  void ShowWindows() override {}
  ConfigDialog* CurrentCfgForm() override { return nullptr; }
  void SetBusy(bool) override {}

 private:
  double progress_ = 0;
};

class NoWaitClock final : public Clock {
 public:
  uint64_t TickMs() override { return now_; }
  void SleepMs(int ms) override { now_ += static_cast<uint64_t>(ms); }

 private:
  uint64_t now_ = 0;
};

struct Bench {
  Bench() {
    DeviceRow& r = s.dev;
    r.Name = "PIC30F6014";
    r.family = Family::PIC30;
    r.CoreWidth = 24;
    r.CodeSize = 49152;
    r.DataSize = 4096;
    r.ExecSize = 736;
    r.DataStart30 = 0x800000 - 4096;
    r.ConfigMasks = {0xC30F, 0x803F, 0x87B3, 0x310F, 0x330F, 0x0007, 0xC003};
    s.dev.DeviceName = r.Name;
    s.window = &window;
    s.clock = &clock;
    s.LangFile = "/nonexistent/English.ini";
    SizeBuffers(s);
    std::mt19937 rng(1);
    for (ByteBuffer* b : {&s.buf.CodeBuffer, &s.buf.ExecBuffer, &s.buf.DataBuffer})
      for (int32_t i = 0; i < b->UBound(); ++i) b->Set(i, i % 4 == 3 ? 0 : rng() & 0xFF);
    for (int32_t i = 2; i < s.buf.DataBuffer.UBound(); i += 4) {
      s.buf.DataBuffer.Set(i, 0);
      s.buf.DataBuffer.Set(i + 1, 0);
    }
    for (size_t k = 1; k <= 7; ++k) s.cfg.Config[k] = r.ConfigMasks[k - 1];
    programmer = std::make_shared<sim::Programmer>(sim::MakeDsPic30Chip(r));
    s.link.transport = std::make_unique<sim::SimTransport>(programmer);
    BuscaHID(s);
  }
  QuietWindow window;
  NoWaitClock clock;
  Session s;
  std::shared_ptr<sim::Programmer> programmer;
};

void Run(benchmark::State& state, void (*operation)(Session&), int vwhile) {
  Bench b;
  b.s.settings.VWhile = vwhile;
  b.s.settings.VAfter = 0;
  if (operation == VerifyPIC30) WritePIC30(b.s);
  size_t reports = 0, answers = 0;
  for (auto _ : state) {
    operation(b.s);
    state.PauseTiming();
    reports = b.programmer->reports.size();
    answers = b.programmer->answers.size();
    if (!b.s.run.OperationOK || !b.programmer->errors.empty()) state.SkipWithError("failed");
    b.programmer->ClearLog();
    state.ResumeTiming();
  }
  state.counters["reports"] = static_cast<double>(reports);
  state.counters["answers"] = static_cast<double>(answers);
  state.counters["host_s_per_report"] = benchmark::Counter(
      static_cast<double>(reports),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_WritePIC30_ReadBack(benchmark::State& state) {
  Run(state, WritePIC30, 1);
}
void BM_WritePIC30(benchmark::State& state) {
  Run(state, WritePIC30, 0);
}
void BM_VerifyPIC30(benchmark::State& state) {
  Run(state, VerifyPIC30, 1);
}
BENCHMARK(BM_WritePIC30_ReadBack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePIC30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerifyPIC30)->Unit(benchmark::kMillisecond);

}  // namespace
