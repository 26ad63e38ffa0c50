// Decodes files made by independent programs (PIL, ImageMagick) and requires
// exactly the pixels that PIL's own decode gives.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "decode_test_support.h"
#include "display/picture.h"
#include "display/picture_decoders.h"

namespace sorvane {
namespace {

struct ReferenceCase {
  std::string name;
  std::string file;
  std::string check;
};

void PrintTo(const ReferenceCase& c, std::ostream* os) { *os << c.name; }

std::vector<ReferenceCase> load_manifest() {
  std::vector<ReferenceCase> cases;
  std::ifstream f(std::string(SORVANE_DECODE_REFERENCE_DIR) + "/manifest.txt");
  std::string line;
  while (std::getline(f, line)) {
    std::istringstream in(line);
    ReferenceCase c;
    if (in >> c.name >> c.file >> c.check) cases.push_back(c);
  }
  return cases;
}

struct Reference {
  int width = 0, height = 0;
  ByteBuffer rgba;
};

Reference read_reference(const std::string& name) {
  const ByteBuffer b = test::read_file(std::string(SORVANE_DECODE_REFERENCE_DIR) + "/" + name + ".ref");
  Reference r;
  if (b.size() < 8) return r;
  r.width = static_cast<int>(b[0] | b[1] << 8 | b[2] << 16 | b[3] << 24);
  r.height = static_cast<int>(b[4] | b[5] << 8 | b[6] << 16 | b[7] << 24);
  r.rgba.assign(b.begin() + 8, b.end());
  return r;
}

class ReferenceFileTest : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceFileTest, MatchesIndependentDecode) {
  const ReferenceCase& c = GetParam();
  const ByteBuffer file = test::read_file(std::string(SORVANE_DECODE_REFERENCE_DIR) + "/" + c.file);
  ASSERT_FALSE(file.empty()) << c.file;
  const Reference ref = read_reference(c.name);
  ASSERT_EQ(ref.rgba.size(), static_cast<std::size_t>(ref.width) * ref.height * 4);

  int width = 0, height = 0;
  std::vector<Pixel> pixels;
  if (c.check == "opaque") {
    std::optional<PixelRaster> r = load_picture(file);
    ASSERT_TRUE(r.has_value());
    width = r->width;
    height = r->height;
    pixels = r->pixels;
  } else if (c.check == "icon") {
    std::optional<PixelRaster> r = decode_icon(file.data(), file.size());
    ASSERT_TRUE(r.has_value());
    width = r->width;
    height = r->height;
    pixels = r->pixels;
  } else {
    Picture p = decode_object_picture(file, kNoColour, false);
    ASSERT_FALSE(p.empty());
    ASSERT_EQ(p.frames.size(), 1u);
    width = p.width;
    height = p.height;
    pixels = p.frames[0].pixels;
  }
  ASSERT_EQ(width, ref.width);
  ASSERT_EQ(height, ref.height);

  int mismatches = 0;
  std::string first;
  for (int i = 0; i < width * height; ++i) {
    const std::uint8_t* e = &ref.rgba[static_cast<std::size_t>(i) * 4];
    const Pixel p = pixels[static_cast<std::size_t>(i)];
    const bool colour_same = pixel_red(p) == e[0] && pixel_green(p) == e[1] && pixel_blue(p) == e[2];
    bool ok = true;
    if (c.check == "opaque") {
      ok = colour_same && pixel_transparency(p) == 0;
    } else if (c.check == "alpha") {
      ok = colour_same && pixel_transparency(p) == 255 - e[3];
    } else if (c.check == "icon") {
      ok = pixel_transparency(p) == 255 - e[3] && (e[3] == 0 || colour_same);
    } else {
      ok = colour_same;
    }
    if (!ok && mismatches++ == 0) {
      char buf[128];
      std::snprintf(buf, sizeof buf, "first at (%d,%d): got %08X want RGBA %02X%02X%02X%02X",
                    i % width, i / width, p, e[0], e[1], e[2], e[3]);
      first = buf;
    }
  }
  EXPECT_EQ(mismatches, 0) << first;
}

INSTANTIATE_TEST_SUITE_P(Files, ReferenceFileTest, ::testing::ValuesIn(load_manifest()),
                         [](const ::testing::TestParamInfo<ReferenceCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace sorvane
