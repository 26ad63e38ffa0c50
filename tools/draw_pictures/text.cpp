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
  // Pick the pixel size whose ink height is closest to the box, then centre
  // it horizontally with spacing spread so that the ink spans the box.
  TextStyle s = style;
  int best = style.pixel_size;
  int best_err = 1 << 20;
  for (int px = 9; px <= 16; ++px) {
    s.pixel_size = px;
    s.letter_spacing = 0;
    const int err = std::abs(ink_box(text, s).height() - box.height());
    if (err < best_err) {
      best_err = err;
      best = px;
    }
  }
  s.pixel_size = best;
  const int gaps = std::max<int>(1, static_cast<int>(text.size()) - 1);
  s.letter_spacing = 0;
  const int natural = ink_box(text, s).width();
  s.letter_spacing = static_cast<int>(std::floor((box.width() - natural) / static_cast<double>(gaps)));
  draw_text_centred(img, box, text, s);
}

}  // namespace sorvane::draw
