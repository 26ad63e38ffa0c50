#include "icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

#include "canvas.h"

namespace sorvane::draw {

namespace {

constexpr int kGlyphCount = 48;

// Twelve hues, far enough apart that neighbouring icons never look alike.
const Rgb kPalette[12] = {
    {226, 62, 55},  {245, 140, 30}, {236, 190, 25}, {120, 190, 40},
    {40, 160, 80},  {20, 160, 160}, {40, 150, 225}, {45, 95, 210},
    {110, 80, 205}, {165, 70, 190}, {232, 80, 150}, {165, 108, 60},
};

struct GlyphColours {
  QBrush fill;     // the glyph's body
  QPen outline;    // its edge (Qt::NoPen on a tile)
  QColor accent;   // a second colour for highlights and parts
  QColor detail;   // small dark details: eyes, hands, holes
  QColor light;    // shine and light parts
};

QColor qc(Rgb c, int a = 255) { return QColor(c.r, c.g, c.b, a); }

QPainterPath stroked(const QPainterPath& path, double width) {
  QPainterPathStroker s;
  s.setWidth(width);
  s.setCapStyle(Qt::RoundCap);
  s.setJoinStyle(Qt::RoundJoin);
  return s.createStroke(path);
}

QPainterPath line(double x0, double y0, double x1, double y1, double width) {
  QPainterPath p;
  p.moveTo(x0, y0);
  p.lineTo(x1, y1);
  return stroked(p, width);
}

QPainterPath circle(double cx, double cy, double r) {
  QPainterPath p;
  p.addEllipse(QPointF(cx, cy), r, r);
  return p;
}

QPainterPath ellipse(double x, double y, double w, double h) {
  QPainterPath p;
  p.addEllipse(QRectF(x, y, w, h));
  return p;
}

QPainterPath rect(double x, double y, double w, double h, double r = 0) {
  QPainterPath p;
  if (r > 0) {
    p.addRoundedRect(QRectF(x, y, w, h), r, r);
  } else {
    p.addRect(QRectF(x, y, w, h));
  }
  return p;
}

QPainterPath polygon(std::initializer_list<QPointF> pts) {
  QPainterPath p;
  p.addPolygon(QPolygonF(QVector<QPointF>(pts)));
  p.closeSubpath();
  return p;
}

QPainterPath star_path(double cx, double cy, double outer, double inner, int points) {
  QPainterPath p;
  for (int i = 0; i < 2 * points; ++i) {
    const double a = -M_PI / 2 + i * M_PI / points;
    const double r = (i % 2 == 0) ? outer : inner;
    const QPointF pt(cx + r * std::cos(a), cy + r * std::sin(a));
    if (i == 0) {
      p.moveTo(pt);
    } else {
      p.lineTo(pt);
    }
  }
  p.closeSubpath();
  return p;
}

void body(QPainter& p, const QPainterPath& path, const GlyphColours& c) {
  p.setBrush(c.fill);
  p.setPen(c.outline);
  p.drawPath(path.simplified());
}

void part(QPainter& p, const QPainterPath& path, const QColor& colour) {
  p.setBrush(colour);
  p.setPen(Qt::NoPen);
  p.drawPath(path.simplified());
}

// Draws glyph g in a 16-unit square (the painter's transform places it).
void draw_glyph(QPainter& p, int g, const GlyphColours& c) {
  switch (g) {
    case 0: {  // bell
      QPainterPath b;
      b.moveTo(8, 1.5);
      b.cubicTo(4.2, 1.5, 4, 6, 3.6, 9.2);
      b.lineTo(1.8, 11.6);
      b.lineTo(14.2, 11.6);
      b.lineTo(12.4, 9.2);
      b.cubicTo(12, 6, 11.8, 1.5, 8, 1.5);
      body(p, b.united(circle(8, 13, 1.9)), c);
      part(p, ellipse(5.3, 3.6, 1.8, 4), c.light);
      break;
    }
    case 1: {  // two beamed notes
      QPainterPath n = ellipse(1.2, 10.6, 5, 3.8);
      n = n.united(ellipse(8.8, 9.2, 5, 3.8));
      n = n.united(rect(4.9, 3, 1.5, 9.8));
      n = n.united(rect(12.5, 1.6, 1.5, 9.8));
      n = n.united(polygon({{4.9, 3}, {14, 1.2}, {14, 4}, {4.9, 5.8}}));
      body(p, n, c);
      break;
    }
    case 2: {  // game pad
      QPainterPath pad = rect(1, 4.5, 14, 7.5, 3.7);
      pad = pad.united(ellipse(0.6, 7, 5.5, 7.6)).united(ellipse(9.9, 7, 5.5, 7.6));
      pad = pad.subtracted(rect(3.2, 7.6, 4, 1.3)).subtracted(rect(4.55, 6.25, 1.3, 4));
      body(p, pad, c);
      part(p, circle(11.2, 7.1, 0.95), c.accent);
      part(p, circle(12.7, 8.8, 0.95), c.light);
      break;
    }
    case 3:  // star
      body(p, star_path(8, 8.6, 7.6, 3.3, 5), c);
      part(p, star_path(7.2, 7.4, 2.4, 1.1, 5), c.light);
      break;
    case 4: {  // heart
      QPainterPath h;
      h.moveTo(8, 14.6);
      h.cubicTo(1.5, 10, 0.4, 6.5, 1.6, 4.3);
      h.cubicTo(2.8, 1.8, 6.6, 1.3, 8, 4.6);
      h.cubicTo(9.4, 1.3, 13.2, 1.8, 14.4, 4.3);
      h.cubicTo(15.6, 6.5, 14.5, 10, 8, 14.6);
      body(p, h, c);
      part(p, ellipse(3.3, 4, 2.2, 2.6), c.light);
      break;
    }
    case 5: {  // cloud
      QPainterPath cl = circle(5, 9.3, 3.6).united(circle(9.2, 7, 4.6)).united(circle(12.6, 10, 2.9));
      cl = cl.united(rect(2.6, 9.5, 10.5, 3.4, 1.5));
      body(p, cl, c);
      break;
    }
    case 6: {  // camera
      QPainterPath cam = rect(1, 4.6, 14, 9.4, 1.8).united(rect(5, 2.6, 6, 3, 1));
      cam = cam.subtracted(circle(8, 9.2, 3.4));
      body(p, cam, c);
      part(p, circle(8, 9.2, 2.2), c.accent);
      part(p, circle(7.3, 8.5, 0.8), c.light);
      part(p, rect(11.6, 6, 1.8, 1.2), c.light);
      break;
    }
    case 7: {  // envelope
      QPainterPath e = rect(1.2, 3.4, 13.6, 9.8, 0.8);
      QPainterPath v;
      v.moveTo(1.6, 3.8);
      v.lineTo(8, 9.2);
      v.lineTo(14.4, 3.8);
      body(p, e.subtracted(stroked(v, 1.4)), c);
      break;
    }
    case 8: {  // mobile phone
      QPainterPath ph = rect(3.8, 0.8, 8.4, 14.4, 1.8).subtracted(rect(5.1, 2.6, 5.8, 9));
      body(p, ph, c);
      part(p, rect(5.1, 2.6, 5.8, 9), c.light);
      part(p, circle(8, 13.3, 0.8), c.light);
      break;
    }
    case 9: {  // house
      QPainterPath h = polygon({{8, 1}, {15.2, 8}, {13, 8}, {13, 14.6}, {3, 14.6}, {3, 8}, {0.8, 8}});
      h = h.subtracted(rect(6.6, 9.6, 2.8, 5));
      body(p, h, c);
      part(p, rect(10.6, 2.5, 1.8, 3), c.detail);
      break;
    }
    case 10: {  // gift
      QPainterPath gb = rect(2, 7.2, 12, 7.6).united(rect(1, 4.6, 14, 3));
      gb = gb.united(ellipse(3.8, 1.2, 4.4, 3.8)).united(ellipse(7.8, 1.2, 4.4, 3.8));
      body(p, gb, c);
      part(p, rect(7, 4.6, 2, 10.2), c.accent);
      part(p, rect(1, 6.2, 14, 1.2), c.accent);
      break;
    }
    case 11: {  // crown
      QPainterPath cr = polygon({{1.4, 12.8}, {1.4, 4.6}, {5, 8.6}, {8, 2.8}, {11, 8.6}, {14.6, 4.6}, {14.6, 12.8}});
      cr = cr.united(rect(1.4, 11.6, 13.2, 2.6));
      body(p, cr, c);
      part(p, circle(8, 10.2, 1.2), c.accent);
      part(p, rect(1.4, 12.6, 13.2, 0.9), c.light);
      break;
    }
    case 12:  // diamond
      body(p, polygon({{4, 2.4}, {12, 2.4}, {15.2, 6.2}, {8, 14.8}, {0.8, 6.2}}), c);
      part(p, polygon({{4.2, 2.8}, {11.8, 2.8}, {10, 6}, {6, 6}}), c.light);
      part(p, polygon({{6, 6.2}, {10, 6.2}, {8, 13}}), c.accent);
      break;
    case 13: {  // leaf
      QPainterPath lf;
      lf.moveTo(1.8, 14.4);
      lf.cubicTo(1.6, 5.6, 6.6, 1.4, 14.6, 1.4);
      lf.cubicTo(14.8, 9.4, 10, 14.4, 1.8, 14.4);
      QPainterPath vein;
      vein.moveTo(2.8, 13.4);
      vein.cubicTo(6, 10, 8.4, 7, 11.6, 4.4);
      body(p, lf.subtracted(stroked(vein, 1.1)), c);
      break;
    }
    case 14: {  // flower
      QPainterPath fl;
      for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + i * 2 * M_PI / 5;
        fl = fl.united(circle(8 + 4 * std::cos(a), 8.4 + 4 * std::sin(a), 3));
      }
      body(p, fl, c);
      part(p, circle(8, 8.4, 2.2), c.accent);
      break;
    }
    case 15: {  // sun
      QPainterPath rays;
      for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        rays = rays.united(line(8 + 5.4 * std::cos(a), 8 + 5.4 * std::sin(a),
                                8 + 7 * std::cos(a), 8 + 7 * std::sin(a), 1.6));
      }
      body(p, rays.united(circle(8, 8, 4)), c);
      part(p, circle(7, 7, 1.4), c.light);
      break;
    }
    case 16:  // crescent moon
      body(p, circle(8, 8.2, 6.8).subtracted(circle(11.4, 5.6, 5.6)), c);
      part(p, star_path(12.6, 11.2, 2, 0.8, 4), c.accent);
      break;
    case 17:  // lightning
      body(p, polygon({{10, 0.6}, {2.6, 9.2}, {7.2, 9.2}, {5.6, 15.6}, {13.4, 6.4}, {8.8, 6.4}, {11, 0.6}}), c);
      break;
    case 18: {  // flag
      QPainterPath f = rect(1.8, 1, 1.6, 14.6);
      QPainterPath cloth;
      cloth.moveTo(3.4, 1.8);
      cloth.cubicTo(6.4, 0.4, 9.6, 3.6, 14.6, 1.8);
      cloth.lineTo(14.6, 9.2);
      cloth.cubicTo(9.6, 11, 6.4, 7.8, 3.4, 9.2);
      cloth.closeSubpath();
      body(p, f.united(cloth), c);
      part(p, circle(8.6, 5.5, 1.6), c.light);
      break;
    }
    case 19: {  // key
      QPainterPath k = circle(5.2, 5.6, 4.2).subtracted(circle(4.6, 5, 1.6));
      k = k.united(line(7.6, 8, 14, 14.4, 2.2)).united(line(11.2, 11.6, 13.4, 9.4, 1.8));
      k = k.united(line(13.2, 13.6, 14.9, 11.9, 1.6));
      body(p, k, c);
      break;
    }
    case 20: {  // padlock
      QPainterPath sh;
      sh.moveTo(4.6, 8);
      sh.lineTo(4.6, 5.4);
      sh.cubicTo(4.6, 1.2, 11.4, 1.2, 11.4, 5.4);
      sh.lineTo(11.4, 8);
      QPainterPath lk = stroked(sh, 1.9).united(rect(2.4, 7, 11.2, 8.4, 1.4));
      lk = lk.subtracted(circle(8, 10.3, 1.4)).subtracted(rect(7.4, 10.6, 1.2, 2.8));
      body(p, lk, c);
      break;
    }
    case 21: {  // open book
      QPainterPath bk = polygon({{0.8, 3}, {7.4, 4.2}, {7.4, 14.6}, {0.8, 13.4}});
      bk = bk.united(polygon({{8.6, 4.2}, {15.2, 3}, {15.2, 13.4}, {8.6, 14.6}}));
      body(p, bk, c);
      part(p, line(2.4, 6, 6, 6.7, 0.8), c.light);
      part(p, line(2.4, 8.4, 6, 9.1, 0.8), c.light);
      part(p, line(10, 6.7, 13.6, 6, 0.8), c.light);
      part(p, line(10, 9.1, 13.6, 8.4, 0.8), c.light);
      break;
    }
    case 22:  // pencil
      body(p, polygon({{11.2, 1.2}, {14.8, 4.8}, {5.4, 14.2}, {1.2, 14.8}, {1.8, 10.6}}), c);
      part(p, polygon({{11.2, 1.8}, {14.2, 4.8}, {12.9, 6.1}, {9.9, 3.1}}), c.accent);
      part(p, polygon({{1.9, 11.6}, {4.4, 14.1}, {1.5, 14.5}}), c.detail);
      break;
    case 23: {  // cup
      QPainterPath cp = polygon({{1.8, 5.4}, {12.2, 5.4}, {11.4, 13.2}, {2.6, 13.2}});
      QPainterPath handle;
      handle.addEllipse(QPointF(12.4, 8.4), 2.2, 2.2);
      cp = cp.united(stroked(handle, 1.4)).united(rect(0.8, 13.4, 13.4, 1.6, 0.8));
      body(p, cp, c);
      part(p, line(5, 1, 5, 3.6, 0.9), c.accent);
      part(p, line(8.4, 1, 8.4, 3.6, 0.9), c.accent);
      break;
    }
    case 24:  // clock
      body(p, circle(8, 8, 7.2), c);
      part(p, circle(8, 8, 5.4), c.light);
      part(p, line(8, 8, 8, 4, 1.4).united(line(8, 8, 11, 9.6, 1.4)), c.detail);
      break;
    case 25: {  // globe
      body(p, circle(8, 8, 7.2), c);
      QPainterPath grid;
      grid.addEllipse(QPointF(8, 8), 3, 6.9);
      QPainterPath lines = stroked(grid, 0.9).united(line(1.2, 8, 14.8, 8, 0.9));
      lines = lines.united(line(2.2, 4.6, 13.8, 4.6, 0.8)).united(line(2.2, 11.4, 13.8, 11.4, 0.8));
      part(p, lines.intersected(circle(8, 8, 6.6)), c.light);
      break;
    }
    case 26: {  // shield
      QPainterPath s;
      s.moveTo(8, 0.8);
      s.lineTo(14.4, 3);
      s.lineTo(14.4, 7.8);
      s.cubicTo(14.4, 11.4, 11.4, 14, 8, 15.4);
      s.cubicTo(4.6, 14, 1.6, 11.4, 1.6, 7.8);
      s.lineTo(1.6, 3);
      s.closeSubpath();
      body(p, s, c);
      QPainterPath tick;
      tick.moveTo(4.8, 8);
      tick.lineTo(7.2, 10.4);
      tick.lineTo(11.4, 5.6);
      part(p, stroked(tick, 1.8), c.light);
      break;
    }
    case 27: {  // trophy
      QPainterPath t;
      t.moveTo(3.6, 1.4);
      t.lineTo(12.4, 1.4);
      t.cubicTo(12.4, 7, 10.6, 9, 8, 9.4);
      t.cubicTo(5.4, 9, 3.6, 7, 3.6, 1.4);
      t.closeSubpath();
      QPainterPath handles;
      handles.addEllipse(QPointF(3.4, 4.6), 2.2, 2.4);
      handles.addEllipse(QPointF(12.6, 4.6), 2.2, 2.4);
      t = t.united(stroked(handles, 1.2)).united(rect(7.1, 9, 1.8, 3)).united(rect(4, 11.8, 8, 3, 0.8));
      body(p, t, c);
      part(p, rect(5.2, 2.4, 1.2, 4.2), c.light);
      break;
    }
    case 28: {  // umbrella
      QPainterPath u;
      u.moveTo(0.8, 8.4);
      u.cubicTo(0.8, 3.6, 4.4, 1.2, 8, 1.2);
      u.cubicTo(11.6, 1.2, 15.2, 3.6, 15.2, 8.4);
      u.cubicTo(14, 7.2, 12.6, 7.2, 11.6, 8.4);
      u.cubicTo(10.4, 7.2, 9.2, 7.2, 8, 8.4);
      u.cubicTo(6.8, 7.2, 5.6, 7.2, 4.4, 8.4);
      u.cubicTo(3.4, 7.2, 2, 7.2, 0.8, 8.4);
      u.closeSubpath();
      QPainterPath h;
      h.moveTo(8, 8);
      h.lineTo(8, 13);
      h.cubicTo(8, 15.4, 4.8, 15.4, 4.8, 13.2);
      body(p, u.united(stroked(h, 1.4)), c);
      break;
    }
    case 29: {  // balloon
      QPainterPath b = ellipse(3.2, 0.8, 9.6, 11);
      b = b.united(polygon({{8, 11.2}, {9.4, 13}, {6.6, 13}}));
      QPainterPath s;
      s.moveTo(8, 13);
      s.cubicTo(6.6, 14, 9.4, 14.6, 8, 15.6);
      body(p, b.united(stroked(s, 0.8)), c);
      part(p, ellipse(5.2, 2.8, 2.2, 3.4), c.light);
      break;
    }
    case 30: {  // fish
      QPainterPath f = ellipse(1, 4, 10.6, 8).united(polygon({{9.6, 8}, {15.2, 3.4}, {15.2, 12.6}}));
      body(p, f, c);
      part(p, circle(4.2, 7.2, 1.1), c.detail);
      part(p, line(7, 5.6, 7, 10.4, 0.8), c.light);
      break;
    }
    case 31: {  // fir tree
      QPainterPath t = polygon({{8, 0.6}, {12.6, 6}, {10.6, 6}, {14.4, 11}, {1.6, 11}, {5.4, 6}, {3.4, 6}});
      body(p, t, c);
      part(p, rect(6.9, 11, 2.2, 4.2), c.detail);
      part(p, circle(6.4, 7.8, 0.9).united(circle(10, 9.2, 0.9)), c.accent);
      break;
    }
    case 32: {  // flame
      QPainterPath f;
      f.moveTo(8, 0.6);
      f.cubicTo(9.2, 4, 13.6, 6, 13.2, 10.4);
      f.cubicTo(12.8, 13.6, 10.4, 15.4, 8, 15.4);
      f.cubicTo(5, 15.4, 2.8, 13, 2.8, 10.2);
      f.cubicTo(2.8, 7.4, 4.8, 6.4, 5.4, 4.2);
      f.cubicTo(6.6, 5.8, 6.9, 7, 6.7, 8.2);
      f.cubicTo(8.6, 6.2, 8.8, 3.2, 8, 0.6);
      f.closeSubpath();
      body(p, f, c);
      QPainterPath in;
      in.moveTo(8.2, 8.2);
      in.cubicTo(9.6, 10, 11, 11, 10.6, 12.8);
      in.cubicTo(10.2, 14.4, 5.8, 14.6, 5.6, 12.4);
      in.cubicTo(5.6, 11, 7.6, 10.4, 8.2, 8.2);
      part(p, in, c.accent);
      break;
    }
    case 33: {  // droplet
      QPainterPath d;
      d.moveTo(8, 0.8);
      d.cubicTo(9.6, 3.6, 13.6, 7.4, 13.6, 10.2);
      d.cubicTo(13.6, 13.4, 11, 15.4, 8, 15.4);
      d.cubicTo(5, 15.4, 2.4, 13.4, 2.4, 10.2);
      d.cubicTo(2.4, 7.4, 6.4, 3.6, 8, 0.8);
      d.closeSubpath();
      body(p, d, c);
      part(p, ellipse(4.6, 9, 2, 3.4), c.light);
      break;
    }
    case 34: {  // magnifier
      QPainterPath m = circle(6.4, 6.4, 5.4).subtracted(circle(6.4, 6.4, 3.6));
      m = m.united(line(10.4, 10.4, 14.4, 14.4, 2.8));
      body(p, m, c);
      part(p, circle(6.4, 6.4, 3.6), c.light);
      break;
    }
    case 35: {  // chat bubble
      QPainterPath b = rect(0.8, 1.8, 14.4, 9.8, 3.2).united(polygon({{3.6, 10}, {3, 14.8}, {8.6, 10.6}}));
      body(p, b, c);
      part(p, circle(4.8, 6.8, 1.1).united(circle(8, 6.8, 1.1)).united(circle(11.2, 6.8, 1.1)), c.light);
      break;
    }
    case 36: {  // map pin
      QPainterPath pin = circle(8, 6, 5.6).united(polygon({{3, 8.6}, {8, 15.6}, {13, 8.6}}));
      body(p, pin.subtracted(circle(8, 6, 2.1)), c);
      break;
    }
    case 37:  // play button
      body(p, circle(8, 8, 7.2), c);
      part(p, polygon({{6, 4.4}, {12, 8}, {6, 11.6}}), c.light);
      break;
    case 38: {  // headphones
      QPainterPath band;
      band.moveTo(2.6, 10);
      band.lineTo(2.6, 8);
      band.cubicTo(2.6, 1.6, 13.4, 1.6, 13.4, 8);
      band.lineTo(13.4, 10);
      QPainterPath h = stroked(band, 1.7).united(rect(0.8, 8.4, 4.2, 6.6, 1.6)).united(rect(11, 8.4, 4.2, 6.6, 1.6));
      body(p, h, c);
      break;
    }
    case 39: {  // car
      QPainterPath car = polygon({{0.8, 8.8}, {3.2, 8.2}, {5.2, 4.2}, {11, 4.2}, {13, 8.2}, {15.2, 9}, {15.2, 12.6}, {0.8, 12.6}});
      body(p, car, c);
      part(p, polygon({{5.8, 5.2}, {7.6, 5.2}, {7.6, 8}, {4.6, 8}}).united(polygon({{8.6, 5.2}, {10.4, 5.2}, {11.8, 8}, {8.6, 8}})), c.light);
      part(p, circle(4.4, 12.6, 2.2).united(circle(11.6, 12.6, 2.2)), c.detail);
      break;
    }
    case 40: {  // shopping bag
      QPainterPath h;
      h.moveTo(5.2, 7);
      h.lineTo(5.2, 4.6);
      h.cubicTo(5.2, 0.8, 10.8, 0.8, 10.8, 4.6);
      h.lineTo(10.8, 7);
      QPainterPath bag = polygon({{2.2, 5.4}, {13.8, 5.4}, {14.6, 15}, {1.4, 15}});
      body(p, bag.united(stroked(h, 1.4)), c);
      part(p, circle(5.2, 7.4, 0.9).united(circle(10.8, 7.4, 0.9)), c.detail);
      break;
    }
    case 41: {  // paint palette
      QPainterPath pl = ellipse(0.8, 1.8, 14.4, 12.4).subtracted(circle(10.6, 10.4, 1.7));
      body(p, pl, c);
      part(p, circle(4.4, 6.2, 1.3), QColor(230, 50, 40));
      part(p, circle(7.6, 4.4, 1.3), QColor(250, 210, 40));
      part(p, circle(11.2, 5.4, 1.3), QColor(40, 120, 230));
      part(p, circle(4.6, 10, 1.3), QColor(60, 180, 70));
      break;
    }
    case 42: {  // rocket
      QPainterPath r;
      r.moveTo(8, 0.6);
      r.cubicTo(11.2, 3, 11.6, 7, 11, 11.2);
      r.lineTo(5, 11.2);
      r.cubicTo(4.4, 7, 4.8, 3, 8, 0.6);
      r.closeSubpath();
      r = r.united(polygon({{5.2, 7.6}, {1.8, 12.4}, {5.4, 11.6}})).united(polygon({{10.8, 7.6}, {14.2, 12.4}, {10.6, 11.6}}));
      body(p, r, c);
      part(p, circle(8, 5.4, 1.5), c.light);
      part(p, polygon({{6, 11.6}, {10, 11.6}, {8, 15.6}}), c.accent);
      break;
    }
    case 43: {  // anchor
      QPainterPath ring;
      ring.addEllipse(QPointF(8, 2.8), 1.7, 1.7);
      QPainterPath arc;
      arc.moveTo(2, 9.4);
      arc.cubicTo(2.6, 13.4, 5.6, 14.6, 8, 14.6);
      arc.cubicTo(10.4, 14.6, 13.4, 13.4, 14, 9.4);
      QPainterPath a = stroked(ring, 1.4).united(line(8, 4.6, 8, 14.2, 1.8)).united(line(4.8, 6.8, 11.2, 6.8, 1.6));
      a = a.united(stroked(arc, 1.7)).united(polygon({{0.8, 10.4}, {3.4, 8.2}, {3.6, 11.2}})).united(polygon({{15.2, 10.4}, {12.6, 8.2}, {12.4, 11.2}}));
      body(p, a, c);
      break;
    }
    case 44: {  // puzzle piece
      QPainterPath pz = rect(1.6, 4.2, 10.4, 10.4, 1).united(circle(6.8, 3, 2.2)).united(circle(13, 9.4, 2.2));
      pz = pz.subtracted(circle(1.6, 9.4, 1.9));
      body(p, pz, c);
      break;
    }
    case 45: {  // paw print
      QPainterPath pw = ellipse(4.2, 8.2, 7.6, 6.6);
      pw = pw.united(ellipse(1, 5.4, 3, 3.8)).united(ellipse(4.4, 1.8, 3, 4)).united(ellipse(8.6, 1.8, 3, 4)).united(ellipse(12, 5.4, 3, 3.8));
      body(p, pw, c);
      break;
    }
    case 46: {  // snowflake
      QPainterPath s;
      for (int i = 0; i < 3; ++i) {
        const double a = M_PI / 2 + i * M_PI / 3;
        const double dx = 6.8 * std::cos(a);
        const double dy = 6.8 * std::sin(a);
        s = s.united(line(8 - dx, 8 - dy, 8 + dx, 8 + dy, 1.6));
      }
      for (int i = 0; i < 6; ++i) {
        const double a = M_PI / 2 + i * M_PI / 3;
        const double bx = 8 + 4.4 * std::cos(a);
        const double by = 8 + 4.4 * std::sin(a);
        s = s.united(line(bx, by, bx + 2.2 * std::cos(a + 0.8), by + 2.2 * std::sin(a + 0.8), 1.2));
        s = s.united(line(bx, by, bx + 2.2 * std::cos(a - 0.8), by + 2.2 * std::sin(a - 0.8), 1.2));
      }
      body(p, s, c);
      break;
    }
    default: {  // smiling face
      body(p, circle(8, 8, 7.2), c);
      part(p, ellipse(4.8, 4.4, 1.9, 2.6).united(ellipse(9.3, 4.4, 1.9, 2.6)), c.detail);
      QPainterPath m;
      m.moveTo(4.2, 9.2);
      m.cubicTo(5.4, 12.6, 10.6, 12.6, 11.8, 9.2);
      part(p, stroked(m, 1.4), c.detail);
      break;
    }
  }
}

