#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLockFile>
#include <QMenuBar>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScreen>
#include <QSocketNotifier>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <iostream>

#include <unistd.h>

#include "buffers/buffers.h"
#include "buffers/fill_dialog.h"
#include "buffers/hex_view.h"
#include "buffers/hexfile/hexfile.h"
#include "core/clock.h"
#include "core/helpers.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/twips.h"
#include "devices/catalogue.h"
#include "editors/config_dialog.h"
#include "link/device_monitor.h"
#include "link/hid_transport.h"
#include "operations/operations.h"
#include "shell/about_dialog.h"
#include "shell/message_box.h"
#include "shell/settings_dialog.h"
#include "widgets/pictures.h"

namespace krv {
namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Calls add(c) for the commands whose `place` lies in [first, last], in the order of their
// places, and add(nullptr) for a place left free between two: a separator.
template <class Add>
void ForPlaces(int CommandDef::*place, int first, int last, Add add) {
  int next = first;
  for (int p = first; p <= last; ++p)
    for (const CommandDef& c : CommandTable())
      if (c.*place == p) {
        if (p > next) add(nullptr);
        add(&c);
        next = p + 1;
      }
}

QString MenuItemName(const CommandDef& c) {
  return QString("mnu") + c.name;
}

constexpr Family kFamilies[] = {Family::PIC10, Family::PIC12, Family::PIC16, Family::PIC18,
                                Family::PIC30};

QLabel* NamedLabel(const char* name, QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  return l;
}

// A label as wide as the widest text it can show, so that a new text moves nothing beside it.
void KeepWidest(QLabel* l, const QStringList& texts) {
  int width = 0;
  for (const QString& t : texts) {
    l->setText(t);
    width = std::max(width, l->sizeHint().width());
  }
  l->clear();
  l->setMinimumWidth(width);
}

}  // namespace

// The status line. A text wider than the line goes on below it, so the end of an operation
// is read whole, with its figures and units, also in a narrow window; and the line always
// keeps the height that the widest of the texts shown there needs at its width. So its
// height follows the width and the language, never the text: a new text moves nothing.
class StatusLine : public QLabel {
 public:
  explicit StatusLine(QWidget* parent) : QLabel(parent) {
    setObjectName("lblInfo");
    setMinimumWidth(100);
    setWordWrap(true);
    height_ = fontMetrics().height();
  }
  // The texts shown there, in the language chosen.
  void SetTexts(const std::vector<std::string>& texts) {
    texts_.clear();
    for (const std::string& t : texts) texts_ << Q(t);
    Refit();
  }
  QSize sizeHint() const override { return {minimumWidth(), height_}; }
  QSize minimumSizeHint() const override { return sizeHint(); }
  // Not the height of the text shown: that of the widest one.
  bool hasHeightForWidth() const override { return false; }
  int heightForWidth(int) const override { return height_; }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QLabel::resizeEvent(e);
    laidOut_ = true;
    Refit();
  }

 private:
  void Refit() {
    if (!laidOut_) return;  // the width is not known before the first layout
    const QRect room(0, 0, contentsRect().width(), QWIDGETSIZE_MAX);
    const int flags = static_cast<int>(alignment()) | Qt::TextWordWrap;
    int height = fontMetrics().height();
    for (const QString& text : texts_)
      height = std::max(height, fontMetrics().boundingRect(room, flags, text).height());
    height += this->height() - contentsRect().height();
    if (height == height_) return;
    height_ = height;
    updateGeometry();
  }

  QStringList texts_;
  int height_ = 0;
  bool laidOut_ = false;
};

StartOptions OptionsFromEnvironment() {
  StartOptions opt;
  opt.programFolder = QCoreApplication::applicationDirPath().toStdString();
  opt.configFolder = UserConfigFolder();
  // One lock per user: in the user's runtime folder, else in the temporary folder.
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  opt.lockPath = !runtime.isEmpty() && QFileInfo(runtime).isDir()
                     ? QDir(runtime).filePath("krv330.lock").toStdString()
                     : QDir::temp().filePath(QString("krv330-%1.lock").arg(getuid())).toStdString();
  opt.transport = MakeHidTransport();
  opt.monitor = MakeUdevMonitor();
  return opt;
}

MDIForm1::MDIForm1(Session& s, QWidget* parent) : QMainWindow(parent), s_(s), commands_(s, *this) {
  setObjectName("MDIForm1");
  s_.window = this;
  if (!s_.clock) s_.clock = &SystemClock();
  BuildMenus();
  BuildToolbar();
  BuildViews();
  BuildStatusArea();
}

