#include "app/pictures/builtin_pictures.h"

#include "embedded_files.h"

namespace sorvane::builtin {

ByteBuffer EmbeddedBytes::to_buffer() const {
  if (data == nullptr || size == 0) return {};
  return ByteBuffer(data, data + size);
}

EmbeddedBytes background_picture() { return {embedded::background_jpg, embedded::background_jpg_size}; }
EmbeddedBytes overlay_picture() { return {embedded::overlay_png, embedded::overlay_png_size}; }
EmbeddedBytes panel_picture() { return {embedded::panel_jpg, embedded::panel_jpg_size}; }
EmbeddedBytes window_icon() { return {embedded::window_icon_ico, embedded::window_icon_ico_size}; }
// The ICO form: one 32 x 32, 32-bit image with its 1-bit mask, as the
// program file's icon resource carries it.
EmbeddedBytes program_icon() { return {embedded::program_icon_ico, embedded::program_icon_ico_size}; }

}  // namespace sorvane::builtin
