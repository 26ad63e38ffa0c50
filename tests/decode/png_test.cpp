// PNG through decode_object_picture: alpha to transparency, opaque colour
// and grey forms, palettes, 16-bit samples, interlacing, the background
// chunk, the transparent colour, and damaged files.
#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <string>

#include "decode_test_support.h"
#include "display/picture.h"
#include "display/picture_decoders.h"

namespace sorvane {
namespace {

struct PngSpec {
  int width = 1, height = 1;
  int colour_type = PNG_COLOR_TYPE_RGB_ALPHA;
  int bit_depth = 8;
  bool interlaced = false;
  std::vector<png_color> palette;
  const png_color_16* background = nullptr;
  std::vector<std::uint8_t> rows;  // packed rows as libpng takes them
};

void write_to_buffer(png_structp png, png_bytep data, std::size_t n) {
  auto* out = static_cast<ByteBuffer*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}
void no_flush(png_structp) {}

ByteBuffer encode_png(const PngSpec& s) {
  ByteBuffer out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, write_to_buffer, no_flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(s.width), static_cast<png_uint_32>(s.height),
               s.bit_depth, s.colour_type,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!s.palette.empty())
    png_set_PLTE(png, info, s.palette.data(), static_cast<int>(s.palette.size()));
  if (s.background != nullptr) png_set_bKGD(png, info, s.background);
  png_write_info(png, info);
  const std::size_t stride = s.rows.size() / static_cast<std::size_t>(s.height);
  std::vector<png_bytep> rows;
  for (int y = 0; y < s.height; ++y)
    rows.push_back(const_cast<png_bytep>(s.rows.data() + static_cast<std::size_t>(y) * stride));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

Picture decode(const ByteBuffer& b, ColourValue k = kNoColour, bool automatic = false) {
  return decode_object_picture(b, k, automatic);
}

TEST(Png, AlphaBecomesTransparencyAndChannelsKeepTheirPlaces) {
  PngSpec s;
  s.width = 3;
  s.rows = {0x11, 0x22, 0x33, 255, 0x44, 0x55, 0x66, 0, 0x77, 0x88, 0x99, 200};
  const ByteBuffer png = encode_png(s);
  const Picture p = decode(png);
  ASSERT_EQ(p.frames.size(), 1u);
  EXPECT_EQ(p.width, 3);
  EXPECT_EQ(p.height, 1);
  EXPECT_EQ(p.frames[0].pixels, (std::vector<Pixel>{0x00112233, 0xFF445566, 0x37778899}));
  EXPECT_EQ(p.frames[0].delay_ms, 0);
  EXPECT_EQ(p.frames[0].transparent_colour, kNoColour);
}

TEST(Png, LoadPictureRejectsWhatTheObjectDecoderDecodes) {
  PngSpec s;
  s.rows = {1, 2, 3, 4};
  const ByteBuffer png = encode_png(s);
  EXPECT_FALSE(load_picture(png).has_value());
  EXPECT_FALSE(decode(png).empty());
}

TEST(Png, RgbIsOpaque) {
  PngSpec s;
  s.width = 2;
  s.colour_type = PNG_COLOR_TYPE_RGB;
  s.rows = {0xFF, 0x00, 0x00, 0x01, 0x02, 0x03};
  const Picture p = decode(encode_png(s));
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.frames[0].pixels, (std::vector<Pixel>{0x00FF0000, 0x00010203}));
}

struct GreyCase {
  const char* name;
  int bit_depth;
  std::vector<std::uint8_t> row;  // one packed row
  std::vector<std::uint8_t> levels;
};

class PngGreyTest : public ::testing::TestWithParam<GreyCase> {};

TEST_P(PngGreyTest, LevelsFollowTheRamp) {
  const GreyCase& c = GetParam();
  PngSpec s;
  s.width = static_cast<int>(c.levels.size());
  s.colour_type = PNG_COLOR_TYPE_GRAY;
  s.bit_depth = c.bit_depth;
  s.rows = c.row;
  const Picture p = decode(encode_png(s));
  ASSERT_FALSE(p.empty());
  std::vector<Pixel> expected;
  for (std::uint8_t v : c.levels) expected.push_back(make_pixel(v, v, v));
  EXPECT_EQ(p.frames[0].pixels, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, PngGreyTest,
    ::testing::Values(
        GreyCase{"one_bit", 1, {0xA0}, {255, 0, 255, 0}},
        GreyCase{"two_bits", 2, {0x1B}, {0, 85, 170, 255}},
        GreyCase{"four_bits", 4, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF},
                 {0, 17, 34, 51, 68, 85, 102, 119, 136, 153, 170, 187, 204, 221, 238, 255}},
        GreyCase{"eight_bits", 8, {0, 1, 128, 255}, {0, 1, 128, 255}},
        GreyCase{"sixteen_bits_keep_high_byte", 16, {0x12, 0xFF, 0xAB, 0x01}, {0x12, 0xAB}}),
    [](const ::testing::TestParamInfo<GreyCase>& info) { return std::string(info.param.name); });

TEST(Png, GreyWithAlpha) {
  PngSpec s;
  s.width = 2;
  s.colour_type = PNG_COLOR_TYPE_GRAY_ALPHA;
  s.rows = {0x40, 255, 0x80, 0};
  const Picture p = decode(encode_png(s));
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.frames[0].pixels, (std::vector<Pixel>{0x00404040, 0xFF808080}));
}

