// The two entry points of picture decoding: the general loader (an opaque
// raster) and the object-picture decoder (frames with transparency and a
// transparent colour), plus the region decode used for backgrounds.
#include "display/picture.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "display/picture_decoders.h"
#include "display/picture_format.h"

namespace sorvane {

std::optional<PixelRaster> decode_picture_as(PictureFormat format, const std::uint8_t* data,
                                             std::size_t size, const DecodeLimits& limits) {
  switch (format) {
    case PictureFormat::Jpeg:
      return decode_jpeg(data, size, limits);
    case PictureFormat::Bmp:
      return decode_bmp(data, size, limits);
    case PictureFormat::Icon:
    case PictureFormat::Cursor:
      return decode_icon(data, size, limits);
    case PictureFormat::Gif:
      return decode_gif_first_image(data, size, limits);
    case PictureFormat::Pcx8:
    case PictureFormat::Pcx1:
      return decode_pcx(data, size, limits);
    case PictureFormat::None:
    default:
      return std::nullopt;
  }
}

void composite_over_white(PixelRaster& raster) {
  for (Pixel& p : raster.pixels) {
    const unsigned t = pixel_transparency(p);
    if (t == 0) continue;
    const unsigned a = 255 - t;
    auto over_white = [&](unsigned c) {
      return static_cast<std::uint8_t>((c * a + 255 * t + 127) / 255);
    };
    p = make_pixel(over_white(pixel_red(p)), over_white(pixel_green(p)),
                   over_white(pixel_blue(p)));
  }
}

ByteBuffer bgr_rows_bottom_up(const PixelRaster& raster) {
  ByteBuffer out;
  if (raster.empty()) return out;
  try {
    out.resize(static_cast<std::size_t>(raster.width) * raster.height * 3);
  } catch (const std::bad_alloc&) {
    return {};
  }
  std::uint8_t* d = out.data();
  for (int y = raster.height - 1; y >= 0; --y) {
    const Pixel* s = raster.row(y);
    for (int x = 0; x < raster.width; ++x) {
      *d++ = pixel_blue(s[x]);
      *d++ = pixel_green(s[x]);
      *d++ = pixel_red(s[x]);
    }
  }
  return out;
}

std::optional<PixelRaster> load_picture(const std::uint8_t* data, std::size_t size,
                                        const DecodeLimits& limits) {
  const PictureFormat format = recognise_picture_format(data, size);
  if (format == PictureFormat::None) return std::nullopt;
  std::optional<PixelRaster> raster = decode_picture_as(format, data, size, limits);
  if (!raster || raster->empty()) return std::nullopt;
  // Icons and cursors keep their own transparency; the general loader draws
  // them over white. Every other decoder already gives opaque pixels.
  if (format == PictureFormat::Icon || format == PictureFormat::Cursor)
    composite_over_white(*raster);
  return raster;
}

std::optional<PixelRaster> load_picture(const std::uint8_t* data, std::size_t size) {
  return load_picture(data, size, kDefaultDecodeLimits);
}

namespace {

// Sets each frame's transparent colour: its top-left pixel when automatic,
// else the given colour.
void assign_transparent_colour(Picture& picture, ColourValue transparent, bool automatic) {
  for (PictureFrame& frame : picture.frames) {
    frame.transparent_colour =
        automatic && !frame.pixels.empty() ? pixel_to_colour(frame.pixels[0]) : transparent;
  }
}

}  // namespace

Picture decode_object_picture(const std::uint8_t* data, std::size_t size,
                              ColourValue transparent, bool automatic,
                              const DecodeLimits& limits) {
  if (data == nullptr || size == 0) return {};
  if (automatic) transparent = kNoColour;
  if (size > 5 && has_gif_signature(data, size))
    return decode_gif_frames(data, size, transparent, automatic, limits);
  if (size > 7 && has_png_signature(data, size)) {
    Picture picture = decode_png(data, size, limits);
    if (picture.empty()) return {};
    assign_transparent_colour(picture, transparent, automatic);
    return picture;
  }
  std::optional<PixelRaster> raster = load_picture(data, size, limits);
  if (!raster) return {};
  Picture picture;
  picture.width = raster->width;
  picture.height = raster->height;
  picture.frames.resize(1);
  picture.frames[0].pixels = std::move(raster->pixels);
  assign_transparent_colour(picture, transparent, automatic);
  return picture;
}

Picture decode_object_picture(const std::uint8_t* data, std::size_t size,
                              ColourValue transparent, bool automatic) {
  return decode_object_picture(data, size, transparent, automatic, kDefaultDecodeLimits);
}

std::optional<PictureRegion> load_picture_region(
    const std::uint8_t* data, std::size_t size,
    const std::function<PictureRect(int picture_width, int picture_height)>& choose,
    const DecodeLimits& limits) {
  const PictureFormat format = recognise_picture_format(data, size);
  if (format == PictureFormat::None || !choose) return std::nullopt;
  if (format == PictureFormat::Jpeg) return decode_jpeg_region(data, size, choose, limits);

  std::optional<PixelRaster> whole = load_picture(data, size, limits);
  if (!whole) return std::nullopt;
  PictureRect want;
  try {
    want = choose(whole->width, whole->height);
  } catch (...) {
    return std::nullopt;
  }
  PictureRegion region;
  region.picture_width = whole->width;
  region.picture_height = whole->height;
  const auto clamp = [](std::int64_t v, int hi) {
    return static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(v, 0), hi));
  };
  const int l = clamp(want.left, whole->width);
  const int t = clamp(want.top, whole->height);
  const int r = clamp(static_cast<std::int64_t>(want.left) + std::max(want.width, 0), whole->width);
  const int b = clamp(static_cast<std::int64_t>(want.top) + std::max(want.height, 0), whole->height);
  region.left = l;
  region.top = t;
  if (r <= l || b <= t) return region;
  if (l == 0 && t == 0 && r == whole->width && b == whole->height) {
    region.pixels = std::move(*whole);
    return region;
  }
  PixelRaster& out = region.pixels;
  try {
    out.pixels.resize(static_cast<std::size_t>(r - l) * (b - t));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  out.width = r - l;
  out.height = b - t;
  for (int y = t; y < b; ++y)
    std::memcpy(out.row(y - t), whole->row(y) + l, static_cast<std::size_t>(r - l) * sizeof(Pixel));
  return region;
}

std::optional<PictureRegion> load_picture_region(const std::uint8_t* data, std::size_t size,
                                                 int left, int top, int width, int height,
                                                 const DecodeLimits& limits) {
  const PictureRect fixed{left, top, width, height};
  return load_picture_region(
      data, size, [fixed](int, int) { return fixed; }, limits);
}

}  // namespace sorvane
