// The built-in background: a screenshot of the chat client's profile card in
// its green skin, 460 x 679. The header is a soft-focus photograph drawn
// procedurally; everything below it is the client's own interface.

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

#include "header_photo.h"
#include "icons.h"
#include "pictures.h"
#include "text.h"

namespace sorvane::draw {

namespace {

constexpr Rgb kOutline{83, 95, 79};
constexpr Rgb kDesktop{250, 251, 250};
constexpr Rgb kPage{235, 243, 230};
constexpr Rgb kGreen{84, 184, 0};
constexpr Rgb kOrange{248, 81, 10};
constexpr Rgb kTabBlue{132, 181, 220};
constexpr Rgb kBand{143, 187, 124};
constexpr Rgb kInner{107, 140, 93};

void draw_outline(QImage& img) {
  const int h = img.height();
  vline(img, 0, 0, h - 1, kOutline);
  vline(img, kCardWidth - 1, 0, h - 1, kOutline);
  // Top corners: the desktop shows through the three outermost pixels, and
  // the outline bends round them, half-blended.
  const int corner[3] = {3, 2, 1};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < corner[y]; ++x) {
      put(img, x, y, kDesktop);
      put(img, kCardWidth - 1 - x, y, kDesktop);
    }
    blend(img, corner[y], y, kOutline, 0.75);
    blend(img, kCardWidth - 1 - corner[y], y, kOutline, 0.75);
  }
}

void draw_window_buttons(QImage& img) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  // Three glyph buttons on a faint dark strip, as the skin draws them
  // over the photograph.
  const QRect strip(370, 0, 87, 20);
  QLinearGradient g(0, 0, 0, 20);
  g.setColorAt(0, QColor(0, 0, 0, 40));
  g.setColorAt(1, QColor(0, 0, 0, 12));
  QPainterPath path;
  path.addRoundedRect(QRectF(strip.left() + 0.5, -4, strip.width() - 1, 23.5), 3, 3);
  p.fillPath(path, g);
  p.setPen(QPen(QColor(255, 255, 255, 70), 1));
  p.drawLine(QPointF(398.5, 3), QPointF(398.5, 16));
  p.drawLine(QPointF(426.5, 3), QPointF(426.5, 16));
  p.setRenderHint(QPainter::Antialiasing, false);
  const QColor glyph(255, 255, 255);
  const QColor shadow(40, 50, 40, 150);
  // Appearance: a small shirt.
  auto shirt = [&](int dx, int dy, const QColor& c) {
    QPolygon s;
    s << QPoint(379 + dx, 6 + dy) << QPoint(382 + dx, 5 + dy) << QPoint(384 + dx, 7 + dy)
      << QPoint(386 + dx, 5 + dy) << QPoint(389 + dx, 6 + dy) << QPoint(391 + dx, 9 + dy)
      << QPoint(389 + dx, 10 + dy) << QPoint(388 + dx, 9 + dy) << QPoint(388 + dx, 14 + dy)
      << QPoint(380 + dx, 14 + dy) << QPoint(380 + dx, 9 + dy) << QPoint(379 + dx, 10 + dy)
      << QPoint(377 + dx, 9 + dy);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(s);
  };
  shirt(1, 1, shadow);
  shirt(0, 0, glyph);
  // Minimise: a short bar.
  p.fillRect(QRect(408, 12, 9, 2), shadow);
  p.fillRect(QRect(407, 11, 9, 2), glyph);
  // Close: a cross two pixels thick.
  for (int i = 0; i < 8; ++i) {
    for (int pass = 0; pass < 2; ++pass) {
      const QColor& c = pass == 0 ? shadow : glyph;
      const int o = pass == 0 ? 1 : 0;
      p.fillRect(QRect(437 + i + o, 6 + i + o, 2, 1), c);
      p.fillRect(QRect(444 - i + o, 6 + i + o, 2, 1), c);
    }
  }
}

void draw_avatar(QImage& img) {
  // Shadow: a thin dark line below and to the right of the frame.
  for (int y = 95; y <= 174; ++y) blend(img, 91, y, Rgb{20, 28, 18}, y == 174 ? 0.25 : 0.45);
  for (int x = 12; x <= 90; ++x) blend(img, x, 174, Rgb{20, 28, 18}, 0.45);
  blend(img, 92, 96, Rgb{20, 28, 18}, 0.12);
  for (int y = 96; y <= 175; ++y) blend(img, 92, y, Rgb{20, 28, 18}, 0.15);
  for (int x = 13; x <= 92; ++x) blend(img, x, 175, Rgb{20, 28, 18}, 0.15);
  // The white frame and the drawn picture inside it.
  fill(img, QRect(11, 94, 80, 80), Rgb{252, 253, 251});
  QImage photo = draw_avatar_picture(78);
  composite(img, photo, 12, 95);
}

