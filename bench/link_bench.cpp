// Host time per report over the link against the in-process simulated programmer: write
// one command report and read its answer, as every dsPIC30 block does. A full-speed USB
// interrupt endpoint moves at most one report per 1 ms frame each way.
#include <benchmark/benchmark.h>

#include "core/session.h"
#include "link/link.h"
#include "sim/programmer.h"

namespace {

using krv::sim::Answer;

// A chip that does nothing and answers every read with the same bytes.
class IdleChip final : public krv::sim::Chip {
 public:
  void EnterProgMode() override {}
  void ExitProgMode() override {}
  bool InProgMode() const override { return true; }
  void Six(uint32_t) override {}
  Answer RegOut() override { return kAnswer; }
  void Nop() override {}
  Answer ReadCode() override { return kAnswer; }
  void WriteCode() override {}
  Answer ReadData() override { return kAnswer; }
  void WriteData() override {}
  void StartNvm() override {}
  void ResetPC() override {}

 private:
  static constexpr Answer kAnswer{1, 2, 3, 4, 5, 6, 7, 8};
};

struct Bench {
  Bench() {
    programmer = std::make_shared<krv::sim::Programmer>(std::make_unique<IdleChip>());
    s.link.transport = std::make_unique<krv::sim::SimTransport>(programmer);
    krv::BuscaHID(s);
    krv::SendToKRV(s, {krv::kCmdEnterProgMode});
  }
  krv::Session s;  // no window: the success path never shows anything
  std::shared_ptr<krv::sim::Programmer> programmer;
};

// SendToKRV + ReadReport under an operation, one answer per report.
void BM_ReportAndAnswer(benchmark::State& state) {
  Bench b;
  krv::OperationScope scope(b.s);
  for (auto _ : state) {
    krv::SendToKRV(b.s, {krv::kCmdRegOut30});
    krv::ReadReport(b.s);
    benchmark::DoNotOptimize(b.s.link.InReport);
    if (b.programmer->log.size() > 4096) b.programmer->ClearLog();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReportAndAnswer);

// One code block: a report of eight CmdReadCode30 and its eight answers (per answer).
void BM_ReadCodeBlock(benchmark::State& state) {
  Bench b;
  krv::OperationScope scope(b.s);
  for (auto _ : state) {
    krv::SendToKRV(b.s, {0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20});
    for (int j = 0; j < 8; ++j) krv::ReadReport(b.s);
    benchmark::DoNotOptimize(b.s.link.InReport);
    if (b.programmer->log.size() > 4096) b.programmer->ClearLog();
  }
  state.SetItemsProcessed(state.iterations() * 8);
}
BENCHMARK(BM_ReadCodeBlock);

// The transport alone, without the link's bookkeeping.
void BM_TransportWriteRead(benchmark::State& state) {
  Bench b;
  krv::Report out{};
  const krv::Report in{0, krv::kCmdRegOut30};
  for (auto _ : state) {
    b.s.link.transport->Write(in);
    b.s.link.transport->Read(out, krv::kAnswerTimeoutMs);
    benchmark::DoNotOptimize(out);
    if (b.programmer->log.size() > 4096) b.programmer->ClearLog();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TransportWriteRead);

}  // namespace
