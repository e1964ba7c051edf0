#include "editors/pic18/pic18_dialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/hex_text.h"
#include "core/session.h"
#include "devices/catalogue.h"
#include "editors/pic18/drop_down_selector.h"
#include "widgets/pictures.h"

namespace krv {

namespace {

// Single boxes per column.
constexpr int kBoxesPerColumn = 9;
// Selectors per row.
constexpr int kSelectorsPerRow = 3;

std::vector<QString> QTexts(const std::vector<std::string>& texts) {
  std::vector<QString> out;
  out.reserve(texts.size());
  for (const std::string& t : texts) out.push_back(Q(t));
  return out;
}

}  // namespace

std::array<uint8_t, 2> UserIdPair(QStringView text) {
  const std::string latin = text.toLatin1().toStdString();
  const std::string_view v(latin);
  return {static_cast<uint8_t>(ReadHexPrefix(v.substr(0, 2)).value),
          static_cast<uint8_t>(ReadHexPrefix(v.size() > 2 ? v.substr(2, 2) : "").value)};
}

std::vector<ControlDecl> ProtectionBoxes(int blocks) {
  return {BoxArray("cheCP", "CP", Config(5), 0, blocks, Low),
          Box("cheCPB", H(5, 6), Low),
          Box("cheCPD", H(5, 7), Low),
          BoxArray("cheWRT", "WRT", Config(6), 0, blocks, Low),
          Box("cheWRTC", H(6, 5), Low),
          Box("cheWRTB", H(6, 6), Low),
          Box("cheWRTD", H(6, 7), Low),
          BoxArray("cheEBTR", "EBTR", Config(7), 0, blocks, Low),
          Box("cheEBTRB", H(7, 6), Low)};
}

std::vector<std::string> BlockElements(int from, int to) {
  std::vector<std::string> names;
  for (const char* array : {"cheCP", "cheWRT", "cheEBTR"})
    for (int block = from; block <= to; ++block)
      names.push_back(std::string(array) + '(' + std::to_string(block) + ')');
  return names;
}

std::vector<std::string> OscTexts(std::vector<std::string> first10) {
  first10.resize(16, first10.at(3));
  return first10;
}

bool NoDataEeprom(const DeviceParams& d) {
  return d.DataSize == 0;
}

Pic18Dialog::Pic18Dialog(const DialogDecl& decl, Session& s, QWidget* parent)
    : DialogBase(decl.id, s, parent, &decl) {
  setFont(FixedFont());
  const QPixmap down = Picture(QStringLiteral("Down")), up = Picture(QStringLiteral("Up"));

  auto* selectors = new QGridLayout;
  selectors->setHorizontalSpacing(16);
  // Columns of boxes: single boxes of the general words, then one column for each of the
  // protection words 5, 6 and 7 (its array first, then its single boxes).
  auto* boxes = new QHBoxLayout;
  boxes->setSpacing(18);
  QVBoxLayout* general = nullptr;
  int inGeneral = 0;
  QVBoxLayout* protection[3] = {};
  const auto newColumn = [&] {
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    column->setAlignment(Qt::AlignTop);
    boxes->addLayout(column);
    return column;
  };
  for (size_t i = 0; i < decl.controls.size(); ++i) {
    const ControlDecl& c = decl.controls[i];
    if (const auto* d = std::get_if<SelectorDecl>(&c)) {
      auto* sel = new DropDownSelector(this, Q(d->field), Q(d->caption), down, up);
      if (decl.selectorFont == DialogFont::Sans) sel->SetValueFont(SansFont());
      const int n = static_cast<int>(selectors_.size());
      auto* cell = new QVBoxLayout;
      cell->addWidget(sel->CaptionLabel());
      cell->addWidget(sel->Shape());
      selectors->addLayout(cell, n / kSelectorsPerRow, n % kSelectorsPerRow);
      selectors_.push_back({sel, d});
      sel->onPick = [this, n](int index) { Picked(selectors_[static_cast<size_t>(n)], index); };
      continue;
    }
    const WordId word = std::holds_alternative<ArrayDecl>(c) ? std::get<ArrayDecl>(c).word
                                                             : std::get<BoxDecl>(c).word;
    const int w = static_cast<int>(word) - static_cast<int>(WordId::Config5);
    QVBoxLayout* column;
    if (w >= 0 && w < 3) {
      if (!protection[w]) protection[w] = newColumn();
      column = protection[w];
    } else {
      if (!general || inGeneral >= kBoxesPerColumn) {
        general = newColumn();
        inGeneral = 0;
      }
      column = general;
      ++inGeneral;
    }
    for (QCheckBox* box : MakeBoxes(i, this)) {
      if (decl.boxFont == DialogFont::Sans) box->setFont(SansFont());
      column->addWidget(box);
    }
  }
  selectors->setColumnStretch(kSelectorsPerRow, 1);
  boxes->addStretch(1);

  auto* configs = new QGridLayout;
  configs->addWidget(NewLabel(this, QStringLiteral("Label9"), QStringLiteral("Configs"), true), 0,
                     0, 1, 2);
  for (int n = 1; n <= 7; ++n) {
    configs->addWidget(NewLabel(this, QStringLiteral("Label") + QString::number(n),
                                QString::number(n) + QLatin1Char(':'), true),
                       n, 0);
    lblConfig_[n - 1] = NewLabel(this, QStringLiteral("lblConfig") + QString::number(n),
                                 QStringLiteral("FFFF"), true);
    configs->addWidget(lblConfig_[n - 1], n, 1);
  }
  configs->setRowMinimumHeight(8, 8);
  configs->addWidget(NewLabel(this, QStringLiteral("Label8"), QStringLiteral("UserID's"), true), 9,
                     0, 1, 2);
  for (int n = 1; n <= 4; ++n) {
    QLineEdit* box =
        NewHexBox(this, QStringLiteral("txtUserID") + QString::number(n), QStringLiteral("FFFF"));
    txtUserID_[n - 1] = box;
    configs->addWidget(box, 9 + n, 0, 1, 2);
    const size_t low = static_cast<size_t>(2 * n - 2);
    connect(box, &QLineEdit::textChanged, this, [this, low](const QString& text) {
      const auto pair = UserIdPair(text);
      s_.cfg.UserID[low + 1] = pair[0];
      s_.cfg.UserID[low] = pair[1];
    });
  }
  configs->setRowStretch(14, 1);

  auto* left = new QVBoxLayout;
  left->addLayout(selectors);
  left->addSpacing(16);
  left->addLayout(boxes);
  left->addStretch(1);
  auto* outer = new QHBoxLayout(this);
  outer->addLayout(left);
  outer->addSpacing(32);
  outer->addLayout(configs);
  outer->addStretch(1);
}

uint32_t Pic18Dialog::Word(int n) const {
  return static_cast<uint32_t>(s_.cfg.Config[static_cast<size_t>(n)]);
}

void Pic18Dialog::ShowConfig() {
  SetConfigsDefaults(s_);
  ApplyRules();
  for (const SelectorBinding& b : selectors_) {
    b.selector->SetTexts(QTexts(b.decl->textsFrom ? b.decl->textsFrom(s_) : TextsOf(*b.decl)));
    b.selector->SetListHeightTwips(ListTwipsOf(*b.decl));
    b.selector->SetOpenable(OpenableOf(*b.decl));
    if (b.selector->IsOpen() && !b.selector->Shape()->isVisibleTo(this)) b.selector->Toggle();
  }
  for (const SelectorBinding& b : selectors_) b.selector->FillList();
  for (size_t i = 0; i < decl_->controls.size(); ++i) FillBoxes(i);
  UpdateConfigsLabels();
}

void Pic18Dialog::Picked(const SelectorBinding& b, int index) {
  const SelectorDecl& d = *b.decl;
  int32_t& w = WordOf(s_.cfg, d.word);
  w = WordWithField(w, d.mask, d.shift, static_cast<uint32_t>(index));
  if (d.pickMask >= 0) w &= s_.cfg.ConfigMask[static_cast<size_t>(d.pickMask)];
  FollowTexts();
  UpdateConfigsLabels();
}

void Pic18Dialog::FollowTexts() {
  for (const SelectorBinding& b : selectors_) {
    if (!b.decl->textsFrom) continue;
    std::vector<QString> texts = QTexts(b.decl->textsFrom(s_));
    if (texts == b.selector->Texts()) continue;
    b.selector->SetTexts(std::move(texts));
    b.selector->FillList();
  }
}

void Pic18Dialog::UpdateConfigsLabels() {
  // A selection changed by the refresh runs its pick, which refreshes again. Such a nested
  // refresh only asks for one more round here: a pick may have filled a list anew (the
  // CPU-clock texts follow the oscillator), whose selection the next round sets again. The
  // rounds end when nothing changes.
  if (refreshing_) {
    refreshAgain_ = true;
    return;
  }
  refreshing_ = true;
  constexpr int kMaxRounds = 8;
  for (int round = 0; round < kMaxRounds; ++round) {
    refreshAgain_ = false;
    RefreshOnce();
    if (!refreshAgain_) break;
  }
  refreshing_ = false;
}

void Pic18Dialog::RefreshOnce() {
  for (int n = 1; n <= 7; ++n) lblConfig_[n - 1]->setText(Hex(Word(n), 4));
  for (const SelectorBinding& b : selectors_) {
    const SelectorDecl& d = *b.decl;
    b.selector->ShowValue(
        static_cast<int>((static_cast<uint32_t>(WordOf(s_.cfg, d.word)) >> d.shift) & d.mask));
  }
  for (size_t n = 0; n < 4; ++n)
    txtUserID_[n]->setText(Hex(s_.cfg.UserID[2 * n + 1] * 256u + s_.cfg.UserID[2 * n], 4));
  RefreshCSum();
}

}  // namespace krv