void draw_identity(QImage& img) {
  TextStyle name;
  name.pixel_size = 13;
  name.bold = true;
  name.colour = Rgb{255, 255, 255};
  TextStyle shadow = name;
  shadow.colour = Rgb{30, 40, 30};
  shadow.opacity = 0.55;
  const QString nick = QStringLiteral("示例用户");
  draw_text_at_ink(img, 101, 97, nick, shadow);
  draw_text_at_ink(img, 100, 96, nick, name);
  const int after = 100 + ink_box(nick, name).width() + 4;
  TextStyle number;
  number.pixel_size = 12;
  number.colour = Rgb{232, 240, 228};
  TextStyle number_shadow = number;
  number_shadow.colour = Rgb{30, 40, 30};
  number_shadow.opacity = 0.5;
  const QString account = QStringLiteral("(10000)");
  const QRect ink = ink_box(account, number);
  draw_text_at_ink(img, after + 1, 98, account, number_shadow);
  draw_text_at_ink(img, after, 97, account, number);
  // The small edit symbol: a pencil over a short line.
  const int ex = after + ink.width() + 5;
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(240, 246, 236), 1.3));
  p.drawLine(QPointF(ex + 1.5, 107.5), QPointF(ex + 8.5, 100.5));
  p.setPen(QPen(QColor(240, 246, 236), 1.0));
  p.drawLine(QPointF(ex, 109.5), QPointF(ex + 10, 109.5));
}

void draw_status_row(QImage& img) {
  // Level emblems: two suns, a moon and two stars, then a membership badge,
  // a medal and a count of days.
  int x = 100;
  const int top = 134;
  const Rgb gold{246, 190, 30};
  const Rgb silver{170, 200, 235};
  const int glyphs[5] = {kGlyphSun, kGlyphSun, kGlyphMoon, kGlyphStar, kGlyphStar};
  for (int i = 0; i < 5; ++i) {
    const Rgb c = i < 2 ? Rgb{250, 150, 30} : (i == 2 ? gold : silver);
    QImage e = motif_icon(glyphs[i], 0, c, Rgb{250, 230, 120});
    draw_icon(img, x, top, e);
    x += 17;
  }
  x += 5;
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(0, top + 1, 0, top + 15);
    g.setColorAt(0, QColor(255, 120, 80));
    g.setColorAt(1, QColor(214, 40, 26));
    p.setBrush(g);
    p.setPen(QPen(QColor(160, 26, 16), 1));
    p.drawRoundedRect(QRectF(x + 0.5, top + 1.5, 43, 14), 3, 3);
  }
  TextStyle badge;
  badge.pixel_size = 11;
  badge.bold = true;
  badge.colour = Rgb{255, 255, 255};
  draw_text_centred(img, QRect(x + 1, top + 2, 43, 13), QStringLiteral("会员6"), badge);
  x += 50;
  draw_icon(img, x, top, motif_icon(kGlyphShield, 2, Rgb{60, 140, 220}, Rgb{255, 255, 255}));
  x += 21;
  TextStyle days;
  days.pixel_size = 12;
  days.colour = Rgb{245, 248, 242};
  TextStyle days_shadow = days;
  days_shadow.colour = Rgb{30, 40, 30};
  days_shadow.opacity = 0.5;
  const QString text = QStringLiteral("已连续登录 365 天");
  draw_text_at_ink(img, x + 1, top + 4, text, days_shadow);
  draw_text_at_ink(img, x, top + 3, text, days);
}

void draw_signature(QImage& img) {
  TextStyle s;
  s.pixel_size = 12;
  s.colour = Rgb{250, 252, 248};
  TextStyle sh = s;
  sh.colour = Rgb{25, 35, 25};
  sh.opacity = 0.55;
  const QString full = QStringLiteral(
      "周末和朋友去看了花展，满园春色关不住，拍了好多照片，回来慢慢整理，改天分享给大家看看");
  // Cut at the last character that fits in x 100-445 with the ellipsis.
  QString cut;
  const QString ellipsis = QStringLiteral("...");
  for (int n = static_cast<int>(full.size()); n > 0; --n) {
    cut = full.left(n) + ellipsis;
    if (100 + text_width(cut, s) <= 446) break;
  }
  draw_text_baseline(img, 101, 169, cut, sh);
  draw_text_baseline(img, 100, 168, cut, s);
}

void draw_divider(QImage& img) {
  for (int y = 184; y <= 185; ++y) {
    for (int x = 2; x <= 457; ++x) {
      const Rgb base = x <= 238 ? kGreen : kOrange;
      const int n = grain(x, y, 0xD1u, 2);
      put(img, x, y, Rgb{base.r + n, base.g + n, base.b + n});
    }
    put(img, 1, y, mix(kGreen, kOutline, 0.4));
    put(img, 458, y, mix(kOrange, kOutline, 0.4));
  }
}

