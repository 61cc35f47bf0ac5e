// Mirroring and turning: exact pixel places on a small asymmetric picture, the enclosing box and
// uncovered corners of free angles, and the droplet's four directions.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "assets/built_in_pictures.h"
#include "tests/pictures/picture_fixtures.h"
#include "ui/pictures/picture.h"

namespace vintello {
namespace {

using testing::MakePicture;

// 1 2 3
// 4 5 6   (each number is the pixel's colour, so every pixel is told apart)
Picture ThreeByTwo(std::optional<Rgb> transparent = std::nullopt) {
  return MakePicture(3, 2, {1, 2, 3, 4, 5, 6}, transparent);
}

struct ShapeCase {
  std::string name;
  TurnType turn;
  bool rotateFollow;
  int angle;
  int width;
  int height;
  std::vector<Rgb> pixels;
};

void PrintTo(const ShapeCase& c, std::ostream* out) {
  *out << c.name;
}

class ExactShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ExactShapeTest, MovesEveryPixelToItsPlaceAndKeepsTheTransparentColour) {
  const ShapeCase& c = GetParam();
  for (std::optional<Rgb> transparent : {std::optional<Rgb>(), std::optional<Rgb>(5)}) {
    const Picture shaped = ShapePicture(ThreeByTwo(transparent), c.turn, c.rotateFollow, c.angle);
    EXPECT_EQ(shaped.width, c.width);
    EXPECT_EQ(shaped.height, c.height);
    EXPECT_EQ(shaped.pixels, c.pixels);
    EXPECT_EQ(shaped.transparent, transparent);
  }
}

using enum TurnType;

INSTANTIATE_TEST_SUITE_P(
    TurnsAndQuarterAngles, ExactShapeTest,
    ::testing::Values(
        ShapeCase{"Unchanged", None, true, 0, 3, 2, {1, 2, 3, 4, 5, 6}},
        ShapeCase{"LeftRight", LeftRight, true, 0, 3, 2, {3, 2, 1, 6, 5, 4}},
        ShapeCase{"UpDown", UpDown, true, 0, 3, 2, {4, 5, 6, 1, 2, 3}},
        ShapeCase{"Both", Both, true, 0, 3, 2, {6, 5, 4, 3, 2, 1}},
        // Clockwise: the top row becomes the right column.
        ShapeCase{"Turn90", None, true, 90, 2, 3, {4, 1, 5, 2, 6, 3}},
        ShapeCase{"Turn180", None, true, 180, 3, 2, {6, 5, 4, 3, 2, 1}},
        ShapeCase{"Turn270", None, true, 270, 2, 3, {3, 6, 2, 5, 1, 4}},
        // Angles are brought into 0..359 first.
        ShapeCase{"TurnMinus90Is270", None, true, -90, 2, 3, {3, 6, 2, 5, 1, 4}},
        ShapeCase{"Turn450Is90", None, true, 450, 2, 3, {4, 1, 5, 2, 6, 3}},
        ShapeCase{"Turn360IsNone", None, true, 360, 3, 2, {1, 2, 3, 4, 5, 6}},
        ShapeCase{"TurnMinus720IsNone", None, true, -720, 3, 2, {1, 2, 3, 4, 5, 6}},
        // Without RotateFollow the angle is not applied at all.
        ShapeCase{"AngleIgnoredWithoutRotateFollow", None, false, 90, 3, 2, {1, 2, 3, 4, 5, 6}},
        ShapeCase{"MirrorKeptWithoutRotateFollow", LeftRight, false, 270, 3, 2, {3, 2, 1, 6, 5, 4}},
        // Mirroring comes before turning.
        ShapeCase{"LeftRightThen90", LeftRight, true, 90, 2, 3, {6, 3, 5, 2, 4, 1}},
        ShapeCase{"UpDownThen90", UpDown, true, 90, 2, 3, {1, 4, 2, 5, 3, 6}},
        ShapeCase{"UpDownThen270", UpDown, true, 270, 2, 3, {6, 3, 5, 2, 4, 1}},
        ShapeCase{"BothThen180IsUnchanged", Both, true, 180, 3, 2, {1, 2, 3, 4, 5, 6}},
        ShapeCase{"BothThen90Is270", Both, true, 90, 2, 3, {3, 6, 2, 5, 1, 4}}),
    testing::CaseName());

// --- Free angles ------------------------------------------------------------------------------

struct FreeTurnCase {
  int width;
  int height;
  int angle;
  int turnedWidth;  // the enclosing box, rounded up
  int turnedHeight;
};

TEST(FreeTurnTest, FillsTheEnclosingBoxAndLeavesCornersTransparentOrBlack) {
  const FreeTurnCase cases[] = {
      {10, 10, 45, 15, 15},                          // 14.14 rounds up
      {3, 2, 45, 4, 4},                              // 3.54 rounds up
      {17, 29, 30, 30, 34},                          // 29.22 x 33.61
      {17, 29, -30, 30, 34}, {17, 29, 120, 34, 30},  // 120 = 90 + 30: sides swap
      {4, 2, 135, 5, 5},
  };
  const Rgb kFill = MakeRgb(200, 10, 10);
  const Rgb kKey = MakeRgb(255, 255, 255);
  for (const FreeTurnCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " at " << c.angle);
    const std::vector<Rgb> filled(static_cast<std::size_t>(c.width * c.height), kFill);
    for (std::optional<Rgb> key : {std::optional<Rgb>(kKey), std::optional<Rgb>()}) {
      const Picture turned =
          ShapePicture(MakePicture(c.width, c.height, filled, key), None, true, c.angle);
      EXPECT_EQ(turned.width, c.turnedWidth);
      EXPECT_EQ(turned.height, c.turnedHeight);
      ASSERT_EQ(turned.pixels.size(), static_cast<std::size_t>(c.turnedWidth * c.turnedHeight));
      EXPECT_EQ(turned.transparent, key);
      const Rgb uncovered = key.value_or(MakeRgb(0, 0, 0));
      EXPECT_EQ(turned.At(0, 0), uncovered);
      EXPECT_EQ(turned.At(turned.width - 1, turned.height - 1), uncovered);
      EXPECT_EQ(turned.At(turned.width / 2, turned.height / 2), kFill);
      for (Rgb p : turned.pixels) EXPECT_TRUE(p == kFill || p == uncovered);
    }
  }
}

