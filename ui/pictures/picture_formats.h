// The two encoded formats that the decoder reads; each gives no picture for bytes it cannot take.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "ui/pictures/picture.h"

namespace vintello {

// No picture wider or taller than this is decoded: the game's are under 64 pixels, and the cap
// keeps a forged header from asking for gigabytes.
inline constexpr int kMaxPictureSide = 4096;

// An uncompressed 24-bit Windows bitmap with a 40-byte information header, rows bottom-up.
std::optional<Picture> DecodeBitmap(std::span<const std::uint8_t> bytes);

// A JPEG that libjpeg decodes without an error or a warning, as 8-bit RGB.
std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes);

}  // namespace vintello
