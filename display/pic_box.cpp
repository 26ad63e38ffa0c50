#include "display/pic_box.h"

#include <algorithm>
#include <cstring>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "display/frame_style.h"
#include "display/picture_decoders.h"

namespace sorvane {

namespace {

QImage image_with_transparency(const PixelRaster& raster) {
  QImage image(raster.width, raster.height, QImage::Format_ARGB32);
  for (int y = 0; y < raster.height; ++y) {
    const Pixel* src = raster.row(y);
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < raster.width; ++x)
      dst[x] = (src[x] & 0xFFFFFFu) | (static_cast<QRgb>(255 - pixel_transparency(src[x])) << 24);
  }
  return image;
}

QImage opaque_image(const PixelRaster& raster) {
  QImage image(raster.width, raster.height, QImage::Format_RGB32);
  for (int y = 0; y < raster.height; ++y) {
    const Pixel* src = raster.row(y);
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < raster.width; ++x) dst[x] = src[x] | 0xFF000000u;
  }
  return image;
}

// A device bitmap made from bottom-up BGR rows (rows padded to 4 bytes by
// QImage itself).
QImage image_from_bgr_bottom_up(const ByteBuffer& bgr, int width, int height) {
  QImage image(width, height, QImage::Format_BGR888);
  const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y)
    std::memcpy(image.scanLine(y), bgr.data() + static_cast<std::size_t>(height - 1 - y) * row_bytes,
                row_bytes);
  return image;
}

}  // namespace

PicBox::PicBox(QWidget* parent) : QFrame(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::ArrowCursor);
  apply_frame_style(*this, border_);
  connect(&animation_timer_, &QTimer::timeout, this, [this] { next_frame(); });
  animation_timer_.setSingleShot(true);
}

void PicBox::set_border(int style) {
  border_ = clamp_frame_style(style);
  apply_frame_style(*this, border_);
  update();
}

void PicBox::set_back_color(ColourValue colour) {
  back_color_ = colour;
  update();
}

bool PicBox::set_pic(ByteBuffer bytes) {
  pic_ = std::move(bytes);
  return set_picture(pic_);
}

void PicBox::set_draw_mode(int mode) {
  draw_mode_ = std::clamp(mode, 0, 2);
  update();
}

void PicBox::set_initial_draw_mode(int mode) {
  draw_mode_ = std::clamp(mode, 0, 3);
  if (draw_mode_ == kFitWindow) fit_window_to_picture();
  update();
}

void PicBox::set_play_animation(bool play) {
  play_animation_ = play;
  restart_animation();
  update();
}

bool PicBox::set_picture(const ByteBuffer& bytes) {
  picture_ = PicBoxPicture{};
  frame_ = 0;
  animation_timer_.stop();
  if (bytes.empty()) {
    update();
    return true;
  }
  const PictureFormat kind = recognise_picture_format(bytes.data(), bytes.size());
  bool decoded = false;
  if (kind == PictureFormat::Gif) {
    // A GIF keeps every frame; whether it plays is decided when drawn.
    Picture frames = decode_gif_frames(bytes.data(), bytes.size(), kNoColour, false);
    if (!frames.empty()) {
      picture_.width = frames.width;
      picture_.height = frames.height;
      picture_.animation = std::move(frames);
      decoded = true;
    }
  } else if (kind != PictureFormat::None) {
    std::optional<PixelRaster> raster = decode_picture_as(kind, bytes.data(), bytes.size());
    if (raster && !raster->empty()) {
      picture_.width = raster->width;
      picture_.height = raster->height;
      if (kind == PictureFormat::Jpeg || kind == PictureFormat::Bmp)
        picture_.bgr_bottom_up = bgr_rows_bottom_up(*raster);
      else
        picture_.raster = std::move(*raster);
      decoded = true;
    }
  }
  if (decoded) {
    picture_.kind = kind;
    if (draw_mode_ == kFitWindow) fit_window_to_picture();
    restart_animation();
  }
  update();
  return decoded;
}

