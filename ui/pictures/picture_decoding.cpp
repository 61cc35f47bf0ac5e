// Recognises the format by its first bytes and applies the transparency mode.
#include <cstdint>
#include <optional>
#include <span>

#include "ui/pictures/picture.h"
#include "ui/pictures/picture_formats.h"

namespace vintello {

std::optional<Picture> DecodePicture(std::span<const std::uint8_t> bytes, Transparency mode) {
  std::optional<Picture> picture;
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    picture = DecodeBitmap(bytes);
  } else if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) {
    picture = DecodeJpeg(bytes);
  }
  if (!picture || picture->width <= 0 || picture->height <= 0) return std::nullopt;
  if (mode == Transparency::TopLeftPixel) picture->transparent = picture->At(0, 0);
  return picture;
}

}  // namespace vintello
