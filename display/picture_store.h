#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "display/picture.h"

namespace sorvane {

// How one frame's pixels land on what lies beneath, found once when the
// picture is stored (pictures never change afterwards): every row is a list
// of runs to copy (fully opaque pixels) or to blend (partly transparent
// ones). Fully transparent and key-coloured pixels belong to no run and
// cost nothing.
struct FrameRuns {
  enum Kind : std::uint8_t { kCopy, kBlend };
  struct Run {
    std::int32_t start;
    std::int32_t length;
    Kind kind;
  };
  std::vector<Run> runs;              // all rows' runs, row after row
  std::vector<std::uint32_t> row_at;  // height + 1 offsets into `runs`
};

// A picture as the display area keeps it: the decoded picture and, per
// frame, its runs.
struct StoredPicture {
  Picture picture;
  std::vector<FrameRuns> runs;
};

FrameRuns find_frame_runs(const PictureFrame& frame, int width, int height);

// Decoded pictures shared by all objects of one display area. Storing a
// picture equal to one already held (size, frame count and, per frame,
// transparent colour, delay and pixels) gives back the held one and drops
// the new copy. Each holder's shared_ptr is its reference; an entry goes
// when the last holder lets it go.
class PictureStore {
 public:
  std::shared_ptr<const StoredPicture> store(Picture picture);
  // Entries some object still holds.
  std::size_t size() const;

 private:
  struct Entry {
    std::uint64_t digest;
    std::weak_ptr<const StoredPicture> picture;
  };
  std::vector<Entry> entries_;
};

bool same_picture(const Picture& a, const Picture& b);

}  // namespace sorvane