void PicBox::fit_window_to_picture() {
  if (picture_.kind == PictureFormat::None) return;
  // The frame keeps its room: the client area becomes the picture's size.
  const QRect client = contentsRect();
  resize(picture_.width + width() - client.width(), picture_.height + height() - client.height());
}

void PicBox::restart_animation() {
  animation_timer_.stop();
  const auto& frames = picture_.animation.frames;
  if (play_animation_ && frames.size() > 1)
    animation_timer_.start(std::max(frames[frame_].delay_ms, 10));
}

void PicBox::next_frame() {
  const auto& frames = picture_.animation.frames;
  if (frames.size() < 2) return;
  frame_ = (frame_ + 1) % frames.size();
  restart_animation();
  update();
}

QRect PicBox::placement(int mode, QSize client, QSize picture) {
  const int cw = client.width(), ch = client.height();
  const int pw = picture.width(), ph = picture.height();
  switch (mode) {
    case kStretched:
    case kFitWindow:
      return QRect(0, 0, cw, ch);
    case kCentred: {
      int w = pw, h = ph;
      if (pw > cw || ph > ch) {
        // Scaled down by the smaller of cw / pw and ch / ph, keeping the
        // proportions, the new sides truncated to whole pixels. Integer
        // arithmetic keeps the limiting side exact (100 / 300 * 300 would
        // come out as 99 in floating point).
        if (static_cast<std::int64_t>(cw) * ph <= static_cast<std::int64_t>(ch) * pw) {
          w = cw;
          h = static_cast<int>(static_cast<std::int64_t>(ph) * cw / pw);
        } else {
          h = ch;
          w = static_cast<int>(static_cast<std::int64_t>(pw) * ch / ph);
        }
      }
      return QRect((cw - w) / 2, (ch - h) / 2, w, h);
    }
    default:
      return QRect(0, 0, pw, ph);
  }
}

QImage PicBox::frame_image() const {
  switch (picture_.kind) {
    case PictureFormat::Jpeg:
    case PictureFormat::Bmp:
      return image_from_bgr_bottom_up(picture_.bgr_bottom_up, picture_.width, picture_.height);
    case PictureFormat::Icon:
    case PictureFormat::Cursor:
      return image_with_transparency(picture_.raster);
    case PictureFormat::Gif: {
      // Playing shows the current frame; a still GIF its first image.
      const auto& frames = picture_.animation.frames;
      const std::size_t f = play_animation_ ? frame_ : 0;
      PixelRaster r{picture_.width, picture_.height, frames[f].pixels};
      return image_with_transparency(r);
    }
    case PictureFormat::Pcx8:
    case PictureFormat::Pcx1:
      return opaque_image(picture_.raster);
    case PictureFormat::None:
      break;
  }
  return {};
}

void PicBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect client = contentsRect();
  QColor fill;
  if (back_color_ == kNoColour)
    fill = palette().color(QPalette::Button);
  else
    fill = QColor(back_color_ & 0xFF, (back_color_ >> 8) & 0xFF, (back_color_ >> 16) & 0xFF);
  painter.fillRect(client, fill);
  if (border_ != 0) drawFrame(&painter);
  if (picture_.kind == PictureFormat::None) return;

  QRect target = placement(draw_mode_, client.size(), QSize(picture_.width, picture_.height));
  target.translate(client.topLeft());
  const QImage image = frame_image();
  const QScreen* s = screen();
  if (target.size() != image.size() && (!s || s->depth() > 16))
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setClipRect(client);
  painter.drawImage(target, image);
}

void PicBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && on_left_press_) {
    const QPoint p = event->position().toPoint() - contentsRect().topLeft();
    const Qt::KeyboardModifiers m = event->modifiers();
    const int keys = (m & Qt::ControlModifier ? 1 : 0) + (m & Qt::ShiftModifier ? 2 : 0) +
                     (m & Qt::AltModifier ? 4 : 0);
    on_left_press_(p.x() & 0xFFFF, p.y() & 0xFFFF, keys);
  }
  // The press stays with the panel: nothing beneath it sees it.
  event->accept();
}

}  // namespace sorvane
