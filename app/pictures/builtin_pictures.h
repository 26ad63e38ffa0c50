#pragma once

// The built-in pictures, embedded into the program at build time from the
// files in app/pictures/. Nothing here reads a file at run time.

#include <cstddef>
#include <cstdint>

#include "common/byte_buffer.h"

namespace sorvane::builtin {

// A run of constant bytes that lives for the whole program.
struct EmbeddedBytes {
  const std::uint8_t* data;
  std::size_t size;
  ByteBuffer to_buffer() const;  // a copy the caller owns
};

EmbeddedBytes background_picture();  // JPEG 460 x 679
EmbeddedBytes overlay_picture();     // PNG 460 x 879 RGBA
EmbeddedBytes panel_picture();       // JPEG 372 x 435
EmbeddedBytes window_icon();         // ICO, 35,022 bytes
EmbeddedBytes program_icon();        // 32 x 32 program icon (PNG or ICO bytes)

}  // namespace sorvane::builtin
