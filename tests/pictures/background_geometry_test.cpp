// The background's regions in their places and colours, and the relations
// between background and overlay that hold before any composition: the band
// covers the card's bar and bottom edge, and the inner panel, icon columns
// and arrows of the two bars coincide.

#include <gtest/gtest.h>

#include "app/pictures/builtin_pictures.h"
#include "picture_files.h"

namespace sorvane::pictures_test {
namespace {

const RgbImage& background() {
  static const RgbImage img = decode_jpeg(builtin::background_picture().to_buffer()).value();
  return img;
}

const RgbaImage& overlay() {
  static const RgbaImage img = decode_png(builtin::overlay_picture().to_buffer()).value();
  return img;
}

Rgb overlay_colour(int x, int y) {
  const std::uint8_t* p = overlay().at(x, y);
  return Rgb{p[0], p[1], p[2]};
}

TEST(Background, Is460By679) {
  EXPECT_EQ(background().width, 460);
  EXPECT_EQ(background().height, 679);
}

struct SamplePoint {
  const char* name;
  int x;
  int y;
  Rgb expected;
  int tolerance;
};

class BackgroundColour : public ::testing::TestWithParam<SamplePoint> {};

TEST_P(BackgroundColour, IsNearTheTypicalValue) {
  const SamplePoint& s = GetParam();
  const Rgb got = background().at(s.x, s.y);
  EXPECT_LE(distance(got, s.expected), s.tolerance)
      << "(" << got.r << ", " << got.g << ", " << got.b << ") at " << s.x << ", " << s.y;
}

INSTANTIATE_TEST_SUITE_P(
    Background, BackgroundColour,
    ::testing::Values(
        SamplePoint{"outline_left", 0, 300, {83, 95, 79}, 6},
        SamplePoint{"outline_right", 459, 500, {83, 95, 79}, 6},
        SamplePoint{"top_left_corner_shows_desktop", 0, 0, {250, 251, 250}, 8},
        SamplePoint{"top_right_corner_shows_desktop", 459, 0, {250, 251, 250}, 8},
        SamplePoint{"divider_green_start", 2, 184, {84, 184, 0}, 6},
        SamplePoint{"divider_green_end", 238, 185, {84, 184, 0}, 6},
        SamplePoint{"divider_orange_start", 239, 184, {248, 81, 10}, 6},
        SamplePoint{"divider_orange_end", 457, 185, {248, 81, 10}, 6},
        SamplePoint{"selected_tab", 5, 201, {132, 181, 220}, 8},
        SamplePoint{"tab_pointer_top", 33, 217, {132, 181, 220}, 6},
        SamplePoint{"tab_pointer_tip", 36, 219, {132, 181, 220}, 6},
        SamplePoint{"beside_pointer_tip", 34, 219, {235, 243, 230}, 6},
        SamplePoint{"content_page", 200, 450, {235, 243, 230}, 5},
        SamplePoint{"content_page_last_row", 200, 602, {235, 243, 230}, 5},
        SamplePoint{"icon_bar_band", 5, 640, {143, 187, 124}, 6},
        SamplePoint{"icon_bar_band_below_inner", 200, 673, {143, 187, 124}, 6},
        SamplePoint{"icon_bar_inner", 420, 662, {107, 140, 93}, 6}),
    [](const auto& info) { return std::string(info.param.name); });

bool is_inner(Rgb c, Rgb inner, Rgb band) { return distance(c, inner) < distance(c, band); }

struct RowSpan {
  const char* name;
  int y;
  int first;
  int last;
};

class BackgroundInnerPanelSpan : public ::testing::TestWithParam<RowSpan> {};

TEST_P(BackgroundInnerPanelSpan, CoversExactlyItsColumns) {
  const RowSpan& r = GetParam();
  const Rgb inner{107, 140, 93};
  const Rgb band{143, 187, 124};
  EXPECT_FALSE(is_inner(background().at(r.first - 1, r.y), inner, band));
  EXPECT_TRUE(is_inner(background().at(r.first, r.y), inner, band));
  EXPECT_TRUE(is_inner(background().at(r.last, r.y), inner, band));
  EXPECT_FALSE(is_inner(background().at(r.last + 1, r.y), inner, band));
}

INSTANTIATE_TEST_SUITE_P(Background, BackgroundInnerPanelSpan,
                         ::testing::Values(RowSpan{"top_row_611", 611, 14, 444},
                                           RowSpan{"full_row_640", 640, 10, 449},
                                           RowSpan{"bottom_row_670", 670, 14, 445}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Alignment, OverlayIsAsWideAsTheBackgroundAndItsBandRunsOn198Rows) {
  EXPECT_EQ(overlay().width, background().width);
  // The band's last opaque row.
  int last = -1;
  for (int y = 0; y < overlay().height; ++y) {
    if (overlay().at(0, y)[3] == 255) last = y;
  }
  EXPECT_EQ(last - (background().height - 1), 198);
}

TEST(Alignment, BandCoversTheBackgroundsIconBarAndBottomEdge) {
  int uncovered = 0;
  for (int y = 603; y <= 678; ++y) {
    for (int x = 0; x < 460; ++x) uncovered += overlay().at(x, y)[3] != 255 ? 1 : 0;
  }
  EXPECT_EQ(uncovered, 0);
  // ... and leaves the content page above it uncovered.
  for (int x = 0; x < 460; ++x) EXPECT_EQ(overlay().at(x, 602)[3], 0);
}

TEST(Alignment, BackgroundsIconBarBeginsAtRow603) {
  const Rgb page{235, 243, 230};
  const Rgb band{143, 187, 124};
  for (int x : {5, 200, 420}) {
    EXPECT_LT(distance(background().at(x, 602), page), distance(background().at(x, 602), band));
    EXPECT_LT(distance(background().at(x, 604), band), distance(background().at(x, 604), page));
  }
}

// The six-pixel gaps between icon columns hold nothing but the inner panel,
// in both bars, on every row of icons: the icons stand in the same columns.
struct IconRow {
  const char* name;
  bool in_overlay;
  int centre;
};

class IconColumnGaps : public ::testing::TestWithParam<IconRow> {};

TEST_P(IconColumnGaps, AreBarePanel) {
  const IconRow& r = GetParam();
  const Rgb inner = r.in_overlay ? Rgb{120, 102, 78} : Rgb{107, 140, 93};
  int off = 0;
  for (int y = r.centre - 8; y <= r.centre + 7; ++y) {
    for (int k = 0; k < 15; ++k) {
      for (int x = 35 + 22 * k; x <= 40 + 22 * k; ++x) {
        const Rgb c = r.in_overlay ? overlay_colour(x, y) : background().at(x, y);
        off += distance(c, inner) > 8 ? 1 : 0;
      }
    }
  }
  EXPECT_EQ(off, 0);
}

TEST_P(IconColumnGaps, EachColumnOfTheFullRowHoldsAnIcon) {
  const IconRow& r = GetParam();
  const Rgb inner = r.in_overlay ? Rgb{120, 102, 78} : Rgb{107, 140, 93};
  const int count = r.in_overlay && r.centre == 649 ? 6 : (r.in_overlay && r.centre == 853 ? 10 : 16);
  for (int k = 0; k < 16; ++k) {
    int marked = 0;
    for (int y = r.centre - 8; y <= r.centre + 7; ++y) {
      for (int x = 19 + 22 * k; x <= 34 + 22 * k; ++x) {
        const Rgb c = r.in_overlay ? overlay_colour(x, y) : background().at(x, y);
        marked += distance(c, inner) > 20 ? 1 : 0;
      }
    }
    if (k < count) {
      EXPECT_GT(marked, 20) << "column " << k;
    } else {
      EXPECT_EQ(marked, 0) << "column " << k << " should be empty";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bars, IconColumnGaps,
    ::testing::Values(IconRow{"background_row_1", false, 626}, IconRow{"background_row_2", false, 655},
                      IconRow{"overlay_row_1", true, 626}, IconRow{"overlay_row_2", true, 649},
                      IconRow{"overlay_row_3", true, 671}, IconRow{"overlay_row_4", true, 699},
                      IconRow{"overlay_row_5", true, 725}, IconRow{"overlay_row_6", true, 751},
                      IconRow{"overlay_row_7", true, 776}, IconRow{"overlay_row_8", true, 801},
                      IconRow{"overlay_row_9", true, 826}, IconRow{"overlay_row_10", true, 853}),
    [](const auto& info) { return std::string(info.param.name); });

// The arrow pair: columns 374-378 (pointing left) and 384-388 (pointing
// right), nine rows tall at the base, one at the tip, centred on cy.
struct ArrowRow {
  const char* name;
  bool in_overlay;
  int cy;
};

class ArrowPair : public ::testing::TestWithParam<ArrowRow> {};

TEST_P(ArrowPair, HasItsTipsAndBasesInPlace) {
  const ArrowRow& r = GetParam();
  auto light = [&](int x, int y) {
    const Rgb c = r.in_overlay ? overlay_colour(x, y) : background().at(x, y);
    return c.r + c.g + c.b > 600;
  };
  // Tips: one pixel on the centre row.
  EXPECT_TRUE(light(374, r.cy));
  EXPECT_FALSE(light(374, r.cy - 1));
  EXPECT_FALSE(light(374, r.cy + 1));
  EXPECT_TRUE(light(388, r.cy));
  EXPECT_FALSE(light(388, r.cy - 1));
  // Bases: rows cy-4 .. cy+4 and nothing beyond.
  for (int x : {378, 384}) {
    for (int y = r.cy - 4; y <= r.cy + 4; ++y) EXPECT_TRUE(light(x, y)) << x << ", " << y;
    EXPECT_FALSE(light(x, r.cy - 5));
    EXPECT_FALSE(light(x, r.cy + 5));
  }
  // Nothing in the columns just outside the pair or between them.
  for (int y = r.cy - 5; y <= r.cy + 5; ++y) {
    EXPECT_FALSE(light(373, y));
    EXPECT_FALSE(light(381, y));
    EXPECT_FALSE(light(389, y));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ArrowPair,
    ::testing::Values(ArrowRow{"background_row_1", false, 626}, ArrowRow{"background_row_2", false, 654},
                      ArrowRow{"overlay_row_1", true, 626}, ArrowRow{"overlay_row_5", true, 725},
                      ArrowRow{"overlay_row_10", true, 853}),
    [](const auto& info) { return std::string(info.param.name); });

// The icon-management label's ink lies inside its box.
struct LabelBox {
  const char* name;
  bool in_overlay;
  int left;
  int top;
  int right;
  int bottom;
};

class ManagementLabel : public ::testing::TestWithParam<LabelBox> {};

TEST_P(ManagementLabel, InkStaysInItsBoxAndFillsIt) {
  const LabelBox& b = GetParam();
  int x0 = 1000, y0 = 1000, x1 = -1, y1 = -1;
  for (int y = b.top - 6; y <= b.bottom + 6; ++y) {
    for (int x = 392; x <= 449; ++x) {
      const Rgb c = b.in_overlay ? overlay_colour(x, y) : background().at(x, y);
      if (c.r + c.g + c.b < 560) continue;  // the label's light ink only
      x0 = std::min(x0, x);
      x1 = std::max(x1, x);
      y0 = std::min(y0, y);
      y1 = std::max(y1, y);
    }
  }
  EXPECT_GE(x0, b.left);
  EXPECT_LE(x1, b.right);
  EXPECT_GE(y0, b.top);
  EXPECT_LE(y1, b.bottom);
  EXPECT_GE(x1 - x0, b.right - b.left - 4) << "label spans about its box";
  EXPECT_GE(y1 - y0, b.bottom - b.top - 2);
}

INSTANTIATE_TEST_SUITE_P(Bars, ManagementLabel,
                         ::testing::Values(LabelBox{"background", false, 399, 635, 444, 645},
                                           LabelBox{"overlay", true, 394, 734, 439, 744}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane::pictures_test
