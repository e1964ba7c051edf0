#pragma once
// Clicks on the parts of a drop-down selector, as a user makes them.
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "shell/pictures.h"

namespace krv::test {

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

}  // namespace krv::test
