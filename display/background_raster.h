#pragma once

#include <cstddef>
#include <cstdint>

#include "common/colour.h"
#include "common/raster.h"

namespace sorvane {

// How the display area places its background picture.
enum class PicDrawMode : int { kTopLeft = 0, kStretched = 1, kCentred = 2, kTiled = 3 };

// Builds the display area's background raster of width x height from the
// picture file bytes `pic` (decoded with the general loader): the fill
// pixel everywhere, with the picture placed by `mode`. Stretching averages
// when `smooth`, and picks pixels otherwise. A picture that does not decode
// leaves the fill alone. A zero-sized area gives an empty raster.
PixelRaster build_background_raster(const std::uint8_t* pic, std::size_t size, int width,
                                    int height, Pixel fill, PicDrawMode mode, bool smooth);

// Resamples `source` to width x height, by area averaging or by picking.
PixelRaster resample(const PixelRaster& source, int width, int height, bool smooth);

}  // namespace sorvane
