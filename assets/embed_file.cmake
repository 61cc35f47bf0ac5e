# Run as `cmake -DINPUT=<file> -DOUTPUT=<header> -DSYMBOL=<name> -P embed_file.cmake`: writes a
# header defining vintello::embedded::<name>, a byte array holding the file's contents.
foreach(var INPUT OUTPUT SYMBOL)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "embed_file.cmake needs -D${var}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
if(hex STREQUAL "")
  # C++ has no empty arrays, and an empty built-in file is a mistake anyway.
  message(FATAL_ERROR "${INPUT} is empty")
endif()
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n" body "${body}")
get_filename_component(name "${INPUT}" NAME)

file(WRITE "${OUTPUT}" "\
// Generated at build time from ${name}; edit that file, not this one.
#pragma once

#include <cstdint>

namespace vintello::embedded {

inline constexpr std::uint8_t ${SYMBOL}[${size}] = {
${body}
};

}  // namespace vintello::embedded
")
