// The panel picture control over the display area: it covers exactly its
// rectangle, and hiding it uncovers the area's own pixels.
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include "app/pictures/builtin_pictures.h"
#include "display/cartoon_box.h"
#include "display/pic_box.h"
#include "display/picture.h"
#include "tests/display/qt_pixels.h"

namespace sorvane {
namespace {

TEST(PicBoxTest, CoversItsRectangleAndUncoversTheAreaWhenHidden) {
  QWidget window;
  window.resize(523, 905);
  CartoonBox area(&window);
  area.setGeometry(1, 0, 460, 878);
  area.set_pic(builtin::background_picture().to_buffer());
  area.set_object_picture(area.create_object(0, 0), builtin::overlay_picture().to_buffer());
  PicBox panel(&window);
  panel.setGeometry(36, 169, 372, 435);
  EXPECT_TRUE(panel.set_pic(builtin::panel_picture().to_buffer()));
  window.show();

  const std::optional<PixelRaster> panel_pixels = load_picture(builtin::panel_picture().to_buffer());
  ASSERT_TRUE(panel_pixels);
  const PixelRaster own = area.compose(QRect(0, 0, 460, 878));

  const PixelRaster shown = raster_of(window.grab(QRect(1, 0, 460, 878)).toImage());
  for (int y = 0; y < 878; ++y)
    for (int x = 0; x < 460; ++x) {
      const bool under_panel = x >= 35 && x <= 406 && y >= 169 && y <= 603;
      const Pixel expected = under_panel ? panel_pixels->at(x - 35, y - 169) : own.at(x, y);
      ASSERT_EQ(shown.at(x, y), expected) << x << "," << y;
    }

  panel.hide();
  const PixelRaster uncovered = raster_of(window.grab(QRect(1, 0, 460, 878)).toImage());
  EXPECT_EQ(uncovered.pixels, own.pixels);
}

TEST(PicBoxTest, KeepsJpegAsBottomUpBgrAndRejectsPng) {
  PicBox box;
  box.resize(372, 435);
  ASSERT_TRUE(box.set_pic(builtin::panel_picture().to_buffer()));
  EXPECT_EQ(box.picture().kind, PictureFormat::Jpeg);
  EXPECT_EQ(box.picture().bgr_bottom_up.size(), 485460u);
  EXPECT_FALSE(box.set_pic(builtin::overlay_picture().to_buffer()));
  EXPECT_EQ(box.picture().kind, PictureFormat::None);
  EXPECT_TRUE(box.set_pic({}));
  box.set_draw_mode(3);
  EXPECT_EQ(box.draw_mode(), 2);
}

TEST(PicBoxTest, LeftPressReportsPointAndKeysWithoutTakingFocus) {
  PicBox box;
  box.resize(50, 50);
  std::vector<int> got;
  box.set_left_press_handler([&got](int x, int y, int keys) { got = {x, y, keys}; });
  box.show();
  QTest::mouseClick(&box, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, QPoint(10, 20));
  EXPECT_EQ(got, (std::vector<int>{10, 20, 5}));
  EXPECT_FALSE(box.hasFocus());
}

struct PlacementRow {
  const char* name;
  int mode;
  QSize client, picture;
  QRect expected;
};

class PicBoxPlacement : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(PicBoxPlacement, Places) {
  const PlacementRow& r = GetParam();
  EXPECT_EQ(PicBox::placement(r.mode, r.client, r.picture), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PicBoxPlacement,
    ::testing::Values(
        PlacementRow{"natural_size", 0, {100, 80}, {150, 40}, {0, 0, 150, 40}},
        PlacementRow{"stretched", 1, {100, 80}, {10, 10}, {0, 0, 100, 80}},
        PlacementRow{"centred_small", 2, {100, 80}, {11, 21}, {44, 29, 11, 21}},
        // 300 x 100 into 100 x 80: scale 1/3, sides 100 x 33, centred.
        PlacementRow{"centred_scaled_down", 2, {100, 80}, {300, 100}, {0, 23, 100, 33}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
