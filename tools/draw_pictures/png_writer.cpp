#include <csetjmp>
#include <vector>

#include <png.h>

#include "writers.h"

namespace sorvane::draw {

namespace {

void append(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void flush(png_structp) {}

// Owns the write and info structs.
struct PngWriter {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngWriter() { png_destroy_write_struct(&png, info != nullptr ? &info : nullptr); }
};

}  // namespace

Bytes encode_png_rgba(const QImage& image) {
  const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  Bytes out;
  PngWriter w;
  w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (w.png == nullptr) return {};
  w.info = png_create_info_struct(w.png);
  if (w.info == nullptr) return {};
  if (setjmp(png_jmpbuf(w.png)) != 0) return {};

  png_set_write_fn(w.png, &out, append, flush);
  // A buffer larger than the compressed data keeps it in one IDAT chunk.
  png_set_compression_buffer_size(w.png, 4u << 20);
  png_set_compression_level(w.png, 9);
  png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(rgba.width()),
               static_cast<png_uint_32>(rgba.height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(w.png, w.info, 3780, 3780, PNG_RESOLUTION_METER);
  png_set_cHRM_fixed(w.png, w.info, 31269, 32899, 63999, 33001, 30000, 60000, 15000, 5999);
  png_write_info(w.png, w.info);

  std::vector<png_bytep> rows(static_cast<std::size_t>(rgba.height()));
  for (int y = 0; y < rgba.height(); ++y) {
    rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(rgba.constScanLine(y));
  }
  png_write_image(w.png, rows.data());
  png_write_end(w.png, w.info);
  return out;
}

}  // namespace sorvane::draw
