// HEX files and dump text of the largest dsPIC30 (49152 instructions, 4 KB EEPROM).
// With KRV330_BENCH_HEX=path the image is also saved there first (for
// hexfile_vs_srec_cat.sh).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "bench_session.h"
#include "buffers/buffers.h"
#include "buffers/dump.h"
#include "buffers/hexfile/hexfile.h"
#include "core/session.h"
#include "core/window.h"
#include "devices/catalogue.h"

namespace {

using namespace krv;

using Largest = bench::LargestDsPic30;

Largest& Image() {
  static Largest image;
  return image;
}

// The image saved once, in a file of this run's own, removed at the end.
std::string TempImagePath() {
  return (std::filesystem::temp_directory_path() /
          ("krv330-bench-largest-" + std::to_string(getpid()) + ".hex"))
      .string();
}

std::string ImagePath() {
  static const std::string path = [] {
    ExportHexFile(Image().s, TempImagePath());
    return TempImagePath();
  }();
  return path;
}

void BM_SaveHexLargestDsPic30(benchmark::State& state) {
  const std::string path = ImagePath() + ".out";
  for (auto _ : state) benchmark::DoNotOptimize(ExportHexFile(Image().s, path));
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveHexLargestDsPic30)->Unit(benchmark::kMillisecond);

void BM_LoadHexLargestDsPic30(benchmark::State& state) {
  const std::string path = ImagePath();
  for (auto _ : state) benchmark::DoNotOptimize(ImportHexFile(Image().s, path));
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}
BENCHMARK(BM_LoadHexLargestDsPic30)->Unit(benchmark::kMillisecond);

void BM_DumpTextLargestDsPic30(benchmark::State& state) {
  Session& s = Image().s;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DumpText(s, MemoryArea::Code));
    benchmark::DoNotOptimize(DumpText(s, MemoryArea::Exec));
    benchmark::DoNotOptimize(DumpText(s, MemoryArea::Data));
  }
}
BENCHMARK(BM_DumpTextLargestDsPic30)->Unit(benchmark::kMillisecond);

// What one repaint of a view costs: the lines of one screen.
void BM_DumpOneScreen(benchmark::State& state) {
  Session& s = Image().s;
  int first = 0;
  for (auto _ : state) {
    for (int line = first; line < first + 50; ++line)
      benchmark::DoNotOptimize(DumpLine(s, MemoryArea::Code, line));
    first = (first + 977) % 6000;
  }
}
BENCHMARK(BM_DumpOneScreen)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (const char* out = std::getenv("KRV330_BENCH_HEX")) {
    std::filesystem::copy_file(ImagePath(), out, std::filesystem::copy_options::overwrite_existing);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove(TempImagePath());
  return 0;
}
