// Half-open pixel boxes in 64-bit stage coordinates, so that far-flung places never overflow.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ui/pictures/picture.h"
#include "ui/stage/stage.h"

namespace vintello {

// The pixels x in [left, right), y in [top, bottom).
struct Box {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;

  bool empty() const { return left >= right || top >= bottom; }
  std::int64_t area() const { return empty() ? 0 : (right - left) * (bottom - top); }
};

// Far enough to stand for "no limit" on one side, small enough that sums cannot overflow.
inline constexpr std::int64_t kFar = std::int64_t{1} << 40;

inline Box Intersect(const Box& a, const Box& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// The smallest box holding both; an empty box adds nothing.
inline Box Enclose(const Box& a, const Box& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

inline Box BoxOf(const PixelRect& r) {
  return {r.left, r.top, std::int64_t{r.left} + r.width, std::int64_t{r.top} + r.height};
}

// Only for boxes already clipped to the stage, whose corners fit in an int.
inline PixelRect RectOf(const Box& b) {
  if (b.empty()) return {};
  return {static_cast<int>(b.left), static_cast<int>(b.top), static_cast<int>(b.right - b.left),
          static_cast<int>(b.bottom - b.top)};
}

// A picture standing with its top left pixel at (left, top).
struct PlacedPicture {
  const Picture* picture = nullptr;
  std::int64_t left = 0;
  std::int64_t top = 0;

  Box box() const {
    if (picture == nullptr) return {};
    return {left, top, left + picture->width, top + picture->height};
  }
};

// Adds `area` to a list of areas to redraw, merging it with every area whose joint box costs
// no more pixels than the two apart, and folding a list that grows long into one box.
void AddMerged(std::vector<PixelRect>& areas, PixelRect area);

// Whether any opaque pixel of `p` lies inside `region`.
bool AnyOpaqueWithin(const PlacedPicture& p, const Box& region);

// Whether an opaque pixel of `a` and one of `b` share a stage position.
bool OpaqueOverlap(const PlacedPicture& a, const PlacedPicture& b);

}  // namespace vintello
