// Drawing the stage into its pixel buffer, area by area, and finding what lies under a point.
#include <algorithm>
#include <utility>

#include "ui/stage/stage.h"
#include "ui/stage/stage_object.h"

namespace vintello {

namespace {

constexpr std::uint32_t kOpaqueAlpha = 0xFF000000u;

}  // namespace

void Stage::MarkDirty(const Box& area) {
  const PixelRect clipped = RectOf(Intersect(area, Box{0, 0, width_, height_}));
  AddMerged(toCompose_, clipped);
  AddMerged(toReport_, clipped);
}

void Stage::MarkObjectDirty(const Object& object) {
  if (!object.visible || object.shown == nullptr) return;
  MarkDirty(object.box());
}

void Stage::Compose(const PixelRect& area) {
  const Box target = BoxOf(area);
  const auto stride = static_cast<std::size_t>(width_);
  for (auto y = target.top; y < target.bottom; ++y) {
    const auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y * width_);
    std::fill(row + static_cast<std::ptrdiff_t>(target.left),
              row + static_cast<std::ptrdiff_t>(target.right), kOpaqueAlpha | background_);
  }
  for (const auto& o : list_) {
    if (!o->visible || o->shown == nullptr) continue;
    const PlacedPicture p = o->placed();
    const Box common = Intersect(p.box(), target);
    const Picture& picture = *p.picture;
    for (auto y = common.top; y < common.bottom; ++y) {
      const auto py = static_cast<int>(y - p.top);
      for (auto x = common.left; x < common.right; ++x) {
        const auto px = static_cast<int>(x - p.left);
        if (!picture.OpaqueAt(px, py)) continue;
        pixels_[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)] =
            kOpaqueAlpha | picture.At(px, py);
      }
    }
  }
}

std::span<const std::uint32_t> Stage::Pixels() {
  for (const PixelRect& area : toCompose_) Compose(area);
  toCompose_.clear();
  return pixels_;
}

std::vector<PixelRect> Stage::TakeDirtyRects() {
  return std::exchange(toReport_, {});
}

ObjectId Stage::ObjectAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  for (auto it = list_.rbegin(); it != list_.rend(); ++it) {
    const Object& o = **it;
    if (!o.visible || o.shown == nullptr) continue;
    const PlacedPicture p = o.placed();
    if (AnyOpaqueWithin(p, {x, y, std::int64_t{x} + 1, std::int64_t{y} + 1})) return o.id;
  }
  return 0;
}

void Stage::PressLeft(int x, int y, bool secondPressOfDoubleClick) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const ObjectId id = ObjectAt(x, y);
  if (secondPressOfDoubleClick) {
    if (events_.双击物体) events_.双击物体(id);
  } else if (events_.物体左键被按下) {
    events_.物体左键被按下(id);
  }
}

}  // namespace vintello
