// The panel: the client's service-icon management dialog, 372 x 435, listing
// the same 144 icons the overlay shows lit, none of them hidden.

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "icons.h"
#include "pictures.h"
#include "text.h"

namespace sorvane::draw {

namespace {

constexpr Rgb kBorder{114, 116, 115};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kListFrame{160, 196, 228};
constexpr Rgb kText{34, 34, 34};

void draw_outline(QImage& img) {
  const int w = kPanelWidth;
  const int h = kPanelHeight;
  hline(img, 2, w - 3, 0, kBorder);
  hline(img, 2, w - 3, h - 1, kBorder);
  vline(img, 0, 2, h - 3, kBorder);
  vline(img, w - 1, 2, h - 3, kBorder);
  // Slightly rounded corners: one diagonal pixel, the outermost one left to
  // the light desktop grey behind the dialog.
  const Rgb outside{236, 236, 236};
  const QPoint corners[4] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
  for (const QPoint& c : corners) {
    const int dx = c.x() == 0 ? 1 : -1;
    const int dy = c.y() == 0 ? 1 : -1;
    put(img, c.x(), c.y(), outside);
    put(img, c.x() + dx, c.y(), mix(kBorder, outside, 0.45));
    put(img, c.x(), c.y() + dy, mix(kBorder, outside, 0.45));
    put(img, c.x() + dx, c.y() + dy, kBorder);
  }
}

void draw_logo(QImage& img, int x, int y) {
  // Our client's small mark: a round blue speech bubble with a white spark.
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  QLinearGradient g(0, y, 0, y + 15);
  g.setColorAt(0, QColor(96, 176, 246));
  g.setColorAt(1, QColor(28, 110, 210));
  QPainterPath bubble;
  bubble.addEllipse(QRectF(x + 0.5, y + 0.5, 14, 12));
  QPolygonF tail;
  tail << QPointF(x + 3, y + 10) << QPointF(x + 2, y + 14.5) << QPointF(x + 7, y + 11.5);
  bubble.addPolygon(tail);
  p.setPen(QPen(QColor(20, 86, 170), 0.9));
  p.setBrush(g);
  p.drawPath(bubble.simplified());
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  QPainterPath spark;
  const double cx = x + 7.5;
  const double cy = y + 6.5;
  spark.moveTo(cx, cy - 4);
  spark.quadTo(cx + 0.6, cy - 0.6, cx + 4, cy);
  spark.quadTo(cx + 0.6, cy + 0.6, cx, cy + 4);
  spark.quadTo(cx - 0.6, cy + 0.6, cx - 4, cy);
  spark.quadTo(cx - 0.6, cy - 0.6, cx, cy - 4);
  p.drawPath(spark);
}

void draw_title_band(QImage& img) {
  fill_vgradient(img, QRect(1, 1, 370, 23), Rgb{250, 252, 255}, Rgb{232, 241, 250}, 1, 0x9A1u);
  hline(img, 1, 370, 24, Rgb{214, 226, 238});
  draw_logo(img, 8, 4);
  TextStyle title;
  title.colour = Rgb{20, 20, 20};
  draw_text_fitted(img, QRect(QPoint(31, 6), QPoint(113, 18)), QStringLiteral("服务图标管理"), title);
  // The close cross in its button cell x 336-359, y 2-15.
  const Rgb cross{110, 112, 114};
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(cross.r, cross.g, cross.b), 1.6, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(344, 5), QPointF(352, 13));
  p.drawLine(QPointF(352, 5), QPointF(344, 13));
}

void draw_texts(QImage& img) {
  TextStyle s;
  s.colour = kText;
  draw_text_at_ink(img, 15, 43, QStringLiteral("点击图标即可隐藏该服务，隐藏后好友将看不到它。"), s);
  // Caption with a small bullet before it.
  for (int i = 0; i < 4; ++i) vline(img, 18 + i, 63 + i, 69 - i, Rgb{90, 140, 200});
  TextStyle cap;
  cap.colour = Rgb{40, 40, 40};
  cap.bold = true;
  draw_text_fitted(img, QRect(QPoint(27, 61), QPoint(100, 71)), QStringLiteral("可隐藏的图标"), cap);
}

void draw_list(QImage& img) {
  const QRect frame(QPoint(13, 80), QPoint(362, 367));
  fill(img, frame, kWhite);
  hline(img, frame.left(), frame.right(), frame.top(), kListFrame);
  hline(img, frame.left(), frame.right(), frame.bottom(), kListFrame);
  vline(img, frame.left(), frame.top(), frame.bottom(), kListFrame);
  vline(img, frame.right(), frame.top(), frame.bottom(), kListFrame);

  auto column_x = [](int c) { return 18 + 23 * c; };
  int index = 0;
  for (int c = 0; c < 14; ++c) draw_icon(img, column_x(c), 83, icon_lit(index++));
  for (int c = 0; c < 8; ++c) draw_icon(img, column_x(c), 107, icon_lit(index++));
  hline(img, 18, 345, 135, Rgb{222, 222, 222});
  for (int r = 0; r < 9; ++r) {
    const int count = r == 8 ? 10 : 14;
    for (int c = 0; c < count; ++c) draw_icon(img, column_x(c), 147 + 24 * r, icon_lit(index++));
  }

  // The thin scroll indicator along the right edge.
  fill(img, QRect(QPoint(354, 82), QPoint(360, 365)), Rgb{244, 246, 248});
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(196, 204, 214));
  p.drawRoundedRect(QRectF(355, 84, 5, 210), 2.5, 2.5);
}

