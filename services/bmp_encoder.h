#pragma once

#include <cstdint>

#include "common/byte_buffer.h"
#include "common/raster.h"

namespace sorvane {

// Sizes of the uncompressed 24-bit BMP layout that encode_bmp24 writes.
constexpr std::uint32_t kBmpFileHeaderSize = 14;
constexpr std::uint32_t kBmpInfoHeaderSize = 40;
constexpr std::uint32_t kBmpPixelDataOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;

// Bytes in one stored row of a 24-bit BMP `width` pixels wide: three bytes a
// pixel, padded up to a multiple of four. 0 for a width of 0 or less.
std::uint64_t bmp24_stride(int width);

// The whole BMP file for `raster`: a 14-byte file header ("BM", file size,
// pixel data at offset 54), a 40-byte information header (width, positive
// height, 1 plane, 24 bits a pixel, no compression, image size, zero
// resolutions and colour counts), then the rows bottom-up, each pixel stored
// blue, green, red and each row padded with zero bytes to a multiple of four.
// There is no colour table. The transparency byte of the pixels is dropped.
//
// Gives an empty buffer for an empty raster, for a raster whose pixel vector
// is shorter than width x height, and for a picture whose file would not fit
// a signed 32-bit length.
ByteBuffer encode_bmp24(const PixelRaster& raster);

}  // namespace sorvane
