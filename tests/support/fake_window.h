#pragma once
// A recording stand-in for the main window, and a clock that never waits.
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
  void SetInfo(const std::string& text) override {
    infos.push_back(text);
    Show("info " + text);
  }
  std::string Info() const override { return infos.empty() ? "" : infos.back(); }
  void SetProgressMax(double max) override { progressMax = max; }
  void SetProgress(double value) override { progressValues.push_back(progress = value); }
  double Progress() const override { return progress; }
  void SetCSum(const std::string& text) override { Show("csum " + (csum = text)); }
  void SetVppPicture(bool on) override {
    vpp.push_back(on);
    Show(on ? "vpp on" : "vpp off");
  }
  void ShowConnection(const std::string& hw, const std::string&, bool) override { hardware = hw; }
  void DoEvents() override {
    ++doEvents;
    if (onDoEvents) onDoEvents();
  }
  void Beep() override { ++beeps; }
  void SetBusyPointer(bool) override {}
  int MsgBox(const std::string& text, int style, const std::string& title) override {
    boxes.push_back({text, style, title});
    std::string line = "box " + std::to_string(style) + " " + title + ": " + text;
    for (size_t at; (at = line.find("\r\n")) != std::string::npos;) line.replace(at, 2, "\\r\\n");
    Show(line);
    return mb::kOk;
  }
  void ShowWindows() override {
    ++showWindows;
    Show("views");
  }
  ConfigDialog* CurrentCfgForm() override { return dialog; }
  void SetBusy(bool) override {}
  void Show(const std::string& what) const {
    if (onShow) onShow(what);
  }

  std::vector<std::string> infos;  // every status text, in order
  double progressMax = 0, progress = 0;
  std::vector<double> progressValues;
  std::string csum, hardware;
  std::vector<bool> vpp;  // every Vpp picture change
  int doEvents = 0, beeps = 0, showWindows = 0;
  std::vector<MsgBoxCall> boxes;  // every box; each is answered OK
  ConfigDialog* dialog = nullptr;
  // Runs at every DoEvents (after it is counted): a test can ask for a cancel here.
  std::function<void()> onDoEvents;
  // Told, in order, every change the user sees: "info <text>", "csum <text>", "vpp on",
  // "vpp off", "box <style> <title>: <text>" (CR LF written \r\n), "views".
  std::function<void(const std::string&)> onShow;
};

class FakeClock : public Clock {
 public:
  uint64_t TickMs() override { return now; }
  void SleepMs(int ms) override {
    now += static_cast<uint64_t>(ms);
    if (onShow) onShow("sleep " + std::to_string(ms));
  }
  uint64_t now = 1000;
  std::function<void(const std::string&)> onShow;  // told "sleep <ms>" at every wait
};

}  // namespace krv::test
