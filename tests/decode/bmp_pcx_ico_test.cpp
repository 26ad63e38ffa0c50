// BMP, PCX, ICO and CUR files built byte by byte, decoded to exact pixels.
#include <gtest/gtest.h>

#include "decode_test_support.h"
#include "display/picture.h"
#include "display/picture_decoders.h"

namespace sorvane {
namespace {

using test::Bytes;


// ---------------------------------------------------------------- BMP

// File header + 40-byte information header; the caller appends the colour
// table and pixel data and passes the data offset.
Bytes bmp_header(int w, int h, int bits, std::uint32_t offset, std::uint32_t colours = 0,
                 std::uint32_t compression = 0) {
  Bytes b;
  b.text("BM").u32(0).u32(0).u32(offset);
  b.u32(40).s32(w).s32(h).u16(1).u16(static_cast<unsigned>(bits)).u32(compression);
  b.u32(0).u32(2835).u32(2835).u32(colours).u32(0);
  return b;
}

TEST(Bmp, TwentyFourBitsBottomUpWithPadding) {
  Bytes b = bmp_header(3, 2, 24, 54);
  // Bottom row first: blue, green, red bytes; 9 bytes + 3 padding a row.
  b.raw({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0, 0, 0});
  b.raw({0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0, 0, 0});
  const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
  ASSERT_TRUE(r.has_value());
  ASSERT_EQ(r->width, 3);
  ASSERT_EQ(r->height, 2);
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0x131211, 0x161514, 0x191817, 0x030201, 0x060504,
                                           0x090807}));
}

TEST(Bmp, LastRowMayLackItsPadding) {
  Bytes b = bmp_header(1, 2, 24, 54);
  b.raw({1, 2, 3, 0, 4, 5, 6});  // the top row has no padding byte
  const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0x060504, 0x030201}));
}

TEST(Bmp, ThirtyTwoBitsIgnoreTheFourthByte) {
  Bytes b = bmp_header(2, 1, 32, 54);
  b.raw({0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0x7F});
  const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0x302010, 0x605040}));
}

TEST(Bmp, EightBitsThroughATableOfTheHeadersColourCount) {
  // Three table entries; index 3 is beyond them and gives black.
  Bytes b = bmp_header(4, 1, 8, 54 + 12, 3);
  b.raw({0x00, 0x00, 0xFF, 0, 0x00, 0xFF, 0x00, 0, 0xFF, 0x00, 0x00, 0});
  b.raw({2, 0, 1, 3});
  const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0x0000FF, 0xFF0000, 0x00FF00, 0x000000}));
}

TEST(Bmp, FourAndOneBitsWithFullTablesAndADataOffset) {
  {
    Bytes b = bmp_header(3, 1, 4, 54 + 64 + 6);  // six stray bytes before the data
    for (int i = 0; i < 16; ++i) b.u8(i).u8(i * 2).u8(i * 3).u8(0);
    b.fill(6, 0xEE);
    b.raw({0x1F, 0x70, 0, 0});
    const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->pixels, (std::vector<Pixel>{make_pixel(3, 2, 1), make_pixel(45, 30, 15),
                                             make_pixel(21, 14, 7)}));
  }
  {
    Bytes b = bmp_header(10, 1, 1, 54 + 8);
    b.raw({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
    b.raw({0xA5, 0x80, 0, 0});  // 1010 0101 10
    const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
    ASSERT_TRUE(r.has_value());
    const Pixel W = 0xFFFFFF, K = 0;
    EXPECT_EQ(r->pixels, (std::vector<Pixel>{W, K, W, K, K, W, K, W, W, K}));
  }
}

TEST(Bmp, TopDownRowsForANegativeHeight) {
  Bytes b = bmp_header(1, -2, 24, 54);
  b.raw({1, 2, 3, 0, 4, 5, 6, 0});
  const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0x030201, 0x060504}));
}

TEST(Bmp, SixteenBitsFiveFiveFiveAndBitFields) {
  {
    Bytes b = bmp_header(2, 1, 16, 54);
    b.u16(0x7FFF).u16((1u << 10) | (16u << 5) | 31u);
    const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->pixels, (std::vector<Pixel>{0xFFFFFF, make_pixel(8, 131, 255)}));
  }
  {
    Bytes b = bmp_header(2, 1, 16, 54 + 12, 0, 3);
    b.u32(0xF800).u32(0x07E0).u32(0x001F);
    b.u16(0xF800).u16((32u << 5) | 1u);
    const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->pixels, (std::vector<Pixel>{0xFF0000, make_pixel(0, 129, 8)}));
  }
}

