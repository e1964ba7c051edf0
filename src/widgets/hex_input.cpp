#include "widgets/hex_input.h"

#include <optional>

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include "core/hex_text.h"

namespace krv {

namespace {

// The character that a typed character puts into a hexadecimal box: "0".."9" and "A".."F"
// (lower case made upper case); nothing for every other character.
std::optional<QChar> HexKey(QChar typed) {
  if (typed.unicode() > 0x7F || HexDigit(typed.toLatin1()) < 0) return std::nullopt;
  return typed.toUpper();
}

class HexKeyFilter final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Backspace:
      case Qt::Key_Delete:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
      case Qt::Key_Return:  // types nothing; a dialog's default button still hears it
      case Qt::Key_Enter:
      case Qt::Key_Escape:  // types nothing; a dialog's cancel still hears it
        return false;
      default:
        break;
    }
    const QString text = key->text();
    if (text.isEmpty()) return false;  // moves the cursor, selects ...: no character typed
    // Copy, cut, paste and select-all stay with the box; the box types nothing for them.
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    if (!(key->modifiers() & Qt::AltModifier) && text.size() == 1) {
      if (const auto c = HexKey(text.front()))
        static_cast<QLineEdit*>(watched)->insert(QString(*c));
    }
    return true;
  }
};

// Text that reaches the box without a typed key (pasted, dropped) is held to the same
// rule: upper-cased, and refused unless it is hexadecimal digits only.
class HexValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input = input.toUpper();
    for (const QChar c : input)
      if (!HexKey(c)) return Invalid;
    return Acceptable;
  }
};

}  // namespace

void InstallHexKeyFilter(QLineEdit* box) {
  box->installEventFilter(new HexKeyFilter(box));
  box->setValidator(new HexValidator(box));
}

}  // namespace krv
