#pragma once

#include <cstdint>

namespace sorvane {

// A colour as properties and arguments carry it: red in bits 0-7, green in
// bits 8-15, blue in bits 16-23 (0x00BBGGRR).
using ColourValue = std::uint32_t;

// Stands for "none" (no transparent colour) or "the default" (the desktop's
// button-face colour), depending on the field.
constexpr ColourValue kNoColour = 0xFF000000u;

// A pixel in a raster: blue in bits 0-7, green 8-15, red 16-23 and, in bits
// 24-31, a transparency byte (0 opaque, 255 fully transparent), i.e. 0xTTRRGGBB.
using Pixel = std::uint32_t;

constexpr Pixel make_pixel(std::uint8_t r, std::uint8_t g, std::uint8_t b,
                           std::uint8_t transparency = 0) {
  return (Pixel{transparency} << 24) | (Pixel{r} << 16) | (Pixel{g} << 8) | Pixel{b};
}

constexpr std::uint8_t pixel_red(Pixel p) { return static_cast<std::uint8_t>(p >> 16); }
constexpr std::uint8_t pixel_green(Pixel p) { return static_cast<std::uint8_t>(p >> 8); }
constexpr std::uint8_t pixel_blue(Pixel p) { return static_cast<std::uint8_t>(p); }
constexpr std::uint8_t pixel_transparency(Pixel p) { return static_cast<std::uint8_t>(p >> 24); }

// The low 24 bits of a colour value, reordered as a pixel's colour (T = 0).
constexpr Pixel colour_to_pixel(ColourValue c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// A pixel's colour as a colour value (its transparency byte dropped).
constexpr ColourValue pixel_to_colour(Pixel p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

}  // namespace sorvane
