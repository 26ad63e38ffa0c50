#include "display/cartoon_box.h"

#include <algorithm>
#include <cmath>

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "display/composition.h"
#include "display/frame_style.h"
#include "display/picture.h"

namespace sorvane {

namespace {

// One stamp for all display areas of the process: pending regions are
// painted at once when more than 100 ms have passed since the last time.
QElapsedTimer& forced_update_stamp() {
  static QElapsedTimer stamp;
  if (!stamp.isValid()) stamp.start();
  return stamp;
}

constexpr int kTickMs = 5;
constexpr qint64 kForcedUpdateMs = 100;

}  // namespace

CartoonBox::CartoonBox(QWidget* parent) : QFrame(parent) {
  // Every pixel comes from our own composition: nothing is erased first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  setCursor(Qt::ArrowCursor);
  apply_frame_style(*this, border_);
  connect(&tick_timer_, &QTimer::timeout, this, [this] { tick(); });
  tick_timer_.start(kTickMs);
}

CartoonBox::~CartoonBox() = default;

void CartoonBox::set_border(int style) {
  border_ = clamp_frame_style(style);
  apply_frame_style(*this, border_);
  update();
}

void CartoonBox::set_back_color(ColourValue colour) {
  back_color_ = colour;
  rebuild_background();
}

void CartoonBox::set_pic(ByteBuffer bytes) {
  pic_ = std::move(bytes);
  rebuild_background();
}

void CartoonBox::set_pic_draw_mode(int mode) {
  pic_draw_mode_ = std::clamp(mode, 0, 3);
  rebuild_background();
}

Pixel CartoonBox::fill_pixel() const {
  if (back_color_ == kNoColour) {
    const QColor face = palette().color(QPalette::Button);
    return make_pixel(static_cast<std::uint8_t>(face.red()),
                      static_cast<std::uint8_t>(face.green()),
                      static_cast<std::uint8_t>(face.blue()));
  }
  return colour_to_pixel(back_color_);
}

void CartoonBox::rebuild_background() {
  // The raster is rebuilt before it is next read (painting, composing, the
  // hit test never reads it), so several writes in a row, as at creation,
  // decode the picture once.
  background_stale_ = true;
  const QRect client = contentsRect();
  invalidate(QRect(0, 0, client.width(), client.height()));
}

const PixelRaster& CartoonBox::background_raster() {
  const QRect client = contentsRect();
  if (background_stale_ || background_.width != client.width() ||
      background_.height != client.height()) {
    const QScreen* s = screen();
    const bool smooth = !s || s->depth() > 16;
    background_ = build_background_raster(pic_.data(), pic_.size(), client.width(),
                                          client.height(), fill_pixel(),
                                          static_cast<PicDrawMode>(pic_draw_mode_), smooth);
    background_stale_ = false;
  }
  return background_;
}

void CartoonBox::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  // A new client size needs a new raster, and the whole area repainted.
  rebuild_background();
}

int CartoonBox::create_object(int x, int y, bool visible, std::string name) {
  CartoonObject o;
  o.id = next_id_++;
  o.x = x;
  o.y = y;
  o.visible = visible;
  o.name = std::move(name);
  const auto after = std::find_if(objects_.begin(), objects_.end(),
                                  [&o](const CartoonObject& e) { return e.layer > o.layer; });
  objects_.insert(after, std::move(o));
  // A new object has no picture yet, so there is nothing to repaint.
  return next_id_ - 1;
}

const CartoonObject* CartoonBox::object(int id) const {
  const auto it = std::find_if(objects_.begin(), objects_.end(),
                               [id](const CartoonObject& o) { return o.id == id; });
  return it == objects_.end() ? nullptr : &*it;
}

void CartoonBox::set_object_picture(int id, const ByteBuffer& bytes, std::int64_t transparent) {
  const auto it = std::find_if(objects_.begin(), objects_.end(),
                               [id](const CartoonObject& o) { return o.id == id; });
  if (it == objects_.end()) return;
  CartoonObject& o = *it;
  invalidate_object(o);
  o.picture.reset();
  o.rendered.reset();
  o.frame_index = 0;
  o.play_gif = false;
  o.gif_delay = 0;
  o.gif_auto_destroy = 0;

  const bool automatic = transparent == -2;
  const ColourValue key = transparent < 0 ? kNoColour : static_cast<ColourValue>(transparent);
  Picture picture = decode_object_picture(bytes, key, automatic);
  if (picture.empty()) return;
  o.picture = store_.store(std::move(picture));
  // With every setting at its default the rendered picture is the picture.
  o.rendered = o.picture;
  invalidate_object(o);
}

