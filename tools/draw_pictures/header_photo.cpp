#include "header_photo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>
#include <random>

#include "canvas.h"
#include "text.h"

namespace sorvane::draw {

namespace {

// A fixed-seed source of numbers whose sequence does not depend on the
// standard library's distributions.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : engine_(seed) {}
  double unit() { return (engine_() >> 8) / 16777216.0; }
  double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
  int below(int n) { return static_cast<int>(unit() * n); }

 private:
  std::mt19937 engine_;
};

QImage layer(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

QColor rgba(int r, int g, int b, double a) { return QColor(r, g, b, static_cast<int>(a * 255)); }

// The blurred backdrop: a garden seen out of focus, warm light at the top
// left, foliage greens lower down and to the left, pale blossom pinks right.
QImage backdrop(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const double fx = x / static_cast<double>(w);
      const double fy = y / static_cast<double>(h);
      const Rgb warm{248, 240, 222};
      const Rgb pink{238, 212, 214};
      const Rgb leaf{132, 168, 98};
      const Rgb deep{74, 112, 62};
      Rgb c = mix(warm, pink, std::clamp(fx * 1.3 - 0.2, 0.0, 1.0));
      const double foliage = smooth_noise(x, y, 46, 11) * 0.7 + smooth_noise(x, y, 17, 12) * 0.3;
      double amount = std::clamp((foliage - 0.42) * 2.2, 0.0, 1.0) * (0.35 + 0.65 * fy) *
                      (1.15 - 0.6 * fx);
      c = mix(c, leaf, std::clamp(amount, 0.0, 1.0));
      const double shadow = std::clamp((smooth_noise(x, y, 30, 13) - 0.55) * 2.5, 0.0, 1.0);
      c = mix(c, deep, shadow * fy * (1.0 - fx) * 0.8);
      // Warm light falling in from the top left.
      const double glow = std::exp(-((x - 60.0) * (x - 60.0) + (y + 10.0) * (y + 10.0)) / 9000.0);
      c = mix(c, Rgb{255, 250, 236}, glow * 0.6);
      line[x] = qRgb(c.r, c.g, c.b);
    }
  }
  box_blur(img, 5, 3);
  return img;
}

void bokeh(QImage& img, Dice& dice, int count, double rmin, double rmax, int blur) {
  QImage l = layer(img.width(), img.height());
  {
    QPainter p(&l);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < count; ++i) {
      const double x = dice.range(-10, img.width() + 10);
      const double y = dice.range(-10, img.height() * 0.85);
      const double r = dice.range(rmin, rmax);
      const double a = dice.range(0.10, 0.32) * (1.1 - y / img.height());
      const int tint = dice.below(3);
      const QColor c = tint == 0 ? rgba(255, 252, 238, a)
                                 : (tint == 1 ? rgba(255, 236, 210, a) : rgba(236, 250, 220, a));
      QRadialGradient g(QPointF(x, y), r);
      g.setColorAt(0, c);
      g.setColorAt(0.82, c);
      QColor rim = c;
      rim.setAlphaF(std::min(1.0, c.alphaF() * 1.6));
      g.setColorAt(0.95, rim);
      g.setColorAt(1, QColor(c.red(), c.green(), c.blue(), 0));
      p.setPen(Qt::NoPen);
      p.setBrush(g);
      p.drawEllipse(QPointF(x, y), r, r);
    }
  }
  box_blur(l, blur, 2);
  composite(img, l);
}

void out_of_focus_leaves(QImage& img, Dice& dice) {
  QImage l = layer(img.width(), img.height());
  {
    QPainter p(&l);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < 9; ++i) {
      const double x = dice.range(-20, 200);
      const double y = dice.range(90, 200);
      const double len = dice.range(30, 60);
      const double ang = dice.range(-70, 20);
      p.save();
      p.translate(x, y);
      p.rotate(ang);
      QPainterPath leaf;
      leaf.moveTo(0, 0);
      leaf.cubicTo(len * 0.3, -len * 0.28, len * 0.75, -len * 0.22, len, 0);
      leaf.cubicTo(len * 0.75, len * 0.22, len * 0.3, len * 0.28, 0, 0);
      const int shade = dice.below(40);
      p.fillPath(leaf, rgba(60 + shade, 104 + shade, 50 + shade / 2, 0.7));
      p.restore();
    }
  }
  box_blur(l, 4, 3);
  composite(img, l);
}

