# Turns one file into a C++ source file holding its bytes as a constant array.
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P embed_file.cmake
if(NOT DEFINED INPUT OR NOT DEFINED OUTPUT OR NOT DEFINED SYMBOL)
  message(FATAL_ERROR "embed_file.cmake needs INPUT, OUTPUT and SYMBOL")
endif()
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
if(size EQUAL 0)
  message(FATAL_ERROR "embed_file.cmake: ${INPUT} is empty")
endif()
# Sixteen bytes a line.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.\n"
"#include <cstddef>\n#include <cstdint>\n\n"
"namespace sorvane::builtin::embedded {\n"
"extern const std::uint8_t ${SYMBOL}[];\n"
"extern const std::size_t ${SYMBOL}_size;\n"
"alignas(4) const std::uint8_t ${SYMBOL}[] = {\n${bytes}\n};\n"
"const std::size_t ${SYMBOL}_size = ${size};\n"
"}  // namespace sorvane::builtin::embedded\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
