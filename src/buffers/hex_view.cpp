// Placeholder view until the buffers subsystem lands.
#include "buffers/hex_view.h"

namespace krv {
HexView::HexView(Session& s, DumpArea area, QWidget* parent)
    : QAbstractScrollArea(parent), s_(s), area_(area) {}
void HexView::Rebuild() { viewport()->update(); }
void HexView::paintEvent(QPaintEvent*) {}
void HexView::resizeEvent(QResizeEvent*) {}
}  // namespace krv
