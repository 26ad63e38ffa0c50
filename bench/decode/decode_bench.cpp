// Decoding benchmarks, each wrapper side by side with the bare library loop
// that does the same work into the same kind of buffer:
//  - a 6000 x 4000 photo-like JPEG through load_picture, and through libjpeg
//    alone (memory source, pixel-order output, scanlines straight into a
//    freshly allocated raster of 32-bit pixels);
//  - the background rebuild's region decode (the 460 x 878 top-left part of
//    the same JPEG) against the full load_picture, with peak heap use;
//  - a 460 x 879 RGBA PNG through decode_object_picture, and through libpng
//    alone (rows straight into a freshly allocated raster).
// The pictures are made when the program starts.
#include <benchmark/benchmark.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "display/picture.h"
#include "heap_counter.h"
#include "tests/decode/jpeg_test_support.h"

namespace sorvane {
namespace {

// Photo-like content: smooth light falling across the frame, soft texture,
// a few hard edges and a little sensor noise.
std::vector<std::uint8_t> photo_rgb(int w, int h) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
  unsigned s = 12345;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      s = s * 1103515245u + 12345u;
      const int noise = static_cast<int>((s >> 16) & 7) - 3;
      const int texture = ((x / 3 + y / 5) % 11) - 5;
      const bool edge = ((x / 400) + (y / 300)) % 3 == 0;
      int r = 60 + x * 150 / w + texture + noise + (edge ? 40 : 0);
      int g = 80 + y * 120 / h - texture + noise;
      int b = 140 - (x + y) * 90 / (w + h) + noise + (edge ? -30 : 0);
      std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
      p[0] = static_cast<std::uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
      p[1] = static_cast<std::uint8_t>(g < 0 ? 0 : g > 255 ? 255 : g);
      p[2] = static_cast<std::uint8_t>(b < 0 ? 0 : b > 255 ? 255 : b);
    }
  }
  return rgb;
}

ByteBuffer make_jpeg(int w, int h) {
  const std::vector<std::uint8_t> rgb = photo_rgb(w, h);
  test::MemoryJpegWriter writer(w, h, 3, JCS_RGB);
  jpeg_set_quality(&writer.c, 88, TRUE);
  writer.start();
  for (int y = 0; y < h; ++y) writer.write_row(&rgb[static_cast<std::size_t>(y) * w * 3]);
  return writer.finish();
}

const ByteBuffer& photo_jpeg() {
  static const ByteBuffer file = make_jpeg(6000, 4000);
  return file;
}

void png_write_to(png_structp png, png_bytep data, std::size_t n) {
  auto* out = static_cast<ByteBuffer*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}
void png_no_flush(png_structp) {}

// An overlay-like RGBA picture: mostly fully transparent, with opaque
// rounded icons in a bar and a soft-edged band.
const ByteBuffer& overlay_png() {
  static const ByteBuffer file = [] {
    const int w = 460, h = 879;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w) * h * 4, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * w + x) * 4];
        const int cx = x % 46 - 23, cy = y - 600;
        if (cy > -20 && cy < 20 && cx * cx + cy * cy < 400) {
          p[0] = static_cast<std::uint8_t>(x * 255 / w);
          p[1] = static_cast<std::uint8_t>(200 - x / 4);
          p[2] = static_cast<std::uint8_t>(60 + (x % 46) * 4);
          p[3] = 255;
        } else if (y > 100 && y < 140) {
          p[0] = p[1] = p[2] = 250;
          p[3] = static_cast<std::uint8_t>(255 - (y - 100) * 6);
        }
      }
    ByteBuffer out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, png_write_to, png_no_flush);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) png_write_row(png, &rgba[static_cast<std::size_t>(y) * w * 4]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
  }();
  return file;
}

void report_peak(benchmark::State& state, std::size_t peak_bytes) {
  if (bench::heap_counter_available())
    state.counters["peak_heap_MiB"] = static_cast<double>(peak_bytes) / (1024.0 * 1024.0);
}

// ---------------------------------------------------------------- JPEG

void BM_Jpeg6000x4000_LoadPicture(benchmark::State& state) {
  const ByteBuffer& file = photo_jpeg();
  std::size_t peak = 0;
  for (auto _ : state) {
    const std::size_t base = bench::heap_reset_peak();
    std::optional<PixelRaster> r = load_picture(file);
    peak = std::max(peak, bench::heap_peak() - base);
    if (!r) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(r->pixels.data());
  }
  report_peak(state, peak);
}

void BM_Jpeg6000x4000_BareLibjpeg(benchmark::State& state) {
  const ByteBuffer& file = photo_jpeg();
  for (auto _ : state) {
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&d);
    std::vector<Pixel> pixels(static_cast<std::size_t>(d.output_width) * d.output_height);
    JSAMPROW rows[16];
    while (d.output_scanline < d.output_height) {
      const JDIMENSION y = d.output_scanline;
      const JDIMENSION n = std::min<JDIMENSION>(16, d.output_height - y);
      for (JDIMENSION i = 0; i < n; ++i)
        rows[i] = reinterpret_cast<JSAMPROW>(&pixels[static_cast<std::size_t>(y + i) * d.output_width]);
      jpeg_read_scanlines(&d, rows, n);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    benchmark::DoNotOptimize(pixels.data());
  }
}

// The display area's background: the 460 x 878 top-left rectangle.
void BM_Jpeg6000x4000_Region460x878(benchmark::State& state) {
  const ByteBuffer& file = photo_jpeg();
  std::size_t peak = 0;
  for (auto _ : state) {
    const std::size_t base = bench::heap_reset_peak();
    std::optional<PictureRegion> r = load_picture_region(file, 0, 0, 460, 878);
    peak = std::max(peak, bench::heap_peak() - base);
    if (!r || r->pixels.width != 460) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(r->pixels.pixels.data());
  }
  report_peak(state, peak);
}

// ---------------------------------------------------------------- PNG

void BM_Png460x879Rgba_DecodeObjectPicture(benchmark::State& state) {
  const ByteBuffer& file = overlay_png();
  for (auto _ : state) {
    Picture p = decode_object_picture(file, kNoColour, false);
    if (p.empty()) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(p.frames[0].pixels.data());
  }
}

struct PngReader {
  const ByteBuffer* file;
  std::size_t pos;
};
void png_read_from(png_structp png, png_bytep out, std::size_t n) {
  auto* r = static_cast<PngReader*>(png_get_io_ptr(png));
  if (n > r->file->size() - r->pos) png_error(png, "short");
  std::memcpy(out, r->file->data() + r->pos, n);
  r->pos += n;
}

void BM_Png460x879Rgba_BareLibpng(benchmark::State& state) {
  const ByteBuffer& file = overlay_png();
  for (auto _ : state) {
    PngReader reader{&file, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
      png_destroy_read_struct(&png, &info, nullptr);
      state.SkipWithError("decode failed");
      break;
    }
    png_set_read_fn(png, &reader, png_read_from);
    png_read_info(png, info);
    png_read_update_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    std::vector<Pixel> pixels(static_cast<std::size_t>(w) * h);
    for (png_uint_32 y = 0; y < h; ++y)
      png_read_row(png, reinterpret_cast<png_bytep>(&pixels[static_cast<std::size_t>(y) * w]), nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels.data());
  }
}

BENCHMARK(BM_Jpeg6000x4000_LoadPicture)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_Jpeg6000x4000_BareLibjpeg)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_Jpeg6000x4000_Region460x878)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Png460x879Rgba_DecodeObjectPicture)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_Png460x879Rgba_BareLibpng)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace
}  // namespace sorvane

BENCHMARK_MAIN();
