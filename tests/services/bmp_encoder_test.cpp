// The 24-bit BMP byte image, checked byte by byte.
#include "services/bmp_encoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace sorvane {
namespace {

std::uint32_t u32_at(const ByteBuffer& b, std::size_t at) {
  return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
         std::uint32_t{b[at + 3]} << 24;
}
std::uint16_t u16_at(const ByteBuffer& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

PixelRaster raster_of(int w, int h) {
  PixelRaster r;
  r.width = w;
  r.height = h;
  r.pixels.resize(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      // Every pixel distinct, with a transparency byte that must be dropped.
      r.row(y)[x] = make_pixel(static_cast<std::uint8_t>(10 * x + 1), static_cast<std::uint8_t>(100 + y),
                               static_cast<std::uint8_t>(200 - x - y), static_cast<std::uint8_t>(x * 30));
  return r;
}

TEST(BmpEncoder, SevenPixelRowsAreTwentyFourBytesBottomUp) {
  const PixelRaster r = raster_of(7, 3);
  const ByteBuffer b = encode_bmp24(r);
  ASSERT_EQ(b.size(), 54u + 24u * 3u);

  const std::uint8_t header[54] = {
      'B', 'M', 126, 0, 0, 0,  0, 0, 0, 0, 54, 0, 0, 0,   // file header
      40, 0, 0, 0, 7, 0, 0, 0, 3, 0, 0, 0, 1, 0, 24, 0,   // size, W, H, planes, bpp
      0, 0, 0, 0, 72, 0, 0, 0,                            // compression, image size
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};    // resolutions, colours
  for (std::size_t i = 0; i < 54; ++i) EXPECT_EQ(b[i], header[i]) << "header byte " << i;

  for (int stored = 0; stored < 3; ++stored) {
    const int y = 2 - stored;  // the bottom row comes first
    const std::size_t row = 54 + 24u * stored;
    for (int x = 0; x < 7; ++x) {
      const Pixel p = r.at(x, y);
      EXPECT_EQ(b[row + 3 * x + 0], pixel_blue(p)) << x << "," << y;
      EXPECT_EQ(b[row + 3 * x + 1], pixel_green(p)) << x << "," << y;
      EXPECT_EQ(b[row + 3 * x + 2], pixel_red(p)) << x << "," << y;
    }
    for (int pad = 21; pad < 24; ++pad) EXPECT_EQ(b[row + pad], 0) << "padding of row " << stored;
  }
  // The first triple is the bottom-left pixel.
  EXPECT_EQ(b[54], pixel_blue(r.at(0, 2)));
  EXPECT_EQ(b[55], pixel_green(r.at(0, 2)));
  EXPECT_EQ(b[56], pixel_red(r.at(0, 2)));
}

TEST(BmpEncoder, DisplayAreaSizeHasNoPadding) {
  const ByteBuffer b = encode_bmp24(raster_of(460, 878));
  ASSERT_EQ(b.size(), 1211694u);
  EXPECT_EQ(u16_at(b, 0), 19778);
  EXPECT_EQ(u32_at(b, 2), 1211694u);
  EXPECT_EQ(u32_at(b, 10), 54u);
  EXPECT_EQ(u32_at(b, 18), 460u);
  EXPECT_EQ(u32_at(b, 22), 878u);
  EXPECT_EQ(u32_at(b, 34), 1211640u);
}

struct StrideCase {
  const char* name;
  int width;
  std::uint64_t stride;
};

class BmpStride : public ::testing::TestWithParam<StrideCase> {};

TEST_P(BmpStride, RowIsPaddedToFourBytes) {
  const StrideCase& c = GetParam();
  EXPECT_EQ(bmp24_stride(c.width), c.stride);
  const ByteBuffer b = encode_bmp24(raster_of(c.width, 2));
  ASSERT_EQ(b.size(), 54u + 2 * c.stride);
  EXPECT_EQ(u32_at(b, 34), 2 * c.stride);
}

INSTANTIATE_TEST_SUITE_P(Widths, BmpStride,
                         ::testing::Values(StrideCase{"one", 1, 4}, StrideCase{"three", 3, 12},
                                           StrideCase{"four", 4, 12}, StrideCase{"five", 5, 16},
                                           StrideCase{"seven", 7, 24}, StrideCase{"eight", 8, 24},
                                           StrideCase{"display_area", 460, 1380}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadRasterCase {
  const char* name;
  int width;
  int height;
  std::size_t pixels;
};

class BmpRefusesRaster : public ::testing::TestWithParam<BadRasterCase> {};

TEST_P(BmpRefusesRaster, GivesEmptyBuffer) {
  const BadRasterCase& c = GetParam();
  PixelRaster r;
  r.width = c.width;
  r.height = c.height;
  r.pixels.assign(c.pixels, make_pixel(1, 2, 3));
  EXPECT_TRUE(encode_bmp24(r).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rasters, BmpRefusesRaster,
    ::testing::Values(BadRasterCase{"empty", 0, 0, 0}, BadRasterCase{"zero_width", 0, 5, 0},
                      BadRasterCase{"negative_height", 3, -2, 6},
                      BadRasterCase{"too_few_pixels", 4, 4, 15},
                      // The size products would overflow 32 and 64-bit ints.
                      BadRasterCase{"huge_without_pixels", INT_MAX, INT_MAX, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
