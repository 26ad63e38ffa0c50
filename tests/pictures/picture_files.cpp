#include "picture_files.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace sorvane::pictures_test {

std::uint32_t be32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
std::uint16_t be16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }
std::uint32_t le32(const std::uint8_t* p) {
  return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}
std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[1] << 8) | p[0]); }

int distance(Rgb a, Rgb b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

std::vector<JpegSegment> jpeg_segments(const ByteBuffer& f) {
  std::vector<JpegSegment> out;
  if (f.size() < 4 || f[0] != 0xFF || f[1] != 0xD8) return {};
  out.push_back({0xD8, {}});
  std::size_t i = 2;
  // Header segments up to SOS.
  while (true) {
    if (i + 4 > f.size() || f[i] != 0xFF) return {};
    const std::uint8_t marker = f[i + 1];
    const std::size_t length = be16(&f[i + 2]);
    if (length < 2 || i + 2 + length > f.size()) return {};
    out.push_back({marker, std::vector<std::uint8_t>(f.begin() + static_cast<std::ptrdiff_t>(i + 4),
                                                     f.begin() + static_cast<std::ptrdiff_t>(i + 2 + length))});
    i += 2 + length;
    if (marker == 0xDA) break;
  }
  // Entropy-coded data: 0xFF 0x00 is a stuffed byte; anything else a marker.
  while (i + 1 < f.size()) {
    if (f[i] == 0xFF && f[i + 1] != 0x00 && f[i + 1] != 0xFF) {
      out.push_back({f[i + 1], {}});
      if (f[i + 1] == 0xD9) {
        if (i + 2 != f.size()) return {};  // bytes after EOI
        return out;
      }
      i += 2;
    } else {
      ++i;
    }
  }
  return {};  // no EOI
}

std::vector<PngChunk> png_chunks(const ByteBuffer& f) {
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (f.size() < 8 || !std::equal(kSignature, kSignature + 8, f.begin())) return {};
  std::vector<PngChunk> out;
  std::size_t i = 8;
  while (i < f.size()) {
    if (i + 12 > f.size()) return {};
    const std::size_t length = be32(&f[i]);
    if (length > f.size() - i - 12) return {};
    PngChunk c;
    c.type.assign(reinterpret_cast<const char*>(&f[i + 4]), 4);
    c.data.assign(f.begin() + static_cast<std::ptrdiff_t>(i + 8),
                  f.begin() + static_cast<std::ptrdiff_t>(i + 8 + length));
    const std::uint32_t stored = be32(&f[i + 8 + length]);
    const uLong crc = crc32(0, &f[i + 4], static_cast<uInt>(length + 4));
    c.crc_ok = stored == static_cast<std::uint32_t>(crc);
    out.push_back(std::move(c));
    i += 12 + length;
  }
  return out;
}

namespace {

struct JpegError {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void jpeg_fail(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

struct Decompressor {
  jpeg_decompress_struct cinfo{};
  JpegError err{};
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

struct PngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngReader() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
};

struct PngSource {
  const ByteBuffer* file;
  std::size_t offset;
};

void png_read_from(png_structp png, png_bytep out, png_size_t n) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (n > src->file->size() - src->offset) png_error(png, "read past the end");
  std::copy_n(src->file->data() + src->offset, n, out);
  src->offset += n;
}

}  // namespace

std::optional<RgbImage> decode_jpeg(const ByteBuffer& file) {
  // Declared before setjmp so that nothing with a destructor is skipped.
  RgbImage img;
  Decompressor d;
  d.cinfo.err = jpeg_std_error(&d.err.base);
  d.err.base.error_exit = jpeg_fail;
  if (setjmp(d.err.jump) != 0) return std::nullopt;
  jpeg_create_decompress(&d.cinfo);
  jpeg_mem_src(&d.cinfo, file.data(), static_cast<unsigned long>(file.size()));
  if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK) return std::nullopt;
  d.cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d.cinfo);
  img.width = static_cast<int>(d.cinfo.output_width);
  img.height = static_cast<int>(d.cinfo.output_height);
  img.rgb.resize(static_cast<std::size_t>(img.width) * img.height * 3);
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    JSAMPROW row = img.rgb.data() + static_cast<std::size_t>(d.cinfo.output_scanline) * img.width * 3;
    jpeg_read_scanlines(&d.cinfo, &row, 1);
  }
  jpeg_finish_decompress(&d.cinfo);
  return img;
}

std::optional<RgbaImage> decode_png(const ByteBuffer& file) {
  RgbaImage img;
  PngSource src{&file, 0};
  std::vector<png_bytep> rows;
  PngReader r;
  r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (r.png == nullptr) return std::nullopt;
  r.info = png_create_info_struct(r.png);
  if (r.info == nullptr) return std::nullopt;
  if (setjmp(png_jmpbuf(r.png)) != 0) return std::nullopt;
  png_set_read_fn(r.png, &src, png_read_from);
  png_read_info(r.png, r.info);
  // Only the stored 8-bit RGBA samples are wanted: no transformation.
  if (png_get_color_type(r.png, r.info) != PNG_COLOR_TYPE_RGB_ALPHA ||
      png_get_bit_depth(r.png, r.info) != 8) {
    return std::nullopt;
  }
  img.width = static_cast<int>(png_get_image_width(r.png, r.info));
  img.height = static_cast<int>(png_get_image_height(r.png, r.info));
  img.rgba.resize(static_cast<std::size_t>(img.width) * img.height * 4);
  rows.resize(static_cast<std::size_t>(img.height));
  for (int y = 0; y < img.height; ++y) {
    rows[static_cast<std::size_t>(y)] = img.rgba.data() + static_cast<std::size_t>(y) * img.width * 4;
  }
  png_read_image(r.png, rows.data());
  png_read_end(r.png, nullptr);
  return img;
}

}  // namespace sorvane::pictures_test