void draw_tab_bar(QImage& img) {
  const QRect bar(1, 186, 458, 31);
  fill_vgradient(img, bar, Rgb{247, 250, 245}, Rgb{223, 234, 217}, 2, 0x7Au);
  hline(img, 1, 458, 216, Rgb{178, 198, 168});
  // The selected tab.
  fill_vgradient(img, QRect(2, 186, 68, 30), Rgb{150, 195, 230}, Rgb{120, 170, 212}, 2, 0x7Bu);
  fill_grain(img, QRect(33, 216, 6, 1), kTabBlue, 1, 0x7Cu);
  const int pointer_left[3] = {33, 34, 35};
  const int pointer_right[3] = {38, 37, 36};
  for (int i = 0; i < 3; ++i) {
    hline(img, pointer_left[i], pointer_right[i], 217 + i, kTabBlue);
  }
  const char16_t* labels[6] = {u"资料", u"相册", u"动态", u"标签", u"账户", u"手机"};
  const int glyphs[6] = {kGlyphBook, kGlyphCamera, kGlyphChat, kGlyphFlag, kGlyphKey, kGlyphPhone};
  const Rgb colours[6] = {{70, 140, 210}, {240, 140, 40}, {90, 170, 60}, {220, 80, 80}, {200, 160, 40}, {90, 110, 200}};
  for (int t = 0; t < 6; ++t) {
    const int left = 2 + 68 * t;
    if (t > 0) {
      vline(img, left - 1, 189, 213, Rgb{200, 214, 192});
      vline(img, left, 189, 213, Rgb{252, 253, 251});
    }
    const QString label = QString::fromUtf16(labels[t]);
    TextStyle s;
    s.pixel_size = 12;
    s.colour = t == 0 ? Rgb{255, 255, 255} : Rgb{52, 70, 46};
    const int label_width = ink_box(label, s).width();
    const int total = 16 + 3 + label_width;
    const int x0 = left + (68 - total) / 2;
    draw_icon(img, x0, 193, motif_icon(glyphs[t], 0, colours[t], Rgb{255, 220, 120}));
    draw_text_at_ink(img, x0 + 19, 196, label, s);
  }
  // Scroll arrows at the right end of the bar.
  draw_arrow(img, 439, 201, true, Rgb{120, 140, 112}, Rgb{200, 214, 192});
  draw_arrow(img, 449, 201, false, Rgb{120, 140, 112}, Rgb{200, 214, 192});
}

void draw_push_button(QImage& img, const QRect& r, const QString& text) {
  fill_vgradient(img, r.adjusted(1, 1, -1, -1), Rgb{253, 254, 252}, Rgb{226, 234, 221}, 1, 0x51u);
  const Rgb border{142, 160, 132};
  hline(img, r.left() + 1, r.right() - 1, r.top(), border);
  hline(img, r.left() + 1, r.right() - 1, r.bottom(), border);
  vline(img, r.left(), r.top() + 1, r.bottom() - 1, border);
  vline(img, r.right(), r.top() + 1, r.bottom() - 1, border);
  blend(img, r.left() + 1, r.top() + 1, border, 0.35);
  blend(img, r.right() - 1, r.top() + 1, border, 0.35);
  blend(img, r.left() + 1, r.bottom() - 1, border, 0.35);
  blend(img, r.right() - 1, r.bottom() - 1, border, 0.35);
  TextStyle s;
  s.colour = Rgb{30, 40, 28};
  draw_text_centred(img, r, text, s);
}

