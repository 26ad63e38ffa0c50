// Inputs that once made a decoder misbehave (kept from fuzzing, named after
// the fault they showed). Each must decode to a well-formed result or to
// nothing through every entry point; the sanitizer build checks memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "decode_test_support.h"
#include "display/picture.h"

namespace sorvane {
namespace {

std::vector<std::string> crasher_files() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(SORVANE_DECODE_CRASHERS_DIR))
    if (entry.is_regular_file() && entry.path().extension() == ".bin")
      files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

class CrasherTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CrasherTest, DecodesSafely) {
  const ByteBuffer bytes =
      test::read_file(std::string(SORVANE_DECODE_CRASHERS_DIR) + "/" + GetParam());
  ASSERT_FALSE(bytes.empty());
  const std::optional<PixelRaster> r = load_picture(bytes);
  if (r) {
    EXPECT_EQ(r->pixels.size(), static_cast<std::size_t>(r->width) * r->height);
    for (Pixel p : r->pixels) ASSERT_EQ(pixel_transparency(p), 0);
  }
  const Picture p = decode_object_picture(bytes, kNoColour, true);
  for (const PictureFrame& f : p.frames)
    EXPECT_EQ(f.pixels.size(), static_cast<std::size_t>(p.width) * p.height);
  const std::optional<PictureRegion> region = load_picture_region(bytes, 3, 5, 460, 878);
  EXPECT_EQ(region.has_value(), r.has_value());
  if (region && r) {
    for (int y = 0; y < region->pixels.height; ++y)
      for (int x = 0; x < region->pixels.width; ++x)
        ASSERT_EQ(region->pixels.at(x, y), r->at(x + region->left, y + region->top));
  }
}

INSTANTIATE_TEST_SUITE_P(Files, CrasherTest, ::testing::ValuesIn(crasher_files()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.size() - 4);
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CrasherTest);

}  // namespace
}  // namespace sorvane
