#include "display/picture_store.h"

#include <algorithm>
#include <cstring>

namespace sorvane {

FrameRuns find_frame_runs(const PictureFrame& frame, int width, int height) {
  FrameRuns result;
  result.row_at.reserve(static_cast<std::size_t>(height) + 1);
  const bool keyed = frame.transparent_colour != kNoColour;
  const Pixel key = colour_to_pixel(frame.transparent_colour);
  for (int y = 0; y < height; ++y) {
    result.row_at.push_back(static_cast<std::uint32_t>(result.runs.size()));
    const Pixel* row = frame.pixels.data() + static_cast<std::size_t>(y) * width;
    int x = 0;
    while (x < width) {
      const Pixel p = row[x];
      const bool skipped = (keyed && (p & 0xFFFFFFu) == key) || pixel_transparency(p) == 255;
      if (skipped) {
        ++x;
        continue;
      }
      const FrameRuns::Kind kind =
          pixel_transparency(p) == 0 ? FrameRuns::kCopy : FrameRuns::kBlend;
      const int start = x;
      while (x < width) {
        const Pixel q = row[x];
        if (keyed && (q & 0xFFFFFFu) == key) break;
        const std::uint8_t t = pixel_transparency(q);
        if (t == 255 || (t == 0) != (kind == FrameRuns::kCopy)) break;
        ++x;
      }
      result.runs.push_back({start, x - start, kind});
    }
  }
  result.row_at.push_back(static_cast<std::uint32_t>(result.runs.size()));
  return result;
}

bool same_picture(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height || a.frames.size() != b.frames.size())
    return false;
  for (std::size_t i = 0; i < a.frames.size(); ++i) {
    const PictureFrame& fa = a.frames[i];
    const PictureFrame& fb = b.frames[i];
    if (fa.transparent_colour != fb.transparent_colour || fa.delay_ms != fb.delay_ms ||
        fa.pixels != fb.pixels)
      return false;
  }
  return true;
}

namespace {

// FNV-1a over everything same_picture compares, so that unequal pictures
// are told apart without comparing their pixels.
std::uint64_t digest_of(const Picture& p) {
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&h](const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  };
  mix(&p.width, sizeof p.width);
  mix(&p.height, sizeof p.height);
  for (const PictureFrame& f : p.frames) {
    mix(&f.transparent_colour, sizeof f.transparent_colour);
    mix(&f.delay_ms, sizeof f.delay_ms);
    // Sampling every 61st pixel keeps the digest cheap for large pictures;
    // equality is always confirmed in full.
    for (std::size_t i = 0; i < f.pixels.size(); i += 61) mix(&f.pixels[i], sizeof(Pixel));
  }
  return h;
}

}  // namespace

std::shared_ptr<const StoredPicture> PictureStore::store(Picture picture) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [](const Entry& e) { return e.picture.expired(); }),
                 entries_.end());
  const std::uint64_t digest = digest_of(picture);
  for (const Entry& e : entries_) {
    if (e.digest != digest) continue;
    if (auto held = e.picture.lock(); held && same_picture(held->picture, picture)) return held;
  }
  auto stored = std::make_shared<StoredPicture>();
  stored->runs.reserve(picture.frames.size());
  for (const PictureFrame& f : picture.frames)
    stored->runs.push_back(find_frame_runs(f, picture.width, picture.height));
  stored->picture = std::move(picture);
  entries_.push_back({digest, stored});
  return stored;
}

std::size_t PictureStore::size() const {
  return static_cast<std::size_t>(std::count_if(
      entries_.begin(), entries_.end(), [](const Entry& e) { return !e.picture.expired(); }));
}

}  // namespace sorvane
