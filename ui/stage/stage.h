// The stage (动画框): numbered picture objects in layers, drawn into a pixel buffer, hit-tested
// per pixel and moved by the stage itself on the time its owner passes in. No clock is read here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "ui/pictures/picture.h"
#include "ui/stage/object_template.h"
#include "ui/stage/stage_events.h"

namespace vintello {

class PictureCache;
struct Box;

using ObjectId = std::int32_t;  // 1, 2, 3, ... in order of creation; 0 and below name nothing

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

// What to do when an advancing object has left the stage completely.
enum class BorderHandling : int {
  None = 0,             // fly on
  StopWhenOutside = 2,  // stop advancing
};

// The settings of 自动前进 that the stage supports; distance and time limits, stop on
// collision and paths are not offered.
struct AdvanceSettings {
  double stepLength = 10;            // pixels per step
  std::int64_t stepIntervalMs = 25;  // least time between two steps
  BorderHandling border = BorderHandling::StopWhenOutside;
  bool destroyWhenStopped = true;
};

// A read-only view of one object, for drawing tools and tests.
struct ObjectView {
  ObjectId id = 0;
  double left = 0;  // real-valued place
  double top = 0;
  std::int32_t type = 0;
  std::int32_t layer = 0;
  bool collideAllowed = false;
  bool visible = false;
  std::int32_t angle = 0;  // 0..359, clockwise from straight up
  bool advancing = false;
  const Picture* shown = nullptr;  // the picture as drawn (mirrored and turned); null: none
};

class Stage {
 public:
  Stage(int width, int height, Rgb background);
  ~Stage();
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  StageEvents& events() { return events_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void SetBackground(Rgb background);

  // Object operations. An identifier that names no object makes a set operation do nothing
  // and a get operation return 0 (CopyObject of such an identifier makes nothing, returns 0
  // and uses up no identifier). A copy takes every property of its source but its identifier
  // and place, and does not advance: it moves only once 自动前进 is called for it.
  ObjectId CreateObject(const ObjectTemplate* tmpl, std::int32_t left, std::int32_t top,
                        bool visible);
  ObjectId CopyObject(ObjectId source, std::int32_t left, std::int32_t top);
  void SetObjectType(ObjectId id, std::int32_t type);
  void SetObjectLayer(ObjectId id, std::int32_t layer);
  void SetCollideAllowed(ObjectId id, bool allowed);
  // Decodes `encoded` with no transparent colour; bytes that do not decode leave no picture.
  void SetObjectPicture(ObjectId id, std::span<const std::uint8_t> encoded);
  std::int32_t GetObjectLeft(ObjectId id) const;
  std::int32_t GetObjectTop(ObjectId id) const;
  void TurnObject(ObjectId id, std::int32_t degrees);
  void 自动前进(ObjectId id, const AdvanceSettings& settings);
  void DestroyObject(ObjectId id);
  int CountObjects() const;

  // Time. The owner passes the current time in milliseconds; it never goes backwards.
  // SetClock only sets the reading that 自动前进 records; Tick also steps what is due.
  void SetClock(std::int64_t nowMs);
  std::int64_t clock() const { return clockMs_; }
  void Tick(std::int64_t nowMs);
  // True while any object advances: the owner needs to keep ticking.
  bool HasAdvancingObjects() const;

  // Input: the left button went down at stage pixel (x, y).
  void PressLeft(int x, int y, bool secondPressOfDoubleClick);
  // The identifier of the object drawn on top at (x, y), 0 where none is.
  ObjectId ObjectAt(int x, int y) const;

  // Drawing. Pixels() returns the composed width x height buffer as 0xFFRRGGBB, brought up to
  // date first; TakeDirtyRects() hands over the areas changed since the last call.
  std::span<const std::uint32_t> Pixels();
  std::vector<PixelRect> TakeDirtyRects();

  // Inspection.
  std::vector<ObjectId> ObjectIdsInListOrder() const;
  std::optional<ObjectView> View(ObjectId id) const;

 private:
  struct Object;

  Object* Find(ObjectId id);
  const Object* Find(ObjectId id) const;
  ObjectId Adopt(std::unique_ptr<Object> object);
  void Insert(std::unique_ptr<Object> object);
  std::unique_ptr<Object> Unlink(ObjectId id);
  void Reshape(Object& object);

  // Motion (stage_motion.cpp).
  void Step(ObjectId id);
  ObjectId FindCollision(const Object& mover) const;

  // Drawing (stage_drawing.cpp).
  void MarkDirty(const Box& area);  // clipped to the stage here
  void MarkObjectDirty(const Object& object);
  void Compose(const PixelRect& area);

  StageEvents events_;
  int width_;
  int height_;
  std::int64_t clockMs_ = 0;
  Rgb background_;
  std::unique_ptr<PictureCache> pictures_;

  // Drawing order: layer by layer, lowest first; within a layer in order of entry.
  std::vector<std::unique_ptr<Object>> list_;
  std::unordered_map<ObjectId, Object*> byId_;
  ObjectId nextId_ = 1;

  bool ticking_ = false;
  std::vector<ObjectId> visitOrder_;  // reused by every tick

  std::vector<std::uint32_t> pixels_;
  std::vector<PixelRect> toCompose_;  // areas of pixels_ that are out of date
  std::vector<PixelRect> toReport_;   // areas changed since the last TakeDirtyRects
};

}  // namespace vintello
