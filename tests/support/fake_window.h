#pragma once
// A recording stand-in for the main window, and a clock that never waits.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/window.h"

namespace krv::test {

struct MsgBoxCall {
  std::string text;
  int style;
  std::string title;
};

class FakeWindow : public Window {
 public:
  void SetInfo(const std::string& text) override;
  std::string Info() const override { return info(); }
  void SetProgressMax(double max) override { progressMax = max; }
  void SetProgress(double value) override;
  double Progress() const override { return progress; }
  void SetCSum(const std::string& text) override;
  void SetVppPicture(bool on) override;
  void ShowConnection(const std::string& hw, const std::string& ver, bool on) override;
  void DoEvents() override;
  void Beep() override { ++beeps; }
  void SetBusyPointer(bool busy) override { busyPointer = busy; }
  int MsgBox(const std::string& text, int style, const std::string& title) override;
  void ShowWindows() override;
  ConfigDialog* CurrentCfgForm() override { return dialog; }
  void SetBusy(bool busy) override { busyStates.push_back(busy); }

  // Every status text, in order; the current one is info().
  std::vector<std::string> infos;
  const std::string& info() const;
  double progressMax = 0, progress = 0;
  std::vector<double> progressValues;
  std::string csum;
  std::vector<bool> vpp;  // every Vpp picture change
  bool vppOn() const { return !vpp.empty() && vpp.back(); }
  std::string hardware, version;
  bool connected = false;
  int doEvents = 0;
  int beeps = 0;
  bool busyPointer = false;
  std::vector<MsgBoxCall> boxes;
  std::deque<int> answers;  // scripted answers, taken in order; then defaultAnswer
  int defaultAnswer = mb::kOk;
  int showWindows = 0;
  ConfigDialog* dialog = nullptr;
  std::vector<bool> busyStates;

  // Runs at every DoEvents (after it is counted): a test can ask for a cancel here.
  std::function<void()> onDoEvents;
  // Runs at every ShowWindows.
  std::function<void()> onShowWindows;
  // Told, in order, every change the user sees: "info <text>", "csum <text>", "vpp on",
  // "vpp off", "box <style> <title>: <text>" (CR LF written \r\n), "views".
  std::function<void(const std::string&)> onShow;
};

class FakeClock : public Clock {
 public:
  uint64_t TickMs() override { return now; }
  void SleepMs(int ms) override {
    sleeps.push_back(ms);
    now += static_cast<uint64_t>(ms);
    if (onShow) onShow("sleep " + std::to_string(ms));
  }
  uint64_t now = 1000;
  std::vector<int> sleeps;
  std::function<void(const std::string&)> onShow;  // told "sleep <ms>" at every wait
};

}  // namespace krv::test
