#pragma once
// The window seam: everything the core needs of the screen. The main window implements
// it; tests use a recording fake.
#include <string>

namespace krv {

class ConfigDialog;

// Message-box styles and answers, as the callers test them.
namespace mb {
inline constexpr int kCritical = 16;       // error, OK button
inline constexpr int kWarning = 48;        // warning, OK button
inline constexpr int kInformation = 64;    // information, OK button
inline constexpr int kYesNoQuestion = 36;  // question, Yes and No buttons
inline constexpr int kYesNoWarning = 52;
inline constexpr int kYesNoInformation = 68;
inline constexpr int kOkCancelWarning = 49;  // warning, OK and Cancel buttons
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace mb

class Window {
 public:
  virtual ~Window() = default;

  // Status line (lblInfo).
  virtual void SetInfo(const std::string& text) = 0;
  virtual std::string Info() const = 0;
  // ProgressBar1.
  virtual void SetProgressMax(double max) = 0;
  virtual void SetProgress(double value) = 0;
  virtual double Progress() const = 0;
  // Checksum label (lblCSum).
  virtual void SetCSum(const std::string& text) = 0;
  // Vpp picture (imgVpp): "VppOn" or "VppOff".
  virtual void SetVppPicture(bool on) = 0;
  // Connection display: lblHardware, lblVersion, imgHardOnOff ("HardOn"/"HardOff").
  virtual void ShowConnection(const std::string& hardware, const std::string& version, bool on) = 0;

  // Yields to the event loop once.
  virtual void DoEvents() = 0;
  virtual void Beep() = 0;
  // Mouse pointer: busy or default.
  virtual void SetBusyPointer(bool busy) = 0;
  // A message box titled `title`; returns the answer (mb::kOk, kCancel, kYes, kNo).
  virtual int MsgBox(const std::string& text, int style, const std::string& title) = 0;

  // Rebuilds the views of the buffers, then LoadConfig.
  virtual void ShowWindows() = 0;
  // The configuration dialog shown (CurrentCfgForm), or nullptr.
  virtual ConfigDialog* CurrentCfgForm() = 0;
  // Busy state of a running command: the shown dialog disabled, the device boxes locked.
  virtual void SetBusy(bool busy) = 0;
};

}  // namespace krv
