#include "text.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace sorvane::draw {

namespace {

QString& family() {
  static QString name = QStringLiteral("WenQuanYi Micro Hei");
  return name;
}

QFont make_font(const TextStyle& style) {
  QFont font(family());
  font.setPixelSize(style.pixel_size);
  font.setBold(style.bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  font.setKerning(false);
  if (style.letter_spacing != 0) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, style.letter_spacing);
  }
  return font;
}

}  // namespace

bool load_interface_font() {
  const char* const candidates[] = {
      "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
      "/usr/share/fonts/wqy-microhei/wqy-microhei.ttc",
  };
  for (const char* path : candidates) {
    const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(path));
    if (id >= 0) {
      const QStringList families = QFontDatabase::applicationFontFamilies(id);
      if (!families.isEmpty()) {
        family() = families.front();
        return true;
      }
    }
  }
  return QFontDatabase::families().contains(family());
}

QRect ink_box(const QString& text, const TextStyle& style) {
  // Measured from the drawn glyphs rather than font metrics, so that the box
  // is exactly the pixels the text touches.
  QImage probe(text_width(text, style) + 2 * style.pixel_size, 3 * style.pixel_size,
               QImage::Format_ARGB32_Premultiplied);
  probe.fill(Qt::transparent);
  const int pen_x = style.pixel_size;
  const int baseline = 2 * style.pixel_size;
  {
    QPainter p(&probe);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(make_font(style));
    p.setPen(Qt::black);
    p.drawText(pen_x, baseline, text);
  }
  int x0 = probe.width();
  int y0 = probe.height();
  int x1 = -1;
  int y1 = -1;
  for (int y = 0; y < probe.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
    for (int x = 0; x < probe.width(); ++x) {
      if (qAlpha(line[x]) > 40) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
    }
  }
  if (x1 < 0) return QRect();
  return QRect(QPoint(x0 - pen_x, y0 - baseline), QPoint(x1 - pen_x, y1 - baseline));
}

int text_width(const QString& text, const TextStyle& style) {
  return QFontMetrics(make_font(style)).horizontalAdvance(text);
}

void draw_text_baseline(QImage& img, int x, int baseline, const QString& text,
                        const TextStyle& style) {
  QPainter p(&img);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setFont(make_font(style));
  p.setOpacity(style.opacity);
  p.setPen(qcolour(style.colour));
  p.drawText(x, baseline, text);
}

void draw_text_at_ink(QImage& img, int left, int top, const QString& text, const TextStyle& style) {
  const QRect ink = ink_box(text, style);
  draw_text_baseline(img, left - ink.left(), top - ink.top(), text, style);
}

void draw_text_centred(QImage& img, const QRect& box, const QString& text, const TextStyle& style) {
  const QRect ink = ink_box(text, style);
  const int left = box.left() + (box.width() - ink.width()) / 2;
  const int top = box.top() + (box.height() - ink.height()) / 2;
  draw_text_at_ink(img, left, top, text, style);
}

void draw_text_fitted(QImage& img, const QRect& box, const QString& text, const TextStyle& style) {
  // Pick the pixel size and letter spacing whose ink box comes closest to
  // the box (height weighs more: a label's size is read from its height),
  // then centre the ink in it.
  TextStyle s = style;
  TextStyle best = style;
  int best_cost = 1 << 20;
  for (int px = 10; px <= 15; ++px) {
    for (int spacing = 0; spacing <= 4; ++spacing) {
      s.pixel_size = px;
      s.letter_spacing = spacing;
      const QRect ink = ink_box(text, s);
      const int cost = std::abs(ink.width() - box.width()) + 3 * std::abs(ink.height() - box.height()) +
                       (ink.width() > box.width() || ink.height() > box.height() ? 100 : 0);
      if (cost < best_cost) {
        best_cost = cost;
        best = s;
      }
    }
  }
  draw_text_centred(img, box, text, best);
}

}  // namespace sorvane::draw
