// Host time per report of the dsPIC30 write and verify, against the in-process simulator:
// the largest part (49152 instructions, 4 KB of EEPROM) with every row in use.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench_session.h"
#include "buffers/buffers.h"
#include "core/clock.h"
#include "core/session.h"
#include "core/window.h"
#include "operations/dspic30/dspic30.h"
#include "sim/dspic30_chip.h"
#include "sim/programmer.h"

namespace {

using namespace krv;

struct Bench : bench::LargestDsPic30 {
  Bench() {
    programmer = std::make_shared<sim::Programmer>(sim::MakeDsPic30Chip(s.dev));
    s.link.transport = std::make_unique<sim::SimTransport>(programmer);
    BuscaHID(s);
  }
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
    reports = b.programmer->Reports().size();
    answers = b.programmer->AnswersRead();
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
