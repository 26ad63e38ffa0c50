// The overlay's PNG chunks: IHDR 460 x 879 8-bit RGBA without interlace,
// pHYs and cHRM, one IDAT, IEND; none of the chunks that would change how
// the display area's decoder treats it.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/pictures/builtin_pictures.h"
#include "picture_files.h"

namespace sorvane::pictures_test {
namespace {

std::vector<PngChunk> overlay_chunks() { return png_chunks(builtin::overlay_picture().to_buffer()); }

const PngChunk* find(const std::vector<PngChunk>& chunks, const std::string& type) {
  const auto it = std::find_if(chunks.begin(), chunks.end(), [&](const PngChunk& c) { return c.type == type; });
  return it == chunks.end() ? nullptr : &*it;
}

TEST(OverlayPng, ChunksAreIhdrPhysChrmOneIdatIendWithGoodCrcs) {
  const auto chunks = overlay_chunks();
  ASSERT_FALSE(chunks.empty());
  std::vector<std::string> types;
  for (const PngChunk& c : chunks) {
    types.push_back(c.type);
    EXPECT_TRUE(c.crc_ok) << c.type;
  }
  ASSERT_GE(types.size(), 3u);
  EXPECT_EQ(types.front(), "IHDR");
  EXPECT_EQ(types.back(), "IEND");
  EXPECT_EQ(std::count(types.begin(), types.end(), "IDAT"), 1);
  EXPECT_EQ(std::count(types.begin(), types.end(), "pHYs"), 1);
  EXPECT_EQ(std::count(types.begin(), types.end(), "cHRM"), 1);
  // The ancillary chunks come before the image data.
  const auto idat = std::find(types.begin(), types.end(), "IDAT");
  EXPECT_LT(std::find(types.begin(), types.end(), "pHYs"), idat);
  EXPECT_LT(std::find(types.begin(), types.end(), "cHRM"), idat);
}

TEST(OverlayPng, HeaderIs460By879EightBitRgbaNotInterlaced) {
  const auto chunks = overlay_chunks();
  const PngChunk* ihdr = find(chunks, "IHDR");
  ASSERT_NE(ihdr, nullptr);
  ASSERT_EQ(ihdr->data.size(), 13u);
  EXPECT_EQ(be32(&ihdr->data[0]), 460u);
  EXPECT_EQ(be32(&ihdr->data[4]), 879u);
  EXPECT_EQ(ihdr->data[8], 8) << "bit depth";
  EXPECT_EQ(ihdr->data[9], 6) << "colour type RGBA";
  EXPECT_EQ(ihdr->data[10], 0) << "compression";
  EXPECT_EQ(ihdr->data[11], 0) << "filter method";
  EXPECT_EQ(ihdr->data[12], 0) << "interlace";
}

TEST(OverlayPng, PhysIs3780PixelsPerMetreBothWays) {
  const auto chunks = overlay_chunks();
  const PngChunk* phys = find(chunks, "pHYs");
  ASSERT_NE(phys, nullptr);
  ASSERT_EQ(phys->data.size(), 9u);
  EXPECT_EQ(be32(&phys->data[0]), 3780u);
  EXPECT_EQ(be32(&phys->data[4]), 3780u);
  EXPECT_EQ(phys->data[8], 1) << "unit: metre";
}

TEST(OverlayPng, ChrmHoldsTheSrgbChromaticities) {
  const auto chunks = overlay_chunks();
  const PngChunk* chrm = find(chunks, "cHRM");
  ASSERT_NE(chrm, nullptr);
  ASSERT_EQ(chrm->data.size(), 32u);
  const std::uint32_t expected[8] = {31269, 32899, 63999, 33001, 30000, 60000, 15000, 5999};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(be32(&chrm->data[4 * i]), expected[i]) << "value " << i;
}

class OverlayChunkAbsent : public ::testing::TestWithParam<const char*> {};

TEST_P(OverlayChunkAbsent, IsNotInTheFile) {
  EXPECT_EQ(find(overlay_chunks(), GetParam()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Overlay, OverlayChunkAbsent,
                         ::testing::Values("gAMA", "sRGB", "bKGD", "tRNS", "PLTE", "iCCP"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace sorvane::pictures_test
