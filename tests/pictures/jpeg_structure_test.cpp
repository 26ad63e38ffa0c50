// The two JPEG pictures: baseline, 8 bits, three components sampled 1 x 1,
// the background with JFIF 1.01 96 dpi and all-1 quantisation and no restart
// interval, the panel with camera-like tables and a restart every 47 MCUs.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "app/pictures/builtin_pictures.h"
#include "picture_files.h"

namespace sorvane::pictures_test {
namespace {

std::vector<const JpegSegment*> with_marker(const std::vector<JpegSegment>& s, std::uint8_t m) {
  std::vector<const JpegSegment*> out;
  for (const auto& seg : s) {
    if (seg.marker == m) out.push_back(&seg);
  }
  return out;
}

struct QuantTable {
  int id;
  std::array<int, 64> values;
};

// Every table in every DQT segment.
std::vector<QuantTable> quant_tables(const std::vector<JpegSegment>& s) {
  std::vector<QuantTable> out;
  for (const JpegSegment* seg : with_marker(s, 0xDB)) {
    std::size_t i = 0;
    while (i < seg->body.size()) {
      const int precision = seg->body[i] >> 4;
      QuantTable t{seg->body[i] & 0x0F, {}};
      ++i;
      for (int k = 0; k < 64; ++k) {
        t.values[static_cast<std::size_t>(k)] =
            precision == 0 ? seg->body[i + k] : be16(&seg->body[i + 2 * k]);
      }
      i += precision == 0 ? 64 : 128;
      out.push_back(t);
    }
  }
  return out;
}

struct HuffTable {
  int table_class;  // 0 DC, 1 AC
  int id;
  std::array<int, 16> bits;
  std::vector<int> values;
};

std::vector<HuffTable> huffman_tables(const std::vector<JpegSegment>& s) {
  std::vector<HuffTable> out;
  for (const JpegSegment* seg : with_marker(s, 0xC4)) {
    std::size_t i = 0;
    while (i + 17 <= seg->body.size()) {
      HuffTable t{seg->body[i] >> 4, seg->body[i] & 0x0F, {}, {}};
      int total = 0;
      for (int k = 0; k < 16; ++k) {
        t.bits[static_cast<std::size_t>(k)] = seg->body[i + 1 + k];
        total += t.bits[static_cast<std::size_t>(k)];
      }
      i += 17;
      for (int k = 0; k < total && i < seg->body.size(); ++k) t.values.push_back(seg->body[i++]);
      out.push_back(t);
    }
  }
  return out;
}

struct JpegCase {
  const char* name;
  builtin::EmbeddedBytes (*bytes)();
  int width;
  int height;
};

class BuiltinJpeg : public ::testing::TestWithParam<JpegCase> {
 protected:
  void SetUp() override {
    file_ = GetParam().bytes().to_buffer();
    segments_ = jpeg_segments(file_);
    ASSERT_FALSE(segments_.empty()) << "not a well-formed JPEG file";
  }
  ByteBuffer file_;
  std::vector<JpegSegment> segments_;
};

TEST_P(BuiltinJpeg, IsBaselineEightBitThreeComponentsAllSampledOneByOne) {
  // Exactly one frame header, and it is SOF0.
  for (std::uint8_t m = 0xC1; m <= 0xCF; ++m) {
    if (m == 0xC4 || m == 0xC8 || m == 0xCC) continue;
    EXPECT_TRUE(with_marker(segments_, m).empty()) << "unexpected SOF marker " << int(m);
  }
  const auto sof = with_marker(segments_, 0xC0);
  ASSERT_EQ(sof.size(), 1u);
  const auto& b = sof[0]->body;
  ASSERT_EQ(b.size(), 6u + 3 * 3);
  EXPECT_EQ(b[0], 8);
  EXPECT_EQ(be16(&b[1]), GetParam().height);
  EXPECT_EQ(be16(&b[3]), GetParam().width);
  ASSERT_EQ(b[5], 3);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(b[6 + 3 * c], c + 1) << "component id";
    EXPECT_EQ(b[7 + 3 * c], 0x11) << "sampling of component " << c;
    EXPECT_EQ(b[8 + 3 * c], c == 0 ? 0 : 1) << "quantisation table of component " << c;
  }
}

TEST_P(BuiltinJpeg, HasOneScanOfAllThreeComponentsAndEndsWithEoi) {
  const auto sos = with_marker(segments_, 0xDA);
  ASSERT_EQ(sos.size(), 1u);
  EXPECT_EQ(sos[0]->body[0], 3);
  EXPECT_EQ(segments_.back().marker, 0xD9);
}

TEST_P(BuiltinJpeg, CarriesTheFourStandardHuffmanTables) {
  const auto tables = huffman_tables(segments_);
  ASSERT_EQ(tables.size(), 4u);
  const std::array<int, 16> dc_luma{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
  const std::array<int, 16> dc_chroma{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
  const std::array<int, 16> ac_luma{0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D};
  const std::array<int, 16> ac_chroma{0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77};
  const std::vector<int> ac_luma_first{0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12};
  const std::vector<int> ac_chroma_first{0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21};
  int seen = 0;
  for (const HuffTable& t : tables) {
    if (t.table_class == 0) {
      EXPECT_EQ(t.bits, t.id == 0 ? dc_luma : dc_chroma);
      std::vector<int> expected(12);
      for (int k = 0; k < 12; ++k) expected[static_cast<std::size_t>(k)] = k;
      EXPECT_EQ(t.values, expected);
    } else {
      EXPECT_EQ(t.bits, t.id == 0 ? ac_luma : ac_chroma);
      ASSERT_EQ(t.values.size(), 162u);
      EXPECT_EQ(std::vector<int>(t.values.begin(), t.values.begin() + 8),
                t.id == 0 ? ac_luma_first : ac_chroma_first);
    }
    seen |= 1 << (t.table_class * 2 + t.id);
  }
  EXPECT_EQ(seen, 0xF) << "one DC and one AC table for each of ids 0 and 1";
}

TEST_P(BuiltinJpeg, DecodesWithLibjpegToItsSize) {
  const auto img = decode_jpeg(file_);
  ASSERT_TRUE(img.has_value());
  EXPECT_EQ(img->width, GetParam().width);
  EXPECT_EQ(img->height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, BuiltinJpeg,
    ::testing::Values(JpegCase{"background", builtin::background_picture, 460, 679},
                      JpegCase{"panel", builtin::panel_picture, 372, 435}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BackgroundJpeg, StartsWithJfif101At96DpiWithoutThumbnail) {
  const auto s = jpeg_segments(builtin::background_picture().to_buffer());
  ASSERT_GE(s.size(), 2u);
  ASSERT_EQ(s[1].marker, 0xE0) << "APP0 directly after SOI";
  const auto& b = s[1].body;
  ASSERT_EQ(b.size(), 14u);
  EXPECT_EQ(std::memcmp(b.data(), "JFIF\0", 5), 0);
  EXPECT_EQ(b[5], 1);
  EXPECT_EQ(b[6], 1);
  EXPECT_EQ(b[7], 1) << "density in dots per inch";
  EXPECT_EQ(be16(&b[8]), 96);
  EXPECT_EQ(be16(&b[10]), 96);
  EXPECT_EQ(b[12], 0);
  EXPECT_EQ(b[13], 0);
}

TEST(BackgroundJpeg, HasTwoQuantisationTablesOfAllOnes) {
  const auto tables = quant_tables(jpeg_segments(builtin::background_picture().to_buffer()));
  ASSERT_EQ(tables.size(), 2u);
  for (const QuantTable& t : tables) {
    EXPECT_TRUE(std::all_of(t.values.begin(), t.values.end(), [](int v) { return v == 1; }))
        << "table " << t.id;
  }
}

TEST(BackgroundJpeg, HasNoRestartIntervalNorRestartMarkers) {
  const auto s = jpeg_segments(builtin::background_picture().to_buffer());
  for (const JpegSegment& seg : s) {
    EXPECT_NE(seg.marker, 0xDD);
    EXPECT_FALSE(seg.marker >= 0xD0 && seg.marker <= 0xD7);
  }
}

TEST(PanelJpeg, RestartsEvery47McusWithMarkersInSequence) {
  const auto s = jpeg_segments(builtin::panel_picture().to_buffer());
  const auto dri = with_marker(s, 0xDD);
  ASSERT_EQ(dri.size(), 1u);
  ASSERT_EQ(dri[0]->body.size(), 2u);
  EXPECT_EQ(be16(dri[0]->body.data()), 47);
  // 47 x 55 MCUs of 8 x 8 pixels: a restart after every 47, none after the last.
  std::vector<int> rst;
  for (const JpegSegment& seg : s) {
    if (seg.marker >= 0xD0 && seg.marker <= 0xD7) rst.push_back(seg.marker - 0xD0);
  }
  ASSERT_EQ(rst.size(), 54u);
  for (std::size_t i = 0; i < rst.size(); ++i) EXPECT_EQ(rst[i], static_cast<int>(i % 8));
}

TEST(PanelJpeg, QuantisesLikeAFineCameraPicture) {
  const auto tables = quant_tables(jpeg_segments(builtin::panel_picture().to_buffer()));
  ASSERT_EQ(tables.size(), 2u);
  for (const QuantTable& t : tables) {
    const auto [lo, hi] = std::minmax_element(t.values.begin(), t.values.end());
    if (t.id == 0) {
      EXPECT_EQ(*lo, 4);
      EXPECT_EQ(*hi, 16);
    } else {
      EXPECT_EQ(*lo, 7);
      EXPECT_EQ(*hi, 24);
    }
  }
}

TEST(PanelJpeg, DeclaresTheYCbCrTransformAndNoJfif) {
  const auto s = jpeg_segments(builtin::panel_picture().to_buffer());
  EXPECT_TRUE(with_marker(s, 0xE0).empty());
  const auto app14 = with_marker(s, 0xEE);
  ASSERT_EQ(app14.size(), 1u);
  ASSERT_EQ(app14[0]->body.size(), 12u);
  EXPECT_EQ(std::memcmp(app14[0]->body.data(), "Adobe", 5), 0);
  EXPECT_EQ(app14[0]->body[11], 1) << "transform: YCbCr";
}

}  // namespace
}  // namespace sorvane::pictures_test
