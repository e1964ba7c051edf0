// Placeholder dialogs until the configuration editors land.
#include "editors/dialog_factory.h"

#include <QLabel>
#include <QWidget>

#include "buffers/buffers.h"
#include "editors/config_dialog.h"

namespace krv {
namespace {
class PlaceholderDialog final : public QWidget, public ConfigDialog {
 public:
  PlaceholderDialog(DialogId id, Session& s, QWidget* parent) : QWidget(parent), id_(id), s_(s) {
    setObjectName(QString::fromLatin1(DialogName(id).data(), DialogName(id).size()));
    new QLabel(objectName(), this);
  }
  DialogId Id() const override { return id_; }
  void ShowConfig() override { CalcDeviceCSum(s_); }
  std::optional<int> Value(DialogControl) const override { return std::nullopt; }
  bool SetValue(DialogControl, int) override { return false; }
  std::optional<std::string> ControlText(DialogControl) const override { return std::nullopt; }

 private:
  DialogId id_;
  Session& s_;
};
}  // namespace

ConfigDialogHandle CreateConfigDialog(DialogId id, Session& s, QWidget* parent) {
  auto* d = new PlaceholderDialog(id, s, parent);
  return {d, d};
}
}  // namespace krv
