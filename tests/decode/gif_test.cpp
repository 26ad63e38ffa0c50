// GIF: byte-built files decoded to exact pixels, frames, delays, disposal,
// transparency, and files made to break the decoder.
#include <gtest/gtest.h>

#include <string>

#include "decode_test_support.h"
#include "display/picture.h"
#include "display/picture_decoders.h"

namespace sorvane {
namespace {

using test::GifBuilder;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF,
                        kBlack = 0x000000, kGrey = 0x808080;
constexpr Pixel kBlankCanvas = 0xFFFFFFFFu;  // white, fully transparent
const std::vector<std::uint32_t> kPalette = {kRed, kGreen, kBlue, kBlack};

Pixel px(std::uint32_t rgb) { return rgb & 0x00FFFFFFu; }

TEST(Gif, FirstImageThroughGlobalTable) {
  const ByteBuffer gif = GifBuilder(3, 2, kPalette).image(0, 0, 3, 2, {0, 1, 2, 3, 2, 1}).trailer();
  const std::optional<PixelRaster> r = load_picture(gif);
  ASSERT_TRUE(r.has_value());
  ASSERT_EQ(r->width, 3);
  ASSERT_EQ(r->height, 2);
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{px(kRed), px(kGreen), px(kBlue), px(kBlack),
                                           px(kBlue), px(kGreen)}));
}

TEST(Gif, LoadPictureIgnoresTransparencyAndLaterImagesAndFillsWhite) {
  const ByteBuffer gif = GifBuilder(3, 1, kPalette)
                             .control(0, 0, 1)
                             .image(1, 0, 2, 1, {1, 2})
                             .image(0, 0, 3, 1, {3, 3, 3})
                             .trailer();
  const std::optional<PixelRaster> r = load_picture(gif);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{px(0xFFFFFF), px(kGreen), px(kBlue)}));
}

TEST(Gif, ObjectDecodeGivesEveryFrameWithDelays) {
  const ByteBuffer gif = GifBuilder(2, 1, kPalette)
                             .control(0, 7)
                             .image(0, 0, 2, 1, {0, 0})
                             .image(1, 0, 1, 1, {2})  // no control block: 50 ms
                             .control(0, 0)
                             .image(0, 0, 1, 1, {1})
                             .trailer();
  const Picture p = decode_object_picture(gif, 0x123456, false);
  ASSERT_EQ(p.frames.size(), 3u);
  EXPECT_EQ(p.width, 2);
  EXPECT_EQ(p.height, 1);
  EXPECT_EQ(p.frames[0].pixels, (std::vector<Pixel>{px(kRed), px(kRed)}));
  EXPECT_EQ(p.frames[1].pixels, (std::vector<Pixel>{px(kRed), px(kBlue)}));
  EXPECT_EQ(p.frames[2].pixels, (std::vector<Pixel>{px(kGreen), px(kBlue)}));
  EXPECT_EQ(p.frames[0].delay_ms, 70);
  EXPECT_EQ(p.frames[1].delay_ms, 50);
  EXPECT_EQ(p.frames[2].delay_ms, 50);
  for (const PictureFrame& f : p.frames) EXPECT_EQ(f.transparent_colour, 0x123456u);
}

TEST(Gif, CanvasStartsWhiteAndFullyTransparent) {
  const ByteBuffer gif = GifBuilder(3, 1, kPalette).image(1, 0, 1, 1, {2}).trailer();
  const Picture p = decode_object_picture(gif, kNoColour, true);
  ASSERT_EQ(p.frames.size(), 1u);
  EXPECT_EQ(p.frames[0].pixels, (std::vector<Pixel>{kBlankCanvas, px(kBlue), kBlankCanvas}));
  // Automatic: the canvas's top-left pixel as a colour value.
  EXPECT_EQ(p.frames[0].transparent_colour, 0xFFFFFFu);
}

TEST(Gif, TransparentIndexAndEveryIndexOfItsColourKeepTheCanvas) {
  // Index 4 has the same colour as the transparent index 1.
  const std::vector<std::uint32_t> table = {kRed, kGreen, kBlue, kBlack, kGreen};
  const ByteBuffer gif = GifBuilder(4, 1, table)
                             .image(0, 0, 4, 1, {2, 2, 2, 2})
                             .control(0, 0, 1)
                             .image(0, 0, 4, 1, {0, 1, 4, 3}, {}, false, 3)
                             .trailer();
  const Picture p = decode_object_picture(gif, kNoColour, false);
  ASSERT_EQ(p.frames.size(), 2u);
  EXPECT_EQ(p.frames[1].pixels, (std::vector<Pixel>{px(kRed), px(kBlue), px(kBlue), px(kBlack)}));
}

