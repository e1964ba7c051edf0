#pragma once
// The program's pictures, drawn by the program itself: toolbar and menu icons, the Vpp and
// connection pictures, the "Down" and "Up" arrows of the drop-down selectors.
#include <QPixmap>
#include <QString>

namespace krv {

// The picture with this key ("Down", "Up", "VppOn", "VppOff", "HardOn", "HardOff", toolbar
// keys ...); a null pixmap for an unknown key.
QPixmap Picture(const QString& key, int size = 16);

}  // namespace krv
