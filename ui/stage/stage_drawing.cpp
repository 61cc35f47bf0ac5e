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
  const auto left = static_cast<std::size_t>(target.left);
  const auto right = static_cast<std::size_t>(target.right);
  for (auto y = target.top; y < target.bottom; ++y) {
    std::uint32_t* row = pixels_.data() + static_cast<std::size_t>(y) * stride;
    std::fill(row + left, row + right, kOpaqueAlpha | background_);
  }
  // Row by row with plain loops: the tiles, which cover most of the stage, have no transparent
  // colour and copy straight across.
  for (const auto& o : list_) {
    if (!o->visible || o->shown == nullptr) continue;
    const PlacedPicture p = o->placed();
    const Box common = Intersect(p.box(), target);
    if (common.empty()) continue;
    const Picture& picture = *p.picture;
    const auto count = static_cast<std::size_t>(common.right - common.left);
    const auto sourceX = static_cast<std::size_t>(common.left - p.left);
    for (auto y = common.top; y < common.bottom; ++y) {
      const Rgb* from =
          picture.pixels.data() +
          static_cast<std::size_t>(y - p.top) * static_cast<std::size_t>(picture.width) + sourceX;
      std::uint32_t* to = pixels_.data() + static_cast<std::size_t>(y) * stride +
                          static_cast<std::size_t>(common.left);
      if (!picture.transparent) {
        for (std::size_t x = 0; x < count; ++x) to[x] = kOpaqueAlpha | from[x];
      } else {
        const Rgb clear = *picture.transparent;
        for (std::size_t x = 0; x < count; ++x) {
          if (from[x] != clear) to[x] = kOpaqueAlpha | from[x];
        }
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
