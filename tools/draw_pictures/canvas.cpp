#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace sorvane::draw {

namespace {
int clamp_byte(int v) { return std::clamp(v, 0, 255); }
}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
  return Rgb{clamp_byte(static_cast<int>(std::lround(a.r + (b.r - a.r) * t))),
             clamp_byte(static_cast<int>(std::lround(a.g + (b.g - a.g) * t))),
             clamp_byte(static_cast<int>(std::lround(a.b + (b.b - a.b) * t)))};
}

Rgb lighter(Rgb c, int amount) {
  return Rgb{clamp_byte(c.r + amount), clamp_byte(c.g + amount), clamp_byte(c.b + amount)};
}

std::uint32_t hash3(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  std::uint32_t h = seed * 0x9E3779B1u ^ (x * 0x85EBCA77u) ^ (y * 0xC2B2AE3Du);
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

double unit_noise(int x, int y, std::uint32_t seed) {
  return (hash3(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed) >> 8) /
         16777216.0;
}

int grain(int x, int y, std::uint32_t seed, int amplitude) {
  if (amplitude <= 0) return 0;
  // Sum of two uniforms: a triangular spread, most pixels near the typical
  // value and few at the extremes, like sensor and scaling noise.
  const double a = unit_noise(x, y, seed);
  const double b = unit_noise(x, y, seed ^ 0xA5A5A5A5u);
  return static_cast<int>(std::lround((a + b - 1.0) * amplitude));
}

double smooth_noise(double x, double y, double scale, std::uint32_t seed) {
  const double fx = x / scale;
  const double fy = y / scale;
  const int ix = static_cast<int>(std::floor(fx));
  const int iy = static_cast<int>(std::floor(fy));
  const double tx = fx - ix;
  const double ty = fy - iy;
  const double sx = tx * tx * (3 - 2 * tx);
  const double sy = ty * ty * (3 - 2 * ty);
  const double v00 = unit_noise(ix, iy, seed);
  const double v10 = unit_noise(ix + 1, iy, seed);
  const double v01 = unit_noise(ix, iy + 1, seed);
  const double v11 = unit_noise(ix + 1, iy + 1, seed);
  return (v00 * (1 - sx) + v10 * sx) * (1 - sy) + (v01 * (1 - sx) + v11 * sx) * sy;
}

QImage new_canvas(int width, int height, Rgb c) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(qcolour(c));
  return img;
}

void put(QImage& img, int x, int y, Rgb c) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return;
  auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
  const int alpha = img.hasAlphaChannel() ? qAlpha(line[x]) : 255;
  line[x] = qRgba(clamp_byte(c.r), clamp_byte(c.g), clamp_byte(c.b),
                  img.hasAlphaChannel() ? alpha : 255);
}

Rgb get(const QImage& img, int x, int y) {
  const QRgb p = reinterpret_cast<const QRgb*>(img.constScanLine(y))[x];
  return Rgb{qRed(p), qGreen(p), qBlue(p)};
}

void blend(QImage& img, int x, int y, Rgb c, double a) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return;
  put(img, x, y, mix(get(img, x, y), c, std::clamp(a, 0.0, 1.0)));
}

void hline(QImage& img, int x0, int x1, int y, Rgb c) {
  for (int x = x0; x <= x1; ++x) put(img, x, y, c);
}

void vline(QImage& img, int x, int y0, int y1, Rgb c) {
  for (int y = y0; y <= y1; ++y) put(img, x, y, c);
}

void fill(QImage& img, const QRect& r, Rgb c) {
  for (int y = r.top(); y <= r.bottom(); ++y) hline(img, r.left(), r.right(), y, c);
}

void fill_grain(QImage& img, const QRect& r, Rgb c, int amplitude, std::uint32_t seed) {
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      // Fine grain plus a faint mottling some twenty pixels across: the
      // texture of a skin cut from a photograph.
      const double mottle = (smooth_noise(x, y, 19, seed ^ 0x3C3Cu) - 0.5) * amplitude * 1.5;
      const int n = grain(x, y, seed, amplitude) + static_cast<int>(std::lround(mottle));
      put(img, x, y, Rgb{c.r + n, c.g + n, c.b + n});
    }
  }
}

