// The stage's own motion on virtual time: step timing, exact steps, turning, and the outside,
// border and collision tests with their events, including handlers that change the stage.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "tests/stage/stage_test_support.h"
#include "ui/stage/stage.h"

namespace vintello {
namespace {

using test::CreateOpaque;
using test::EncodeBmp;
using test::EventLog;
using test::Filled;
using test::Sketch;
using Log = std::vector<std::string>;

AdvanceSettings Moving(double length, BorderHandling border = BorderHandling::StopWhenOutside,
                       bool destroyWhenStopped = true) {
  return {length, 25, border, destroyWhenStopped};
}

// An object of an opaque picture, facing `angle` and advancing.
ObjectId Launch(Stage& stage, const Picture& picture, std::int32_t left, std::int32_t top,
                std::int32_t angle, const AdvanceSettings& settings) {
  const ObjectId id = CreateOpaque(stage, picture, left, top);
  stage.TurnObject(id, angle);
  stage.自动前进(id, settings);
  return id;
}

// Ticks every 5 ms from `from` to `to`, both included.
void TickEvery5(Stage& stage, std::int64_t from, std::int64_t to) {
  for (std::int64_t t = from; t <= to; t += 5) stage.Tick(t);
}

TEST(StageTiming, AtMostOneStepPerTickAndOnlyAfterTheInterval) {
  struct Case {
    std::string name;
    std::vector<std::int64_t> ticks;
    std::int32_t left;
  };
  const std::vector<Case> cases = {
      {"nothing before 25 ms", {1005, 1010, 1020, 1024}, 100},
      {"a step at 25 ms", {1025}, 110},
      {"the wait counts from the last step", {1025, 1030, 1049}, 110},
      {"a second step 25 ms after the first", {1025, 1030, 1050}, 120},
      {"one step for a late tick", {1100}, 110},
      {"the late step restarts the wait", {1100, 1124}, 110},
      {"after the late step", {1100, 1125}, 120},
      {"a clock that goes back is held", {1025, 1000, 1049}, 110},
      {"a clock that goes back loses no step", {1025, 1000, 1050}, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Stage stage(1000, 100, test::kGrey);
    stage.SetClock(1000);  // the advance counts from the clock's reading
    const ObjectId id = Launch(stage, Filled(4, 4, test::kRed), 100, 10, 90, Moving(10));
    for (const std::int64_t t : c.ticks) stage.Tick(t);
    EXPECT_EQ(stage.GetObjectLeft(id), c.left);
  }
}

TEST(StageTiming, TicksEvery5MsGiveAStepEvery25Ms) {
  Stage stage(1000, 100, test::kGrey);
  const ObjectId id = Launch(stage, Filled(4, 4, test::kRed), 100, 10, 90, Moving(10));
  TickEvery5(stage, 5, 250);
  EXPECT_EQ(stage.GetObjectLeft(id), 200);
  EXPECT_TRUE(stage.HasAdvancingObjects());
}

TEST(StageTiming, ObjectsMadeDuringATickStepFromTheNextOne) {
  Stage stage(100, 100, test::kGrey);
  const ObjectId crossing = Launch(stage, Filled(4, 4, test::kRed), 94, 50, 90, Moving(5));
  std::vector<ObjectId> spawned;
  stage.events().碰撞到边界 = [&](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
    // Made inside the tick at 25: one that may step at once, and one that waits 25 ms.
    spawned.push_back(Launch(stage, Filled(2, 2, test::kBlue), 10, 10, 90,
                             AdvanceSettings{10, 0, BorderHandling::None, false}));
    spawned.push_back(Launch(stage, Filled(2, 2, test::kBlue), 10, 20, 90, Moving(10)));
    stage.DestroyObject(crossing);
  };
  stage.Tick(25);
  ASSERT_EQ(spawned, (std::vector<ObjectId>{crossing + 1, crossing + 2}));
  EXPECT_EQ(stage.ObjectIdsInListOrder(), spawned);
  EXPECT_EQ(stage.GetObjectLeft(spawned[0]), 10);
  EXPECT_EQ(stage.GetObjectLeft(spawned[1]), 10);
  stage.Tick(30);
  EXPECT_EQ(stage.GetObjectLeft(spawned[0]), 20);
  EXPECT_EQ(stage.GetObjectLeft(spawned[1]), 10);
  stage.Tick(50);
  EXPECT_EQ(stage.GetObjectLeft(spawned[0]), 30);
  EXPECT_EQ(stage.GetObjectLeft(spawned[1]), 20);
}

TEST(StageSteps, RightAnglesMoveExactlyOverManySteps) {
  struct Case {
    std::int32_t angle;
    double dx;
    double dy;
  };
  constexpr int kSteps = 40;
  for (const Case c : {Case{0, 0, -10}, Case{90, 10, 0}, Case{180, 0, 10}, Case{270, -10, 0}}) {
    SCOPED_TRACE(c.angle);
    Stage stage(1000, 1000, test::kGrey);
    const ObjectId id = Launch(stage, Filled(3, 3, test::kRed), 500, 500, c.angle, Moving(10));
    for (int step = 1; step <= kSteps; ++step) stage.Tick(25 * step);
    const ObjectView v = *stage.View(id);
    EXPECT_EQ(v.left, 500 + kSteps * c.dx);  // exact: no drift across the row or column
    EXPECT_EQ(v.top, 500 + kSteps * c.dy);
  }
}

TEST(StageSteps, SlantedAnglesFollowSineAndCosine) {
  struct Case {
    std::int32_t angle;
    std::int32_t left;
    std::int32_t top;
  };
  // Ten steps of 10 pixels from (1000, 1000).
  for (const Case c :
       {Case{45, 1070, 929}, Case{135, 1070, 1070}, Case{200, 965, 1093}, Case{310, 923, 935}}) {
    SCOPED_TRACE(c.angle);
    Stage stage(2000, 2000, test::kGrey);
    const ObjectId id = Launch(stage, Filled(3, 3, test::kRed), 1000, 1000, c.angle, Moving(10));
    for (int step = 1; step <= 10; ++step) stage.Tick(25 * step);
    EXPECT_EQ(stage.GetObjectLeft(id), c.left);
    EXPECT_EQ(stage.GetObjectTop(id), c.top);
  }
}

// Places are read back truncated toward zero, and a step that leaves the whole-pixel place as
// it was tests nothing.
TEST(StageSteps, PlacesTruncateTowardZero) {
  struct Case {
    std::int32_t angle;
    int steps;
    std::int32_t left;
    std::int32_t top;
    Log events;
  };
  const std::vector<Case> cases = {
      {270, 1, 0, 1, {}},
      {270, 2, 0, 1, {}},  // -0.5 reads as 0: still inside, no border crossing
      {270, 3, -1, 1, {"碰撞到边界 1 0 1 1"}},
      {270, 4, -2, 1, {"碰撞到边界 1 0 1 1", "碰撞到边界 1 -1 1 1"}},
      {0, 3, 1, -1, {"碰撞到边界 1 1 0 2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.angle << " x" << c.steps);
    Stage stage(100, 100, test::kGrey);
    EventLog log(stage);
    const ObjectId id = Launch(stage, Filled(10, 10, test::kRed), 1, 1, c.angle, Moving(0.75));
    for (int step = 1; step <= c.steps; ++step) stage.Tick(25 * step);
    EXPECT_EQ(stage.GetObjectLeft(id), c.left);
    EXPECT_EQ(stage.GetObjectTop(id), c.top);
    EXPECT_EQ(log.entries, c.events);
  }
}

// An object that flies on far beyond the stage reads back at the end of the 32-bit range
// instead of wrapping round, in both directions and on both axes.
TEST(StageSteps, FarPlacesReadBackHeldInTheIntegerRange) {
  struct Case {
    std::int32_t angle;
    double length;  // one step from (100, 100)
    std::int32_t left;
    std::int32_t top;
  };
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const std::vector<Case> cases = {
      {90, 2147483546.5, kMax - 1, 100},  // just inside: truncated as anywhere else
      {90, 2147483547.0, kMax, 100},
      {90, 1e12, kMax, 100},
      {270, 2147483747.5, kMin + 1, 100},
      {270, 2147483748.0, kMin, 100},
      {270, 1e12, kMin, 100},
      {180, 1e12, 100, kMax},
      {0, 1e12, 100, kMin},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.angle << " by " << c.length);
    Stage stage(50, 50, test::kGrey);
    const ObjectId id = Launch(stage, Filled(3, 3, test::kRed), 100, 100, c.angle,
                               Moving(c.length, BorderHandling::None));
    stage.Tick(25);
    EXPECT_EQ(stage.GetObjectLeft(id), c.left);
    EXPECT_EQ(stage.GetObjectTop(id), c.top);
  }
}

TEST(StageTurning, AngleIsBroughtIntoRange) {
  struct Case {
    std::vector<std::int32_t> turns;
    std::int32_t angle;
  };
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const std::vector<Case> cases = {
      {{-90}, 270},    {{90}, 90},  {{270, 90}, 0}, {{-450}, 270},      {{720}, 0},
      {{10, -370}, 0}, {{-1}, 359}, {{kMin}, 232},  {{359, kMax}, 126}, {{kMin, kMin}, 104},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.turns));
    Stage stage(50, 50, test::kGrey);
    const ObjectId id = stage.CreateObject(nullptr, 0, 0, true);
    for (const std::int32_t t : c.turns) stage.TurnObject(id, t);
    EXPECT_EQ(stage.View(id)->angle, c.angle);
  }
}

TEST(StageTurning, TurnedPicturesKeepTheirCentre) {
  struct Case {
    std::string name;
    int width;
    int height;
    bool rotateFollow;
    std::vector<std::int32_t> turns;
    int shownWidth;
    int shownHeight;
    std::int32_t left;
    std::int32_t top;
  };
  const std::vector<Case> cases = {
      {"a droplet turned left", 17, 29, true, {-90}, 29, 17, 94, 106},
      {"a droplet turned right", 17, 29, true, {90}, 29, 17, 94, 106},
      {"a droplet turned down", 17, 29, true, {180}, 17, 29, 100, 100},
      {"two quarter turns come back", 17, 29, true, {90, 90}, 17, 29, 100, 100},
      {"even and odd halves", 4, 7, true, {90}, 7, 4, 99, 101},
      {"and back", 4, 7, true, {90, -90}, 4, 7, 100, 100},
      {"each half rounded on its own", 5, 8, true, {90}, 8, 5, 98, 102},
      {"each half rounded on its own, and back", 5, 8, true, {-90, 90}, 5, 8, 100, 100},
      {"a picture that does not turn", 17, 29, false, {90}, 17, 29, 100, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AnimationObjectProperties p;
    p.RotateFollow = c.rotateFollow;
    p.turnType = TurnType::Both;
    test::OwnedTemplate owned(EncodeBmp(Filled(c.width, c.height, test::kGreen)), p);
    Stage stage(300, 300, test::kGrey);
    const ObjectId id = stage.CreateObject(&owned.tmpl, 100, 100, true);
    for (const std::int32_t t : c.turns) stage.TurnObject(id, t);
    const ObjectView v = *stage.View(id);
    ASSERT_NE(v.shown, nullptr);
    EXPECT_EQ(v.shown->width, c.shownWidth);
    EXPECT_EQ(v.shown->height, c.shownHeight);
    EXPECT_EQ(stage.GetObjectLeft(id), c.left);
    EXPECT_EQ(stage.GetObjectTop(id), c.top);
  }
}

TEST(StageTurning, TurningKeepsTheFractionOfThePlace) {
  AnimationObjectProperties p;
  p.RotateFollow = true;
  test::OwnedTemplate owned(EncodeBmp(Filled(4, 7, test::kGreen)), p);
  Stage stage(300, 300, test::kGrey);
  const ObjectId id = stage.CreateObject(&owned.tmpl, 100, 100, true);
  stage.TurnObject(id, 90);  // 7 x 4 at (99, 101)
  stage.自动前进(id, Moving(0.5));
  stage.Tick(25);
  stage.TurnObject(id, -90);
  EXPECT_EQ(stage.View(id)->left, 100.5);
  EXPECT_EQ(stage.View(id)->top, 100.0);
}

TEST(StageOutside, LeavingTheStageStopsAndDestroysAsSet) {
  // Opaque on the left half only; the top left pixel makes white transparent.
  const Picture leftHalf = Sketch({
      ".rrrr.....",
      "rrrrr.....",
  });
  struct Case {
    std::string name;
    bool halfTransparent;
    std::int32_t left;
    AdvanceSettings settings;
    Log events;
    bool remains;
    bool advancing;
  };
  const std::vector<Case> cases = {
      {"stopped and destroyed",
       false,
       -5,
       Moving(10),
       {"越出边界 1", "自动前进停止 1", "物体将销毁 1"},
       false,
       false},
      {"stopped and kept",
       false,
       -5,
       Moving(10, BorderHandling::StopWhenOutside, false),
       {"越出边界 1", "自动前进停止 1"},
       true,
       false},
      {"flies on", false, -5, Moving(10, BorderHandling::None, false), {"越出边界 1"}, true, true},
      {"only transparent pixels left inside",
       true,
       4,
       Moving(10),
       {"越出边界 1", "自动前进停止 1", "物体将销毁 1"},
       false,
       false},
      {"opaque pixels still inside", true, 8, Moving(10), {"碰撞到边界 1 8 50 1"}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Stage stage(100, 100, test::kGrey);
    EventLog log(stage);
    auto owned = test::TransparentTemplate(leftHalf);
    const ObjectId id = c.halfTransparent
                            ? stage.CreateObject(&owned->tmpl, c.left, 50, true)
                            : CreateOpaque(stage, Filled(10, 10, test::kRed), c.left, 50);
    stage.TurnObject(id, 270);
    stage.自动前进(id, c.settings);
    stage.Tick(25);
    EXPECT_EQ(log.entries, c.events);
    EXPECT_EQ(stage.View(id).has_value(), c.remains);
    EXPECT_EQ(stage.HasAdvancingObjects(), c.advancing);
  }
}

TEST(StageOutside, AnObjectFlyingOnOutsideIsReportedAtEveryStep) {
  Stage stage(100, 100, test::kGrey);
  EventLog log(stage);
  Launch(stage, Filled(10, 10, test::kRed), -5, 50, 270, Moving(10, BorderHandling::None, false));
  TickEvery5(stage, 5, 75);
  EXPECT_EQ(log.entries, (Log{"越出边界 1", "越出边界 1", "越出边界 1"}));
  EXPECT_EQ(stage.GetObjectLeft(1), -35);
}

TEST(StageBorder, EdgesAddUpAndCornersCountForNoEdge) {
  // Opaque only beyond the top left corner when at (-3, -3), and at its bottom right pixel.
  const Picture cornerAndDot = Sketch({
      ".rr.......",
      "rrr.......",
      "rrr.......",
      "..........",
      "..........",
      "..........",
      "..........",
      "..........",
      "..........",
      ".........r",
  });
  const Picture clearLeftColumn = Sketch({
      ".rrrrrrrrr",
      ".rrrrrrrrr",
      ".rrrrrrrrr",
  });
  struct Case {
    std::string name;
    Picture picture;
    bool transparent;
    std::int32_t left;  // after one step of 1 pixel to the right
    std::int32_t top;
    std::int32_t edges;  // 0: no event
  };
  const Picture square = Filled(10, 10, test::kRed);
  const std::vector<Case> cases = {
      {"left", square, false, -3, 40, 1},
      {"top", square, false, 40, -3, 2},
      {"right", square, false, 95, 40, 4},
      {"bottom", square, false, 40, 95, 8},
      {"top left", square, false, -3, -3, 3},
      {"bottom right", square, false, 95, 95, 12},
      {"top right", square, false, 95, -3, 6},
      {"all four", Filled(120, 120, test::kRed), false, -10, -10, 15},
      {"touching the top left from inside", square, false, 0, 0, 0},
      {"touching the bottom right from inside", square, false, 90, 90, 0},
      {"only beyond a corner", cornerAndDot, true, -3, -3, 0},
      {"beyond a corner and level with the left edge", cornerAndDot, true, -3, -1, 1},
      {"transparent pixels beyond the edge", clearLeftColumn, true, -1, 40, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Stage stage(100, 100, test::kGrey);
    EventLog log(stage);
    auto owned = test::TransparentTemplate(c.picture);
    const ObjectId id = c.transparent ? stage.CreateObject(&owned->tmpl, c.left - 1, c.top, true)
                                      : CreateOpaque(stage, c.picture, c.left - 1, c.top);
    stage.TurnObject(id, 90);
    stage.自动前进(id, Moving(1));
    stage.Tick(25);
    ASSERT_EQ(stage.GetObjectLeft(id), c.left);
    const Log expected = c.edges == 0 ? Log{}
                                      : Log{"碰撞到边界 1 " + std::to_string(c.left - 1) + " " +
                                            std::to_string(c.top) + " " + std::to_string(c.edges)};
    EXPECT_EQ(log.entries, expected);
  }
}

// A tile of type 1 and an advancing 4 x 4 mover of type 10, both allowing collisions.
struct CollisionStage {
  explicit CollisionStage(int width = 200, int height = 50) : stage(width, height, test::kGrey) {}

  ObjectId Tile(const Picture& picture, std::int32_t left, std::int32_t top) {
    const ObjectId id = CreateOpaque(stage, picture, left, top);
    MakeTile(id);
    return id;
  }
  void MakeTile(ObjectId id) {
    stage.SetObjectType(id, 1);
    stage.SetCollideAllowed(id, true);
  }
  ObjectId Mover(std::int32_t left, std::int32_t top, std::int32_t angle, double length) {
    const ObjectId id = Launch(stage, Filled(4, 4, test::kBlue), left, top, angle, Moving(length));
    stage.SetObjectType(id, 10);
    stage.SetCollideAllowed(id, true);
    return id;
  }

  Stage stage;
  EventLog log{stage};
};

TEST(StageCollision, ReportedOnceWhileOverlappingAndAgainAfterAGap) {
  // 40 x 10: opaque, then transparent columns 10 to 19, then opaque again.
  Picture holed = Filled(40, 10, test::kRed);
  for (int y = 0; y < 10; ++y) {
    for (int x = 10; x < 20; ++x) holed.pixels[static_cast<std::size_t>(y * 40 + x)] = test::kWhite;
  }
  holed.pixels[0] = test::kWhite;
  auto owned = test::TransparentTemplate(holed);
  CollisionStage f;
  const ObjectId tile = f.stage.CreateObject(&owned->tmpl, 50, 0, true);
  f.MakeTile(tile);
  f.Mover(36, 2, 90, 10);
  // The mover stands at 46, 56 (on the tile), 66 (over the gap), 76, 86 (on it), 96 (past it).
  for (int step = 1; step <= 6; ++step) f.stage.Tick(25 * step);
  EXPECT_EQ(f.log.entries, (Log{"碰撞到物体 2 46 2 1", "碰撞到物体 2 66 2 1"}));
}

TEST(StageCollision, OnlyObjectsOfOneLayerAndOtherTypesThatBothAllowIt) {
  struct Case {
    std::string name;
    std::int32_t tileLayer;
    std::int32_t tileType;
    bool tileCollides;
    bool moverCollides;
    bool hit;
  };
  const std::vector<Case> cases = {
      {"same layer, other type", 0, 1, true, true, true},
      {"same type", 0, 10, true, true, false},
      {"the other does not allow it", 0, 1, false, true, false},
      {"the mover does not allow it", 0, 1, true, false, false},
      {"the other lies in a higher layer", 1, 1, true, true, false},
      {"the other lies in a lower layer", -1, 1, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CollisionStage f;
    const ObjectId tile = f.Tile(Filled(10, 10, test::kRed), 20, 0);
    f.stage.SetObjectLayer(tile, c.tileLayer);
    f.stage.SetObjectType(tile, c.tileType);
    f.stage.SetCollideAllowed(tile, c.tileCollides);
    const ObjectId mover = f.Mover(12, 2, 90, 10);
    f.stage.SetCollideAllowed(mover, c.moverCollides);
    f.stage.Tick(25);
    EXPECT_EQ(f.log.entries, c.hit ? Log{"碰撞到物体 2 12 2 1"} : Log{});
  }
}

TEST(StageCollision, TheLaterOfTwoOverlappingObjectsIsFoundFirst) {
  CollisionStage f;
  f.Tile(Filled(20, 10, test::kRed), 50, 0);    // 1: columns 50 to 69
  f.Tile(Filled(20, 10, test::kGreen), 68, 0);  // 2: columns 68 to 87
  f.Mover(100, 2, 270, 5);
  // At 85 the mover reaches 2; at 65 it overlaps both and 2 is still found first; at 60 it has
  // left 2 and reports 1.
  for (int step = 1; step <= 8; ++step) f.stage.Tick(25 * step);
  EXPECT_EQ(f.log.entries, (Log{"碰撞到物体 3 90 2 2", "碰撞到物体 3 65 2 1"}));
}

TEST(StageCollision, TransparentPixelsDoNotCollide) {
  auto owned = test::TransparentTemplate(Sketch({
      "..........",
      "..........",
      "..........",
      "..........",
      "..........",
      "..........",
      "rrrrrrrrrr",
  }));
  CollisionStage f;
  const ObjectId tile = f.stage.CreateObject(&owned->tmpl, 20, 0, true);
  f.MakeTile(tile);
  f.Mover(12, 2, 90, 10);  // rows 2 to 5: only over the tile's transparent rows
  f.stage.Tick(25);
  f.stage.Tick(50);
  EXPECT_TRUE(f.log.entries.empty());
}

// Makes `event` destroy object `id` after what it did before.
template <typename... Args>
void AlsoDestroy(std::function<void(Args...)>& event, Stage& stage, ObjectId id) {
  event = [before = event, &stage, id](Args... args) {
    before(args...);
    stage.DestroyObject(id);
  };
}

// Events of one step come in order, and once a handler removes the mover, its step ends.
TEST(StageEvents, RemovingTheMoverEndsItsStep) {
  using Arm = std::function<void(Stage&, ObjectId)>;
  struct Case {
    std::string name;
    Arm arm;            // makes one event's handler destroy the mover; empty: none
    std::int32_t left;  // the mover's place before the step; it moves 10 to the right
    Log events;
    bool remains;
  };
  const std::vector<Case> cases = {
      {"border crossing, then collision",
       {},
       88,
       {"碰撞到边界 2 88 42 4", "碰撞到物体 2 88 42 1"},
       true},
      {"removed at the border crossing",
       [](Stage& s, ObjectId id) { AlsoDestroy(s.events().碰撞到边界, s, id); },
       88,
       {"碰撞到边界 2 88 42 4", "物体将销毁 2"},
       false},
      {"removed at the collision",
       [](Stage& s, ObjectId id) { AlsoDestroy(s.events().碰撞到物体, s, id); },
       80,
       {"碰撞到物体 2 80 42 1", "物体将销毁 2"},
       false},
      {"outside: stopped and destroyed",
       {},
       100,
       {"越出边界 2", "自动前进停止 2", "物体将销毁 2"},
       false},
      {"removed when outside",
       [](Stage& s, ObjectId id) { AlsoDestroy(s.events().越出边界, s, id); },
       100,
       {"越出边界 2", "物体将销毁 2"},
       false},
      {"removed when stopped",
       [](Stage& s, ObjectId id) { AlsoDestroy(s.events().自动前进停止, s, id); },
       100,
       {"越出边界 2", "自动前进停止 2", "物体将销毁 2"},
       false},
      {"destroyed again while being destroyed",
       [](Stage& s, ObjectId id) { AlsoDestroy(s.events().物体将销毁, s, id); },
       100,
       {"越出边界 2", "自动前进停止 2", "物体将销毁 2"},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CollisionStage f(100, 100);
    f.Tile(Filled(10, 10, test::kRed), 90, 40);
    const ObjectId mover = f.Mover(c.left, 42, 90, 10);
    if (c.arm) c.arm(f.stage, mover);
    f.stage.Tick(25);
    EXPECT_EQ(f.log.entries, c.events);
    EXPECT_EQ(f.stage.View(mover).has_value(), c.remains);
  }
}

// The game's handlers destroy the mover, destroy other objects and throw new ones while the
// stage is in the middle of a tick; the visit goes on with the objects that are still there.
TEST(StageEvents, HandlersMayChangeTheListMidTick) {
  struct Ids {
    ObjectId tile, hitter, next, last;
  };
  struct Case {
    std::string name;
    std::function<void(Stage&, const Ids&)> onHit;
    std::vector<ObjectId> listAfter;
    Log events;
  };
  const auto spawnFour = [](Stage& s) {
    for (int i = 0; i < 4; ++i) {
      // May step at any tick, so a step in the tick that made it would show.
      Launch(s, Filled(2, 2, test::kBlack), 150, 10 * i, 90,
             AdvanceSettings{10, 0, BorderHandling::None, false});
    }
  };
  const std::vector<Case> cases = {
      {"the mover is destroyed",
       [](Stage& s, const Ids& id) { s.DestroyObject(id.hitter); },
       {1, 3, 4},
       {"碰撞到物体 2 90 2 1", "物体将销毁 2"}},
      {"the next object is destroyed",
       [](Stage& s, const Ids& id) { s.DestroyObject(id.next); },
       {1, 2, 4},
       {"碰撞到物体 2 90 2 1", "物体将销毁 3"}},
      {"an object already passed is destroyed",
       [](Stage& s, const Ids& id) { s.DestroyObject(id.tile); },
       {2, 3, 4},
       {"碰撞到物体 2 90 2 1", "物体将销毁 1"}},
      {"four objects are thrown",
       [&](Stage& s, const Ids&) { spawnFour(s); },
       {1, 2, 3, 4, 5, 6, 7, 8},
       {"碰撞到物体 2 90 2 1"}},
      {"the mover is destroyed and four are thrown",
       [&](Stage& s, const Ids& id) {
         s.DestroyObject(id.hitter);
         spawnFour(s);
       },
       {1, 3, 4, 5, 6, 7, 8},
       {"碰撞到物体 2 90 2 1", "物体将销毁 2"}},
      {"the stage is ticked again",
       [](Stage& s, const Ids&) { s.Tick(40); },
       {1, 2, 3, 4},
       {"碰撞到物体 2 90 2 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CollisionStage f;
    Ids ids;
    ids.tile = f.Tile(Filled(20, 20, test::kRed), 100, 0);
    ids.hitter = f.Mover(90, 2, 90, 10);
    ids.next = f.Mover(10, 30, 90, 10);
    ids.last = f.Mover(10, 40, 90, 10);
    f.stage.events().碰撞到物体 = [&f, &c, &ids, log = f.stage.events().碰撞到物体](auto... a) {
      log(a...);
      c.onHit(f.stage, ids);
    };
    f.stage.Tick(25);
    EXPECT_EQ(f.stage.ObjectIdsInListOrder(), c.listAfter);
    EXPECT_EQ(f.log.entries, c.events);
    // Every mover still there took exactly one step; thrown objects took none yet.
    const auto expectedLeft = [&ids](ObjectId id, std::int32_t thrownLeft) {
      if (id == ids.tile) return 100;
      if (id == ids.hitter) return 100;
      if (id == ids.next || id == ids.last) return 20;
      return thrownLeft;
    };
    for (const ObjectId id : f.stage.ObjectIdsInListOrder()) {
      EXPECT_EQ(f.stage.GetObjectLeft(id), expectedLeft(id, 150)) << id;
    }
    f.stage.Tick(30);
    for (const ObjectId id : f.stage.ObjectIdsInListOrder()) {
      EXPECT_EQ(f.stage.GetObjectLeft(id), expectedLeft(id, 160)) << id;
    }
  }
}

}  // namespace
}  // namespace vintello