void hands(QImage& img) {
  // Two hands closing round the stems at the bottom right, the back hand
  // in slight shadow; skin tones with a soft highlight along the knuckles.
  QImage l = layer(img.width(), img.height());
  {
    QPainter p(&l);
    p.setRenderHint(QPainter::Antialiasing, true);
    auto hand = [&](double ox, double oy, double scale, QColor base, QColor light, QColor dark) {
      p.save();
      p.translate(ox, oy);
      p.scale(scale, scale);
      QPainterPath palm;
      palm.moveTo(-40, 60);
      palm.cubicTo(-42, 30, -30, 6, -6, 2);
      palm.cubicTo(14, -1, 30, 8, 34, 24);
      palm.cubicTo(38, 40, 36, 56, 30, 70);
      palm.closeSubpath();
      QLinearGradient g(-40, 0, 36, 60);
      g.setColorAt(0, light);
      g.setColorAt(0.55, base);
      g.setColorAt(1, dark);
      p.setPen(Qt::NoPen);
      p.setBrush(g);
      p.drawPath(palm);
      // Fingers curled round the stems: four stacked rounded bars.
      for (int i = 0; i < 4; ++i) {
        const double fy = 6 + i * 10.5;
        QPainterPath f;
        f.addRoundedRect(QRectF(-14 - i * 1.5, fy, 50 - i * 2, 10.5), 5.2, 5.2);
        QLinearGradient fg(0, fy, 0, fy + 10.5);
        fg.setColorAt(0, light);
        fg.setColorAt(0.6, base);
        fg.setColorAt(1, dark);
        p.setBrush(fg);
        p.drawPath(f);
        p.setBrush(QColor(dark.red(), dark.green(), dark.blue(), 90));
        p.drawRect(QRectF(-10 - i * 1.5, fy + 9.6, 42 - i * 2, 0.9));
        // Nail.
        p.setBrush(QColor(246, 214, 204, 200));
        p.drawRoundedRect(QRectF(28 - i * 2, fy + 2.5, 6, 5), 2.4, 2.4);
      }
      // The thumb across the front.
      QPainterPath thumb;
      thumb.moveTo(-34, 8);
      thumb.cubicTo(-22, -6, 2, -10, 18, -4);
      thumb.cubicTo(22, -2, 22, 4, 17, 5);
      thumb.cubicTo(2, 4, -16, 10, -28, 20);
      thumb.closeSubpath();
      QLinearGradient tg(0, -10, 0, 20);
      tg.setColorAt(0, light);
      tg.setColorAt(1, base);
      p.setBrush(tg);
      p.drawPath(thumb);
      p.restore();
    };
    hand(356, 146, 0.95, QColor(224, 170, 142), QColor(246, 206, 184), QColor(176, 118, 96));
    hand(316, 156, 0.9, QColor(232, 180, 152), QColor(252, 216, 196), QColor(184, 126, 104));
    // A sleeve cuff at the lower edge.
    QPainterPath cuff;
    cuff.moveTo(262, 184);
    cuff.cubicTo(270, 170, 290, 166, 300, 172);
    cuff.lineTo(318, 184);
    cuff.closeSubpath();
    p.fillPath(cuff, QColor(240, 236, 228));
  }
  box_blur(l, 1, 2);
  composite(img, l);
}

void stems(QImage& img) {
  QImage l = layer(img.width(), img.height());
  {
    QPainter p(&l);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double tops[7][2] = {{270, 90}, {300, 80}, {330, 70}, {360, 80}, {392, 90}, {318, 100}, {350, 104}};
    for (const auto& t : tops) {
      QPainterPath s;
      s.moveTo(t[0], t[1]);
      s.cubicTo(t[0] + (338 - t[0]) * 0.5, t[1] + 40, 336, 150, 338 + (t[0] - 330) * 0.05, 190);
      p.setPen(QPen(QColor(92, 140, 60), 3.2, Qt::SolidLine, Qt::RoundCap));
      p.drawPath(s);
      p.setPen(QPen(QColor(150, 190, 110, 150), 1.0));
      p.drawPath(s.translated(-0.8, 0));
    }
  }
  box_blur(l, 1, 1);
  composite(img, l);
}

void leaf(QPainter& p, double x, double y, double len, double angle, QColor c) {
  p.save();
  p.translate(x, y);
  p.rotate(angle);
  QPainterPath lf;
  lf.moveTo(0, 0);
  lf.cubicTo(len * 0.3, -len * 0.32, len * 0.75, -len * 0.25, len, 0);
  lf.cubicTo(len * 0.75, len * 0.25, len * 0.3, len * 0.32, 0, 0);
  QLinearGradient g(0, -len * 0.3, 0, len * 0.3);
  g.setColorAt(0, c.lighter(125));
  g.setColorAt(1, c.darker(130));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(lf);
  p.setPen(QPen(c.lighter(150), 0.8));
  p.drawLine(QPointF(2, 0), QPointF(len * 0.85, 0));
  p.restore();
}

