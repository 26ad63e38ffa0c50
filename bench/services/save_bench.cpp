// The Save command's work on a 460 x 878 display area with a panel above it:
// capture + BMP encoding + writing the file, side by side with Qt's own BMP
// writer (QImage::save) on the same capture, plus the encoding and writing
// steps alone.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "common/raster.h"
#include "services/bmp_encoder.h"
#include "services/snapshot.h"
#include "services/whole_file.h"

namespace {

// A control painting a fixed picture, as the display area and the panel do.
class Picture : public QWidget {
 public:
  Picture(QWidget* parent, QRect geometry, int seed) : QWidget(parent), image_(geometry.size(), QImage::Format_RGB32) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(geometry);
    for (int y = 0; y < image_.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
      for (int x = 0; x < image_.width(); ++x)
        row[x] = qRgb((x * 7 + seed) & 255, (y * 3 + x) & 255, (x ^ y ^ seed) & 255);
    }
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, image_);
  }

 private:
  QImage image_;
};

struct Scene {
  QWidget window;
  Picture* area;
  std::uintptr_t handle;
  std::string dir;

  Scene() {
    window.resize(523, 905);
    area = new Picture(&window, QRect(0, 0, 460, 878), 1);
    new Picture(&window, QRect(36, 169, 372, 435), 99);  // the panel, above the area
    window.show();
    handle = sorvane::window_handle(area);
    char tmpl[] = "/tmp/services-bench-XXXXXX";
    if (::mkdtemp(tmpl) != nullptr) dir = tmpl;
  }
  ~Scene() {
    if (!dir.empty()) (void)std::system(("rm -rf '" + dir + "'").c_str());
  }

  // The capture as Qt's writer gets it: the same rendering of the window's
  // region that snapshot_window makes.
  QImage capture() {
    QImage image(area->size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::black);
    window.render(&image, QPoint(), QRegion(QRect(area->mapTo(&window, QPoint()), area->size())),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
  }
};

Scene* g_scene = nullptr;

void BM_SavePath_Sorvane(benchmark::State& state) {
  const std::string path = g_scene->dir + "/sorvane.bmp";
  for (auto _ : state) {
    const sorvane::ByteBuffer bmp = sorvane::snapshot_window(g_scene->handle);
    if (bmp.size() != 1211694u || !sorvane::write_whole_file(path, bmp)) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * 1211694);
}
BENCHMARK(BM_SavePath_Sorvane)->Unit(benchmark::kMillisecond);

void BM_SavePath_QImageSave(benchmark::State& state) {
  const QString path = QString::fromStdString(g_scene->dir + "/qimage.bmp");
  for (auto _ : state) {
    const QImage image = g_scene->capture();
    if (!image.save(path, "BMP")) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * 1211694);
}
BENCHMARK(BM_SavePath_QImageSave)->Unit(benchmark::kMillisecond);

// Qt's writer with the same safety as write_whole_file: a temporary file,
// synced to disk and renamed over the target.
void BM_SavePath_QImageSaveFile(benchmark::State& state) {
  const QString path = QString::fromStdString(g_scene->dir + "/qsavefile.bmp");
  for (auto _ : state) {
    const QImage image = g_scene->capture();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "BMP") || !file.commit())
      state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * 1211694);
}
BENCHMARK(BM_SavePath_QImageSaveFile)->Unit(benchmark::kMillisecond);

void BM_Capture(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(g_scene->capture());
}
BENCHMARK(BM_Capture)->Unit(benchmark::kMillisecond);

// snapshot_window alone: capture and encoding, in memory.
void BM_Snapshot(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(sorvane::snapshot_window(g_scene->handle));
  state.SetBytesProcessed(state.iterations() * 1211694);
}
BENCHMARK(BM_Snapshot)->Unit(benchmark::kMillisecond);

// Qt's counterpart: the same capture, then encoded to memory.
void BM_CaptureAndEncode_QImage(benchmark::State& state) {
  for (auto _ : state) {
    const QImage image = g_scene->capture();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP")) state.SkipWithError("encode failed");
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * 1211694);
}
BENCHMARK(BM_CaptureAndEncode_QImage)->Unit(benchmark::kMillisecond);

void BM_Encode_Sorvane(benchmark::State& state) {
  const QImage image = g_scene->capture();
  sorvane::PixelRaster raster;
  raster.width = image.width();
  raster.height = image.height();
  raster.pixels.resize(static_cast<std::size_t>(raster.width) * raster.height);
  for (int y = 0; y < raster.height; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < raster.width; ++x) raster.row(y)[x] = in[x] & 0x00FFFFFFu;
  }
  for (auto _ : state) benchmark::DoNotOptimize(sorvane::encode_bmp24(raster));
  state.SetBytesProcessed(state.iterations() * 1211694);
}
BENCHMARK(BM_Encode_Sorvane)->Unit(benchmark::kMillisecond);

void BM_Encode_QImageToMemory(benchmark::State& state) {
  const QImage image = g_scene->capture();
  for (auto _ : state) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP")) state.SkipWithError("encode failed");
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * 1211694);
}
BENCHMARK(BM_Encode_QImageToMemory)->Unit(benchmark::kMillisecond);

void BM_Write_WholeFile(benchmark::State& state) {
  const sorvane::ByteBuffer bmp = sorvane::snapshot_window(g_scene->handle);
  const std::string path = g_scene->dir + "/write.bmp";
  for (auto _ : state) {
    if (!sorvane::write_whole_file(path, bmp)) state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bmp.size()));
}
BENCHMARK(BM_Write_WholeFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  auto scene = std::make_unique<Scene>();
  g_scene = scene.get();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_scene = nullptr;
  return 0;
}
