// PCX files: run-length encoded scan lines of 8 bits a pixel (one plane
// through a 256-colour palette, or three planes of red, green and blue) or
// of 1 bit a pixel (black and white).
#include <cstring>
#include <new>
#include <vector>

#include "display/byte_reader.h"
#include "display/picture_decoders.h"

namespace sorvane {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 769;  // 0x0C marker + 256 RGB entries
constexpr std::uint8_t kPaletteMarker = 0x0C;

// Expands the run-length data from `pos` into `out` (exactly out.size()
// bytes). Runs continue across the ends of scan lines; a run that goes past
// the end of the picture is cut there. False when the data ends first.
class RunLengthReader {
 public:
  RunLengthReader(const std::uint8_t* data, std::size_t size, std::size_t pos)
      : data_(data), size_(size), pos_(pos) {}

  bool read(std::uint8_t* out, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
      if (run_left_ > 0) {
        const std::size_t n = std::min(run_left_, count - done);
        std::memset(out + done, run_value_, n);
        done += n;
        run_left_ -= n;
        continue;
      }
      if (pos_ >= size_) return false;
      const std::uint8_t b = data_[pos_++];
      if ((b & 0xC0) == 0xC0) {
        if (pos_ >= size_) return false;
        run_left_ = b & 0x3F;
        run_value_ = data_[pos_++];
      } else {
        out[done++] = b;
      }
    }
    return true;
  }
  // Position after the data read so far (a cut run's excess is dropped).
  std::size_t position() const { return pos_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_;
  std::size_t run_left_ = 0;
  std::uint8_t run_value_ = 0;
};

}  // namespace

std::optional<PixelRaster> decode_pcx(const std::uint8_t* data, std::size_t size,
                                      const DecodeLimits& limits) {
  if (data == nullptr || size < kHeaderSize) return std::nullopt;
  const PictureFormat format = recognise_picture_format(data, size);
  if (format != PictureFormat::Pcx8 && format != PictureFormat::Pcx1) return std::nullopt;
  const int xmin = load_u16le(data + 4), ymin = load_u16le(data + 6);
  const int xmax = load_u16le(data + 8), ymax = load_u16le(data + 10);
  const int planes = data[65];
  const int bytes_per_line = load_u16le(data + 66);
  if (xmax < xmin || ymax < ymin) return std::nullopt;
  const int w = xmax - xmin + 1, h = ymax - ymin + 1;
  if (!picture_size_allowed(w, h, limits)) return std::nullopt;
  const int bits = format == PictureFormat::Pcx8 ? 8 : 1;
  if (bits == 8 ? (planes != 1 && planes != 3) : planes != 1) return std::nullopt;
  if (bytes_per_line < (w * bits + 7) / 8) return std::nullopt;

  PixelRaster raster;
  std::vector<std::uint8_t> line;
  try {
    raster.pixels.resize(static_cast<std::size_t>(w) * h);
    line.resize(static_cast<std::size_t>(bytes_per_line) * planes);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  raster.width = w;
  raster.height = h;

  RunLengthReader rle(data, size, kHeaderSize);
  // Palette indices are kept in the raster until the palette is known.
  for (int y = 0; y < h; ++y) {
    if (!rle.read(line.data(), line.size())) return std::nullopt;
    Pixel* d = raster.row(y);
    if (bits == 1) {
      for (int x = 0; x < w; ++x) {
        const bool white = (line[static_cast<std::size_t>(x >> 3)] >> (7 - (x & 7))) & 1;
        d[x] = white ? make_pixel(255, 255, 255) : make_pixel(0, 0, 0);
      }
    } else if (planes == 3) {
      const std::uint8_t* r = line.data();
      const std::uint8_t* g = r + bytes_per_line;
      const std::uint8_t* b = g + bytes_per_line;
      for (int x = 0; x < w; ++x) d[x] = make_pixel(r[x], g[x], b[x]);
    } else {
      for (int x = 0; x < w; ++x) d[x] = line[static_cast<std::size_t>(x)];
    }
  }

  if (bits == 8 && planes == 1) {
    // The palette follows a 0x0C marker behind the image data, normally as
    // the file's last 769 bytes. A file without it is shown in grey levels.
    Pixel palette[256];
    const std::uint8_t* table = nullptr;
    const std::size_t end = rle.position();
    if (end + kPaletteSize <= size && data[end] == kPaletteMarker) {
      table = data + end + 1;
    } else if (size >= kPaletteSize && size - kPaletteSize >= end &&
               data[size - kPaletteSize] == kPaletteMarker) {
      table = data + size - kPaletteSize + 1;
    }
    for (int i = 0; i < 256; ++i) {
      palette[i] = table != nullptr ? make_pixel(table[i * 3], table[i * 3 + 1], table[i * 3 + 2])
                                    : make_pixel(static_cast<std::uint8_t>(i),
                                                 static_cast<std::uint8_t>(i),
                                                 static_cast<std::uint8_t>(i));
    }
    for (Pixel& p : raster.pixels) p = palette[p & 0xFF];
  }
  return raster;
}

}  // namespace sorvane
