// Mirroring and turning pictures. Quarter turns move pixels exactly; other angles sample the
// nearest source pixel into the box that encloses the turned picture.
#include <cmath>
#include <cstddef>
#include <numbers>

#include "ui/pictures/picture.h"

namespace vintello {
namespace {

std::size_t IndexOf(int x, int y, int width) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x);
}

// A picture of the given size whose pixel (x, y) is `source` at `from(x, y)`.
template <typename SourcePlace>
Picture Remap(const Picture& source, int width, int height, SourcePlace from) {
  Picture result;
  result.width = width;
  result.height = height;
  result.transparent = source.transparent;
  result.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto [sx, sy] = from(x, y);
      result.pixels[IndexOf(x, y, width)] = source.At(sx, sy);
    }
  }
  return result;
}

struct Place {
  int x;
  int y;
};

Picture Mirror(const Picture& source, TurnType turn) {
  const bool leftRight = turn == TurnType::LeftRight || turn == TurnType::Both;
  const bool upDown = turn == TurnType::UpDown || turn == TurnType::Both;
  const int w = source.width;
  const int h = source.height;
  return Remap(source, w, h, [&](int x, int y) {
    return Place{leftRight ? w - 1 - x : x, upDown ? h - 1 - y : y};
  });
}

Picture TurnByQuarters(const Picture& source, int quarters) {
  const int w = source.width;
  const int h = source.height;
  switch (quarters) {
    case 1:  // the top row becomes the right column
      return Remap(source, h, w, [&](int x, int y) { return Place{y, h - 1 - x}; });
    case 2:
      return Remap(source, w, h, [&](int x, int y) { return Place{w - 1 - x, h - 1 - y}; });
    default:  // 3: the top row becomes the left column
      return Remap(source, h, w, [&](int x, int y) { return Place{w - 1 - y, x}; });
  }
}

Picture TurnFreely(const Picture& source, int degrees) {
  const double radians = degrees * std::numbers::pi / 180;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  // The small allowance keeps float noise from adding a row or column to an exact fit.
  const auto enclose = [](double length) { return static_cast<int>(std::ceil(length - 1e-9)); };
  const int width = enclose(std::abs(source.width * c) + std::abs(source.height * s));
  const int height = enclose(std::abs(source.width * s) + std::abs(source.height * c));
  const Rgb uncovered = source.transparent.value_or(MakeRgb(0, 0, 0));

  Picture result;
  result.width = width;
  result.height = height;
  result.transparent = source.transparent;
  result.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                       uncovered);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Undo a clockwise turn (y points down) about the centres of both boxes.
      const double dx = x + 0.5 - width / 2.0;
      const double dy = y + 0.5 - height / 2.0;
      const double sx = dx * c + dy * s + source.width / 2.0;
      const double sy = -dx * s + dy * c + source.height / 2.0;
      if (sx < 0 || sy < 0 || sx >= source.width || sy >= source.height) continue;
      result.pixels[IndexOf(x, y, width)] = source.At(static_cast<int>(sx), static_cast<int>(sy));
    }
  }
  return result;
}

}  // namespace

Picture ShapePicture(const Picture& source, TurnType turn, bool rotateFollow, int angleDegrees) {
  Picture mirrored = turn == TurnType::None ? source : Mirror(source, turn);
  const int degrees = rotateFollow ? NormalizeDegrees(angleDegrees) : 0;
  if (degrees == 0) return mirrored;
  if (degrees % 90 == 0) return TurnByQuarters(mirrored, degrees / 90);
  return TurnFreely(mirrored, degrees);
}

}  // namespace vintello
