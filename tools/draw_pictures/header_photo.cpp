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

// One petal: an egg shape from the flower's centre outwards, dark at its
// base, light at its rim, with a thin bright edge where it catches light.
void petal(QPainter& p, double cx, double cy, double angle, double from, double length,
           double width, QColor base) {
  p.save();
  p.translate(cx, cy);
  p.rotate(angle * 180 / M_PI);
  QPainterPath path;
  path.moveTo(from, 0);
  path.cubicTo(from + length * 0.2, -width * 0.62, from + length * 0.92, -width * 0.6, from + length, 0);
  path.cubicTo(from + length * 0.92, width * 0.6, from + length * 0.2, width * 0.62, from, 0);
  QLinearGradient g(from, 0, from + length, 0);
  g.setColorAt(0, base.darker(150));
  g.setColorAt(0.55, base);
  g.setColorAt(1, base.lighter(122));
  p.setPen(QPen(base.lighter(140), 0.7));
  p.setBrush(g);
  p.drawPath(path);
  p.restore();
}

void rose(QPainter& p, double cx, double cy, double r, QColor base, Dice& dice) {
  // Guard petals, a middle ring turned half a step, then the tight cup of
  // the centre with its spiral.
  const double turn = dice.range(0, M_PI);
  for (int i = 0; i < 6; ++i) {
    petal(p, cx, cy, turn + i * M_PI / 3 + dice.range(-0.15, 0.15), r * 0.15, r * 0.88, r * 0.95, base);
  }
  for (int i = 0; i < 5; ++i) {
    petal(p, cx, cy, turn + 0.5 + i * 2 * M_PI / 5, r * 0.1, r * 0.62, r * 0.7, base.lighter(104));
  }
  QRadialGradient cup(QPointF(cx - r * 0.08, cy - r * 0.1), r * 0.42);
  cup.setColorAt(0, base.darker(135));
  cup.setColorAt(0.7, base);
  cup.setColorAt(1, base.lighter(115));
  p.setPen(Qt::NoPen);
  p.setBrush(cup);
  p.drawEllipse(QPointF(cx, cy), r * 0.4, r * 0.37);
  QPen pen(base.darker(165), std::max(0.7, r * 0.06));
  pen.setCapStyle(Qt::RoundCap);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 3; ++i) {
    const double rr = r * (0.32 - i * 0.09);
    p.setPen(pen);
    p.drawArc(QRectF(cx - rr + i * 0.6, cy - rr * 0.9, 2 * rr, 1.8 * rr), (i * 95 + 20) * 16, 210 * 16);
    p.setPen(QPen(base.lighter(140), std::max(0.5, r * 0.035)));
    p.drawArc(QRectF(cx - rr + i * 0.6 - 0.8, cy - rr * 0.9 - 0.8, 2 * rr, 1.8 * rr), (i * 95 + 40) * 16, 120 * 16);
  }
}

void daisy(QPainter& p, double cx, double cy, double r, QColor petal_colour, QColor heart) {
  const int n = 16;
  for (int i = 0; i < n; ++i) {
    petal(p, cx, cy, i * 2 * M_PI / n + (i % 2) * 0.08, r * 0.2, r * (0.8 + (i % 3) * 0.07), r * 0.3,
          petal_colour);
  }
  QRadialGradient hg(QPointF(cx - r * 0.08, cy - r * 0.1), r * 0.34);
  hg.setColorAt(0, heart.lighter(135));
  hg.setColorAt(1, heart.darker(125));
  p.setPen(Qt::NoPen);
  p.setBrush(hg);
  p.drawEllipse(QPointF(cx, cy), r * 0.28, r * 0.28);
}

// Flowers further back, drawn on their own layer so they can be blurred.
void back_flowers(QImage& img, Dice& dice) {
  QImage l = layer(img.width(), img.height());
  {
    QPainter p(&l);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor leafc(96, 146, 70);
    leaf(p, 244, 70, 44, 195, leafc);
    leaf(p, 432, 70, 40, -15, leafc.darker(110));
    leaf(p, 258, 24, 36, 235, leafc);
    leaf(p, 426, 20, 34, -50, leafc.lighter(108));
    rose(p, 262, 46, 17, QColor(236, 150, 160), dice);
    rose(p, 420, 44, 16, QColor(240, 170, 150), dice);
    daisy(p, 300, 8, 14, QColor(250, 248, 242), QColor(236, 186, 40));
    rose(p, 380, 4, 15, QColor(228, 120, 140), dice);
  }
  box_blur(l, 2, 2);
  composite(img, l);
}

