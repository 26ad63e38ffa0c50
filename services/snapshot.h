#pragma once

#include <cstdint>

#include "common/byte_buffer.h"

class QWidget;

namespace sorvane {

// A handle for `control` that snapshot_window accepts: non-zero, unique
// within the process, the same for the same live widget every time, and
// never reused for another widget. 0 for a null control.
//
// No native window is made for the control (a native child would change how
// its siblings stack and clip); the handle is an entry in a registry that
// forgets widgets when they are destroyed.
std::uintptr_t window_handle(QWidget* control);

// The size that one dimension of a snapshot takes: `requested` 0 keeps
// `captured`, a positive value is the size itself, and -p is p per cent of
// `captured` rounded to the nearest pixel, with p below 10 counting as 10.
// A result of 0 or less (or one past the int range, given as 0) means that no
// picture can be made.
int snapshot_dimension(int captured, int requested);

// What `source_window` shows, as the bytes of a 24-bit BMP file (see
// encode_bmp24).
//
// A handle from window_handle captures that control's rectangle as its window
// composes it: the control's own painting with the sibling controls stacked
// above it drawn over it, in the control's size in logical pixels (also on a
// scaled screen), and never anything of other windows or of the screen's edge.
// Handle 0 captures the whole primary screen. A handle whose widget is gone,
// or that was never given, yields an empty buffer.
//
// `width` and `height` (see snapshot_dimension) scale the capture, each
// independently, with smooth resampling; a size of 0 or less, or a picture
// too large for a byte buffer, yields an empty buffer.
ByteBuffer snapshot_window(std::uintptr_t source_window = 0, int width = 0, int height = 0);

}  // namespace sorvane
