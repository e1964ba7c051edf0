// The main window under the offscreen platform: start-up, plug and unplug, shut-down and
// its settings, language, the configuration dialog's place, the busy state, message boxes.
#include <sys/stat.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>
#include <QWidgetAction>

#include <filesystem>

#include <gtest/gtest.h>

#include "core/helpers.h"
#include "core/ini.h"
#include "core/session.h"
#include "editors/config_dialog.h"
#include "shell/about_dialog.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/settings_dialog.h"
#include "shell/test_data.h"
#include "sim/simulated.h"
#include "support/qt_environment.h"
#include "support/test_session.h"
#include "widgets/pictures.h"

namespace krv {
namespace {

// The main window with its message boxes logged and answered from a script, and its file
// dialog answered by the test.
class TestWindow : public MDIForm1 {
 public:
  using MDIForm1::MDIForm1;
  int MsgBox(const std::string& text, int style, const std::string&) override {
    log += " " + std::to_string(style) + ":" + text;
    return answer;
  }
  void FillBuffers() override { duringCommand(); }
  std::string ChooseHexFile(bool save) override {
    log += save ? " save?" : " open?";
    return hexFile;
  }
  std::string log, hexFile;
  int answer = mb::kOk;
  std::function<void()> duringCommand;
};

// One run of the program in a folder of its own, with a simulated programmer whose plug
// and unplug reach the window.
class MainWindowTest : public ::testing::Test {
 protected:
  bool Start(bool plugged = true, const std::string& device = "") {
    auto transport = sim::MakeSimulatedTransport(device, &programmer);
    programmer->plugged = plugged;
    return w.Startup({folder, folder + "/lock", std::move(transport), device,
                      sim::MakeSimulatedMonitor(programmer), config});
  }
  template <class T = QWidget>
  T* Find(const char* name) {
    return w.findChild<T*>(name);
  }
  QString Label(const char* name) { return Find<QLabel>(name)->text(); }
  // Title, status line, connection display, device boxes, dialog, and which of the
  // identification, Update and test buttons, the executive view, the dialog and the
  // device boxes are enabled (E), disabled (d) or hidden (h).
  std::string State() {
    QStringList out{w.windowTitle(),
                    Label("lblInfo"),
                    Label("lblHardware"),
                    Find<QLabel>("imgHardOnOff")->property("picture").toString(),
                    Find<QComboBox>("cboFamily")->currentText(),
                    Find<QComboBox>("cboDevices")->currentText(),
                    Dialog()->objectName(),
                    ""};
    const auto flag = [&](bool hidden, bool enabled) {
      out.back() += hidden ? 'h' : enabled ? 'E' : 'd';
    };
    for (const char* name : {"DevID", "Detect", "Update", "mnuFileUpdate", "Prueba"})
      flag(!Find<QAction>(name)->isVisible(), Find<QAction>(name)->isEnabled());
    for (QWidget* x : {Find("txtIcsp"), Find("cboFamily"), Find("cboDevices"), Dialog()})
      flag(!x->isVisibleTo(&w), x->isEnabled());
    return out.join("|").toStdString();
  }
  // Chooses an entry of "cboFamily" or "cboDevices" as a user does.
  void Choose(const char* boxName, const char* text) {
    QComboBox* box = Find<QComboBox>(boxName);
    box->setCurrentIndex(box->findText(text));
    emit box->activated(box->currentIndex());
  }
  QWidget* Dialog() { return dynamic_cast<QWidget*>(w.CurrentCfgForm()); }
  void UseLanguageFiles(const char* settingsFile) {
    for (const char* f : {"English.ini", "Spanish.ini"})
      std::filesystem::copy_file(std::string(KRV330_LANG_DIR) + "/" + f, folder + "/" + f);
    shelltest::WriteFile(settings, settingsFile);
  }
  std::string Setting(const char* key) { return ReadIni(settings, "Parameters", key, ""); }

