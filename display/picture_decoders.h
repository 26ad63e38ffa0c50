#pragma once

// The per-format decoders behind load_picture and decode_object_picture,
// exposed so that other controls (the panel picture control) share them
// instead of decoding twice. All of them take the bytes of a whole file held
// in memory, never throw, keep no reference to the bytes and report every
// failure (damaged, truncated or oversized files) as an empty result.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/byte_buffer.h"
#include "common/colour.h"
#include "common/raster.h"
#include "display/decode_limits.h"
#include "display/picture.h"
#include "display/picture_format.h"

namespace sorvane {

// JPEG through libjpeg with its default decompression settings: opaque RGB
// pixels (grey samples copied into all three channels; CMYK converted).
std::optional<PixelRaster> decode_jpeg(const std::uint8_t* data, std::size_t size,
                                       const DecodeLimits& limits = kDefaultDecodeLimits);

// The pixels of one rectangle of a JPEG (clipped to the picture), decoding
// only the rows and columns needed; pixel for pixel what decode_jpeg gives.
std::optional<PictureRegion> decode_jpeg_region(
    const std::uint8_t* data, std::size_t size,
    const std::function<PictureRect(int picture_width, int picture_height)>& choose,
    const DecodeLimits& limits = kDefaultDecodeLimits);

// PNG through libpng: one frame with T = 255 - alpha (opaque without alpha),
// delay 0 and no transparent colour.
Picture decode_png(const std::uint8_t* data, std::size_t size,
                   const DecodeLimits& limits = kDefaultDecodeLimits);

// Uncompressed (and bit-field) BMP of 1, 4, 8, 16, 24 or 32 bits a pixel:
// opaque pixels.
std::optional<PixelRaster> decode_bmp(const std::uint8_t* data, std::size_t size,
                                      const DecodeLimits& limits = kDefaultDecodeLimits);

// ICO or CUR: the chosen entry (the first 32 pixels wide with a colour-count
// byte of 16 or more, else the last) with its own transparency: T = 255
// where the AND mask is set, or 255 - alpha for 32-bit entries with alpha.
std::optional<PixelRaster> decode_icon(const std::uint8_t* data, std::size_t size,
                                       const DecodeLimits& limits = kDefaultDecodeLimits);

// GIF, first image only, drawn opaque through its colour table onto a white
// canvas of the logical screen size; transparency is ignored.
std::optional<PixelRaster> decode_gif_first_image(const std::uint8_t* data, std::size_t size,
                                                  const DecodeLimits& limits = kDefaultDecodeLimits);

// GIF, every image composed onto the canvas in turn (disposal methods 2 and
// 3 restore what the image covered, the transparent index is honoured); one
// frame per image. Each frame's transparent colour is `transparent`, or the
// canvas's top-left pixel when `automatic` is set.
Picture decode_gif_frames(const std::uint8_t* data, std::size_t size, ColourValue transparent,
                          bool automatic, const DecodeLimits& limits = kDefaultDecodeLimits);

// PCX, run-length encoded: 8 bits a pixel through the palette behind the
// 0x0C marker (one plane) or 24-bit RGB (three planes), or 1 bit a pixel
// black and white. Opaque pixels.
std::optional<PixelRaster> decode_pcx(const std::uint8_t* data, std::size_t size,
                                      const DecodeLimits& limits = kDefaultDecodeLimits);

// The decoder of one recognised format, with icons and cursors keeping their
// own transparency and a GIF giving its first image. None gives nothing.
std::optional<PixelRaster> decode_picture_as(PictureFormat format, const std::uint8_t* data,
                                             std::size_t size,
                                             const DecodeLimits& limits = kDefaultDecodeLimits);

// Draws the raster over white in place: each pixel becomes
// white + (colour - white) * (255 - T) / 255, rounded, with T = 0 after.
void composite_over_white(PixelRaster& raster);

// The raster as 3-byte blue, green, red pixels, rows bottom-up and unpadded
// (width * height * 3 bytes), the form the panel picture control keeps.
ByteBuffer bgr_rows_bottom_up(const PixelRaster& raster);

}  // namespace sorvane
