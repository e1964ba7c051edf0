#include "shell/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/helpers.h"
#include "core/session.h"
#include "widgets/pictures.h"

namespace krv {

AboutDialog::AboutDialog(Session& s, QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  const auto t = [&s](TextId id) { return QString::fromStdString(Text(s, id)); };
  setWindowTitle(t(TextId::AboutCaption));

  const auto label = [this](const char* name, const QString& text) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    return l;
  };
  QLabel* logo = label("imgLogo", QString());
  logo->setPixmap(Picture("Logo", 64));
  QLabel* title = label("lblTitle", kAppTitle);
  QFont big = title->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.3);
  title->setFont(big);
  QLabel* description = label("lblDescription", t(TextId::AboutDescription));
  description->setWordWrap(true);
  // The programmer's firmware version cannot be read: nothing follows "Ver.:".
  QLabel* firmware =
      label("lblFirmware",
            t(TextId::AboutFirmware) + " Ver.:" + QString::fromStdString(s.link.FirmwareVersion));
  auto* ok = new QPushButton(t(TextId::AboutOK), this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(description);
  text->addWidget(firmware);
  auto* top = new QHBoxLayout;
  top->addWidget(logo, 0, Qt::AlignTop);
  top->addLayout(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  setMinimumWidth(360);
}

}  // namespace krv
