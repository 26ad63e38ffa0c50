// libjpeg reports errors through longjmp. Everything between the setjmp in
// run_jpeg_job and the library calls is plain C data, so no destructor can be
// skipped by a jump; every path ends in jpeg_destroy_decompress.
#include "display/jpeg_core.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

namespace sorvane {
namespace {

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
constexpr J_COLOR_SPACE kPixelOrder = JCS_EXT_XRGB;  // bytes X R G B = 0xXXRRGGBB
#else
constexpr J_COLOR_SPACE kPixelOrder = JCS_EXT_BGRX;  // bytes B G R X = 0xXXRRGGBB
#endif

// Rows handed to one jpeg_read_scanlines call when decoding straight into
// the output.
constexpr int kRowBatch = 16;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

struct ScanWatch {
  jpeg_progress_mgr pub;
  int max_scans;
};

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void abandon_decode(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}
// Warnings (corrupt but decodable data) are the library's to recover from;
// nothing is logged.
void ignore_message(j_common_ptr, int) {}
void ignore_output(j_common_ptr) {}

void source_noop(j_decompress_ptr) {}

struct MemorySource {
  jpeg_source_mgr pub;
  bool headers_read;  // set once jpeg_read_header has returned
};

// The whole file is in the buffer from the start, so running out means the
// data ends early. Inside the headers that is a damaged file. Inside the
// scan data, like libjpeg's own memory source, hand the library an end
// marker so that it finishes the picture with what it has.
boolean source_exhausted(j_decompress_ptr cinfo) {
  if (!reinterpret_cast<MemorySource*>(cinfo->src)->headers_read)
    ERREXIT(cinfo, JERR_INPUT_EOF);
  WARNMS(cinfo, JWRN_JPEG_EOF);
  cinfo->src->next_input_byte = kEndOfImage;
  cinfo->src->bytes_in_buffer = sizeof kEndOfImage;
  return TRUE;
}

void source_skip(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = cinfo->src;
  if (static_cast<unsigned long>(count) > src->bytes_in_buffer) {
    source_exhausted(cinfo);
    return;
  }
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void watch_scans(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  const auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  const auto* watch = reinterpret_cast<const ScanWatch*>(cinfo->progress);
  if (dinfo->input_scan_number > watch->max_scans) ERREXIT(cinfo, JERR_BAD_SCAN_SCRIPT);
}

// Clears the transparency byte, four pixels at a time so that the compiler
// vectorises it.
inline void make_opaque(Pixel* p, int count) {
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    p[i] &= 0x00FFFFFFu;
    p[i + 1] &= 0x00FFFFFFu;
    p[i + 2] &= 0x00FFFFFFu;
    p[i + 3] &= 0x00FFFFFFu;
  }
  for (; i < count; ++i) p[i] &= 0x00FFFFFFu;
}

inline std::uint8_t mul255(unsigned a, unsigned b) {
  return static_cast<std::uint8_t>((a * b + 127) / 255);
}

// CMYK samples to opaque pixels. Adobe files store the inks inverted
// (255 = no ink), others store them plainly.
void cmyk_to_pixels(const JSAMPLE* in, Pixel* out, int count, bool inverted) {
  for (int i = 0; i < count; ++i, in += 4) {
    unsigned c = in[0], m = in[1], y = in[2], k = in[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    out[i] = make_pixel(mul255(c, k), mul255(m, k), mul255(y, k));
  }
}

int clamp_to(std::int64_t v, int hi) {
  return static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(v, 0), hi));
}

}  // namespace

