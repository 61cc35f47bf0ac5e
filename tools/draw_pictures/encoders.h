// Turns drawn pictures into the bytes of the files that the game carries.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/draw_pictures/canvas.h"

namespace vintello::draw {

// Baseline JFIF 1.01 at 96 dpi with libjpeg's default sampling (luminance 2 x 2) and tables.
std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality);

// An uncompressed 24-bit bottom-up Windows bitmap at 3780 pixels per metre (96 dpi).
std::vector<std::uint8_t> EncodeBmp(const Image& image);

// A PNG of 8-bit RGBA, not interlaced. Its deflate stream holds stored blocks only: icons are
// small, and the package that carries them is compressed as a whole.
std::vector<std::uint8_t> EncodePng(const RgbaImage& image);

}  // namespace vintello::draw
