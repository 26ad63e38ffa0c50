// libFuzzer target: the general loader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "display/picture.h"
#include "fuzz_limits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvane;
  const std::optional<PixelRaster> r = load_picture(data, size, fuzz::limits());
  if (r) {
    fuzz::require(r->width > 0 && r->height > 0);
    fuzz::require(r->pixels.size() == static_cast<std::size_t>(r->width) * r->height);
    for (Pixel p : r->pixels) fuzz::require(pixel_transparency(p) == 0);
  }
  return 0;
}