bool run_jpeg_job(JpegJob& job) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  MemorySource src;
  ScanWatch scans;

  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = abandon_decode;
  err.pub.emit_message = ignore_message;
  err.pub.output_message = ignore_output;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use =
      static_cast<long>(std::min<std::uint64_t>(job.max_work_bytes, LONG_MAX));

  std::memset(&src, 0, sizeof src);
  src.pub.init_source = source_noop;
  src.pub.fill_input_buffer = source_exhausted;
  src.pub.skip_input_data = source_skip;
  src.pub.resync_to_restart = jpeg_resync_to_restart;
  src.pub.term_source = source_noop;
  src.pub.next_input_byte = job.data;
  src.pub.bytes_in_buffer = job.data != nullptr ? job.size : 0;
  src.headers_read = false;
  cinfo.src = &src.pub;

  std::memset(&scans, 0, sizeof scans);
  scans.pub.progress_monitor = watch_scans;
  scans.max_scans = job.max_scans;
  cinfo.progress = &scans.pub;

  jpeg_read_header(&cinfo, TRUE);
  src.headers_read = true;
  const JDIMENSION w = cinfo.image_width, h = cinfo.image_height;
  if (w == 0 || h == 0 || w > static_cast<JDIMENSION>(job.max_side) ||
      h > static_cast<JDIMENSION>(job.max_side) ||
      static_cast<std::uint64_t>(w) * h > job.max_pixels) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  job.picture_width = static_cast<int>(w);
  job.picture_height = static_cast<int>(h);

  // The library's default output is RGB for colour, grey for one component
  // and CMYK for four. RGB and grey are delivered straight in pixel order
  // (grey copied into all three channels); CMYK is converted here.
  bool cmyk = false;
  switch (cinfo.out_color_space) {
    case JCS_RGB:
    case JCS_GRAYSCALE:
      cinfo.out_color_space = kPixelOrder;
      break;
    case JCS_CMYK:
      cmyk = true;
      break;
    default:
      jpeg_destroy_decompress(&cinfo);
      return false;
  }

  jpeg_start_decompress(&cinfo);
  if (cinfo.output_width != w || cinfo.output_height != h) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }

  int left = 0, top = 0, right = static_cast<int>(w), bottom = static_cast<int>(h);
  if (job.crop && job.choose_rectangle != nullptr) job.choose_rectangle(job, job.choose_context);
  if (job.crop) {
    left = clamp_to(job.left, right);
    top = clamp_to(job.top, bottom);
    right = clamp_to(job.right, right);
    bottom = clamp_to(job.bottom, bottom);
  }
  job.out_left = left;
  job.out_top = top;
  job.out_width = right > left ? right - left : 0;
  job.out_height = bottom > top ? bottom - top : 0;
  if (job.out_width == 0 || job.out_height == 0) {
    jpeg_destroy_decompress(&cinfo);
    return true;
  }

  // Columns: libjpeg-turbo decodes whole iMCU columns. The upsampler needs
  // the neighbouring column to give the edge pixels exactly as a full-width
  // decode does, so the crop is widened by one iMCU column on either side.
  //
  // Progressive files are smoothed block by block against their neighbours
  // (libjpeg's default block smoothing), so a cropped or skipped decode
  // would smooth its edges differently from the full decode. They are
  // decoded full width from the first row, stopping after the last needed
  // row.
  const bool progressive = cinfo.progressive_mode != 0;
  const int first_row = progressive ? 0 : top;
  JDIMENSION crop_x = 0, crop_width = w;
  if (!progressive && (left > 0 || right < static_cast<int>(w))) {
    const int imcu = cinfo.max_h_samp_factor * cinfo.min_DCT_scaled_size;
    const int from = left > imcu ? left - imcu : 0;
    const int to = std::min(static_cast<int>(w), right + imcu);
    crop_x = static_cast<JDIMENSION>(from);
    crop_width = static_cast<JDIMENSION>(to - from);
    if (crop_width < w) jpeg_crop_scanline(&cinfo, &crop_x, &crop_width);
  }
  if (crop_x > static_cast<JDIMENSION>(left) ||
      crop_x + cinfo.output_width < static_cast<JDIMENSION>(right)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }

  Pixel* const out = job.allocate(job.sink, job.out_width, job.out_height);
  if (out == nullptr) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  const int out_w = job.out_width;

  if (first_row > 0 && jpeg_skip_scanlines(&cinfo, static_cast<JDIMENSION>(first_row)) !=
                           static_cast<JDIMENSION>(first_row)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }

  const bool direct = !cmyk && crop_x == 0 && cinfo.output_width == w && left == 0 &&
                      right == static_cast<int>(w) && first_row == top;
  if (direct) {
    JSAMPROW rows[kRowBatch];
    while (cinfo.output_scanline < static_cast<JDIMENSION>(bottom)) {
      const int y = static_cast<int>(cinfo.output_scanline);
      const int n = std::min(kRowBatch, bottom - y);
      for (int i = 0; i < n; ++i)
        rows[i] = reinterpret_cast<JSAMPROW>(out + static_cast<std::size_t>(y - top + i) * out_w);
      const JDIMENSION got = jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(n));
      if (got == 0) {
        jpeg_destroy_decompress(&cinfo);
        return false;
      }
      make_opaque(out + static_cast<std::size_t>(y - top) * out_w,
                  static_cast<int>(got) * out_w);
    }
  } else {
    const int batch = std::max(1, cinfo.rec_outbuf_height);
    JSAMPARRAY rows = (*cinfo.mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
        cinfo.output_width * static_cast<JDIMENSION>(cinfo.output_components),
        static_cast<JDIMENSION>(batch));
    const int skip = left - static_cast<int>(crop_x);
    const int comps = cinfo.output_components;
    while (cinfo.output_scanline < static_cast<JDIMENSION>(bottom)) {
      const int y = static_cast<int>(cinfo.output_scanline);
      const int n = std::min(batch, bottom - y);
      const JDIMENSION got = jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(n));
      if (got == 0) {
        jpeg_destroy_decompress(&cinfo);
        return false;
      }
      for (JDIMENSION i = 0; i < got; ++i) {
        if (y + static_cast<int>(i) < top) continue;  // read only for smoothing's sake
        Pixel* dst = out + static_cast<std::size_t>(y - top + static_cast<int>(i)) * out_w;
        const JSAMPLE* in = rows[i] + static_cast<std::size_t>(skip) * comps;
        if (cmyk) {
          cmyk_to_pixels(in, dst, out_w, cinfo.saw_Adobe_marker != 0);
        } else {
          std::memcpy(dst, in, static_cast<std::size_t>(out_w) * sizeof(Pixel));
          make_opaque(dst, out_w);
        }
      }
    }
  }

  // The pixels are complete; what follows the last needed row cannot change
  // them, so the decode stops here rather than reading on to the end marker.
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace sorvane
