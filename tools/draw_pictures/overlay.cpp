// The overlay: a taller, brown icon bar with every service lit, ending in a
// window bottom edge of its own. Only the band x 0-459, y 603-876 is opaque;
// every other pixel is stored as (255, 255, 255, 0).

#include "icons.h"
#include "pictures.h"
#include "text.h"

namespace sorvane::draw {

namespace {

constexpr int kBandBottom = 876;
constexpr Rgb kBody{163, 137, 104};
constexpr Rgb kDark{97, 84, 78};
constexpr Rgb kLight{181, 166, 147};
constexpr Rgb kInnerBrown{120, 102, 78};
constexpr Rgb kNearWhite{250, 249, 247};

// Draws the band on an opaque canvas whose row 0 is the overlay's row 603;
// the drawing code below uses the overlay's own y and subtracts kBarTop.
struct Band {
  QImage img = new_canvas(kCardWidth, kBandBottom - kBarTop + 1, kBody);
  int y(int overlay_y) const { return overlay_y - kBarTop; }
};

void draw_frame(Band& b) {
  fill_grain(b.img, QRect(0, 0, kCardWidth, b.img.height()), kBody, 2, 0x0B0Du);
  // The top row continues the card's bar: a faint highlight.
  for (int x = 2; x <= 457; ++x) {
    const int n = grain(x, 0, 0x0B0Eu, 1);
    put(b.img, x, 0, Rgb{176 + n, 152 + n, 120 + n});
  }
  for (int y = kBarTop; y <= 873; ++y) {
    put(b.img, 0, b.y(y), kDark);
    put(b.img, kCardWidth - 1, b.y(y), kDark);
    put(b.img, 1, b.y(y), kLight);
    put(b.img, kCardWidth - 2, b.y(y), kLight);
  }
}

void draw_inner_panel(Band& b) {
  QRect r(QPoint(kInnerLeft, b.y(kInnerTop)), QPoint(kInnerRight, b.y(869)));
  fill_rounded_grain(b.img, r, inner_panel_corners(), kInnerBrown, 2, 0x0B0Fu);
}

void draw_icons(Band& b) {
  int index = 0;
  for (int row = 0; row < kOverlayRows; ++row) {
    const int top = kOverlayRowCentre[row] - 8;
    for (int k = 0; k < kOverlayRowCount[row]; ++k) {
      draw_icon(b.img, icon_column_x(k), b.y(top), icon_lit(index));
      ++index;
    }
    draw_arrow(b.img, kArrowLeftX, b.y(kOverlayRowCentre[row]), true, Rgb{232, 222, 204}, kInnerBrown);
    draw_arrow(b.img, kArrowRightX, b.y(kOverlayRowCentre[row]), false, Rgb{232, 222, 204}, kInnerBrown);
  }
}

void draw_label(Band& b) {
  TextStyle s;
  s.colour = Rgb{240, 232, 218};
  draw_text_fitted(b.img, QRect(QPoint(394, b.y(734)), QPoint(439, b.y(744))),
                   QStringLiteral("图标管理"), s);
}

void draw_bottom_edge(Band& b) {
  // Rows 872-876: a darker fold, the outline, then the lighter lip of the
  // window frame, with small rounded corners showing the near-white desktop.
  const Rgb rows[5] = {{142, 120, 92}, {128, 108, 84}, {97, 84, 78}, {160, 142, 120}, {184, 166, 144}};
  for (int i = 0; i < 5; ++i) {
    const int y = b.y(872 + i);
    for (int x = 0; x < kCardWidth; ++x) {
      const int n = grain(x, y, 0x0BA0u + static_cast<std::uint32_t>(i), 1);
      put(b.img, x, y, Rgb{rows[i].r + n, rows[i].g + n, rows[i].b + n});
    }
  }
  for (int y = 872; y <= 873; ++y) {
    put(b.img, 0, b.y(y), kDark);
    put(b.img, kCardWidth - 1, b.y(y), kDark);
  }
  // Corner pixels: on row 876 three at each end, row 875 two, row 874 one.
  const int corner[3] = {1, 2, 3};
  for (int i = 0; i < 3; ++i) {
    const int y = b.y(874 + i);
    for (int x = 0; x < corner[i]; ++x) {
      put(b.img, x, y, kNearWhite);
      put(b.img, kCardWidth - 1 - x, y, kNearWhite);
    }
    blend(b.img, corner[i], y, kNearWhite, 0.45);
    blend(b.img, kCardWidth - 1 - corner[i], y, kNearWhite, 0.45);
  }
}

}  // namespace

QImage draw_overlay() {
  Band b;
  draw_frame(b);
  draw_inner_panel(b);
  draw_icons(b);
  draw_label(b);
  draw_bottom_edge(b);

  QImage out(kCardWidth, kOverlayHeight, QImage::Format_ARGB32);
  out.fill(static_cast<uint>(qRgba(255, 255, 255, 0)));
  for (int y = 0; y < b.img.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(b.img.constScanLine(y));
    auto* dst = reinterpret_cast<QRgb*>(out.scanLine(kBarTop + y));
    for (int x = 0; x < kCardWidth; ++x) dst[x] = qRgba(qRed(src[x]), qGreen(src[x]), qBlue(src[x]), 255);
  }
  return out;
}

}  // namespace sorvane::draw
