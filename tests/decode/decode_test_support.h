#pragma once

// Helpers shared by the decoding tests: reading files, building small
// picture files byte by byte, and comparing pixels.

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "common/byte_buffer.h"
#include "common/colour.h"
#include "common/raster.h"

namespace sorvane::test {

inline ByteBuffer read_file(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return ByteBuffer((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// Appends little-endian values and raw bytes.
class Bytes {
 public:
  Bytes& u8(unsigned v) {
    b_.push_back(static_cast<std::uint8_t>(v));
    return *this;
  }
  Bytes& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
  Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Bytes& s32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
  Bytes& raw(std::initializer_list<unsigned> bytes) {
    for (unsigned v : bytes) u8(v);
    return *this;
  }
  Bytes& raw(const std::vector<std::uint8_t>& bytes) {
    b_.insert(b_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  Bytes& text(const char* s) {
    while (*s) u8(static_cast<unsigned char>(*s++));
    return *this;
  }
  Bytes& fill(std::size_t n, unsigned v) {
    b_.insert(b_.end(), n, static_cast<std::uint8_t>(v));
    return *this;
  }
  std::size_t size() const { return b_.size(); }
  ByteBuffer& bytes() { return b_; }
  operator ByteBuffer() const { return b_; }

 private:
  ByteBuffer b_;
};

// Packs GIF LZW codes, least significant bit first, each with its width.
class LzwCodes {
 public:
  LzwCodes& code(unsigned value, int width) {
    acc_ |= static_cast<std::uint64_t>(value) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(acc_));
      acc_ >>= 8;
      bits_ -= 8;
    }
    return *this;
  }
  // The packed codes (the last partial byte padded with zero bits).
  std::vector<std::uint8_t> bytes() const {
    std::vector<std::uint8_t> v = out_;
    if (bits_ > 0) v.push_back(static_cast<std::uint8_t>(acc_));
    return v;
  }

 private:
  std::vector<std::uint8_t> out_;
  std::uint64_t acc_ = 0;
  int bits_ = 0;
};

// An LZW stream that holds the indices uncompressed: a clear code before the
// table would grow past the first code width, so every code has width
// min_code_size + 1.
inline std::vector<std::uint8_t> lzw_literal_stream(const std::vector<std::uint8_t>& indices,
                                                    int min_code_size) {
  LzwCodes codes;
  const unsigned clear = 1u << min_code_size;
  const int width = min_code_size + 1;
  const unsigned room = (1u << width) - (clear + 2);  // literals before the width grows
  codes.code(clear, width);
  unsigned since_clear = 0;
  for (std::uint8_t index : indices) {
    if (since_clear == room) {
      codes.code(clear, width);
      since_clear = 0;
    }
    codes.code(index, width);
    ++since_clear;
  }
  codes.code(clear + 1, width);
  return codes.bytes();
}

// Cuts data into GIF sub-blocks of at most 255 bytes, with the terminator.
inline std::vector<std::uint8_t> sub_blocks(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i < data.size(); i += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - i);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<long>(i),
               data.begin() + static_cast<long>(i + n));
  }
  out.push_back(0);
  return out;
}

inline std::vector<Pixel> rgb_pixels(std::initializer_list<std::uint32_t> rgb) {
  std::vector<Pixel> v;
  for (std::uint32_t c : rgb) v.push_back(c & 0x00FFFFFFu);
  return v;
}

}  // namespace sorvane::test
