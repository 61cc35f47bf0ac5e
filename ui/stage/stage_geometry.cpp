// Pixel-exact tests between placed pictures and boxes; the box test comes first so that most
// pairs cost four comparisons.
#include "ui/stage/stage_geometry.h"

namespace vintello {

namespace {

bool FullyOpaque(const Picture& p) {
  return !p.transparent.has_value();
}

bool Contains(const Box& outer, const Box& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

int Local(std::int64_t stage, std::int64_t origin) {
  return static_cast<int>(stage - origin);
}

// Beyond this many separate areas one enclosing box is cheaper to handle than the list.
constexpr std::size_t kMostSeparateAreas = 32;

}  // namespace

void AddMerged(std::vector<PixelRect>& areas, PixelRect area) {
  Box added = BoxOf(area);
  if (added.empty()) return;
  for (std::size_t i = 0; i < areas.size();) {
    const Box other = BoxOf(areas[i]);
    // Mostly a droplet's step lies inside what is marked already; whatever `added` has taken
    // in so far lies inside it too.
    if (Contains(other, added)) return;
    const Box joint = Enclose(added, other);
    if (joint.area() <= added.area() + other.area()) {
      added = joint;
      // The order of the areas means nothing, so the last one takes the merged one's place.
      areas[i] = areas.back();
      areas.pop_back();
      i = 0;  // the grown box may now reach areas that were checked already
    } else {
      ++i;
    }
  }
  if (areas.size() >= kMostSeparateAreas) {
    for (const PixelRect& r : areas) added = Enclose(added, BoxOf(r));
    areas.clear();
  }
  areas.push_back(RectOf(added));
}

bool AnyOpaqueWithin(const PlacedPicture& p, const Box& region) {
  const Box common = Intersect(p.box(), region);
  if (common.empty()) return false;
  const Picture& picture = *p.picture;
  if (FullyOpaque(picture)) return true;
  for (std::int64_t y = common.top; y < common.bottom; ++y) {
    for (std::int64_t x = common.left; x < common.right; ++x) {
      if (picture.OpaqueAt(Local(x, p.left), Local(y, p.top))) return true;
    }
  }
  return false;
}

bool OpaqueOverlap(const PlacedPicture& a, const PlacedPicture& b) {
  const Box common = Intersect(a.box(), b.box());
  if (common.empty()) return false;
  if (FullyOpaque(*a.picture)) return AnyOpaqueWithin(b, common);
  if (FullyOpaque(*b.picture)) return AnyOpaqueWithin(a, common);
  for (std::int64_t y = common.top; y < common.bottom; ++y) {
    for (std::int64_t x = common.left; x < common.right; ++x) {
      if (a.picture->OpaqueAt(Local(x, a.left), Local(y, a.top)) &&
          b.picture->OpaqueAt(Local(x, b.left), Local(y, b.top))) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace vintello
