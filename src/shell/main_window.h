#pragma once
// The main window MDIForm1: menus, toolbar, device boxes, buffer views, status area and
// the client area in which the configuration dialog of the selected device lives. It is
// the window seam of the core and runs the start-up and the shut-down.
#include <QMainWindow>

#include <memory>
#include <string>

#include "core/settings.h"
#include "core/window.h"
#include "editors/dialog_factory.h"
#include "link/device_monitor.h"
#include "link/link.h"
#include "shell/commands.h"

class QComboBox;
class QLabel;
class QLockFile;
class QProgressBar;
class QSocketNotifier;
class QToolBar;

namespace krv {

struct Session;
class HexView;
class StatusLine;
enum class Family;

struct StartOptions {
  std::string programFolder;  // KRV330.ini and the language files
  std::string lockPath;       // held while this instance runs
  // The programmer link: the simulator or USB.
  std::unique_ptr<Transport> transport;
  // A device to select once started (the chip in the simulator's socket); empty: none.
  std::string selectDevice;
  // The watch on USB plug and unplug; none when empty.
  std::unique_ptr<DeviceMonitor> monitor;
  // The user's configuration folder, for KRV330.ini when the program folder cannot take
  // it; empty: the program folder only.
  std::string configFolder;
};

// The options of a normal run: the program's folder, the user's configuration folder, a
// lock in the user's runtime folder, the programmer on USB and the watch on USB plug and
// unplug.
StartOptions OptionsFromEnvironment();

class MDIForm1 : public QMainWindow, public Window, public CommandHost {
  Q_OBJECT
 public:
  explicit MDIForm1(Session& s, QWidget* parent = nullptr);
  ~MDIForm1() override;

  // The start-up. False when another instance is running: Msg2 was shown and nothing
  // else was done (no programmer opened, no settings written); the program then ends.
  bool Startup(StartOptions opt);

  // Menu captions, toolbar tips and view labels from the language file.
  void SetLanguage();
  Commands& commands() { return commands_; }

  // Window seam.
  void SetInfo(const std::string& text) override;
  std::string Info() const override;
  void SetProgressMax(double max) override;
  void SetProgress(double value) override;
  double Progress() const override { return progress_; }
  void SetCSum(const std::string& text) override;
  void SetVppPicture(bool on) override;
  void ShowConnection(const std::string& hardware, const std::string& version, bool on) override;
  void DoEvents() override;
  void Beep() override;
  void SetBusyPointer(bool busy) override;
  int MsgBox(const std::string& text, int style, const std::string& title) override;
  void ShowWindows() override;
  ConfigDialog* CurrentCfgForm() override { return dialog_.dialog; }
  void SetBusy(bool busy) override;

  // Commands that need the window.
  void OpenHexFile() override;
  void SaveHexFile() override;
  void UpdateHexFile() override;
  void FillBuffers() override;
  void ShowSettings() override;
  void ShowAbout() override;
  void CloseWindow() override;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  // The HEX file to open or to save to; empty when the user cancelled.
  virtual std::string ChooseHexFile(bool save);

 private:
  void BuildMenus();
  void BuildToolbar();
  void BuildViews();
  void BuildStatusArea();
  void WatchDevices(std::unique_ptr<DeviceMonitor> monitor);
  void Shutdown();
  // Places the dialog named by ConfigForm in the client area and refreshes it.
  void LoadConfig();
  void PlaceConfigDialog(ConfigDialogHandle dialog);
  void ShowDevicesOf(Family f);
  void FamilyChosen(int index);
  void DeviceChosen(int index);
  // Selects a device and shows it in the two boxes.
  void ChooseDevice(const std::string& name);
  void Select(const std::string& name);
  void HexFileLoaded();
  void RestoreWindowSize();

  Session& s_;
  Commands commands_;
  SettingsFile settingsFile_;
  // The size the start-up gave the window, grown with its contents: a window of this size
  // at the end was not resized by the user.
  QSize programSize_;
  std::unique_ptr<QLockFile> lock_;
  bool started_ = false;
  bool shutDown_ = false;

  QToolBar* toolbar_ = nullptr;
  QComboBox* cboFamily_ = nullptr;
  QComboBox* cboDevices_ = nullptr;
  QWidget* clientArea_ = nullptr;
  ConfigDialogHandle dialog_;
  QLabel* lblCode_ = nullptr;
  QLabel* lblData_ = nullptr;
  QLabel* lblIcsp_ = nullptr;
  HexView* txtCode_ = nullptr;
  HexView* txtData_ = nullptr;
  HexView* txtIcsp_ = nullptr;
  StatusLine* lblInfo_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QLabel* lblCSum_ = nullptr;
  QLabel* imgVpp_ = nullptr;
  QLabel* lblHardware_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  QLabel* imgHardOnOff_ = nullptr;
  double progress_ = 0, progressMax_ = 100;
  bool busyPointer_ = false;
  std::unique_ptr<DeviceMonitor> monitor_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace krv
