// One object on the stage, as the stage's own source files share it.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "ui/pictures/picture.h"
#include "ui/stage/stage.h"
#include "ui/stage/stage_geometry.h"

namespace vintello {

struct Stage::Object {
  ObjectId id = 0;
  double left = 0;  // real-valued, since steps along a slant move by fractions
  double top = 0;
  std::int32_t type = 0;
  std::int32_t layer = 0;
  bool collideAllowed = false;
  bool visible = false;
  std::int32_t angle = 0;  // 0..359
  bool rotateFollow = false;
  TurnType turnType = TurnType::None;
  SharedPicture source;  // as decoded; null: no picture
  SharedPicture shown;   // source mirrored and turned as drawn; null with source

  bool advancing = false;
  AdvanceSettings advance;
  std::int64_t lastStepMs = 0;
  ObjectId lastReportedHit = 0;  // so that one overlap is reported once
  bool dying = false;            // between 物体将销毁 and its removal

  PlacedPicture placed() const;
  Box box() const { return placed().box(); }
};

// A place read back as a whole pixel: truncated toward zero, held inside the 32-bit range.
// Every step tests the mover against every object, so this is kept to a cast and two compares.
inline std::int32_t WholePixel(double place) {
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (place >= kHighest) return std::numeric_limits<std::int32_t>::max();
  if (place <= kLowest) return std::numeric_limits<std::int32_t>::min();
  if (std::isnan(place)) return 0;
  return static_cast<std::int32_t>(place);  // the cast truncates toward zero
}

inline PlacedPicture Stage::Object::placed() const {
  return {shown.get(), WholePixel(left), WholePixel(top)};
}

}  // namespace vintello
