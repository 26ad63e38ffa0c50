#pragma once

// Bounds that no real picture reaches. A file that claims more is treated as
// damaged, so that no input can make a decoder allocate memory the program
// cannot have or run for an unbounded time.

#include <cstddef>
#include <cstdint>

namespace sorvane {

struct DecodeLimits {
  // Longest side of a picture, in pixels.
  int max_side = 16384;
  // Most pixels in one picture (2^28: a 1 GiB raster of 32-bit pixels).
  std::uint64_t max_pixels = std::uint64_t{1} << 28;
  // Most memory that all frames of one multi-frame picture may take together.
  std::uint64_t max_frame_bytes = std::uint64_t{1} << 30;
  // Most colour indices that the LZW decoding of all images of one GIF may
  // produce: an image may be far wider than the screen it is clipped to, so
  // the frame memory alone does not bound the work.
  std::uint64_t max_gif_decoded_pixels = std::uint64_t{1} << 30;
  // Most memory that libjpeg may use for its own work buffers (a progressive
  // JPEG keeps every coefficient of the picture).
  std::uint64_t max_jpeg_work_bytes = std::uint64_t{1} << 30;
  // Most scans in one JPEG file: real progressive files have about ten, while
  // a crafted file can repeat tiny scans to make decoding crawl.
  int max_jpeg_scans = 500;
};

inline constexpr DecodeLimits kDefaultDecodeLimits{};

// True when a picture of width x height is within the limits (both sides
// positive, neither side too long, not too many pixels).
inline bool picture_size_allowed(std::int64_t width, std::int64_t height,
                                 const DecodeLimits& limits) {
  if (width <= 0 || height <= 0) return false;
  if (width > limits.max_side || height > limits.max_side) return false;
  return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <=
         limits.max_pixels;
}

}  // namespace sorvane
