// The labels' stand-in font, built into the program.
#pragma once

#include <cstdint>
#include <span>

namespace vintello {

// "Vintello Rounded" Bold: an OpenType (CFF) subset holding every character the window shows.
extern const std::span<const std::uint8_t> LabelFontData;

}  // namespace vintello
