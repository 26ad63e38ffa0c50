#include "display/picture_format.h"

#include <cstring>

namespace sorvane {

bool has_gif_signature(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < 6) return false;
  return std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0;
}

bool has_png_signature(const std::uint8_t* data, std::size_t size) {
  static const std::uint8_t kPng[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  return data != nullptr && size >= 8 && std::memcmp(data, kPng, 8) == 0;
}

PictureFormat recognise_picture_format(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < 6) return PictureFormat::None;
  const std::uint8_t* b = data;
  if (b[0] == 0x42 && b[1] == 0x4D) return PictureFormat::Bmp;
  if (b[0] == 0xFF && b[1] == 0xD8) return PictureFormat::Jpeg;
  const bool nonzero_count = b[4] != 0 || b[5] != 0;
  if (b[0] == 0 && b[1] == 0 && b[2] == 1 && b[3] == 0 && nonzero_count) return PictureFormat::Icon;
  if (b[0] == 0 && b[1] == 0 && b[2] == 2 && b[3] == 0 && nonzero_count) return PictureFormat::Cursor;
  if (has_gif_signature(data, size)) return PictureFormat::Gif;
  if (b[0] == 0x0A && b[1] <= 5 && b[2] == 1 && b[3] == 8) return PictureFormat::Pcx8;
  if (b[0] == 0x0A && b[1] == 3 && b[2] == 1 && b[3] == 1) return PictureFormat::Pcx1;
  return PictureFormat::None;
}

}  // namespace sorvane
