#pragma once
// What the benchmarks share: a session without a screen or waits, holding the largest
// dsPIC30 (PIC30F6014: 49152 instructions, 4 KB of EEPROM) with data in every
// instruction and EEPROM word.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "buffers/buffers.h"
#include "core/clock.h"
#include "core/session.h"
#include "core/window.h"
#include "devices/catalogue.h"

namespace krv::bench {

// Shows nothing; a message box means the benchmark went wrong.
class QuietWindow final : public Window {
 public:
  void SetInfo(const std::string&) override {}
  std::string Info() const override { return {}; }
  void SetProgressMax(double) override {}
  void SetProgress(double v) override { progress_ = v; }
  double Progress() const override { return progress_; }
  void SetCSum(const std::string&) override {}
  void SetVppPicture(bool) override {}
  void ShowConnection(const std::string&, const std::string&, bool) override {}
  void DoEvents() override {}
  void Beep() override {}
  void SetBusyPointer(bool) override {}
  int MsgBox(const std::string& text, int, const std::string&) override {
    std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
    std::abort();
  }
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

struct LargestDsPic30 {
  LargestDsPic30() {
    s.window = &window;
    s.clock = &clock;
    s.LangFile = "/nonexistent/English.ini";
    SelectDevice(s, "PIC30F6014");
    // Pseudo-random bytes; the fourth byte of every instruction and the upper half of
    // every data word stay 0, as in any image the program holds.
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
    for (size_t k = 1; k <= 7; ++k) s.cfg.Config[k] = s.dev.ConfigMasks[k - 1];
  }
  QuietWindow window;
  NoWaitClock clock;
  Session s;
};

}  // namespace krv::bench