QRect CartoonBox::object_rect(const CartoonObject& o) const {
  if (!o.rendered) return {};
  return QRect(static_cast<int>(std::trunc(o.x)), static_cast<int>(std::trunc(o.y)),
               o.rendered->picture.width, o.rendered->picture.height);
}

void CartoonBox::invalidate_object(const CartoonObject& o) {
  if (o.visible && o.rendered) invalidate(object_rect(o));
}

void CartoonBox::invalidate(const QRect& client_rect) {
  const QRect r = client_rect.translated(contentsRect().topLeft()) & contentsRect();
  if (r.isEmpty()) return;
  pending_ += r;
  update(r);
}

int CartoonBox::hit_test(int x, int y) const {
  for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
    const CartoonObject& o = *it;
    if (!o.visible || !o.rendered || o.rendered->picture.empty()) continue;
    const QRect r = object_rect(o);
    if (!r.contains(x, y)) continue;
    const PictureFrame& f = o.rendered->picture.frames[static_cast<std::size_t>(o.frame_index)];
    const Pixel p = f.pixels[static_cast<std::size_t>(y - r.top()) * r.width() + (x - r.left())];
    if (pixel_transparency(p) == 255) continue;
    // A key-coloured pixel is a miss only when it matches in all 32 bits.
    if (f.transparent_colour != kNoColour && p == colour_to_pixel(f.transparent_colour)) continue;
    return o.id;
  }
  return -1;
}

std::vector<ComposedObject> CartoonBox::composed_objects() const {
  std::vector<ComposedObject> out;
  out.reserve(objects_.size());
  for (const CartoonObject& o : objects_) {
    if (!o.visible || !o.rendered || o.rendered->picture.empty()) continue;
    const QRect r = object_rect(o);
    out.push_back({o.rendered.get(), o.frame_index, r.left(), r.top(), o.alpha});
  }
  return out;
}

PixelRaster CartoonBox::compose(const QRect& client_rect) {
  PixelRaster out;
  const PixelRaster& background = background_raster();
  const QRect r = client_rect & QRect(0, 0, background.width, background.height);
  if (r.isEmpty()) return out;
  out.width = r.width();
  out.height = r.height();
  compose_rect(background, composed_objects(), r.x(), r.y(), r.width(), r.height(), 0,
               out.pixels);
  return out;
}

void CartoonBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (border_ != 0) drawFrame(&painter);
  pending_ -= event->region();

  const QRect client = contentsRect();
  const PixelRaster& background = background_raster();
  if (background.empty()) return;
  const QRect r = event->rect() & client;
  if (r.isEmpty()) return;
  const QRect in_client = r.translated(-client.topLeft());
  // Qt marks opaque pixels with 0xFF in the top byte of an RGB32 image.
  compose_rect(background, composed_objects(), in_client.x(), in_client.y(), in_client.width(),
               in_client.height(), 0xFF000000u, paint_buffer_);
  const QImage image(reinterpret_cast<const uchar*>(paint_buffer_.data()), in_client.width(),
                     in_client.height(), in_client.width() * 4, QImage::Format_RGB32);
  painter.drawImage(r.topLeft(), image);
}

void CartoonBox::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::LeftButton) {
    const QPoint p = event->position().toPoint() - contentsRect().topLeft();
    pressed_object_ = hit_test(p.x(), p.y());
    if (on_object_press_) on_object_press_(pressed_object_ < 0 ? 0 : pressed_object_);
  }
  QFrame::mousePressEvent(event);
}

void CartoonBox::tick() {
  // None of this program's objects moves, turns, plays or expires, so a
  // tick only hastens the painting of regions already invalidated.
  QElapsedTimer& stamp = forced_update_stamp();
  if (stamp.elapsed() <= kForcedUpdateMs) return;
  if (!pending_.isEmpty() && isVisible()) repaint(pending_);
  stamp.restart();
}

}  // namespace sorvane
