// The stage's pixels in the byte order of a canvas's image data (red, green, blue, alpha), kept
// up to date one changed area at a time so that the page redraws only what changed.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "ui/stage/stage.h"

namespace vintello {

class CanvasPixels {
 public:
  CanvasPixels(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  // width x height x 4 bytes, row by row from the top.
  std::span<const std::uint8_t> bytes() const { return bytes_; }

  // Copies `area` of `source` (width x height pixels as 0xAARRGGBB) into the bytes; the part of
  // an area that lies outside the picture is left alone.
  void Update(std::span<const std::uint32_t> source, const PixelRect& area);

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace vintello
