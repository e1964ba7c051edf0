#include "editors/pic18/pic18_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/session.h"
#include "editors/pic18/drop_down_selector.h"
#include "widgets/hex_input.h"
#include "widgets/pictures.h"

namespace krv {

std::array<uint8_t, 2> UserIdPair(QStringView text) {
  return {static_cast<uint8_t>(HexValue(text.left(2))),
          static_cast<uint8_t>(HexValue(text.size() > 2 ? text.mid(2, 2) : QStringView()))};
}

Pic18Dialog::Pic18Dialog(DialogId id, Session& s, QWidget* parent)
    : DialogBase(id, s, parent),
      down_(Picture(QStringLiteral("Down"))),
      up_(Picture(QStringLiteral("Up"))) {}

uint32_t Pic18Dialog::Word(int n) const {
  return static_cast<uint32_t>(s_.cfg.Config[static_cast<size_t>(n)]);
}

QCheckBox* Pic18Dialog::AddBox(const ConfigBox& def) {
  return Bind(NewCheck(this, QString::fromLatin1(def.name), QString::fromLatin1(def.caption)),
              def.word, def.mask, def.sense);
}

std::vector<QCheckBox*> Pic18Dialog::AddBoxArray(const char* name, const char* caption, int word,
                                                 int count) {
  std::vector<QCheckBox*> out;
  for (int i = 0; i < count; ++i) {
    QCheckBox* box = NewCheck(this, ArrayName(QString::fromLatin1(name), i),
                              QString::fromLatin1(caption) + QString::number(i));
    out.push_back(Bind(box, word, static_cast<uint16_t>(1u << i), Sense::Low));
  }
  return out;
}

QCheckBox* Pic18Dialog::Bind(QCheckBox* box, int word, uint16_t mask, Sense sense) {
  boxes_.push_back({box, word, mask, sense});
  connect(box, &QCheckBox::toggled, this, [this, word, mask, sense](bool ticked) {
    int32_t& w = s_.cfg.Config[static_cast<size_t>(word)];
    w = WordWithBox(w, mask, sense, ticked);
    UpdateConfigsLabels();
  });
  return box;
}

void Pic18Dialog::SetBoxesFromBits() {
  for (const Box& b : boxes_) b.box->setChecked(BoxTicked(Word(b.word), b.mask, b.sense));
}

DropDownSelector* Pic18Dialog::AddSelector(const char* field, const char* caption, int word,
                                           int shift, uint32_t mask, int listTwips,
                                           std::function<void(int)> write) {
  auto* selector = new DropDownSelector(this, QString::fromLatin1(field),
                                        QString::fromLatin1(caption), down_, up_);
  selector->SetListHeightTwips(listTwips);
  if (!write) {
    write = [this, word, shift, mask](int index) {
      int32_t& w = s_.cfg.Config[static_cast<size_t>(word)];
      w = WordWithField(w, mask, shift, static_cast<uint32_t>(index));
    };
  }
  selector->onPick = [this, write = std::move(write)](int index) {
    write(index);
    UpdateConfigsLabels();
  };
  fields_.push_back({selector, word, shift, mask});
  return selector;
}

void Pic18Dialog::FillLists() {
  for (const Field& f : fields_) f.selector->FillList();
}

QGridLayout* Pic18Dialog::ConfigsColumn() {
  auto* grid = new QGridLayout;
  grid->addWidget(NewLabel(this, QStringLiteral("Label9"), QStringLiteral("Configs"), true), 0, 0,
                  1, 2);
  for (int n = 1; n <= 7; ++n) {
    grid->addWidget(NewLabel(this, QStringLiteral("Label") + QString::number(n),
                             QString::number(n) + QLatin1Char(':'), true),
                    n, 0);
    lblConfig_[n - 1] = NewLabel(this, QStringLiteral("lblConfig") + QString::number(n),
                                 QStringLiteral("FFFF"), true);
    grid->addWidget(lblConfig_[n - 1], n, 1);
  }
  grid->setRowMinimumHeight(8, 8);
  grid->addWidget(NewLabel(this, QStringLiteral("Label8"), QStringLiteral("UserID's"), true), 9, 0,
                  1, 2);
  for (int n = 1; n <= 4; ++n) {
    QLineEdit* box =
        NewHexBox(this, QStringLiteral("txtUserID") + QString::number(n), QStringLiteral("FFFF"));
    txtUserID_[n - 1] = box;
    grid->addWidget(box, 9 + n, 0, 1, 2);
    const size_t low = static_cast<size_t>(2 * n - 2);
    connect(box, &QLineEdit::textChanged, this, [this, low](const QString& text) {
      const auto pair = UserIdPair(text);
      s_.cfg.UserID[low + 1] = pair[0];
      s_.cfg.UserID[low] = pair[1];
    });
  }
  return grid;
}

void Pic18Dialog::UpdateConfigsLabels() {
  // A selection changed by the refresh runs its pick, which refreshes again. Such a nested
  // refresh only asks for one more round here; the rounds end when nothing changes.
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
  for (int n = 1; n <= 7; ++n)
    if (lblConfig_[n - 1]) lblConfig_[n - 1]->setText(Hex(Word(n), 4));
  for (const Field& f : fields_)
    f.selector->ShowValue(static_cast<int>((Word(f.word) >> f.shift) & f.mask));
  for (size_t n = 0; n < 4; ++n)
    if (txtUserID_[n])
      txtUserID_[n]->setText(Hex(s_.cfg.UserID[2 * n + 1] * 256u + s_.cfg.UserID[2 * n], 4));
  RefreshCSum();
}

}  // namespace krv
