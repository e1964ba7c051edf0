// The main window under the offscreen platform, driven by the scenarios of
// tests/data/shell/main_window.txt: start-up, plug and unplug, the commands and their
// busy and cancel rules, shut-down and its settings, the language, the configuration
// dialog's place; and of tests/data/shell/program.txt: the whole program, the simulated
// programmer in place of USB, through its menus and each family's configuration dialog.
// And the message boxes and the about dialog.
#include <sys/stat.h>

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QWidgetAction>

#include <filesystem>
#include <span>

#include <gtest/gtest.h>

#include "buffers/hexfile/hexfile.h"
#include "core/errors.h"
#include "core/helpers.h"
#include "core/session.h"
#include "core/texts.h"
#include "devices/catalogue.h"
#include "editors/config_dialog.h"
#include "shell/about_dialog.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/settings_dialog.h"
#include "sim/simulated.h"
#include "support/files.h"
#include "support/gui_helpers.h"
#include "support/qt_environment.h"
#include "support/test_session.h"
#include "widgets/pictures.h"

namespace krv {
namespace {

// The session of one run of the program, made before its window.
struct ProgramSession {
  Session s;
};

// One run of the program in a folder of its own, with a simulated programmer whose plug
// and unplug reach the window; the steps of a scenario and what they look at. The window
// logs its busy states ("+", "-"), message boxes (style:text and what the title adds), file
// dialogs ("open?", "save?"), the commands that need no file dialog and its closes, "*"
// marking what ran while busy; boxes are answered from the scenario and `during` runs
// inside the next Buffers > Fill.
struct Program : ProgramSession, MDIForm1 {
  explicit Program(std::string programFolder = test::TempDir())
      : MDIForm1(s), folder(programFolder) {}
  ~Program() override { ::chmod(folder.c_str(), 0755); }

