#include "editors/pic10_16/word_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/session.h"
#include "widgets/hex_input.h"

namespace krv {

std::array<uint8_t, 4> UserIdLowBytes(QStringView text) {
  std::array<uint8_t, 4> low{};
  for (qsizetype i = 0; i < 4; ++i) {
    const QChar c = i < text.size() ? text[i] : QChar();
    low[static_cast<size_t>(i)] = static_cast<uint8_t>(HexValue(QString(QLatin1Char('F')) + c));
  }
  return low;
}

WordDialog::WordDialog(DialogId id, Session& s, QWidget* parent) : DialogBase(id, s, parent) {
  auto* outer = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  outer->addLayout(row);
  outer->addStretch(1);
  cfg_ = NewFrame(this, QStringLiteral("fraCfg"), QString());
  row->addWidget(cfg_, 0, Qt::AlignTop);
  side_ = new QVBoxLayout;
  row->addLayout(side_);
  row->addStretch(1);
  side_->addStretch(1);

  auto* cfgLayout = new QVBoxLayout(cfg_);
  auto* header = new QHBoxLayout;
  lblCfgAddress_ = NewLabel(cfg_, QStringLiteral("lblCfgAddress"), QStringLiteral("0x01FF"), true);
  lblConfig_ = NewLabel(cfg_, QStringLiteral("lblConfig"), QStringLiteral("????"), true);
  header->addWidget(lblCfgAddress_);
  header->addWidget(lblConfig_);
  header->addStretch(1);
  cfgLayout->addLayout(header);
  auto* body = new QHBoxLayout;
  boxes_ = new QVBoxLayout;
  boxes_->setAlignment(Qt::AlignTop);
  options_ = new QHBoxLayout;
  body->addLayout(boxes_);
  body->addSpacing(12);
  body->addLayout(options_);
  body->addStretch(1);
  cfgLayout->addLayout(body);
  cfg_->hide();  // until the dialog says it has the frame
}

QGroupBox* WordDialog::AddConfigFrame(const QString& caption) {
  cfg_->setTitle(caption);
  cfg_->show();
  return cfg_;
}

void WordDialog::AddUserIdFrame() {
  auto* frame = NewFrame(this, QStringLiteral("fraUSERID"), QStringLiteral("User ID's"));
  auto* layout = new QHBoxLayout(frame);
  lblUserID_ = NewLabel(frame, QStringLiteral("lblUserID"), QStringLiteral("0x0100:0x0103"), true);
  txtUserID_ = NewHexBox(frame, QStringLiteral("txtUserID"), QStringLiteral("FFFF"));
  layout->addWidget(lblUserID_);
  layout->addWidget(txtUserID_);
  side_->insertWidget(side_->count() - 1, frame);
  connect(txtUserID_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const auto low = UserIdLowBytes(text);
    for (size_t i = 0; i < low.size(); ++i) s_.cfg.UserID[2 * i] = low[i];
  });
}

void WordDialog::AddOscCalFrames(bool backup) {
  const auto addFrame = [this](const char* frameName, const char* caption, const char* label,
                               const char* labelCaption, const char* text, const char* edit,
                               QLabel*& labelOut, QLineEdit*& textOut) {
    auto* frame = NewFrame(this, QString::fromLatin1(frameName), QString::fromLatin1(caption));
    auto* layout = new QHBoxLayout(frame);
    labelOut = NewLabel(frame, QString::fromLatin1(label), QString::fromLatin1(labelCaption), true);
    textOut = NewHexBox(frame, QString::fromLatin1(text), QStringLiteral("????"));
    textOut->setEnabled(false);
    auto* editBox = NewCheck(frame, QString::fromLatin1(edit), QStringLiteral("Edit"));
    layout->addWidget(labelOut);
    layout->addWidget(textOut);
    layout->addWidget(editBox);
    side_->insertWidget(side_->count() - 1, frame);
    QLineEdit* box = textOut;
    connect(editBox, &QCheckBox::toggled, box, &QLineEdit::setEnabled);
  };
  addFrame("Frame2", "OSCCAL", "lblOscCal", "0x0104", "txtOscCal", "cheOscCal", lblOscCal_,
           txtOscCal_);
  if (backup)
    addFrame("Frame4", "Backup OSCCAL", "lblBackOscCal", "0x00FF", "txtBackOscCal", "cheBackOscCal",
             lblBackOscCal_, txtBackOscCal_);
}

QCheckBox* WordDialog::AddBox(const WordBox& def) {
  QCheckBox* box = AddCustomBox(def.name, def.caption, nullptr);
  bindings_.push_back({box, def});
  connect(box, &QCheckBox::toggled, this, [this, def](bool ticked) {
    int32_t& w = s_.cfg.*def.word;
    w = WordWithBox(w, def.bits.Of(s_.dev), def.sense, ticked);
    WordChanged(def.word);
  });
  return box;
}

