#include "editors/pic10_16/word_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/hex_text.h"
#include "core/session.h"

namespace krv {

namespace {

// Single boxes per column of a frame.
constexpr int kBoxesPerColumn = 11;

}  // namespace

std::array<uint8_t, 4> UserIdLowBytes(QStringView text) {
  std::array<uint8_t, 4> low{};
  for (qsizetype i = 0; i < 4; ++i) {
    const int d = i < text.size() ? HexDigit(text[i].toLatin1()) : -1;
    low[static_cast<size_t>(i)] = static_cast<uint8_t>(d < 0 ? 0x0F : 0xF0 | d);
  }
  return low;
}

WordDialog::WordDialog(const DialogDecl& decl, Session& s, QWidget* parent)
    : DialogBase(decl.id, s, parent, &decl) {
  auto* outer = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  outer->addLayout(row);
  outer->addStretch(1);
  for (const FrameDecl& f : decl.frames) {
    QGroupBox* frame = NewFrame(this, Q(f.name), Q(f.caption));
    auto* layout = new QVBoxLayout(frame);
    auto* header = new QVBoxLayout;
    auto* body = new QHBoxLayout;
    auto* singles = new QHBoxLayout;
    auto* others = new QHBoxLayout;
    body->addLayout(singles);
    body->addLayout(others);
    body->addStretch(1);
    layout->addLayout(header);
    layout->addLayout(body);
    layout->addStretch(1);
    frames_.push_back({f.name, {frame, header, singles, others}});
    row->addWidget(frame, 0, Qt::AlignTop);
  }
  auto* side = new QVBoxLayout;
  row->addLayout(side);
  row->addStretch(1);

  // The words' labels, ConfigWord's first.
  std::vector<WordLabel> words = {{WordId::ConfigWord, "lblConfig", "lblCfgAddress",
                                   &DeviceRow::ConfigAddress, "", "fraCfg", true}};
  words.insert(words.end(), decl.words.begin(), decl.words.end());
  for (const WordLabel& w : words) {
    Frame& f = FrameNamed(w.frame);
    auto* line = new QHBoxLayout;
    QLabel* address = NewLabel(f.frame, Q(w.addressLabel), Q(w.addressCaption), true);
    QLabel* value = NewLabel(f.frame, Q(w.label), QStringLiteral("????"), true);
    line->addWidget(address);
    line->addWidget(value);
    line->addStretch(1);
    f.header->addLayout(line);
    words_.push_back({w, value, address});
  }

  for (size_t i = 0; i < decl.controls.size(); ++i) {
    const ControlDecl& c = decl.controls[i];
    if (const auto* o = std::get_if<OptionsDecl>(&c)) {
      AddOptions(i, *o);
      continue;
    }
    const bool array = std::holds_alternative<ArrayDecl>(c);
    Frame& f = FrameNamed(array ? std::get<ArrayDecl>(c).frame : std::get<BoxDecl>(c).frame);
    if (array) {
      QVBoxLayout* column = NewColumn(f.others);
      for (QCheckBox* box : MakeBoxes(i, f.frame)) column->addWidget(box);
      continue;
    }
    if (!f.column || f.inColumn >= kBoxesPerColumn) {
      f.column = NewColumn(f.singles);
      f.inColumn = 0;
    }
    for (QCheckBox* box : MakeBoxes(i, f.frame)) {
      f.column->addWidget(box);
      ++f.inColumn;
    }
  }

  AddUserIdFrame(side);
  if (decl.oscCal != OscCalFrames::None) AddOscCalFrames(side);
  side->addStretch(1);
}

WordDialog::Frame& WordDialog::FrameNamed(const std::string& name) {
  for (auto& [n, f] : frames_)
    if (n == name) return f;
  return frames_.front().second;  // a declaration names only its own frames
}

QVBoxLayout* WordDialog::NewColumn(QHBoxLayout* row) {
  auto* column = new QVBoxLayout;
  column->setAlignment(Qt::AlignTop);
  row->addLayout(column);
  return column;
}

void WordDialog::AddOptions(size_t index, const OptionsDecl& o) {
  Frame& f = FrameNamed(o.frame);
  QVBoxLayout* column = NewColumn(f.others);
  QWidget* holder = f.frame;
  if (!o.groupName.empty()) {
    auto* group = NewFrame(f.frame, Q(o.groupName), Q(o.groupCaption));
    column->addWidget(group);
    column = new QVBoxLayout(group);
    holder = group;
  }
  if (!o.titleName.empty()) column->addWidget(NewLabel(holder, Q(o.titleName), Q(o.title)));
  auto* picture = new QWidget(holder);
  picture->setObjectName(Q(o.container));
  auto* layout = new QVBoxLayout(picture);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setAlignment(Qt::AlignTop);
  auto* group = new QButtonGroup(picture);
  group->setObjectName(Q(o.name));
  for (size_t i = 0; i < o.captions.size(); ++i) {
    auto* button = new QRadioButton(Q(o.captions[i]), picture);
    button->setObjectName(ArrayName(o.name, static_cast<int>(i)));
    group->addButton(button, static_cast<int>(i));
    layout->addWidget(button);
  }
  column->addWidget(picture);
  options_.push_back({group, index});
  connect(group, &QButtonGroup::idClicked, this, [this, index](int id) { Choose(index, id); });
}

void WordDialog::Choose(size_t control, int id) {
  const auto& d = std::get<OptionsDecl>(decl_->controls[control]);
  const Field field = FieldOf(d);
  if (!field.write && field.mask.Of(s_.dev) == 0) {  // a field the device lacks
    RefreshCSum();
    return;
  }
  int32_t& w = WordOf(s_.cfg, d.word);
  w = static_cast<int32_t>(field.Write(s_.dev, static_cast<uint32_t>(w), id));
  if (d.onClick) d.onClick(s_, id);
  WordChanged(d.word);
}

void WordDialog::AddUserIdFrame(QVBoxLayout* side) {
  auto* frame = NewFrame(this, QStringLiteral("fraUSERID"), QStringLiteral("User ID's"));
  auto* layout = new QHBoxLayout(frame);
  lblUserID_ = NewLabel(frame, QStringLiteral("lblUserID"), QStringLiteral("0x0100:0x0103"), true);
  txtUserID_ = NewHexBox(frame, QStringLiteral("txtUserID"), QStringLiteral("FFFF"));
  layout->addWidget(lblUserID_);
  layout->addWidget(txtUserID_);
  side->addWidget(frame);
  connect(txtUserID_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const auto low = UserIdLowBytes(text);
    for (size_t i = 0; i < low.size(); ++i) s_.cfg.UserID[2 * i] = low[i];
  });
}