  std::string folder = test::TempDir(), config = test::TempDir();
  std::string settings = folder + "/KRV330.ini";
  std::string msg1 = " 48:" + Text(Session{}, TextId::Msg1);
  Session s;
  TestWindow w{s};
  std::shared_ptr<sim::Programmer> programmer;
};

// Without a programmer the program starts on, says Msg1 once in a box and on the status
// line, and follows the programmer's plug and unplug; an event of another device changes
// nothing and a programmer that stays absent is not told again.
TEST_F(MainWindowTest, StartsWithoutProgrammerAndFollowsPlugAndUnplug) {
  ASSERT_TRUE(Start(false));
  // The default size, 8300 x 8200 twips (553 x 547 pixels), made wide enough for the
  // toolbar and its device boxes.
  EXPECT_EQ(w.height(), 547);
  EXPECT_GE(w.width(), w.sizeHint().width());
  w.show();
  EXPECT_EQ(w.log, msg1);
  EXPECT_EQ(State(), "KRV330 - V1.25|" + msg1.substr(4) +
                         "|Hw.: Unknown|HardOff||PICunknown|frm16F54|ddddhhEEE");
  QComboBox* family = Find<QComboBox>("cboFamily");
  EXPECT_EQ(family->placeholderText(), "UNKNOWN");
  EXPECT_EQ(family->count(), 5);
  EXPECT_EQ(family->itemText(4), "dsPIC30");
  for (QAction* a : Find<QToolBar>("Toolbar1")->actions())
    EXPECT_TRUE(!a->isVisible() || a->isSeparator() || qobject_cast<QWidgetAction*>(a) ||
                !a->icon().isNull())
        << a->objectName().toStdString();
  programmer->Plug();
  QCoreApplication::processEvents();
  EXPECT_EQ(State(), "KRV330 - V1.25||Hw.:KRV330|HardOn||PICunknown|frm16F54|ddddhhEEE");
  programmer->onPlugChange();  // another device
  QCoreApplication::processEvents();
  EXPECT_TRUE(s.link.present);
  programmer->Unplug();
  QCoreApplication::processEvents();
  programmer->onPlugChange();
  QCoreApplication::processEvents();
  EXPECT_FALSE(s.link.present);
  EXPECT_EQ(Label("lblHardware"), "Hw.: Unknown");
  EXPECT_EQ(w.log, msg1 + msg1);
}

// A second instance says Msg2 in the language of the settings and touches nothing; once
// the first has ended a new one starts; a lock that cannot be made stops nothing.
TEST_F(MainWindowTest, OneInstanceAtATime) {
  ASSERT_TRUE(Start());
  UseLanguageFiles("[Parameters]\nLanguage=Spanish\n");
  Session s2;
  TestWindow second{s2};
  auto transport = sim::MakeSimulatedTransport("", nullptr);
  const sim::SimTransport* link = transport.get();
  EXPECT_FALSE(second.Startup({folder, folder + "/lock", std::move(transport), "", {}, ""}));
  EXPECT_EQ(second.log, " 48:La aplicación ya está en ejecución");
  EXPECT_EQ(link->opens, 0) << "the programmer was not opened";
  second.close();
  EXPECT_EQ(Setting("MeWidth"), "") << "nor the settings written";
  w.close();
  Session s3, s4;
  TestWindow third{s3}, fourth{s4};
  EXPECT_TRUE(third.Startup({folder, folder + "/lock", nullptr, "", {}, ""}));
  EXPECT_TRUE(fourth.Startup({folder, "/nonexistent-dir/lock", nullptr, "", {}, ""}));
}

// Shut-down leaves programming mode and writes the settings: the window size only when
// the user changed it (not the size that fits the contents), otherwise the twips read.
TEST_F(MainWindowTest, ShutDownLeavesProgrammingModeAndWritesTheSettings) {
  const std::tuple<const char*, QSize, const char*> cases[] = {
      {"", {}, "8300 8200"},
      {"MeWidth=11701\nMeHeight=8199\n", {}, "11701 8199"},
      {"", {800, 700}, "12000 10500"}};
  for (const auto& [file, resize, size] : cases) {
    settings = (folder = test::TempDir()) + "/KRV330.ini";
    shelltest::WriteFile(settings, std::string("[Parameters]\n") + file);
    Session session;
    TestWindow window{session};
    auto transport = sim::MakeSimulatedTransport("PIC16F54", &programmer);
    ASSERT_TRUE(window.Startup({folder, folder + "/lock", std::move(transport), "PIC16F54"}));
    window.show();
    if (!resize.isEmpty()) window.resize(resize);
    programmer->ClearLog();
    window.close();
    EXPECT_EQ(programmer->reports, (std::vector<Report>{{0, kCmdExitProgMode}}));
    EXPECT_FALSE(session.link.present);
    EXPECT_EQ(Setting("MeWidth") + " " + Setting("MeHeight"), size);
    EXPECT_EQ(Setting("LastDev"), "PIC16F54");
  }
}

// Installed where it cannot write, the program keeps the settings in the user's folder,
// starting from the program folder's copy; where nothing can be written it says so.
TEST_F(MainWindowTest, SettingsGoWhereTheyCanBeWritten) {
  shelltest::WriteFile(settings, "[Parameters]\nVAfter=1\n");
  ::chmod(folder.c_str(), 0555);
  const bool started = Start();
  w.close();
  ::chmod(folder.c_str(), 0755);
  ASSERT_TRUE(started);
  EXPECT_EQ(Setting("MeWidth"), "");
  settings = config + "/krv330/KRV330.ini";
  EXPECT_EQ(Setting("VAfter") + Setting("MeWidth"), "18300");

  Session s2;
  TestWindow second{s2};
  std::filesystem::create_directories(folder + "/x/KRV330.ini");  // in the file's way
  ASSERT_TRUE(second.Startup({folder + "/x", folder + "/lock", nullptr, "", {}, config}));
  second.close();
  EXPECT_EQ(second.findChild<QLabel*>("lblInfo")->text().toStdString(),
            "The settings could not be saved to " + folder + "/x/KRV330.ini");
}

TEST_F(MainWindowTest, SettingsDialogEditsTheSettingsInMemoryAndSwitchesTheLanguageAtOnce) {
  UseLanguageFiles("[Parameters]\nLanguage=English\n");
  ASSERT_TRUE(Start());
  SettingsDialog dlg(
      s, [&] { w.SetLanguage(); }, &w);
  EXPECT_FALSE(dlg.findChild<QCheckBox*>("cheDelICSP")->isEnabled()) << "not a dsPIC30 part";
  dlg.findChild<QCheckBox*>("cheVAfter")->setChecked(true);
  auto* languages = dlg.findChild<QComboBox*>("cboLanguage");
  EXPECT_EQ(languages->count(), 2) << "KRV330.ini is not a language";
  languages->setCurrentIndex(languages->findText("Spanish"));
  emit languages->activated(languages->currentIndex());
  EXPECT_EQ(Find<QMenu>("mnuDevice")->title() + Find<QAction>("mnuDeviceRead")->text() +
                Find<QAction>("Read")->toolTip() + Label("lblCode") + dlg.windowTitle(),
            "&Dispositivo&Leer todoLeer el dispositivoMemoria de programaConfiguración");
  EXPECT_EQ(Setting("VAfter"), "") << "written at shut-down only";
  w.close();
  EXPECT_EQ(Setting("Language") + Setting("VAfter"), "Spanish1");
  Choose("cboFamily", "dsPIC30");
  EXPECT_TRUE(SettingsDialog(s, nullptr, &w).findChild<QCheckBox*>("cheDelICSP")->isEnabled());
}

TEST_F(MainWindowTest, ConfigurationDialogFillsTheClientAreaAndIsReplacedOnlyWhenNeeded) {
  ASSERT_TRUE(Start(true, "PIC30F4013"));
  w.show();
  EXPECT_EQ(State(), "KRV330 - V1.25||Hw.:KRV330|HardOn|dsPIC30|PIC30F4013|frm30F|ddddhEEEE");
  s.buf.CodeBuffer.Set(0, 0x12);
  Choose("cboFamily", "dsPIC30");  // the family and the device shown: the buffers stay
  Choose("cboDevices", "PIC30F4013");
  EXPECT_EQ(s.buf.CodeBuffer.Get(0), 0x12);
  Choose("cboFamily", "PIC16");  // selects its first device
  QWidget* first = Dialog();
  Choose("cboDevices", "PIC16F84A");
  EXPECT_EQ(Dialog(), first) << "another device of the same dialog: refreshed, not replaced";
  EXPECT_TRUE(Find("MDIClient")->findChildren<QWidget*>("frm30F").isEmpty()) << "the old one";
  w.resize(w.width() + 120, w.height() + 80);
  QCoreApplication::processEvents();
  EXPECT_EQ(first->geometry(), Find("MDIClient")->rect()) << "kept fitted";
  EXPECT_EQ(State(), "KRV330 - V1.25||Hw.:KRV330|HardOn|PIC16|PIC16F84A|frm16F54|ddddhhEEE");
}

// While a command runs the dialog and the device boxes are locked; a confirmed close
// waits for the command's end; a file that does not load changes neither the caption nor
// Update.
TEST_F(MainWindowTest, BusyCommandLocksTheDeviceChoiceAndACloseWaitsForItsEnd) {
  ASSERT_TRUE(Start());
  w.show();
  w.answer = mb::kYes;
  w.hexFile = folder + "/missing.hex";
  Find<QAction>("mnuFileOpen")->trigger();
  Find<QAction>("Open")->trigger();
  const std::string unread = " 16:The HEX file could not be read:\n" + w.hexFile;
  w.hexFile.clear();  // the dialog was cancelled
  Find<QAction>("mnuFileSave")->trigger();
  const std::string idle = State();
  std::string busy;
  w.duringCommand = [&] {
    busy = State();
    w.close();
    EXPECT_TRUE(w.isVisible());
  };
  Find<QAction>("mnuBuffersFill")->trigger();
  EXPECT_EQ(idle, "KRV330 - V1.25||Hw.:KRV330|HardOn||PICunknown|frm16F54|ddddhhEEE");
  EXPECT_EQ(busy, "KRV330 - V1.25||Hw.:KRV330|HardOn||PICunknown|frm16F54|ddddhhddd");
  EXPECT_EQ(State(), idle);
  EXPECT_EQ(w.log, " open?" + unread + " open?" + unread + " save? 36:" + Text(s, TextId::Msg3));
  EXPECT_FALSE(w.isVisible()) << "closed once the command returned";
  EXPECT_NE(Setting("MeWidth"), "");
}

TEST(AboutDialog, ShowsTheTitleLogoAndNoFirmwareVersion) {
  test::TestSession t;
  AboutDialog dlg(t.s);
  EXPECT_EQ(dlg.findChild<QLabel*>("lblTitle")->text().toStdString(), kAppTitle);
  EXPECT_TRUE(dlg.findChild<QLabel*>("lblFirmware")->text().endsWith("Ver.:"));
  EXPECT_FALSE(dlg.findChild<QLabel*>("imgLogo")->pixmap().isNull());
  for (const auto& [a, b] : {std::pair{"VppOn", "VppOff"}, {"HardOn", "HardOff"}, {"Down", "Up"}})
    EXPECT_NE(Picture(a).toImage(), Picture(b).toImage()) << a;
  EXPECT_TRUE(Picture("NoSuchPicture").isNull());
}

TEST(MessageBox, StyleCodesGiveIconButtonsAndAnswers) {
  using B = QMessageBox;
  const std::tuple<int, B::Icon, B::StandardButtons, B::StandardButton, int> cases[] = {
      {16, B::Critical, B::Ok, B::Ok, mb::kOk},
      {48, B::Warning, B::Ok, B::Ok, mb::kOk},
      {64, B::Information, B::Ok, B::Ok, mb::kOk},
      {36, B::Question, B::Yes | B::No, B::No, mb::kNo},
      {52, B::Warning, B::Yes | B::No, B::No, mb::kNo},
      {68, B::Information, B::Yes | B::No, B::Yes, mb::kYes},
      {49, B::Warning, B::Ok | B::Cancel, B::Cancel, mb::kCancel}};
  for (const auto& [style, icon, buttons, press, answer] : cases) {
    QTimer::singleShot(0, [&] {  // once the box's own event loop has started
      auto* box = qobject_cast<B*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->icon(), icon) << style;
      EXPECT_EQ(box->standardButtons(), buttons) << style;
      EXPECT_EQ(box->windowTitle(), "KRV330 - V1.25");
      box->button(press)->click();
    });
    EXPECT_EQ(ShowMessageBox(nullptr, "text", style, "KRV330 - V1.25"), answer) << style;
  }
}

}  // namespace
}  // namespace krv
