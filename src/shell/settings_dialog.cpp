#include "shell/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/helpers.h"
#include "core/session.h"

namespace krv {

SettingsDialog::SettingsDialog(Session& s, std::function<void()> languageChanged, QWidget* parent)
    : QDialog(parent), s_(s), languageChanged_(std::move(languageChanged)) {
  setObjectName("frmSettings");
  auto* layout = new QVBoxLayout(this);
  cheVWhile_ = Flag("cheVWhile", s_.settings.VWhile);
  cheVAfter_ = Flag("cheVAfter", s_.settings.VAfter);
  cheEEAddrFile18_ = Flag("cheEEAddrFile18", s_.settings.EEAddrFile18);
  cheDelICSP_ = Flag("cheDelICSP", s_.settings.DelICSP);
  // Only dsPIC30 parts have an ICSP code area.
  cheDelICSP_->setEnabled(s_.dev.IsDsPic30());
  for (QCheckBox* c : {cheVWhile_, cheVAfter_, cheEEAddrFile18_, cheDelICSP_}) layout->addWidget(c);

  auto* row = new QHBoxLayout;
  lblLanguage_ = new QLabel(this);
  lblLanguage_->setObjectName("lblLanguage");
  cboLanguage_ = new QComboBox(this);
  cboLanguage_->setObjectName("cboLanguage");
  // The language in use is offered even when its file is missing.
  QStringList languages = Languages(s_.ProgramFolder);
  const QString current = QString::fromStdString(s_.settings.Language);
  if (!languages.contains(current)) languages.prepend(current);
  cboLanguage_->addItems(languages);
  cboLanguage_->setCurrentIndex(cboLanguage_->findText(current));
  connect(cboLanguage_, &QComboBox::activated, this, &SettingsDialog::LanguageChosen);
  row->addWidget(lblLanguage_);
  row->addWidget(cboLanguage_, 1);
  layout->addLayout(row);

  cmdClose_ = new QPushButton(this);
  cmdClose_->setObjectName("cmdClose");
  cmdClose_->setDefault(true);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdClose_);
  layout->addLayout(buttons);
  SetTexts();
}

QCheckBox* SettingsDialog::Flag(const char* name, int& setting) {
  auto* box = new QCheckBox(this);
  box->setObjectName(name);
  box->setChecked(setting == 1);
  connect(box, &QCheckBox::toggled, this, [&setting](bool on) { setting = on ? 1 : 0; });
  return box;
}

QStringList SettingsDialog::Languages(const std::string& programFolder) {
  QStringList out;
  const QDir dir(QString::fromStdString(programFolder));
  for (const QFileInfo& f : dir.entryInfoList({"*.ini"}, QDir::Files, QDir::Name)) {
    if (f.fileName().compare("KRV330.ini", Qt::CaseInsensitive) == 0) continue;
    out << f.completeBaseName();
  }
  return out;
}

void SettingsDialog::LanguageChosen(int index) {
  const std::string language = cboLanguage_->itemText(index).toStdString();
  if (language == s_.settings.Language) return;
  s_.settings.Language = language;
  s_.LangFile = LanguageFilePath(s_);
  SetTexts();
  if (languageChanged_) languageChanged_();
}

void SettingsDialog::SetTexts() {
  const auto t = [this](TextId id) { return QString::fromStdString(Text(s_, id)); };
  setWindowTitle(t(TextId::SettingsCaption));
  cheVWhile_->setText(t(TextId::SettingsVWhile));
  cheVAfter_->setText(t(TextId::SettingsVAfter));
  cheEEAddrFile18_->setText(t(TextId::SettingsEEAddrFile18));
  cheDelICSP_->setText(t(TextId::SettingsDelICSP));
  lblLanguage_->setText(t(TextId::SettingsLanguage));
  cmdClose_->setText(t(TextId::SettingsClose));
}

}  // namespace krv
