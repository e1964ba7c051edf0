// The whole program, driven through its menus under the offscreen platform, with the
// simulated programmer of KRV330_SIMULATOR in place of USB.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "buffers/hexfile/hexfile.h"
#include "core/session.h"
#include "devices/catalogue.h"
#include "editors/config_dialog.h"
#include "shell/main_window.h"
#include "sim/simulated.h"
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

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

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
  EXPECT_EQ(ReadAll(saved), ReadAll(source));
  EXPECT_TRUE(w.boxes.empty()) << w.boxes.front();
  EXPECT_FALSE(s.run.ActionRunning);
}

TEST_F(App, EachFamilysDialogFillsTheClientAreaAndItsEditsReachTheSavedFile) {
  Start("PIC30F4013");
  const std::string saved = folder + "/config.hex";
  w.hexFile = saved;

  SelectDevice("PIC16F84A");
  ASSERT_EQ(Dialog()->objectName(), "frm16F54");
  EXPECT_EQ(Dialog()->geometry(), Dialog()->parentWidget()->rect());
  Control<QCheckBox>("chePWRTE")->click();  // power-up timer on: bit 3 cleared
  EXPECT_EQ(s.cfg.ConfigWord, 0x3FF7);
  Menu("FileSave");
  EXPECT_EQ(SavedConfig(saved).ConfigWord, 0x3FF7);

  SelectDevice("PIC30F4013");
  ASSERT_EQ(Dialog()->objectName(), "frm30F");
  EXPECT_EQ(Dialog()->geometry(), Dialog()->parentWidget()->rect());
  QLineEdit* fbors = Control<QLineEdit>("txtConfig(1)");
  fbors->clear();
  QTest::keyClicks(fbors, "8012");
  EXPECT_EQ(s.cfg.Config[2], 0x8012);
  Menu("FileSave");
  EXPECT_EQ(SavedConfig(saved).Config[2], 0x8012);

  SelectDevice("PIC18F452-4539");
  ASSERT_EQ(Dialog()->objectName(), "frm18FXX2");
  EXPECT_EQ(Dialog()->geometry(), Dialog()->parentWidget()->rect());
  Control<QCheckBox>("chePWRTEN")->click();  // power-up timer on: CONFIG2L bit 0 cleared
  EXPECT_EQ(s.cfg.Config[2], 0x0F0E);
  QLineEdit* id1 = Control<QLineEdit>("txtUserID1");
  id1->clear();
  QTest::keyClicks(id1, "12ab");
  Menu("FileSave");
  const ConfigState cfg = SavedConfig(saved);
  EXPECT_EQ(cfg.Config[2] & 0x0F0F, 0x0F0E);
  EXPECT_EQ(cfg.UserID[0], 0xAB);
  EXPECT_EQ(cfg.UserID[1], 0x12);
  EXPECT_TRUE(w.boxes.empty()) << w.boxes.front();
}

}  // namespace
}  // namespace krv
