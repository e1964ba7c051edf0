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
  HexView(Session& s, MemoryArea area, QWidget* parent = nullptr);
  // The buffer changed: re-reads the line count and repaints.
  void Rebuild();
  // The first line shown.
  int FirstVisibleLine() const;
  // How many lines fit.
  int VisibleLines() const;
  // Wide enough for a whole line, so that no column hides behind the scroll bar.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void UpdateScrollBars();
  Session& s_;
  MemoryArea area_;
  int lines_ = 0;
  int lineWidth_ = 0;  // pixels of the widest line
};

}  // namespace krv
