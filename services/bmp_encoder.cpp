#include "services/bmp_encoder.h"

#include <cstddef>
#include <cstring>
#include <limits>
#include <new>

namespace sorvane {

namespace {

void put_u16(std::uint8_t* out, std::uint16_t v) {
  out[0] = static_cast<std::uint8_t>(v);
  out[1] = static_cast<std::uint8_t>(v >> 8);
}

void put_u32(std::uint8_t* out, std::uint32_t v) {
  out[0] = static_cast<std::uint8_t>(v);
  out[1] = static_cast<std::uint8_t>(v >> 8);
  out[2] = static_cast<std::uint8_t>(v >> 16);
  out[3] = static_cast<std::uint8_t>(v >> 24);
}

}  // namespace

std::uint64_t bmp24_stride(int width) {
  if (width <= 0) return 0;
  return ((24u * static_cast<std::uint64_t>(width) + 31u) / 32u) * 4u;
}

ByteBuffer encode_bmp24(const PixelRaster& raster) {
  if (raster.empty()) return {};
  const auto width = static_cast<std::uint64_t>(raster.width);
  const auto height = static_cast<std::uint64_t>(raster.height);
  if (raster.pixels.size() / width < height) return {};  // too few pixels

  // Byte buffers carry a signed 32-bit length; both size fields of the
  // headers are 32-bit as well.
  const std::uint64_t stride = bmp24_stride(raster.width);
  constexpr auto kMaxFile = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  if (stride > kMaxFile / height) return {};
  const std::uint64_t image_size = stride * height;
  if (image_size > kMaxFile - kBmpPixelDataOffset) return {};
  const std::uint64_t file_size = kBmpPixelDataOffset + image_size;

  ByteBuffer out;
  try {
    // Value-initialised, so the row padding is zero.
    out.resize(static_cast<std::size_t>(file_size));
  } catch (const std::bad_alloc&) {
    return {};
  }

  std::uint8_t* h = out.data();
  h[0] = 'B';
  h[1] = 'M';
  put_u32(h + 2, static_cast<std::uint32_t>(file_size));
  put_u16(h + 6, 0);
  put_u16(h + 8, 0);
  put_u32(h + 10, kBmpPixelDataOffset);
  put_u32(h + 14, kBmpInfoHeaderSize);
  put_u32(h + 18, static_cast<std::uint32_t>(raster.width));
  put_u32(h + 22, static_cast<std::uint32_t>(raster.height));
  put_u16(h + 26, 1);   // planes
  put_u16(h + 28, 24);  // bits per pixel
  put_u32(h + 30, 0);   // uncompressed RGB
  put_u32(h + 34, static_cast<std::uint32_t>(image_size));
  // Resolutions and colour counts (offsets 38 to 53) stay 0.

  std::uint8_t* row_out = out.data() + kBmpPixelDataOffset;
  for (int y = raster.height - 1; y >= 0; --y, row_out += stride) {
    const Pixel* in = raster.row(y);
    std::uint8_t* o = row_out;
    int x = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // A pixel's bytes in memory are blue, green, red, transparency: one
    // 4-byte store puts the first three in place, and the fourth is
    // overwritten by the next pixel. The row's last pixel is stored byte by
    // byte so that nothing is written past it.
    for (; x + 1 < raster.width; ++x, o += 3) std::memcpy(o, &in[x], 4);
#endif
    for (; x < raster.width; ++x, o += 3) {
      const Pixel p = in[x];
      o[0] = pixel_blue(p);
      o[1] = pixel_green(p);
      o[2] = pixel_red(p);
    }
  }
  return out;
}

}  // namespace sorvane
