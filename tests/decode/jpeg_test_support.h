#pragma once

// Making JPEG files in the tests with libjpeg's compressor, and libjpeg's own
// default decode of a file for comparison.

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "common/byte_buffer.h"
#include "common/raster.h"

namespace sorvane::test {

struct JpegOptions {
  int quality = 85;
  int h_samp = 2, v_samp = 2;  // luma sampling factors (2, 2 = 4:2:0)
  bool grey = false;
  bool progressive = false;
  int restart_rows = 0;
};

// A photo-like picture: gradients, blocks and a little deterministic noise.
inline PixelRaster photo_raster(int w, int h, unsigned seed = 1) {
  PixelRaster r;
  r.width = w;
  r.height = h;
  r.pixels.resize(static_cast<std::size_t>(w) * h);
  unsigned s = seed * 2654435761u + 1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      s = s * 1103515245u + 12345u;
      const int n = static_cast<int>((s >> 16) % 25) - 12;
      const int red = (x * 255 / (w > 1 ? w - 1 : 1) + n) & 255;
      const int green = (y * 255 / (h > 1 ? h - 1 : 1) - n) & 255;
      const int blue = ((x / 9 + y / 7) % 2 ? 200 : 40) + n;
      r.pixels[static_cast<std::size_t>(y) * w + x] =
          make_pixel(static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                     static_cast<std::uint8_t>(blue & 255));
    }
  return r;
}

// libjpeg's compressor writing a file into memory: the constructor sets the
// picture up with libjpeg's defaults, the caller may adjust `c` before
// start(), then writes every row and takes the file with finish().
class MemoryJpegWriter {
 public:
  MemoryJpegWriter(int width, int height, int components, J_COLOR_SPACE space) {
    c.err = jpeg_std_error(&err_);
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, &out_, &size_);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = components;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
  }
  ~MemoryJpegWriter() {
    jpeg_destroy_compress(&c);
    std::free(out_);
  }
  MemoryJpegWriter(const MemoryJpegWriter&) = delete;
  MemoryJpegWriter& operator=(const MemoryJpegWriter&) = delete;

  void start() { jpeg_start_compress(&c, TRUE); }
  void write_row(const JSAMPLE* row) {
    JSAMPROW p = const_cast<JSAMPROW>(row);
    jpeg_write_scanlines(&c, &p, 1);
  }
  ByteBuffer finish() {
    jpeg_finish_compress(&c);
    return ByteBuffer(out_, out_ + size_);
  }

  jpeg_compress_struct c;

 private:
  jpeg_error_mgr err_;
  unsigned char* out_ = nullptr;
  unsigned long size_ = 0;
};

inline ByteBuffer encode_jpeg(const PixelRaster& r, const JpegOptions& o = {}) {
  MemoryJpegWriter w(r.width, r.height, o.grey ? 1 : 3, o.grey ? JCS_GRAYSCALE : JCS_RGB);
  jpeg_set_quality(&w.c, o.quality, TRUE);
  if (!o.grey) {
    w.c.comp_info[0].h_samp_factor = o.h_samp;
    w.c.comp_info[0].v_samp_factor = o.v_samp;
  }
  if (o.progressive) jpeg_simple_progression(&w.c);
  w.c.restart_in_rows = o.restart_rows;
  w.start();
  std::vector<JSAMPLE> row(static_cast<std::size_t>(r.width) * 3);
  for (int y = 0; y < r.height; ++y) {
    const Pixel* s = r.row(y);
    for (int x = 0; x < r.width; ++x) {
      if (o.grey) {
        row[static_cast<std::size_t>(x)] = pixel_green(s[x]);
      } else {
        row[static_cast<std::size_t>(x) * 3] = pixel_red(s[x]);
        row[static_cast<std::size_t>(x) * 3 + 1] = pixel_green(s[x]);
        row[static_cast<std::size_t>(x) * 3 + 2] = pixel_blue(s[x]);
      }
    }
    w.write_row(row.data());
  }
  return w.finish();
}

// libjpeg's default decode (RGB output, grey copied to three channels) of a
// valid file, as opaque pixels.
inline PixelRaster libjpeg_default_decode(const ByteBuffer& file) {
  jpeg_decompress_struct d;
  jpeg_error_mgr err;
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&d, TRUE);
  jpeg_start_decompress(&d);
  PixelRaster r;
  r.width = static_cast<int>(d.output_width);
  r.height = static_cast<int>(d.output_height);
  r.pixels.resize(static_cast<std::size_t>(r.width) * r.height);
  const int comps = d.output_components;
  std::vector<JSAMPLE> row(static_cast<std::size_t>(r.width) * comps);
  while (d.output_scanline < d.output_height) {
    const int y = static_cast<int>(d.output_scanline);
    JSAMPROW p = row.data();
    jpeg_read_scanlines(&d, &p, 1);
    for (int x = 0; x < r.width; ++x) {
      const JSAMPLE* s = &row[static_cast<std::size_t>(x) * comps];
      r.row(y)[x] = comps == 1 ? make_pixel(s[0], s[0], s[0]) : make_pixel(s[0], s[1], s[2]);
    }
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return r;
}

}  // namespace sorvane::test
