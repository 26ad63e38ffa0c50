// PNG decoding into a one-frame picture, over the libpng call sequence of
// png_core.
#include <new>

#include "display/picture_decoders.h"
#include "display/png_core.h"

namespace sorvane {
namespace {

static_assert(sizeof(Pixel) == 4, "pixels are 32-bit words");
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
#error "the 32-bit PNG path lays out B G R T bytes as little-endian 0xTTRRGGBB words"
#endif

struct PngSink {
  std::vector<Pixel> pixels;  // 32 bits a pixel: the library writes here directly
  ByteBuffer rows;            // every other layout, converted afterwards
};

std::uint8_t* allocate_rows(void* sink_ptr, const PngJob& job) {
  auto* sink = static_cast<PngSink*>(sink_ptr);
  try {
    if (job.bits == 32) {
      sink->pixels.resize(static_cast<std::size_t>(job.width) * job.height);
      return reinterpret_cast<std::uint8_t*>(sink->pixels.data());
    }
    sink->rows.resize(job.stride * static_cast<std::size_t>(job.height));
    return sink->rows.data();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// Converts rows of 1, 2, 4 or 8 bits a pixel through the file's palette or,
// for grey pictures, a ramp whose entry i is i * (255 / (n - 1)).
bool convert_indexed(const PngJob& job, const ByteBuffer& rows, std::vector<Pixel>& out) {
  const int bits = job.bits;
  const int entries = 1 << bits;
  Pixel table[256] = {};
  if (job.indexed) {
    for (int i = 0; i < job.palette_count; ++i)
      table[i] = make_pixel(job.palette[i][0], job.palette[i][1], job.palette[i][2]);
  } else if (job.grey) {
    const int step = 255 / (entries - 1);
    for (int i = 0; i < entries; ++i) {
      const auto v = static_cast<std::uint8_t>(i * step);
      table[i] = make_pixel(v, v, v);
    }
  } else {
    return false;
  }
  const unsigned mask = static_cast<unsigned>(entries - 1);
  for (int y = 0; y < job.height; ++y) {
    const std::uint8_t* row = rows.data() + static_cast<std::size_t>(y) * job.stride;
    Pixel* dst = out.data() + static_cast<std::size_t>(y) * job.width;
    for (int x = 0; x < job.width; ++x) {
      const std::size_t bit = static_cast<std::size_t>(x) * bits;
      const unsigned shift = 8 - bits - static_cast<unsigned>(bit & 7);
      dst[x] = table[(row[bit >> 3] >> shift) & mask];
    }
  }
  return true;
}

}  // namespace

Picture decode_png(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits) {
  if (!has_png_signature(data, size)) return {};
  PngSink sink;
  PngJob job;
  job.data = data;
  job.size = size;
  job.max_side = limits.max_side;
  job.max_pixels = limits.max_pixels;
  job.sink = &sink;
  job.allocate = allocate_rows;
  if (!run_png_job(job)) return {};

  std::vector<Pixel> pixels;
  if (job.bits == 32) {
    pixels = std::move(sink.pixels);
  } else {
    try {
      pixels.resize(static_cast<std::size_t>(job.width) * job.height);
    } catch (const std::bad_alloc&) {
      return {};
    }
    const ByteBuffer& rows = sink.rows;
    if (job.bits == 24) {
      for (int y = 0; y < job.height; ++y) {
        const std::uint8_t* s = rows.data() + static_cast<std::size_t>(y) * job.stride;
        Pixel* d = pixels.data() + static_cast<std::size_t>(y) * job.width;
        for (int x = 0; x < job.width; ++x, s += 3) d[x] = make_pixel(s[2], s[1], s[0]);
      }
    } else if (job.bits == 16 && job.grey) {
      // Grey with alpha (8 bits each).
      for (int y = 0; y < job.height; ++y) {
        const std::uint8_t* s = rows.data() + static_cast<std::size_t>(y) * job.stride;
        Pixel* d = pixels.data() + static_cast<std::size_t>(y) * job.width;
        for (int x = 0; x < job.width; ++x, s += 2)
          d[x] = make_pixel(s[0], s[0], s[0], static_cast<std::uint8_t>(255 - s[1]));
      }
    } else if (job.bits == 1 || job.bits == 2 || job.bits == 4 || job.bits == 8) {
      if (!convert_indexed(job, rows, pixels)) return {};
    } else {
      return {};
    }
  }

  Picture picture;
  picture.width = job.width;
  picture.height = job.height;
  picture.frames.resize(1);
  picture.frames[0].pixels = std::move(pixels);
  return picture;
}

}  // namespace sorvane
