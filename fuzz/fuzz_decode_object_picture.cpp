// libFuzzer target: the object-picture decoder (GIF frames, PNG, and the
// general loader behind them) on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "display/picture.h"
#include "fuzz_limits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvane;
  // The last byte picks the transparent colour mode, so both are explored
  // without disturbing the file's own bytes.
  const bool automatic = size > 0 && (data[size - 1] & 1) != 0;
  const Picture p =
      decode_object_picture(data, size, automatic ? kNoColour : 0x00FF00FFu, automatic,
                            fuzz::limits());
  if (!p.empty()) {
    fuzz::require(p.width > 0 && p.height > 0 && !p.frames.empty());
    for (const PictureFrame& f : p.frames) {
      fuzz::require(f.pixels.size() == static_cast<std::size_t>(p.width) * p.height);
      fuzz::require(f.transparent_colour ==
                    (automatic ? pixel_to_colour(f.pixels[0]) : 0x00FF00FFu));
    }
  } else {
    fuzz::require(p.frames.empty() || p.width <= 0 || p.height <= 0);
  }
  return 0;
}