void wrap(QImage& img) {
  // Kraft paper folded into a cone round the stems, a white tissue layer
  // showing at its top edge.
  QImage l = layer(img.width(), img.height());
  {
    QPainter p(&l);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath tissue;
    tissue.moveTo(250, 96);
    tissue.cubicTo(280, 84, 300, 100, 330, 90);
    tissue.cubicTo(360, 82, 390, 100, 430, 90);
    tissue.lineTo(372, 190);
    tissue.lineTo(316, 190);
    tissue.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(246, 242, 236));
    p.drawPath(tissue);
    QPainterPath paper;
    paper.moveTo(258, 104);
    paper.lineTo(296, 98);
    paper.lineTo(340, 108);
    paper.lineTo(384, 96);
    paper.lineTo(424, 102);
    paper.lineTo(370, 190);
    paper.lineTo(318, 190);
    paper.closeSubpath();
    QLinearGradient g(258, 0, 424, 0);
    g.setColorAt(0, QColor(178, 138, 96));
    g.setColorAt(0.3, QColor(214, 176, 130));
    g.setColorAt(0.5, QColor(190, 150, 106));
    g.setColorAt(0.72, QColor(222, 186, 140));
    g.setColorAt(1, QColor(170, 128, 88));
    p.setBrush(g);
    p.drawPath(paper);
    // Folds: soft darker and lighter creases running down to the grip.
    const double folds[5][2] = {{282, 0.18}, {306, 0.12}, {340, 0.2}, {366, 0.12}, {398, 0.16}};
    for (const auto& f : folds) {
      QPainterPath crease;
      crease.moveTo(f[0], 104);
      crease.lineTo(336 + (f[0] - 340) * 0.25, 188);
      p.setPen(QPen(QColor(110, 76, 44, static_cast<int>(f[1] * 255)), 2.2));
      p.drawPath(crease);
      p.setPen(QPen(QColor(250, 226, 190, static_cast<int>(f[1] * 200)), 1.0));
      p.drawPath(crease.translated(2, 0));
    }
    // A ribbon tied round the cone.
    QPainterPath ribbon;
    ribbon.moveTo(300, 136);
    ribbon.cubicTo(320, 142, 360, 142, 384, 134);
    ribbon.lineTo(382, 142);
    ribbon.cubicTo(360, 150, 320, 150, 302, 144);
    ribbon.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 150, 160));
    p.drawPath(ribbon);
  }
  box_blur(l, 1, 1);
  composite(img, l);
}

