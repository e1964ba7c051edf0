#pragma once
// A configuration dialog in a client area of its own, on a test session.
#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "devices/catalogue.h"
#include "editors/config_dialog.h"
#include "editors/dialog_factory.h"
#include "support/qt_environment.h"
#include "support/test_session.h"
#include "widgets/pictures.h"

namespace krv::test {

// Element i of a control array: "optOsc(2)".
inline QString Element(const char* array, int i) {
  return QString::fromLatin1(array) + '(' + QString::number(i) + ')';
}
// Four hexadecimal digits, as the word labels show a value.
inline std::string Hex4(int32_t v) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(v));
  return hex;
}

// A user's click in the middle of a control.
inline void ClickOn(QWidget* w) {
  QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}
// Picks entry `row` of an open list with the mouse.
inline void PickEntry(QListWidget* list, int row) {
  QListWidgetItem* item = list->item(row);
  list->scrollToItem(item);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}
// Whether the arrow shows the picture with this key ("Down", "Up").
inline bool ShowsPicture(const QLabel* arrow, const char* key) {
  return arrow->pixmap().toImage() == Picture(QString::fromLatin1(key)).toImage();
}

struct DialogFixture {
  TestSession ts;
  Session& s = ts.s;
  std::unique_ptr<QWidget> area = [] {
    auto w = std::make_unique<QWidget>();
    w->resize(900, 600);
    return w;
  }();
  QWidget* widget = nullptr;
  ConfigDialog* dialog = nullptr;

  // Selects `device`; its dialog, in the shown client area (900 x 600 pixels), stays when
  // the dialog shown is already the device's, as the main window keeps it.
  void Open(const std::string& device) {
    SelectDevice(s, device);
    if (dialog && dialog->Id() == s.dev.ConfigForm) return;
    delete widget;
    Make(s.dev.ConfigForm);
  }
  // Drops the dialog shown: the next Open makes a new one, as a fresh window would.
  void Close() {
    delete widget;
    widget = nullptr;
    dialog = ts.window.dialog = nullptr;
  }
  void Make(DialogId id) {
    const ConfigDialogHandle h = CreateConfigDialog(id, s, area.get());
    widget = h.widget;
    dialog = h.dialog;
    ts.window.dialog = dialog;
    area->show();
  }

  template <class T>
  T* Find(const QString& name) const {
    T* w = widget->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  QCheckBox* Box(const QString& name) const { return Find<QCheckBox>(name); }
  QLabel* Label(const QString& name) const { return Find<QLabel>(name); }
  QLineEdit* Edit(const QString& name) const { return Find<QLineEdit>(name); }
  std::string LabelText(const QString& name) const { return Label(name)->text().toStdString(); }
  std::string EditText(const QString& name) const { return Edit(name)->text().toStdString(); }
  // Shown when the dialog is shown (not hidden itself nor inside a hidden container).
  bool Shown(const QString& name) const { return Find<QWidget>(name)->isVisibleTo(widget); }
  // A user's click on a check box or option button.
  void Click(const QString& name) const { Find<QAbstractButton>(name)->click(); }
  // Keys typed into a text box.
  void Type(const QString& name, const QString& keys) const {
    QLineEdit* e = Edit(name);
    e->setFocus();
    QTest::keyClicks(e, keys);
  }
  // Replaces the text of a box as a user would: select all, delete, type.
  void Retype(const QString& name, const QString& keys) const {
    QLineEdit* e = Edit(name);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, keys);
  }
};

}  // namespace krv::test
