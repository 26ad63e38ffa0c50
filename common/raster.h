#pragma once

#include <cstddef>
#include <vector>

#include "common/colour.h"

namespace sorvane {

// A raster of 32-bit pixels (0xTTRRGGBB), rows from the top, no gaps between
// rows: pixel (x, y) is pixels[y * width + x].
struct PixelRaster {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  bool empty() const { return width <= 0 || height <= 0; }
  Pixel* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const Pixel* row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
  Pixel at(int x, int y) const { return row(y)[x]; }
};

}  // namespace sorvane