void WordDialog::AddOscCalFrames(QVBoxLayout* side) {
  const auto addFrame = [&](const char* frameName, const char* caption, const char* label,
                            const char* labelCaption, const char* text, const char* edit,
                            QLabel*& labelOut, QLineEdit*& textOut, QCheckBox*& editOut) {
    auto* frame = NewFrame(this, QString::fromLatin1(frameName), QString::fromLatin1(caption));
    auto* layout = new QHBoxLayout(frame);
    labelOut = NewLabel(frame, QString::fromLatin1(label), QString::fromLatin1(labelCaption), true);
    textOut = NewHexBox(frame, QString::fromLatin1(text), QStringLiteral("????"));
    textOut->setEnabled(false);
    editOut = NewCheck(frame, QString::fromLatin1(edit), QStringLiteral("Edit"));
    layout->addWidget(labelOut);
    layout->addWidget(textOut);
    layout->addWidget(editOut);
    side->addWidget(frame);
    connect(editOut, &QCheckBox::toggled, textOut, &QLineEdit::setEnabled);
  };
  addFrame("Frame2", "OSCCAL", "lblOscCal", "0x0104", "txtOscCal", "cheOscCal", lblOscCal_,
           txtOscCal_, cheOscCal_);
  if (decl_->oscCal == OscCalFrames::WithBackup)
    addFrame("Frame4", "Backup OSCCAL", "lblBackOscCal", "0x00FF", "txtBackOscCal", "cheBackOscCal",
             lblBackOscCal_, txtBackOscCal_, cheBackOscCal_);
}

void WordDialog::ShowConfig() {
  for (const WordBinding& w : words_) ShowWord(w);
  if (lblOscCal_) ShowOscCal();
  ShowUserID();
  if (decl_->serves.Matches(s_.dev)) {
    ApplyRules();
    for (size_t i = 0; i < decl_->controls.size(); ++i) {
      FillBoxes(i);
      for (const OptionBinding& o : options_) {
        if (o.control != i) continue;
        const auto& d = std::get<OptionsDecl>(decl_->controls[i]);
        Select(o, FieldOf(d).Read(s_.dev, static_cast<uint32_t>(WordOf(s_.cfg, d.word))));
      }
    }
  }
  RefreshCSum();
}

void WordDialog::ShowWord(const WordBinding& w) {
  if (w.decl.address)
    w.address->setText(QStringLiteral("0x") +
                       Hex(static_cast<uint32_t>(s_.dev.*w.decl.address), 4) + QLatin1Char(':'));
  w.value->setText(Hex(static_cast<uint32_t>(WordOf(s_.cfg, w.decl.word)), 4));
}

// A value typed while its Edit box is ticked is the user's, for the erase to take: a
// refresh leaves it as typed.
void WordDialog::ShowOscCal() {
  lblOscCal_->setText(QStringLiteral("0x") + Hex(static_cast<uint32_t>(s_.dev.OscCalAddress), 4));
  if (!cheOscCal_->isChecked()) {
    const uint32_t osccal = static_cast<uint32_t>(s_.cfg.OscCalHigh * 256 + s_.cfg.OscCalLow);
    txtOscCal_->setText(osccal == 0 ? QStringLiteral("????") : Hex(osccal, 4));
  }
  if (!txtBackOscCal_) return;
  lblBackOscCal_->setText(QStringLiteral("0x") +
                          Hex(static_cast<uint32_t>(s_.dev.CodeSize - 1), 4));
  if (cheBackOscCal_->isChecked()) return;
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

void WordDialog::Select(const OptionBinding& o, int index) {
  if (QAbstractButton* button = o.group->button(index)) {
    if (button->isChecked()) return;
    button->setChecked(true);
    Choose(o.control, index);
    return;
  }
  if (QAbstractButton* checked = o.group->checkedButton()) {
    o.group->setExclusive(false);
    checked->setChecked(false);
    o.group->setExclusive(true);
  }
}

void WordDialog::WordChanged(WordId word) {
  bool checksum = word != WordId::CalibWord1 && word != WordId::CalibWord2;
  for (const WordBinding& w : words_) {
    if (w.decl.word != word) continue;
    w.value->setText(Hex(static_cast<uint32_t>(WordOf(s_.cfg, word)), 4));
    checksum = w.decl.checksum;
  }
  if (checksum) RefreshCSum();
}

}  // namespace krv
