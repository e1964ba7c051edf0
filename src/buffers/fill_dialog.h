#pragma once
// Buffers > Fill: the fill dialog.
class QWidget;

namespace krv {

struct Session;

// Runs the modal fill dialog; on OK fills the chosen range, then checksum and ShowWindows.
void ShowFillDialog(Session& s, QWidget* parent);

}  // namespace krv
