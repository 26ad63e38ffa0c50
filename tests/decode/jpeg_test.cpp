// JPEG through load_picture: exactly libjpeg's default decode, bytes (never
// names) decide, truncation, CMYK, and the bounds on size, scans and memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "decode_test_support.h"
#include "display/picture.h"
#include "display/picture_decoders.h"
#include "jpeg_test_support.h"

namespace sorvane {
namespace {

struct JpegLayout {
  const char* name;
  test::JpegOptions options;
};

class JpegDefaultDecodeTest : public ::testing::TestWithParam<JpegLayout> {};

TEST_P(JpegDefaultDecodeTest, EqualsLibjpegsOwnDecode) {
  const ByteBuffer file = test::encode_jpeg(test::photo_raster(97, 61, 5), GetParam().options);
  const PixelRaster expected = test::libjpeg_default_decode(file);
  const std::optional<PixelRaster> r = load_picture(file);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->width, 97);
  EXPECT_EQ(r->height, 61);
  EXPECT_EQ(r->pixels, expected.pixels);
  const Picture p = decode_object_picture(file, kNoColour, false);
  ASSERT_EQ(p.frames.size(), 1u);
  EXPECT_EQ(p.frames[0].pixels, expected.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, JpegDefaultDecodeTest,
    ::testing::Values(JpegLayout{"s420", {85, 2, 2, false, false, 0}},
                      JpegLayout{"s422", {90, 2, 1, false, false, 0}},
                      JpegLayout{"s444", {95, 1, 1, false, false, 0}},
                      JpegLayout{"grey", {80, 1, 1, true, false, 0}},
                      JpegLayout{"progressive", {75, 2, 2, false, true, 0}},
                      JpegLayout{"restart_markers", {85, 2, 2, false, false, 1}}),
    [](const ::testing::TestParamInfo<JpegLayout>& info) { return std::string(info.param.name); });

TEST(Jpeg, ANameEndingInPngDoesNotMatterOnlyTheBytes) {
  const ByteBuffer file = test::encode_jpeg(test::photo_raster(16, 8));
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("decode-test-" + std::to_string(::getpid()) + ".png");
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
  }
  const ByteBuffer read_back = test::read_file(path.string());
  std::filesystem::remove(path);
  const std::optional<PixelRaster> r = load_picture(read_back);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, test::libjpeg_default_decode(file).pixels);
  EXPECT_EQ(decode_object_picture(read_back, kNoColour, false).frames.at(0).pixels, r->pixels);
}

// Offset of the first byte after the SOS segment (where scan data starts).
std::size_t scan_data_start(const ByteBuffer& f) {
  for (std::size_t i = 2; i + 4 < f.size();) {
    const std::size_t len = static_cast<std::size_t>(f[i + 2] << 8 | f[i + 3]);
    if (f[i + 1] == 0xDA) return i + 2 + len;
    i += 2 + len;
  }
  return 0;
}

TEST(Jpeg, CutsBeforeTheScanDataFail) {
  const ByteBuffer file = test::encode_jpeg(test::photo_raster(24, 16));
  const std::size_t start = scan_data_start(file);
  ASSERT_GT(start, 100u);
  for (std::size_t n = 0; n < start; ++n) {
    const ByteBuffer cut(file.begin(), file.begin() + static_cast<long>(n));
    EXPECT_FALSE(load_picture(cut).has_value()) << n;
  }
}