void draw_link(QImage& img) {
  TextStyle s;
  s.colour = Rgb{40, 130, 220};
  draw_text_fitted(img, QRect(QPoint(284, 374), QPoint(356, 384)), QStringLiteral("取消全部隐藏"), s);
  hline(img, 284, 356, 385, Rgb{110, 170, 232});
}

void draw_button(QImage& img, const QRect& r, const QString& text, bool is_default, bool disabled) {
  const Rgb border = disabled ? Rgb{190, 192, 194} : (is_default ? Rgb{60, 126, 204} : Rgb{140, 144, 148});
  const Rgb top = disabled ? Rgb{246, 246, 246} : Rgb{255, 255, 255};
  const Rgb bottom = disabled ? Rgb{238, 238, 238} : Rgb{228, 232, 236};
  fill_vgradient(img, r.adjusted(1, 1, -1, -1), top, bottom, 0, 0);
  hline(img, r.left() + 1, r.right() - 1, r.top(), border);
  hline(img, r.left() + 1, r.right() - 1, r.bottom(), border);
  vline(img, r.left(), r.top() + 1, r.bottom() - 1, border);
  vline(img, r.right(), r.top() + 1, r.bottom() - 1, border);
  if (is_default) {
    // The default button's blue inner highlight.
    const Rgb glow{164, 206, 246};
    hline(img, r.left() + 1, r.right() - 1, r.top() + 1, glow);
    hline(img, r.left() + 1, r.right() - 1, r.bottom() - 1, glow);
    vline(img, r.left() + 1, r.top() + 1, r.bottom() - 1, glow);
    vline(img, r.right() - 1, r.top() + 1, r.bottom() - 1, glow);
  }
  TextStyle s;
  s.colour = disabled ? Rgb{160, 160, 160} : kText;
  draw_text_centred(img, r, text, s);
}

}  // namespace

QImage draw_panel() {
  QImage img = new_canvas(kPanelWidth, kPanelHeight, kWhite);
  draw_title_band(img);
  draw_texts(img);
  draw_list(img);
  draw_link(img);
  draw_button(img, QRect(QPoint(133, 405), QPoint(201, 426)), QStringLiteral("确定"), true, false);
  draw_button(img, QRect(QPoint(212, 405), QPoint(280, 426)), QStringLiteral("取消"), false, false);
  draw_button(img, QRect(QPoint(291, 405), QPoint(359, 426)), QStringLiteral("应用"), false, true);
  draw_outline(img);
  return img;
}

}  // namespace sorvane::draw
