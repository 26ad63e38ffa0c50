#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "common/byte_buffer.h"

namespace sorvane {

// The value of one numbered control setting. Integers also carry booleans
// (0 or 1), choices and colour values; texts are UTF-8; byte buffers carry
// picture bytes.
using SettingValue = std::variant<std::int64_t, std::string, ByteBuffer>;

// Reads a value as the kind a setting expects; a value of another kind
// reads as the given fallback.
inline std::int64_t setting_int(const SettingValue& v, std::int64_t fallback = 0) {
  const auto* i = std::get_if<std::int64_t>(&v);
  return i ? *i : fallback;
}
inline bool setting_bool(const SettingValue& v) { return setting_int(v) != 0; }
inline std::string setting_text(const SettingValue& v) {
  const auto* s = std::get_if<std::string>(&v);
  return s ? *s : std::string();
}
inline ByteBuffer setting_bytes(const SettingValue& v) {
  const auto* b = std::get_if<ByteBuffer>(&v);
  return b ? *b : ByteBuffer();
}

}  // namespace sorvane
