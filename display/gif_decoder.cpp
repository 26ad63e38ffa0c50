// GIF decoding: a block parser, an LZW decoder and the composition of images
// onto the logical screen.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "display/byte_reader.h"
#include "display/picture_decoders.h"

namespace sorvane {
namespace {

constexpr int kMaxLzwCodes = 4096;
// Bookkeeping charged per frame on top of its pixels, so that a file of many
// tiny frames is bounded too.
constexpr std::uint64_t kFrameOverhead = 64;

struct GifImage {
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  const std::uint8_t* table = nullptr;  // 3 bytes an entry
  int table_entries = 0;
  int transparent_index = -1;           // -1: none
  int disposal = 0;
  int delay_cs = 0;                     // hundredths of a second
  int min_code_size = 0;
  ByteBuffer lzw;                       // the image's sub-blocks joined
};

class GifParser {
 public:
  GifParser(const std::uint8_t* data, std::size_t size) : r_(data, size) {}

  // Header, logical screen descriptor and global colour table.
  bool open() {
    if (!r_.skip(6)) return false;
    std::uint16_t w, h;
    std::uint8_t packed, background, aspect;
    if (!r_.u16le(w) || !r_.u16le(h) || !r_.u8(packed) || !r_.u8(background) || !r_.u8(aspect))
      return false;
    screen_width_ = w;
    screen_height_ = h;
    if (packed & 0x80) {
      global_entries_ = 2 << (packed & 7);
      global_table_ = r_.take(static_cast<std::size_t>(global_entries_) * 3);
      if (global_table_ == nullptr) return false;
    }
    return true;
  }

  int screen_width() const { return screen_width_; }
  int screen_height() const { return screen_height_; }

  enum class Next { Image, End, Error };

  // Parses up to and including the next image. A file that ends, or holds
  // something other than a block, where a block may start after at least one
  // image has been read simply ends there; damage inside a block, or before
  // any image, is an error.
  Next next_image(GifImage& image) {
    for (;;) {
      std::uint8_t introducer;
      if (!r_.u8(introducer)) return images_ > 0 ? Next::End : Next::Error;
      if (introducer == 0x3B) return Next::End;
      if (introducer == 0x21) {
        if (!read_extension()) return Next::Error;
        continue;
      }
      if (introducer != 0x2C) return images_ > 0 ? Next::End : Next::Error;
      if (!read_image(image)) return Next::Error;
      ++images_;
      return Next::Image;
    }
  }

 private:
  bool skip_sub_blocks() {
    for (;;) {
      std::uint8_t len;
      if (!r_.u8(len)) return false;
      if (len == 0) return true;
      if (!r_.skip(len)) return false;
    }
  }

  bool read_extension() {
    std::uint8_t label;
    if (!r_.u8(label)) return false;
    if (label == 0xF9) {
      std::uint8_t len;
      if (!r_.u8(len)) return false;
      const std::uint8_t* block = r_.take(len);
      if (block == nullptr) return false;
      if (len >= 4) {
        disposal_ = (block[0] >> 2) & 7;
        delay_cs_ = load_u16le(block + 1);
        transparent_index_ = (block[0] & 1) ? block[3] : -1;
      }
      if (len == 0) return true;
    }
    return skip_sub_blocks();
  }

  bool read_image(GifImage& image) {
    std::uint16_t left, top, w, h;
    std::uint8_t packed, code_size;
    if (!r_.u16le(left) || !r_.u16le(top) || !r_.u16le(w) || !r_.u16le(h) || !r_.u8(packed))
      return false;
    image.left = left;
    image.top = top;
    image.width = w;
    image.height = h;
    image.interlaced = (packed & 0x40) != 0;
    if (packed & 0x80) {
      image.table_entries = 2 << (packed & 7);
      image.table = r_.take(static_cast<std::size_t>(image.table_entries) * 3);
      if (image.table == nullptr) return false;
    } else {
      image.table = global_table_;
      image.table_entries = global_entries_;
    }
    if (!r_.u8(code_size)) return false;
    image.min_code_size = code_size;
    image.lzw.clear();
    for (;;) {
      std::uint8_t len;
      if (!r_.u8(len)) return false;
      if (len == 0) break;
      const std::uint8_t* block = r_.take(len);
      if (block == nullptr) return false;
      image.lzw.insert(image.lzw.end(), block, block + len);
    }
    // A graphic control block applies to the one image that follows it.
    image.disposal = disposal_;
    image.delay_cs = delay_cs_;
    image.transparent_index = transparent_index_;
    disposal_ = 0;
    delay_cs_ = 0;
    transparent_index_ = -1;
    return true;
  }

