#pragma once

// Text as a desktop chat client draws it: the CJK interface font at about
// 12 pixels, greyscale-antialiased, placed by the box its ink covers.

#include <QImage>
#include <QRect>
#include <QString>

#include "canvas.h"

namespace sorvane::draw {

// Loads the CJK font from its file so that every run draws the same glyphs.
// Returns false if the font cannot be found.
bool load_interface_font();

struct TextStyle {
  int pixel_size = 12;
  bool bold = false;
  Rgb colour{0, 0, 0};
  double opacity = 1.0;
  int letter_spacing = 0;  // extra pixels between characters
};

// The ink box of `text` when drawn with its pen at (0, 0) on the baseline.
QRect ink_box(const QString& text, const TextStyle& style);
// Draws text so that its ink box starts at (left, top).
void draw_text_at_ink(QImage& img, int left, int top, const QString& text, const TextStyle& style);
// Draws text so that its ink box is centred in `box`.
void draw_text_centred(QImage& img, const QRect& box, const QString& text, const TextStyle& style);
// Draws text with its pen at (x, baseline).
void draw_text_baseline(QImage& img, int x, int baseline, const QString& text,
                        const TextStyle& style);
// Advance width of the text.
int text_width(const QString& text, const TextStyle& style);
// Scales the text horizontally and vertically so that its ink fills exactly
// `box` (used for the few labels whose extent the layout fixes to the pixel).
void draw_text_fitted(QImage& img, const QRect& box, const QString& text, const TextStyle& style);

}  // namespace sorvane::draw
