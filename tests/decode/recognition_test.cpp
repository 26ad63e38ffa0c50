// Recognition by first bytes: the table's order and length thresholds, and
// what each entry point does with a buffer that is too short or unknown.
#include <gtest/gtest.h>

#include <string>

#include "display/picture.h"
#include "display/picture_format.h"

namespace sorvane {
namespace {

struct RecognitionRow {
  const char* name;
  ByteBuffer bytes;
  PictureFormat format;
};

void PrintTo(const RecognitionRow& r, std::ostream* os) { *os << r.name; }

const std::vector<RecognitionRow>& rows() {
  static const std::vector<RecognitionRow> kRows = {
      {"empty", {}, PictureFormat::None},
      {"five_bytes_bm", {0x42, 0x4D, 0, 0, 0}, PictureFormat::None},
      {"bmp", {0x42, 0x4D, 0, 0, 0, 0}, PictureFormat::Bmp},
      {"jpeg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0}, PictureFormat::Jpeg},
      {"ico", {0, 0, 1, 0, 1, 0}, PictureFormat::Icon},
      {"ico_count_in_high_byte", {0, 0, 1, 0, 0, 1}, PictureFormat::Icon},
      {"ico_count_zero", {0, 0, 1, 0, 0, 0}, PictureFormat::None},
      {"cur", {0, 0, 2, 0, 3, 0}, PictureFormat::Cursor},
      {"cur_count_zero", {0, 0, 2, 0, 0, 0}, PictureFormat::None},
      {"gif87a", {'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::Gif},
      {"gif89a", {'G', 'I', 'F', '8', '9', 'a'}, PictureFormat::Gif},
      {"gif88a", {'G', 'I', 'F', '8', '8', 'a'}, PictureFormat::None},
      {"gif_prefix_five_bytes", {'G', 'I', 'F', '8', '9'}, PictureFormat::None},
      {"pcx8_version0", {0x0A, 0, 1, 8, 0, 0}, PictureFormat::Pcx8},
      {"pcx8_version5", {0x0A, 5, 1, 8, 0, 0}, PictureFormat::Pcx8},
      {"pcx8_version6", {0x0A, 6, 1, 8, 0, 0}, PictureFormat::None},
      {"pcx8_not_rle", {0x0A, 5, 0, 8, 0, 0}, PictureFormat::None},
      {"pcx1_version3", {0x0A, 3, 1, 1, 0, 0}, PictureFormat::Pcx1},
      {"pcx1_version5", {0x0A, 5, 1, 1, 0, 0}, PictureFormat::None},
      {"pcx4", {0x0A, 5, 1, 4, 0, 0}, PictureFormat::None},
      {"png", {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}, PictureFormat::None},
      {"text", {'h', 'e', 'l', 'l', 'o', '!'}, PictureFormat::None},
  };
  return kRows;
}

class RecognitionTest : public ::testing::TestWithParam<RecognitionRow> {};

TEST_P(RecognitionTest, GivesTheTablesFormat) {
  const RecognitionRow& row = GetParam();
  EXPECT_EQ(recognise_picture_format(row.bytes.data(), row.bytes.size()), row.format);
}

INSTANTIATE_TEST_SUITE_P(Rows, RecognitionTest, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<RecognitionRow>& info) {
                           return std::string(info.param.name);
                         });

TEST(Recognition, UnrecognisedBytesGiveNothingFromEitherEntryPoint) {
  for (const RecognitionRow& row : rows()) {
    if (row.format != PictureFormat::None) continue;
    EXPECT_FALSE(load_picture(row.bytes).has_value()) << row.name;
    if (std::string(row.name) != "png") {  // a bare PNG signature is a damaged PNG
      EXPECT_TRUE(decode_object_picture(row.bytes, kNoColour, true).empty()) << row.name;
    }
  }
}

TEST(Recognition, SixByteBmpIsRecognisedAndThenFails) {
  const ByteBuffer six = {0x42, 0x4D, 1, 2, 3, 4};
  EXPECT_EQ(recognise_picture_format(six.data(), six.size()), PictureFormat::Bmp);
  EXPECT_FALSE(load_picture(six).has_value());
  EXPECT_TRUE(decode_object_picture(six, kNoColour, false).empty());
}

TEST(Recognition, NullDataIsNothing) {
  EXPECT_EQ(recognise_picture_format(nullptr, 100), PictureFormat::None);
  EXPECT_FALSE(load_picture(nullptr, 100).has_value());
  EXPECT_TRUE(decode_object_picture(nullptr, 100, kNoColour, false).empty());
}

}  // namespace
}  // namespace sorvane
