#include "support/fake_window.h"

namespace krv::test {

void FakeWindow::SetInfo(const std::string& text) {
  infos.push_back(text);
  if (onShow) onShow("info " + text);
}

void FakeWindow::SetCSum(const std::string& text) {
  csum = text;
  if (onShow) onShow("csum " + text);
}

void FakeWindow::SetVppPicture(bool on) {
  vpp.push_back(on);
  if (onShow) onShow(on ? "vpp on" : "vpp off");
}

const std::string& FakeWindow::info() const {
  static const std::string kEmpty;
  return infos.empty() ? kEmpty : infos.back();
}

void FakeWindow::SetProgress(double value) {
  progress = value;
  progressValues.push_back(value);
}

void FakeWindow::ShowConnection(const std::string& hw, const std::string& ver, bool on) {
  hardware = hw;
  version = ver;
  connected = on;
}

void FakeWindow::DoEvents() {
  ++doEvents;
  if (onDoEvents) onDoEvents();
}

int FakeWindow::MsgBox(const std::string& text, int style, const std::string& title) {
  boxes.push_back({text, style, title});
  if (onShow) {
    std::string line = "box " + std::to_string(style) + " " + title + ": " + text;
    for (size_t at; (at = line.find("\r\n")) != std::string::npos;) line.replace(at, 2, "\\r\\n");
    onShow(line);
  }
  if (answers.empty()) return defaultAnswer;
  const int a = answers.front();
  answers.pop_front();
  return a;
}

void FakeWindow::ShowWindows() {
  ++showWindows;
  if (onShow) onShow("views");
  if (onShowWindows) onShowWindows();
}

}  // namespace krv::test