void rose(QPainter& p, double cx, double cy, double r, QColor base, Dice& dice) {
  // Outer petals as overlapping ellipses, then an inner spiral of arcs.
  QRadialGradient g(QPointF(cx - r * 0.2, cy - r * 0.3), r * 1.3);
  g.setColorAt(0, base.lighter(125));
  g.setColorAt(1, base.darker(125));
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 6; ++i) {
    const double a = i * M_PI / 3 + dice.range(-0.2, 0.2);
    p.setBrush(g);
    p.drawEllipse(QPointF(cx + r * 0.42 * std::cos(a), cy + r * 0.42 * std::sin(a)), r * 0.62, r * 0.55);
  }
  p.setBrush(base.lighter(110));
  p.drawEllipse(QPointF(cx, cy), r * 0.6, r * 0.55);
  QPen pen(base.darker(150), std::max(0.8, r * 0.08));
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 4; ++i) {
    const double rr = r * (0.5 - i * 0.11);
    p.drawArc(QRectF(cx - rr, cy - rr * 0.9, 2 * rr, 1.8 * rr), (i * 70) * 16, 200 * 16);
  }
  p.setPen(QPen(base.lighter(160), std::max(0.6, r * 0.05)));
  p.drawArc(QRectF(cx - r * 0.55, cy - r * 0.6, r * 1.1, r), 30 * 16, 110 * 16);
}

void daisy(QPainter& p, double cx, double cy, double r, QColor petal, QColor heart) {
  p.setPen(Qt::NoPen);
  const int n = 14;
  for (int i = 0; i < n; ++i) {
    const double a = i * 2 * M_PI / n;
    p.save();
    p.translate(cx, cy);
    p.rotate(a * 180 / M_PI);
    QLinearGradient g(0, 0, r, 0);
    g.setColorAt(0, petal.darker(112));
    g.setColorAt(1, petal);
    p.setBrush(g);
    p.drawEllipse(QRectF(r * 0.15, -r * 0.16, r * 0.88, r * 0.32));
    p.restore();
  }
  QRadialGradient hg(QPointF(cx - r * 0.08, cy - r * 0.08), r * 0.34);
  hg.setColorAt(0, heart.lighter(130));
  hg.setColorAt(1, heart.darker(120));
  p.setBrush(hg);
  p.drawEllipse(QPointF(cx, cy), r * 0.3, r * 0.3);
}

void bouquet(QImage& img, Dice& dice) {
  QImage l = layer(img.width(), img.height());
  {
    QPainter p(&l);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Leaves behind the flowers.
    const QColor leafc(86, 140, 64);
    leaf(p, 250, 92, 40, 200, leafc);
    leaf(p, 410, 94, 38, -20, leafc.darker(110));
    leaf(p, 300, 118, 34, 150, leafc.lighter(110));
    leaf(p, 384, 116, 36, 30, leafc);
    leaf(p, 262, 50, 30, 230, leafc.darker(105));
    leaf(p, 420, 46, 30, -40, leafc);
    // Baby's breath: tiny white dots sprinkled through the bunch.
    for (int i = 0; i < 90; ++i) {
      const double a = dice.range(0, 2 * M_PI);
      const double d = std::sqrt(dice.unit());
      const double x = 335 + std::cos(a) * d * 100;
      const double y = 66 + std::sin(a) * d * 58;
      p.setPen(Qt::NoPen);
      p.setBrush(rgba(255, 255, 250, dice.range(0.6, 0.95)));
      p.drawEllipse(QPointF(x, y), 1.5, 1.5);
    }
    const QColor pinks[3] = {QColor(232, 112, 140), QColor(244, 160, 172), QColor(220, 80, 112)};
    struct Bloom {
      double x, y, r;
      int kind;
    };
    const Bloom blooms[] = {
        {286, 64, 20, 0}, {336, 46, 23, 0}, {388, 60, 21, 0}, {312, 96, 18, 1},
        {364, 98, 19, 1}, {262, 34, 14, 1}, {414, 30, 15, 1}, {340, 12, 15, 0},
        {246, 78, 12, 2}, {430, 84, 13, 2},
    };
    for (const Bloom& b : blooms) {
      if (b.kind == 0) {
        rose(p, b.x, b.y, b.r, pinks[dice.below(3)], dice);
      } else if (b.kind == 1) {
        daisy(p, b.x, b.y, b.r, QColor(252, 250, 246), QColor(240, 190, 40));
      } else {
        rose(p, b.x, b.y, b.r, QColor(250, 222, 150), dice);
      }
    }
  }
  box_blur(l, 1, 1);
  composite(img, l);
}

