#include "writers.h"

namespace sorvane::draw {

namespace {

void u16(Bytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void u32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

Bytes encode_ico(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  const int w = argb.width();
  const int h = argb.height();
  if (w <= 0 || h <= 0 || w > 256 || h > 256) return {};
  const std::uint32_t xor_size = static_cast<std::uint32_t>(w * h * 4);
  const std::uint32_t mask_stride = static_cast<std::uint32_t>((w + 31) / 32 * 4);
  const std::uint32_t mask_size = mask_stride * static_cast<std::uint32_t>(h);
  const std::uint32_t image_size = 40 + xor_size + mask_size;

  Bytes b;
  u16(b, 0);  // reserved
  u16(b, 1);  // type: icon
  u16(b, 1);  // one image
  b.push_back(static_cast<std::uint8_t>(w == 256 ? 0 : w));
  b.push_back(static_cast<std::uint8_t>(h == 256 ? 0 : h));
  b.push_back(0);  // colour count
  b.push_back(0);  // reserved
  u16(b, 1);       // planes
  u16(b, 32);      // bits per pixel
  u32(b, image_size);
  u32(b, 22);      // offset of the image

  u32(b, 40);
  u32(b, static_cast<std::uint32_t>(w));
  u32(b, static_cast<std::uint32_t>(2 * h));  // colour rows plus mask rows
  u16(b, 1);
  u16(b, 32);
  u32(b, 0);  // no compression
  u32(b, xor_size + mask_size);
  u32(b, 0);
  u32(b, 0);
  u32(b, 0);
  u32(b, 0);

  for (int y = h - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      b.push_back(static_cast<std::uint8_t>(qBlue(line[x])));
      b.push_back(static_cast<std::uint8_t>(qGreen(line[x])));
      b.push_back(static_cast<std::uint8_t>(qRed(line[x])));
      b.push_back(static_cast<std::uint8_t>(qAlpha(line[x])));
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    Bytes row(mask_stride, 0);
    for (int x = 0; x < w; ++x) {
      if (qAlpha(line[x]) == 0) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

}  // namespace sorvane::draw