void hands(QImage& img) {
  // Two hands closing round the cone: fingers wrapped across its front,
  // the thumbs over them; skin tones lit from the upper left.
  QImage l = layer(img.width(), img.height());
  {
    QPainter p(&l);
    p.setRenderHint(QPainter::Antialiasing, true);
    auto hand = [&](double ox, double oy, double scale, bool mirror, QColor base, QColor light, QColor dark) {
      p.save();
      p.translate(ox, oy);
      p.scale(mirror ? -scale : scale, scale);
      // The back of the hand and the wrist, reaching in from the side.
      QPainterPath back;
      back.moveTo(10, -2);
      back.cubicTo(30, -6, 52, 4, 62, 22);
      back.lineTo(70, 60);
      back.lineTo(30, 60);
      back.cubicTo(20, 44, 12, 30, 4, 26);
      back.closeSubpath();
      QLinearGradient bg(10, 0, 60, 50);
      bg.setColorAt(0, light);
      bg.setColorAt(0.6, base);
      bg.setColorAt(1, dark);
      p.setPen(Qt::NoPen);
      p.setBrush(bg);
      p.drawPath(back);
      // Four fingers across the cone, index to little, each bowed a little
      // as it wraps round the paper, shaded darker toward its lower side.
      const double lengths[4] = {37, 41, 38, 31};
      const double widths[4] = {8.6, 9.0, 8.6, 7.6};
      double fy = 0;
      for (int i = 0; i < 4; ++i) {
        const double len = lengths[i];
        const double w = widths[i];
        const double tip = 14 - len;
        QPainterPath f;
        f.moveTo(16, fy);
        f.cubicTo(6, fy - 1.4, tip + 8, fy - 1.2, tip + w * 0.5, fy + 0.2);
        f.cubicTo(tip - 0.4, fy + w * 0.25, tip - 0.4, fy + w * 0.8, tip + w * 0.5, fy + w);
        f.cubicTo(tip + 8, fy + w + 0.8, 6, fy + w + 1.0, 16, fy + w);
        f.closeSubpath();
        QLinearGradient fg(0, fy - 1, 0, fy + w + 1);
        fg.setColorAt(0, light);
        fg.setColorAt(0.45, base);
        fg.setColorAt(1, dark);
        p.setBrush(fg);
        p.drawPath(f);
        // The fold of the middle joint and a soft shadow under the finger.
        p.setBrush(QColor(dark.red(), dark.green(), dark.blue(), 70));
        p.drawEllipse(QRectF(tip + len * 0.42, fy + 1.6, 1.4, w - 3.2));
        p.setBrush(QColor(90, 50, 40, 70));
        p.drawRect(QRectF(tip + 3, fy + w - 0.6, len + 8, 1.0));
        // Nail at the tip with its light edge.
        p.setBrush(QColor(246, 212, 200, 230));
        p.drawRoundedRect(QRectF(tip + 0.8, fy + w * 0.22, 5, w * 0.56), 2.3, 2.3);
        p.setBrush(QColor(255, 240, 234, 200));
        p.drawRect(QRectF(tip + 1.2, fy + w * 0.3, 1.0, w * 0.4));
        fy += w - 0.4;
      }
      // The thumb, lying along the top finger.
      QPainterPath thumb;
      thumb.moveTo(12, -4);
      thumb.cubicTo(0, -9, -18, -8, -26, -4);
      thumb.cubicTo(-30, -2, -28, 3, -24, 3.5);
      thumb.cubicTo(-12, 4, 0, 4, 10, 6);
      thumb.closeSubpath();
      QLinearGradient tg(0, -9, 0, 6);
      tg.setColorAt(0, light);
      tg.setColorAt(1, base);
      p.setBrush(tg);
      p.drawPath(thumb);
      p.setBrush(QColor(248, 218, 206, 220));
      p.drawRoundedRect(QRectF(-27, -4.5, 6, 5), 2.4, 2.4);
      p.restore();
    };
    hand(392, 112, 1.0, false, QColor(226, 170, 140), QColor(248, 208, 184), QColor(172, 112, 88));
    // The other hand lower down, reaching in from the left, in shade.
    hand(300, 124, 0.92, true, QColor(214, 158, 130), QColor(238, 194, 170), QColor(160, 102, 80));
  }
  box_blur(l, 1, 1);
  composite(img, l);
}

void bouquet(QImage& img, Dice& dice) {
  QImage l = layer(img.width(), img.height());
  {
    QPainter p(&l);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor leafc(84, 136, 60);
    leaf(p, 268, 92, 34, 160, leafc);
    leaf(p, 410, 92, 34, 20, leafc.darker(108));
    leaf(p, 300, 100, 28, 120, leafc.lighter(110));
    leaf(p, 380, 102, 28, 60, leafc);
    // Baby's breath: tiny white dots sprinkled through the bunch.
    for (int i = 0; i < 110; ++i) {
      const double a = dice.range(0, 2 * M_PI);
      const double d = std::sqrt(dice.unit());
      const double x = 338 + std::cos(a) * d * 96;
      const double y = 58 + std::sin(a) * d * 50;
      p.setPen(Qt::NoPen);
      p.setBrush(rgba(255, 255, 250, dice.range(0.6, 0.95)));
      p.drawEllipse(QPointF(x, y), 1.4, 1.4);
      p.setBrush(rgba(120, 150, 90, 0.5));
      p.drawEllipse(QPointF(x + 0.8, y + 1.2), 0.5, 0.5);
    }
    const QColor pinks[4] = {QColor(232, 104, 134), QColor(244, 158, 170), QColor(214, 72, 104),
                             QColor(250, 190, 180)};
    struct Bloom {
      double x, y, r;
      int kind;
    };
    const Bloom blooms[] = {
        {294, 64, 20, 1}, {340, 40, 24, 0}, {390, 60, 21, 0}, {314, 92, 17, 0},
        {364, 90, 19, 1}, {282, 34, 13, 2}, {404, 28, 15, 1}, {344, 76, 14, 2},
        {260, 70, 12, 2}, {424, 82, 13, 0},
    };
    int n = 0;
    for (const Bloom& b : blooms) {
      if (b.kind == 0) {
        rose(p, b.x, b.y, b.r, pinks[n++ % 4], dice);
      } else if (b.kind == 1) {
        daisy(p, b.x, b.y, b.r, QColor(252, 250, 246), QColor(240, 184, 36));
      } else {
        rose(p, b.x, b.y, b.r, QColor(250, 224, 176), dice);
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
  back_flowers(img, dice);
  wrap(img);
  bokeh(img, dice, 14, 4, 9, 1);
  bouquet(img, dice);
  hands(img);
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
