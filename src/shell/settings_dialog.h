#pragma once
// Options > Settings: edits the settings in memory (they are written at shut-down). The
// language is applied at once.
#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace krv {

struct Session;

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  // `languageChanged` runs after a new language has been chosen.
  SettingsDialog(Session& s, std::function<void()> languageChanged, QWidget* parent = nullptr);

  // The language files beside the program (*.ini but the settings file), by name.
  static QStringList Languages(const std::string& programFolder);

 private:
  void SetTexts();
  QCheckBox* Flag(const char* name, int& setting);
  void LanguageChosen(int index);

  Session& s_;
  std::function<void()> languageChanged_;
  QCheckBox* cheVWhile_ = nullptr;
  QCheckBox* cheVAfter_ = nullptr;
  QCheckBox* cheEEAddrFile18_ = nullptr;
  QCheckBox* cheDelICSP_ = nullptr;
  QLabel* lblLanguage_ = nullptr;
  QComboBox* cboLanguage_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

}  // namespace krv