TEST(FreeTurnTest, TurnsClockwise) {
  // A marker on the right edge's middle moves down and left as the picture turns clockwise by 45
  // degrees: it ends in the lower right quarter.
  constexpr int kSide = 21;
  const Rgb kMarker = MakeRgb(255, 0, 0);
  std::vector<Rgb> pixels(kSide * kSide, MakeRgb(0, 0, 255));
  for (int y = 9; y <= 11; ++y) pixels[static_cast<std::size_t>(y * kSide + kSide - 1)] = kMarker;
  const Picture turned = ShapePicture(MakePicture(kSide, kSide, pixels), None, true, 45);
  int found = 0;
  for (int y = 0; y < turned.height; ++y) {
    for (int x = 0; x < turned.width; ++x) {
      if (turned.At(x, y) != kMarker) continue;
      ++found;
      EXPECT_GT(x, turned.width / 2);
      EXPECT_GT(y, turned.height / 2);
    }
  }
  EXPECT_GT(found, 0);
}

// --- The droplet ------------------------------------------------------------------------------

enum class End { Top, Bottom, Left, Right };

// Which end of the opaque pixels is lighter, along the picture's long side.
End LighterEnd(const Picture& p) {
  const bool upright = p.height > p.width;
  const int length = upright ? p.height : p.width;
  const int across = upright ? p.width : p.height;
  double first = 0, last = 0;
  int firstCount = 0, lastCount = 0;
  for (int along = 0; along < length; ++along) {
    for (int a = 0; a < across; ++a) {
      const int x = upright ? a : along;
      const int y = upright ? along : a;
      if (!p.OpaqueAt(x, y)) continue;
      if (along < length / 3) {
        first += testing::Lightness(p.At(x, y));
        ++firstCount;
      } else if (along >= length - length / 3) {
        last += testing::Lightness(p.At(x, y));
        ++lastCount;
      }
    }
  }
  const bool firstLighter = first / firstCount > last / lastCount;
  if (upright) return firstLighter ? End::Top : End::Bottom;
  return firstLighter ? End::Left : End::Right;
}

TEST(DropletShapeTest, LighterEndTrailsInEveryDirection) {
  struct Direction {
    int angle;
    const char* travels;
    int width;
    int height;
    End lighter;
  };
  const Direction directions[] = {
      {0, "up", 17, 29, End::Bottom},    {90, "right", 29, 17, End::Left},
      {180, "down", 17, 29, End::Top},   {270, "left", 29, 17, End::Right},
      {-90, "left", 29, 17, End::Right},
  };
  const auto droplet = DecodePicture(DropletPicture, Transparency::TopLeftPixel);
  ASSERT_TRUE(droplet.has_value());
  ASSERT_EQ(LighterEnd(*droplet), End::Top);  // as stored
  const Rgb kWhite = MakeRgb(255, 255, 255);
  for (const Direction& d : directions) {
    SCOPED_TRACE(d.travels);
    const Picture shaped = ShapePicture(*droplet, Both, true, d.angle);
    EXPECT_EQ(shaped.width, d.width);
    EXPECT_EQ(shaped.height, d.height);
    EXPECT_EQ(LighterEnd(shaped), d.lighter);
    EXPECT_EQ(shaped.transparent, kWhite);
    EXPECT_FALSE(shaped.OpaqueAt(0, 0));  // the white corners stay see-through
    EXPECT_FALSE(shaped.OpaqueAt(shaped.width - 1, shaped.height - 1));
  }
}

}  // namespace
}  // namespace vintello
