#include "display/composition.h"

#include <algorithm>

namespace sorvane {

namespace {

// Copies n pixels, replacing their transparency byte: a loop the compiler
// turns into vector code (the buffers never overlap).
void copy_marked(Pixel* __restrict dest, const Pixel* __restrict source, int n, Pixel top) {
  for (int i = 0; i < n; ++i) dest[i] = (source[i] & 0xFFFFFFu) | top;
}

// Span of one object on one client row, clipped to [x0, x1); false when
// the object does not reach the row or the span.
struct RowHit {
  const Pixel* source;             // the frame's row
  const FrameRuns::Run* first;     // the row's runs
  const FrameRuns::Run* last;
  int left;                        // client x of the frame's column 0
};

bool row_of(const ComposedObject& o, int y, int x0, int x1, RowHit& hit) {
  const Picture& p = o.picture->picture;
  const int fy = y - o.top;
  if (fy < 0 || fy >= p.height || o.left >= x1 || o.left + p.width <= x0) return false;
  const FrameRuns& runs = o.picture->runs[static_cast<std::size_t>(o.frame)];
  hit.source = p.frames[static_cast<std::size_t>(o.frame)].pixels.data() +
               static_cast<std::size_t>(fy) * p.width;
  hit.first = runs.runs.data() + runs.row_at[static_cast<std::size_t>(fy)];
  hit.last = runs.runs.data() + runs.row_at[static_cast<std::size_t>(fy) + 1];
  hit.left = o.left;
  return true;
}

// True when the object's row is one opaque copy run over all of [x0, x1),
// so nothing beneath it can show there.
bool covers(const ComposedObject& o, const RowHit& hit, int x0, int x1) {
  if (alpha_extra(o.alpha_percent) != 0) return false;
  for (const FrameRuns::Run* r = hit.first; r != hit.last; ++r) {
    const int start = hit.left + r->start;
    if (start > x0) return false;
    if (start + r->length >= x1) return r->kind == FrameRuns::kCopy;
    if (start + r->length > x0) return false;
  }
  return false;
}

void apply(const ComposedObject& o, const RowHit& hit, int x0, int x1, Pixel opaque_top,
           Pixel* out) {
  const PictureFrame& frame = o.picture->picture.frames[static_cast<std::size_t>(o.frame)];
  const bool keyed = frame.transparent_colour != kNoColour;
  const Pixel key = colour_to_pixel(frame.transparent_colour);
  const std::int64_t extra = alpha_extra(o.alpha_percent);
  if (extra >= 255) return;  // nothing of it shows
  for (const FrameRuns::Run* r = hit.first; r != hit.last; ++r) {
    const int a = std::max(x0, hit.left + r->start);
    const int b = std::min(x1, hit.left + r->start + r->length);
    if (a >= b) continue;
    const Pixel* s = hit.source + (a - hit.left);
    Pixel* d = out + (a - x0);
    const int n = b - a;
    if (r->kind == FrameRuns::kCopy && extra == 0) {
      copy_marked(d, s, n, opaque_top);
    } else {
      for (int i = 0; i < n; ++i) {
        const Pixel blended = blend_pixel(s[i], d[i], keyed, key, extra);
        // A pixel that replaced d outright brings its own transparency byte.
        d[i] = (blended & 0xFFFFFFu) | opaque_top;
      }
    }
  }
}

}  // namespace

void compose_rect(const PixelRaster& background, const std::vector<ComposedObject>& objects,
                  int x, int y, int width, int height, Pixel opaque_top, std::vector<Pixel>& out) {
  out.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  if (width <= 0 || height <= 0) return;
  const int x1 = x + width;
  std::vector<RowHit> hits(objects.size());
  std::vector<char> reaches(objects.size());
  for (int row = 0; row < height; ++row) {
    const int cy = y + row;
    Pixel* line = out.data() + static_cast<std::size_t>(row) * width;
    for (std::size_t i = 0; i < objects.size(); ++i)
      reaches[i] = row_of(objects[i], cy, x, x1, hits[i]);

    // Start from the topmost object that hides everything beneath it on
    // this row; without one, from the background.
    std::size_t first = 0;
    bool from_background = true;
    for (std::size_t i = objects.size(); i-- > 0;) {
      if (reaches[i] && covers(objects[i], hits[i], x, x1)) {
        first = i;
        from_background = false;
        break;
      }
    }
    if (from_background) {
      copy_marked(line, background.row(cy) + x, width, opaque_top);
    }
    for (std::size_t i = first; i < objects.size(); ++i)
      if (reaches[i]) apply(objects[i], hits[i], x, x1, opaque_top, line);
  }
}

}  // namespace sorvane