MDIForm1::~MDIForm1() {
  if (s_.window == this) s_.window = nullptr;
  if (busyPointer_) QApplication::restoreOverrideCursor();
}

void MDIForm1::BuildMenus() {
  int number = 0;
  for (const MenuDef& m : MenuTable()) {
    QMenu* menu = menuBar()->addMenu(QString());
    menu->setObjectName(QString("mnu") + m.name);
    number += 10;
    ForPlaces(&CommandDef::menuPlace, number + 1, number + 9, [&](const CommandDef* c) {
      if (!c) return (void)menu->addSeparator();
      QAction* a = menu->addAction(QIcon(Picture(c->key)), QString());
      a->setObjectName(MenuItemName(*c));
      a->setEnabled(!c->waitsForHexFile);
      connect(a, &QAction::triggered, this, [this, c] { commands_.MenuAction(c->name); });
    });
  }
}

void MDIForm1::BuildToolbar() {
  toolbar_ = addToolBar(QString());
  toolbar_->setObjectName("Toolbar1");
  toolbar_->setMovable(false);
  toolbar_->setIconSize(QSize(24, 24));
  ForPlaces(&CommandDef::buttonPlace, 1, kLastButtonPlace, [&](const CommandDef* c) {
    if (!c) return (void)toolbar_->addSeparator();
    QAction* a = toolbar_->addAction(QIcon(Picture(c->key, 24)), QString());
    a->setObjectName(c->key);
    a->setEnabled(c->run && !c->waitsForHexFile);
    connect(a, &QAction::triggered, this, [this, c] { commands_.ToolbarClick(c->key); });
  });
  // The test button: its loop is not part of this program.
  QAction* test = toolbar_->addAction(QString("Prueba"));
  test->setObjectName("Prueba");
  test->setVisible(false);

  toolbar_->addSeparator();
  cboFamily_ = new QComboBox(toolbar_);
  cboFamily_->setObjectName("cboFamily");
  cboFamily_->setPlaceholderText("UNKNOWN");
  cboFamily_->setMinimumContentsLength(8);
  toolbar_->addWidget(cboFamily_);
  cboDevices_ = new QComboBox(toolbar_);
  cboDevices_->setObjectName("cboDevices");
  cboDevices_->setMinimumContentsLength(14);
  cboDevices_->setMaxVisibleItems(20);
  toolbar_->addWidget(cboDevices_);
  connect(cboFamily_, &QComboBox::activated, this, &MDIForm1::FamilyChosen);
  connect(cboDevices_, &QComboBox::activated, this, &MDIForm1::DeviceChosen);
  // Never so narrow that the toolbar folds an item, the device boxes above all, behind its
  // extension button.
  toolbar_->setMinimumWidth(toolbar_->sizeHint().width());
}

void MDIForm1::BuildViews() {
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  clientArea_ = new QWidget(splitter);
  clientArea_->setObjectName("MDIClient");
  // The dialog fills the area from (0, 0); the area, and with it the window, is never
  // smaller than the dialog needs.
  auto* clientLayout = new QVBoxLayout(clientArea_);
  clientLayout->setContentsMargins(0, 0, 0, 0);

  auto* views = new QWidget(splitter);
  auto* layout = new QVBoxLayout(views);
  layout->setContentsMargins(2, 2, 2, 2);
  const auto addView = [&](const char* label, const char* view, MemoryArea area, int stretch,
                           QLabel*& l, HexView*& v) {
    l = NamedLabel(label, views);
    v = new HexView(s_, area, views);
    v->setObjectName(view);
    layout->addWidget(l);
    layout->addWidget(v, stretch);
  };
  addView("lblCode", "txtCode", MemoryArea::Code, 3, lblCode_, txtCode_);
  addView("lblData", "txtData", MemoryArea::Data, 1, lblData_, txtData_);
  addView("lblIcsp", "txtIcsp", MemoryArea::Exec, 1, lblIcsp_, txtIcsp_);
  lblIcsp_->hide();
  txtIcsp_->hide();

  splitter->addWidget(clientArea_);
  splitter->addWidget(views);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);
}

