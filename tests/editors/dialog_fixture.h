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
  // The state of a control as the case files write it: a check box "0"/"1", an option array
  // its selected Index ("-1" for none), a list its selected row, a label or box its text.
  std::string StateOf(const QString& name) const {
    if (auto* g = widget->findChild<QButtonGroup*>(name)) return std::to_string(g->checkedId());
    QWidget* w = Find<QWidget>(name);
    if (auto* c = qobject_cast<QCheckBox*>(w)) return c->isChecked() ? "1" : "0";
    if (auto* r = qobject_cast<QAbstractButton*>(w)) return r->isChecked() ? "1" : "0";
    if (auto* l = qobject_cast<QListWidget*>(w)) return std::to_string(l->currentRow());
    return CaptionOf(w);
  }
  static std::string CaptionOf(const QWidget* w) {
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text().toStdString();
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text().toStdString();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text().toStdString();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title().toStdString();
    return {};
  }
};

}  // namespace krv::test
