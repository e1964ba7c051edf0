// The main window under the offscreen platform: start-up, shut-down, language, the
// configuration dialog's place, the busy state and the message boxes.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include <unistd.h>

#include "core/helpers.h"
#include "core/ini.h"
#include "core/session.h"
#include "core/settings.h"
#include "editors/config_dialog.h"
#include "link/device_monitor.h"
#include "link/link.h"
#include "shell/about_dialog.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/settings_dialog.h"
#include "sim/programmer.h"
#include "support/qt_environment.h"
#include "support/test_session.h"
#include "widgets/pictures.h"

namespace krv {
namespace {

// The main window with its message boxes recorded and answered from a script.
class TestWindow : public MDIForm1 {
 public:
  using MDIForm1::MDIForm1;
  int MsgBox(const std::string& text, int style, const std::string& title) override {
    boxes.push_back({text, style, title});
    return answer;
  }
  void FillBuffers() override {
    if (duringCommand) duringCommand();
  }
  std::string ChooseHexFile(bool save) override {
    chosen.push_back(save);
    return hexFile;
  }
  std::vector<test::MsgBoxCall> boxes;
  int answer = mb::kOk;
  std::function<void()> duringCommand;
  std::string hexFile;       // what the file dialog gives
  std::vector<bool> chosen;  // every file dialog: true for Save
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void CopyLanguageFiles(const std::string& folder) {
  for (const char* f : {"English.ini", "Spanish.ini"})
    std::filesystem::copy_file(std::string(KRV330_LANG_DIR) + "/" + f, folder + "/" + f);
}

// One run of the program in a folder of its own.
struct Program {
  explicit Program(std::string folder_ = test::TempDir(), std::string lock_ = "")
      : folder(std::move(folder_)), lock(lock_.empty() ? folder + "/instance.lock" : lock_) {}

  // Starts with a simulated programmer (plugged in or not) and a device to select.
  bool Start(bool plugged = true, const std::string& device = "",
             std::unique_ptr<DeviceMonitor> monitor = nullptr) {
    programmer = std::make_shared<sim::Programmer>();
    programmer->plugged = plugged;
    auto transport = std::make_unique<sim::SimTransport>(programmer);
    StartOptions opt;
    opt.programFolder = folder;
    opt.lockPath = lock;
    opt.transport = std::move(transport);
    opt.selectDevice = device;
    opt.monitor = std::move(monitor);
    return w.Startup(std::move(opt));
  }
  template <class T>
  T* Find(const char* name) {
    return w.findChild<T*>(name);
  }
  std::string Label(const char* name) { return Find<QLabel>(name)->text().toStdString(); }
  // Chooses an entry of "cboFamily" or "cboDevices" as a user does.
  void Choose(const char* boxName, const char* text) {
    QComboBox* box = Find<QComboBox>(boxName);
    const int i = box->findText(text);
    box->setCurrentIndex(i);
    emit box->activated(i);
  }
  QWidget* Dialog() { return dynamic_cast<QWidget*>(w.CurrentCfgForm()); }

  std::string folder, lock;
  Session s;
  TestWindow w{s};
  std::shared_ptr<sim::Programmer> programmer;
};

// A device monitor whose events are bytes written into a pipe.
class PipeMonitor : public DeviceMonitor {
 public:
  PipeMonitor() { EXPECT_EQ(::pipe(fds_), 0); }
  ~PipeMonitor() override {
    ::close(fds_[0]);
    ::close(fds_[1]);
  }
  int Fd() const override { return fds_[0]; }
  bool TakeEvents() override {
    char c;
    return ::read(fds_[0], &c, 1) == 1;
  }
  void Event() { EXPECT_EQ(::write(fds_[1], "x", 1), 1); }

