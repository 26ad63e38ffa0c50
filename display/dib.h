#pragma once

// Device-independent bitmap data as BMP files and icon entries carry it:
// an information header, an optional colour table and the pixel rows.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/raster.h"
#include "display/decode_limits.h"

namespace sorvane {

struct DibHeader {
  std::uint32_t header_size = 0;
  int width = 0;
  int height = 0;          // rows, always positive
  bool top_down = false;   // rows stored from the top (negative height)
  int bits = 0;            // bits a pixel: 1, 4, 8, 16, 24 or 32
  std::uint32_t compression = 0;
  std::uint32_t colours_used = 0;
  std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue for 16 and 32 bits
};

// Bytes of one stored row: bits * width rounded up to a multiple of 4 bytes.
inline std::uint64_t dib_stride(int bits, int width) {
  return ((static_cast<std::uint64_t>(bits) * static_cast<std::uint64_t>(width) + 31) / 32) * 4;
}

// Parses a BITMAPINFOHEADER (40 bytes or any longer version) starting at
// `header` with `available` bytes behind it. Accepts uncompressed data of
// 1, 4, 8, 16, 24 or 32 bits and bit fields of 16 or 32 bits (masks in the
// header or right after a 40-byte one); rejects everything else, including
// non-positive widths, a zero height, INT32_MIN and pictures beyond the
// limits. `allow_top_down` admits negative heights.
bool parse_dib_header(const std::uint8_t* header, std::size_t available, bool allow_top_down,
                      const DecodeLimits& limits, DibHeader& out);

// Colour-table entries the header asks for (0 for more than 8 bits), or -1
// when it claims more entries than its bit count can address.
int dib_colour_entries(const DibHeader& header);

// Byte offset of the colour table (or of bit-field masks) from the header.
std::size_t dib_table_offset(const DibHeader& header);

// Decodes the pixel rows into opaque pixels. `table` holds `entries` 4-byte
// blue, green, red, reserved entries; indices beyond it give black. `pixels`
// must hold every row (the last without its padding).
std::optional<PixelRaster> decode_dib_pixels(const DibHeader& header, const std::uint8_t* table,
                                             int entries, const std::uint8_t* pixels,
                                             std::size_t available);

}  // namespace sorvane
