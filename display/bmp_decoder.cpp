// BMP files and the bitmap data shared with icon entries.
#include <new>

#include "display/byte_reader.h"
#include "display/dib.h"
#include "display/picture_decoders.h"

namespace sorvane {
namespace {

constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kBitFields = 3;     // BI_BITFIELDS
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kMinInfoHeaderSize = 40;

// Extracts one channel under a bit mask and scales it to 0..255 (truncated,
// so that a full-scale value gives 255 and 8-bit masks pass unchanged).
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;
  explicit Channel(std::uint32_t m) : mask(m) {
    if (mask == 0) return;
    while (((mask >> shift) & 1u) == 0) ++shift;
    max = mask >> shift;
  }
  std::uint8_t operator()(std::uint32_t v) const {
    if (max == 0) return 0;
    const std::uint64_t c = (v & mask) >> shift;
    return static_cast<std::uint8_t>(c * 255 / max);
  }
};

}  // namespace

bool parse_dib_header(const std::uint8_t* header, std::size_t available, bool allow_top_down,
                      const DecodeLimits& limits, DibHeader& out) {
  if (header == nullptr || available < kMinInfoHeaderSize) return false;
  DibHeader h;
  h.header_size = load_u32le(header);
  if (h.header_size < kMinInfoHeaderSize || h.header_size > available) return false;
  const std::int32_t width = load_s32le(header + 4);
  const std::int32_t height = load_s32le(header + 8);
  h.bits = load_u16le(header + 14);
  h.compression = load_u32le(header + 16);
  h.colours_used = load_u32le(header + 32);
  if (width <= 0 || height == 0 || height == INT32_MIN) return false;
  if (height < 0 && !allow_top_down) return false;
  h.width = width;
  h.top_down = height < 0;
  h.height = height < 0 ? -height : height;
  if (!picture_size_allowed(h.width, h.height, limits)) return false;

  switch (h.bits) {
    case 1: case 4: case 8: case 24:
      if (h.compression != kUncompressed) return false;
      break;
    case 16:
    case 32:
      if (h.compression == kUncompressed) {
        if (h.bits == 16) {
          h.masks[0] = 0x7C00;
          h.masks[1] = 0x03E0;
          h.masks[2] = 0x001F;
        } else {
          h.masks[0] = 0x00FF0000;
          h.masks[1] = 0x0000FF00;
          h.masks[2] = 0x000000FF;
        }
      } else if (h.compression == kBitFields) {
        // Masks inside a longer header, or right behind a 40-byte one.
        const std::size_t at = h.header_size >= 52 ? 40 : h.header_size;
        if (at + 12 > available) return false;
        for (int i = 0; i < 3; ++i) h.masks[i] = load_u32le(header + at + 4 * i);
      } else {
        return false;
      }
      break;
    default:
      return false;
  }
  out = h;
  return true;
}

int dib_colour_entries(const DibHeader& header) {
  if (header.bits > 8) return 0;
  const std::uint32_t most = 1u << header.bits;
  if (header.colours_used == 0) return static_cast<int>(most);
  if (header.colours_used > most) return -1;
  return static_cast<int>(header.colours_used);
}

std::size_t dib_table_offset(const DibHeader& header) { return header.header_size; }

std::optional<PixelRaster> decode_dib_pixels(const DibHeader& header, const std::uint8_t* table,
                                             int entries, const std::uint8_t* pixels,
                                             std::size_t available) {
  const int w = header.width, h = header.height, bits = header.bits;
  const std::uint64_t stride = dib_stride(bits, w);
  const std::uint64_t last_row = (static_cast<std::uint64_t>(bits) * w + 7) / 8;
  if (pixels == nullptr || stride * (h - 1) + last_row > available) return std::nullopt;

  PixelRaster raster;
  try {
    raster.pixels.resize(static_cast<std::size_t>(w) * h);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  raster.width = w;
  raster.height = h;

  Pixel colours[256];
  for (int i = 0; i < 256; ++i) {
    colours[i] = i < entries ? make_pixel(table[i * 4 + 2], table[i * 4 + 1], table[i * 4])
                             : make_pixel(0, 0, 0);
  }
  const Channel red(header.masks[0]), green(header.masks[1]), blue(header.masks[2]);

  for (int y = 0; y < h; ++y) {
    const int stored = header.top_down ? y : h - 1 - y;
    const std::uint8_t* s = pixels + static_cast<std::size_t>(stored) * stride;
    Pixel* d = raster.row(y);
    switch (bits) {
      case 1: case 4: case 8: {
        const unsigned mask = (1u << bits) - 1;
        for (int x = 0; x < w; ++x) {
          const std::size_t bit = static_cast<std::size_t>(x) * bits;
          const unsigned shift = 8 - bits - static_cast<unsigned>(bit & 7);
          d[x] = colours[(s[bit >> 3] >> shift) & mask];
        }
        break;
      }
      case 16:
        for (int x = 0; x < w; ++x, s += 2) {
          const std::uint32_t v = load_u16le(s);
          d[x] = make_pixel(red(v), green(v), blue(v));
        }
        break;
      case 24:
        for (int x = 0; x < w; ++x, s += 3) d[x] = make_pixel(s[2], s[1], s[0]);
        break;
      case 32:
        if (header.compression == kUncompressed) {
          for (int x = 0; x < w; ++x, s += 4) d[x] = make_pixel(s[2], s[1], s[0]);
        } else {
          for (int x = 0; x < w; ++x, s += 4) {
            const std::uint32_t v = load_u32le(s);
            d[x] = make_pixel(red(v), green(v), blue(v));
          }
        }
        break;
      default:
        return std::nullopt;
    }
  }
  return raster;
}

std::optional<PixelRaster> decode_bmp(const std::uint8_t* data, std::size_t size,
                                      const DecodeLimits& limits) {
  if (data == nullptr || size < kFileHeaderSize + kMinInfoHeaderSize) return std::nullopt;
  if (data[0] != 'B' || data[1] != 'M') return std::nullopt;
  const std::uint32_t offset = load_u32le(data + 10);
  DibHeader header;
  if (!parse_dib_header(data + kFileHeaderSize, size - kFileHeaderSize, true, limits, header))
    return std::nullopt;

  const int entries = dib_colour_entries(header);
  if (entries < 0) return std::nullopt;
  const std::uint64_t table_at = kFileHeaderSize + dib_table_offset(header);
  if (table_at + static_cast<std::uint64_t>(entries) * 4 > size) return std::nullopt;
  // The pixel data must lie behind the headers and inside the file.
  if (offset < kFileHeaderSize + header.header_size || offset >= size) return std::nullopt;
  return decode_dib_pixels(header, data + table_at, entries, data + offset, size - offset);
}

}  // namespace sorvane
