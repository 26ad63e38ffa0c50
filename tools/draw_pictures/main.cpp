// sorvane_draw_pictures: draws the built-in pictures and writes them into a
// folder (by default the source tree's app/pictures/).
//
//   sorvane_draw_pictures [--out DIR] [--preview]
//
// --preview also writes composite-preview.png, the composite as the display
// area shows it, decoded from the files just written.

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstring>
#include <string>

#include "pictures.h"
#include "text.h"
#include "writers.h"

using namespace sorvane::draw;

namespace {

// The usual JPEG base tables, in natural order.
const unsigned kStdLuminance[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
const unsigned kStdChrominance[64] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

unsigned scaled(unsigned v, double f, unsigned lo, unsigned hi) {
  const unsigned s = static_cast<unsigned>(v * f + 0.5);
  return s < lo ? lo : (s > hi ? hi : s);
}

JpegOptions background_options() {
  JpegOptions o;
  for (int i = 0; i < 64; ++i) {
    o.luminance[i] = 1;
    o.chrominance[i] = 1;
  }
  o.jfif = true;
  return o;
}

JpegOptions panel_options() {
  // A camera-like fine quality: luminance 4-16, chrominance 7-24.
  JpegOptions o;
  for (int i = 0; i < 64; ++i) {
    o.luminance[i] = scaled(kStdLuminance[i], 0.14, 4, 16);
    o.chrominance[i] = scaled(kStdChrominance[i], 0.24, 7, 24);
  }
  o.jfif = false;
  o.adobe = true;
  o.restart_interval = 47;
  return o;
}

bool save(const std::string& dir, const char* name, const Bytes& bytes) {
  const std::string path = dir + "/" + name;
  if (bytes.empty() || !write_file(path, bytes)) {
    std::fprintf(stderr, "sorvane_draw_pictures: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%-22s %7zu bytes\n", name, bytes.size());
  return true;
}

QImage decode(const Bytes& bytes) {
  return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
}

Bytes png_bytes(const QImage& img) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  img.save(&buffer, "PNG");
  return Bytes(data.begin(), data.end());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  std::string out_dir = SORVANE_PICTURES_DIR;
  bool preview = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out_dir = argv[++i];
    } else if (std::strcmp(argv[i], "--preview") == 0) {
      preview = true;
    } else {
      std::fprintf(stderr, "usage: %s [--out DIR] [--preview]\n", argv[0]);
      return 2;
    }
  }
  if (!load_interface_font()) {
    std::fprintf(stderr, "sorvane_draw_pictures: the font WenQuanYi Micro Hei is missing\n");
    return 1;
  }

  const Bytes background = encode_jpeg(draw_background(), background_options());
  const Bytes overlay = encode_png_rgba(draw_overlay());
  const Bytes panel = encode_jpeg(draw_panel(), panel_options());
  const Bytes window_icon = encode_ico(draw_window_icon());
  const QImage program = draw_program_icon();
  const Bytes program_ico = encode_ico(program);
  const Bytes program_png = encode_png_rgba(program);

  bool ok = save(out_dir, "background.jpg", background);
  ok = save(out_dir, "overlay.png", overlay) && ok;
  ok = save(out_dir, "panel.jpg", panel) && ok;
  ok = save(out_dir, "window_icon.ico", window_icon) && ok;
  ok = save(out_dir, "program_icon.ico", program_ico) && ok;
  ok = save(out_dir, "program_icon.png", program_png) && ok;
  if (ok && preview) {
    const QImage composite = compose_preview(decode(background), decode(overlay), decode(panel));
    ok = save(out_dir, "composite-preview.png", png_bytes(composite));
  }
  return ok ? 0 : 1;
}
