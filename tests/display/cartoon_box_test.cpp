// The display area as a widget: objects, hits, fill colour and the built-in
// composite, checked pixel for pixel against what it paints.
#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include "app/pictures/builtin_pictures.h"
#include "display/cartoon_box.h"
#include "display/picture.h"
#include "tests/display/qt_pixels.h"

namespace sorvane {
namespace {

Pixel face_colour(const QWidget& w) {
  const QColor c = w.palette().color(QPalette::Button);
  return make_pixel(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                    static_cast<std::uint8_t>(c.blue()));
}

// A 24-bit BMP of one colour.
ByteBuffer solid_bmp(int w, int h, Pixel colour) {
  const int stride = (w * 3 + 3) & ~3;
  ByteBuffer b(54 + static_cast<std::size_t>(stride) * h, 0);
  auto put32 = [&b](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<std::uint32_t>(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(w));
  put32(22, static_cast<std::uint32_t>(h));
  b[26] = 1;
  b[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* q = &b[54 + static_cast<std::size_t>(y) * stride + x * 3];
      q[0] = pixel_blue(colour);
      q[1] = pixel_green(colour);
      q[2] = pixel_red(colour);
    }
  return b;
}

class BuiltInArea : public ::testing::Test {
 protected:
  void SetUp() override {
    area.resize(460, 878);
    area.set_pic(builtin::background_picture().to_buffer());
    overlay_id = area.create_object(0, 0);
    area.set_object_picture(overlay_id, builtin::overlay_picture().to_buffer());
  }
  CartoonBox area;
  int overlay_id = 0;
};

TEST_F(BuiltInArea, ComposesOverlayOverBackgroundOverFill) {
  const std::optional<PixelRaster> background = load_picture(builtin::background_picture().to_buffer());
  const Picture overlay = decode_object_picture(builtin::overlay_picture().to_buffer(), kNoColour, false);
  ASSERT_TRUE(background);
  ASSERT_EQ(background->width, 460);
  ASSERT_EQ(background->height, 679);
  ASSERT_EQ(overlay.height, 879);
  const PixelRaster composed = area.compose(QRect(0, 0, 460, 878));
  const Pixel fill = face_colour(area);
  for (int y = 0; y < 878; ++y)
    for (int x = 0; x < 460; ++x) {
      Pixel expected;
      if (y >= 603 && y <= 876)
        expected = overlay.frames[0].pixels[static_cast<std::size_t>(y) * 460 + x] & 0xFFFFFFu;
      else if (y <= 678)
        expected = background->at(x, y);
      else
        expected = fill;
      ASSERT_EQ(composed.at(x, y), expected) << x << "," << y;
    }
}

TEST_F(BuiltInArea, PaintsExactlyWhatItComposes) {
  const PixelRaster painted = raster_of(area.grab().toImage());
  EXPECT_EQ(painted.pixels, area.compose(QRect(0, 0, 460, 878)).pixels);
}

TEST_F(BuiltInArea, LeftPressReportsTheObjectHitOrZeroAndTakesTheFocus) {
  std::vector<int> reported;
  area.set_object_press_handler([&reported](int id) { reported.push_back(id); });
  area.setFocusPolicy(Qt::StrongFocus);
  area.show();
  QApplication::setActiveWindow(&area);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
  area.clearFocus();
  QTest::mouseClick(&area, Qt::LeftButton, {}, QPoint(100, 700));  // opaque overlay band
  EXPECT_TRUE(area.hasFocus());
  QTest::mouseClick(&area, Qt::LeftButton, {}, QPoint(100, 100));  // transparent part
  QTest::mouseClick(&area, Qt::RightButton, {}, QPoint(100, 700));
  EXPECT_EQ(reported, (std::vector<int>{overlay_id, 0}));
  EXPECT_EQ(area.hit_test(100, 877), -1);  // the overlay's last rows are transparent
}

TEST(CartoonBoxTest, ObjectsCountFromOneAndLaterOnesDrawAbove) {
  CartoonBox area;
  area.resize(4, 4);
  const int a = area.create_object(0, 0);
  const int b = area.create_object(1, 1);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  area.set_object_picture(a, solid_bmp(3, 3, make_pixel(255, 0, 0)));
  area.set_object_picture(b, solid_bmp(3, 3, make_pixel(0, 0, 255)));
  const PixelRaster r = area.compose(QRect(0, 0, 4, 4));
  EXPECT_EQ(r.at(0, 0), make_pixel(255, 0, 0));
  EXPECT_EQ(r.at(1, 1), make_pixel(0, 0, 255));
  EXPECT_EQ(r.at(3, 0), face_colour(area));
  EXPECT_EQ(area.hit_test(2, 2), b);
  EXPECT_EQ(area.hit_test(0, 0), a);
  EXPECT_EQ(area.hit_test(3, 0), -1);
  // Identical pictures are stored once.
  area.set_object_picture(b, solid_bmp(3, 3, make_pixel(255, 0, 0)));
  EXPECT_EQ(area.picture_store().size(), 1u);
  // An unknown id changes nothing; bytes that do not decode leave no picture.
  area.set_object_picture(99, solid_bmp(3, 3, 0));
  area.set_object_picture(a, ByteBuffer{'B', 'M', 0, 0, 0, 0});
  EXPECT_EQ(area.object(a)->picture, nullptr);
  EXPECT_EQ(area.hit_test(0, 0), -1);
}

TEST(CartoonBoxTest, TransparentColourArgument) {
  CartoonBox area;
  area.resize(3, 3);
  const Pixel under = make_pixel(1, 2, 3);
  area.set_back_color(pixel_to_colour(under));
  const int id = area.create_object(0, 0);
  const ByteBuffer white = solid_bmp(3, 3, make_pixel(255, 255, 255));
  // -2: each frame's top-left pixel is its transparent colour.
  area.set_object_picture(id, white, -2);
  EXPECT_EQ(area.compose(QRect(0, 0, 3, 3)).at(1, 1), under);
  EXPECT_EQ(area.hit_test(1, 1), -1);
  // An explicit colour value (0x00BBGGRR).
  area.set_object_picture(id, white, 0xFFFFFF);
  EXPECT_EQ(area.compose(QRect(0, 0, 3, 3)).at(1, 1), under);
  // -1: none, so white is drawn.
  area.set_object_picture(id, white, -1);
  EXPECT_EQ(area.compose(QRect(0, 0, 3, 3)).at(1, 1), make_pixel(255, 255, 255));
}

TEST(CartoonBoxTest, PropertiesClampAndRebuild) {
  CartoonBox area;
  area.resize(5, 5);
  area.set_pic_draw_mode(9);
  EXPECT_EQ(area.pic_draw_mode(), 3);
  area.set_pic_draw_mode(-4);
  EXPECT_EQ(area.pic_draw_mode(), 0);
  area.set_border(17);
  EXPECT_EQ(area.border(), 5);
  area.set_border(0);
  const ByteBuffer png(builtin::overlay_picture().data,
                       builtin::overlay_picture().data + builtin::overlay_picture().size);
  area.set_pic(png);
  EXPECT_EQ(area.pic(), png);  // kept unchanged, though it shows nothing
  EXPECT_EQ(area.background_raster().pixels, std::vector<Pixel>(25, face_colour(area)));
  area.set_back_color(0x00332211);
  EXPECT_EQ(area.background_raster().at(4, 4), make_pixel(0x11, 0x22, 0x33));
}

}  // namespace
}  // namespace sorvane
