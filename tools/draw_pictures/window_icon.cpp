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

// The two rings, in 92-unit coordinates, for a given stroke width: their
// outer edges stay fixed inside the shape box whatever the width.
struct Rings {
  QPainterPath a;  // blue, upper left
  QPainterPath b;  // teal, lower right
};

Rings rings(double width) {
  const double h = width / 2;
  const QRectF outer_a(QPointF(14, 8), QPointF(61, 65));
  const QRectF outer_b(QPointF(33, 29), QPointF(80, 86));
  return Rings{ring(outer_a.adjusted(h, h, -h, -h), 14 - h, width),
               ring(outer_b.adjusted(h, h, -h, -h), 14 - h, width)};
}

void paint(QPainter& p, const Rings& r) {
  QLinearGradient blue(14, 8, 61, 65);
  blue.setColorAt(0, QColor(96, 178, 252));
  blue.setColorAt(1, QColor(20, 80, 190));
  QLinearGradient teal(33, 29, 80, 86);
  teal.setColorAt(0, QColor(80, 226, 204));
  teal.setColorAt(1, QColor(8, 132, 128));
  p.setPen(Qt::NoPen);
  // Interlocking: the teal ring is drawn over the blue one, then the blue
  // one again over it where they cross at the upper right, so each passes
  // over the other once.
  p.setBrush(blue);
  p.drawPath(r.a);
  p.setBrush(teal);
  p.drawPath(r.b);
  QPainterPath upper_right;
  upper_right.addRect(QRectF(47, 20, 40, 22));
  p.setBrush(blue);
  p.drawPath(r.a.intersected(upper_right));
}

QImage render(double width) {
  QImage big(kSize * kScale, kSize * kScale, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::transparent);
  {
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(kScale, kScale);
    paint(p, rings(width));
  }
  return big.scaled(kSize, kSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32);
}

int half_covered(const QImage& img) {
  int n = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) n += qAlpha(img.pixel(x, y)) >= 128 ? 1 : 0;
  }
  return n;
}

}  // namespace

QImage draw_window_icon() {
  // Pick the stroke width whose half-covered pixels come closest to the
  // opaque count plus half the edge, so that ranking by coverage below
  // follows the drawn edge.
  double lo = 4;
  double hi = 16;
  for (int i = 0; i < 24; ++i) {
    const double mid = (lo + hi) / 2;
    if (half_covered(render(mid)) < kOpaquePixels + kEdgePixels / 2) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  const QImage small = render(hi);
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
