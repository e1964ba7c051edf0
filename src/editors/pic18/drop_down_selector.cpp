#include "editors/pic18/drop_down_selector.h"

#include <algorithm>

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>

namespace krv {

DropDownSelector::DropDownSelector(QWidget* dialog, const QString& field, const QString& caption,
                                   const QPixmap& down, const QPixmap& up)
    : QObject(dialog), dialog_(dialog), down_(down), up_(up) {
  caption_ = new QLabel(caption, dialog);
  caption_->setObjectName(QStringLiteral("lbl") + field);
  shape_ = new QFrame(dialog);
  shape_->setObjectName(QStringLiteral("sha") + field);
  shape_->setFrameShape(QFrame::Box);
  value_ = new QLabel(shape_);
  value_->setObjectName(QStringLiteral("lblVal") + field);
  arrow_ = new QLabel(shape_);
  arrow_->setObjectName(QStringLiteral("img") + field);
  arrow_->setPixmap(down_);
  arrow_->setFixedSize(down_.size());
  auto* layout = new QHBoxLayout(shape_);
  layout->setContentsMargins(4, 2, 2, 2);
  layout->addWidget(value_, 1);
  layout->addWidget(arrow_);
  list_ = new QListWidget(dialog);
  list_->setObjectName(QStringLiteral("lst") + field);
  list_->setFocusPolicy(Qt::NoFocus);
  list_->hide();

  value_->installEventFilter(this);
  arrow_->installEventFilter(this);
  shape_->installEventFilter(this);
  connect(list_, &QListWidget::currentRowChanged, this, &DropDownSelector::Picked);
  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (list_->isVisible()) Picked(list_->row(item));
  });
}

void DropDownSelector::SetTexts(std::vector<QString> texts) {
  texts_ = std::move(texts);
  int widest = 0;
  for (const QString& t : texts_)
    widest = std::max(widest, value_->fontMetrics().horizontalAdvance(t));
  value_->setMinimumWidth(widest + 8);
  shape_->updateGeometry();  // the dialog's layout makes room for the widest text
}

void DropDownSelector::FillList() {
  filling_ = true;
  list_->clear();
  for (const QString& t : texts_) list_->addItem(t);
  list_->setCurrentRow(-1);
  filling_ = false;
  PlaceList();
}

void DropDownSelector::ShowValue(int value) {
  const bool known = value >= 0 && static_cast<size_t>(value) < texts_.size();
  value_->setText(known ? texts_[static_cast<size_t>(value)] : QString());
  if (known) {
    list_->setCurrentRow(value);  // a change of the selection runs the pick
  } else {
    filling_ = true;
    list_->setCurrentRow(-1);
    filling_ = false;
  }
}

void DropDownSelector::Toggle() {
  if (IsOpen()) {
    Close();
    return;
  }
  PlaceList();
  list_->raise();
  list_->show();
  arrow_->setPixmap(up_);
}

bool DropDownSelector::IsOpen() const {
  return !list_->isHidden();
}

void DropDownSelector::SetOpenable(bool openable) {
  if (!openable && IsOpen()) Close();
  arrow_->setVisible(openable);
  value_->setEnabled(openable);
}

void DropDownSelector::SetValueFont(const QFont& font) {
  value_->setFont(font);
  list_->setFont(font);
}

int DropDownSelector::ListHeight() const {
  // The list shows as many rows as its height in twips held at the rows of 195 twips it was
  // designed with, at the height the rows have here.
  constexpr int kDesignRowTwips = 195;
  const int rows = std::max(1, listHeightTwips_ / kDesignRowTwips);
  const int row = list_->count() > 0 ? list_->sizeHintForRow(0) : list_->fontMetrics().height();
  return rows * row + 2 * list_->frameWidth();
}

void DropDownSelector::Picked(int index) {
  if (filling_ || index < 0) return;
  Close();
  if (onPick) onPick(index);
}

void DropDownSelector::Close() {
  list_->hide();
  arrow_->setPixmap(down_);
}

void DropDownSelector::PlaceList() {
  const QPoint topLeft = shape_->mapTo(dialog_, QPoint(0, 0));
  list_->setGeometry(topLeft.x(), topLeft.y() + shape_->height(), shape_->width(), ListHeight());
}

bool DropDownSelector::eventFilter(QObject* watched, QEvent* event) {
  if (watched == shape_) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) PlaceList();
    return false;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* w = static_cast<QWidget*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (w->isEnabled() && mouse->button() == Qt::LeftButton &&
        w->rect().contains(mouse->position().toPoint())) {
      Toggle();
      return true;
    }
  }
  return false;
}

}  // namespace krv
