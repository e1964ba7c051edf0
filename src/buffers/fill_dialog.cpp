#include "buffers/fill_dialog.h"

#include "widgets/hex_input.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "buffers/fill.h"
#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"

namespace krv {

namespace {

QString Qs(const std::string& t) {
  return QString::fromStdString(t);
}

}  // namespace

FillDialog::FillDialog(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName("frmFill");
  setWindowTitle(Qs(Text(s, TextId::FillCaption)));
  setModal(true);

  auto* box = new QGroupBox(Qs(Text(s, TextId::FillMemory)), this);
  box->setObjectName("fraMemory");
  auto* boxLayout = new QHBoxLayout(box);
  memory_ = new QButtonGroup(this);
  const struct {
    MemoryArea area;
    TextId caption;
  } kMemories[] = {{MemoryArea::Code, TextId::FillCode},
                   {MemoryArea::Data, TextId::FillData},
                   {MemoryArea::Exec, TextId::FillIcsp}};
  for (const auto& m : kMemories) {
    auto* opt = new QRadioButton(Qs(Text(s, m.caption)), box);
    const int index = static_cast<int>(m.area);
    opt->setObjectName(QString("optMemory(%1)").arg(index));
    opt->setEnabled(Geometry(s, m.area).items > 0);
    opt->setVisible(m.area != MemoryArea::Exec || s.dev.IsDsPic30());
    memory_->addButton(opt, index);
    boxLayout->addWidget(opt);
  }

  range_ = new QLabel(this);
  range_->setObjectName("lblRange");
  const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  auto* grid = new QGridLayout;
  const struct {
    const char* label;
    const char* edit;
    TextId caption;
    QLineEdit** field;
  } kFields[] = {{"lblFirst", "txtFirst", TextId::FillFirst, &first_},
                 {"lblLast", "txtLast", TextId::FillLast, &last_},
                 {"lblValue", "txtValue", TextId::FillValue, &value_}};
  int row = 0;
  for (const auto& f : kFields) {
    auto* label = new QLabel(Qs(Text(s, f.caption)), this);
    label->setObjectName(f.label);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(f.edit);
    edit->setMaxLength(6);
    edit->setFont(mono);
    InstallHexKeyFilter(edit);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    *f.field = edit;
    ++row;
  }

  auto* ok = new QPushButton(Qs(Text(s, TextId::FillOK)), this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(Qs(Text(s, TextId::FillCancel)), this);
  cancel->setObjectName("cmdCancel");
  connect(ok, &QPushButton::clicked, this, &FillDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &FillDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addWidget(range_);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  connect(memory_, &QButtonGroup::idClicked, this,
          [this](int id) { SelectMemory(static_cast<MemoryArea>(id)); });
  memory_->button(static_cast<int>(MemoryArea::Code))->setChecked(true);
  SelectMemory(MemoryArea::Code);
}

void FillDialog::SelectMemory(MemoryArea area) {
  const AreaGeometry g = Geometry(s_, area);
  if (g.items <= 0) return;
  const std::string lowest = Dec2Hex(s_, g.addrBase, g.addrDigits);
  const std::string highest = Dec2Hex(s_, g.LastAddress(), g.addrDigits);
  range_->setText(Qs(Text(s_, TextId::FillRange) + " 0x" + lowest + " - 0x" + highest));
  first_->setText(Qs(lowest));
  last_->setText(Qs(highest));
  value_->setText(Qs(Dec2Hex(s_, g.maxValue, g.valueDigits)));
}

void FillDialog::accept() {
  const auto area = static_cast<MemoryArea>(memory_->checkedId());
  const std::string error = FillBuffer(s_, area, first_->text().toStdString(),
                                       last_->text().toStdString(), value_->text().toStdString());
  if (!error.empty()) {
    s_.window->MsgBox(error, mb::kWarning, kAppTitle);
    return;
  }
  QDialog::accept();
}

void ShowFillDialog(Session& s, QWidget* parent) {
  FillDialog d(s, parent);
  d.exec();
}

}  // namespace krv