TEST(Jpeg, DataEndingInsideTheScanKeepsTheRowsDecodedSoFar) {
  // Like libjpeg's own sources, a file whose scan data ends early still
  // gives its picture: the rows before the cut as the full file has them.
  const ByteBuffer file = test::encode_jpeg(test::photo_raster(64, 64));
  const PixelRaster full = test::libjpeg_default_decode(file);
  const ByteBuffer cut(file.begin(), file.begin() + static_cast<long>(file.size() * 2 / 3));
  const std::optional<PixelRaster> r = load_picture(cut);
  ASSERT_TRUE(r.has_value());
  ASSERT_EQ(r->width, 64);
  ASSERT_EQ(r->height, 64);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(r->at(x, y), full.at(x, y)) << x << "," << y;
  // The region decode agrees with the full decode of the same cut file.
  const std::optional<PictureRegion> region = load_picture_region(cut, 8, 30, 40, 34);
  ASSERT_TRUE(region.has_value());
  for (int y = 0; y < 34; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(region->pixels.at(x, y), r->at(x + 8, y + 30));
}

TEST(Jpeg, SideAndPixelBoundsRejectLargePictures) {
  const ByteBuffer file = test::encode_jpeg(test::photo_raster(101, 50));
  DecodeLimits limits;
  limits.max_side = 100;
  EXPECT_FALSE(load_picture(file.data(), file.size(), limits).has_value());
  EXPECT_FALSE(load_picture_region(file.data(), file.size(), 0, 0, 10, 10, limits).has_value());
  limits.max_side = 101;
  EXPECT_TRUE(load_picture(file.data(), file.size(), limits).has_value());
  limits.max_pixels = 101 * 50 - 1;
  EXPECT_FALSE(load_picture(file.data(), file.size(), limits).has_value());
}

TEST(Jpeg, OversizedFrameHeaderIsRejected) {
  ByteBuffer file = test::encode_jpeg(test::photo_raster(16, 16));
  // The SOF0 segment: FF C0, length, precision, height, width.
  for (std::size_t i = 2; i + 9 < file.size(); ++i) {
    if (file[i] == 0xFF && file[i + 1] == 0xC0) {
      file[i + 5] = 0x40;  // height 16384 + 16
      file[i + 6] = 0x10;
      file[i + 7] = 0x40;  // width 16384 + 16
      file[i + 8] = 0x10;
      break;
    }
  }
  EXPECT_FALSE(load_picture(file).has_value());
}

// A progressive file of 570 scans: every AC coefficient of each component
// sent on its own in three successive-approximation steps.
ByteBuffer many_scan_jpeg() {
  const PixelRaster r = test::photo_raster(16, 16);
  test::MemoryJpegWriter w(16, 16, 3, JCS_RGB);
  std::vector<jpeg_scan_info> scans;
  auto scan = [&](int comp, int ss, int se, int ah, int al) {
    jpeg_scan_info s{};
    s.comps_in_scan = comp < 0 ? 3 : 1;
    for (int i = 0; i < s.comps_in_scan; ++i) s.component_index[i] = comp < 0 ? i : comp;
    s.Ss = ss;
    s.Se = se;
    s.Ah = ah;
    s.Al = al;
    scans.push_back(s);
  };
  scan(-1, 0, 0, 0, 2);
  scan(-1, 0, 0, 2, 1);
  scan(-1, 0, 0, 1, 0);
  for (int comp = 0; comp < 3; ++comp)
    for (int k = 1; k < 64; ++k) {
      scan(comp, k, k, 0, 2);
      scan(comp, k, k, 2, 1);
      scan(comp, k, k, 1, 0);
    }
  w.c.scan_info = scans.data();
  w.c.num_scans = static_cast<int>(scans.size());
  w.start();
  std::vector<JSAMPLE> row(16 * 3);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const Pixel p = r.at(x, y);
      row[static_cast<std::size_t>(x) * 3] = pixel_red(p);
      row[static_cast<std::size_t>(x) * 3 + 1] = pixel_green(p);
      row[static_cast<std::size_t>(x) * 3 + 2] = pixel_blue(p);
    }
    w.write_row(row.data());
  }
  return w.finish();
}

TEST(Jpeg, TooManyScansAreRejected) {
  const ByteBuffer file = many_scan_jpeg();
  EXPECT_FALSE(load_picture(file).has_value());
  DecodeLimits limits;
  limits.max_jpeg_scans = 1000;
  const std::optional<PixelRaster> r = load_picture(file.data(), file.size(), limits);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, test::libjpeg_default_decode(file).pixels);
}

TEST(Jpeg, LibraryWorkMemoryIsBounded) {
  test::JpegOptions o;
  o.progressive = true;
  const ByteBuffer file = test::encode_jpeg(test::photo_raster(256, 256), o);
  DecodeLimits limits;
  limits.max_jpeg_work_bytes = 64 * 1024;  // less than the coefficients need
  EXPECT_FALSE(load_picture(file.data(), file.size(), limits).has_value());
  EXPECT_TRUE(load_picture(file).has_value());
}

TEST(Jpeg, AdobeCmykIsConvertedToRgb) {
  // Adobe CMYK files store inverted inks: 255 = no ink. Solid red is
  // "no cyan, full magenta, full yellow, no black".
  test::MemoryJpegWriter w(16, 8, 4, JCS_CMYK);
  jpeg_set_quality(&w.c, 100, TRUE);
  w.start();
  std::vector<JSAMPLE> row;
  for (int x = 0; x < 16; ++x) row.insert(row.end(), {255, 0, 0, 255});
  for (int y = 0; y < 8; ++y) w.write_row(row.data());
  const ByteBuffer file = w.finish();
  const std::optional<PixelRaster> r = load_picture(file);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, std::vector<Pixel>(16 * 8, 0x00FF0000u));
  const std::optional<PictureRegion> region = load_picture_region(file, 3, 2, 5, 4);
  ASSERT_TRUE(region.has_value());
  EXPECT_EQ(region->pixels.pixels, std::vector<Pixel>(5 * 4, 0x00FF0000u));
}

}  // namespace
}  // namespace sorvane
