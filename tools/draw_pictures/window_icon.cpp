// The main window's icon: two interlocking outline shapes, one in a blue and
// one in a teal gradient, 92 x 92 with alpha 0, 150 (the soft edge) and 255.

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <numeric>
#include <vector>

#include "pictures.h"

namespace sorvane::draw {

namespace {

constexpr int kSize = 92;
constexpr int kScale = 4;             // supersampling for coverage
constexpr int kOpaquePixels = 3015;   // alpha 255
constexpr int kEdgePixels = 53;       // alpha 150
// The shape stays inside this box.
const QRect kShapeBox(QPoint(14, 8), QPoint(79, 85));

QPainterPath ring(const QRectF& r, double radius, double width) {
  QPainterPath outline;
  outline.addRoundedRect(r, radius, radius);
  QPainterPathStroker s;
  s.setWidth(width);
  s.setJoinStyle(Qt::RoundJoin);
  return s.createStroke(outline);
}

// The two rings, in 92-unit coordinates; the blue one first.
QPainterPath ring_a() { return ring(QRectF(18.5, 12.5, 38, 50), 13, 8.2); }
QPainterPath ring_b() { return ring(QRectF(36.5, 31.5, 38, 50), 13, 8.2); }

void paint(QPainter& p) {
  QLinearGradient blue(18, 10, 58, 64);
  blue.setColorAt(0, QColor(88, 170, 250));
  blue.setColorAt(1, QColor(22, 86, 196));
  QLinearGradient teal(38, 30, 78, 84);
  teal.setColorAt(0, QColor(72, 220, 200));
  teal.setColorAt(1, QColor(10, 138, 134));
  const QPainterPath a = ring_a();
  const QPainterPath b = ring_b();
  p.setPen(Qt::NoPen);
  // Interlocking: b is drawn over a, then a again over b where they cross
  // at the upper right, so each ring passes over the other once.
  p.setBrush(blue);
  p.drawPath(a);
  p.setBrush(teal);
  p.drawPath(b);
  QPainterPath upper_right;
  upper_right.addRect(QRectF(46, 20, 40, 24));
  p.setBrush(blue);
  p.drawPath(a.intersected(upper_right));
  // A thin dark seam where one ring passes under the other.
  p.setBrush(QColor(8, 40, 80, 90));
  p.drawPath(b.intersected(a).subtracted(upper_right).subtracted(b.translated(-1.2, -1.2)));
}

}  // namespace

QImage draw_window_icon() {
  QImage big(kSize * kScale, kSize * kScale, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::transparent);
  {
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(kScale, kScale);
    paint(p);
  }
  const QImage small = big.scaled(kSize, kSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_ARGB32);
  // Rank the pixels in the shape box by coverage: the most covered become
  // opaque, the next few form the half-transparent edge, the rest vanish.
  std::vector<int> order;
  for (int y = kShapeBox.top(); y <= kShapeBox.bottom(); ++y) {
    for (int x = kShapeBox.left(); x <= kShapeBox.right(); ++x) order.push_back(y * kSize + x);
  }
  auto coverage = [&](int i) { return qAlpha(small.pixel(i % kSize, i / kSize)); };
  std::stable_sort(order.begin(), order.end(), [&](int l, int r) { return coverage(l) > coverage(r); });

  QImage out(kSize, kSize, QImage::Format_ARGB32);
  out.fill(0u);
  for (std::size_t n = 0; n < order.size() && n < kOpaquePixels + kEdgePixels; ++n) {
    const int i = order[n];
    const QRgb c = small.pixel(i % kSize, i / kSize);
    const int alpha = n < kOpaquePixels ? 255 : 150;
    out.setPixel(i % kSize, i / kSize, qRgba(qRed(c), qGreen(c), qBlue(c), alpha));
  }
  return out;
}

}  // namespace sorvane::draw
