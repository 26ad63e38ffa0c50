// Files made to break the decoders. Every row must give nothing from
// load_picture and the empty picture from decode_object_picture, quickly
// and without touching memory it does not own (the sanitizer build checks
// the latter). A final test cuts valid files of every format everywhere.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "decode_test_support.h"
#include "display/picture.h"
#include "display/picture_decoders.h"

namespace sorvane {
namespace {

using test::Bytes;
using test::GifBuilder;

struct HostileRow {
  const char* name;
  std::function<ByteBuffer()> make;
};

void PrintTo(const HostileRow& r, std::ostream* os) { *os << r.name; }

// BMP: file header + information header with the given fields, then `tail`.
ByteBuffer bmp(std::int32_t w, std::int32_t h, int bits, std::uint32_t offset,
               std::uint32_t colours = 0, std::uint32_t compression = 0,
               std::uint32_t header_size = 40, std::size_t tail = 64) {
  Bytes b;
  b.text("BM").u32(0).u32(0).u32(offset);
  b.u32(header_size).s32(w).s32(h).u16(1).u16(static_cast<unsigned>(bits)).u32(compression);
  b.u32(0).u32(0).u32(0).u32(colours).u32(0);
  b.fill(tail, 0x11);
  return b;
}

// An ICO with one directory entry pointing at `entry` (or wherever told).
ByteBuffer ico(const ByteBuffer& entry, int count = 1, std::int64_t offset = -1,
               std::int64_t size = -1, bool write_all_entries = true) {
  Bytes b;
  b.u16(0).u16(1).u16(static_cast<unsigned>(count));
  const int written = write_all_entries ? count : 1;
  const std::uint32_t at = static_cast<std::uint32_t>(6 + 16 * written);
  for (int i = 0; i < written; ++i) {
    b.u8(16).u8(16).u8(16).u8(0).u16(1).u16(4);
    b.u32(size >= 0 ? static_cast<std::uint32_t>(size) : static_cast<std::uint32_t>(entry.size()));
    b.u32(offset >= 0 ? static_cast<std::uint32_t>(offset) : at);
  }
  b.raw(entry);
  return b;
}

ByteBuffer dib(std::int32_t w, std::int32_t h, int bits, std::uint32_t colours = 0,
               std::uint32_t compression = 0, std::size_t tail = 256) {
  Bytes b;
  b.u32(40).s32(w).s32(h).u16(1).u16(static_cast<unsigned>(bits)).u32(compression);
  b.u32(0).u32(0).u32(0).u32(colours).u32(0);
  b.fill(tail, 0);
  return b;
}

ByteBuffer pcx(int version, int bits, int xmin, int ymin, int xmax, int ymax, int planes,
               int bytes_per_line, const ByteBuffer& data) {
  Bytes b;
  b.u8(0x0A).u8(static_cast<unsigned>(version)).u8(1).u8(static_cast<unsigned>(bits));
  b.u16(static_cast<unsigned>(xmin)).u16(static_cast<unsigned>(ymin));
  b.u16(static_cast<unsigned>(xmax)).u16(static_cast<unsigned>(ymax));
  b.u16(72).u16(72).fill(48, 0).u8(0).u8(static_cast<unsigned>(planes));
  b.u16(static_cast<unsigned>(bytes_per_line)).u16(1).fill(58, 0);
  b.raw(data);
  return b;
}

const std::vector<std::uint32_t> kTable = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};

ByteBuffer gif_with_codes(const test::LzwCodes& codes, int min_code_size = 2, int w = 2,
                          int h = 2) {
  const std::vector<std::uint8_t> lzw = codes.bytes();
  return GifBuilder(w, h, kTable).image(0, 0, w, h, {}, {}, false, min_code_size, &lzw).trailer();
}

const std::vector<HostileRow>& rows() {
  static const std::vector<HostileRow> kRows = {
      // BMP
      {"bmp_six_bytes", [] { return ByteBuffer{'B', 'M', 0, 0, 0, 0}; }},
      {"bmp_size_product_overflows_32_bits", [] { return bmp(65536, 65536, 32, 54); }},
      {"bmp_height_int32_min", [] { return bmp(4, INT32_MIN, 24, 54); }},
      {"bmp_width_zero", [] { return bmp(0, 4, 24, 54); }},
      {"bmp_width_negative", [] { return bmp(-4, 4, 24, 54); }},
      {"bmp_height_zero", [] { return bmp(4, 0, 24, 54); }},
      {"bmp_side_beyond_bound", [] { return bmp(16385, 1, 24, 54, 0, 0, 40, 16385 * 3 + 4); }},
      {"bmp_colour_count_all_ones", [] { return bmp(2, 2, 8, 54, 0xFFFFFFFFu); }},
      {"bmp_colour_count_beyond_bits", [] { return bmp(2, 2, 4, 54 + 68, 17); }},
      {"bmp_colour_table_past_end", [] { return bmp(2, 2, 8, 54, 0, 0, 40, 64); }},
      {"bmp_data_offset_zero", [] { return bmp(2, 2, 24, 0); }},
      {"bmp_data_offset_inside_header", [] { return bmp(2, 2, 24, 40); }},
      {"bmp_data_offset_past_end", [] { return bmp(2, 2, 24, 0x7FFFFFFF); }},
      {"bmp_data_ends_early", [] { return bmp(8, 8, 24, 54, 0, 0, 40, 24 * 7 + 23); }},
      {"bmp_run_length_compression", [] { return bmp(2, 2, 8, 54 + 1024, 0, 1, 40, 2000); }},
      {"bmp_bit_count_two", [] { return bmp(2, 2, 2, 54 + 16); }},
      {"bmp_bit_count_zero", [] { return bmp(2, 2, 0, 54); }},
      {"bmp_core_header", [] { return bmp(2, 2, 24, 26, 0, 0, 12); }},
      {"bmp_header_size_past_end", [] { return bmp(2, 2, 24, 54, 0, 0, 0xFFFFFFF0u); }},
      {"bmp_bitfields_masks_missing", [] { return bmp(1, 1, 32, 54, 0, 3, 40, 4); }},
      // ICO and CUR
      {"ico_directory_truncated", [] { return ico(dib(2, 4, 4), 5, -1, -1, false); }},
      {"ico_entry_past_end", [] { return ico(dib(2, 4, 4), 1, -1, 100000); }},
      {"ico_entry_offset_past_end", [] { return ico(dib(2, 4, 4), 1, 0xFFFFFFF0u); }},
      {"ico_entry_offset_inside_directory", [] { return ico(dib(2, 4, 4), 1, 2); }},
      {"ico_entry_size_wraps", [] { return ico(dib(2, 4, 4), 1, 22, 0xFFFFFFFFu); }},
      {"ico_entry_empty", [] { return ico(dib(2, 4, 4), 1, -1, 0); }},
      {"ico_inner_height_one", [] { return ico(dib(2, 1, 4)); }},
      {"ico_inner_height_negative", [] { return ico(dib(2, -4, 4)); }},
      {"ico_inner_width_huge", [] { return ico(dib(0x7FFFFFFF, 4, 4)); }},
      {"ico_inner_bit_count_seven", [] { return ico(dib(2, 4, 7)); }},
      {"ico_inner_compressed", [] { return ico(dib(2, 4, 4, 0, 2)); }},
      {"ico_colour_count_beyond_bits", [] { return ico(dib(2, 4, 4, 17)); }},
      {"ico_mask_missing", [] { return ico(dib(8, 16, 4, 0, 0, 64 + 32)); }},
      {"ico_inner_header_size_beyond_entry", [] {
         ByteBuffer e = dib(2, 4, 4);
         e[0] = 0xFF;
         return ico(e);
       }},
      {"ico_png_entry_damaged", [] {
         return ico(ByteBuffer{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H'});
       }},
      // PCX
      {"pcx_xmax_below_xmin", [] { return pcx(5, 8, 10, 0, 9, 0, 1, 2, ByteBuffer(800, 1)); }},
      {"pcx_ymax_below_ymin", [] { return pcx(5, 8, 0, 10, 0, 9, 1, 2, ByteBuffer(800, 1)); }},
      {"pcx_line_shorter_than_width", [] { return pcx(5, 8, 0, 0, 9, 0, 1, 4, ByteBuffer(800, 1)); }},
      {"pcx_two_planes", [] { return pcx(5, 8, 0, 0, 1, 0, 2, 2, ByteBuffer(800, 1)); }},
      {"pcx_one_bit_four_planes", [] { return pcx(3, 1, 0, 0, 7, 0, 4, 1, ByteBuffer(800, 1)); }},
      {"pcx_data_ends_early", [] { return pcx(5, 8, 0, 0, 63, 63, 1, 64, ByteBuffer{0xFF, 1, 0xFF, 2}); }},
      {"pcx_run_count_at_end_of_data", [] { return pcx(5, 8, 0, 0, 3, 0, 1, 4, ByteBuffer{1, 2, 0xC2}); }},
      {"pcx_beyond_side_bound", [] { return pcx(5, 8, 0, 0, 65535, 0, 1, 65535, ByteBuffer(64, 0xFF)); }},
      {"pcx_header_only", [] { return pcx(5, 8, 0, 0, 0, 0, 1, 1, {}); }},
      // GIF
      {"gif_header_only", [] { return ByteBuffer{'G', 'I', 'F', '8', '9', 'a'}; }},
      {"gif_screen_zero", [] { return ByteBuffer(GifBuilder(0, 0, kTable).image(0, 0, 1, 1, {0}).trailer()); }},
      {"gif_no_image", [] { return ByteBuffer(GifBuilder(2, 2, kTable).trailer()); }},
      {"gif_global_table_truncated", [] { return ByteBuffer{'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x87, 0, 0, 1, 2, 3}; }},
      {"gif_min_code_size_twelve", [] { return gif_with_codes(test::LzwCodes().code(4096, 13), 12); }},
      {"gif_min_code_size_zero", [] { return gif_with_codes(test::LzwCodes().code(1, 1), 0); }},
      {"gif_code_beyond_next_free", [] {
         return gif_with_codes(test::LzwCodes().code(4, 3).code(0, 3).code(7, 3).code(5, 3));
       }},
      {"gif_first_code_after_clear_not_literal", [] {
         return gif_with_codes(test::LzwCodes().code(4, 3).code(6, 3).code(5, 3));
       }},
      {"gif_end_code_before_image_full", [] {
         return gif_with_codes(test::LzwCodes().code(4, 3).code(0, 3).code(5, 3));
       }},
      {"gif_data_ends_before_image_full", [] {
         // The padding bits after the last code decode as a few more pixels,
         // still far fewer than 16.
         return gif_with_codes(test::LzwCodes().code(4, 3).code(0, 3).code(1, 3), 2, 4, 4);
       }},
      {"gif_image_area_beyond_bound", [] {
         // 65535 x 65535 on a 1 x 1 screen: more pixels than any picture may have.
         return ByteBuffer(GifBuilder(1, 1, kTable).image(0, 0, 65535, 65535, {0}).trailer());
       }},
      {"gif_extension_truncated", [] {
         ByteBuffer b = GifBuilder(1, 1, kTable);
         b.insert(b.end(), {0x21, 0xFE, 10, 'a', 'b'});
         return b;
       }},
      {"gif_local_table_truncated", [] {
         ByteBuffer b = GifBuilder(1, 1, kTable);
         b.insert(b.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x87, 1, 2, 3});
         return b;
       }},
      {"gif_stray_byte_before_any_image", [] {
         ByteBuffer b = GifBuilder(1, 1, kTable);
         b.push_back(0x99);
         return b;
       }},
  };
  return kRows;
}

class HostileInputTest : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileInputTest, GivesNothing) {
  const ByteBuffer bytes = GetParam().make();
  ASSERT_NE(recognise_picture_format(bytes.data(), bytes.size()), PictureFormat::None);
  EXPECT_FALSE(load_picture(bytes).has_value());
  EXPECT_TRUE(decode_object_picture(bytes, kNoColour, true).empty());
  EXPECT_FALSE(load_picture_region(bytes, 0, 0, 460, 878).has_value());
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileInputTest, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<HostileRow>& info) {
                           return std::string(info.param.name);
                         });

// Valid small files of every format, cut at every length: no cut may crash,
// read outside the buffer or give a picture of another size than the file's.
TEST(HostileInput, EveryCutOfEveryFormatIsSafe) {
  Bytes bmp_file;
  bmp_file.text("BM").u32(0).u32(0).u32(54 + 8);
  bmp_file.u32(40).s32(3).s32(2).u16(1).u16(1).u32(0).u32(0).u32(0).u32(0).u32(2).u32(0);
  bmp_file.raw({0, 0, 0, 0, 255, 255, 255, 0, 0xA0, 0, 0, 0, 0x40, 0, 0, 0});
  Bytes ico_file;
  ico_file.u16(0).u16(2).u16(1).u8(2).u8(2).u8(16).u8(0).u16(0).u16(0).u32(40 + 64 + 16).u32(22);
  ico_file.raw(dib(2, 4, 4, 0, 0, 64 + 16));
  Bytes pcx_file;
  pcx_file.raw(pcx(5, 8, 0, 0, 2, 1, 1, 4, ByteBuffer{0xC5, 7, 9, 0xC1, 0xC8, 0}));
  pcx_file.u8(0x0C).fill(768, 0x42);
  const std::vector<ByteBuffer> files = {
      bmp_file, ico_file, pcx_file,
      GifBuilder(3, 2, kTable).control(2, 5, 1).image(0, 0, 3, 2, {0, 1, 2, 3, 2, 1}).image(1, 1, 1, 1, {3}).trailer(),
  };
  for (const ByteBuffer& file : files) {
    const std::optional<PixelRaster> whole = load_picture(file);
    ASSERT_TRUE(whole.has_value());
    for (std::size_t n = 0; n < file.size(); ++n) {
      const ByteBuffer cut(file.begin(), file.begin() + static_cast<long>(n));
      const std::optional<PixelRaster> r = load_picture(cut);
      if (r) {
        EXPECT_EQ(r->width, whole->width) << n;
        EXPECT_EQ(r->height, whole->height) << n;
      }
      const Picture p = decode_object_picture(cut, kNoColour, true);
      if (!p.empty()) {
        EXPECT_EQ(p.width, whole->width) << n;
        for (const PictureFrame& f : p.frames)
          EXPECT_EQ(f.pixels.size(), static_cast<std::size_t>(p.width) * p.height);
      }
    }
  }
}

}  // namespace
}  // namespace sorvane