// ---------------------------------------------------------------- PCX

Bytes pcx_header(int version, int bits, int xmin, int ymin, int xmax, int ymax, int planes,
                 int bytes_per_line) {
  Bytes b;
  b.u8(0x0A).u8(static_cast<unsigned>(version)).u8(1).u8(static_cast<unsigned>(bits));
  b.u16(static_cast<unsigned>(xmin)).u16(static_cast<unsigned>(ymin));
  b.u16(static_cast<unsigned>(xmax)).u16(static_cast<unsigned>(ymax));
  b.u16(72).u16(72).fill(48, 0).u8(0).u8(static_cast<unsigned>(planes));
  b.u16(static_cast<unsigned>(bytes_per_line)).u16(1).fill(58, 0);
  return b;
}

void append_palette(Bytes& b) {
  b.u8(0x0C);
  for (int i = 0; i < 256; ++i) b.u8(i).u8(255 - i).u8(i / 2);
}

Pixel pal(int i) { return make_pixel(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                     static_cast<std::uint8_t>(i / 2)); }

TEST(Pcx, EightBitRunsThroughThePaletteRunsCrossRowEnds) {
  // 3 x 2, 4 bytes a line: a run of 5 fills row 0 and starts row 1.
  Bytes b = pcx_header(5, 8, 0, 0, 2, 1, 1, 4);
  b.raw({0xC5, 7, 0x09, 0xC1, 0xC8, 0x00});  // 7 x5, literal 9, run of one 0xC8, pad
  append_palette(b);
  const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
  ASSERT_TRUE(r.has_value());
  ASSERT_EQ(r->width, 3);
  ASSERT_EQ(r->height, 2);
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{pal(7), pal(7), pal(7), pal(7), pal(9), pal(0xC8)}));
}

TEST(Pcx, WindowOriginAndThreePlanes) {
  Bytes b = pcx_header(5, 8, 10, 20, 11, 20, 3, 2);
  b.raw({0x10, 0x11, 0x20, 0x21, 0x30, 0x31});  // red, green, blue planes
  const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
  ASSERT_TRUE(r.has_value());
  ASSERT_EQ(r->width, 2);
  ASSERT_EQ(r->height, 1);
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0x102030, 0x112131}));
}

TEST(Pcx, OneBitIsBlackAndWhite) {
  Bytes b = pcx_header(3, 1, 0, 0, 9, 0, 1, 2);
  b.raw({0xA5, 0x80});
  const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
  ASSERT_TRUE(r.has_value());
  const Pixel W = 0xFFFFFF, K = 0;
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{W, K, W, K, K, W, K, W, W, K}));
}

TEST(Pcx, EightBitsWithoutPaletteMarkerAreGrey) {
  Bytes b = pcx_header(5, 8, 0, 0, 1, 0, 1, 2);
  b.raw({0x05, 0xC1, 0xF0});
  const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0x050505, 0xF0F0F0}));
}

TEST(Pcx, RunPastTheEndOfTheImageIsCut) {
  Bytes b = pcx_header(5, 8, 0, 0, 1, 0, 1, 2);
  b.raw({0xFF, 3});  // a run of 63 for a 2-byte picture
  append_palette(b);
  const std::optional<PixelRaster> r = load_picture(ByteBuffer(b));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{pal(3), pal(3)}));
}

// ---------------------------------------------------------------- ICO, CUR

struct IconEntry {
  int width_byte, height_byte, colour_byte;
  ByteBuffer data;
};

