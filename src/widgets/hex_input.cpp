#include "widgets/hex_input.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include "core/hex_text.h"

namespace krv {

namespace {

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

std::optional<QChar> HexKey(QChar typed) {
  const QChar c = typed.toUpper();
  const char16_t u = c.unicode();
  if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F')) return c;
  return std::nullopt;
}

void InstallHexKeyFilter(QLineEdit* box) {
  box->installEventFilter(new HexKeyFilter(box));
  box->setValidator(new HexValidator(box));
}

uint32_t HexValue(QStringView text) {
  return ReadHexPrefix(text.toLatin1().toStdString()).value;
}

}  // namespace krv
