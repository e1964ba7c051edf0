// Makes the configuration dialog of each dialog name.
#include "editors/dialog_factory.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/helpers.h"
#include "editors/dialog_base.h"
#include "editors/dialogs.h"

namespace krv {
namespace {

// Stands for a dialog that is not built yet: it says so, has no controls, and its
// ShowConfig only refreshes the checksum.
class PlaceholderDialog final : public DialogBase {
 public:
  PlaceholderDialog(DialogId id, Session& s, QWidget* parent) : DialogBase(id, s, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QString::fromStdString(Text(s, TextId::CfgEditorMissing)), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch(1);
  }
  void ShowConfig() override { RefreshCSum(); }
};

}  // namespace

ConfigDialogHandle CreateConfigDialog(DialogId id, Session& s, QWidget* parent) {
  DialogBase* d = nullptr;
  switch (id) {
    case DialogId::frm16F54:
      d = NewFrm16F54(s, parent);
      break;
    case DialogId::frm30F:
      d = NewFrm30F(s, parent);
      break;
    case DialogId::frm18FXX2:
      d = NewFrm18FXX2(s, parent);
      break;
    default:
      d = new PlaceholderDialog(id, s, parent);
      break;
  }
  return {d, d};
}

}  // namespace krv
