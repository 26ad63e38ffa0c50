#pragma once

// The built-in pictures and the layout they share. The overlay's band must
// fall exactly on the background's icon bar, and the panel's list shows the
// same icons in the same order, so the geometry lives here in one place.

#include <QImage>
#include <QRect>

#include "canvas.h"

namespace sorvane::draw {

constexpr int kCardWidth = 460;
constexpr int kBackgroundHeight = 679;
constexpr int kOverlayHeight = 879;
constexpr int kPanelWidth = 372;
constexpr int kPanelHeight = 435;
constexpr int kDisplayHeight = 878;

// The icon bar: its first row, the inner rounded panel and the icon columns.
constexpr int kBarTop = 603;
constexpr int kInnerLeft = 10;
constexpr int kInnerRight = 449;
constexpr int kInnerTop = 611;
constexpr int kIconColumns = 16;
inline int icon_column_x(int k) { return 19 + 22 * k; }
constexpr int kArrowLeftX = 374;   // left-pointing triangle spans x 374-378
constexpr int kArrowRightX = 384;  // right-pointing triangle spans x 384-388

// The overlay's ten icon rows: centre y and how many icons each holds.
constexpr int kOverlayRows = 10;
constexpr int kOverlayRowCentre[kOverlayRows] = {626, 649, 671, 699, 725, 751, 776, 801, 826, 853};
constexpr int kOverlayRowCount[kOverlayRows] = {16, 6, 16, 16, 16, 16, 16, 16, 16, 10};

// Where the panel lies over the display area.
constexpr int kPanelLeft = 35;
constexpr int kPanelTop = 169;
constexpr Rgb kButtonFace{239, 239, 239};

// The aliased rounding of the bar's inner panel (about 5 pixels radius):
// row 611 spans x 14-444 and the last row x 14-445.
CornerInsets inner_panel_corners();

// A solid triangle 5 wide and 9 tall centred on row cy, pointing left or
// right, with its leftmost column at x.
void draw_arrow(QImage& img, int x, int cy, bool left, Rgb colour, Rgb shade);

QImage draw_background();      // 460 x 679, opaque
QImage draw_overlay();         // 460 x 879, ARGB32 (alpha 0 or 255)
QImage draw_panel();           // 372 x 435, opaque
QImage draw_window_icon();     // 92 x 92, alpha 0 / 150 / 255
QImage draw_program_icon();    // 32 x 32, graded alpha at the edge

// The composite as the display area shows it: the button-face fill, the
// background and the overlay at (0, 0), the panel at (35, 169).
QImage compose_preview(const QImage& background, const QImage& overlay, const QImage& panel);

}  // namespace sorvane::draw
