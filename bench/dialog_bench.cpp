// Configuration dialogs (offscreen): a dialog made and filled, and the refill after another
// device of the same dialog is selected, which is what a device change, a read or a HEX
// load costs on screen. One pair of devices for each kind of dialog, the largest first.
#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include "bench_session.h"
#include "editors/config_dialog.h"
#include "editors/dialog_factory.h"

namespace krv::bench {
namespace {

constexpr const char* kPairs[][2] = {
    {"PIC16F84A", "PIC16F54"},    {"PIC10F206", "PIC10F200"},   {"PIC16F690", "PIC16F913"},
    {"PIC16F887", "PIC16F882"},   {"PIC16F628A", "PIC16F88"},   {"PIC18F452-4539", "PIC18F248"},
    {"PIC18F4550", "PIC18F2450"}, {"PIC18F4685", "PIC18F2480"}, {"PIC30F6014", "PIC30F2010"}};

struct Quiet {
  Quiet() {
    s.window = &window;
    s.clock = &clock;
    s.LangFile = "/nonexistent/English.ini";
  }
  QuietWindow window;
  NoWaitClock clock;
  Session s;
  QWidget area;
};

void MakeAndFill(benchmark::State& state) {
  Quiet q;
  SelectDevice(q.s, kPairs[state.range(0)][0]);
  state.SetLabel(kPairs[state.range(0)][0]);
  for (auto _ : state) {
    const ConfigDialogHandle h = CreateConfigDialog(q.s.dev.ConfigForm, q.s, &q.area);
    h.dialog->ShowConfig();
    delete h.widget;
  }
}

void DeviceChange(benchmark::State& state) {
  Quiet q;
  const auto* pair = kPairs[state.range(0)];
  SelectDevice(q.s, pair[0]);
  state.SetLabel((QString(pair[0]) + " / " + pair[1]).toStdString());
  const ConfigDialogHandle h = CreateConfigDialog(q.s.dev.ConfigForm, q.s, &q.area);
  int n = 0;
  for (auto _ : state) {
    SelectDevice(q.s, pair[++n % 2]);
    h.dialog->ShowConfig();
  }
  delete h.widget;
}

BENCHMARK(MakeAndFill)->DenseRange(0, std::size(kPairs) - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(DeviceChange)->DenseRange(0, std::size(kPairs) - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace krv::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
