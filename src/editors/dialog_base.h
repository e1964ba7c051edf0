#pragma once
// What all configuration dialogs share: the name, the placement in the main window's client
// area, the typed access to the controls that other subsystems read, the making of
// controls named as the rest of the program knows them, and the running of a dialog's
// declaration: its check boxes and their click rule, and its per-device rules.
#include <cstdint>
#include <optional>
#include <vector>

#include <QFont>
#include <QString>
#include <QWidget>

#include "editors/config_dialog.h"
#include "editors/declaration.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace krv {

struct Session;

// The objectName of element `index` of a control array: "txtConfig(0)", "optOsc(2)".
QString ArrayName(const QString& name, int index);
QString ArrayName(const std::string& name, int index);
QString Q(const std::string& text);

// The objectName of a control that other subsystems read: "cheOscCal", "txtUserID1" ...
QString ControlObjectName(DialogControl control);

// The fixed-pitch font of the hexadecimal labels and boxes: "Courier New" at the size of the
// system's fixed-pitch font, or that font itself where "Courier New" is missing.
QFont FixedFont();
// The proportional font that some PIC18 dialogs use: "Arial", or the system's own
// proportional font where "Arial" is missing.
QFont SansFont();

class DialogBase : public QWidget, public ConfigDialog {
 public:
  DialogId Id() const override { return id_; }
  std::optional<int> Value(DialogControl control) const override;
  bool SetValue(DialogControl control, int value) override;
  std::optional<std::string> ControlText(DialogControl control) const override;
  std::optional<uint16_t> HexWord(DialogControl control) const override;

 protected:
  // Named after the dialog ("frm16F54") and placed at the top-left corner of `parent`,
  // filling it. `decl` is the dialog's declaration, if it has one.
  DialogBase(DialogId id, Session& s, QWidget* parent, const DialogDecl* decl = nullptr);

  // `value` as `digits` upper-case hexadecimal digits (through Dec2Hex).
  QString Hex(uint32_t value, int digits) const;
  // CalcDeviceCSum; a run-time error is reported here, so that it never reaches the event
  // loop from a control's handler.
  void RefreshCSum();

  static QCheckBox* NewCheck(QWidget* parent, const QString& name, const QString& caption);
  static QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption,
                          bool fixedPitch = false);
  // A text box of at most four hexadecimal digits: only what the key filter lets through
  // gets in, typed or pasted.
  static QLineEdit* NewHexBox(QWidget* parent, const QString& name, const QString& text);
  static QGroupBox* NewFrame(QWidget* parent, const QString& name, const QString& caption);

  // The check boxes of declared control `index` (a box or an array), made in `parent`. A
  // box's click writes its bits into its word, then WordChanged.
  std::vector<QCheckBox*> MakeBoxes(size_t index, QWidget* parent);
  // Fills the boxes of declared control `index` from their bits. A box whose device lacks
  // its bits (mask 0) keeps its state.
  void FillBoxes(size_t index);
  // After a control changed a word: the family refreshes its labels and the checksum.
  virtual void WordChanged(WordId word) = 0;

  // Returns every control that a rule touches to its design state (shown, enabled, and the
  // design caption where a rule sets captions), then applies the rules that match the
  // selected device. Call once all controls are made (the first call takes the design state).
  void ApplyRules();
  // The bits and sense of a box on the selected device.
  struct BoxBits {
    Bits bits;
    Sense sense;
  };
  BoxBits WiringOf(const QString& name, Bits bits, Sense sense) const;
  // The field of an option array on the selected device.
  Field FieldOf(const OptionsDecl& o) const;
  // The selector texts, list height and openability on the selected device.
  const std::vector<std::string>& TextsOf(const SelectorDecl& d) const;
  int ListTwipsOf(const SelectorDecl& d) const;
  bool OpenableOf(const SelectorDecl& d) const;

  Session& s_;
  const DialogDecl* decl_;

 private:
  struct BoxBinding {
    QCheckBox* box;
    size_t control;
    WordId word;
    Bits bits;
    Sense sense;
  };
  void RememberDesign();

  DialogId id_;
  std::vector<BoxBinding> boxes_;
  struct Design {
    QWidget* widget;
    std::optional<QString> caption;  // for a control whose caption a rule sets
  };
  std::vector<Design> design_;
  bool designKnown_ = false;
};

}  // namespace krv
