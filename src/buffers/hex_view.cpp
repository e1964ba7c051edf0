#include "buffers/hex_view.h"

#include <algorithm>

#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>

namespace krv {

HexView::HexView(Session& s, MemoryArea area, QWidget* parent)
    : QAbstractScrollArea(parent), s_(s), area_(area) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setStyleHint(QFont::Monospace);
  setFont(f);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  Rebuild();
}

void HexView::Rebuild() {
  lines_ = DumpLineCount(s_, area_);
  // The first line is a full one: it gives the width.
  const int width =
      lines_ > 0 ? fontMetrics().horizontalAdvance(QString::fromStdString(DumpLine(s_, area_, 0)))
                 : 0;
  if (width != lineWidth_) {
    lineWidth_ = width;
    updateGeometry();
  }
  UpdateScrollBars();
  viewport()->update();
}

QSize HexView::minimumSizeHint() const {
  const int margin = fontMetrics().horizontalAdvance(QLatin1Char(' '));
  const int w =
      lineWidth_ + 2 * margin + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
  return QSize(w, 3 * fontMetrics().lineSpacing() + 2 * frameWidth());
}

QSize HexView::sizeHint() const {
  const QSize min = minimumSizeHint();
  return QSize(min.width(), 16 * fontMetrics().lineSpacing() + 2 * frameWidth());
}

int HexView::VisibleLines() const {
  const int h = fontMetrics().lineSpacing();
  return h > 0 ? std::max(1, viewport()->height() / h) : 1;
}

int HexView::FirstVisibleLine() const {
  return verticalScrollBar()->value();
}

void HexView::UpdateScrollBars() {
  const int shown = VisibleLines();
  verticalScrollBar()->setRange(0, std::max(0, lines_ - shown));
  verticalScrollBar()->setPageStep(shown);
  verticalScrollBar()->setSingleStep(1);
  const int margin = fontMetrics().horizontalAdvance(QLatin1Char(' '));
  horizontalScrollBar()->setRange(0, std::max(0, lineWidth_ + 2 * margin - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(margin);
}

void HexView::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  p.setFont(font());
  p.setPen(palette().color(QPalette::Text));
  const QFontMetrics fm = fontMetrics();
  const int h = fm.lineSpacing();
  const int x = fm.horizontalAdvance(QLatin1Char(' ')) - horizontalScrollBar()->value();
  const int first = FirstVisibleLine();
  // One more line than fits whole, for the partly shown one at the bottom.
  const int last = std::min(lines_, first + VisibleLines() + 1);
  for (int line = first; line < last; ++line) {
    const int y = (line - first) * h + fm.ascent();
    p.drawText(x, y, QString::fromStdString(DumpLine(s_, area_, line)));
  }
}

void HexView::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateScrollBars();
}

}  // namespace krv
