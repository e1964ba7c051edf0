#pragma once
// What all configuration dialogs share: the name, the placement in the main window's client
// area, the typed access to the controls that other subsystems read, and the making of
// controls named as the rest of the program knows them.
#include <cstdint>

#include <QFont>
#include <QString>
#include <QWidget>

#include "editors/config_dialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace krv {

struct Session;

// The objectName of element `index` of a control array: "txtConfig(0)", "optOsc(2)".
QString ArrayName(const QString& name, int index);

// The objectName of a control that other subsystems read: "cheOscCal", "txtUserID1" ...
QString ControlObjectName(DialogControl control);

// The fixed-pitch font of the hexadecimal labels and boxes: "Courier New" at the size of the
// system's fixed-pitch font, or that font itself where "Courier New" is missing.
QFont FixedFont();

class DialogBase : public QWidget, public ConfigDialog {
 public:
  DialogId Id() const override { return id_; }
  std::optional<int> Value(DialogControl control) const override;
  bool SetValue(DialogControl control, int value) override;
  std::optional<std::string> ControlText(DialogControl control) const override;

 protected:
  // Named after the dialog ("frm16F54") and placed at the top-left corner of `parent`,
  // filling it.
  DialogBase(DialogId id, Session& s, QWidget* parent);

  // `value` as `digits` upper-case hexadecimal digits (through Dec2Hex).
  QString Hex(uint32_t value, int digits) const;
  // CalcDeviceCSum; a run-time error is reported here, so that it never reaches the event
  // loop from a control's handler.
  void RefreshCSum();

  static QCheckBox* NewCheck(QWidget* parent, const QString& name, const QString& caption);
  static QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption,
                          bool fixedPitch = false);
  // A text box of at most four hexadecimal digits, behind the hexadecimal key filter.
  static QLineEdit* NewHexBox(QWidget* parent, const QString& name, const QString& text);
  static QGroupBox* NewFrame(QWidget* parent, const QString& name, const QString& caption);

  Session& s_;

 private:
  DialogId id_;
};

}  // namespace krv
