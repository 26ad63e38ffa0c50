#include <QPainter>

#include "pictures.h"

namespace sorvane::draw {

CornerInsets inner_panel_corners() {
  CornerInsets c;
  c.rows = 5;
  const int tl[5] = {4, 2, 1, 1, 0};
  const int tr[5] = {5, 3, 2, 1, 0};
  const int bl[5] = {4, 2, 1, 1, 0};
  const int br[5] = {4, 2, 1, 1, 0};
  for (int i = 0; i < 5; ++i) {
    c.top_left[i] = tl[i];
    c.top_right[i] = tr[i];
    c.bottom_left[i] = bl[i];
    c.bottom_right[i] = br[i];
  }
  return c;
}

void draw_arrow(QImage& img, int x, int cy, bool left, Rgb colour, Rgb shade) {
  // Column i (0..4) from the tip holds a run of 2i+1 rows centred on cy; the
  // tip column is a single pixel, the base column all nine rows.
  for (int i = 0; i < 5; ++i) {
    const int col = left ? x + i : x + 4 - i;
    const int half = i;
    for (int dy = -half; dy <= half; ++dy) put(img, col, cy + dy, colour);
    // A one-pixel darker rim under the slanted edges gives the pressed-in
    // look of the client's small arrow buttons.
    if (i < 4) {
      put(img, col, cy + half + 1, mix(colour, shade, 0.5));
    }
  }
}

QImage compose_preview(const QImage& background, const QImage& overlay, const QImage& panel) {
  QImage out(kCardWidth, kDisplayHeight, QImage::Format_RGB32);
  out.fill(qcolour(kButtonFace));
  QPainter p(&out);
  p.drawImage(0, 0, background);
  p.drawImage(0, 0, overlay);
  p.drawImage(kPanelLeft, kPanelTop, panel);
  return out;
}

}  // namespace sorvane::draw
