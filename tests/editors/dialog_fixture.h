#pragma once
// A configuration dialog in a client area of its own, on a test session, and the reading
// of its controls' state by name.
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "core/session.h"
#include "devices/catalogue.h"
#include "editors/config_dialog.h"
#include "editors/dialog_factory.h"
#include "support/gui_helpers.h"
#include "support/qt_environment.h"
#include "support/test_session.h"

namespace krv::test {

struct DialogFixture {
  TestSession ts;
  Session& s = ts.s;
  std::unique_ptr<QWidget> area = [] {
    auto w = std::make_unique<QWidget>();
    w->resize(1000, 700);
    return w;
  }();
  QWidget* widget = nullptr;
  ConfigDialog* dialog = nullptr;

  // Selects `device`; its dialog, in the shown client area, stays when the dialog shown is
  // already the device's, as the main window keeps it.
  void Open(const std::string& device) {
    SelectDevice(s, device);
    if (dialog && dialog->Id() == s.dev.ConfigForm) return;
    Close();
    const ConfigDialogHandle h = CreateConfigDialog(s.dev.ConfigForm, s, area.get());
    widget = h.widget;
    dialog = h.dialog;
    ts.window.dialog = dialog;
    area->show();
  }
  // Drops the dialog shown: the next Open makes a new one.
  void Close() {
    delete widget;
    widget = nullptr;
    dialog = ts.window.dialog = nullptr;
  }

  template <class T>
  T* Find(const QString& name) const {
    T* w = widget->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  std::string StateOf(const QString& name) const { return test::StateOf(widget, name); }
};

}  // namespace krv::test