ByteBuffer icon_file(int type, const std::vector<IconEntry>& entries) {
  Bytes b;
  b.u16(0).u16(static_cast<unsigned>(type)).u16(static_cast<unsigned>(entries.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const IconEntry& e : entries) {
    b.u8(static_cast<unsigned>(e.width_byte)).u8(static_cast<unsigned>(e.height_byte));
    b.u8(static_cast<unsigned>(e.colour_byte)).u8(0).u16(1).u16(32);
    b.u32(static_cast<std::uint32_t>(e.data.size())).u32(offset);
    offset += static_cast<std::uint32_t>(e.data.size());
  }
  for (const IconEntry& e : entries) b.raw(e.data);
  return b;
}

// A 2 x 2 4-bit bitmap entry whose top-right pixel is masked out; `colour`
// is the colour of table entry 1.
ByteBuffer four_bit_entry(std::uint32_t colour) {
  Bytes b;
  b.u32(40).s32(2).s32(4).u16(1).u16(4).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
  for (int i = 0; i < 16; ++i) {
    const std::uint32_t c = i == 1 ? colour : static_cast<std::uint32_t>(i * 0x111111);
    b.u8(c & 0xFF).u8((c >> 8) & 0xFF).u8((c >> 16) & 0xFF).u8(0);
  }
  b.raw({0x12, 0, 0, 0});  // bottom row: indices 1, 2
  b.raw({0x31, 0, 0, 0});  // top row: indices 3, 1
  b.raw({0x00, 0, 0, 0});  // mask, bottom row: opaque
  b.raw({0x40, 0, 0, 0});  // mask, top row: the right pixel is transparent
  return b;
}

TEST(Icon, MaskGivesTransparencyAndLoadPictureDrawsOverWhite) {
  const ByteBuffer ico = icon_file(1, {{2, 2, 16, four_bit_entry(0x0000FF)}});
  const std::optional<PixelRaster> own = decode_icon(ico.data(), ico.size());
  ASSERT_TRUE(own.has_value());
  EXPECT_EQ(own->pixels, (std::vector<Pixel>{0x00333333, 0xFF0000FF, 0x000000FF, 0x00222222}));
  const std::optional<PixelRaster> r = load_picture(ico);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0x333333, 0xFFFFFF, 0x0000FF, 0x222222}));
}

TEST(Icon, CursorIsDecodedTheSameWay) {
  const ByteBuffer cur = icon_file(2, {{2, 2, 16, four_bit_entry(0x00FF00)}});
  const std::optional<PixelRaster> r = load_picture(cur);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0x333333, 0xFFFFFF, 0x00FF00, 0x222222}));
}

TEST(Icon, ThirtyTwoBitAlphaIsBlendedOverWhite) {
  Bytes e;
  e.u32(40).s32(2).s32(2).u16(1).u16(32).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
  e.raw({0x00, 0x00, 0xFF, 0x80, 0x00, 0xFF, 0x00, 0xFF});  // one row: red a128, green a255
  e.raw({0, 0, 0, 0});                                      // AND mask, ignored
  const ByteBuffer ico = icon_file(1, {{2, 1, 0, e}});
  const std::optional<PixelRaster> own = decode_icon(ico.data(), ico.size());
  ASSERT_TRUE(own.has_value());
  EXPECT_EQ(own->pixels, (std::vector<Pixel>{0x7FFF0000, 0x0000FF00}));
  const std::optional<PixelRaster> r = load_picture(ico);
  ASSERT_TRUE(r.has_value());
  // Green and blue of the half-transparent red: (0 * 128 + 255 * 127 + 127) / 255 = 127.
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0xFF7F7F, 0x00FF00}));
}

TEST(Icon, ThirtyTwoBitsWithNoAlphaUseTheMask) {
  Bytes e;
  e.u32(40).s32(2).s32(2).u16(1).u16(32).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
  e.raw({0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00});
  e.raw({0x80, 0, 0, 0});
  const ByteBuffer ico = icon_file(1, {{2, 1, 0, e}});
  const std::optional<PixelRaster> r = load_picture(ico);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{0xFFFFFF, 0x00FF00}));
}

TEST(Icon, ChoosesFirst32WideEntryWithSixteenOrMoreColours) {
  const ByteBuffer a = four_bit_entry(0x000001), b = four_bit_entry(0x000002),
                   c = four_bit_entry(0x000003), d = four_bit_entry(0x000004);
  struct Choice {
    std::vector<IconEntry> entries;
    Pixel expected;  // colour of table entry 1 in the chosen entry
  };
  const std::vector<Choice> choices = {
      {{{16, 16, 16, a}, {32, 32, 8, b}, {32, 32, 16, c}, {32, 32, 255, d}}, 3},
      {{{32, 32, 0, a}, {32, 32, 15, b}, {48, 48, 16, c}}, 3},
      {{{32, 32, 255, a}, {32, 32, 16, b}}, 1},
      {{{16, 16, 16, a}}, 1},
  };
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const ByteBuffer ico = icon_file(1, choices[i].entries);
    const std::optional<PixelRaster> own = decode_icon(ico.data(), ico.size());
    ASSERT_TRUE(own.has_value()) << i;
    EXPECT_EQ(own->at(0, 1), choices[i].expected) << i;
  }
}

TEST(Icon, EntryHeaderDecidesTheSizeWhenTheDirectoryDisagrees) {
  const ByteBuffer ico = icon_file(1, {{32, 32, 16, four_bit_entry(0x0000FF)}});
  const std::optional<PixelRaster> r = load_picture(ico);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->width, 2);
  EXPECT_EQ(r->height, 2);
}

}  // namespace
}  // namespace sorvane
