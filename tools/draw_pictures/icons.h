#pragma once

// The one set of 144 service icons: distinct 16 x 16 full-colour motifs drawn
// from simple glyph shapes (a bell, a note, a game pad, a star ...), each on
// one of three grounds (bare glyph, rounded tile, round badge), in varied
// colours. The same set appears lit in the overlay's bar and in the panel's
// list, and greyed in the background's bar.

#include <QImage>

#include "canvas.h"

namespace sorvane::draw {

constexpr int kIconCount = 144;
constexpr int kIconSize = 16;

// Glyph numbers of some motifs, for the few places that use one by itself.
enum Glyph {
  kGlyphBell = 0, kGlyphNote = 1, kGlyphStar = 3, kGlyphHeart = 4, kGlyphCamera = 6,
  kGlyphPhone = 8, kGlyphHouse = 9, kGlyphCrown = 11, kGlyphDiamond = 12, kGlyphFlower = 14,
  kGlyphSun = 15, kGlyphMoon = 16, kGlyphFlag = 18, kGlyphKey = 19, kGlyphBook = 21,
  kGlyphPencil = 22, kGlyphShield = 26, kGlyphTrophy = 27, kGlyphChat = 35, kGlyphSmile = 47,
};

// One motif by itself: glyph g on ground 0 (bare), 1 (tile) or 2 (badge).
QImage motif_icon(int glyph, int ground, Rgb base, Rgb second);

// The lit (full-colour) icon, 16 x 16 ARGB32 premultiplied.
QImage icon_lit(int index);
// The unlit icon: desaturated and faded, as the client shows a service that
// is not switched on.
QImage icon_unlit(int index);
// Composites a 16 x 16 icon with its top-left corner at (x, y).
void draw_icon(QImage& dst, int x, int y, const QImage& icon);
// The small red round badge with a white bar that marks a hidden icon, at
// the lower left of the icon whose top-left corner is (x, y).
void draw_hidden_badge(QImage& dst, int x, int y);

}  // namespace sorvane::draw
