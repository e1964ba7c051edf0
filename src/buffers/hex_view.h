#pragma once
// A hex-dump view of one buffer area that renders only the lines it shows, so that the
// largest device scrolls without delay.
#include <QAbstractScrollArea>

#include "buffers/dump.h"

namespace krv {

struct Session;

class HexView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  HexView(Session& s, DumpArea area, QWidget* parent = nullptr);
  // The buffer changed: re-reads the line count and repaints.
  void Rebuild();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  Session& s_;
  DumpArea area_;
};

}  // namespace krv
