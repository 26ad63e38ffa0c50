#pragma once

// Counts the bytes that the process holds on the heap (every malloc, calloc,
// realloc and aligned allocation, so libjpeg's and libpng's own buffers as
// well as C++ containers), and the peak since the last reset. Unavailable
// (always 0) in sanitizer builds, whose allocator the counter would fight.

#include <cstddef>

namespace sorvane::bench {

bool heap_counter_available();
std::size_t heap_in_use();
// Makes the current use the new peak; returns it.
std::size_t heap_reset_peak();
std::size_t heap_peak();

}  // namespace sorvane::bench