  int MsgBox(const std::string& text, int style, const std::string& title) override {
    Log(std::to_string(style) + ":" + text + title.substr(std::string(kAppTitle).size()));
    return answer;
  }
  std::string ChooseHexFile(bool save) override {
    Ran(save ? "save?" : "open?");
    return hexFile;
  }
  void UpdateHexFile() override { Ran("UpdateHexFile"); }
  void ShowSettings() override { Ran("ShowSettings"); }
  void ShowAbout() override { Ran("ShowAbout"); }
  void FillBuffers() override {
    Ran("FillBuffers");
    if (auto f = std::exchange(during, nullptr)) f();
  }
  void SetBusy(bool busy) override {
    Log(busy ? "+" : "-");
    MDIForm1::SetBusy(busy);
  }
  // Once watched (step "watch"), every status text must show whole and leave the status bar,
  // the views, the dialog area and the window where they were with an empty status line;
  // "status" lists the texts that did not.
  void SetInfo(const std::string& text) override {
    MDIForm1::SetInfo(text);
    if (geometry.isEmpty()) return;
    QCoreApplication::processEvents();
    const auto* info = Find<QLabel>("lblInfo");
    const QRect room = info->contentsRect();
    if (!room.contains(info->fontMetrics().boundingRect(
            room, int(info->alignment()) | Qt::TextWordWrap, info->text())))
      status += " cut: " + text;
    if (Geometry() != geometry) status += " moved: " + text;
  }
  QString Geometry() {
    QStringList g{QString::number(width()), QString::number(height())};
    for (const char* name : {"txtCode", "lblData", "txtData", "txtIcsp", "MDIClient", "lblInfo"}) {
      const QRect r(Find<QWidget>(name)->mapTo(this, QPoint()), Find<QWidget>(name)->size());
      g << QString("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    return g.join(' ');
  }
  void closeEvent(QCloseEvent* e) override {
    MDIForm1::closeEvent(e);
    if (e->isAccepted()) Log("closed");
  }
  void Ran(const std::string& what) { Log(what + (s.run.ActionRunning ? "*" : "")); }
  void Log(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }

  void Step(std::vector<std::string> r) {
    r.resize(6);
    SCOPED_TRACE(r[0] + " | " + r[1]);
    const std::string& op = r[0];
    const std::string name = op.substr(op.find(':') + 1);
    if (op.rfind("menu:", 0) == 0) {  // as the menu item or toolbar button runs it
      commands().MenuAction(name);
    } else if (op.rfind("toolbar:", 0) == 0) {
      commands().ToolbarClick(name);
    } else if (op.rfind("trigger:", 0) == 0) {  // a menu item or toolbar button
      Find<QAction>(name)->trigger();
    } else if (op == "start") {
      Start(r[1] == "plugged", r[2], config + "/lock");
    } else if (op == "second") {  // another instance in this folder, closed at once
      Program other(folder);
      other.Start(true, "", r[1].empty() ? config + "/lock" : r[1]);
      other.close();
      Log("second: " + other.log + (other.s.link.transport ? " opened" : ""));
    } else if (op == "click") {  // a click, what the user does meanwhile, the log
      answer = std::stoi(r[3]);
      during = [this, r] {
        if (r[2] != "~") Step({r[2]});
        if (CheckCancel(s)) Log("cancel");
      };
      Step({r[1]});
      EXPECT_EQ(Probe("log"), r[4] == "~" ? "" : r[4]);
      EXPECT_FALSE(s.run.ActionRunning || s.run.CancelRequested);
    } else if (op == "during") {
      during = [this, r] { Step({r.begin() + 1, r.end()}); };
    } else if (op == "expect") {
      EXPECT_EQ(Probe(r[1]), r[2] == "~" ? "" : r[2][0] == '=' ? Probe(r[2].substr(1)) : r[2]);
    } else if (op == "show" || op == "close") {
      op == "show" ? show() : (void)close();
    } else if (op == "plug" || op == "unplug") {  // a programmer plugged in stays
      programmer->vanishAfterReport = 0;
      op == "plug" ? programmer->Plug() : programmer->Unplug();
    } else if (op == "event") {  // another hidraw device came or went
      programmer->onPlugChange();
    } else if (op == "choose") {  // in a combo box, as a user does
      auto* box = Find<QComboBox>(r[1]);
      box->setCurrentIndex(box->findText(QString::fromStdString(r[2])));
      emit box->activated(box->currentIndex());
    } else if (op == "tick") {
      Find<QAbstractButton>(r[1])->click();
    } else if (op == "pick") {  // entry r[2] of drop-down selector r[1], with the mouse
      test::ClickOn(Find<QLabel>("img" + r[1]));
      test::PickEntry(Find<QListWidget>("lst" + r[1]), std::stoi(r[2]));
    } else if (op == "type") {  // into an emptied text box
      Find<QLineEdit>(r[1])->clear();
      QTest::keyClicks(Find<QLineEdit>(r[1]), QString::fromStdString(r[2]));
    } else if (op == "resize") {
      resize(std::stoi(r[1]), std::stoi(r[2]));
    } else if (op == "watch") {  // the status line in language r[1], the window r[2] px wide
      s.settings.Language = r[1];
      s.LangFile = LanguageFilePath(s);
      SetLanguage();
      resize(std::stoi(r[2]), 1);
      geometry.clear();
      SetInfo("");
      for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
      geometry = Geometry();
    } else if (op == "file") {  // a file in the program folder; a folder when it ends in '/'
      std::filesystem::create_directories(folder + "/" + r[1].substr(0, r[1].rfind('/') + 1));
      test::WriteFile(folder + "/" + r[1], r[2]);
    } else if (op == "languages") {
      for (const char* f : {"/English.ini", "/Spanish.ini"})
        std::filesystem::copy_file(std::string(KRV330_LANG_DIR) + f, folder + f);
    } else if (op == "gpasm") {  // a file assembled from tests/data/, what the file dialog answers
      hexFile = folder + "/" + r[1] + ".hex";
      std::string out;
      ASSERT_EQ(test::RunCommand("gpasm -o '" + hexFile + "' '" + test::DataPath(r[1]) + "'", out),
                0)
          << out;
    } else if (op == "hexfile") {  // what the file dialog answers; a bare name in the folder
      hexFile = r[1].find('/') == std::string::npos ? folder + "/" + r[1] : r[1];
    } else if (op == "readonly" || op == "writable") {
      ::chmod(folder.c_str(), op == "readonly" ? 0555 : 0755);
    } else if (op == "settings") {  // the settings dialog, open beside the window
      dialog = std::make_unique<SettingsDialog>(
          s, [this] { SetLanguage(); }, this);
    } else if (op == "seam") {
      SetInfo("Reading CODE...");
      SetProgress(5000);
      SetCSum("CSum: D406");
      SetVppPicture(true);
    } else if (op == "mark") {  // the dialog shown, and a byte in the buffers
      marked = Config();
      s.buf.CodeBuffer.Set(0, 0x12);
    } else if (op == "readreport") {
      ReadReport(s);
    } else if (op == "vanish") {  // the programmer goes after the n-th report from now
      programmer->vanishAfterReport = programmer->ReportsReceived() + std::stoi(r[1]);
    } else if (op == "throw" || op == "error") {
      if (op == "throw") throw LinkLost();
      throw RuntimeError("Subscript out of range");
    } else {
      ADD_FAILURE() << "unknown step " << op;
    }
    QCoreApplication::processEvents();
  }

  void Start(bool plugged, const std::string& device, const std::string& lock) {
    auto t = sim::MakeSimulatedTransport(device, &programmer);
    programmer->plugged = plugged;
    const bool started = Startup(
        {folder, lock, std::move(t), device, sim::MakeSimulatedMonitor(programmer), config});
    Log(started ? "started" : "refused");
  }

  // "log"; "file": the program folder's KRV330.ini, "file:NAME" its file NAME, "user file" the
  // user's KRV330.ini; "saved:NAME": the configuration words and user ID bytes that file NAME
  // holds for the device shown, loaded anew, as the dialog case files name them; "dialog":
  // whether the dialog marked is gone, whether it is the one shown, whether the one shown
  // fills the client area, the buffer byte marked; "link": present, and the command of every
  // report sent; "toolbar": the items not shown whole on the bar; "status": the status texts
  // not shown whole or that moved something since "watch"; otherwise properties of named
  // objects:
  // "<name>.<property>" separated by blanks ("window" and "dialog" for the main window
  // and the configuration dialog shown, "progress" for the progress value), or "<name>" a
  // control's state as the dialog case files write it.
  std::string Probe(const std::string& what) {
    QStringList out;
    const auto yes = [](bool b) { return QString(b ? "true" : "false"); };
    if (what.rfind("file", 0) == 0 || what == "user file") {
      return test::ReadFile(what == "user file" ? config + "/krv330/KRV330.ini"
                            : what == "file"    ? folder + "/KRV330.ini"
                                                : folder + "/" + what.substr(5));
    } else if (what.rfind("saved:", 0) == 0) {
      test::TestSession t(s.dev.DeviceName);
      EXPECT_TRUE(ImportHexFile(t.s, folder + "/" + what.substr(6)));
      const auto word = [&](const std::string& name, int32_t v) {
        out << QString::fromStdString(name + "=" + test::Hex4(v));
      };
      const bool words = t.s.dev.CoreWidth <= 14;  // the 12/14-bit configuration words
      if (words) word("ConfigWord", t.s.cfg.ConfigWord);
      for (int k = 1; k <= (words ? (t.s.dev.Config1Address ? 1 : 0) : 7); ++k)
        word("Config" + std::to_string(k), t.s.cfg.Config[k]);
      QStringList id;
      for (const uint8_t b : t.s.cfg.UserID)
        id << QString("%1").arg(b, 2, 16, QChar('0')).toUpper();
      if (!t.s.dev.IsDsPic30()) out << "UserID=" + id.join(',');
      return out.join(' ').toStdString();
    } else if (what == "log" || what == "status") {
      out << QString::fromStdString(std::exchange(what == "log" ? log : status, ""));
    } else if (what == "dialog") {
      out << yes(marked.isNull()) << yes(marked == Config())
          << yes(Config()->geometry() == Find<QWidget>("MDIClient")->rect())
          << QString::number(s.buf.CodeBuffer.Get(0));
    } else if (what == "link") {
      out << yes(s.link.present) << "";
      for (const Report& report : programmer->Reports()) out.back() += QString::number(report[1]);
    } else if (what == "toolbar") {  // the items not shown whole on the bar
      const auto* bar = Find<QToolBar>("Toolbar1");
      for (QAction* a : bar->actions()) {
        const QWidget* w = bar->widgetForAction(a);
        if (a->isVisible() && !a->isSeparator() &&
            (!w || !w->isVisible() || !bar->rect().contains(w->geometry())))
          out << (qobject_cast<QWidgetAction*>(a) ? w->objectName() : a->objectName());
      }
    } else {
      for (const QString& item : QString::fromStdString(what).split(' ')) {
        const std::string obj = item.section('.', 0, 0).toStdString();
        const QObject* o = obj == "window" ? this : obj == "dialog" ? Config() : Find<QObject>(obj);
        out << (obj == "progress"     ? QString::number(Progress())
                : !item.contains('.') ? QString::fromStdString(test::StateOf(this, item))
                                      : o->property(item.section('.', 1).toUtf8()).toString());
      }
    }
    return out.join("|").replace(QString::fromStdString(folder), "<folder>").toStdString();
  }

  template <class T>
  T* Find(const std::string& name) {
    return findChild<T*>(QString::fromStdString(name));
  }
  QWidget* Config() { return dynamic_cast<QWidget*>(CurrentCfgForm()); }

  std::string folder, config = test::TempDir(), log, status, hexFile;
  QString geometry;
  int answer = mb::kOk;
  std::function<void()> during;
  std::shared_ptr<sim::Programmer> programmer;
  std::unique_ptr<SettingsDialog> dialog;
  QPointer<QWidget> marked;
};

// Each scenario ("== <what it shows>") of a file with a new run of the program.
class Scenarios : public testing::TestWithParam<std::string> {};

TEST_P(Scenarios, OfTheFile) {
  std::unique_ptr<Program> program;
  for (const auto& row : test::ReadTable("shell/" + GetParam() + ".txt", 0, test::Blanks::Keep)) {
    if (row[0].rfind("== ", 0) == 0) program.reset(), program = std::make_unique<Program>();
    if (row[0].rfind("== ", 0) != 0) program->Step(row);
  }
}

INSTANTIATE_TEST_SUITE_P(MainWindow, Scenarios, testing::Values("main_window", "program"),
                         [](const auto& info) { return info.param; });

// The menus, the toolbar and the labels of the main window in order: name, text (a toolbar
// item's tip), picture, enabled; "-" a separator.
std::vector<std::array<std::string, 4>> Listing(Program& p) {
  std::vector<std::array<std::string, 4>> out;
  const auto add = [&out](const QObject* o, const QString& text, const QIcon& icon, bool on) {
    std::string picture;
    for (const char* key : {"Open", "Save", "Update", "Fill", "Read", "Verify", "DevID", "Write",
                            "Erase", "Detect", "Stop", "Exit", "Clear", "Settings", "About"})
      if (!icon.isNull() && icon.pixmap(icon.availableSizes().value(0)).toImage() ==
                                Picture(key, icon.availableSizes().value(0).width()).toImage())
        picture = key;
    out.push_back({o->objectName().toStdString(), text.toStdString(), picture, on ? "on" : "off"});
  };
  const auto addAction = [&](QAction* a, const QString& text) {
    if (a->isSeparator()) return out.push_back({"-"});
    add(a, text, a->icon(), a->isEnabled());
    if (!a->isVisible()) out.back()[3] = "hidden";
  };
  for (const QAction* m : p.menuBar()->actions()) {
    out.push_back({m->menu()->objectName().toStdString(), m->menu()->title().toStdString()});
    for (QAction* a : m->menu()->actions()) addAction(a, a->text());
  }
  auto* bar = p.Find<QToolBar>("Toolbar1");
  out.push_back({bar->objectName().toStdString()});
  for (QAction* a : bar->actions()) {
    if (QWidget* w = qobject_cast<QWidgetAction*>(a) ? bar->widgetForAction(a) : nullptr)
      add(w, w->toolTip(), {}, w->isEnabled());
    else
      addAction(a, a->toolTip());
  }
  for (const char* name : {"lblCode", "lblData", "lblIcsp"})
    out.push_back({name, p.Find<QLabel>(name)->text().toStdString()});
  return out;
}

// Rows of shell/menus.txt: name | English text | Spanish text | picture | enabled at start,
// after a HEX file was loaded, and without a programmer. The language is switched both ways.
TEST(MainWindow, MenusToolbarAndLabelsAsListed) {
  Program p, unplugged;
  p.Step({"languages"});
  p.Start(true, "", p.config + "/lock");
  unplugged.Start(false, "", unplugged.config + "/lock");
  const auto start = Listing(p), none = Listing(unplugged);
  p.Step({"settings"});
  p.Step({"choose", "cboLanguage", "Spanish"});
  const auto spanish = Listing(p);
  p.Step({"choose", "cboLanguage", "English"});
  EXPECT_EQ(Listing(p), start);
  p.Step({"file", "a.hex", ":00000001FF\n"});
  p.Step({"hexfile", "a.hex"});
  p.commands().ToolbarClick("Open");
  const auto loaded = Listing(p);
  const auto rows = test::ReadTable("shell/menus.txt", 5);
  ASSERT_EQ(rows.size(), start.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string& on = start[i][3];
    EXPECT_EQ(rows[i], (std::vector<std::string>{
                           start[i][0], start[i][1], spanish[i][1], start[i][2],
                           on.empty() ? on : on + " " + loaded[i][3] + " " + none[i][3]}));
  }
}

TEST(AboutDialog, ShowsTheTitleLogoAndNoFirmwareVersion) {
  test::TestSession t;
  AboutDialog dlg(t.s);
  EXPECT_EQ(dlg.windowTitle() + "|" + dlg.findChild<QLabel*>("lblTitle")->text() + "|" +
                dlg.findChild<QLabel*>("lblFirmware")->text().right(5) + "|" +
                QString::number(dlg.findChild<QLabel*>("imgLogo")->pixmap().isNull()),
            "About|KRV330 - V1.25|Ver.:|0");
  for (const auto& [a, b] : {std::pair{"VppOn", "VppOff"}, {"HardOn", "HardOff"}, {"Down", "Up"}})
    EXPECT_NE(Picture(a).toImage(), Picture(b).toImage()) << a;
  EXPECT_TRUE(Picture("NoSuchPicture").isNull());
}

// Rows of message_boxes.txt: style | icon | buttons | the button pressed | the answer.
TEST(MessageBox, StyleCodesGiveIconButtonsAndAnswers) {
  const auto buttons = QMetaEnum::fromType<QMessageBox::StandardButtons>();
  for (const auto& row : test::ReadTable("shell/message_boxes.txt", 5, test::Blanks::Keep)) {
    std::string seen;
    QTimer::singleShot(0, [&] {  // once the box's own event loop has started
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      seen = QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()) + std::string(" ") +
             std::to_string(box->standardButtons()) + " " + box->windowTitle().toStdString();
      auto* pressed = box->button(QMessageBox::StandardButton(buttons.keyToValue(row[3].c_str())));
      pressed ? pressed->click() : (void)box->close();
    });
    const int answer = ShowMessageBox(nullptr, "text", std::stoi(row[0]), "KRV330 - V1.25");
    EXPECT_EQ(seen + " " + std::to_string(answer),
              row[1] + " " + std::to_string(buttons.keysToValue(row[2].c_str())) +
                  " KRV330 - V1.25 " + row[4]);
  }
}

}  // namespace
}  // namespace krv