void MDIForm1::BuildStatusArea() {
  QStatusBar* bar = statusBar();
  lblInfo_ = new StatusLine(bar);
  progressBar_ = new QProgressBar(bar);
  progressBar_->setObjectName("ProgressBar1");
  progressBar_->setTextVisible(false);
  progressBar_->setMaximumWidth(140);
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  lblCSum_ = NamedLabel("lblCSum", bar);
  imgVpp_ = NamedLabel("imgVpp", bar);
  imgVpp_->setPixmap(Picture("VppOff"));
  lblHardware_ = NamedLabel("lblHardware", bar);
  lblVersion_ = NamedLabel("lblVersion", bar);
  imgHardOnOff_ = NamedLabel("imgHardOnOff", bar);
  imgHardOnOff_->setPixmap(Picture("HardOff"));
  QStringList sums{"CSum: ----"};
  for (const QChar digit : QString("0123456789ABCDEF")) sums << "CSum: " + QString(4, digit);
  KeepWidest(lblCSum_, sums);
  KeepWidest(lblHardware_, {"Hw.:KRV330", "Hw.: Unknown"});
  bar->addWidget(lblInfo_, 1);
  for (QWidget* w : std::initializer_list<QWidget*>{progressBar_, lblCSum_, imgVpp_, lblHardware_,
                                                    lblVersion_, imgHardOnOff_})
    bar->addPermanentWidget(w);
}

bool MDIForm1::Startup(StartOptions opt) {
  s_.ProgramFolder = opt.programFolder;
  settingsFile_ = FindSettingsFile(opt.programFolder, opt.configFolder);

  // One instance at a time: checked before the programmer is opened or anything written.
  lock_ = std::make_unique<QLockFile>(Q(opt.lockPath));
  lock_->setStaleLockTime(0);  // a live instance holds it however long it runs
  if (!lock_->tryLock(0) && lock_->error() == QLockFile::LockFailedError) {
    // The settings are only read, to tell it in the user's language.
    s_.settings = LoadSettings(settingsFile_);
    s_.LangFile = LanguageFilePath(s_);
    MsgBox(Text(s_, TextId::Msg2), mb::kWarning, kAppTitle);
    return false;
  }
  if (!lock_->isLocked())
    std::cerr << "krv330: cannot create the lock file " << opt.lockPath
              << "; other instances go unnoticed\n";
  started_ = true;

  setWindowTitle(kAppTitle);
  s_.settings = LoadSettings(settingsFile_);
  s_.LangFile = LanguageFilePath(s_);
  for (Family f : kFamilies) cboFamily_->addItem(Q(std::string(FamilyCaption(f))));
  cboFamily_->setCurrentIndex(-1);
  SetLanguage();
  // frm16F54 is the dialog shown so far.
  PlaceConfigDialog(CreateConfigDialog(DialogId::frm16F54, s_, clientArea_));
  RestoreWindowSize();

  s_.link.transport = std::move(opt.transport);
  BuscaHID(s_);
  ShowConnectionState(s_);

  // Chip identification is not available: the start always shows the placeholder.
  s_.dev.DeviceName = "PICunknown";
  ShowDevicesOf(Family::Unknown);
  Select("PICunknown");
  if (!opt.selectDevice.empty()) ChooseDevice(opt.selectDevice);

  WatchDevices(std::move(opt.monitor));
  return true;
}

void MDIForm1::RestoreWindowSize() {
  QSize size(TwipsToPixels(s_.settings.MeWidth), TwipsToPixels(s_.settings.MeHeight));
  // Never smaller than the contents.
  size = size.expandedTo(minimumSizeHint());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize avail = screen->availableGeometry().size();
    if (avail.isValid() && !avail.isEmpty()) size = size.boundedTo(avail);
  }
  programSize_ = size;
  resize(size);
}

void MDIForm1::resizeEvent(QResizeEvent* e) {
  // A window that grows to fit a larger dialog keeps counting as the program's size.
  if (e->size() == programSize_.expandedTo(minimumSize())) programSize_ = e->size();
  QMainWindow::resizeEvent(e);
}

void MDIForm1::WatchDevices(std::unique_ptr<DeviceMonitor> monitor) {
  monitor_ = std::move(monitor);
  if (!monitor_ || monitor_->Fd() < 0) return;
  notifier_ = new QSocketNotifier(monitor_->Fd(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    try {
      if (monitor_->TakeEvents()) OnDeviceChange(s_);
    } catch (const std::exception& e) {
      ShowError(s_, "OnDeviceChange", e.what());
    }
  });
}