void slogan(QImage& img) {
  // Green lettering with a soft white glow, the way a photo card's caption
  // is laid over the picture.
  const QString text = QStringLiteral("花开有时");
  const QString small = QStringLiteral("愿每一天都有花香");
  TextStyle big;
  big.pixel_size = 24;
  big.bold = true;
  big.colour = Rgb{255, 255, 255};
  big.letter_spacing = 3;
  TextStyle sub;
  sub.pixel_size = 12;
  sub.colour = Rgb{255, 255, 255};
  sub.letter_spacing = 2;
  QImage glow = layer(img.width(), img.height());
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      draw_text_at_ink(glow, 122 + dx, 30 + dy, text, big);
      draw_text_at_ink(glow, 128 + dx, 62 + dy, small, sub);
    }
  }
  box_blur(glow, 2, 2);
  composite(img, glow, 0, 0, 0.85);
  big.colour = Rgb{66, 150, 52};
  sub.colour = Rgb{82, 158, 64};
  draw_text_at_ink(img, 122, 30, text, big);
  draw_text_at_ink(img, 128, 62, small, sub);
}

void text_shade(QImage& img) {
  // A gentle darkening behind the owner's lines so that light text reads.
  QPainter p(&img);
  QLinearGradient g(0, 86, 0, 184);
  g.setColorAt(0, QColor(20, 30, 16, 0));
  g.setColorAt(0.5, QColor(20, 30, 16, 60));
  g.setColorAt(1, QColor(20, 30, 16, 110));
  p.fillRect(QRect(0, 86, img.width(), 98), g);
}

}  // namespace

QImage draw_header_photo(int width, int height) {
  Dice dice(20240611u);
  QImage img = backdrop(width, height);
  bokeh(img, dice, 26, 10, 26, 3);
  out_of_focus_leaves(img, dice);
  stems(img);
  hands(img);
  bokeh(img, dice, 18, 4, 9, 1);
  bouquet(img, dice);
  text_shade(img);
  slogan(img);
  add_grain(img, QRect(0, 0, width, height), 4, 0x4E4Fu);
  return img;
}

QImage draw_avatar_picture(int size) {
  // A drawn seaside at dusk: sky, sun, sea and a small sailing boat.
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  QLinearGradient sky(0, 0, 0, size * 0.62);
  sky.setColorAt(0, QColor(94, 132, 200));
  sky.setColorAt(0.55, QColor(238, 160, 150));
  sky.setColorAt(1, QColor(252, 210, 150));
  p.fillRect(QRectF(0, 0, size, size * 0.62), sky);
  QRadialGradient sun(QPointF(size * 0.62, size * 0.55), size * 0.16);
  sun.setColorAt(0, QColor(255, 246, 210));
  sun.setColorAt(0.6, QColor(255, 214, 130));
  sun.setColorAt(1, QColor(255, 200, 120, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(sun);
  p.drawEllipse(QPointF(size * 0.62, size * 0.55), size * 0.16, size * 0.16);
  QLinearGradient sea(0, size * 0.62, 0, size);
  sea.setColorAt(0, QColor(90, 120, 170));
  sea.setColorAt(1, QColor(40, 64, 112));
  p.fillRect(QRectF(0, size * 0.62, size, size * 0.38), sea);
  p.setPen(QPen(QColor(255, 220, 160, 160), 1));
  for (int i = 0; i < 6; ++i) {
    const double y = size * 0.66 + i * 4.0;
    const double half = size * (0.12 - i * 0.012);
    p.drawLine(QPointF(size * 0.62 - half, y), QPointF(size * 0.62 + half, y));
  }
  // The boat.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 36, 48));
  QPolygonF hull;
  hull << QPointF(size * 0.18, size * 0.7) << QPointF(size * 0.44, size * 0.7)
       << QPointF(size * 0.4, size * 0.76) << QPointF(size * 0.22, size * 0.76);
  p.drawPolygon(hull);
  p.setBrush(QColor(250, 244, 236));
  QPolygonF sail;
  sail << QPointF(size * 0.31, size * 0.36) << QPointF(size * 0.31, size * 0.68)
       << QPointF(size * 0.43, size * 0.68);
  p.drawPolygon(sail);
  p.setBrush(QColor(236, 226, 214));
  QPolygonF jib;
  jib << QPointF(size * 0.3, size * 0.42) << QPointF(size * 0.3, size * 0.68)
      << QPointF(size * 0.2, size * 0.68);
  p.drawPolygon(jib);
  // Two gulls.
  p.setPen(QPen(QColor(60, 60, 80), 1.1));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 2; ++i) {
    const double x = size * (0.7 + i * 0.12);
    const double y = size * (0.2 + i * 0.06);
    QPainterPath g;
    g.moveTo(x - 4, y);
    g.quadTo(x - 2, y - 2.5, x, y);
    g.quadTo(x + 2, y - 2.5, x + 4, y);
    p.drawPath(g);
  }
  p.end();
  add_grain(img, QRect(0, 0, size, size), 3, 0xA7A7u);
  return img;
}

}  // namespace sorvane::draw
