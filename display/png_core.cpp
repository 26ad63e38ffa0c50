// libpng reports errors through longjmp. Everything between the setjmp in
// run_png_job and the library calls is plain C data, so no destructor can be
// skipped by a jump; every path ends in png_destroy_read_struct.
#include "display/png_core.h"

#include <algorithm>
#include <cstring>

#include <png.h>

namespace sorvane {
namespace {

// Errors abandon the decode through libpng's jump buffer; nothing is logged.
void abandon_decode(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignore_warning(png_structp, png_const_charp) {}

void read_from_buffer(png_structp png, png_bytep out, std::size_t count) {
  auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
  if (count > job->size - job->position) png_error(png, "data ends early");
  std::memcpy(out, job->data + job->position, count);
  job->position += count;
}

// RGB to BGR, and RGBA to BGR(255 - A), in place.
void swap_row(std::uint8_t* row, int width, int bytes_per_pixel) {
  if (bytes_per_pixel == 4) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // Whole words, four at a time so that the compiler vectorises them: the bytes
    // R G B A read as 0xAABBGGRR become 0x(255-A)RRGGBB, i.e. B G R (255-A).
    auto swap = [](std::uint32_t v) {
      return (v & 0x0000FF00u) | ((v & 0xFFu) << 16) | ((v >> 16) & 0xFFu) | (~v & 0xFF000000u);
    };
    int x = 0;
    for (; x + 4 <= width; x += 4, row += 16) {
      std::uint32_t v[4];
      std::memcpy(v, row, 16);
      v[0] = swap(v[0]);
      v[1] = swap(v[1]);
      v[2] = swap(v[2]);
      v[3] = swap(v[3]);
      std::memcpy(row, v, 16);
    }
    for (; x < width; ++x, row += 4) {
      std::uint32_t v;
      std::memcpy(&v, row, 4);
      v = swap(v);
      std::memcpy(row, &v, 4);
    }
#else
    for (int x = 0; x < width; ++x, row += 4) {
      const std::uint8_t r = row[0];
      row[0] = row[2];
      row[2] = r;
      row[3] = static_cast<std::uint8_t>(255 - row[3]);
    }
#endif
  } else {
    for (int x = 0; x < width; ++x, row += 3) {
      const std::uint8_t r = row[0];
      row[0] = row[2];
      row[2] = r;
    }
  }
}

}  // namespace

bool run_png_job(PngJob& job) {
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, abandon_decode, ignore_warning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }

  const png_uint_32 side = static_cast<png_uint_32>(std::max(job.max_side, 1));
  png_set_user_limits(png, side, side);
  png_set_read_fn(png, &job, read_from_buffer);
  png_read_info(png, info);

  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (width == 0 || height == 0 || width > side || height > side ||
      static_cast<std::uint64_t>(width) * height > job.max_pixels) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }

  png_color_16p background = nullptr;
  if (png_get_bKGD(png, info, &background) != 0 && background != nullptr)
    png_set_background(png, background, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
  if (png_get_bit_depth(png, info) == 16) png_set_strip_16(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);

  const int channels = png_get_channels(png, info);
  const int depth = png_get_bit_depth(png, info);
  const int colour_type = png_get_color_type(png, info);
  job.width = static_cast<int>(width);
  job.height = static_cast<int>(height);
  job.bits = channels * depth;
  job.indexed = colour_type == PNG_COLOR_TYPE_PALETTE;
  job.grey = (colour_type & PNG_COLOR_MASK_COLOR) == 0;
  job.stride = static_cast<std::size_t>(
      ((static_cast<std::uint64_t>(job.bits) * width + 31) / 32) * 4);
  if (job.bits <= 0 || job.bits > 64 || png_get_rowbytes(png, info) > job.stride) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }

  job.palette_count = 0;
  png_colorp palette = nullptr;
  int palette_entries = 0;
  if (job.bits <= 8 && png_get_PLTE(png, info, &palette, &palette_entries) != 0 &&
      palette != nullptr) {
    const int n = std::min(std::min(palette_entries, 256), 1 << job.bits);
    for (int i = 0; i < n; ++i) {
      job.palette[i][0] = palette[i].red;
      job.palette[i][1] = palette[i].green;
      job.palette[i][2] = palette[i].blue;
    }
    job.palette_count = n;
  }

  std::uint8_t* const buffer = job.allocate(job.sink, job);
  if (buffer == nullptr) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }

  const bool swap = !job.grey && !job.indexed && job.bits >= 24;
  for (int pass = 0; pass < passes; ++pass) {
    const bool last = pass == passes - 1;
    for (png_uint_32 y = 0; y < height; ++y) {
      std::uint8_t* row = buffer + static_cast<std::size_t>(y) * job.stride;
      png_read_row(png, row, nullptr);
      if (last && swap) swap_row(row, job.width, job.bits / 8);
    }
  }

  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace sorvane
