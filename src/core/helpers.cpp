#include "core/helpers.h"

#include <chrono>
#include <thread>

#include "core/clock.h"
#include "core/hex_text.h"
#include "core/session.h"
#include "core/window.h"

namespace krv {

namespace {

class SteadyClock final : public Clock {
 public:
  uint64_t TickMs() override {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  }
  void SleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace

Clock& SystemClock() {
  static SteadyClock clock;
  return clock;
}

std::string Dec2Hex(Session& s, uint32_t value, int digits) {
  std::string out;
  if (!FormatHex(value, digits, out)) {
    ShowError(s, "Dec2Hex", "Invalid procedure call or argument");
    return std::string();
  }
  return out;
}

void SleepMs(Session& s, int ms) {
  s.clock->SleepMs(ms);
}

void WaitMs(Session& s, int ms) {
  const uint64_t start = s.clock->TickMs();
  while (s.clock->TickMs() - start < static_cast<uint64_t>(ms)) {
    s.window->DoEvents();
    s.clock->SleepMs(1);
  }
}

void ShowError(Session& s, const std::string& procName, const std::string& description) {
  s.window->SetBusyPointer(false);
  s.window->Beep();
  s.window->MsgBox(description, mb::kCritical, std::string(kAppTitle) + " [" + procName + "]");
}

std::string Text(const Session& s, TextId id) {
  return Text(s.LangFile, id);
}

std::string LanguageFilePath(const Session& s) {
  return s.ProgramFolder + "/" + s.settings.Language + ".ini";
}

}  // namespace krv
