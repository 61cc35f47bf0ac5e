// The window's icon, built into the program.
#pragma once

#include <cstdint>
#include <span>

namespace vintello {

// A green drop on white, 64 x 64, as a 24-bit Windows bitmap (DecodePicture reads it).
extern const std::span<const std::uint8_t> WindowIconPicture;

}  // namespace vintello
