#pragma once

// Decoding picture files held in memory into pixels. Nothing here reads a
// file, throws, or keeps a reference to the caller's bytes; every failure is
// an empty result.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "common/byte_buffer.h"
#include "common/colour.h"
#include "common/raster.h"
#include "display/decode_limits.h"

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

// The same two entry points with other bounds than kDefaultDecodeLimits
// (tests and fuzzing use smaller ones).
std::optional<PixelRaster> load_picture(const std::uint8_t* data, std::size_t size,
                                        const DecodeLimits& limits);
Picture decode_object_picture(const std::uint8_t* data, std::size_t size,
                              ColourValue transparent, bool automatic,
                              const DecodeLimits& limits);

// Part of a picture as the general loader decodes it: the whole picture's
// size, and the pixels of a requested rectangle clipped to the picture.
struct PictureRegion {
  int picture_width = 0;   // size of the whole picture
  int picture_height = 0;
  int left = 0;            // where `pixels` lies in the picture
  int top = 0;
  PixelRaster pixels;      // empty when the rectangle misses the picture
};

// A rectangle in picture coordinates.
struct PictureRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Decodes only what the rectangle (left, top, width, height) in picture
// coordinates needs and gives exactly the pixels that cropping load_picture's
// raster would give. JPEG decodes only the needed rows and columns; other
// formats are decoded whole and cropped. Nothing when load_picture's
// recognition or the decode fails.
std::optional<PictureRegion> load_picture_region(const std::uint8_t* data, std::size_t size,
                                                 int left, int top, int width, int height,
                                                 const DecodeLimits& limits = kDefaultDecodeLimits);
inline std::optional<PictureRegion> load_picture_region(const ByteBuffer& bytes, int left,
                                                        int top, int width, int height) {
  return load_picture_region(bytes.data(), bytes.size(), left, top, width, height);
}

// The same, with the rectangle chosen from the picture's size once that is
// known (for placements that depend on it, such as centring); `choose` is
// called exactly once for every picture that gets that far.
std::optional<PictureRegion> load_picture_region(
    const std::uint8_t* data, std::size_t size,
    const std::function<PictureRect(int picture_width, int picture_height)>& choose,
    const DecodeLimits& limits = kDefaultDecodeLimits);

}  // namespace sorvane
