#include "widgets/pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <map>

namespace krv {
namespace {

// Every picture is drawn on a 16 x 16 grid and scaled to the size asked for.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 48);
const QColor kChip(60, 64, 72);
const QColor kPin(170, 170, 176);
const QColor kGreen(40, 160, 60);
const QColor kRed(200, 40, 40);
const QColor kBlue(40, 100, 200);
const QColor kAmber(235, 170, 30);
const QColor kGrey(150, 150, 150);

QPen Pen(const QColor& c, double width = 1.2) {
  return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A DIP chip body with pins on both sides.
void Chip(QPainter& p, const QRectF& body) {
  p.setPen(Qt::NoPen);
  p.setBrush(kPin);
  for (double y = body.top() + 1; y < body.bottom() - 0.5; y += 2.5) {
    p.drawRect(QRectF(body.left() - 1.5, y, 1.5, 1.2));
    p.drawRect(QRectF(body.right(), y, 1.5, 1.2));
  }
  p.setBrush(kChip);
  p.drawRoundedRect(body, 1, 1);
  p.setBrush(kPin);
  p.drawEllipse(QPointF(body.center().x(), body.top() + 1.2), 0.7, 0.7);
}

// An arrow from `from` to `to` with a filled head.
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c) {
  p.setPen(Pen(c, 1.8));
  const QPointF d = to - from;
  const double len = std::hypot(d.x(), d.y());
  const QPointF u = d / len, n(-u.y(), u.x());
  p.drawLine(from, to - u * 2.0);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPolygon(QPolygonF({to, to - u * 3.2 + n * 2.2, to - u * 3.2 - n * 2.2}));
}

void Triangle(QPainter& p, bool down) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  if (down) {
    p.drawPolygon(QPolygonF({QPointF(3, 5.5), QPointF(13, 5.5), QPointF(8, 11)}));
  } else {
    p.drawPolygon(QPolygonF({QPointF(3, 10.5), QPointF(13, 10.5), QPointF(8, 5)}));
  }
}

void Bolt(QPainter& p, const QColor& c) {
  p.setPen(Pen(kInk, 0.6));
  p.setBrush(c);
  p.drawPolygon(QPolygonF({QPointF(9.5, 1), QPointF(3.5, 9), QPointF(7.5, 9), QPointF(6, 15),
                           QPointF(12.5, 6.5), QPointF(8.5, 6.5), QPointF(9.5, 1)}));
}

void Plug(QPainter& p, const QColor& c) {
  p.setPen(Pen(kInk, 0.8));
  p.setBrush(kPin);
  p.drawRect(QRectF(5, 1, 6, 5));
  p.setBrush(kInk);
  p.drawRect(QRectF(6.5, 2.5, 1, 1.5));
  p.drawRect(QRectF(8.5, 2.5, 1, 1.5));
  p.setBrush(c);
  p.drawRoundedRect(QRectF(3.5, 6, 9, 6), 1.5, 1.5);
  p.setPen(Pen(kInk, 1.5));
  p.drawLine(QPointF(8, 12), QPointF(8, 15));
}

void Gear(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kGrey.darker(130));
  for (int k = 0; k < 8; ++k) {
    p.save();
    p.translate(8, 8);
    p.rotate(45.0 * k);
    p.drawRect(QRectF(-1.3, -7, 2.6, 3));
    p.restore();
  }
  p.drawEllipse(QPointF(8, 8), 5, 5);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8, 8), 2, 2);
}

