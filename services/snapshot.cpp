#include "services/snapshot.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QWidget>

#include <climits>
#include <cstdint>
#include <limits>
#include <new>
#include <unordered_map>

#include "common/raster.h"
#include "services/bmp_encoder.h"

namespace sorvane {

namespace {

// Handles given out by window_handle. Lives on the user-interface thread,
// like every widget.
class HandleRegistry {
 public:
  std::uintptr_t handle_for(QWidget* w) {
    // One pass forgets destroyed widgets (so the map stays as small as the
    // set of live controls that were asked for) and finds w's handle. A new
    // widget at a destroyed one's address gets a handle of its own, since
    // the old entry's pointer is null by then.
    std::uintptr_t found = 0;
    for (auto it = by_handle_.begin(); it != by_handle_.end();) {
      if (it->second.isNull()) {
        it = by_handle_.erase(it);
        continue;
      }
      if (it->second.data() == w) found = it->first;
      ++it;
    }
    if (found != 0) return found;
    const std::uintptr_t handle = next_++;
    by_handle_.emplace(handle, QPointer<QWidget>(w));
    return handle;
  }

  QWidget* widget_for(std::uintptr_t handle) const {
    const auto entry = by_handle_.find(handle);
    return entry == by_handle_.end() ? nullptr : entry->second.data();
  }

 private:
  std::unordered_map<std::uintptr_t, QPointer<QWidget>> by_handle_;
  std::uintptr_t next_ = 1;
};

HandleRegistry& registry() {
  static HandleRegistry r;
  return r;
}

// Would a BMP of w x h pixels, and the 32-bit image it is made from, fit a
// byte buffer's signed 32-bit length?
bool fits(int w, int h) {
  const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  const std::uint64_t pixels = static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h);
  return pixels <= limit / 4 && kBmpPixelDataOffset + bmp24_stride(w) * static_cast<std::uint64_t>(h) <= limit;
}

// The control's rectangle as its top-level window composes it: the window is
// rendered (its background, then every child in stacking order, each through
// its own paint event) into a raster of the control's size, so siblings above
// the control are in it and nothing outside the window can show through. The
// rendering goes straight into the raster's pixels, which have the layout of
// Qt's 32-bit RGB format.
bool capture_widget(QWidget* control, PixelRaster& raster) {
  QWidget* top = control->window();
  const QRect rect = control->isWindow()
                         ? control->rect()
                         : QRect(control->mapTo(top, QPoint(0, 0)), control->size());
  if (rect.isEmpty() || !fits(rect.width(), rect.height())) return false;
  try {
    // Parts of the control that lie outside its window stay black.
    raster.pixels.assign(static_cast<std::size_t>(rect.width()) * static_cast<std::size_t>(rect.height()),
                         0xFF000000u);
  } catch (const std::bad_alloc&) {
    return false;
  }
  raster.width = rect.width();
  raster.height = rect.height();
  {
    QImage image(reinterpret_cast<uchar*>(raster.pixels.data()), raster.width, raster.height,
                 static_cast<qsizetype>(raster.width) * 4, QImage::Format_RGB32);
    if (image.isNull()) return false;
    // Logical pixels: the capture has the control's size whatever the
    // screen's scale.
    image.setDevicePixelRatio(1.0);
    top->render(&image, QPoint(), QRegion(rect),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
  }
  // Qt keeps 0xff in the top byte of RGB32 pixels; the raster's pixels are
  // opaque (transparency 0).
  for (Pixel& p : raster.pixels) p &= 0x00FFFFFFu;
  return true;
}

QImage capture_screen() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return QImage();
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return QImage();
  return screen->grabWindow(0).toImage();
}

}  // namespace

std::uintptr_t window_handle(QWidget* control) {
  if (control == nullptr) return 0;
  return registry().handle_for(control);
}

int snapshot_dimension(int captured, int requested) {
  if (requested > 0) return requested;
  if (requested == 0) return captured;
  std::int64_t percent = -static_cast<std::int64_t>(requested);
  if (percent < 10) percent = 10;
  const std::int64_t size = (static_cast<std::int64_t>(captured) * percent + 50) / 100;
  if (size > std::numeric_limits<int>::max()) return 0;
  return static_cast<int>(size);
}

ByteBuffer snapshot_window(std::uintptr_t source_window, int width, int height) {
  PixelRaster raster;
  QImage image;
  if (source_window == 0) {
    image = capture_screen();
    if (image.isNull()) return {};
  } else {
    QWidget* control = registry().widget_for(source_window);
    if (control == nullptr || !capture_widget(control, raster)) return {};
  }
  const int captured_w = image.isNull() ? raster.width : image.width();
  const int captured_h = image.isNull() ? raster.height : image.height();

  const int out_w = snapshot_dimension(captured_w, width);
  const int out_h = snapshot_dimension(captured_h, height);
  if (out_w <= 0 || out_h <= 0 || !fits(out_w, out_h)) return {};
  if (image.isNull() && out_w == captured_w && out_h == captured_h) return encode_bmp24(raster);

  if (image.isNull()) {
    // Wraps the raster without copying; the wrapper dies before the raster.
    image = QImage(reinterpret_cast<const uchar*>(raster.pixels.data()), raster.width,
                   raster.height, static_cast<qsizetype>(raster.width) * 4, QImage::Format_RGB32);
  }
  if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) return {};
  if (out_w != image.width() || out_h != image.height()) {
    image = image.scaled(out_w, out_h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.isNull()) return {};
    if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
    if (image.isNull() || image.width() != out_w || image.height() != out_h) return {};
  }

  PixelRaster out;
  try {
    out.pixels.resize(static_cast<std::size_t>(out_w) * static_cast<std::size_t>(out_h));
  } catch (const std::bad_alloc&) {
    return {};
  }
  out.width = out_w;
  out.height = out_h;
  for (int y = 0; y < out_h; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    Pixel* o = out.row(y);
    // 0xffRRGGBB becomes an opaque pixel 0x00RRGGBB.
    for (int x = 0; x < out_w; ++x) o[x] = in[x] & 0x00FFFFFFu;
  }
  image = QImage();  // drop any wrapper of `raster` before it goes
  return encode_bmp24(out);
}

}  // namespace sorvane