  ByteReader r_;
  int screen_width_ = 0, screen_height_ = 0;
  const std::uint8_t* global_table_ = nullptr;
  int global_entries_ = 0;
  int disposal_ = 0, delay_cs_ = 0, transparent_index_ = -1;
  int images_ = 0;
};

// Decodes the LZW stream of an image, giving each completed row of colour
// indices (in stream order) to `on_row`, and stops as soon as `rows_needed`
// rows are complete. False on a damaged stream (a code beyond the next free
// one, a first code that is not a literal, a bad minimum code size) or when
// the data ends before the needed rows.
template <typename OnRow>
bool decode_lzw(const ByteBuffer& data, int min_code_size, int width, int rows_needed,
                OnRow on_row) {
  if (min_code_size < 1 || min_code_size > 11) return false;
  if (rows_needed <= 0 || width <= 0) return true;

  std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
  std::uint16_t prefix[kMaxLzwCodes];
  std::uint8_t suffix[kMaxLzwCodes];
  std::uint8_t stack[kMaxLzwCodes + 1];

  const int clear = 1 << min_code_size;
  const int end_code = clear + 1;
  for (int i = 0; i < clear; ++i) {
    prefix[i] = 0;
    suffix[i] = static_cast<std::uint8_t>(i);
  }
  int code_size = min_code_size + 1;
  int next = clear + 2;
  int previous = -1;
  int x = 0, rows_done = 0;

  std::uint32_t bits = 0;
  int bit_count = 0;
  std::size_t pos = 0;
  const std::size_t size = data.size();

  for (;;) {
    while (bit_count < code_size) {
      if (pos >= size) return false;  // data ends before the needed rows
      bits |= static_cast<std::uint32_t>(data[pos++]) << bit_count;
      bit_count += 8;
    }
    int code = static_cast<int>(bits & ((1u << code_size) - 1));
    bits >>= code_size;
    bit_count -= code_size;

    if (code == clear) {
      code_size = min_code_size + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end_code) return false;  // the needed rows were not reached

    int depth = 0;
    if (previous < 0) {
      if (code >= clear) return false;
      stack[depth++] = static_cast<std::uint8_t>(code);
    } else {
      if (code > next || code >= kMaxLzwCodes) return false;
      int walk = code;
      if (code == next) {
        // The string of the previous code plus its own first index.
        int first = previous;
        while (first >= clear) first = prefix[first];
        stack[depth++] = static_cast<std::uint8_t>(first);
        walk = previous;
      }
      while (walk >= clear) {
        stack[depth++] = suffix[walk];
        walk = prefix[walk];
      }
      stack[depth++] = static_cast<std::uint8_t>(walk);
      if (next < kMaxLzwCodes) {
        prefix[next] = static_cast<std::uint16_t>(previous);
        suffix[next] = static_cast<std::uint8_t>(walk);
        ++next;
      }
    }
    previous = code;
    // The code width grows once the next free code no longer fits, checked
    // after every code (also the first after a clear, which matters for a
    // minimum code size of 1).
    if (next >= (1 << code_size) && code_size < 12) ++code_size;

    while (depth > 0) {
      row[static_cast<std::size_t>(x++)] = stack[--depth];
      if (x == width) {
        on_row(rows_done, row.data());
        x = 0;
        if (++rows_done == rows_needed) return true;
      }
    }
  }
}

// Image row of each stream row (the four passes of an interlaced image).
std::vector<int> stream_row_order(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  static const int kStart[4] = {0, 4, 2, 1};
  static const int kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  return order;
}

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
};

Rect clip_to_screen(const GifImage& image, int screen_w, int screen_h) {
  Rect r;
  r.left = std::min(image.left, screen_w);
  r.top = std::min(image.top, screen_h);
  r.right = std::min(image.left + image.width, screen_w);
  r.bottom = std::min(image.top + image.height, screen_h);
  return r;
}

// Draws one image onto the canvas: every pixel inside the screen replaces
// the canvas pixel, except (when `honour_transparency`) those whose colour
// is the colour of the transparent index.
bool draw_image(const GifImage& image, std::vector<Pixel>& canvas, int screen_w, int screen_h,
                bool honour_transparency, const DecodeLimits& limits,
                std::uint64_t& decoded_pixels) {
  if (static_cast<std::uint64_t>(image.width) * image.height > limits.max_pixels) return false;
  Pixel colours[256];
  bool skip[256];
  for (int i = 0; i < 256; ++i) {
    colours[i] = i < image.table_entries
                     ? make_pixel(image.table[i * 3], image.table[i * 3 + 1], image.table[i * 3 + 2])
                     : make_pixel(0, 0, 0);
    skip[i] = false;
  }
  const int t = image.transparent_index;
  if (honour_transparency && t >= 0) {
    for (int i = 0; i < 256; ++i) {
      skip[i] = i == t || (i < image.table_entries && t < image.table_entries &&
                           colours[i] == colours[t]);
    }
  }

  const Rect clip = clip_to_screen(image, screen_w, screen_h);
  const std::vector<int> order = stream_row_order(image.height, image.interlaced);
  // Rows past the last one that lands on the screen need not be decoded.
  int rows_needed = 0;
  if (!clip.empty()) {
    for (int i = 0; i < image.height; ++i)
      if (image.top + order[static_cast<std::size_t>(i)] < screen_h) rows_needed = i + 1;
  }
  decoded_pixels += static_cast<std::uint64_t>(rows_needed) * image.width;
  if (decoded_pixels > limits.max_gif_decoded_pixels) return false;
  return decode_lzw(image.lzw, image.min_code_size, image.width, rows_needed,
                    [&](int stream_row, const std::uint8_t* indices) {
                      const int y = image.top + order[static_cast<std::size_t>(stream_row)];
                      if (y >= screen_h || clip.empty()) return;
                      Pixel* dst = canvas.data() + static_cast<std::size_t>(y) * screen_w;
                      for (int x = clip.left; x < clip.right; ++x) {
                        const std::uint8_t index = indices[x - image.left];
                        if (!skip[index]) dst[x] = colours[index];
                      }
                    });
}

void copy_rect(const std::vector<Pixel>& from, int from_stride, int fx, int fy,
               std::vector<Pixel>& to, int to_stride, int tx, int ty, int w, int h) {
  for (int y = 0; y < h; ++y) {
    std::memcpy(to.data() + static_cast<std::size_t>(ty + y) * to_stride + tx,
                from.data() + static_cast<std::size_t>(fy + y) * from_stride + fx,
                static_cast<std::size_t>(w) * sizeof(Pixel));
  }
}

}  // namespace