void add_grain(QImage& img, const QRect& r, int amplitude, std::uint32_t seed) {
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      const int n = grain(x, y, seed, amplitude);
      const Rgb c = get(img, x, y);
      put(img, x, y, Rgb{c.r + n, c.g + n, c.b + n});
    }
  }
}

bool rounded_span(const QRect& r, const CornerInsets& c, int y, int* x0, int* x1) {
  if (y < r.top() || y > r.bottom()) return false;
  *x0 = r.left();
  *x1 = r.right();
  const int from_top = y - r.top();
  const int from_bottom = r.bottom() - y;
  if (from_top < c.rows) {
    *x0 += c.top_left[from_top];
    *x1 -= c.top_right[from_top];
  } else if (from_bottom < c.rows) {
    *x0 += c.bottom_left[from_bottom];
    *x1 -= c.bottom_right[from_bottom];
  }
  return *x0 <= *x1;
}

void fill_rounded_grain(QImage& img, const QRect& r, const CornerInsets& c, Rgb colour,
                        int amplitude, std::uint32_t seed) {
  for (int y = r.top(); y <= r.bottom(); ++y) {
    int x0 = 0;
    int x1 = 0;
    if (!rounded_span(r, c, y, &x0, &x1)) continue;
    fill_grain(img, QRect(QPoint(x0, y), QPoint(x1, y)), colour, amplitude, seed);
  }
}

void fill_vgradient(QImage& img, const QRect& r, Rgb top, Rgb bottom, int amplitude,
                    std::uint32_t seed) {
  const int h = std::max(1, r.height() - 1);
  for (int y = r.top(); y <= r.bottom(); ++y) {
    const Rgb c = mix(top, bottom, static_cast<double>(y - r.top()) / h);
    fill_grain(img, QRect(r.left(), y, r.width(), 1), c, amplitude, seed);
  }
}

}  // namespace sorvane::draw

#include <QPainter>

#include <vector>

namespace sorvane::draw {

namespace {

void blur_line(const std::uint8_t* src, std::uint8_t* dst, int n, int stride, int radius) {
  // One channel of one line; clamps at the ends.
  const int window = 2 * radius + 1;
  int sum = 0;
  for (int i = -radius; i <= radius; ++i) sum += src[std::clamp(i, 0, n - 1) * stride];
  for (int i = 0; i < n; ++i) {
    dst[i * stride] = static_cast<std::uint8_t>((sum + window / 2) / window);
    const int out = std::clamp(i - radius, 0, n - 1);
    const int in = std::clamp(i + radius + 1, 0, n - 1);
    sum += src[in * stride] - src[out * stride];
  }
}

}  // namespace

void box_blur(QImage& img, int radius, int passes) {
  if (radius <= 0) return;
  const int w = img.width();
  const int h = img.height();
  const int n = std::max(w, h);
  std::vector<std::uint8_t> src(static_cast<std::size_t>(n) * 4);
  std::vector<std::uint8_t> dst(static_cast<std::size_t>(n) * 4);
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < h; ++y) {
      std::uint8_t* line = img.scanLine(y);
      std::copy(line, line + w * 4, src.begin());
      for (int ch = 0; ch < 4; ++ch) blur_line(src.data() + ch, dst.data() + ch, w, 4, radius);
      std::copy(dst.begin(), dst.begin() + w * 4, line);
    }
    for (int x = 0; x < w; ++x) {
      for (int y = 0; y < h; ++y) {
        const std::uint8_t* px = img.constScanLine(y) + x * 4;
        std::copy(px, px + 4, src.begin() + y * 4);
      }
      for (int ch = 0; ch < 4; ++ch) blur_line(src.data() + ch, dst.data() + ch, h, 4, radius);
      for (int y = 0; y < h; ++y) {
        std::uint8_t* px = img.scanLine(y) + x * 4;
        std::copy(dst.begin() + y * 4, dst.begin() + y * 4 + 4, px);
      }
    }
  }
}

void composite(QImage& img, const QImage& layer, int x, int y, double opacity) {
  QPainter p(&img);
  p.setOpacity(opacity);
  p.drawImage(x, y, layer);
}

}  // namespace sorvane::draw
