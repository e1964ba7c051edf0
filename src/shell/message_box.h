#pragma once
// Message boxes with the program's style codes: the icon (16 critical, 32 question,
// 48 warning, 64 information) plus the buttons (0 OK, 1 OK and Cancel, 3 Yes, No and
// Cancel, 4 Yes and No), answered with 1 OK, 2 Cancel, 6 Yes, 7 No.
#include <string>

class QWidget;

namespace krv {

int ShowMessageBox(QWidget* parent, const std::string& text, int style, const std::string& title);

}  // namespace krv
