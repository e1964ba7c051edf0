#include "editors/dialog_base.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "buffers/buffers.h"
#include "core/errors.h"
#include "core/helpers.h"
#include "widgets/hex_input.h"

namespace krv {

QString ArrayName(const QString& name, int index) {
  return name + '(' + QString::number(index) + ')';
}

QString ControlObjectName(DialogControl control) {
  const std::string_view name = ControlName(control);
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QFont FixedFont() {
  // At the size of the system's fixed-pitch font, as the hexadecimal views beside the dialog
  // use it (a font made from a family name alone would take a size of its own).
  const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::Monospace);
  if (system.pointSizeF() > 0)
    f.setPointSizeF(system.pointSizeF());
  else
    f.setPixelSize(system.pixelSize());
  return f.exactMatch() ? f : system;
}

DialogBase::DialogBase(DialogId id, Session& s, QWidget* parent) : QWidget(parent), s_(s), id_(id) {
  const std::string_view name = DialogName(id);
  setObjectName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  if (parent) setGeometry(parent->rect());
}

std::optional<int> DialogBase::Value(DialogControl control) const {
  const auto* box = findChild<QCheckBox*>(ControlObjectName(control));
  if (!box) return std::nullopt;
  return box->isChecked() ? 1 : 0;
}

bool DialogBase::SetValue(DialogControl control, int value) {
  auto* box = findChild<QCheckBox*>(ControlObjectName(control));
  if (!box) return false;
  box->setChecked(value != 0);
  return true;
}

std::optional<std::string> DialogBase::ControlText(DialogControl control) const {
  const auto* box = findChild<QLineEdit*>(ControlObjectName(control));
  if (!box) return std::nullopt;
  return box->text().toStdString();
}

QString DialogBase::Hex(uint32_t value, int digits) const {
  return QString::fromStdString(Dec2Hex(s_, value, digits));
}

void DialogBase::RefreshCSum() {
  try {
    CalcDeviceCSum(s_);
  } catch (const RuntimeError& e) {
    ShowError(s_, "CalcDeviceCSum", e.what());
  }
}

QCheckBox* DialogBase::NewCheck(QWidget* parent, const QString& name, const QString& caption) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QLabel* DialogBase::NewLabel(QWidget* parent, const QString& name, const QString& caption,
                             bool fixedPitch) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  if (fixedPitch) label->setFont(FixedFont());
  return label;
}

QLineEdit* DialogBase::NewHexBox(QWidget* parent, const QString& name, const QString& text) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(name);
  box->setMaxLength(4);
  box->setFont(FixedFont());
  box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("WWWWW")) + 12);
  InstallHexKeyFilter(box);
  return box;
}

QGroupBox* DialogBase::NewFrame(QWidget* parent, const QString& name, const QString& caption) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  return frame;
}

}  // namespace krv
