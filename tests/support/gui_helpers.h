#pragma once
// A user's mouse on the program's controls, what a control shows, and the four hexadecimal
// digits the word labels show; shared by the dialog and program tests.
#include <string>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "core/hex_text.h"
#include "widgets/pictures.h"

namespace krv::test {

inline std::string Hex4(int32_t v) {
  std::string hex;
  return FormatHex(static_cast<uint32_t>(v), 4, hex) ? hex : std::to_string(v);
}

// A click in the middle of a control.
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

// A button's, label's or box's text, a frame's title.
inline std::string CaptionOf(const QWidget* w) {
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text().toStdString();
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text().toStdString();
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text().toStdString();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title().toStdString();
  return {};
}

// The state of control `name` of `root` as the case tables write it: a check box or button
// "0"/"1", an option array its selected Index ("-1" for none), a list its selected row, a
// label or box its text.
inline std::string StateOf(const QWidget* root, const QString& name) {
  if (auto* g = root->findChild<QButtonGroup*>(name)) return std::to_string(g->checkedId());
  const QWidget* w = root->findChild<QWidget*>(name);
  if (!w) {
    ADD_FAILURE() << "no control " << name.toStdString();
    return {};
  }
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->isChecked() ? "1" : "0";
  if (auto* l = qobject_cast<const QListWidget*>(w)) return std::to_string(l->currentRow());
  return CaptionOf(w);
}

}  // namespace krv::test
