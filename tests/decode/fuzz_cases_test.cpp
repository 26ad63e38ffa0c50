// Inputs kept from fuzzing, each named after what it shows: every finding
// (an input that made a decoder misbehave) and a few odd inputs the fuzzer
// built that decode. Each must decode to a well-formed result or to nothing
// through every entry point, the region decode agreeing with the full one;
// the sanitizer build checks memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "decode_test_support.h"
#include "display/picture.h"

namespace sorvane {
namespace {

std::vector<std::string> fuzz_case_files() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(SORVANE_DECODE_FUZZ_CASES_DIR))
    if (entry.is_regular_file() && entry.path().extension() == ".bin")
      files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

// What the kept odd inputs decode to: whether load_picture gives a raster
// and how many frames decode_object_picture gives. Findings added later
// need no row; they are checked for safety and agreement only.
struct Expectation {
  const char* file;
  bool loads;
  std::size_t object_frames;
};
const Expectation kExpected[] = {
    {"bmp_mangled_but_decodable.bin", true, 1},
    {"cur_mangled_but_decodable.bin", true, 1},
    {"gif_first_image_good_later_image_damaged.bin", true, 0},
    {"gif_image_off_screen_large_canvas.bin", true, 1},
    {"gif_mangled_several_frames.bin", true, 2},
    {"ico_mangled_but_decodable.bin", true, 1},
    {"jpeg_mangled_but_decodable.bin", true, 1},
    {"pcx1_mangled_but_decodable.bin", true, 1},
    {"pcx8_mangled_but_decodable.bin", true, 1},
    {"png_mangled_but_decodable.bin", false, 1},
};

class FuzzCaseTest : public ::testing::TestWithParam<std::string> {};

TEST_P(FuzzCaseTest, DecodesSafely) {
  const ByteBuffer bytes =
      test::read_file(std::string(SORVANE_DECODE_FUZZ_CASES_DIR) + "/" + GetParam());
  ASSERT_FALSE(bytes.empty());
  const std::optional<PixelRaster> r = load_picture(bytes);
  if (r) {
    EXPECT_EQ(r->pixels.size(), static_cast<std::size_t>(r->width) * r->height);
    for (Pixel p : r->pixels) ASSERT_EQ(pixel_transparency(p), 0);
  }
  const Picture p = decode_object_picture(bytes, kNoColour, true);
  for (const PictureFrame& f : p.frames)
    EXPECT_EQ(f.pixels.size(), static_cast<std::size_t>(p.width) * p.height);
  for (const Expectation& e : kExpected) {
    if (GetParam() != e.file) continue;
    EXPECT_EQ(r.has_value(), e.loads);
    EXPECT_EQ(p.frames.size(), e.object_frames);
  }
  const std::optional<PictureRegion> region = load_picture_region(bytes, 3, 5, 460, 878);
  EXPECT_EQ(region.has_value(), r.has_value());
  if (region && r) {
    for (int y = 0; y < region->pixels.height; ++y)
      for (int x = 0; x < region->pixels.width; ++x)
        ASSERT_EQ(region->pixels.at(x, y), r->at(x + region->left, y + region->top));
  }
}

INSTANTIATE_TEST_SUITE_P(Files, FuzzCaseTest, ::testing::ValuesIn(fuzz_case_files()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.size() - 4);
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FuzzCaseTest);

}  // namespace
}  // namespace sorvane
