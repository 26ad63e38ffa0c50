// The display area's background raster: fill colour and the four
// placements, with decoding limited to what the raster shows.
#include <cstdio>
#include <vector>

#include <gtest/gtest.h>

#include "display/background_raster.h"
#include "display/picture.h"
#include "tests/decode/jpeg_test_support.h"

namespace sorvane {
namespace {

constexpr Pixel kFill = make_pixel(240, 240, 240);

void put32(ByteBuffer& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 24-bit BMP whose pixel (x, y) is pixel_at(x, y).
template <typename F>
ByteBuffer bmp(int w, int h, F pixel_at) {
  const int stride = (w * 3 + 3) & ~3;
  ByteBuffer b(54 + static_cast<std::size_t>(stride) * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  put32(b, 2, static_cast<std::uint32_t>(b.size()));
  put32(b, 10, 54);
  put32(b, 14, 40);
  put32(b, 18, static_cast<std::uint32_t>(w));
  put32(b, 22, static_cast<std::uint32_t>(h));
  b[26] = 1;
  b[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Pixel p = pixel_at(x, y);
      std::uint8_t* q = &b[54 + static_cast<std::size_t>(h - 1 - y) * stride + x * 3];
      q[0] = pixel_blue(p);
      q[1] = pixel_green(p);
      q[2] = pixel_red(p);
    }
  return b;
}

Pixel pattern(int x, int y) {
  return make_pixel(static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 11),
                    static_cast<std::uint8_t>(x + y));
}

struct PlacementRow {
  const char* name;
  int picture_w, picture_h;
  PicDrawMode mode;
  int offset_x, offset_y;  // where the picture's (0, 0) lands
};

class Placement : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(Placement, PutsThePictureWhereTheModeSays) {
  const PlacementRow& r = GetParam();
  const ByteBuffer pic = bmp(r.picture_w, r.picture_h, pattern);
  const PixelRaster raster =
      build_background_raster(pic.data(), pic.size(), 10, 8, kFill, r.mode, true);
  ASSERT_EQ(raster.width, 10);
  ASSERT_EQ(raster.height, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) {
      const int px = x - r.offset_x, py = y - r.offset_y;
      const bool inside = px >= 0 && py >= 0 && px < r.picture_w && py < r.picture_h;
      ASSERT_EQ(raster.at(x, y), inside ? pattern(px, py) : kFill) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Placement,
    ::testing::Values(PlacementRow{"top_left_smaller_leaves_fill", 4, 3, PicDrawMode::kTopLeft, 0, 0},
                      PlacementRow{"top_left_larger_is_cut", 13, 11, PicDrawMode::kTopLeft, 0, 0},
                      PlacementRow{"centred_smaller", 5, 3, PicDrawMode::kCentred, 2, 2},
                      PlacementRow{"centred_larger_negative_offsets", 15, 13, PicDrawMode::kCentred,
                                   -2, -2},
                      PlacementRow{"centred_odd_difference_truncates", 3, 1, PicDrawMode::kCentred,
                                   3, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BackgroundRaster, UndecodableOrEmptyPictureShowsTheFillOnly) {
  const std::uint8_t png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13};
  const std::uint8_t text[] = "just some text";
  for (const auto& [data, size] : {std::pair<const std::uint8_t*, std::size_t>{png, sizeof png},
                                   {text, sizeof text},
                                   {nullptr, 0}}) {
    const PixelRaster r = build_background_raster(data, size, 3, 2, kFill, PicDrawMode::kTopLeft, true);
    EXPECT_EQ(r.pixels, std::vector<Pixel>(6, kFill));
  }
  EXPECT_TRUE(build_background_raster(nullptr, 0, 0, 5, kFill, PicDrawMode::kTopLeft, true).empty());
}

TEST(BackgroundRaster, TilesFromTheTopLeft) {
  const ByteBuffer pic = bmp(4, 3, pattern);
  const PixelRaster r = build_background_raster(pic.data(), pic.size(), 10, 8, kFill,
                                                PicDrawMode::kTiled, true);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(r.at(x, y), pattern(x % 4, y % 3));
}

TEST(BackgroundRaster, StretchesByPickingOrByAveraging) {
  // Two columns, black and white, stretched to 4 x 1 and squeezed to 1 x 1.
  const ByteBuffer pic = bmp(2, 1, [](int x, int) { return x ? make_pixel(255, 255, 255) : 0; });
  const PixelRaster picked =
      build_background_raster(pic.data(), pic.size(), 4, 1, kFill, PicDrawMode::kStretched, false);
  EXPECT_EQ(picked.pixels, (std::vector<Pixel>{0, 0, 0xFFFFFF, 0xFFFFFF}));
  const PixelRaster averaged =
      build_background_raster(pic.data(), pic.size(), 1, 1, kFill, PicDrawMode::kStretched, true);
  EXPECT_EQ(averaged.pixels, (std::vector<Pixel>{make_pixel(128, 128, 128)}));
  // Three source columns into two cells: 1.5 columns each.
  const ByteBuffer three = bmp(3, 1, [](int x, int) { return make_pixel(static_cast<std::uint8_t>(x * 90), 0, 0); });
  const PixelRaster cells =
      build_background_raster(three.data(), three.size(), 2, 1, kFill, PicDrawMode::kStretched, true);
  EXPECT_EQ(cells.pixels, (std::vector<Pixel>{make_pixel(30, 0, 0), make_pixel(150, 0, 0)}));
}

TEST(BackgroundRaster, PartialDecodeEqualsTheFullDecodeCut) {
  // A 4:2:0 photo-like JPEG, so that the upsampled chroma at any crop edge
  // depends on its neighbours.
  const ByteBuffer pic = test::encode_jpeg(test::photo_raster(1001, 950));
  const std::optional<PixelRaster> full = load_picture(pic);
  ASSERT_TRUE(full);
  for (const PicDrawMode mode : {PicDrawMode::kTopLeft, PicDrawMode::kTiled}) {
    const PixelRaster r =
        build_background_raster(pic.data(), pic.size(), 460, 878, kFill, mode, true);
    for (int y = 0; y < 878; ++y)
      for (int x = 0; x < 460; ++x) ASSERT_EQ(r.at(x, y), full->at(x, y)) << x << "," << y;
  }
  // Centred: the middle of the picture, at offsets (460 - 1001) / 2 = -270
  // and (878 - 950) / 2 = -36.
  const PixelRaster centred =
      build_background_raster(pic.data(), pic.size(), 460, 878, kFill, PicDrawMode::kCentred, true);
  for (int y = 0; y < 878; ++y)
    for (int x = 0; x < 460; ++x) ASSERT_EQ(centred.at(x, y), full->at(x + 270, y + 36));
}

}  // namespace
}  // namespace sorvane