TEST(Gif, DisposalTwoAndThreeRestoreWhatTheImageCovered) {
  for (int disposal : {2, 3}) {
    const ByteBuffer gif = GifBuilder(3, 1, kPalette)
                               .image(0, 0, 3, 1, {0, 0, 0})
                               .control(disposal, 0)
                               .image(1, 0, 1, 1, {2})
                               .image(0, 0, 1, 1, {1})
                               .trailer();
    const Picture p = decode_object_picture(gif, kNoColour, false);
    ASSERT_EQ(p.frames.size(), 3u) << disposal;
    EXPECT_EQ(p.frames[1].pixels, (std::vector<Pixel>{px(kRed), px(kBlue), px(kRed)}));
    EXPECT_EQ(p.frames[2].pixels, (std::vector<Pixel>{px(kGreen), px(kRed), px(kRed)}));
  }
}

TEST(Gif, DisposalOnTheFirstFrameRestoresTheBlankCanvas) {
  const ByteBuffer gif = GifBuilder(2, 1, kPalette)
                             .control(2, 0)
                             .image(0, 0, 2, 1, {0, 1})
                             .image(1, 0, 1, 1, {2})
                             .trailer();
  const Picture p = decode_object_picture(gif, kNoColour, false);
  ASSERT_EQ(p.frames.size(), 2u);
  EXPECT_EQ(p.frames[1].pixels, (std::vector<Pixel>{kBlankCanvas, px(kBlue)}));
}

TEST(Gif, DisposalOneLeavesTheImage) {
  const ByteBuffer gif = GifBuilder(2, 1, kPalette)
                             .control(1, 0)
                             .image(0, 0, 2, 1, {0, 1})
                             .image(1, 0, 1, 1, {2})
                             .trailer();
  const Picture p = decode_object_picture(gif, kNoColour, false);
  ASSERT_EQ(p.frames.size(), 2u);
  EXPECT_EQ(p.frames[1].pixels, (std::vector<Pixel>{px(kRed), px(kBlue)}));
}

TEST(Gif, ImagesPartlyOutsideTheScreenAreClipped) {
  const ByteBuffer gif = GifBuilder(2, 2, kPalette)
                             .control(3, 0)
                             .image(1, 1, 2, 2, {0, 1, 2, 3})
                             .image(0, 0, 1, 1, {3})
                             .trailer();
  const Picture p = decode_object_picture(gif, kNoColour, false);
  ASSERT_EQ(p.frames.size(), 2u);
  EXPECT_EQ(p.frames[0].pixels,
            (std::vector<Pixel>{kBlankCanvas, kBlankCanvas, kBlankCanvas, px(kRed)}));
  EXPECT_EQ(p.frames[1].pixels,
            (std::vector<Pixel>{px(kBlack), kBlankCanvas, kBlankCanvas, kBlankCanvas}));
}

TEST(Gif, ImageWhollyOutsideTheScreenStillMakesAFrame) {
  const ByteBuffer gif = GifBuilder(1, 1, kPalette).image(5, 5, 1, 1, {0}).trailer();
  const Picture p = decode_object_picture(gif, kNoColour, false);
  ASSERT_EQ(p.frames.size(), 1u);
  EXPECT_EQ(p.frames[0].pixels, (std::vector<Pixel>{kBlankCanvas}));
}

TEST(Gif, InterlacedRowsGoToTheirPlaces) {
  // Stream order of 10 rows: 0, 8, 4, 2, 6, 1, 3, 5, 7, 9. Each row holds
  // the index of its own row number modulo 4.
  const int order[10] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
  std::vector<std::uint8_t> stream;
  for (int r : order) stream.push_back(static_cast<std::uint8_t>(r % 4));
  const ByteBuffer gif = GifBuilder(1, 10, kPalette).image(0, 0, 1, 10, stream, {}, true).trailer();
  const std::optional<PixelRaster> r = load_picture(gif);
  ASSERT_TRUE(r.has_value());
  for (int y = 0; y < 10; ++y) EXPECT_EQ(r->at(0, y), px(kPalette[static_cast<std::size_t>(y % 4)])) << y;
}

TEST(Gif, LocalTableReplacesGlobalOne) {
  const ByteBuffer gif =
      GifBuilder(2, 1, kPalette).image(0, 0, 2, 1, {0, 1}, {kGrey, kBlack}).trailer();
  const std::optional<PixelRaster> r = load_picture(gif);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{px(kGrey), px(kBlack)}));
}

TEST(Gif, IndicesBeyondTheTableAreBlack) {
  const ByteBuffer gif = GifBuilder(3, 1, {kRed, kGreen}).image(0, 0, 3, 1, {1, 2, 3}).trailer();
  const std::optional<PixelRaster> r = load_picture(gif);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{px(kGreen), px(kBlack), px(kBlack)}));
}

TEST(Gif, RepeatedStringCodesAndCodeWidthGrowth) {
  // clear(4), 0, 6 (= next free: "00"), 7 (= next free: "000"), end (5) at
  // the grown width: six zeros from four codes.
  const std::vector<std::uint8_t> lzw =
      test::LzwCodes().code(4, 3).code(0, 3).code(6, 3).code(7, 3).code(5, 4).bytes();
  const ByteBuffer gif = GifBuilder(3, 2, kPalette).image(0, 0, 3, 2, {}, {}, false, 2, &lzw).trailer();
  const std::optional<PixelRaster> r = load_picture(gif);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, std::vector<Pixel>(6, px(kRed)));
}

