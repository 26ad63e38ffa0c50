#pragma once

// Bounds-checked reading of little-endian values from a byte range. Every
// read either succeeds completely or reports failure and leaves the position
// unchanged; nothing is ever read outside the range.

#include <cstddef>
#include <cstdint>

namespace sorvane {

inline std::uint16_t load_u16le(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t load_u32le(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::int32_t load_s32le(const std::uint8_t* p) {
  return static_cast<std::int32_t>(load_u32le(p));
}

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t size() const { return size_; }
  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return size_ - pos_; }
  const std::uint8_t* data() const { return data_; }

  bool seek(std::size_t position) {
    if (position > size_) return false;
    pos_ = position;
    return true;
  }
  bool skip(std::size_t count) {
    if (count > remaining()) return false;
    pos_ += count;
    return true;
  }
  // Pointer to the next `count` bytes, consumed; nullptr (nothing consumed)
  // when fewer remain.
  const std::uint8_t* take(std::size_t count) {
    if (count > remaining()) return nullptr;
    const std::uint8_t* p = data_ + pos_;
    pos_ += count;
    return p;
  }
  bool u8(std::uint8_t& out) {
    if (remaining() < 1) return false;
    out = data_[pos_++];
    return true;
  }
  bool u16le(std::uint16_t& out) {
    if (remaining() < 2) return false;
    out = load_u16le(data_ + pos_);
    pos_ += 2;
    return true;
  }
  bool u32le(std::uint32_t& out) {
    if (remaining() < 4) return false;
    out = load_u32le(data_ + pos_);
    pos_ += 4;
    return true;
  }
  bool s32le(std::int32_t& out) {
    if (remaining() < 4) return false;
    out = load_s32le(data_ + pos_);
    pos_ += 4;
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace sorvane
