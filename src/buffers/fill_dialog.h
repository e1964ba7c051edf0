#pragma once
// Buffers > Fill: the fill dialog.
#include <QDialog>

#include "buffers/area.h"

class QButtonGroup;
class QLabel;
class QLineEdit;

namespace krv {

struct Session;

// Runs the modal fill dialog; on OK fills the chosen range, then checksum and ShowWindows.
void ShowFillDialog(Session& s, QWidget* parent);

// The dialog: memory (optMemory(0) CODE, (1) DATA, (2) ICSP code on dsPIC30 parts), first
// and last address and value (txtFirst, txtLast, txtValue; hexadecimal keys only), cmdOK
// and cmdCancel. Choosing a memory proposes its whole range and its blank value. OK with
// bad input shows why and keeps the dialog open with nothing changed.
class FillDialog : public QDialog {
  Q_OBJECT
 public:
  FillDialog(Session& s, QWidget* parent = nullptr);
  void accept() override;

 private:
  void SelectMemory(MemoryArea area);
  Session& s_;
  QButtonGroup* memory_;
  QLabel* range_;
  QLineEdit* first_;
  QLineEdit* last_;
  QLineEdit* value_;
};

}  // namespace krv
