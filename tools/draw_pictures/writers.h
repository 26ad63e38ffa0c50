#pragma once

// Encoders for the built-in picture files. They call libjpeg and libpng for
// the compressed formats and lay out the ICO container by hand; each returns
// the file's bytes, or an empty buffer on failure.

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace sorvane::draw {

using Bytes = std::vector<std::uint8_t>;

struct JpegOptions {
  // Quantisation tables in natural (row-major) order.
  unsigned luminance[64] = {};
  unsigned chrominance[64] = {};
  bool jfif = true;              // APP0 JFIF 1.01, 96 x 96 dpi, no thumbnail
  bool adobe = false;            // APP14 declaring the YCbCr transform
  unsigned restart_interval = 0; // in MCUs; 0 writes no DRI
};

// Baseline JPEG, 8 bits, Y Cb Cr all sampled 1 x 1, standard Huffman tables,
// one scan.
Bytes encode_jpeg(const QImage& image, const JpegOptions& options);

// 8-bit RGBA PNG, not interlaced, with pHYs (3,780 px/m) and cHRM (sRGB
// chromaticities), and no gAMA, sRGB, bKGD, tRNS or PLTE chunk. The whole
// image data goes into a single IDAT chunk.
Bytes encode_png_rgba(const QImage& image);

// An ICO file holding one 32-bit image: header, one directory entry, a
// 40-byte bitmap header, bottom-up BGRA rows and the 1-bit AND mask (set
// where alpha is 0).
Bytes encode_ico(const QImage& image);

bool write_file(const std::string& path, const Bytes& bytes);

}  // namespace sorvane::draw
