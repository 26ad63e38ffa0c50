#pragma once

#include <cstdint>
#include <vector>

namespace sorvane {

// A counted run of bytes owned by whoever holds it. Pictures and file contents
// travel between subsystems as byte buffers; an empty buffer means "no data"
// and is what every failed read, capture or decode input gives.
using ByteBuffer = std::vector<std::uint8_t>;

}  // namespace sorvane