TEST(Gif, MinimumCodeSizeOne) {
  const std::vector<std::uint8_t> lzw = test::lzw_encode({1, 0, 1, 1, 0}, 1);
  const ByteBuffer gif =
      GifBuilder(5, 1, {kRed, kBlue}).image(0, 0, 5, 1, {}, {}, false, 1, &lzw).trailer();
  const std::optional<PixelRaster> r = load_picture(gif);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pixels, (std::vector<Pixel>{px(kBlue), px(kRed), px(kBlue), px(kBlue), px(kRed)}));
}

// A compressed picture large enough to fill the code table, encoded with and
// without clear codes once the table is full.
class GifFullTableTest : public ::testing::TestWithParam<bool> {};

TEST_P(GifFullTableTest, DecodesExactly) {
  const int w = 150, h = 120;
  std::vector<std::uint8_t> indices;
  std::vector<std::uint32_t> table;
  for (int i = 0; i < 256; ++i) table.push_back(static_cast<std::uint32_t>(i * 0x010101));
  unsigned s = 7;
  for (int i = 0; i < w * h; ++i) {
    s = s * 1103515245u + 12345u;
    indices.push_back(static_cast<std::uint8_t>((s >> 16) % 7 + (i / 997) % 3 * 60));
  }
  const std::vector<std::uint8_t> lzw = test::lzw_encode(indices, 8, GetParam());
  const ByteBuffer gif = GifBuilder(w, h, table).image(0, 0, w, h, {}, {}, false, 8, &lzw).trailer();
  const std::optional<PixelRaster> r = load_picture(gif);
  ASSERT_TRUE(r.has_value());
  int mismatches = 0;
  for (int i = 0; i < w * h; ++i)
    if (r->pixels[static_cast<std::size_t>(i)] != px(table[indices[static_cast<std::size_t>(i)]]))
      ++mismatches;
  EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Clear, GifFullTableTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("ClearWhenFull")
                                             : std::string("NoClearWhenFull");
                         });

TEST(Gif, MissingTrailerAfterCompleteImagesIsAccepted) {
  const ByteBuffer gif = GifBuilder(1, 1, kPalette).image(0, 0, 1, 1, {2});
  EXPECT_EQ(decode_object_picture(gif, kNoColour, false).frames.size(), 1u);
  ASSERT_TRUE(load_picture(gif).has_value());
}

TEST(Gif, EveryCutInsideTheFirstImageFails) {
  const ByteBuffer gif = GifBuilder(4, 3, kPalette).image(0, 0, 4, 3, std::vector<std::uint8_t>(12, 1)).trailer();
  // The trailer is the last byte; every shorter cut ends inside a block.
  for (std::size_t n = 0; n + 1 < gif.size(); ++n) {
    const ByteBuffer cut(gif.begin(), gif.begin() + static_cast<long>(n));
    EXPECT_FALSE(load_picture(cut).has_value()) << n;
    EXPECT_TRUE(decode_object_picture(cut, kNoColour, false).empty()) << n;
  }
}

TEST(Gif, FrameMemoryIsBounded) {
  GifBuilder b(4, 4, kPalette);
  for (int i = 0; i < 10; ++i) b.image(0, 0, 1, 1, {0});
  const ByteBuffer gif = b.trailer();
  DecodeLimits limits;
  limits.max_frame_bytes = 9 * (4 * 4 * 4 + 64);  // room for nine frames only
  EXPECT_TRUE(decode_object_picture(gif.data(), gif.size(), kNoColour, false, limits).empty());
  limits.max_frame_bytes = 10 * (4 * 4 * 4 + 64);
  EXPECT_EQ(decode_object_picture(gif.data(), gif.size(), kNoColour, false, limits).frames.size(), 10u);
}

TEST(Gif, DecodingWorkIsBoundedForImagesWiderThanTheScreen) {
  // Three 200 x 1 images on a 1 x 1 screen: 600 indices decoded, one shown.
  GifBuilder b(1, 1, kPalette);
  for (int i = 0; i < 3; ++i) b.image(0, 0, 200, 1, std::vector<std::uint8_t>(200, 2));
  const ByteBuffer gif = b.trailer();
  DecodeLimits limits;
  limits.max_gif_decoded_pixels = 599;
  EXPECT_TRUE(decode_object_picture(gif.data(), gif.size(), kNoColour, false, limits).empty());
  limits.max_gif_decoded_pixels = 600;
  const Picture p = decode_object_picture(gif.data(), gif.size(), kNoColour, false, limits);
  ASSERT_EQ(p.frames.size(), 3u);
  EXPECT_EQ(p.frames[2].pixels, (std::vector<Pixel>{px(kBlue)}));
}

}  // namespace
}  // namespace sorvane
