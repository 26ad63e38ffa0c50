// Composition of the display area: the blend to the letter, the runs found
// for a picture, and the rectangle composition over a background.
#include <gtest/gtest.h>

#include "display/composition.h"
#include "display/picture_store.h"

namespace sorvane {
namespace {

struct QRectLike {
  int x, y, w, h;
};

struct BlendRow {
  const char* name;
  Pixel source;
  Pixel dest;
  bool keyed;
  Pixel key;
  std::int64_t alpha_percent;
  Pixel expected;
};

class Blend : public ::testing::TestWithParam<BlendRow> {};

TEST_P(Blend, FollowsTheRule) {
  const BlendRow& r = GetParam();
  EXPECT_EQ(blend_pixel(r.source, r.dest, r.keyed, r.key, alpha_extra(r.alpha_percent)),
            r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Blend,
    ::testing::Values(
        // 255 over 0 at T 127: 0 + round(255 * 128 / 255) = 128.
        BlendRow{"half_alpha_rounds_to_128", 0x7FFFFFFF, 0x00000000, false, 0, 0, 0x00808080},
        BlendRow{"opaque_replaces_all_four_bytes", 0x00123456, 0xAB654321, false, 0, 0,
                 0x00123456},
        BlendRow{"transparent_keeps", 0xFF123456, 0x00654321, false, 0, 0, 0x00654321},
        // Darkening: 0 over 200 at T 100 is 200 + round(-200 * 155 / 255) = 200 - 122.
        BlendRow{"negative_products_round_away_from_zero", 0x64000000, 0x00C8C8C8, false, 0, 0,
                 0x004E4E4E},
        // A 10 % object alpha adds round(25.5) = 26 to T.
        BlendRow{"alpha_percent_half_rounds_up", 0x00FF0000, 0x00000000, false, 0, 10,
                 0x00E50000},
        BlendRow{"alpha_100_hides", 0x00FF0000, 0x00000000, false, 0, 100, 0x00000000},
        BlendRow{"dest_transparency_byte_is_kept", 0x7FFFFFFF, 0x33000000, false, 0, 0,
                 0x33808080},
        BlendRow{"key_colour_keeps_even_when_opaque", 0x00102030, 0x00FFFFFF, true, 0x00102030, 0,
                 0x00FFFFFF},
        BlendRow{"key_ignores_the_transparency_byte", 0x40102030, 0x00FFFFFF, true, 0x00102030, 0,
                 0x00FFFFFF}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundDiv, HalvesGoAwayFromZero) {
  EXPECT_EQ(round_div(51, 2), 26);
  EXPECT_EQ(round_div(-51, 2), -26);
  EXPECT_EQ(round_div(50, 2), 25);
  EXPECT_EQ(alpha_extra(1), 3);  // 2.55
  EXPECT_EQ(alpha_extra(-10), -26);
}

PictureFrame frame_of(std::vector<Pixel> pixels, ColourValue key = kNoColour) {
  PictureFrame f;
  f.transparent_colour = key;
  f.pixels = std::move(pixels);
  return f;
}

TEST(FrameRuns, SplitsRowsIntoCopyAndBlendRuns) {
  // One row: transparent, 2 opaque, 1 partial, key-coloured, opaque.
  const PictureFrame f = frame_of(
      {0xFF000000, 0x00000001, 0x00000002, 0x40000003, 0x00ABCDEF, 0x00000004}, 0x00EFCDAB);
  const FrameRuns runs = find_frame_runs(f, 6, 1);
  ASSERT_EQ(runs.runs.size(), 3u);
  EXPECT_EQ(runs.runs[0].start, 1);
  EXPECT_EQ(runs.runs[0].length, 2);
  EXPECT_EQ(runs.runs[0].kind, FrameRuns::kCopy);
  EXPECT_EQ(runs.runs[1].start, 3);
  EXPECT_EQ(runs.runs[1].kind, FrameRuns::kBlend);
  EXPECT_EQ(runs.runs[2].start, 5);
  EXPECT_EQ(runs.runs[2].kind, FrameRuns::kCopy);
  EXPECT_EQ(runs.row_at, (std::vector<std::uint32_t>{0, 3}));
}

TEST(PictureStoreTest, KeepsIdenticalPicturesOnceAndFreesTheLast) {
  PictureStore store;
  Picture a{2, 1, {frame_of({1, 2})}};
  Picture b = a;
  Picture c{2, 1, {frame_of({1, 3})}};
  auto held_a = store.store(a);
  auto held_b = store.store(b);
  auto held_c = store.store(c);
  EXPECT_EQ(held_a, held_b);
  EXPECT_NE(held_a, held_c);
  EXPECT_EQ(store.size(), 2u);
  held_a.reset();
  EXPECT_EQ(store.size(), 2u);  // b still holds it
  held_b.reset();
  held_c.reset();
  EXPECT_EQ(store.size(), 0u);
}

// Per-pixel reference: the rule applied object after object, then T = 0.
std::vector<Pixel> reference(const PixelRaster& bg, const std::vector<ComposedObject>& objects,
                             int x0, int y0, int w, int h) {
  std::vector<Pixel> out;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      Pixel d = bg.at(x, y);
      for (const ComposedObject& o : objects) {
        const Picture& p = o.picture->picture;
        const int fx = x - o.left, fy = y - o.top;
        if (fx < 0 || fy < 0 || fx >= p.width || fy >= p.height) continue;
        const PictureFrame& f = p.frames[static_cast<std::size_t>(o.frame)];
        d = blend_pixel(f.pixels[static_cast<std::size_t>(fy) * p.width + fx], d,
                        f.transparent_colour != kNoColour, colour_to_pixel(f.transparent_colour),
                        alpha_extra(o.alpha_percent));
      }
      out.push_back(d & 0xFFFFFFu);
    }
  }
  return out;
}

TEST(ComposeRect, MatchesThePerPixelRuleForOverlappingObjects) {
  PixelRaster bg{8, 6, {}};
  for (int i = 0; i < 48; ++i) bg.pixels.push_back(make_pixel(static_cast<std::uint8_t>(i * 5), 7, 9));
  // A banded object: transparent rows, partial rows and one fully opaque row.
  std::vector<Pixel> band;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      band.push_back(y == 2 ? make_pixel(200, 100, 50) : make_pixel(10, 20, 30, static_cast<std::uint8_t>(y * 80 + x)));
  PictureStore store;
  auto lower = store.store(Picture{6, 4, {frame_of(band)}});
  auto upper = store.store(Picture{3, 3, {frame_of({0x00FFFFFF, 0x00010203, 0x80FFFFFF, 0x00010203,
                                                     0x00FFFFFF, 0xFF000000, 0, 0, 0},
                                                    0x00030201)}});
  const std::vector<ComposedObject> objects = {
      {lower.get(), 0, -2, 1, 0}, {upper.get(), 0, 5, 3, 30}, {lower.get(), 0, 1, 4, 0}};
  for (const QRectLike& r : {QRectLike{0, 0, 8, 6}, QRectLike{1, 2, 5, 3}, QRectLike{6, 5, 2, 1}}) {
    std::vector<Pixel> out;
    compose_rect(bg, objects, r.x, r.y, r.w, r.h, 0, out);
    EXPECT_EQ(out, reference(bg, objects, r.x, r.y, r.w, r.h)) << r.x << "," << r.y;
  }
}

TEST(ComposeRect, MarksEveryPixelWithTheToolkitsOpaqueByte) {
  PixelRaster bg{2, 2, {0x11000001, 0x22000002, 0x33000003, 0x44000004}};
  PictureStore store;
  auto half = store.store(Picture{1, 1, {frame_of({0x7FFFFFFF})}});
  std::vector<Pixel> out;
  compose_rect(bg, {{half.get(), 0, 1, 1, 0}}, 0, 0, 2, 2, 0xFF000000u, out);
  EXPECT_EQ(out, (std::vector<Pixel>{0xFF000001, 0xFF000002, 0xFF000003, 0xFF808082}));
}

}  // namespace
}  // namespace sorvane
