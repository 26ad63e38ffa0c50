#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QFrame>
#include <QRegion>
#include <QTimer>

#include "common/byte_buffer.h"
#include "common/colour.h"
#include "common/raster.h"
#include "display/background_raster.h"
#include "display/composition.h"
#include "display/picture_store.h"

namespace sorvane {

// One picture object of a display area.
struct CartoonObject {
  int id = 0;
  double x = 0;
  double y = 0;
  bool visible = true;
  std::string name;
  std::shared_ptr<const StoredPicture> picture;
  std::shared_ptr<const StoredPicture> rendered;  // what is drawn and hit
  int frame_index = 0;
  std::int64_t alpha = 0;  // extra transparency in percent
  int layer = 0;
  bool play_gif = false;
  int gif_delay = 0;
  int gif_auto_destroy = 0;
};

// Drawing settings that the area keeps for drawing operations.
struct CartoonDrawingSettings {
  std::int64_t pen_style = 1;
  std::int64_t draw_rop2 = 12;
  std::int64_t pen_width = 0;
  ColourValue pen_color = 0;
  std::int64_t brush_style = 1;
  ColourValue brush_color = 0xFFFFFF;
  ColourValue text_color = 0;
  ColourValue text_back_color = kNoColour;
  std::string font;  // empty: none
};

// The layered display area: a background raster built from picture file
// bytes, with picture objects composed over it pixel by pixel. Every pixel
// it puts on the screen is its own composition; it never erases first.
class CartoonBox : public QFrame {
 public:
  explicit CartoonBox(QWidget* parent = nullptr);
  ~CartoonBox() override;

  int border() const { return border_; }
  void set_border(int style);
  ColourValue back_color() const { return back_color_; }
  void set_back_color(ColourValue colour);
  // The background picture's file bytes, kept unchanged.
  const ByteBuffer& pic() const { return pic_; }
  void set_pic(ByteBuffer bytes);
  int pic_draw_mode() const { return pic_draw_mode_; }
  void set_pic_draw_mode(int mode);
  CartoonDrawingSettings& drawing_settings() { return drawing_; }
  const CartoonDrawingSettings& drawing_settings() const { return drawing_; }

  // Adds an object without a picture at (x, y); ids count 1, 2, 3, ... and
  // are never reused. It goes after every object of its layer or below.
  int create_object(int x, int y, bool visible = true, std::string name = {});
  // Gives the object a picture decoded from `bytes`: `transparent` is a
  // colour value, -1 for none, or -2 for each frame's top-left pixel.
  // Unknown ids are ignored; bytes that do not decode leave no picture.
  void set_object_picture(int id, const ByteBuffer& bytes, std::int64_t transparent = -1);
  const CartoonObject* object(int id) const;
  const std::vector<CartoonObject>& objects() const { return objects_; }

  // The topmost object whose picture is not transparent at client point p,
  // or -1.
  int hit_test(int x, int y) const;
  // Called with the hit object's id, or 0, on every left-button press.
  void set_object_press_handler(std::function<void(int)> handler) {
    on_object_press_ = std::move(handler);
  }

  // The fill colour as a pixel: BackColor, or the button-face colour.
  Pixel fill_pixel() const;
  // The background raster for the current client size (rebuilt if stale).
  const PixelRaster& background_raster();
  // The client rectangle composed exactly as it is painted (T = 0).
  PixelRaster compose(const QRect& client_rect);
  const PictureStore& picture_store() const { return store_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void rebuild_background();
  void invalidate(const QRect& client_rect);
  void invalidate_object(const CartoonObject& o);
  QRect object_rect(const CartoonObject& o) const;
  std::vector<ComposedObject> composed_objects() const;
  void tick();

  int border_ = 0;
  ColourValue back_color_ = kNoColour;
  ByteBuffer pic_;
  int pic_draw_mode_ = 0;
  CartoonDrawingSettings drawing_;

  PixelRaster background_;
  bool background_stale_ = true;
  PictureStore store_;
  std::vector<CartoonObject> objects_;
  int next_id_ = 1;
  int pressed_object_ = 0;

  std::vector<Pixel> paint_buffer_;
  QRegion pending_;
  QTimer tick_timer_;
  std::function<void(int)> on_object_press_;
};

}  // namespace sorvane
