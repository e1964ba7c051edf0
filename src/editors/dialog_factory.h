#pragma once
// Creates the Qt configuration dialogs.
#include "core/device.h"

class QWidget;

namespace krv {

struct Session;
class ConfigDialog;

struct ConfigDialogHandle {
  QWidget* widget = nullptr;       // owned by its Qt parent
  ConfigDialog* dialog = nullptr;  // the same object, seen through its interface
};

// The dialog `id` as a child of `parent`, at its design state (not yet filled).
ConfigDialogHandle CreateConfigDialog(DialogId id, Session& s, QWidget* parent);

}  // namespace krv
