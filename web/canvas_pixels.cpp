// Converting the stage's pixels for a canvas.
#include "web/canvas_pixels.h"

#include <algorithm>

namespace vintello {

CanvasPixels::CanvasPixels(int width, int height)
    : width_(width), height_(height), bytes_(static_cast<std::size_t>(width) * height * 4) {}

void CanvasPixels::Update(std::span<const std::uint32_t> source, const PixelRect& area) {
  const int left = std::max(area.left, 0);
  const int top = std::max(area.top, 0);
  const int right = std::min(area.left + area.width, width_);
  const int bottom = std::min(area.top + area.height, height_);
  if (source.size() < static_cast<std::size_t>(width_) * height_) return;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * width_ + x;
      const std::uint32_t pixel = source[at];
      std::uint8_t* out = &bytes_[at * 4];
      out[0] = static_cast<std::uint8_t>(pixel >> 16);
      out[1] = static_cast<std::uint8_t>(pixel >> 8);
      out[2] = static_cast<std::uint8_t>(pixel);
      out[3] = static_cast<std::uint8_t>(pixel >> 24);
    }
  }
}

}  // namespace vintello