void MDIForm1::SetLanguage() {
  for (const MenuDef& m : MenuTable())
    findChild<QMenu*>(QString("mnu") + m.name)->setTitle(Q(Text(s_, m.caption)));
  for (const CommandDef& c : CommandTable()) {
    if (c.menuPlace) findChild<QAction*>(MenuItemName(c))->setText(Q(Text(s_, c.caption)));
    if (!c.buttonPlace) continue;
    QAction* a = findChild<QAction*>(c.key);
    a->setText(Q(Text(s_, c.tip)));
    a->setToolTip(Q(Text(s_, c.tip)));
  }
  cboFamily_->setToolTip(Q(Text(s_, TextId::TipFamily)));
  cboDevices_->setToolTip(Q(Text(s_, TextId::TipDevice)));
  lblCode_->setText(Q(Text(s_, TextId::ViewCode)));
  lblData_->setText(Q(Text(s_, TextId::ViewData)));
  lblIcsp_->setText(Q(Text(s_, TextId::ViewIcsp)));
  lblInfo_->SetTexts(StatusTexts(s_));
}

// ---- device boxes ----

void MDIForm1::ShowDevicesOf(Family f) {
  const int familyIndex = static_cast<int>(
      std::find(std::begin(kFamilies), std::end(kFamilies), f) - std::begin(kFamilies));
  cboFamily_->setCurrentIndex(familyIndex < static_cast<int>(std::size(kFamilies)) ? familyIndex
                                                                                   : -1);
  cboDevices_->clear();
  for (const std::string& name : FillDeviceList(f)) cboDevices_->addItem(Q(name));
}

void MDIForm1::FamilyChosen(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kFamilies))) return;
  const Family f = kFamilies[index];
  // The family shown already: keep the device (and the buffers) as they are.
  if (s_.dev.family == f && cboDevices_->findText(Q(s_.dev.DeviceName)) >= 0) return;
  ShowDevicesOf(f);
  if (cboDevices_->count() == 0) return;
  cboDevices_->setCurrentIndex(0);
  Select(cboDevices_->itemText(0).toStdString());
}

void MDIForm1::DeviceChosen(int index) {
  const std::string name = cboDevices_->itemText(index).toStdString();
  // Picking the selected device again keeps the buffers.
  if (name.empty() || name == s_.dev.DeviceName) return;
  Select(name);
}

void MDIForm1::ChooseDevice(const std::string& name) {
  if (!FindDevice(name)) {
    std::cerr << "krv330: unknown device \"" << name << "\"\n";
    return;
  }
  ShowDevicesOf(FamilyOf(name));
  cboDevices_->setCurrentIndex(cboDevices_->findText(Q(name)));
  Select(name);
}

void MDIForm1::Select(const std::string& name) {
  try {
    SelectDevice(s_, name);
  } catch (const std::exception& e) {
    ShowError(s_, "SelectDevice", e.what());
  }
}

// ---- configuration dialog ----

void MDIForm1::LoadConfig() {
  if (!dialog_.dialog || dialog_.dialog->Id() != s_.dev.ConfigForm) {
    delete dialog_.widget;
    PlaceConfigDialog(CreateConfigDialog(s_.dev.ConfigForm, s_, clientArea_));
  }
  dialog_.widget->setEnabled(!s_.run.ActionRunning);
  dialog_.dialog->ShowConfig();
  dialog_.widget->show();
}

void MDIForm1::PlaceConfigDialog(ConfigDialogHandle dialog) {
  dialog_ = dialog;
  clientArea_->layout()->addWidget(dialog_.widget);
}

// ---- window seam ----

void MDIForm1::SetInfo(const std::string& text) {
  lblInfo_->setText(Q(text));
}

std::string MDIForm1::Info() const {
  return lblInfo_->text().toStdString();
}

void MDIForm1::SetProgressMax(double max) {
  progressMax_ = max;
  progressBar_->setMaximum(std::max(1, static_cast<int>(max)));
  SetProgress(progress_);
}

void MDIForm1::SetProgress(double value) {
  progress_ = value;
  progressBar_->setValue(std::clamp(static_cast<int>(value), 0, progressBar_->maximum()));
}

void MDIForm1::SetCSum(const std::string& text) {
  lblCSum_->setText(Q(text));
}

void MDIForm1::SetVppPicture(bool on) {
  imgVpp_->setPixmap(Picture(on ? "VppOn" : "VppOff"));
  imgVpp_->setProperty("picture", on ? "VppOn" : "VppOff");
}

void MDIForm1::ShowConnection(const std::string& hardware, const std::string& version, bool on) {
  lblHardware_->setText(Q(hardware));
  lblVersion_->setText(Q(version));
  imgHardOnOff_->setPixmap(Picture(on ? "HardOn" : "HardOff"));
  imgHardOnOff_->setProperty("picture", on ? "HardOn" : "HardOff");
}

void MDIForm1::DoEvents() {
  QCoreApplication::processEvents();
}

