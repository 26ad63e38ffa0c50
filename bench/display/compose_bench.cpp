// Composing the whole 460 x 878 display area from the built-in pictures,
// side by side with QPainter's premultiplied SourceOver of the same two
// images into the same buffer, and with a plain copy of the area (the
// memory floor).
#include <cstring>
#include <vector>

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "app/pictures/builtin_pictures.h"
#include "display/background_raster.h"
#include "display/composition.h"
#include "display/picture.h"
#include "display/picture_store.h"

namespace {

using namespace sorvane;

constexpr int kW = 460;
constexpr int kH = 878;
constexpr Pixel kFill = make_pixel(239, 239, 239);

struct Scene {
  PixelRaster background;
  PictureStore store;
  std::shared_ptr<const StoredPicture> overlay;
  std::vector<ComposedObject> objects;
  QImage background_image;  // the same pixels as QImage
  QImage overlay_image;     // premultiplied, as QPainter wants it

  Scene() {
    const ByteBuffer bg = builtin::background_picture().to_buffer();
    background = build_background_raster(bg.data(), bg.size(), kW, kH, kFill,
                                         PicDrawMode::kTopLeft, true);
    overlay = store.store(decode_object_picture(builtin::overlay_picture().to_buffer(),
                                                kNoColour, false));
    objects = {{overlay.get(), 0, 0, 0, 0}};
    background_image = QImage(kW, kH, QImage::Format_RGB32);
    std::memcpy(background_image.bits(), background.pixels.data(), background.pixels.size() * 4);
    QImage straight(overlay->picture.width, overlay->picture.height, QImage::Format_ARGB32);
    const auto& px = overlay->picture.frames[0].pixels;
    for (int y = 0; y < straight.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(straight.scanLine(y));
      for (int x = 0; x < straight.width(); ++x) {
        const Pixel p = px[static_cast<std::size_t>(y) * straight.width() + x];
        line[x] = (p & 0xFFFFFFu) | ((255u - pixel_transparency(p)) << 24);
      }
    }
    overlay_image = straight.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
};

Scene& scene() {
  static Scene s;
  return s;
}

void BM_ComposeDisplayArea(benchmark::State& state) {
  Scene& s = scene();
  std::vector<Pixel> out;
  for (auto _ : state) {
    compose_rect(s.background, s.objects, 0, 0, kW, kH, 0xFF000000u, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ComposeDisplayArea);

void BM_QPainterSourceOver(benchmark::State& state) {
  Scene& s = scene();
  QImage out(kW, kH, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, s.background_image);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(0, 0, s.overlay_image);
    p.end();
    benchmark::DoNotOptimize(out.bits());
  }
}
BENCHMARK(BM_QPainterSourceOver);

void BM_PlainCopyOfTheArea(benchmark::State& state) {
  Scene& s = scene();
  std::vector<Pixel> out(static_cast<std::size_t>(kW) * kH);
  for (auto _ : state) {
    std::memcpy(out.data(), s.background.pixels.data(), out.size() * sizeof(Pixel));
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainCopyOfTheArea);

}  // namespace

BENCHMARK_MAIN();
