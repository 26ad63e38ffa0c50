#include "display/background_raster.h"

#include <algorithm>
#include <optional>

#include "display/picture.h"

namespace sorvane {

namespace {

void fill(PixelRaster& r, Pixel p) { std::fill(r.pixels.begin(), r.pixels.end(), p); }

// Copies `picture` 1:1 with its top-left corner at (left, top) of `target`,
// cutting off whatever falls outside.
void place(const PixelRaster& picture, int left, int top, PixelRaster& target) {
  const int x0 = std::max(0, left);
  const int y0 = std::max(0, top);
  const int x1 = std::min(target.width, left + picture.width);
  const int y1 = std::min(target.height, top + picture.height);
  if (x0 >= x1 || y0 >= y1) return;
  for (int y = y0; y < y1; ++y)
    std::copy_n(picture.row(y - top) + (x0 - left), x1 - x0, target.row(y) + x0);
}

// One axis of area averaging: destination cell i covers source
// [i * n / m, (i + 1) * n / m); weights are in units of 1 / m of a source
// pixel, so that every cell's weights add up to n.
struct Tap {
  int first;
  std::vector<std::int64_t> weights;
};

std::vector<Tap> area_taps(int n, int m) {
  std::vector<Tap> taps(static_cast<std::size_t>(m));
  for (int i = 0; i < m; ++i) {
    const std::int64_t a = static_cast<std::int64_t>(i) * n;  // in units of 1/m
    const std::int64_t b = a + n;
    Tap& t = taps[static_cast<std::size_t>(i)];
    t.first = static_cast<int>(a / m);
    for (std::int64_t s = t.first; s * m < b && s < n; ++s) {
      const std::int64_t lo = std::max(a, s * m);
      const std::int64_t hi = std::min(b, (s + 1) * m);
      t.weights.push_back(hi - lo);
    }
  }
  return taps;
}

// The picture's top-left min(w, width) x min(h, height) pixels, decoding
// no more of it than that.
std::optional<PixelRaster> load_picture_top_left(const std::uint8_t* pic, std::size_t size,
                                                 int width, int height) {
  std::optional<PictureRegion> region = load_picture_region(pic, size, 0, 0, width, height);
  if (!region) return std::nullopt;
  return std::move(region->pixels);
}

}  // namespace

PixelRaster resample(const PixelRaster& source, int width, int height, bool smooth) {
  PixelRaster out;
  if (source.empty() || width <= 0 || height <= 0) return out;
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<std::size_t>(width) * height);
  if (!smooth) {
    for (int y = 0; y < height; ++y) {
      const Pixel* src = source.row(static_cast<int>(static_cast<std::int64_t>(y) *
                                                     source.height / height));
      Pixel* dst = out.row(y);
      for (int x = 0; x < width; ++x)
        dst[x] = src[static_cast<std::int64_t>(x) * source.width / width];
    }
    return out;
  }
  const std::vector<Tap> xs = area_taps(source.width, width);
  const std::vector<Tap> ys = area_taps(source.height, height);
  // Horizontal pass into 4 channels of 64-bit sums, then vertical.
  std::vector<std::int64_t> rows(static_cast<std::size_t>(width) * source.height * 4);
  for (int y = 0; y < source.height; ++y) {
    const Pixel* src = source.row(y);
    std::int64_t* acc = rows.data() + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      const Tap& t = xs[static_cast<std::size_t>(x)];
      std::int64_t c[4] = {0, 0, 0, 0};
      for (std::size_t k = 0; k < t.weights.size(); ++k) {
        const Pixel p = src[t.first + static_cast<int>(k)];
        for (int ch = 0; ch < 4; ++ch) c[ch] += ((p >> (8 * ch)) & 0xFF) * t.weights[k];
      }
      for (int ch = 0; ch < 4; ++ch) acc[x * 4 + ch] = c[ch];
    }
  }
  const std::int64_t total = static_cast<std::int64_t>(source.width) * source.height;
  for (int y = 0; y < height; ++y) {
    const Tap& t = ys[static_cast<std::size_t>(y)];
    Pixel* dst = out.row(y);
    for (int x = 0; x < width; ++x) {
      std::int64_t c[4] = {0, 0, 0, 0};
      for (std::size_t k = 0; k < t.weights.size(); ++k) {
        const std::int64_t* acc =
            rows.data() + (static_cast<std::size_t>(t.first) + k) * width * 4 + x * 4;
        for (int ch = 0; ch < 4; ++ch) c[ch] += acc[ch] * t.weights[k];
      }
      Pixel p = 0;
      for (int ch = 0; ch < 4; ++ch)
        p |= static_cast<Pixel>((c[ch] + total / 2) / total) << (8 * ch);
      dst[x] = p;
    }
  }
  return out;
}

PixelRaster build_background_raster(const std::uint8_t* pic, std::size_t size, int width,
                                    int height, Pixel fill_pixel, PicDrawMode mode, bool smooth) {
  PixelRaster raster;
  if (width <= 0 || height <= 0) return raster;
  raster.width = width;
  raster.height = height;
  raster.pixels.resize(static_cast<std::size_t>(width) * height);

  // Decode only what the raster shows: the top-left width x height pixels
  // for the top-left and tiled placements, the visible middle for the
  // centred one; stretching needs the whole picture.
  std::optional<PixelRaster> picture;
  int left = 0, top = 0;  // where `picture` goes in the raster
  if (size > 0) {
    if (mode == PicDrawMode::kTopLeft || mode == PicDrawMode::kTiled) {
      picture = load_picture_top_left(pic, size, width, height);
    } else if (mode == PicDrawMode::kCentred) {
      std::optional<PictureRegion> region = load_picture_region(
          pic, size, [width, height](int w, int h) {
            const int ox = (width - w) / 2, oy = (height - h) / 2;
            const int l = std::max(0, -ox), t = std::max(0, -oy);
            return PictureRect{l, t, std::min(w, width - ox) - l, std::min(h, height - oy) - t};
          });
      if (region) {
        left = (width - region->picture_width) / 2 + region->left;
        top = (height - region->picture_height) / 2 + region->top;
        picture = std::move(region->pixels);
      }
    } else {
      picture = load_picture(pic, size);
    }
  }
  if (!picture || picture->empty()) {
    fill(raster, fill_pixel);
    return raster;
  }
  switch (mode) {
    case PicDrawMode::kStretched:
      raster = resample(*picture, width, height, smooth);
      break;
    case PicDrawMode::kTopLeft:
      fill(raster, fill_pixel);
      place(*picture, 0, 0, raster);
      break;
    case PicDrawMode::kCentred:
      fill(raster, fill_pixel);
      place(*picture, left, top, raster);
      break;
    case PicDrawMode::kTiled:
      for (int top = 0; top < height; top += picture->height)
        for (int left = 0; left < width; left += picture->width) place(*picture, left, top, raster);
      break;
  }
  return raster;
}

}  // namespace sorvane
