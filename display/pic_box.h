#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <QFrame>
#include <QImage>
#include <QTimer>

#include "common/byte_buffer.h"
#include "common/colour.h"
#include "common/raster.h"
#include "display/picture.h"
#include "display/picture_format.h"

namespace sorvane {

// A picture as the panel picture control keeps it, in the form its kind
// is drawn from.
struct PicBoxPicture {
  PictureFormat kind = PictureFormat::None;
  int width = 0;
  int height = 0;
  // JPEG and BMP: 3 bytes a pixel (blue, green, red), rows bottom-up and
  // unpadded.
  ByteBuffer bgr_bottom_up;
  // Icons and cursors (with their own transparency), PCX and a still GIF.
  PixelRaster raster;
  // A GIF that plays: every frame with its delay.
  Picture animation;
};

// Kind `PicBox`: a child window that shows one picture placed by its draw
// mode over its fill colour. It never takes the keyboard focus and paints
// without erasing.
class PicBox : public QFrame {
 public:
  enum DrawMode : int { kTopLeft = 0, kStretched = 1, kCentred = 2, kFitWindow = 3 };

  explicit PicBox(QWidget* parent = nullptr);

  int border() const { return border_; }
  void set_border(int style);
  ColourValue back_color() const { return back_color_; }
  void set_back_color(ColourValue colour);
  const ByteBuffer& pic() const { return pic_; }
  // Runs set_picture; its result says whether the bytes were empty or decoded.
  bool set_pic(ByteBuffer bytes);
  int draw_mode() const { return draw_mode_; }
  // At run time the mode is clamped to 0-2; only the window's description
  // can ask for 3, which first fits the window to the picture.
  void set_draw_mode(int mode);
  void set_initial_draw_mode(int mode);
  bool play_animation() const { return play_animation_; }
  void set_play_animation(bool play);
  const std::string& data_source() const { return data_source_; }
  void set_data_source(std::string name) { data_source_ = std::move(name); }
  const std::string& data_column() const { return data_column_; }
  void set_data_column(std::string name) { data_column_ = std::move(name); }

  // Decodes the bytes into the kept picture. True when they were empty or
  // decoded; the previous picture is gone either way.
  bool set_picture(const ByteBuffer& bytes);
  const PicBoxPicture& picture() const { return picture_; }

  // Where the picture goes in a client area of the given size.
  static QRect placement(int mode, QSize client, QSize picture);

  // Left press with x and y in client coordinates (each as an unsigned
  // 16-bit number) and the keys held: 1 Ctrl, 2 Shift, 4 Alt, added.
  void set_left_press_handler(std::function<void(int, int, int)> handler) {
    on_left_press_ = std::move(handler);
  }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage frame_image() const;
  void fit_window_to_picture();
  void restart_animation();
  void next_frame();

  int border_ = 0;
  ColourValue back_color_ = kNoColour;
  ByteBuffer pic_;
  int draw_mode_ = 0;
  bool play_animation_ = true;
  std::string data_source_;
  std::string data_column_;

  PicBoxPicture picture_;
  std::size_t frame_ = 0;
  QTimer animation_timer_;
  std::function<void(int, int, int)> on_left_press_;
};

}  // namespace sorvane
