// The stage's own motion: timed steps along each object's angle, then the outside, border and
// collision tests with their events, in that order.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "ui/stage/stage.h"
#include "ui/stage/stage_object.h"

namespace vintello {

namespace {

// Border sums: which edges a step left opaque pixels beyond.
constexpr int kLeftEdge = 1;
constexpr int kTopEdge = 2;
constexpr int kRightEdge = 4;
constexpr int kBottomEdge = 8;

// Moves by `length` along `angle` (clockwise from straight up). The right angles move exactly,
// so that a droplet flying sideways never drifts off its row.
void MoveAlong(double& left, double& top, std::int32_t angle, double length) {
  switch (angle) {
    case 0:
      top -= length;
      return;
    case 90:
      left += length;
      return;
    case 180:
      top += length;
      return;
    case 270:
      left -= length;
      return;
    default: {
      const double radians = angle * std::numbers::pi / 180.0;
      left += length * std::sin(radians);
      top -= length * std::cos(radians);
    }
  }
}

// Only pixels level with the stage along an edge count for it, so pixels beyond a corner count
// for no edge.
int EdgesCrossed(const PlacedPicture& p, std::int64_t width, std::int64_t height) {
  int edges = 0;
  if (AnyOpaqueWithin(p, {-kFar, 0, 0, height})) edges += kLeftEdge;
  if (AnyOpaqueWithin(p, {0, -kFar, width, 0})) edges += kTopEdge;
  if (AnyOpaqueWithin(p, {width, 0, kFar, height})) edges += kRightEdge;
  if (AnyOpaqueWithin(p, {0, height, width, kFar})) edges += kBottomEdge;
  return edges;
}

}  // namespace

void Stage::SetClock(std::int64_t nowMs) {
  clockMs_ = std::max(clockMs_, nowMs);
}

void Stage::Tick(std::int64_t nowMs) {
  SetClock(nowMs);
  // A handler that ticks again would step objects twice in one tick.
  if (ticking_) return;
  ticking_ = true;
  // The visit follows the list as it stood when the tick began: objects that handlers create
  // are not in it (they take no step yet) and objects that handlers remove are passed over.
  visitOrder_.clear();
  for (const auto& o : list_) {
    if (o->advancing) visitOrder_.push_back(o->id);
  }
  for (const ObjectId id : visitOrder_) {
    const Object* o = Find(id);
    if (o == nullptr || !o->advancing || o->dying) continue;
    if (clockMs_ - o->lastStepMs >= o->advance.stepIntervalMs) Step(id);
  }
  ticking_ = false;
}

void Stage::Step(ObjectId id) {
  Object* mover = Find(id);
  const std::int32_t leftBefore = WholePixel(mover->left);
  const std::int32_t topBefore = WholePixel(mover->top);
  const Box boxBefore = mover->box();
  MoveAlong(mover->left, mover->top, mover->angle, mover->advance.stepLength);
  mover->lastStepMs = clockMs_;
  if (WholePixel(mover->left) == leftBefore && WholePixel(mover->top) == topBefore) return;
  if (mover->visible) MarkDirty(Enclose(boxBefore, mover->box()));

  // Every handler may remove the mover; it is looked up again after each event.
  const bool outside = !AnyOpaqueWithin(mover->placed(), {0, 0, width_, height_});
  if (outside) {
    if (events_.越出边界) events_.越出边界(id);
  } else if (const int edges = EdgesCrossed(mover->placed(), width_, height_); edges != 0) {
    if (events_.碰撞到边界) events_.碰撞到边界(id, leftBefore, topBefore, edges);
  }
  mover = Find(id);
  if (mover == nullptr) return;

  if (mover->collideAllowed) {
    const ObjectId hit = FindCollision(*mover);
    if (hit == 0) {
      mover->lastReportedHit = 0;
    } else if (hit != mover->lastReportedHit) {
      mover->lastReportedHit = hit;
      if (events_.碰撞到物体) events_.碰撞到物体(id, leftBefore, topBefore, hit);
      mover = Find(id);
      if (mover == nullptr) return;
    }
  }

  if (outside && mover->advancing && mover->advance.border == BorderHandling::StopWhenOutside) {
    const bool destroy = mover->advance.destroyWhenStopped;
    mover->advancing = false;
    if (events_.自动前进停止) events_.自动前进停止(id);
    mover = Find(id);
    // A handler that set the object advancing again has taken it back from the stop.
    if (destroy && mover != nullptr && !mover->advancing) DestroyObject(id);
  }
}

ObjectId Stage::FindCollision(const Object& mover) const {
  const PlacedPicture moving = mover.placed();
  if (moving.picture == nullptr) return 0;
  const Box reach = moving.box();
  // From the top of the drawing order down; everything below the mover's layer is out of reach.
  for (auto it = list_.rbegin(); it != list_.rend(); ++it) {
    const Object& other = **it;
    if (other.layer < mover.layer) break;
    if (&other == &mover || !other.collideAllowed || other.layer != mover.layer ||
        other.type == mover.type || other.shown == nullptr) {
      continue;
    }
    // Every step scans the whole layer, and nearly all of it lies far from the mover: the
    // boxes rule those out here, before any pixel is looked at.
    const PlacedPicture placed = other.placed();
    if (Intersect(reach, placed.box()).empty()) continue;
    if (OpaqueOverlap(moving, placed)) return other.id;
  }
  return 0;
}

}  // namespace vintello