void MDIForm1::Beep() {
  QApplication::beep();
}

void MDIForm1::SetBusyPointer(bool busy) {
  if (busy == busyPointer_) return;
  busyPointer_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

int MDIForm1::MsgBox(const std::string& text, int style, const std::string& title) {
  return ShowMessageBox(this, text, style, title);
}

void MDIForm1::ShowWindows() {
  const bool icsp = s_.dev.IsDsPic30();
  lblIcsp_->setVisible(icsp);
  txtIcsp_->setVisible(icsp);
  txtCode_->Rebuild();
  txtData_->Rebuild();
  txtIcsp_->Rebuild();
  LoadConfig();
}

void MDIForm1::SetBusy(bool busy) {
  if (dialog_.widget) dialog_.widget->setEnabled(!busy);
  cboFamily_->setEnabled(!busy);
  cboDevices_->setEnabled(!busy);
}

// ---- commands ----

std::string MDIForm1::ChooseHexFile(bool save) {
  QFileDialog dlg(this, Q(Text(s_, save ? TextId::SaveHexTitle : TextId::OpenHexTitle)));
  dlg.setNameFilter(Q(Text(s_, TextId::HexFiles)) + " (*.hex)");
  if (!s_.hex.FileName.empty()) dlg.setDirectory(QFileInfo(Q(s_.hex.FileName)).absolutePath());
  if (save) {
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix("hex");
  } else {
    dlg.setFileMode(QFileDialog::ExistingFile);
  }
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
  return dlg.selectedFiles().front().toStdString();
}

void MDIForm1::OpenHexFile() {
  const std::string path = ChooseHexFile(false);
  if (!path.empty() && ImportHexFile(s_, path)) HexFileLoaded();
}

void MDIForm1::SaveHexFile() {
  const std::string path = ChooseHexFile(true);
  if (!path.empty()) ExportHexFile(s_, path);
}

void MDIForm1::UpdateHexFile() {
  if (!s_.hex.FileName.empty() && ImportHexFile(s_, s_.hex.FileName)) HexFileLoaded();
}

void MDIForm1::HexFileLoaded() {
  setWindowTitle(Q(std::string(kAppTitle) + " [") + QFileInfo(Q(s_.hex.FileName)).fileName() + "]");
  for (const CommandDef& c : CommandTable()) {
    if (!c.waitsForHexFile) continue;
    if (c.menuPlace) findChild<QAction*>(MenuItemName(c))->setEnabled(true);
    if (c.buttonPlace) findChild<QAction*>(c.key)->setEnabled(true);
  }
}

void MDIForm1::FillBuffers() {
  ShowFillDialog(s_, this);
}

void MDIForm1::ShowSettings() {
  SettingsDialog dlg(
      s_, [this] { SetLanguage(); }, this);
  dlg.exec();
}

void MDIForm1::ShowAbout() {
  AboutDialog dlg(s_, this);
  dlg.exec();
}

void MDIForm1::CloseWindow() {
  close();
}

// ---- shut-down ----

void MDIForm1::closeEvent(QCloseEvent* e) {
  if (started_ && !shutDown_) {
    if (!commands_.QueryUnload()) {
      e->ignore();
      return;
    }
    Shutdown();
  }
  e->accept();
}

void MDIForm1::Shutdown() {
  shutDown_ = true;
  delete notifier_;
  notifier_ = nullptr;
  monitor_.reset();

  SendToKRV(s_, {kCmdExitProgMode});
  CloseLink(s_);

  s_.settings.LastDev = s_.dev.DeviceName;
  // The size the user left; a size the user did not change keeps the twips read, so
  // that neither the fitting to the contents nor rounding drifts it from run to run.
  const QSize size = isMaximized() || isFullScreen() ? normalGeometry().size() : this->size();
  const QSize fitted = programSize_.expandedTo(minimumSize());
  if (size.width() != fitted.width() && TwipsToPixels(s_.settings.MeWidth) != size.width())
    s_.settings.MeWidth = PixelsToTwips(size.width());
  if (size.height() != fitted.height() && TwipsToPixels(s_.settings.MeHeight) != size.height())
    s_.settings.MeHeight = PixelsToTwips(size.height());
  if (!SaveSettings(settingsFile_, s_.settings)) {
    const std::string text = Text(s_, TextId::SettingsNotSaved) + " " + settingsFile_.path;
    SetInfo(text);
    std::cerr << text << "\n";
  }
  // A new instance may start now, and finds the settings written.
  lock_->unlock();
}

}  // namespace krv
