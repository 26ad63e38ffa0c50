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

// An LZW stream that holds the indices uncompressed: every index is sent as
// a literal code, with the code width following the decoder's table as it
// grows, and a clear code whenever the table is full.
inline std::vector<std::uint8_t> lzw_literal_stream(const std::vector<std::uint8_t>& indices,
                                                    int min_code_size) {
  LzwCodes codes;
  const int clear = 1 << min_code_size;
  int width = min_code_size + 1;
  int next = clear + 2;
  bool first = true;
  codes.code(static_cast<unsigned>(clear), width);
  for (std::uint8_t index : indices) {
    if (next >= 4095) {
      codes.code(static_cast<unsigned>(clear), width);
      width = min_code_size + 1;
      next = clear + 2;
      first = true;
    }
    codes.code(index, width);
    if (!first) ++next;  // the decoder adds an entry for every code but the first
    first = false;
    if (next >= (1 << width) && width < 12) ++width;
  }
  codes.code(static_cast<unsigned>(clear + 1), width);
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

namespace sorvane::test {

// A GIF LZW encoder. With `clear_when_full` false it never sends a clear
// code: once the table is full it goes on with 12-bit codes and no new
// entries (the "deferred clear" that decoders must accept).
inline std::vector<std::uint8_t> lzw_encode(const std::vector<std::uint8_t>& indices,
                                            int min_code_size, bool clear_when_full = true) {
  LzwCodes codes;
  const int clear = 1 << min_code_size;
  int width = min_code_size + 1;
  int next = clear + 2;
  std::vector<std::vector<int>> table;  // child code by (prefix, index); -1 none
  auto reset = [&] {
    table.assign(4096, std::vector<int>());
    next = clear + 2;
    width = min_code_size + 1;
  };
  reset();
  codes.code(static_cast<unsigned>(clear), width);
  auto child = [&](int prefix, int index) -> int {
    const std::vector<int>& c = table[static_cast<std::size_t>(prefix)];
    return c.empty() ? -1 : c[static_cast<std::size_t>(index)];
  };
  int current = -1;
  for (std::uint8_t index : indices) {
    if (current < 0) {
      current = index;
      continue;
    }
    const int c = child(current, index);
    if (c >= 0) {
      current = c;
      continue;
    }
    codes.code(static_cast<unsigned>(current), width);
    if (next < 4096) {
      std::vector<int>& slot = table[static_cast<std::size_t>(current)];
      if (slot.empty()) slot.assign(256, -1);
      slot[index] = next++;
      if (next > (1 << width) && width < 12) ++width;
    } else if (clear_when_full) {
      codes.code(static_cast<unsigned>(clear), width);
      reset();
    }
    current = index;
  }
  if (current >= 0) codes.code(static_cast<unsigned>(current), width);
  // The decoder adds an entry for the last code too; follow its width.
  if (next >= (1 << width) && width < 12) ++width;
  codes.code(static_cast<unsigned>(clear + 1), width);
  return codes.bytes();
}

// A GIF file: header, logical screen, optional global table, then whatever
// blocks the test appends, then (on request) the trailer.
class GifBuilder {
 public:
  GifBuilder(int screen_w, int screen_h, const std::vector<std::uint32_t>& global_rgb = {}) {
    b_.text("GIF89a").u16(static_cast<unsigned>(screen_w)).u16(static_cast<unsigned>(screen_h));
    if (global_rgb.empty()) {
      b_.u8(0).u8(0).u8(0);
    } else {
      int bits = 0;
      while ((2u << bits) < global_rgb.size()) ++bits;
      b_.u8(0x80 | static_cast<unsigned>(bits)).u8(0).u8(0);
      table(global_rgb, bits);
    }
  }
  GifBuilder& control(int disposal, int delay_cs, int transparent_index = -1) {
    b_.u8(0x21).u8(0xF9).u8(4);
    b_.u8(static_cast<unsigned>(disposal << 2) | (transparent_index >= 0 ? 1u : 0u));
    b_.u16(static_cast<unsigned>(delay_cs)).u8(transparent_index >= 0 ? static_cast<unsigned>(transparent_index) : 0u).u8(0);
    return *this;
  }
  // An image of the given indices (uncompressed LZW unless `lzw` is given).
  GifBuilder& image(int left, int top, int w, int h, const std::vector<std::uint8_t>& indices,
                    const std::vector<std::uint32_t>& local_rgb = {}, bool interlaced = false,
                    int min_code_size = 2, const std::vector<std::uint8_t>* lzw = nullptr) {
    b_.u8(0x2C).u16(static_cast<unsigned>(left)).u16(static_cast<unsigned>(top));
    b_.u16(static_cast<unsigned>(w)).u16(static_cast<unsigned>(h));
    unsigned packed = interlaced ? 0x40u : 0u;
    int bits = 0;
    if (!local_rgb.empty()) {
      while ((2u << bits) < local_rgb.size()) ++bits;
      packed |= 0x80u | static_cast<unsigned>(bits);
    }
    b_.u8(packed);
    if (!local_rgb.empty()) table(local_rgb, bits);
    b_.u8(static_cast<unsigned>(min_code_size));
    b_.raw(sub_blocks(lzw != nullptr ? *lzw : lzw_literal_stream(indices, min_code_size)));
    return *this;
  }
  GifBuilder& raw(std::initializer_list<unsigned> bytes) {
    b_.raw(bytes);
    return *this;
  }
  GifBuilder& trailer() {
    b_.u8(0x3B);
    return *this;
  }
  operator ByteBuffer() const { return b_; }

 private:
  void table(const std::vector<std::uint32_t>& rgb, int bits) {
    for (std::size_t i = 0; i < (2u << bits); ++i) {
      const std::uint32_t c = i < rgb.size() ? rgb[i] : 0;
      b_.u8((c >> 16) & 0xFF).u8((c >> 8) & 0xFF).u8(c & 0xFF);
    }
  }
  Bytes b_;
};

}  // namespace sorvane::test