TEST(Png, PaletteIndicesBeyondThePaletteAreBlack) {
  PngSpec s;
  s.width = 4;
  s.colour_type = PNG_COLOR_TYPE_PALETTE;
  s.bit_depth = 4;
  s.palette = {{255, 0, 0}, {0, 0, 255}, {1, 2, 3}};
  s.rows = {0x01, 0x25};
  const Picture p = decode(encode_png(s));
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.frames[0].pixels, (std::vector<Pixel>{0xFF0000, 0x0000FF, 0x010203, 0x000000}));
}

TEST(Png, SixteenBitRgbaKeepsHighBytes) {
  PngSpec s;
  s.colour_type = PNG_COLOR_TYPE_RGB_ALPHA;
  s.bit_depth = 16;
  s.rows = {0xAA, 0x01, 0xBB, 0x02, 0xCC, 0x03, 0xC8, 0x99};
  const Picture p = decode(encode_png(s));
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.frames[0].pixels, (std::vector<Pixel>{0x37AABBCC}));
}

TEST(Png, InterlacedEqualsPlain) {
  PngSpec s;
  s.width = 13;
  s.height = 11;
  for (int i = 0; i < 13 * 11; ++i) {
    s.rows.push_back(static_cast<std::uint8_t>(i * 7));
    s.rows.push_back(static_cast<std::uint8_t>(i * 13));
    s.rows.push_back(static_cast<std::uint8_t>(255 - i));
    s.rows.push_back(static_cast<std::uint8_t>(i * 31));
  }
  const Picture plain = decode(encode_png(s));
  s.interlaced = true;
  const ByteBuffer interlaced_file = encode_png(s);
  const Picture interlaced = decode(interlaced_file);
  ASSERT_FALSE(plain.empty());
  ASSERT_FALSE(interlaced.empty());
  EXPECT_EQ(plain.frames[0].pixels, interlaced.frames[0].pixels);
  EXPECT_EQ(plain.frames[0].pixels[14], make_pixel(98, 182, 241, 255 - 178));
}

TEST(Png, BackgroundChunkCompositesAlphaAway) {
  PngSpec s;
  s.width = 2;
  png_color_16 background{};
  background.red = 0;
  background.green = 0;
  background.blue = 255;
  s.background = &background;
  s.rows = {255, 0, 0, 0, 0, 255, 0, 255};
  const Picture p = decode(encode_png(s));
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.frames[0].pixels, (std::vector<Pixel>{0x000000FF, 0x0000FF00}));
}

TEST(Png, TransparentColourExplicitOrFromTheTopLeftPixel) {
  PngSpec s;
  s.width = 2;
  s.colour_type = PNG_COLOR_TYPE_RGB;
  s.rows = {0xFF, 0xFF, 0xFF, 0x10, 0x20, 0x30};
  const ByteBuffer png = encode_png(s);
  EXPECT_EQ(decode(png, 0x00ABCDEF, false).frames[0].transparent_colour, 0x00ABCDEFu);
  EXPECT_EQ(decode(png, 0x00ABCDEF, true).frames[0].transparent_colour, 0x00FFFFFFu);
  s.rows = {0x10, 0x20, 0x30, 0xFF, 0xFF, 0xFF};
  // Colour values are 0x00BBGGRR: red 0x10 lands in the low byte.
  EXPECT_EQ(decode(encode_png(s), kNoColour, true).frames[0].transparent_colour, 0x00302010u);
}

TEST(Png, EveryTruncationFails) {
  PngSpec s;
  s.width = 4;
  s.height = 3;
  s.rows.assign(4 * 3 * 4, 0x5A);
  const ByteBuffer png = encode_png(s);
  // Cuts before the end of the image data (IEND and the last chunk are
  // never needed once every row has been read).
  for (std::size_t n = 0; n + 12 < png.size(); ++n) {
    const ByteBuffer cut(png.begin(), png.begin() + static_cast<long>(n));
    EXPECT_TRUE(decode(cut).empty()) << n;
  }
}

TEST(Png, OversizedHeaderIsRejectedBeforeAnyAllocation) {
  // A valid header of 100000 x 100000 with no image data.
  PngSpec s;
  s.rows = {1, 2, 3, 4};
  ByteBuffer png = encode_png(s);
  // IHDR's width and height are at bytes 16..23; rewrite them and the CRC.
  for (int i = 0; i < 2; ++i) {
    const std::uint32_t v = 100000;
    png[static_cast<std::size_t>(16 + 4 * i)] = static_cast<std::uint8_t>(v >> 24);
    png[static_cast<std::size_t>(17 + 4 * i)] = static_cast<std::uint8_t>(v >> 16);
    png[static_cast<std::size_t>(18 + 4 * i)] = static_cast<std::uint8_t>(v >> 8);
    png[static_cast<std::size_t>(19 + 4 * i)] = static_cast<std::uint8_t>(v);
  }
  const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17));
  png[29] = static_cast<std::uint8_t>(crc >> 24);
  png[30] = static_cast<std::uint8_t>(crc >> 16);
  png[31] = static_cast<std::uint8_t>(crc >> 8);
  png[32] = static_cast<std::uint8_t>(crc);
  EXPECT_TRUE(decode(png).empty());
}

}  // namespace
}  // namespace sorvane
