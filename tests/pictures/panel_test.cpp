// The panel dialog's frame, list, separator, link and default button in
// their places and colours.

#include <gtest/gtest.h>

#include "app/pictures/builtin_pictures.h"
#include "picture_files.h"

namespace sorvane::pictures_test {
namespace {

const RgbImage& panel() {
  static const RgbImage img = decode_jpeg(builtin::panel_picture().to_buffer()).value();
  return img;
}

TEST(Panel, Is372By435) {
  EXPECT_EQ(panel().width, 372);
  EXPECT_EQ(panel().height, 435);
}

struct SamplePoint {
  const char* name;
  int x;
  int y;
  Rgb expected;
};

class PanelColour : public ::testing::TestWithParam<SamplePoint> {};

TEST_P(PanelColour, IsNearTheTypicalValue) {
  const SamplePoint& s = GetParam();
  const Rgb got = panel().at(s.x, s.y);
  // A fine-quality JPEG: thin lines next to white ring by a few units more.
  EXPECT_LE(distance(got, s.expected), 12)
      << "(" << got.r << ", " << got.g << ", " << got.b << ") at " << s.x << ", " << s.y;
}

INSTANTIATE_TEST_SUITE_P(
    Panel, PanelColour,
    ::testing::Values(SamplePoint{"outline_left", 0, 200, {114, 116, 115}},
                      SamplePoint{"outline_right", 371, 300, {114, 116, 115}},
                      SamplePoint{"outline_top", 186, 0, {114, 116, 115}},
                      SamplePoint{"outline_bottom", 186, 434, {114, 116, 115}},
                      SamplePoint{"white_body", 200, 395, {255, 255, 255}},
                      SamplePoint{"list_frame_left", 13, 250, {160, 196, 228}},
                      SamplePoint{"list_frame_top", 200, 80, {160, 196, 228}},
                      SamplePoint{"list_frame_bottom", 200, 367, {160, 196, 228}},
                      SamplePoint{"separator", 200, 135, {222, 222, 222}},
                      SamplePoint{"above_separator", 200, 131, {255, 255, 255}},
                      SamplePoint{"ok_button_border", 133, 415, {60, 126, 204}},
                      SamplePoint{"apply_button_border", 291, 415, {190, 192, 194}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Panel, CornersAreRoundedOff) {
  for (const auto& [x, y] : {std::pair{0, 0}, {371, 0}, {0, 434}, {371, 434}}) {
    EXPECT_GT(distance(panel().at(x, y), Rgb{114, 116, 115}), 40) << x << ", " << y;
  }
}

TEST(Panel, LinkTextIsLightBlue) {
  int blue = 0;
  for (int y = 374; y <= 384; ++y) {
    for (int x = 284; x <= 356; ++x) {
      const Rgb c = panel().at(x, y);
      blue += (c.b > 180 && c.r < 140 && c.b - c.r > 80) ? 1 : 0;
    }
  }
  EXPECT_GT(blue, 60);
}

}  // namespace
}  // namespace sorvane::pictures_test