void draw_content(QImage& img) {
  fill_grain(img, QRect(1, 217, 458, 386), kPage, 2, 0xC0u);
  // The selected tab's pointer reaches into the page.
  const int pointer_left[3] = {33, 34, 35};
  const int pointer_right[3] = {38, 37, 36};
  for (int i = 0; i < 3; ++i) hline(img, pointer_left[i], pointer_right[i], 217 + i, kTabBlue);

  draw_push_button(img, QRect(375, 225, 65, 22), QStringLiteral("编辑资料"));

  TextStyle label;
  label.colour = Rgb{96, 112, 90};
  TextStyle value;
  value.colour = Rgb{28, 36, 26};
  const int rows[3] = {262, 288, 314};
  const char16_t* names[3] = {u"昵　　称：", u"账　　号：", u"个人说明："};
  const char16_t* values[2] = {u"示例用户", u"10000"};
  for (int i = 0; i < 3; ++i) {
    draw_text_baseline(img, 24, rows[i], QString::fromUtf16(names[i]), label);
    if (i < 2) draw_text_baseline(img, 92, rows[i], QString::fromUtf16(values[i]), value);
  }
  draw_text_baseline(img, 92, 314, QStringLiteral("喜欢拍照、旅行和养花，欢迎常来看看。"), value);
  hline(img, 20, 436, 328, Rgb{214, 226, 207});

  // The vertical scroll bar at the right edge.
  fill_grain(img, QRect(446, 217, 12, 386), Rgb{224, 234, 219}, 1, 0xC1u);
  vline(img, 446, 217, 602, Rgb{206, 219, 199});
  const Rgb arrow{112, 130, 104};
  for (int i = 0; i < 4; ++i) hline(img, 451 - i, 452 + i, 223 + i, arrow);
  for (int i = 0; i < 4; ++i) hline(img, 451 - i, 452 + i, 597 - i, arrow);
  const QRect thumb(447, 264, 11, 52);
  fill_vgradient(img, thumb.adjusted(1, 1, -1, -1), Rgb{214, 228, 206}, Rgb{190, 208, 180}, 1, 0xC2u);
  const Rgb edge{140, 160, 130};
  hline(img, thumb.left() + 1, thumb.right() - 1, thumb.top(), edge);
  hline(img, thumb.left() + 1, thumb.right() - 1, thumb.bottom(), edge);
  vline(img, thumb.left(), thumb.top() + 1, thumb.bottom() - 1, edge);
  vline(img, thumb.right(), thumb.top() + 1, thumb.bottom() - 1, edge);
  for (int i = 0; i < 3; ++i) {
    hline(img, 450, 454, 286 + 3 * i, Rgb{130, 150, 120});
    hline(img, 450, 454, 287 + 3 * i, Rgb{240, 246, 236});
  }
}

void draw_icon_bar(QImage& img) {
  fill_grain(img, QRect(1, kBarTop, 458, 73), kBand, 2, 0xB0u);
  vline(img, 1, kBarTop, 675, Rgb{176, 208, 162});
  vline(img, 458, kBarTop, 675, Rgb{176, 208, 162});
  hline(img, 2, 457, kBarTop, Rgb{160, 200, 142});
  fill_rounded_grain(img, QRect(QPoint(kInnerLeft, kInnerTop), QPoint(kInnerRight, 670)),
                     inner_panel_corners(), kInner, 2, 0xB1u);
  const int tops[2] = {618, 647};
  for (int row = 0; row < 2; ++row) {
    for (int k = 0; k < kIconColumns; ++k) {
      const int index = row * kIconColumns + k;
      // A few services are on; the rest are greyed, most of them hidden.
      const bool lit = index == 0 || index == 4 || index == 17;
      const int x = icon_column_x(k);
      if (lit) {
        draw_icon(img, x, tops[row], icon_lit(index));
      } else {
        draw_icon(img, x, tops[row], icon_unlit(index));
        if ((hash3(static_cast<std::uint32_t>(index), 7, 0x5EEDu) % 10) < 7) {
          draw_hidden_badge(img, x, tops[row]);
        }
      }
    }
    const int cy = row == 0 ? 626 : 654;
    draw_arrow(img, kArrowLeftX, cy, true, Rgb{226, 238, 218}, kInner);
    draw_arrow(img, kArrowRightX, cy, false, Rgb{226, 238, 218}, kInner);
  }
  TextStyle s;
  s.colour = Rgb{240, 247, 236};
  draw_text_fitted(img, QRect(QPoint(399, 635), QPoint(444, 645)), QStringLiteral("图标管理"), s);
}

void draw_bottom_edge(QImage& img) {
  hline(img, 1, 458, 676, Rgb{128, 170, 110});
  hline(img, 1, 458, 677, Rgb{166, 200, 150});
  hline(img, 0, 459, 678, kOutline);
  // Rounded bottom corners.
  const int corner[3] = {0, 1, 3};  // desktop pixels on rows 676, 677, 678
  for (int i = 0; i < 3; ++i) {
    const int y = 676 + i;
    for (int x = 0; x < corner[i]; ++x) {
      put(img, x, y, kDesktop);
      put(img, kCardWidth - 1 - x, y, kDesktop);
    }
    if (corner[i] > 0) {
      blend(img, corner[i], y, kOutline, 0.7);
      blend(img, kCardWidth - 1 - corner[i], y, kOutline, 0.7);
    }
  }
}

}  // namespace

QImage draw_background() {
  QImage img = new_canvas(kCardWidth, kBackgroundHeight, kPage);
  const QImage header = draw_header_photo(458, 184);
  composite(img, header, 1, 0);
  draw_window_buttons(img);
  draw_avatar(img);
  draw_identity(img);
  draw_status_row(img);
  draw_signature(img);
  draw_divider(img);
  draw_tab_bar(img);
  draw_content(img);
  draw_icon_bar(img);
  draw_outline(img);
  draw_bottom_edge(img);
  return img;
}

}  // namespace sorvane::draw
