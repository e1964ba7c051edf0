#pragma once
// The program's pictures, drawn by the program itself: toolbar and menu icons, the Vpp and
// connection pictures, the "Down" and "Up" arrows of the drop-down selectors and the logo
// of the about dialog.
#include <QPixmap>
#include <QString>

namespace krv {

// The picture with this key, `size` pixels square; a null pixmap for an unknown key.
// Keys: toolbar buttons "Open", "Save", "Update", "Fill", "Read", "Verify", "DevID",
// "Write", "Erase", "Detect", "Stop"; menu items "Exit", "Clear", "Settings", "About";
// "VppOn", "VppOff", "HardOn", "HardOff", "Down", "Up", "Logo".
QPixmap Picture(const QString& key, int size = 16);

}  // namespace krv