 private:
  int fds_[2] = {-1, -1};
};

TEST(MainWindow, StartsWithoutProgrammerAndRunsOnUntilItIsPluggedIn) {
  Program p;
  auto monitor = std::make_unique<PipeMonitor>();
  PipeMonitor* events = monitor.get();
  ASSERT_TRUE(p.Start(false, "", std::move(monitor)));
  EXPECT_EQ(p.w.windowTitle().toStdString(), kAppTitle);
  EXPECT_EQ(p.Label("lblInfo"), Text(p.s, TextId::Msg1));
  EXPECT_EQ(p.Label("lblHardware"), "Hw.: Unknown");
  EXPECT_EQ(p.Find<QLabel>("imgHardOnOff")->property("picture").toString(), "HardOff");
  EXPECT_TRUE(p.w.boxes.empty()) << "the status line tells it, no box";
  EXPECT_FALSE(p.s.link.present);
  // The placeholder device with its dialog.
  EXPECT_EQ(p.s.dev.DeviceName, "PICunknown");
  QComboBox* family = p.Find<QComboBox>("cboFamily");
  EXPECT_EQ(family->currentIndex(), -1);
  EXPECT_EQ(family->placeholderText(), "UNKNOWN");
  QStringList families;
  for (int i = 0; i < family->count(); ++i) families << family->itemText(i);
  EXPECT_EQ(families, QStringList({"PIC10", "PIC12", "PIC16", "PIC18", "dsPIC30"}));
  ASSERT_NE(p.Dialog(), nullptr);
  EXPECT_EQ(p.Dialog()->objectName(), "frm16F54");
  EXPECT_EQ(p.Dialog()->parentWidget()->objectName(), "MDIClient");
  EXPECT_TRUE(p.Find<QWidget>("txtIcsp")->isHidden());
  // The window size of the default settings, 8300 x 8200 twips (553 x 547 pixels), made
  // wide enough for the toolbar and its device boxes.
  EXPECT_EQ(p.w.height(), 547);
  EXPECT_GE(p.w.width(), 553);
  EXPECT_GE(p.w.width(), p.w.sizeHint().width());
  // The toolbar: every button drawn, the test button hidden, identification and Update
  // disabled.
  for (const char* key : {"Open", "Save", "Update", "Fill", "Read", "Verify", "DevID", "Write",
                          "Erase", "Detect", "Stop"}) {
    QAction* a = p.Find<QAction>(key);
    ASSERT_NE(a, nullptr) << key;
    EXPECT_TRUE(a->isVisible()) << key;
    EXPECT_FALSE(a->icon().isNull()) << key;
  }
  EXPECT_FALSE(p.Find<QAction>("Prueba")->isVisible());
  for (const char* key : {"DevID", "Detect"}) {
    EXPECT_FALSE(p.Find<QAction>(key)->isEnabled());
    EXPECT_NE(p.Find<QAction>(key)->toolTip().indexOf("identification is not available"), -1);
  }
  EXPECT_FALSE(p.Find<QAction>("Update")->isEnabled()) << "until a HEX file was loaded";
  EXPECT_FALSE(p.Find<QAction>("mnuFileUpdate")->isEnabled());

  // Plug and unplug events reach the link and the display.
  p.programmer->plugged = true;
  events->Event();
  QCoreApplication::processEvents();
  EXPECT_TRUE(p.s.link.present);
  EXPECT_EQ(p.Label("lblHardware"), "Hw.:KRV330");
  EXPECT_EQ(p.Label("lblVersion"), "Ver.:");
  EXPECT_EQ(p.Find<QLabel>("imgHardOnOff")->property("picture").toString(), "HardOn");
  p.programmer->plugged = false;
  events->Event();
  QCoreApplication::processEvents();
  EXPECT_FALSE(p.s.link.present);
  EXPECT_EQ(p.Label("lblHardware"), "Hw.: Unknown");
}

TEST(MainWindow, SimulatedProgrammerIsFoundAndItsDeviceSelected) {
  Program p;
  ASSERT_TRUE(p.Start(true, "PIC30F4013"));
  EXPECT_EQ(p.Label("lblHardware"), "Hw.:KRV330");
  EXPECT_EQ(p.s.dev.DeviceName, "PIC30F4013");
  EXPECT_EQ(p.Find<QComboBox>("cboFamily")->currentText(), "dsPIC30");
  EXPECT_EQ(p.Find<QComboBox>("cboDevices")->currentText(), "PIC30F4013");
  EXPECT_EQ(p.Dialog()->objectName(), "frm30F");
  EXPECT_FALSE(p.Find<QWidget>("txtIcsp")->isHidden());
}

TEST(MainWindow, SecondInstanceShowsMsg2AndTouchesNothing) {
  Program first;
  ASSERT_TRUE(first.Start());
  // The second instance speaks the language of the settings file.
  CopyLanguageFiles(first.folder);
  std::ofstream(SettingsPath(first.folder)) << "[Parameters]\nLanguage=Spanish\n";
  const std::string before = ReadAll(SettingsPath(first.folder));

  Program second(first.folder, first.lock);
  EXPECT_FALSE(second.Start());
  ASSERT_EQ(second.w.boxes.size(), 1u);
  EXPECT_EQ(second.w.boxes[0].text, "La aplicación ya está en ejecución");
  EXPECT_EQ(second.w.boxes[0].style, 48);
  EXPECT_EQ(second.s.link.transport, nullptr) << "the programmer was not opened";
  EXPECT_FALSE(second.s.link.present);
  EXPECT_TRUE(second.programmer->Reports().empty());
  second.w.close();
  EXPECT_EQ(ReadAll(SettingsPath(first.folder)), before) << "the settings were not written";

  // Once the first has ended, a new one starts.
  first.w.close();
  Program third(first.folder, first.lock);
  EXPECT_TRUE(third.Start());
}

TEST(MainWindow, LockThatCannotBeMadeDoesNotStopTheProgram) {
  Program p(test::TempDir(), "/nonexistent-dir/krv330.lock");
  EXPECT_TRUE(p.Start());
  EXPECT_TRUE(p.w.boxes.empty());
}

TEST(MainWindow, ShutDownLeavesProgrammingModeAndWritesTheSettings) {
  Program p;
  ASSERT_TRUE(p.Start());
  p.Choose("cboFamily", "PIC16");
  EXPECT_EQ(p.s.dev.DeviceName, "PIC16F54") << "a family selects its first device";
  p.w.resize(600, 500);
  p.programmer->ClearLog();
  p.w.close();
  ASSERT_FALSE(p.programmer->Reports().empty());
  EXPECT_EQ(p.programmer->Reports().back(), (Report{0, kCmdExitProgMode, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(p.s.link.present);
  const std::string file = SettingsPath(p.folder);
  EXPECT_EQ(ReadIni(file, "Parameters", "LastDev", ""), "PIC16F54");
  EXPECT_EQ(ReadIni(file, "Parameters", "MeWidth", ""), "9000");
  EXPECT_EQ(ReadIni(file, "Parameters", "MeHeight", ""), "7500");
  for (const char* key :
       {"StartSel", "VWhile", "VAfter", "EEAddrFile18", "BulkProg", "DelICSP", "Language"})
    EXPECT_NE(ReadIni(file, "Parameters", key, ""), "") << key;
}

TEST(MainWindow, UnchangedWindowSizeKeepsItsTwips) {
  Program p;
  std::ofstream(SettingsPath(p.folder)) << "[Parameters]\nMeWidth=11701\nMeHeight=8199\n";
  ASSERT_TRUE(p.Start());
  p.w.close();
  EXPECT_EQ(ReadIni(SettingsPath(p.folder), "Parameters", "MeWidth", ""), "11701");
  EXPECT_EQ(ReadIni(SettingsPath(p.folder), "Parameters", "MeHeight", ""), "8199");
}

TEST(MainWindow, SettingsThatCannotBeWrittenAreReported) {
  Program p;
  std::filesystem::create_directory(SettingsPath(p.folder));  // in the file's way
  ASSERT_TRUE(p.Start());
  p.w.close();
  EXPECT_EQ(p.Label("lblInfo"), "The settings could not be saved to " + SettingsPath(p.folder));
}

TEST(MainWindow, LanguageSwitchesAtOnceFromTheSettingsDialog) {
  Program p;
  CopyLanguageFiles(p.folder);
  std::ofstream(SettingsPath(p.folder)) << "[Parameters]\nLanguage=English\n";
  ASSERT_TRUE(p.Start());
  const auto menu = [&](const char* name) { return p.Find<QMenu>(name)->title().toStdString(); };
  const auto item = [&](const char* name) { return p.Find<QAction>(name)->text().toStdString(); };
  EXPECT_EQ(menu("mnuDevice"), "&Device");
  EXPECT_EQ(item("mnuDeviceRead"), "&Read All");
  EXPECT_EQ(p.Find<QAction>("Read")->toolTip().toStdString(), "Read the device");
  EXPECT_EQ(p.Label("lblCode"), "Program memory");

  SettingsDialog dlg(
      p.s, [&] { p.w.SetLanguage(); }, &p.w);
  auto* languages = dlg.findChild<QComboBox*>("cboLanguage");
  EXPECT_EQ(languages->currentText(), "English");
  EXPECT_EQ(languages->count(), 2) << "KRV330.ini is not a language";
  const int spanish = languages->findText("Spanish");
  ASSERT_GE(spanish, 0);
  languages->setCurrentIndex(spanish);
  emit languages->activated(spanish);

  EXPECT_EQ(p.s.settings.Language, "Spanish");
  EXPECT_EQ(menu("mnuDevice"), "&Dispositivo");
  EXPECT_EQ(item("mnuDeviceRead"), "&Leer todo");
  EXPECT_EQ(p.Find<QAction>("Read")->toolTip().toStdString(), "Leer el dispositivo");
  EXPECT_EQ(p.Label("lblCode"), "Memoria de programa");
  EXPECT_EQ(dlg.windowTitle().toStdString(), "Configuración");
  EXPECT_EQ(Text(p.s, TextId::Msg3), "¿Desea cancelar la acción en curso?");

  // Written at shut-down.
  p.w.close();
  EXPECT_EQ(ReadIni(SettingsPath(p.folder), "Parameters", "Language", ""), "Spanish");
}

TEST(MainWindow, SettingsDialogEditsTheSettingsInMemory) {
  Program p;
  ASSERT_TRUE(p.Start());
  {
    SettingsDialog dlg(p.s, nullptr, &p.w);
    EXPECT_FALSE(dlg.findChild<QCheckBox*>("cheDelICSP")->isEnabled()) << "not a dsPIC30 part";
    EXPECT_TRUE(dlg.findChild<QCheckBox*>("cheVWhile")->isChecked());
    dlg.findChild<QCheckBox*>("cheVAfter")->setChecked(true);
    dlg.findChild<QCheckBox*>("cheVWhile")->setChecked(false);
    dlg.findChild<QCheckBox*>("cheEEAddrFile18")->setChecked(false);
  }
  EXPECT_EQ(p.s.settings.VAfter, 1);
  EXPECT_EQ(p.s.settings.VWhile, 0);
  EXPECT_EQ(p.s.settings.EEAddrFile18, 0);
  EXPECT_FALSE(std::filesystem::exists(SettingsPath(p.folder))) << "written at shut-down only";

  p.Choose("cboFamily", "dsPIC30");
  SettingsDialog dlg(p.s, nullptr, &p.w);
  auto* del = dlg.findChild<QCheckBox*>("cheDelICSP");
  EXPECT_TRUE(del->isEnabled());
  del->setChecked(true);
  EXPECT_EQ(p.s.settings.DelICSP, 1);
}

TEST(MainWindow, ConfigurationDialogFillsTheClientAreaAndIsReplacedOnlyWhenNeeded) {
  Program p;
  ASSERT_TRUE(p.Start());
  p.w.show();
  QCoreApplication::processEvents();
  QWidget* area = p.Find<QWidget>("MDIClient");
  QWidget* first = p.Dialog();
  EXPECT_EQ(first->geometry(), QRect(QPoint(0, 0), area->size()));
  EXPECT_TRUE(first->isVisible());

  p.w.resize(p.w.width() + 120, p.w.height() + 80);
  QCoreApplication::processEvents();
  EXPECT_EQ(first->geometry(), QRect(QPoint(0, 0), area->size())) << "kept fitted";

  // Another device of the same dialog: the dialog shown is refreshed, not replaced.
  p.Choose("cboFamily", "PIC16");
  EXPECT_EQ(p.Dialog(), first);

  p.Choose("cboFamily", "dsPIC30");
  EXPECT_EQ(p.Dialog()->objectName(), "frm30F");
  EXPECT_TRUE(area->findChildren<QWidget*>("frm16F54").isEmpty()) << "the old one is gone";
  EXPECT_EQ(p.Dialog()->geometry(), QRect(QPoint(0, 0), area->size()));
  EXPECT_TRUE(p.Dialog()->isVisible());

  // Choosing the family or device shown again keeps the buffers.
  p.s.buf.CodeBuffer.Set(0, 0x12);
  p.Choose("cboFamily", "dsPIC30");
  p.Choose("cboDevices", p.s.dev.DeviceName.c_str());
  EXPECT_EQ(p.s.buf.CodeBuffer.Get(0), 0x12);
  p.Choose("cboFamily", "PIC18");
  EXPECT_EQ(p.s.dev.DeviceName, "PIC18F242-2439") << "a family selects its first device";
  EXPECT_EQ(p.Dialog()->objectName(), "frm18FXX2");
}

// While a command runs the dialog and the device boxes are locked, and a confirmed close
// waits for the command's end.
TEST(MainWindow, BusyCommandLocksTheDeviceChoiceAndACloseWaitsForItsEnd) {
  Program p;
  ASSERT_TRUE(p.Start());
  p.w.show();
  p.w.answer = mb::kYes;
  const auto enabled = [&] {
    return std::array{p.Dialog()->isEnabled(), p.Find<QComboBox>("cboFamily")->isEnabled(),
                      p.Find<QComboBox>("cboDevices")->isEnabled()};
  };
  std::array<bool, 3> enabledInside{true, true, true};
  bool visibleAfterClose = false;
  p.w.duringCommand = [&] {
    enabledInside = enabled();
    p.w.close();
    visibleAfterClose = p.w.isVisible();
    EXPECT_TRUE(p.s.run.CancelRequested);
    EXPECT_FALSE(std::filesystem::exists(SettingsPath(p.folder)));
  };
  p.Find<QAction>("mnuBuffersFill")->trigger();
  EXPECT_EQ(enabledInside, (std::array{false, false, false}));
  EXPECT_EQ(enabled(), (std::array{true, true, true}));
  EXPECT_TRUE(visibleAfterClose);
  ASSERT_EQ(p.w.boxes.size(), 1u);
  EXPECT_EQ(p.w.boxes[0].text, Text(p.s, TextId::Msg3));
  EXPECT_FALSE(p.w.isVisible()) << "closed once the command returned";
  EXPECT_TRUE(std::filesystem::exists(SettingsPath(p.folder)));
}

TEST(MainWindow, WindowSeamDrivesTheStatusArea) {
  Program p;
  ASSERT_TRUE(p.Start());
  p.w.SetInfo("Reading CODE...");
  EXPECT_EQ(p.Label("lblInfo"), "Reading CODE...");
  p.w.SetProgressMax(4096);
  p.w.SetProgress(1024);
  EXPECT_EQ(p.w.Progress(), 1024);
  p.w.SetProgress(5000);  // past the maximum: kept, shown full
  EXPECT_EQ(p.w.Progress(), 5000);
  p.w.SetCSum("CSum: D406");
  EXPECT_EQ(p.Label("lblCSum"), "CSum: D406");
  p.w.SetVppPicture(true);
  EXPECT_EQ(p.Find<QLabel>("imgVpp")->property("picture").toString(), "VppOn");
  p.w.SetVppPicture(false);
  EXPECT_EQ(p.Find<QLabel>("imgVpp")->property("picture").toString(), "VppOff");
}

TEST(MainWindow, FileThatDoesNotLoadLeavesCaptionAndUpdateAsTheyWere) {
  Program p;
  ASSERT_TRUE(p.Start());
  p.w.hexFile = p.folder + "/missing.hex";
  p.Find<QAction>("mnuFileOpen")->trigger();
  p.Find<QAction>("Open")->trigger();
  EXPECT_EQ(p.w.chosen, (std::vector<bool>{false, false}));
  EXPECT_EQ(p.w.windowTitle().toStdString(), kAppTitle);
  EXPECT_FALSE(p.Find<QAction>("Update")->isEnabled());
  EXPECT_FALSE(p.Find<QAction>("mnuFileUpdate")->isEnabled());

  p.w.hexFile.clear();  // the dialog was cancelled
  p.Find<QAction>("mnuFileSave")->trigger();
  EXPECT_EQ(p.w.chosen.back(), true);
}

TEST(AboutDialog, ShowsTheTitleAndNoFirmwareVersion) {
  test::TestSession t;
  AboutDialog dlg(t.s);
  EXPECT_EQ(dlg.findChild<QLabel*>("lblTitle")->text().toStdString(), kAppTitle);
  EXPECT_TRUE(dlg.findChild<QLabel*>("lblFirmware")->text().endsWith("Ver.:"));
  EXPECT_FALSE(dlg.findChild<QLabel*>("imgLogo")->pixmap().isNull());
  EXPECT_EQ(dlg.windowTitle(), "About");
}

TEST(Pictures, StatesAreDrawnApartAndUnknownKeysAreNull) {
  EXPECT_EQ(Picture("Exit", 24).size(), QSize(24, 24));
  EXPECT_TRUE(Picture("NoSuchPicture").isNull());
  EXPECT_NE(Picture("VppOn").toImage(), Picture("VppOff").toImage());
  EXPECT_NE(Picture("HardOn").toImage(), Picture("HardOff").toImage());
  EXPECT_NE(Picture("Down").toImage(), Picture("Up").toImage());
}

struct BoxCase {
  int style;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton press;
  int answer;
};

TEST(MessageBox, StyleCodesGiveIconButtonsAndAnswers) {
  const BoxCase cases[] = {
      {16, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok, mb::kOk},
      {48, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok, mb::kOk},
      {64, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, mb::kOk},
      {36, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, mb::kNo},
      {52, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, mb::kNo},
      {68, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
       mb::kYes},
      {49, QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
       mb::kCancel},
  };
  for (const BoxCase& c : cases) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString title;
    // Runs once the box's own event loop has started.
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      icon = box->icon();
      buttons = box->standardButtons();
      title = box->windowTitle();
      box->button(c.press)->click();
    });
    EXPECT_EQ(ShowMessageBox(nullptr, "text", c.style, "KRV330 - V1.25"), c.answer) << c.style;
    EXPECT_EQ(icon, c.icon) << c.style;
    EXPECT_EQ(buttons, c.buttons) << c.style;
    EXPECT_EQ(title, "KRV330 - V1.25");
  }
}

}  // namespace
}  // namespace krv