std::optional<PixelRaster> decode_gif_first_image(const std::uint8_t* data, std::size_t size,
                                                  const DecodeLimits& limits) {
  if (!has_gif_signature(data, size)) return std::nullopt;
  GifParser parser(data, size);
  if (!parser.open()) return std::nullopt;
  const int w = parser.screen_width(), h = parser.screen_height();
  if (!picture_size_allowed(w, h, limits)) return std::nullopt;
  GifImage image;
  if (parser.next_image(image) != GifParser::Next::Image) return std::nullopt;
  PixelRaster raster;
  try {
    raster.pixels.assign(static_cast<std::size_t>(w) * h, make_pixel(255, 255, 255));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  raster.width = w;
  raster.height = h;
  std::uint64_t decoded = 0;
  if (!draw_image(image, raster.pixels, w, h, false, limits, decoded)) return std::nullopt;
  return raster;
}

Picture decode_gif_frames(const std::uint8_t* data, std::size_t size, ColourValue transparent,
                          bool automatic, const DecodeLimits& limits) {
  if (!has_gif_signature(data, size)) return {};
  GifParser parser(data, size);
  if (!parser.open()) return {};
  const int w = parser.screen_width(), h = parser.screen_height();
  if (!picture_size_allowed(w, h, limits)) return {};
  const std::size_t count = static_cast<std::size_t>(w) * h;
  const std::uint64_t frame_cost = count * sizeof(Pixel) + kFrameOverhead;

  Picture picture;
  try {
    std::vector<Pixel> canvas(count, 0xFFFFFFFFu);  // white, fully transparent
    std::vector<Pixel> saved;                       // what the previous image covered
    Rect saved_rect;
    bool restore_previous = false;
    std::uint64_t used = 0, decoded = 0;
    GifImage image;
    for (;;) {
      const GifParser::Next next = parser.next_image(image);
      if (next == GifParser::Next::Error) return {};
      if (next == GifParser::Next::End) break;

      if (restore_previous && !saved_rect.empty()) {
        const int rw = saved_rect.right - saved_rect.left;
        copy_rect(saved, rw, 0, 0, canvas, w, saved_rect.left, saved_rect.top, rw,
                  saved_rect.bottom - saved_rect.top);
      }
      const Rect covered = clip_to_screen(image, w, h);
      restore_previous = image.disposal == 2 || image.disposal == 3;
      if (restore_previous) {
        saved_rect = covered;
        if (!covered.empty()) {
          const int rw = covered.right - covered.left, rh = covered.bottom - covered.top;
          saved.resize(static_cast<std::size_t>(rw) * rh);
          copy_rect(canvas, w, covered.left, covered.top, saved, rw, 0, 0, rw, rh);
        }
      }
      if (!draw_image(image, canvas, w, h, true, limits, decoded)) return {};

      used += frame_cost;
      if (used > limits.max_frame_bytes) return {};
      PictureFrame frame;
      frame.pixels = canvas;
      frame.delay_ms = image.delay_cs == 0 ? 50 : image.delay_cs * 10;
      frame.transparent_colour = automatic ? pixel_to_colour(canvas[0]) : transparent;
      picture.frames.push_back(std::move(frame));
    }
  } catch (const std::bad_alloc&) {
    return {};
  }
  if (picture.frames.empty()) return {};
  picture.width = w;
  picture.height = h;
  return picture;
}

}  // namespace sorvane
