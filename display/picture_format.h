#pragma once

// Recognising a picture file by its first bytes (never by a file name).

#include <cstddef>
#include <cstdint>

namespace sorvane {

// The formats of the general loader. The numeric values are the kind numbers
// that the panel picture control keeps (1 JPEG ... 7 PCX with 1 bit a pixel).
enum class PictureFormat {
  None = 0,
  Jpeg = 1,
  Bmp = 2,
  Icon = 3,
  Cursor = 4,
  Gif = 5,
  Pcx8 = 6,
  Pcx1 = 7,
};

// The general loader's recognition: fewer than 6 bytes, PNG or anything else
// unknown gives None; otherwise the first matching row of
//   "BM" BMP, FF D8 JPEG, 00 00 01 00 + count != 0 ICO, 00 00 02 00 + count != 0
//   CUR, GIF87a/GIF89a GIF, 0A ver<=5 01 08 PCX 8-bit, 0A 03 01 01 PCX 1-bit.
PictureFormat recognise_picture_format(const std::uint8_t* data, std::size_t size);

// True for the 6-byte GIF signatures GIF87a and GIF89a (needs size >= 6).
bool has_gif_signature(const std::uint8_t* data, std::size_t size);
// True for the 8-byte PNG signature (needs size >= 8).
bool has_png_signature(const std::uint8_t* data, std::size_t size);

}  // namespace sorvane
