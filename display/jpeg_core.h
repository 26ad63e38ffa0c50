#pragma once

// The libjpeg call sequence behind the JPEG decoders, kept apart because
// libjpeg reports errors by longjmp: run_jpeg_job holds only plain C data
// between its setjmp and any library call, so a jump never skips a
// destructor. Output memory comes from the caller through `allocate`.

#include <cstddef>
#include <cstdint>

#include "common/colour.h"

namespace sorvane {

struct JpegJob {
  // Input.
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  int max_side = 0;
  std::uint64_t max_pixels = 0;
  std::uint64_t max_work_bytes = 0;
  int max_scans = 0;
  // When `crop` is set only the rectangle [left, right) x [top, bottom),
  // clipped to the picture, is decoded; otherwise the whole picture.
  bool crop = false;
  std::int64_t left = 0, top = 0, right = 0, bottom = 0;
  // When set, called once the picture's size is known (before any pixel is
  // decoded) to set left, top, right and bottom from it. Must not throw.
  void (*choose_rectangle)(JpegJob& job, void* context) = nullptr;
  void* choose_context = nullptr;

  // Output: the whole picture's size and the rectangle delivered.
  int picture_width = 0, picture_height = 0;
  int out_left = 0, out_top = 0, out_width = 0, out_height = 0;

  // Called at most once, with the delivered rectangle's size (both > 0):
  // returns room for width * height pixels, rows from the top without gaps,
  // or nullptr to abandon the decode. Must not throw.
  void* sink = nullptr;
  Pixel* (*allocate)(void* sink, int width, int height) = nullptr;
};

// Decodes as the job says. False on any library error, on a picture beyond
// the limits or when `allocate` gives nullptr; the job's output is then
// meaningless. An empty delivered rectangle (out_width or out_height 0) is a
// success that allocates nothing.
bool run_jpeg_job(JpegJob& job);

}  // namespace sorvane
