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

// The control's rectangle as its top-level window composes it: the window is
// rendered (its background, then every child in stacking order, each through
// its own paint event) into an image of the control's size, so siblings above
// the control are in it and nothing outside the window can show through.
QImage capture_widget(QWidget* control) {
  QWidget* top = control->window();
  const QRect rect = control->isWindow()
                         ? control->rect()
                         : QRect(control->mapTo(top, QPoint(0, 0)), control->size());
  if (rect.isEmpty()) return QImage();
  QImage image(rect.size(), QImage::Format_RGB32);
  if (image.isNull()) return QImage();
  // Logical pixels: the capture has the control's size whatever the screen's
  // scale.
  image.setDevicePixelRatio(1.0);
  // Parts of the control that lie outside its window show black.
  image.fill(Qt::black);
  top->render(&image, QPoint(), QRegion(rect),
              QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return image;
}

QImage capture_screen() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return QImage();
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return QImage();
  return screen->grabWindow(0).toImage();
}

// Would a BMP of w x h pixels, and the 32-bit image it is made from, fit a
// byte buffer's signed 32-bit length?
bool fits(int w, int h) {
  const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  const std::uint64_t pixels = static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h);
  return pixels <= limit / 4 && kBmpPixelDataOffset + bmp24_stride(w) * static_cast<std::uint64_t>(h) <= limit;
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
  QImage image;
  if (source_window == 0) {
    image = capture_screen();
  } else {
    QWidget* control = registry().widget_for(source_window);
    if (control == nullptr) return {};
    image = capture_widget(control);
  }
  if (image.isNull()) return {};

  const int out_w = snapshot_dimension(image.width(), width);
  const int out_h = snapshot_dimension(image.height(), height);
  if (out_w <= 0 || out_h <= 0 || !fits(out_w, out_h)) return {};

  if (image.format() != QImage::Format_RGB32) {
    image = image.convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) return {};
  }
  if (out_w != image.width() || out_h != image.height()) {
    image = image.scaled(out_w, out_h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.isNull()) return {};
    if (image.format() != QImage::Format_RGB32) {
      image = image.convertToFormat(QImage::Format_RGB32);
      if (image.isNull()) return {};
    }
  }

  PixelRaster raster;
  try {
    raster.pixels.resize(static_cast<std::size_t>(out_w) * static_cast<std::size_t>(out_h));
  } catch (const std::bad_alloc&) {
    return {};
  }
  raster.width = out_w;
  raster.height = out_h;
  for (int y = 0; y < out_h; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    Pixel* out = raster.row(y);
    // 0xffRRGGBB becomes an opaque pixel 0x00RRGGBB.
    for (int x = 0; x < out_w; ++x) out[x] = in[x] & 0x00FFFFFFu;
  }
  return encode_bmp24(raster);
}

}  // namespace sorvane