QColor shade(Rgb c, double f) {
  // f < 1 darkens, f > 1 lightens toward white.
  if (f <= 1) return qc(Rgb{int(c.r * f), int(c.g * f), int(c.b * f)});
  const double t = f - 1;
  return qc(mix(c, Rgb{255, 255, 255}, t));
}

// Which glyph, ground and colour icon i uses. Every glyph appears on all
// three grounds, so the 144 pairs are all different.
int glyph_of(int i) { return i % kGlyphCount; }
int ground_of(int i) { return (i % kGlyphCount + i / kGlyphCount) % 3; }
Rgb colour_of(int i) { return kPalette[(i * 5 + i / 24) % 12]; }
Rgb second_colour_of(int i) { return kPalette[(i * 5 + 4 + i / 24) % 12]; }

}  // namespace

QImage motif_icon(int glyph, int ground, Rgb base, Rgb second) {
  QImage img(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const int g = glyph % kGlyphCount;

  GlyphColours c;
  if (ground == 0) {
    // Bare glyph: a top-lit gradient body with a darker rim.
    QLinearGradient grad(0, 1, 0, 15);
    grad.setColorAt(0, shade(base, 1.35));
    grad.setColorAt(1, shade(base, 0.8));
    c.fill = QBrush(grad);
    c.outline = QPen(shade(base, 0.55), 0.9);
    c.accent = shade(second, 1.0);
    c.detail = shade(base, 0.4);
    c.light = shade(base, 1.7);
    draw_glyph(p, g, c);
  } else {
    // Tile or round badge in the colour, a glossy top half, the glyph in
    // white inside.
    QLinearGradient grad(0, 0, 0, 16);
    grad.setColorAt(0, shade(base, 1.3));
    grad.setColorAt(0.5, shade(base, 1.0));
    grad.setColorAt(1, shade(base, 0.78));
    p.setBrush(grad);
    p.setPen(QPen(shade(base, 0.6), 1.0));
    if (ground == 1) {
      p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3.2, 3.2);
    } else {
      p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    if (ground == 1) {
      p.drawRoundedRect(QRectF(1.5, 1.5, 13, 6), 2.4, 2.4);
    } else {
      p.drawEllipse(QRectF(2.5, 1.4, 11, 6.4));
    }
    p.save();
    p.translate(8, 8);
    p.scale(0.64, 0.64);
    p.translate(-8, -8);
    c.fill = QBrush(QColor(255, 255, 255));
    c.outline = Qt::NoPen;
    c.accent = shade(second, 1.25);
    c.detail = shade(base, 0.55);
    c.light = shade(base, 1.15);
    draw_glyph(p, g, c);
    p.restore();
  }
  return img;
}

QImage icon_lit(int index) {
  return motif_icon(glyph_of(index), ground_of(index), colour_of(index), second_colour_of(index));
}

QImage icon_unlit(int index) {
  QImage img = icon_lit(index);
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const int a = qAlpha(line[x]);
      if (a == 0) continue;
      // Premultiplied: grey is computed on premultiplied values and stays
      // premultiplied; then pulled toward a light grey and thinned.
      const int lum = (qRed(line[x]) * 30 + qGreen(line[x]) * 59 + qBlue(line[x]) * 11) / 100;
      const double unit = lum / static_cast<double>(a);  // 0..1 straight grey
      const double faded = 0.42 + unit * 0.45;
      const int na = a * 210 / 255;
      const int v = std::clamp(static_cast<int>(faded * na), 0, na);
      line[x] = qRgba(v, v, v, na);
    }
  }
  return img;
}

void draw_icon(QImage& dst, int x, int y, const QImage& icon) {
  QPainter p(&dst);
  p.drawImage(x, y, icon);
}

void draw_hidden_badge(QImage& dst, int x, int y) {
  QPainter p(&dst);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(150, 20, 14), 0.8));
  QRadialGradient g(QPointF(x + 3, y + 11), 4);
  g.setColorAt(0, QColor(246, 80, 62));
  g.setColorAt(1, QColor(206, 30, 22));
  p.setBrush(g);
  p.drawEllipse(QRectF(x + 0.6, y + 9.5, 6, 6));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawRect(QRectF(x + 1.5, y + 12, 4, 1.3));
}

}  // namespace sorvane::draw
