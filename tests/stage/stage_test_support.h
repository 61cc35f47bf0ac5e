// Helpers for the stage's tests: pictures sketched in text, their bitmap bytes, templates that
// own their bytes, a log of the stage's events and a plain painter to compare drawings with.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/pictures/picture.h"
#include "ui/stage/object_template.h"
#include "ui/stage/stage.h"

namespace vintello::test {

inline constexpr Rgb kWhite = MakeRgb(255, 255, 255);
inline constexpr Rgb kRed = MakeRgb(255, 0, 0);
inline constexpr Rgb kGreen = MakeRgb(0, 255, 0);
inline constexpr Rgb kBlue = MakeRgb(0, 0, 255);
inline constexpr Rgb kBlack = MakeRgb(0, 0, 0);
inline constexpr Rgb kYellow = MakeRgb(255, 255, 0);
inline constexpr Rgb kGrey = MakeRgb(128, 128, 128);

// One character per pixel, rows from the top: '.' white, 'r' red, 'g' green, 'b' blue,
// 'k' black, 'y' yellow.
Picture Sketch(std::initializer_list<std::string_view> rows);
Picture Filled(int width, int height, Rgb colour);

// A 24-bit bottom-up Windows bitmap of `picture` (its transparent colour is not stored).
std::vector<std::uint8_t> EncodeBmp(const Picture& picture);

// An ObjectTemplate together with the encoded bytes its properties point at.
struct OwnedTemplate {
  OwnedTemplate(std::vector<std::uint8_t> encoded, AnimationObjectProperties properties);
  std::vector<std::uint8_t> bytes;
  ObjectTemplate tmpl;
};

// A template of `picture` whose top left colour is transparent, with the given settings.
std::unique_ptr<OwnedTemplate> TransparentTemplate(const Picture& picture, std::int32_t type = 0,
                                                   std::int32_t layer = 0,
                                                   bool collideAllowed = false);

// Every event the stage raises, in order, as text such as "碰撞到边界 3 -5 10 1".
struct EventLog {
  explicit EventLog(Stage& stage);
  std::vector<std::string> entries;
};

// An object made from an opaque picture through SetObjectPicture.
ObjectId CreateOpaque(Stage& stage, const Picture& picture, std::int32_t left, std::int32_t top);

// The stage drawn from scratch from its objects' views, for comparison with Stage::Pixels().
std::vector<std::uint32_t> PaintFromScratch(const Stage& stage, Rgb background);

}  // namespace vintello::test
