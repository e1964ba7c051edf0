#pragma once
// A user's mouse on the program's controls, and the four hexadecimal digits the word labels
// show; shared by the dialog and program tests.
#include <string>

#include <QLabel>
#include <QListWidget>
#include <QTest>

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

}  // namespace krv::test
