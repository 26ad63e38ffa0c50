// The overlay's pixels: one opaque rectangle x 0-459, y 603-876, everything
// else stored as (255, 255, 255, 0); the brown band's frame, inner panel and
// bottom edge in their places and colours.

#include <gtest/gtest.h>

#include "app/pictures/builtin_pictures.h"
#include "picture_files.h"

namespace sorvane::pictures_test {
namespace {

const RgbaImage& overlay() {
  static const RgbaImage img = decode_png(builtin::overlay_picture().to_buffer()).value();
  return img;
}

Rgb colour(const RgbaImage& img, int x, int y) {
  const std::uint8_t* p = img.at(x, y);
  return Rgb{p[0], p[1], p[2]};
}

bool in_band(int x, int y) { return x >= 0 && x <= 459 && y >= 603 && y <= 876; }

TEST(OverlayAlpha, DecodesTo460By879) {
  EXPECT_EQ(overlay().width, 460);
  EXPECT_EQ(overlay().height, 879);
}

TEST(OverlayAlpha, HasExactly126040OpaquePixelsAllInTheBand) {
  const RgbaImage& img = overlay();
  int opaque = 0;
  int opaque_outside = 0;
  int other_alpha = 0;
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const std::uint8_t a = img.at(x, y)[3];
      if (a == 255) {
        ++opaque;
        if (!in_band(x, y)) ++opaque_outside;
      } else if (a != 0) {
        ++other_alpha;
      }
    }
  }
  EXPECT_EQ(opaque, 126040);
  EXPECT_EQ(opaque_outside, 0);
  EXPECT_EQ(other_alpha, 0) << "no partly transparent pixel";
}

TEST(OverlayAlpha, EveryPixelOutsideTheBandIsTransparentWhite) {
  const RgbaImage& img = overlay();
  int wrong = 0;
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      if (in_band(x, y)) continue;
      const std::uint8_t* p = img.at(x, y);
      if (p[0] != 255 || p[1] != 255 || p[2] != 255 || p[3] != 0) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(OverlayAlpha, EveryPixelInsideTheBandIsOpaque) {
  const RgbaImage& img = overlay();
  int transparent = 0;
  for (int y = 603; y <= 876; ++y) {
    for (int x = 0; x < 460; ++x) transparent += img.at(x, y)[3] != 255 ? 1 : 0;
  }
  EXPECT_EQ(transparent, 0);
}

struct SamplePoint {
  const char* name;
  int x;
  int y;
  Rgb expected;
};

class OverlayBandColour : public ::testing::TestWithParam<SamplePoint> {};

TEST_P(OverlayBandColour, IsWithinAFewUnitsOfTheTypicalValue) {
  const SamplePoint& s = GetParam();
  const Rgb got = colour(overlay(), s.x, s.y);
  EXPECT_LE(distance(got, s.expected), 6)
      << "(" << got.r << ", " << got.g << ", " << got.b << ") at " << s.x << ", " << s.y;
}

INSTANTIATE_TEST_SUITE_P(
    Overlay, OverlayBandColour,
    ::testing::Values(
        SamplePoint{"body_left_margin", 5, 700, {163, 137, 104}},
        SamplePoint{"body_right_margin", 454, 760, {163, 137, 104}},
        SamplePoint{"body_above_inner_panel", 200, 607, {163, 137, 104}},
        SamplePoint{"body_below_inner_panel", 200, 870, {163, 137, 104}},
        SamplePoint{"dark_line_left", 0, 700, {97, 84, 78}},
        SamplePoint{"dark_line_right", 459, 650, {97, 84, 78}},
        SamplePoint{"light_line_left", 1, 700, {181, 166, 147}},
        SamplePoint{"light_line_right", 458, 800, {181, 166, 147}},
        SamplePoint{"inner_panel_right_of_arrows", 420, 700, {120, 102, 78}},
        SamplePoint{"inner_panel_between_rows", 200, 638, {120, 102, 78}},
        SamplePoint{"inner_panel_after_short_row", 300, 649, {120, 102, 78}},
        SamplePoint{"bottom_lip", 230, 876, {184, 166, 144}}),
    [](const auto& info) { return std::string(info.param.name); });

// The side of the boundary a pixel lies on: nearer the inner panel's colour
// than the band body's.
bool is_inner(const RgbaImage& img, int x, int y) {
  const Rgb c = colour(img, x, y);
  return distance(c, Rgb{120, 102, 78}) < distance(c, Rgb{163, 137, 104});
}

struct RowSpan {
  const char* name;
  int y;
  int first;
  int last;
};

class OverlayInnerPanelSpan : public ::testing::TestWithParam<RowSpan> {};

TEST_P(OverlayInnerPanelSpan, CoversExactlyItsColumns) {
  const RowSpan& r = GetParam();
  const RgbaImage& img = overlay();
  EXPECT_FALSE(is_inner(img, r.first - 1, r.y));
  EXPECT_TRUE(is_inner(img, r.first, r.y));
  EXPECT_TRUE(is_inner(img, r.last, r.y));
  EXPECT_FALSE(is_inner(img, r.last + 1, r.y));
}

INSTANTIATE_TEST_SUITE_P(
    Overlay, OverlayInnerPanelSpan,
    ::testing::Values(RowSpan{"top_row_611", 611, 14, 444}, RowSpan{"first_full_row_616", 616, 10, 449},
                      RowSpan{"middle_row_760", 760, 10, 449}, RowSpan{"last_full_row_864", 864, 10, 449},
                      RowSpan{"bottom_row_869", 869, 14, 445}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OverlayInnerPanel, StartsAtRow611AndEndsAtRow869) {
  const RgbaImage& img = overlay();
  EXPECT_FALSE(is_inner(img, 200, 610));
  EXPECT_TRUE(is_inner(img, 200, 611));
  EXPECT_TRUE(is_inner(img, 200, 869));
  EXPECT_FALSE(is_inner(img, 200, 870));
}

TEST(OverlayBottomEdge, CornerPixelsAreNearWhite) {
  const RgbaImage& img = overlay();
  for (int x : {0, 459}) {
    const Rgb c = colour(img, x, 876);
    EXPECT_GE(std::min({c.r, c.g, c.b}), 235) << "corner at x " << x;
  }
  // Inside the corner the edge is the frame's, not the desktop's.
  EXPECT_LT(colour(img, 6, 876).g, 200);
  EXPECT_LT(colour(img, 453, 876).g, 200);
}

}  // namespace
}  // namespace sorvane::pictures_test
