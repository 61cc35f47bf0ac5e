// The stage's objects: identifiers, the layered list, properties, pictures and turning.
#include "ui/stage/stage.h"

#include <algorithm>
#include <utility>

#include "ui/pictures/picture_cache.h"
#include "ui/stage/stage_object.h"

namespace vintello {

namespace {

std::int32_t NormalisedAngle(std::int64_t degrees) {
  const std::int64_t r = degrees % 360;
  return static_cast<std::int32_t>(r < 0 ? r + 360 : r);
}

}  // namespace

Stage::Stage(int width, int height, Rgb background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      background_(background),
      pictures_(std::make_unique<PictureCache>()),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)) {
  MarkDirty(Box{0, 0, width_, height_});
}

Stage::~Stage() = default;

Stage::Object* Stage::Find(ObjectId id) {
  const auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second;
}

const Stage::Object* Stage::Find(ObjectId id) const {
  const auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second;
}

ObjectId Stage::Adopt(std::unique_ptr<Object> object) {
  object->id = nextId_++;
  const ObjectId id = object->id;
  Reshape(*object);
  MarkObjectDirty(*object);
  Insert(std::move(object));
  return id;
}

void Stage::Insert(std::unique_ptr<Object> object) {
  // After every object of a lower or equal layer, before every higher one.
  const auto place = std::upper_bound(
      list_.begin(), list_.end(), object->layer,
      [](std::int32_t layer, const std::unique_ptr<Object>& o) { return layer < o->layer; });
  byId_[object->id] = object.get();
  list_.insert(place, std::move(object));
}

std::unique_ptr<Stage::Object> Stage::Unlink(ObjectId id) {
  const auto place = std::find_if(list_.begin(), list_.end(),
                                  [id](const std::unique_ptr<Object>& o) { return o->id == id; });
  if (place == list_.end()) return nullptr;
  std::unique_ptr<Object> object = std::move(*place);
  list_.erase(place);
  byId_.erase(id);
  return object;
}

void Stage::Reshape(Object& object) {
  object.shown = object.source ? pictures_->Shape(object.source, object.turnType,
                                                  object.rotateFollow, object.angle)
                               : nullptr;
}

void Stage::SetBackground(Rgb background) {
  background_ = background;
  MarkDirty(Box{0, 0, width_, height_});
}

ObjectId Stage::CreateObject(const ObjectTemplate* tmpl, std::int32_t left, std::int32_t top,
                             bool visible) {
  auto object = std::make_unique<Object>();
  object->left = left;
  object->top = top;
  object->visible = visible;
  if (tmpl != nullptr) {
    const AnimationObjectProperties& p = tmpl->properties();
    object->type = p.type;
    object->layer = p.layer;
    object->collideAllowed = p.CollideAllowed;
    object->angle = NormalisedAngle(p.angle);
    object->rotateFollow = p.RotateFollow;
    object->turnType = p.turnType;
    object->source = tmpl->picture();
  }
  return Adopt(std::move(object));
}

ObjectId Stage::CopyObject(ObjectId source, std::int32_t left, std::int32_t top) {
  const Object* original = Find(source);
  if (original == nullptr) return 0;
  auto copy = std::make_unique<Object>(*original);
  copy->left = left;
  copy->top = top;
  copy->advancing = false;
  copy->lastReportedHit = 0;
  copy->dying = false;
  return Adopt(std::move(copy));
}

void Stage::SetObjectType(ObjectId id, std::int32_t type) {
  if (Object* o = Find(id)) o->type = type;
}

void Stage::SetObjectLayer(ObjectId id, std::int32_t layer) {
  Object* o = Find(id);
  if (o == nullptr || o->layer == layer) return;
  std::unique_ptr<Object> moved = Unlink(id);
  moved->layer = layer;
  MarkObjectDirty(*moved);
  Insert(std::move(moved));
}

void Stage::SetCollideAllowed(ObjectId id, bool allowed) {
  if (Object* o = Find(id)) o->collideAllowed = allowed;
}

void Stage::SetObjectPicture(ObjectId id, std::span<const std::uint8_t> encoded) {
  Object* o = Find(id);
  if (o == nullptr) return;
  MarkObjectDirty(*o);
  o->source = pictures_->Decode(encoded, Transparency::None);
  Reshape(*o);
  MarkObjectDirty(*o);
}

std::int32_t Stage::GetObjectLeft(ObjectId id) const {
  const Object* o = Find(id);
  return o == nullptr ? 0 : WholePixel(o->left);
}

std::int32_t Stage::GetObjectTop(ObjectId id) const {
  const Object* o = Find(id);
  return o == nullptr ? 0 : WholePixel(o->top);
}

void Stage::TurnObject(ObjectId id, std::int32_t degrees) {
  Object* o = Find(id);
  if (o == nullptr) return;
  const SharedPicture oldShown = o->shown;
  const Box oldBox = o->box();
  o->angle = NormalisedAngle(std::int64_t{o->angle} + degrees);
  Reshape(*o);
  const int oldWidth = oldShown ? oldShown->width : 0;
  const int oldHeight = oldShown ? oldShown->height : 0;
  const int newWidth = o->shown ? o->shown->width : 0;
  const int newHeight = o->shown ? o->shown->height : 0;
  // The centre stays where it was, to whole-pixel halves; the fraction of the place is kept.
  o->left += oldWidth / 2 - newWidth / 2;
  o->top += oldHeight / 2 - newHeight / 2;
  // A picture that does not follow the angle looks the same after the turn.
  if (o->shown != oldShown && o->visible) {
    MarkDirty(Enclose(oldBox, o->box()));
  }
}

void Stage::自动前进(ObjectId id, const AdvanceSettings& settings) {
  Object* o = Find(id);
  if (o == nullptr) return;
  o->advancing = true;
  o->advance = settings;
  o->lastStepMs = clockMs_;
}

void Stage::DestroyObject(ObjectId id) {
  Object* o = Find(id);
  if (o == nullptr || o->dying) return;
  o->dying = true;
  if (events_.物体将销毁) events_.物体将销毁(id);
  std::unique_ptr<Object> gone = Unlink(id);
  if (gone) MarkObjectDirty(*gone);
}

int Stage::CountObjects() const {
  return static_cast<int>(list_.size());
}

bool Stage::HasAdvancingObjects() const {
  return std::any_of(list_.begin(), list_.end(),
                     [](const std::unique_ptr<Object>& o) { return o->advancing; });
}

std::vector<ObjectId> Stage::ObjectIdsInListOrder() const {
  std::vector<ObjectId> ids;
  ids.reserve(list_.size());
  for (const auto& o : list_) ids.push_back(o->id);
  return ids;
}

std::optional<ObjectView> Stage::View(ObjectId id) const {
  const Object* o = Find(id);
  if (o == nullptr) return std::nullopt;
  return ObjectView{o->id,      o->left,  o->top,       o->type,       o->layer, o->collideAllowed,
                    o->visible, o->angle, o->advancing, o->shown.get()};
}

}  // namespace vintello
