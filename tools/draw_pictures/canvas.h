#pragma once

// Pixel-level helpers shared by every picture: crisp fills and rules, and the
// small deterministic grain that makes a flat area look like a screenshot of a
// photo-backed skin (neighbouring pixels differ by a few units).

#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdint>

namespace sorvane::draw {

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
};

inline QColor qcolour(Rgb c, int alpha = 255) { return QColor(c.r, c.g, c.b, alpha); }
Rgb mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb lighter(Rgb c, int amount);

// A well-mixed 32-bit hash of a pixel position and a seed.
std::uint32_t hash3(std::uint32_t x, std::uint32_t y, std::uint32_t seed);
// Deterministic value in [-amplitude, amplitude] for a pixel.
int grain(int x, int y, std::uint32_t seed, int amplitude);
// Deterministic value in [0, 1) for a pixel.
double unit_noise(int x, int y, std::uint32_t seed);
// Smooth value noise in [0, 1) with features about `scale` pixels wide.
double smooth_noise(double x, double y, double scale, std::uint32_t seed);

// A new opaque RGB32 picture filled with one colour.
QImage new_canvas(int width, int height, Rgb fill);

void put(QImage& img, int x, int y, Rgb c);
Rgb get(const QImage& img, int x, int y);
// Blends c over the pixel with opacity a (0..1).
void blend(QImage& img, int x, int y, Rgb c, double a);
void hline(QImage& img, int x0, int x1, int y, Rgb c);
void vline(QImage& img, int x, int y0, int y1, Rgb c);
void fill(QImage& img, const QRect& r, Rgb c);
// Fills with c plus per-pixel grain of the given amplitude.
void fill_grain(QImage& img, const QRect& r, Rgb c, int amplitude, std::uint32_t seed);
// Adds grain to what is already there.
void add_grain(QImage& img, const QRect& r, int amplitude, std::uint32_t seed);
// A rectangle with corners cut by the given per-row insets (aliased, the way
// a desktop skin draws its rounded panels). insets[i] is how far row i from
// the top (and from the bottom) starts inside the left and right edges.
struct CornerInsets {
  int top_left[6] = {0, 0, 0, 0, 0, 0};
  int top_right[6] = {0, 0, 0, 0, 0, 0};
  int bottom_left[6] = {0, 0, 0, 0, 0, 0};
  int bottom_right[6] = {0, 0, 0, 0, 0, 0};
  int rows = 0;  // how many rows at top and bottom carry an inset
};
// Span [x0, x1] of row y in a rounded rectangle; false if the row is outside.
bool rounded_span(const QRect& r, const CornerInsets& c, int y, int* x0, int* x1);
void fill_rounded_grain(QImage& img, const QRect& r, const CornerInsets& c, Rgb colour,
                        int amplitude, std::uint32_t seed);

// A vertical gradient between two colours over the rows of r, with grain.
void fill_vgradient(QImage& img, const QRect& r, Rgb top, Rgb bottom, int amplitude,
                    std::uint32_t seed);

}  // namespace sorvane::draw

namespace sorvane::draw {

// Approximate Gaussian blur by repeated box blurs (any 32-bit format; the
// alpha channel is blurred too, so premultiplied layers blur correctly).
void box_blur(QImage& img, int radius, int passes);

// Draws `layer` (ARGB32 premultiplied) over img at (x, y).
void composite(QImage& img, const QImage& layer, int x = 0, int y = 0, double opacity = 1.0);

}  // namespace sorvane::draw
