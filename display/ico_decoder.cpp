// ICO and CUR files: the directory, the choice of one entry and its bitmap
// (or PNG) data with the transparency of its AND mask or alpha channel.
#include "display/byte_reader.h"
#include "display/dib.h"
#include "display/picture_decoders.h"

namespace sorvane {
namespace {

constexpr std::size_t kDirectoryStart = 6;
constexpr std::size_t kEntrySize = 16;

std::optional<PixelRaster> decode_png_entry(const std::uint8_t* data, std::size_t size,
                                            const DecodeLimits& limits) {
  Picture picture = decode_png(data, size, limits);
  if (picture.empty()) return std::nullopt;
  PixelRaster raster;
  raster.width = picture.width;
  raster.height = picture.height;
  raster.pixels = std::move(picture.frames[0].pixels);
  return raster;
}

// A bitmap entry: information header (its height counts the colour rows and
// the mask rows together), colour table, colour rows, then the 1-bit AND
// mask, both bottom-up. The entry's own header decides its size.
std::optional<PixelRaster> decode_bitmap_entry(const std::uint8_t* data, std::size_t size,
                                               const DecodeLimits& limits) {
  DibHeader header;
  if (!parse_dib_header(data, size, false, limits, header)) return std::nullopt;
  if (header.compression != 0) return std::nullopt;
  header.height /= 2;
  if (header.height <= 0) return std::nullopt;
  const int entries = dib_colour_entries(header);
  if (entries < 0) return std::nullopt;

  const std::uint64_t table_at = dib_table_offset(header);
  const std::uint64_t colour_at = table_at + static_cast<std::uint64_t>(entries) * 4;
  const std::uint64_t colour_bytes = dib_stride(header.bits, header.width) * header.height;
  const std::uint64_t mask_stride = dib_stride(1, header.width);
  const std::uint64_t mask_at = colour_at + colour_bytes;
  // 32-bit entries carry their transparency in the alpha bytes, and some
  // writers leave their AND mask out; every other entry needs its mask.
  const bool has_mask = mask_at + mask_stride * header.height <= size;
  if (!has_mask && (header.bits != 32 || colour_at + colour_bytes > size)) return std::nullopt;

  std::optional<PixelRaster> raster =
      decode_dib_pixels(header, data + table_at, entries, data + colour_at, colour_bytes);
  if (!raster) return std::nullopt;

  // 32-bit entries with any alpha use it; all others (and 32-bit entries
  // whose alpha is all zero) take their transparency from the AND mask.
  bool use_alpha = false;
  const std::uint64_t stride = dib_stride(header.bits, header.width);
  if (header.bits == 32) {
    for (int y = 0; y < header.height && !use_alpha; ++y) {
      const std::uint8_t* s = data + colour_at + y * stride;
      for (int x = 0; x < header.width; ++x)
        if (s[x * 4 + 3] != 0) {
          use_alpha = true;
          break;
        }
    }
  }
  for (int y = 0; y < header.height; ++y) {
    const int stored = header.height - 1 - y;
    Pixel* d = raster->row(y);
    if (use_alpha) {
      const std::uint8_t* s = data + colour_at + stored * stride;
      for (int x = 0; x < header.width; ++x)
        d[x] |= static_cast<Pixel>(255 - s[x * 4 + 3]) << 24;
    } else if (has_mask) {
      const std::uint8_t* m = data + mask_at + stored * mask_stride;
      for (int x = 0; x < header.width; ++x)
        if ((m[x >> 3] >> (7 - (x & 7))) & 1) d[x] |= 0xFF000000u;
    }
  }
  return raster;
}

}  // namespace

std::optional<PixelRaster> decode_icon(const std::uint8_t* data, std::size_t size,
                                       const DecodeLimits& limits) {
  if (data == nullptr || size < kDirectoryStart) return std::nullopt;
  const std::uint16_t reserved = load_u16le(data);
  const std::uint16_t type = load_u16le(data + 2);
  const std::uint16_t count = load_u16le(data + 4);
  if (reserved != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;
  const std::uint64_t directory_end = kDirectoryStart + static_cast<std::uint64_t>(count) * kEntrySize;
  if (directory_end > size) return std::nullopt;

  // The first entry 32 pixels wide with a colour-count byte of 16 or more,
  // else the last entry.
  const std::uint8_t* chosen = data + kDirectoryStart + (count - 1) * kEntrySize;
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* entry = data + kDirectoryStart + i * kEntrySize;
    if (entry[0] == 32 && entry[2] >= 16) {
      chosen = entry;
      break;
    }
  }
  const std::uint32_t bytes = load_u32le(chosen + 8);
  const std::uint32_t offset = load_u32le(chosen + 12);
  if (offset < directory_end || static_cast<std::uint64_t>(offset) + bytes > size || bytes == 0)
    return std::nullopt;

  const std::uint8_t* image = data + offset;
  if (has_png_signature(image, bytes)) return decode_png_entry(image, bytes, limits);
  return decode_bitmap_entry(image, bytes, limits);
}

}  // namespace sorvane