QCheckBox* WordDialog::AddCustomBox(const char* name, const char* caption,
                                    std::function<void(bool)> click) {
  auto* box = NewCheck(cfg_, QString::fromLatin1(name), QString::fromLatin1(caption));
  boxes_->addWidget(box);
  if (click) connect(box, &QCheckBox::toggled, this, std::move(click));
  return box;
}

QButtonGroup* WordDialog::AddOptions(const char* container, const char* name,
                                     std::initializer_list<const char*> captions, Bits field) {
  return AddOptions(container, name, captions, [this, field](int index) {
    const uint32_t m = field.Of(s_.dev);
    s_.cfg.ConfigWord = static_cast<int32_t>((static_cast<uint32_t>(s_.cfg.ConfigWord) & ~m) |
                                             static_cast<uint32_t>(index));
    WordChanged(&ConfigState::ConfigWord);
  });
}

QButtonGroup* WordDialog::AddOptions(const char* container, const char* name,
                                     std::initializer_list<const char*> captions,
                                     std::function<void(int)> click) {
  auto* picture = new QWidget(cfg_);
  picture->setObjectName(QString::fromLatin1(container));
  auto* layout = new QVBoxLayout(picture);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setAlignment(Qt::AlignTop);
  auto* group = new QButtonGroup(picture);
  group->setObjectName(QString::fromLatin1(name));
  int index = 0;
  for (const char* caption : captions) {
    auto* button = new QRadioButton(QString::fromLatin1(caption), picture);
    button->setObjectName(ArrayName(QString::fromLatin1(name), index));
    group->addButton(button, index++);
    layout->addWidget(button);
  }
  options_->addWidget(picture, 0, Qt::AlignTop);
  connect(group, &QButtonGroup::idToggled, this, [click = std::move(click)](int id, bool on) {
    if (on) click(id);
  });
  return group;
}

void WordDialog::ShowCfgAddress() {
  lblCfgAddress_->setText(QStringLiteral("0x") +
                          Hex(static_cast<uint32_t>(s_.dev.ConfigAddress), 4) + QLatin1Char(':'));
}

void WordDialog::ShowConfigWord() {
  lblConfig_->setText(Hex(static_cast<uint32_t>(s_.cfg.ConfigWord), 4));
}

void WordDialog::ShowOscCal() {
  const uint32_t osccal = static_cast<uint32_t>(s_.cfg.OscCalHigh * 256 + s_.cfg.OscCalLow);
  lblOscCal_->setText(QStringLiteral("0x") + Hex(static_cast<uint32_t>(s_.dev.OscCalAddress), 4));
  txtOscCal_->setText(osccal == 0 ? QStringLiteral("????") : Hex(osccal, 4));
  if (!txtBackOscCal_) return;
  lblBackOscCal_->setText(QStringLiteral("0x") +
                          Hex(static_cast<uint32_t>(s_.dev.CodeSize - 1), 4));
  const ByteBuffer& code = s_.buf.CodeBuffer;
  const int32_t high = 2 * s_.dev.CodeSize - 1;
  txtBackOscCal_->setText(high >= 1 && high <= code.UBound()
                              ? Hex(code.Get(high) * 256u + code.Get(high - 1), 4)
                              : QStringLiteral("????"));
}

void WordDialog::ShowUserID() {
  const auto address = static_cast<uint32_t>(s_.dev.UserIDAddress);
  lblUserID_->setText(QStringLiteral("0x") + Hex(address, 4) + QStringLiteral(":0x") +
                      Hex(address + 3, 4));
  QString text;
  for (size_t i = 0; i < 8; i += 2) text += Hex(s_.cfg.UserID[i] & 0xFu, 1);
  txtUserID_->setText(text);
}

const WordDialog::BoxBinding* WordDialog::Binding(const QCheckBox* box) const {
  for (const BoxBinding& b : bindings_)
    if (b.box == box) return &b;
  return nullptr;
}

void WordDialog::SetBox(QCheckBox* box) {
  const BoxBinding* b = Binding(box);
  if (!b) return;
  box->setChecked(
      BoxTicked(static_cast<uint32_t>(s_.cfg.*b->def.word), b->def.bits.Of(s_.dev), b->def.sense));
}

void WordDialog::SetBox(QCheckBox* box, uint32_t bits, Sense sense) {
  box->setChecked(BoxTicked(static_cast<uint32_t>(s_.cfg.ConfigWord), bits, sense));
}

void WordDialog::Select(QButtonGroup* group, int index) {
  if (QAbstractButton* button = group->button(index)) button->setChecked(true);
}

int WordDialog::FieldOf(Bits field) const {
  return static_cast<int>(static_cast<uint32_t>(s_.cfg.ConfigWord) & field.Of(s_.dev));
}

void WordDialog::WordChanged(int32_t ConfigState::*word) {
  if (word == &ConfigState::ConfigWord) ShowConfigWord();
  RefreshCSum();
}

}  // namespace krv
