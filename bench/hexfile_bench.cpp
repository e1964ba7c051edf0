// HEX files and dump text of the largest dsPIC30 (49152 instructions, 4 KB EEPROM).
// With KRV330_BENCH_HEX=path the image is also saved there first (for
// hexfile_vs_srec_cat.sh).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "buffers/buffers.h"
#include "buffers/dump.h"
#include "buffers/hexfile/hexfile.h"
#include "devices/catalogue.h"
#include "shell/session.h"
#include "shell/window.h"

namespace {

using namespace krv;

class NullWindow final : public Window {
 public:
  void SetInfo(const std::string&) override {}
  void SetProgressMax(double) override {}
  void SetProgress(double) override {}
  double Progress() const override { return 0; }
  void SetCSum(const std::string&) override {}
  void SetVppPicture(bool) override {}
  void ShowConnection(const std::string&, const std::string&, bool) override {}
  void DoEvents() override {}
  void Beep() override {}
  void SetBusyPointer(bool) override {}
  int MsgBox(const std::string& text, int, const std::string&) override {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::abort();
  }
  void ShowWindows() override {}
  ConfigDialog* CurrentCfgForm() override { return nullptr; }
  void SetBusy(bool) override {}
};

// The largest dsPIC30 with every instruction and EEPROM word holding data.
struct Largest {
  NullWindow window;
  Session s;
  Largest() {
    s.window = &window;
    s.LangFile = "/nonexistent/English.ini";
    const DeviceRow* row = FindDevice("PIC30F6014A");
    static_cast<DeviceRow&>(s.dev) = row ? *row : *FindDevice("PIC30F4013");
    s.dev.DeviceName = "PIC30F6014A";
    s.dev.CodeSize = 49152;
    s.dev.DataSize = 4096;
    s.dev.DataStart30 = 0x800000 - 4096;
    InitWindows(s);
    uint32_t x = 12345;
    const auto fill = [&x](ByteBuffer& b, int32_t count, int used) {
      for (int32_t i = 0; i < count; ++i) {
        x = x * 1103515245u + 12345u;
        b.Set(i, i % 4 < used ? (x >> 16) & 0xFF : 0);
      }
    };
    fill(s.buf.CodeBuffer, 4 * s.dev.CodeSize, 3);
    fill(s.buf.ExecBuffer, 4 * s.dev.ExecSize, 3);
    fill(s.buf.DataBuffer, 2 * s.dev.DataSize, 2);
  }
};

Largest& Image() {
  static Largest image;
  return image;
}

std::string ImagePath() {
  static const std::string path = [] {
    const auto p = std::filesystem::temp_directory_path() / "krv330-bench-largest.hex";
    ExportHexFile(Image().s, p.string());
    return p.string();
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
    benchmark::DoNotOptimize(DumpText(s, DumpArea::Code));
    benchmark::DoNotOptimize(DumpText(s, DumpArea::Exec));
    benchmark::DoNotOptimize(DumpText(s, DumpArea::Data));
  }
}
BENCHMARK(BM_DumpTextLargestDsPic30)->Unit(benchmark::kMillisecond);

// What one repaint of a view costs: the lines of one screen.
void BM_DumpOneScreen(benchmark::State& state) {
  Session& s = Image().s;
  int first = 0;
  for (auto _ : state) {
    for (int line = first; line < first + 50; ++line)
      benchmark::DoNotOptimize(DumpLine(s, DumpArea::Code, line));
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
  return 0;
}
