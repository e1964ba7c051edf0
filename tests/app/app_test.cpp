// The whole program, driven through its menus under the offscreen platform, with the
// simulated programmer of KRV330_SIMULATOR in place of USB.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "buffers/hexfile/hexfile.h"
#include "core/session.h"
#include "devices/catalogue.h"
#include "editors/config_dialog.h"
#include "shell/main_window.h"
#include "sim/simulated.h"
#include "support/files.h"
#include "support/gui_helpers.h"
#include "support/qt_environment.h"
#include "support/test_session.h"

namespace krv {
namespace {

// The main window with its message boxes recorded (and answered OK) and its file dialogs
// answered from the test.
class AppWindow : public MDIForm1 {
 public:
  using MDIForm1::MDIForm1;
  int MsgBox(const std::string& text, int style, const std::string&) override {
    boxes.push_back(std::to_string(style) + ": " + text);
    return mb::kOk;
  }
  std::string ChooseHexFile(bool) override { return hexFile; }
  std::vector<std::string> boxes;
  std::string hexFile;
};

// One run of the program in a folder of its own, started as a user would start it.
class App : public ::testing::Test {
 protected:
  void Start(const char* simulatedDevice) {
    // As the program starts with KRV330_SIMULATOR set.
    StartOptions opt = OptionsFromEnvironment();
    opt.transport = sim::MakeSimulatedTransport(simulatedDevice, nullptr);
    opt.selectDevice = simulatedDevice;
    for (const char* f : {"English.ini", "Spanish.ini"})
      std::filesystem::copy_file(std::string(KRV330_LANG_DIR) + "/" + f, folder + "/" + f);
    opt.programFolder = folder;
    opt.lockPath = folder + "/krv330.lock";
    opt.monitor = nullptr;
    ASSERT_TRUE(w.Startup(std::move(opt)));
    w.show();
  }
  void Menu(const char* item) {
    QAction* a = w.findChild<QAction*>(QString("mnu") + item);
    ASSERT_NE(a, nullptr) << item;
    a->trigger();
  }
  void Choose(const char* box, const std::string& text) {
    auto* combo = w.findChild<QComboBox*>(box);
    const int i = combo->findText(QString::fromStdString(text));
    ASSERT_GE(i, 0) << text;
    combo->setCurrentIndex(i);
    emit combo->activated(i);
  }
  void SelectDevice(const std::string& name) {
    Choose("cboFamily", std::string(FamilyCaption(FamilyOf(name))));
    Choose("cboDevices", name);
    ASSERT_EQ(s.dev.DeviceName, name);
  }
  QWidget* Dialog() { return dynamic_cast<QWidget*>(w.CurrentCfgForm()); }
  static std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
  }
  // "name=value" words.
  static std::vector<std::pair<std::string, std::string>> Pairs(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const std::string& w : Words(text))
      out.emplace_back(w.substr(0, w.find('=')), w.substr(w.find('=') + 1));
    return out;
  }
  template <class T>
  T* Control(const char* name) {
    T* c = Dialog()->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  // The configuration state a saved file holds, read back into a session of its own.
  ConfigState SavedConfig(const std::string& file) {
    test::TestSession t;
    krv::SelectDevice(t.s, s.dev.DeviceName);
    EXPECT_TRUE(ImportHexFile(t.s, file)) << file;
    return t.s.cfg;
  }

  std::string folder = test::TempDir();
  Session s;
  AppWindow w{s};
};

TEST_F(App, WriteVerifyReadAndSaveADsPic30ThroughTheSimulatedProgrammer) {
  Start("PIC30F4013");
  ASSERT_EQ(s.dev.DeviceName, "PIC30F4013");
  ASSERT_TRUE(s.link.present);
  s.settings.VWhile = 1;
  s.settings.VAfter = 1;

  // An image with gaps in every area, and configuration values the part implements.
  for (int n : {0, 1, 2, 31, 32, 1000, 8191, 8192, 16383})
    for (int b = 0; b < 3; ++b) s.buf.CodeBuffer.Set(4 * n + b, (n * 7 + b * 13 + 1) & 0xFF);
  for (int m : {0, 5, 255, 511})
    for (int b = 0; b < 2; ++b) s.buf.DataBuffer.Set(4 * m + b, (m + b * 3) & 0xFF);
  for (int n : {0, 100, 735})
    for (int b = 0; b < 3; ++b) s.buf.ExecBuffer.Set(4 * n + b, (n + b + 5) & 0xFF);
  const int32_t configs[7] = {0xC703, 0x803F, 0x8733, 0x310F, 0x0303, 0x0007, 0xC003};
  for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = configs[k - 1];
  const std::string source = folder + "/image.hex";
  ASSERT_TRUE(ExportHexFile(s, source));

  Menu("BuffersClear");
  EXPECT_EQ(s.buf.CodeBuffer.Get(0), 0xFF);
  w.hexFile = source;
  Menu("FileOpen");
  EXPECT_EQ(s.hex.FileName, source);
  EXPECT_TRUE(w.windowTitle().contains("image.hex"));
  EXPECT_TRUE(w.findChild<QAction*>("mnuFileUpdate")->isEnabled());

  Menu("DeviceWrite");
  EXPECT_TRUE(s.run.OperationOK) << s.run.LastErrorText;
  EXPECT_EQ(s.run.LastErrorText, "Verify O.K.");
  Menu("DeviceVerify");
  EXPECT_TRUE(s.run.OperationOK) << s.run.LastErrorText;

  Menu("BuffersClear");
  EXPECT_EQ(s.buf.CodeBuffer.Get(0), 0xFF);
  Menu("DeviceRead");
  EXPECT_EQ(s.buf.CodeBuffer.Get(4 * 8192), (8192 * 7 + 1) & 0xFF);

  const std::string saved = folder + "/saved.hex";
  w.hexFile = saved;
  Menu("FileSave");
  EXPECT_EQ(test::ReadFile(saved), test::ReadFile(source));
  EXPECT_TRUE(w.boxes.empty()) << w.boxes.front();
  EXPECT_FALSE(s.run.ActionRunning);
}

// Each dialog family: a gpasm-built HEX file loaded with the device selected, its dialog
// filling the client area and showing the file's configuration, and edits made in the
// dialog reaching the saved file (tests/data/app_dialogs.txt).
TEST_F(App, EachDialogShowsALoadedFileAndItsEditsReachTheSavedFile) {
  Start("PIC30F4013");
  for (const auto& row : test::ReadTable("app_dialogs.txt", 5)) {
    const std::string &device = row[0], &source = row[1], &shown = row[2], &edits = row[3],
                      &saved = row[4];
    SCOPED_TRACE(device);
    SelectDevice(device);
    ASSERT_EQ(Dialog()->objectName().toStdString(), DialogName(s.dev.ConfigForm));
    EXPECT_EQ(Dialog()->geometry(), Dialog()->parentWidget()->rect());
    if (!source.empty()) {
      w.hexFile = folder + "/" + source + ".hex";
      ASSERT_EQ(
          std::system(("gpasm -o " + w.hexFile + " " + test::DataPath(source) + " >/dev/null 2>&1")
                          .c_str()),
          0)
          << "gpasm (scripts/setup.sh installs it)";
      Menu("FileOpen");
    }
    for (const auto& [name, state] : Pairs(shown))
      EXPECT_EQ(test::StateOf(Dialog(), QString::fromStdString(name)), state) << name;
    for (const std::string& edit : Words(edits)) {
      const size_t colon = edit.find(':');
      if (edit.rfind("pick:", 0) == 0) {
        const size_t second = edit.find(':', 5);
        const QString field = QString::fromStdString(edit.substr(5, second - 5));
        test::ClickOn(Control<QLabel>(("img" + field).toStdString().c_str()));
        test::PickEntry(Control<QListWidget>(("lst" + field).toStdString().c_str()),
                        std::stoi(edit.substr(second + 1)));
      } else if (colon != std::string::npos) {
        QLineEdit* box = Control<QLineEdit>(edit.substr(0, colon).c_str());
        box->clear();
        QTest::keyClicks(box, QString::fromStdString(edit.substr(colon + 1)));
      } else {
        Control<QAbstractButton>(edit.c_str())->click();
      }
    }
    w.hexFile = folder + "/saved.hex";
    Menu("FileSave");
    const ConfigState cfg = SavedConfig(w.hexFile);
    for (const auto& [word, value] : Pairs(saved)) {
      int32_t got = word == "ConfigWord" ? cfg.ConfigWord
                    : word.rfind("UserID", 0) == 0
                        ? cfg.UserID[static_cast<size_t>(std::stoi(word.substr(6)))]
                        : cfg.Config[static_cast<size_t>(std::stoi(word.substr(6)))];
      EXPECT_EQ(test::Hex4(got), std::string(4 - std::min<size_t>(4, value.size()), '0') + value)
          << word;
    }
  }
  EXPECT_TRUE(w.boxes.empty()) << w.boxes.front();
}

}  // namespace
}  // namespace krv
