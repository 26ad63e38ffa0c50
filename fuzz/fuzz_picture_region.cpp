// libFuzzer target: the region decode, checked against the full decode.
// The first 8 bytes give the rectangle (four little-endian 16-bit signed
// numbers: left, top, width, height); the rest is the file.
#include <cstddef>
#include <cstdint>

#include "display/picture.h"
#include "fuzz_limits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvane;
  if (size < 8) return 0;
  auto s16 = [&](int i) {
    return static_cast<int>(static_cast<std::int16_t>(data[i] | (data[i + 1] << 8)));
  };
  const int left = s16(0), top = s16(2), width = s16(4), height = s16(6);
  const std::uint8_t* file = data + 8;
  const std::size_t file_size = size - 8;

  const DecodeLimits limits = fuzz::limits();
  const std::optional<PictureRegion> region =
      load_picture_region(file, file_size, left, top, width, height, limits);
  const std::optional<PixelRaster> full = load_picture(file, file_size, limits);
  // The region decode fails exactly when the full decode fails, and gives
  // the same pixels.
  fuzz::require(region.has_value() == full.has_value());
  if (!region) return 0;
  fuzz::require(region->picture_width == full->width && region->picture_height == full->height);
  const PixelRaster& px = region->pixels;
  if (px.empty()) return 0;
  fuzz::require(px.pixels.size() == static_cast<std::size_t>(px.width) * px.height);
  fuzz::require(region->left >= 0 && region->top >= 0 &&
                region->left + px.width <= full->width && region->top + px.height <= full->height);
  for (int y = 0; y < px.height; ++y)
    for (int x = 0; x < px.width; ++x)
      fuzz::require(px.at(x, y) == full->at(x + region->left, y + region->top));
  return 0;
}
