#pragma once

#include <QImage>

#include "common/raster.h"

namespace sorvane {

// What a widget painted, as a raster of our own pixels (T = 0).
inline PixelRaster raster_of(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  PixelRaster r{rgb.width(), rgb.height(), {}};
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) r.pixels.push_back(line[x] & 0xFFFFFFu);
  }
  return r;
}

}  // namespace sorvane
