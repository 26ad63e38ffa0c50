// The region decode gives exactly the pixels of the same rectangle of the
// full decode, for every sampling layout and for rectangles on and across
// every edge and iMCU boundary.
#include <gtest/gtest.h>

#include <string>

#include "decode_test_support.h"
#include "display/picture.h"
#include "jpeg_test_support.h"

namespace sorvane {
namespace {

struct Layout {
  const char* name;
  test::JpegOptions options;
};

const Layout kLayouts[] = {
    {"s420", {85, 2, 2, false, false, 0}},
    {"s422", {85, 2, 1, false, false, 0}},
    {"s440", {85, 1, 2, false, false, 0}},
    {"s444", {85, 1, 1, false, false, 0}},
    {"s411", {85, 4, 1, false, false, 0}},
    {"grey", {85, 1, 1, true, false, 0}},
    {"progressive420", {85, 2, 2, false, true, 0}},
    {"restarts420", {85, 2, 2, false, false, 1}},
};

struct Rect {
  const char* name;
  int left, top, width, height;
};

// The picture is 203 x 149: not a whole number of iMCUs in either direction.
const Rect kRects[] = {
    {"whole", 0, 0, 203, 149},
    {"top_left", 0, 0, 46, 88},
    {"inner_unaligned", 17, 9, 61, 33},
    {"inner_aligned", 32, 16, 64, 32},
    {"one_pixel", 100, 77, 1, 1},
    {"one_column", 15, 0, 1, 149},
    {"one_row", 0, 31, 203, 1},
    {"right_edge", 190, 20, 13, 40},
    {"bottom_right_overhang", 180, 120, 100, 100},
    {"negative_origin", -30, -12, 60, 50},
    {"last_row", 0, 148, 203, 1},
    {"outside", 300, 300, 20, 20},
    {"zero_size", 10, 10, 0, 0},
};

struct RegionCase {
  Layout layout;
  Rect rect;
};

std::vector<RegionCase> all_cases() {
  std::vector<RegionCase> v;
  for (const Layout& l : kLayouts)
    for (const Rect& r : kRects) v.push_back({l, r});
  return v;
}

class JpegRegionTest : public ::testing::TestWithParam<RegionCase> {};

TEST_P(JpegRegionTest, EqualsCropOfFullDecode) {
  const RegionCase& c = GetParam();
  const ByteBuffer file = test::encode_jpeg(test::photo_raster(203, 149, 3), c.layout.options);
  const std::optional<PixelRaster> full = load_picture(file);
  ASSERT_TRUE(full.has_value());
  const std::optional<PictureRegion> region =
      load_picture_region(file, c.rect.left, c.rect.top, c.rect.width, c.rect.height);
  ASSERT_TRUE(region.has_value());
  EXPECT_EQ(region->picture_width, 203);
  EXPECT_EQ(region->picture_height, 149);

  const int l = std::max(c.rect.left, 0), t = std::max(c.rect.top, 0);
  const int r = std::min(c.rect.left + c.rect.width, 203);
  const int b = std::min(c.rect.top + c.rect.height, 149);
  if (r <= l || b <= t) {
    EXPECT_TRUE(region->pixels.empty());
    EXPECT_TRUE(region->pixels.pixels.empty());
    return;
  }
  ASSERT_EQ(region->left, l);
  ASSERT_EQ(region->top, t);
  ASSERT_EQ(region->pixels.width, r - l);
  ASSERT_EQ(region->pixels.height, b - t);
  int mismatches = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      if (region->pixels.at(x - l, y - t) != full->at(x, y)) ++mismatches;
  EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Rectangles, JpegRegionTest, ::testing::ValuesIn(all_cases()),
                         [](const ::testing::TestParamInfo<RegionCase>& info) {
                           return std::string(info.param.layout.name) + "_" +
                                  info.param.rect.name;
                         });

// Other formats are decoded whole and cropped; the result is the same crop.
TEST(PictureRegion, BmpIsCroppedFromTheFullDecode) {
  test::Bytes bmp;
  const int w = 5, h = 3;
  bmp.text("BM").u32(54 + 16 * 3).u32(0).u32(54);
  bmp.u32(40).s32(w).s32(h).u16(1).u16(24).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) bmp.u8(x * 10).u8(y * 10).u8(x + y);
    bmp.fill(1, 0);
  }
  const ByteBuffer file = bmp;
  const std::optional<PixelRaster> full = load_picture(file);
  ASSERT_TRUE(full.has_value());
  const std::optional<PictureRegion> region = load_picture_region(file, 1, 1, 3, 5);
  ASSERT_TRUE(region.has_value());
  EXPECT_EQ(region->picture_width, 5);
  EXPECT_EQ(region->picture_height, 3);
  EXPECT_EQ(region->left, 1);
  EXPECT_EQ(region->top, 1);
  ASSERT_EQ(region->pixels.width, 3);
  ASSERT_EQ(region->pixels.height, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(region->pixels.at(x, y), full->at(x + 1, y + 1));
}

TEST(PictureRegion, RectangleChosenFromThePictureSizeCentresIt) {
  // A 203 x 149 picture centred in a 100 x 60 area lies at
  // ((100 - 203) / 2, (60 - 149) / 2) = (-51, -44): the area shows the
  // picture's rectangle from (51, 44).
  for (const Layout& layout : kLayouts) {
    const ByteBuffer file = test::encode_jpeg(test::photo_raster(203, 149, 4), layout.options);
    const std::optional<PixelRaster> full = load_picture(file);
    ASSERT_TRUE(full.has_value());
    int calls = 0;
    const std::optional<PictureRegion> region =
        load_picture_region(file.data(), file.size(), [&](int w, int h) {
          ++calls;
          EXPECT_EQ(w, 203);
          EXPECT_EQ(h, 149);
          return PictureRect{-((100 - w) / 2), -((60 - h) / 2), 100, 60};
        });
    ASSERT_TRUE(region.has_value()) << layout.name;
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(region->left, 51);
    ASSERT_EQ(region->top, 44);
    ASSERT_EQ(region->pixels.width, 100);
    ASSERT_EQ(region->pixels.height, 60);
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 100; ++x)
        ASSERT_EQ(region->pixels.at(x, y), full->at(x + 51, y + 44)) << layout.name;
  }
}

TEST(PictureRegion, FailsWhereLoadPictureFails) {
  const ByteBuffer png = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13};
  EXPECT_FALSE(load_picture_region(png, 0, 0, 10, 10).has_value());
  const ByteBuffer jpeg_header_only = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10};
  EXPECT_FALSE(load_picture_region(jpeg_header_only, 0, 0, 10, 10).has_value());
  EXPECT_FALSE(load_picture_region(ByteBuffer{}, 0, 0, 10, 10).has_value());
}

}  // namespace
}  // namespace sorvane
