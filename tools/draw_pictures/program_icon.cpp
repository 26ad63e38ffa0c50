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
    // The window: a white frame around four panes.
    const QRectF frame(8.5, 8.5, 15, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 252, 248));
    p.drawRoundedRect(frame, 1.6, 1.6);
    const QColor panes[4] = {QColor(236, 72, 52), QColor(64, 150, 236), QColor(250, 196, 32),
                             QColor(120, 204, 72)};
    const QRectF cells[4] = {QRectF(10, 10, 5.5, 5.5), QRectF(16.5, 10, 5.5, 5.5),
                             QRectF(10, 16.5, 5.5, 5.5), QRectF(16.5, 16.5, 5.5, 5.5)};
    for (int i = 0; i < 4; ++i) {
      QLinearGradient pg(cells[i].topLeft(), cells[i].bottomRight());
      pg.setColorAt(0, panes[i].lighter(125));
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
