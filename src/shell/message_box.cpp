#include "shell/message_box.h"

#include <QMessageBox>

#include "core/window.h"

namespace krv {

int ShowMessageBox(QWidget* parent, const std::string& text, int style, const std::string& title) {
  QMessageBox box(parent);
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  switch (style & 0x70) {
    case 16:
      box.setIcon(QMessageBox::Critical);
      break;
    case 32:
      box.setIcon(QMessageBox::Question);
      break;
    case 48:
      box.setIcon(QMessageBox::Warning);
      break;
    case 64:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      break;
  }
  switch (style & 0x07) {
    case 1:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case 3:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case 4:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return mb::kYes;
    case QMessageBox::No:
      return mb::kNo;
    case QMessageBox::Cancel:
      return mb::kCancel;
    case QMessageBox::Ok:
      return mb::kOk;
    default:
      // Closed without a button: the box's escape answer.
      return (style & 0x07) == 4 ? mb::kNo : (style & 0x07) == 0 ? mb::kOk : mb::kCancel;
  }
}

}  // namespace krv
