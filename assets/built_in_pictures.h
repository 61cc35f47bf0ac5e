// The pictures built into the program at build time; the game reads no files.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace vintello {

// The five encoded tile pictures (JPEG), for pictures 1 to 5 in that order.
extern const std::array<std::span<const std::uint8_t>, 5> BuiltInTilePictures;

// The encoded droplet picture (a 24-bit Windows bitmap) that 动画物体2 holds.
extern const std::span<const std::uint8_t> DropletPicture;

}  // namespace vintello
