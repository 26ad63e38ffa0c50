#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>

#include "common/byte_buffer.h"

namespace sorvane {

// Whole-file reading and writing. Names are UTF-8 paths, passed to the file
// system unchanged and never shortened. Neither function reports an error
// other than by its result.

// The whole contents of an existing regular file, or an empty buffer when the
// name is empty, the file cannot be opened or read, is empty, is 2 GiB or
// larger (a byte buffer's length is a signed 32-bit count), is not a regular
// file, or is locked for writing by another program. While the file is read
// it holds a shared advisory lock (flock), so writers that honour locks wait
// their turn. If the file shrinks while it is read, the buffer is cut to the
// bytes that arrived.
ByteBuffer read_whole_file(const std::string& utf8_path);

// Creates or replaces the file with the buffers written one after another in
// order (an empty buffer writes nothing). True when the file now holds all of
// them.
//
// The replacement is atomic: the bytes go to a new file in the same folder,
// which is flushed to disk and then renamed over the target, so a failed or
// interrupted write never leaves a truncated file and never destroys the file
// that was there. A replaced file keeps its permission bits.
//
// False, with nothing changed, for an empty name, a missing folder, a folder
// or other non-regular file in the way, a read-only target (no write
// permission for the caller, or no write bit at all), a target that another
// program holds a lock on, or any write, flush or rename failure.
bool write_whole_file(const std::string& utf8_path,
                      std::initializer_list<std::reference_wrapper<const ByteBuffer>> buffers);
bool write_whole_file(const std::string& utf8_path, const ByteBuffer& buffer);
bool write_whole_file(const std::string& utf8_path, const ByteBuffer* const* buffers,
                      std::size_t count);

}  // namespace sorvane
