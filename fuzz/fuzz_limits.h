#pragma once

// Bounds for fuzzing: the same checks as the program's own bounds, only
// smaller, so that inputs claiming large pictures are rejected (or decoded)
// quickly and the fuzzer keeps its pace (fresh memory is what costs most).
// The unit tests cover the program's own bounds.

#include "display/decode_limits.h"

namespace sorvane::fuzz {

inline DecodeLimits limits() {
  DecodeLimits l;
  l.max_side = 2048;
  l.max_pixels = std::uint64_t{1} << 18;
  l.max_frame_bytes = std::uint64_t{8} << 20;
  l.max_gif_decoded_pixels = std::uint64_t{1} << 24;
  l.max_jpeg_work_bytes = std::uint64_t{64} << 20;
  l.max_jpeg_scans = 500;
  return l;
}

// Stops the run with a finding when a result breaks its own invariants.
inline void require(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace sorvane::fuzz
