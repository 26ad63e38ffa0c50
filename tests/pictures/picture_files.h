#pragma once

// Helpers for the built-in picture tests: reading the segments of a JPEG
// file and the chunks of a PNG file, and decoding both with their libraries.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/byte_buffer.h"

namespace sorvane::pictures_test {

struct JpegSegment {
  std::uint8_t marker = 0;          // the byte after 0xFF
  std::vector<std::uint8_t> body;   // without the length field
};

// The marker segments from SOI up to and including the first SOS, then the
// markers found in the entropy-coded data (RSTn, EOI) with empty bodies.
// Empty if the bytes are not a well-formed JPEG file.
std::vector<JpegSegment> jpeg_segments(const ByteBuffer& file);

struct PngChunk {
  std::string type;
  std::vector<std::uint8_t> data;
  bool crc_ok = false;
};

// The chunks after the signature; empty if the signature is wrong or a chunk
// runs past the end.
std::vector<PngChunk> png_chunks(const ByteBuffer& file);

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
};

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, rows from the top
  Rgb at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return Rgb{rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // 4 bytes a pixel, rows from the top
  const std::uint8_t* at(int x, int y) const {
    return rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
  }
};

std::optional<RgbImage> decode_jpeg(const ByteBuffer& file);
std::optional<RgbaImage> decode_png(const ByteBuffer& file);

std::uint32_t be32(const std::uint8_t* p);
std::uint16_t be16(const std::uint8_t* p);
std::uint32_t le32(const std::uint8_t* p);
std::uint16_t le16(const std::uint8_t* p);

// Largest difference of one channel.
int distance(Rgb a, Rgb b);

}  // namespace sorvane::pictures_test
