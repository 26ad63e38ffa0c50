#pragma once

// Decoding picture files held in memory into pixels. Nothing here reads a
// file, throws, or keeps a reference to the caller's bytes; every failure is
// an empty result.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/byte_buffer.h"
#include "common/colour.h"
#include "common/raster.h"

namespace sorvane {

// One frame of a decoded picture: width * height pixels of the picture,
// rows from the top, 0xTTRRGGBB with T the transparency (0 opaque).
struct PictureFrame {
  ColourValue transparent_colour = kNoColour;  // kNoColour: none
  int delay_ms = 0;                            // only used for playback
  std::vector<Pixel> pixels;
};

// A decoded picture. The empty picture (0 x 0, no frames) is every failure.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<PictureFrame> frames;

  bool empty() const { return width <= 0 || height <= 0 || frames.empty(); }
};

// General loader: JPEG, BMP, ICO, CUR, GIF (first image) and PCX, recognised
// by their first bytes. Yields an opaque raster (every T = 0), or nothing.
// PNG is deliberately not among its formats.
std::optional<PixelRaster> load_picture(const std::uint8_t* data, std::size_t size);
inline std::optional<PixelRaster> load_picture(const ByteBuffer& bytes) {
  return load_picture(bytes.data(), bytes.size());
}

// Object-picture decoder: GIF (every frame) and PNG (with alpha) itself, any
// other format through load_picture. Each frame's transparent colour is
// `transparent` or, when `automatic` is set, that frame's top-left pixel.
Picture decode_object_picture(const std::uint8_t* data, std::size_t size,
                              ColourValue transparent, bool automatic);
inline Picture decode_object_picture(const ByteBuffer& bytes, ColourValue transparent,
                                     bool automatic) {
  return decode_object_picture(bytes.data(), bytes.size(), transparent, automatic);
}

}  // namespace sorvane
