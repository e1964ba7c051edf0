// Placeholder pictures until the main window lands.
#include "shell/pictures.h"

#include <QPainter>

namespace krv {
QPixmap Picture(const QString& key, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setBrush(Qt::black);
  if (key == "Down") {
    p.drawPolygon(QPolygon({QPoint(2, 5), QPoint(size - 3, 5), QPoint(size / 2, size - 4)}));
  } else if (key == "Up") {
    p.drawPolygon(QPolygon({QPoint(2, size - 5), QPoint(size - 3, size - 5), QPoint(size / 2, 4)}));
  } else {
    return QPixmap();
  }
  return pm;
}
}  // namespace krv