const std::map<QString, Drawing>& Drawings() {
  static const std::map<QString, Drawing> kDrawings = {
      {"Open",
       [](QPainter& p) {
         p.setPen(Pen(kInk, 0.8));
         p.setBrush(kAmber.darker(115));
         p.drawPolygon(QPolygonF({QPointF(1, 3), QPointF(6, 3), QPointF(7.5, 4.5), QPointF(14, 4.5),
                                  QPointF(14, 13), QPointF(1, 13)}));
         p.setBrush(kAmber);
         p.drawPolygon(
             QPolygonF({QPointF(3, 7), QPointF(15.5, 7), QPointF(14, 13), QPointF(1, 13)}));
       }},
      {"Save",
       [](QPainter& p) {
         p.setPen(Pen(kInk, 0.8));
         p.setBrush(kBlue);
         p.drawPolygon(QPolygonF({QPointF(1.5, 1.5), QPointF(12.5, 1.5), QPointF(14.5, 3.5),
                                  QPointF(14.5, 14.5), QPointF(1.5, 14.5)}));
         p.setBrush(Qt::white);
         p.drawRect(QRectF(4, 1.5, 7, 4.5));
         p.drawRect(QRectF(3.5, 9, 9, 5.5));
         p.setBrush(kInk);
         p.drawRect(QRectF(8.5, 2.5, 1.5, 2.5));
       }},
      {"Update",
       [](QPainter& p) {
         p.setPen(Pen(kGreen, 2));
         p.setBrush(Qt::NoBrush);
         p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 280 * 16);
         p.setPen(Qt::NoPen);
         p.setBrush(kGreen);
         p.drawPolygon(QPolygonF({QPointF(6.5, 0), QPointF(11, 2.5), QPointF(6.5, 5.5)}));
       }},
      {"Fill",
       [](QPainter& p) {
         p.setPen(Pen(kInk, 0.6));
         for (int r = 0; r < 3; ++r)
           for (int c = 0; c < 3; ++c) {
             p.setBrush(r + c < 3 ? kBlue : QColor(Qt::white));
             p.drawRect(QRectF(1.5 + c * 4.5, 1.5 + r * 4.5, 4, 4));
           }
       }},
      {"Read",
       [](QPainter& p) {
         Chip(p, QRectF(2, 1, 6, 14));
         Arrow(p, QPointF(9, 8), QPointF(15.5, 8), kGreen);
       }},
      {"Write",
       [](QPainter& p) {
         Chip(p, QRectF(8, 1, 6, 14));
         Arrow(p, QPointF(0.5, 8), QPointF(7, 8), kRed);
       }},
      {"Verify",
       [](QPainter& p) {
         Chip(p, QRectF(2, 1, 6, 14));
         p.setPen(Pen(kGreen, 2.2));
         p.drawPolyline(QPolygonF({QPointF(8, 9), QPointF(10.5, 12.5), QPointF(15, 4)}));
       }},
      {"Erase",
       [](QPainter& p) {
         Chip(p, QRectF(2, 1, 6, 14));
         p.setPen(Pen(kRed, 2));
         p.drawLine(QPointF(9.5, 5), QPointF(15, 11));
         p.drawLine(QPointF(15, 5), QPointF(9.5, 11));
       }},
      {"DevID",
       [](QPainter& p) {
         Chip(p, QRectF(2, 1, 6, 14));
         p.setPen(Pen(kBlue, 1.6));
         p.drawLine(QPointF(10, 4), QPointF(10, 12));
         p.drawLine(QPointF(12, 4), QPointF(12, 12));
         p.drawArc(QRectF(9.5, 4, 5.5, 8), -90 * 16, 180 * 16);
       }},
      {"Detect",
       [](QPainter& p) {
         Chip(p, QRectF(2, 1, 6, 14));
         p.setPen(Pen(kBlue, 1.6));
         p.setBrush(QColor(255, 255, 255, 180));
         p.drawEllipse(QPointF(10, 7), 3.5, 3.5);
         p.setPen(Pen(kBlue, 2.2));
         p.drawLine(QPointF(12.5, 9.5), QPointF(15, 12.5));
       }},
      {"Stop",
       [](QPainter& p) {
         p.setPen(Pen(kInk, 0.6));
         p.setBrush(kRed);
         QPolygonF oct;
         for (int k = 0; k < 8; ++k) {
           const double a = (22.5 + 45.0 * k) * 3.14159265358979 / 180.0;
           oct << QPointF(8 + 7 * std::cos(a), 8 + 7 * std::sin(a));
         }
         p.drawPolygon(oct);
         p.setBrush(Qt::white);
         p.setPen(Qt::NoPen);
         p.drawRect(QRectF(4, 7, 8, 2));
       }},
      {"Exit",
       [](QPainter& p) {
         p.setPen(Pen(kInk, 0.8));
         p.setBrush(kAmber.darker(140));
         p.drawRect(QRectF(2, 1.5, 7, 13));
         Arrow(p, QPointF(6, 8), QPointF(15.5, 8), kRed);
       }},
      {"Clear",
       [](QPainter& p) {
         p.setPen(Pen(kInk, 0.8));
         p.setBrush(Qt::white);
         p.drawPolygon(QPolygonF(
             {QPointF(3, 1), QPointF(10, 1), QPointF(13, 4), QPointF(13, 15), QPointF(3, 15)}));
         p.drawPolyline(QPolygonF({QPointF(10, 1), QPointF(10, 4), QPointF(13, 4)}));
       }},
      {"Settings", [](QPainter& p) { Gear(p); }},
      {"About",
       [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(kBlue);
         p.drawEllipse(QPointF(8, 8), 7, 7);
         p.setBrush(Qt::white);
         p.drawEllipse(QPointF(8, 4.5), 1.2, 1.2);
         p.drawRect(QRectF(7, 7, 2, 5.5));
       }},
      {"VppOn", [](QPainter& p) { Bolt(p, kAmber); }},
      {"VppOff", [](QPainter& p) { Bolt(p, kGrey); }},
      {"HardOn", [](QPainter& p) { Plug(p, kGreen); }},
      {"HardOff", [](QPainter& p) { Plug(p, kRed); }},
      {"Down", [](QPainter& p) { Triangle(p, true); }},
      {"Up", [](QPainter& p) { Triangle(p, false); }},
      {"Logo",
       [](QPainter& p) {
         Chip(p, QRectF(4, 1.5, 8, 13));
         p.setPen(Pen(kAmber, 0.9));
         p.drawPolyline(QPolygonF({QPointF(5.5, 9), QPointF(7, 6), QPointF(8.5, 10),
                                   QPointF(10, 5.5), QPointF(10.8, 7.5)}));
       }},
  };
  return kDrawings;
}

}  // namespace

QPixmap Picture(const QString& key, int size) {
  const auto it = Drawings().find(key);
  if (it == Drawings().end() || size <= 0) return QPixmap();
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  it->second(p);
  return pm;
}

}  // namespace krv
