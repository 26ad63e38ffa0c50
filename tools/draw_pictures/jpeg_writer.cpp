#include <cstdio>
#include <csetjmp>
#include <cstdlib>

#include <jpeglib.h>

#include "writers.h"

namespace sorvane::draw {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void on_error(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->jump, 1);
}

// Owns the compressor and the memory destination's buffer.
struct Compressor {
  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  unsigned char* out = nullptr;
  unsigned long out_size = 0;
  ~Compressor() {
    jpeg_destroy_compress(&cinfo);
    std::free(out);
  }
};

}  // namespace

Bytes encode_jpeg(const QImage& image, const JpegOptions& options) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  Compressor c;
  c.cinfo.err = jpeg_std_error(&c.err.base);
  c.err.base.error_exit = on_error;
  if (setjmp(c.err.jump) != 0) return {};
  jpeg_create_compress(&c.cinfo);
  jpeg_mem_dest(&c.cinfo, &c.out, &c.out_size);

  c.cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  c.cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  c.cinfo.input_components = 3;
  c.cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c.cinfo);
  for (int i = 0; i < c.cinfo.num_components; ++i) {
    c.cinfo.comp_info[i].h_samp_factor = 1;
    c.cinfo.comp_info[i].v_samp_factor = 1;
  }
  jpeg_add_quant_table(&c.cinfo, 0, options.luminance, 100, TRUE);
  jpeg_add_quant_table(&c.cinfo, 1, options.chrominance, 100, TRUE);
  c.cinfo.optimize_coding = FALSE;
  c.cinfo.dct_method = JDCT_ISLOW;
  c.cinfo.write_JFIF_header = options.jfif ? TRUE : FALSE;
  c.cinfo.JFIF_major_version = 1;
  c.cinfo.JFIF_minor_version = 1;
  c.cinfo.density_unit = 1;  // dots per inch
  c.cinfo.X_density = 96;
  c.cinfo.Y_density = 96;
  c.cinfo.write_Adobe_marker = options.adobe ? TRUE : FALSE;
  c.cinfo.restart_interval = options.restart_interval;
  c.cinfo.restart_in_rows = 0;

  jpeg_start_compress(&c.cinfo, TRUE);
  while (c.cinfo.next_scanline < c.cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(c.cinfo.next_scanline)));
    jpeg_write_scanlines(&c.cinfo, &row, 1);
  }
  jpeg_finish_compress(&c.cinfo);
  return Bytes(c.out, c.out + c.out_size);
}

bool write_file(const std::string& path, const Bytes& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return (std::fclose(f) == 0) && ok;
}

}  // namespace sorvane::draw
