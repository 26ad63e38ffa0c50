// The window icon's and the program icon's ICO bytes, and the embedded
// buffers themselves.

#include <gtest/gtest.h>

#include <array>
#include <map>

#include "app/pictures/builtin_pictures.h"
#include "picture_files.h"

namespace sorvane::pictures_test {
namespace {

struct IcoImage {
  int width = 0;
  int height = 0;
  std::vector<std::array<std::uint8_t, 4>> bgra;  // rows from the top
  std::vector<bool> mask;                         // true: transparent
};

// Reads the single 32-bit image of an ICO file (checked by the tests below).
IcoImage read_single_image(const ByteBuffer& f) {
  IcoImage img;
  const std::uint8_t* bih = f.data() + le32(&f[18]);
  img.width = static_cast<int>(le32(bih + 4));
  img.height = static_cast<int>(le32(bih + 8)) / 2;
  const std::uint8_t* pixels = bih + 40;
  const std::size_t stride = static_cast<std::size_t>(img.width) * 4;
  const std::size_t mask_stride = static_cast<std::size_t>((img.width + 31) / 32 * 4);
  const std::uint8_t* mask = pixels + stride * img.height;
  for (int y = 0; y < img.height; ++y) {
    const int stored = img.height - 1 - y;  // bottom-up
    for (int x = 0; x < img.width; ++x) {
      const std::uint8_t* p = pixels + stride * stored + x * 4;
      img.bgra.push_back({p[0], p[1], p[2], p[3]});
      img.mask.push_back(((mask[mask_stride * stored + x / 8] >> (7 - x % 8)) & 1) != 0);
    }
  }
  return img;
}

struct IcoCase {
  const char* name;
  builtin::EmbeddedBytes (*bytes)();
  int size;
  std::uint32_t image_bytes;
};

class BuiltinIco : public ::testing::TestWithParam<IcoCase> {};

TEST_P(BuiltinIco, HeaderAndDirectoryDescribeOne32BitImage) {
  const IcoCase& c = GetParam();
  const ByteBuffer f = c.bytes().to_buffer();
  ASSERT_EQ(f.size(), 22u + c.image_bytes);
  EXPECT_EQ(le16(&f[0]), 0) << "reserved";
  EXPECT_EQ(le16(&f[2]), 1) << "type: icon";
  EXPECT_EQ(le16(&f[4]), 1) << "one image";
  EXPECT_EQ(f[6], c.size);
  EXPECT_EQ(f[7], c.size);
  EXPECT_EQ(f[8], 0) << "colour count";
  EXPECT_EQ(f[9], 0);
  EXPECT_EQ(le16(&f[10]), 1) << "planes";
  EXPECT_EQ(le16(&f[12]), 32) << "bits per pixel";
  EXPECT_EQ(le32(&f[14]), c.image_bytes);
  EXPECT_EQ(le32(&f[18]), 22u);
}

TEST_P(BuiltinIco, BitmapHeaderIsDoubleHeightUncompressed32Bit) {
  const IcoCase& c = GetParam();
  const ByteBuffer f = c.bytes().to_buffer();
  ASSERT_EQ(f.size(), 22u + c.image_bytes);
  const std::uint8_t* b = f.data() + 22;
  EXPECT_EQ(le32(b), 40u);
  EXPECT_EQ(le32(b + 4), static_cast<std::uint32_t>(c.size));
  EXPECT_EQ(le32(b + 8), static_cast<std::uint32_t>(2 * c.size));
  EXPECT_EQ(le16(b + 12), 1);
  EXPECT_EQ(le16(b + 14), 32);
  EXPECT_EQ(le32(b + 16), 0u);
  const std::uint32_t mask_bytes = static_cast<std::uint32_t>((c.size + 31) / 32 * 4 * c.size);
  EXPECT_EQ(40u + static_cast<std::uint32_t>(c.size * c.size * 4) + mask_bytes, c.image_bytes);
}

TEST_P(BuiltinIco, MaskIsSetExactlyWhereAlphaIsZero) {
  const IcoCase& c = GetParam();
  const IcoImage img = read_single_image(c.bytes().to_buffer());
  int disagree = 0;
  for (std::size_t i = 0; i < img.bgra.size(); ++i) {
    disagree += (img.bgra[i][3] == 0) != img.mask[i] ? 1 : 0;
  }
  EXPECT_EQ(disagree, 0);
}

INSTANTIATE_TEST_SUITE_P(Icons, BuiltinIco,
                         ::testing::Values(IcoCase{"window_icon", builtin::window_icon, 92, 35000},
                                           IcoCase{"program_icon", builtin::program_icon, 32, 4264}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WindowIcon, Is35022Bytes) { EXPECT_EQ(builtin::window_icon().size, 35022u); }

TEST(WindowIcon, AlphaTakesOnly0And150And255InTheirCounts) {
  const IcoImage img = read_single_image(builtin::window_icon().to_buffer());
  std::map<int, int> counts;
  for (const auto& p : img.bgra) ++counts[p[3]];
  EXPECT_EQ(counts, (std::map<int, int>{{0, 5396}, {150, 53}, {255, 3015}}));
}

TEST(WindowIcon, ShapeLiesWithinItsBoxAndReachesEachSide) {
  const IcoImage img = read_single_image(builtin::window_icon().to_buffer());
  int x0 = 92, y0 = 92, x1 = -1, y1 = -1;
  for (int y = 0; y < 92; ++y) {
    for (int x = 0; x < 92; ++x) {
      if (img.bgra[static_cast<std::size_t>(y * 92 + x)][3] == 0) continue;
      x0 = std::min(x0, x);
      x1 = std::max(x1, x);
      y0 = std::min(y0, y);
      y1 = std::max(y1, y);
    }
  }
  EXPECT_EQ(x0, 14);
  EXPECT_EQ(x1, 79);
  EXPECT_EQ(y0, 8);
  EXPECT_EQ(y1, 85);
}

TEST(WindowIcon, TransparentPixelsCarryNoColour) {
  const IcoImage img = read_single_image(builtin::window_icon().to_buffer());
  for (const auto& p : img.bgra) {
    if (p[3] == 0) {
      EXPECT_EQ(p[0] | p[1] | p[2], 0);
    }
  }
}

TEST(ProgramIcon, AlphaIsGradedAlongTheRoundEdge) {
  const IcoImage img = read_single_image(builtin::program_icon().to_buffer());
  auto alpha = [&](int x, int y) { return img.bgra[static_cast<std::size_t>(y * 32 + x)][3]; };
  EXPECT_EQ(alpha(0, 0), 0);
  EXPECT_EQ(alpha(31, 31), 0);
  EXPECT_EQ(alpha(16, 16), 255);
  int graded = 0;
  for (const auto& p : img.bgra) graded += (p[3] > 0 && p[3] < 255) ? 1 : 0;
  EXPECT_GE(graded, 40) << "a soft circular edge, not a hard mask";
  // Graded values lie on a ring around the centre, none inside it.
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const double dx = x + 0.5 - 16;
      const double dy = y + 0.5 - 16;
      if (dx * dx + dy * dy < 12.0 * 12.0) {
        EXPECT_EQ(alpha(x, y), 255) << x << ", " << y;
      }
    }
  }
}

struct EmbeddedCase {
  const char* name;
  builtin::EmbeddedBytes (*bytes)();
  std::vector<std::uint8_t> magic;
};

class EmbeddedPicture : public ::testing::TestWithParam<EmbeddedCase> {};

TEST_P(EmbeddedPicture, BufferIsAFullCopyStartingWithTheFormatsMagic) {
  const builtin::EmbeddedBytes e = GetParam().bytes();
  ASSERT_NE(e.data, nullptr);
  const ByteBuffer b = e.to_buffer();
  ASSERT_EQ(b.size(), e.size);
  EXPECT_TRUE(std::equal(b.begin(), b.end(), e.data));
  ASSERT_GE(b.size(), GetParam().magic.size());
  EXPECT_TRUE(std::equal(GetParam().magic.begin(), GetParam().magic.end(), b.begin()));
  EXPECT_NE(b.data(), e.data) << "the caller owns its copy";
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, EmbeddedPicture,
    ::testing::Values(EmbeddedCase{"background", builtin::background_picture, {0xFF, 0xD8, 0xFF}},
                      EmbeddedCase{"overlay", builtin::overlay_picture, {0x89, 'P', 'N', 'G'}},
                      EmbeddedCase{"panel", builtin::panel_picture, {0xFF, 0xD8, 0xFF}},
                      EmbeddedCase{"window_icon", builtin::window_icon, {0, 0, 1, 0}},
                      EmbeddedCase{"program_icon", builtin::program_icon, {0, 0, 1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EmbeddedBytes, EmptyRunGivesAnEmptyBuffer) {
  EXPECT_TRUE((builtin::EmbeddedBytes{nullptr, 0}.to_buffer().empty()));
}

}  // namespace
}  // namespace sorvane::pictures_test
