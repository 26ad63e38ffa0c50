#pragma once

// The libpng call sequence behind the PNG decoder, kept apart because libpng
// reports errors by longjmp: run_png_job holds only plain C data between its
// setjmp and any library call, so a jump never skips a destructor. Output
// memory comes from the caller through `allocate`.

#include <cstddef>
#include <cstdint>

namespace sorvane {

struct PngJob {
  // Input.
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t position = 0;  // read position, advanced by the library's reads
  int max_side = 0;
  std::uint64_t max_pixels = 0;

  // Output, valid once `allocate` has been called.
  int width = 0, height = 0;
  int bits = 0;               // bits a pixel after the library's transformations
  bool grey = false;          // grey samples (with or without alpha)
  bool indexed = false;       // palette indices
  std::size_t stride = 0;     // bytes a row: ((bits * width + 31) / 32) * 4
  int palette_count = 0;      // entries read from the file's palette
  std::uint8_t palette[256][3] = {};

  // Called once the layout is known: returns height * stride bytes, or
  // nullptr to abandon the decode. Must not throw.
  void* sink = nullptr;
  std::uint8_t* (*allocate)(void* sink, const PngJob& job) = nullptr;
};

// Reads the header, composites over the file's background colour when it has
// one, strips 16-bit samples to 8, reads every interlace pass into the
// buffer, and on the last pass turns colour pixels from RGB(A) into BGR(A)
// with the fourth byte a replaced by 255 - a. False on any library error, a
// picture beyond the limits or a nullptr from `allocate`.
bool run_png_job(PngJob& job);

}  // namespace sorvane
