// Placeholder until the fill dialog lands.
#include "buffers/fill_dialog.h"

namespace krv {
void ShowFillDialog(Session&, QWidget*) {}
}  // namespace krv
