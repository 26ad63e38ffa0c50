#pragma once

#include <cstdint>
#include <vector>

#include "common/colour.h"
#include "common/raster.h"
#include "display/picture_store.h"

namespace sorvane {

// round(a * b / c) with halves rounded away from zero, also for negative
// products; c > 0.
constexpr std::int64_t round_div(std::int64_t numerator, std::int64_t denominator) {
  return numerator >= 0 ? (numerator + denominator / 2) / denominator
                        : -((-numerator + denominator / 2) / denominator);
}

// The extra transparency that an object's `alpha` percent adds to each of
// its pixels: round(alpha * 255 / 100).
constexpr std::int64_t alpha_extra(std::int64_t alpha_percent) {
  return round_div(alpha_percent * 255, 100);
}

// Lays source pixel `s` onto `d`: a key-coloured source (when `keyed`)
// leaves d; with T = s's transparency + extra, T <= 0 gives s itself (all
// four bytes), T >= 255 leaves d, and otherwise each colour channel moves
// from d toward s by (255 - T) / 255, keeping d's transparency byte.
constexpr Pixel blend_pixel(Pixel s, Pixel d, bool keyed, Pixel key, std::int64_t extra) {
  if (keyed && (s & 0xFFFFFFu) == key) return d;
  const std::int64_t t = pixel_transparency(s) + extra;
  if (t <= 0) return s;
  if (t >= 255) return d;
  Pixel out = d & 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::int64_t sc = (s >> shift) & 0xFF;
    const std::int64_t dc = (d >> shift) & 0xFF;
    const std::int64_t c = dc + round_div((sc - dc) * (255 - t), 255);
    out |= static_cast<Pixel>(c) << shift;
  }
  return out;
}

// One object as composition sees it: its stored picture, the frame shown,
// its rectangle's top-left corner in client pixels and its `alpha`.
struct ComposedObject {
  const StoredPicture* picture;
  int frame;
  int left;
  int top;
  std::int64_t alpha_percent;
};

// Composes the client rectangle (x, y, width, height), which must lie
// inside `background` (a raster of the client size), into `out` as width *
// height pixels: the background, then each object in order (lowest first),
// blended. Every pixel of `out` leaves with its transparency byte replaced
// by `opaque_top` (0 for our own rasters; 0xFF000000 where the toolkit
// marks opaque pixels that way).
void compose_rect(const PixelRaster& background, const std::vector<ComposedObject>& objects,
                  int x, int y, int width, int height, Pixel opaque_top, std::vector<Pixel>& out);

}  // namespace sorvane
