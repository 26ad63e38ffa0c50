// A damaged progressive JPEG is smoothed block by block against its
// neighbours; the region decode must smooth the rectangle's edges exactly as
// the full decode does (it used to differ by one unit along a cropped edge).
#include <gtest/gtest.h>

#include <string>

#include "decode_test_support.h"
#include "display/picture.h"

namespace sorvane {
namespace {

TEST(ProgressiveRegion, SmoothedEdgesMatchTheFullDecode) {
  const ByteBuffer bytes = test::read_file(std::string(SORVANE_DECODE_FUZZ_CASES_DIR) +
                                           "/jpeg_progressive_smoothed_at_crop_edge.bin");
  const std::optional<PixelRaster> full = load_picture(bytes);
  ASSERT_TRUE(full);
  ASSERT_EQ(full->width, 545);
  ASSERT_EQ(full->height, 17);
  const struct {
    int left, top, width, height;
  } rects[] = {{252, -4, 9, 9}, {252, 3, 9, 9}, {0, 0, 40, 17}, {500, 8, 45, 9}};
  for (const auto& r : rects) {
    SCOPED_TRACE(std::to_string(r.left) + "," + std::to_string(r.top));
    const std::optional<PictureRegion> region =
        load_picture_region(bytes, r.left, r.top, r.width, r.height);
    ASSERT_TRUE(region);
    ASSERT_FALSE(region->pixels.empty());
    for (int y = 0; y < region->pixels.height; ++y)
      for (int x = 0; x < region->pixels.width; ++x)
        ASSERT_EQ(region->pixels.at(x, y), full->at(x + region->left, y + region->top))
            << x + region->left << "," << y + region->top;
  }
}

}  // namespace
}  // namespace sorvane
