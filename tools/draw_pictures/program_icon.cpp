// The program's own icon: a glossy green round badge bearing a window of
// four coloured panes, 32 x 32 with graded alpha along its circular edge.

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "pictures.h"

namespace sorvane::draw {

QImage draw_program_icon() {
  constexpr int kScale = 8;
  constexpr int kBig = 32 * kScale;
  QImage big(kBig, kBig, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::transparent);
  {
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(kScale, kScale);
    // The badge with a darker rim.
    QRadialGradient g(QPointF(13, 10), 20);
    g.setColorAt(0, QColor(130, 222, 96));
    g.setColorAt(0.7, QColor(52, 160, 40));
    g.setColorAt(1, QColor(26, 110, 24));
    p.setPen(QPen(QColor(20, 92, 22), 1.0));
    p.setBrush(g);
    p.drawEllipse(QRectF(1, 1, 30, 30));
    // The emblem: a small application window, a white frame with a title
    // strip over a two-by-two grid of panes in four colours.
    const QRectF frame(7.5, 8, 17, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(22, 96, 24, 110));
    p.drawRoundedRect(frame.translated(0.6, 0.8), 1.8, 1.8);
    p.setBrush(QColor(250, 252, 248));
    p.drawRoundedRect(frame, 1.8, 1.8);
    p.setBrush(QColor(60, 140, 52));
    p.drawEllipse(QRectF(20.3, 9.3, 2, 2));
    const QColor panes[4] = {QColor(255, 146, 40), QColor(40, 190, 210), QColor(226, 70, 140),
                             QColor(138, 92, 226)};
    const QRectF cells[4] = {QRectF(9, 12.5, 6.6, 4.9), QRectF(16.4, 12.5, 6.6, 4.9),
                             QRectF(9, 18.1, 6.6, 4.4), QRectF(16.4, 18.1, 6.6, 4.4)};
    for (int i = 0; i < 4; ++i) {
      QLinearGradient pg(cells[i].topLeft(), cells[i].bottomRight());
      pg.setColorAt(0, panes[i].lighter(130));
      pg.setColorAt(1, panes[i]);
      p.setBrush(pg);
      p.drawRect(cells[i]);
    }
    // Gloss: a soft white ellipse over the upper half.
    QLinearGradient gloss(0, 2, 0, 16);
    gloss.setColorAt(0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawEllipse(QRectF(4.5, 2, 23, 14));
  }
  return big.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32);
}

}  // namespace sorvane::draw
