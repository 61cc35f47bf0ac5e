// Drawing, hit testing and presses on a small stage of overlapping pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

constexpr std::uint32_t kOpaque = 0xFF000000u;

// A 20 x 16 stage:
//   1 red 6 x 6 at (2, 2);
//   2 blue 6 x 6 at (5, 5), over 1, with a transparent top left pixel and a 2 x 2 hole;
//   3 yellow 4 x 4 at (0, 0), created later than 1 but on layer -1, so beneath it;
//   4 green 4 x 4 at (12, 0), invisible;
//   5 green 4 x 4 at (18, 14), cut by the right and bottom edges;
//   6 4 x 4 at (-3, 14) in red, green, blue and black columns, cut by the left edge so that
//     only its black column shows;
//   7 a 2 x 5 picture at (13, 8) that turns with its angle.
struct OverlapStage {
  OverlapStage() {
    red = CreateOpaque(stage, Filled(6, 6, test::kRed), 2, 2);
    blue = stage.CreateObject(&holed->tmpl, 5, 5, true);
    yellow = CreateOpaque(stage, Filled(4, 4, test::kYellow), 0, 0);
    stage.SetObjectLayer(yellow, -1);
    hidden = stage.CreateObject(&opaqueGreen.tmpl, 12, 0, false);
    corner = CreateOpaque(stage, Filled(4, 4, test::kGreen), 18, 14);
    leftEdge = CreateOpaque(stage, Sketch({"rgbk", "rgbk", "rgbk", "rgbk"}), -3, 14);
    turning = stage.CreateObject(&upright.tmpl, 13, 8, true);
  }

  std::unique_ptr<test::OwnedTemplate> holed = test::TransparentTemplate(Sketch({
      ".bbbbb",
      "bbbbbb",
      "bb..bb",
      "bb..bb",
      "bbbbbb",
      "bbbbbb",
  }));
  test::OwnedTemplate opaqueGreen{EncodeBmp(Filled(4, 4, test::kGreen)), {}};
  test::OwnedTemplate upright{EncodeBmp(Sketch({"yy", "kk", "kk", "kk", "kk"})), [] {
                                AnimationObjectProperties p;
                                p.RotateFollow = true;
                                return p;
                              }()};
  Stage stage{20, 16, test::kGrey};
  ObjectId red = 0, blue = 0, yellow = 0, hidden = 0, corner = 0, leftEdge = 0, turning = 0;
};

struct PointCase {
  std::string name;
  int x;
  int y;
  ObjectId id;
  Rgb colour;
};

const std::vector<PointCase>& PointCases() {
  static const std::vector<PointCase> cases = {
      {"left and top edges belong to the picture", 2, 2, 1, test::kRed},
      {"the later object covers the earlier", 6, 6, 2, test::kBlue},
      {"bottom right pixel of the later object", 10, 10, 2, test::kBlue},
      {"a hole shows and passes to the object beneath", 7, 7, 1, test::kRed},
      {"a transparent corner passes to the object beneath", 5, 5, 1, test::kRed},
      {"a hole over nothing is empty", 8, 8, 0, test::kGrey},
      {"right edge excluded", 11, 10, 0, test::kGrey},
      {"bottom edge excluded", 10, 11, 0, test::kGrey},
      {"right edge of the lower object excluded", 8, 3, 0, test::kGrey},
      {"a lower layer lies beneath despite a higher identifier", 3, 3, 1, test::kRed},
      {"a lower layer shows where nothing covers it", 1, 1, 3, test::kYellow},
      {"an invisible object is neither drawn nor hit", 13, 1, 0, test::kGrey},
      {"an object cut by the corner", 19, 15, 5, test::kGreen},
      {"an object cut by the left edge", 0, 15, 6, test::kBlack},
      {"next to the cut object", 1, 15, 0, test::kGrey},
  };
  return cases;
}

TEST(StageHitTest, FindsTheTopOpaquePixel) {
  OverlapStage f;
  for (const PointCase& c : PointCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(f.stage.ObjectAt(c.x, c.y), c.id);
  }
}

TEST(StageHitTest, PointsOffTheStageFindNothing) {
  OverlapStage f;
  struct Point {
    int x;
    int y;
  };
  // Objects 5 and 6 reach beyond the stage at these points.
  for (const Point p : {Point{20, 15}, Point{19, 16}, Point{-1, 15}, Point{-1, -1}}) {
    SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
    EXPECT_EQ(f.stage.ObjectAt(p.x, p.y), 0);
  }
}

TEST(StagePresses, RaiseOnePressOrDoubleClickEvent) {
  struct Case {
    std::string name;
    int x;
    int y;
    bool second;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"press on an object", 6, 6, false, {"物体左键被按下 2"}},
      {"press through a hole", 7, 7, false, {"物体左键被按下 1"}},
      {"press on nothing", 8, 8, false, {"物体左键被按下 0"}},
      {"second press of a double-click", 6, 6, true, {"双击物体 2"}},
      {"double-click on nothing", 8, 8, true, {"双击物体 0"}},
      {"left of the stage", -1, 5, false, {}},
      {"above the stage", 5, -1, false, {}},
      {"right of the stage", 20, 5, false, {}},
      {"below the stage", 5, 16, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OverlapStage f;
    EventLog log(f.stage);
    f.stage.PressLeft(c.x, c.y, c.second);
    EXPECT_EQ(log.entries, c.expected);
  }
}

TEST(StageDrawing, ComposesObjectsInListOrderOverTheBackground) {
  OverlapStage f;
  const std::span<const std::uint32_t> pixels = f.stage.Pixels();
  ASSERT_EQ(pixels.size(), 20u * 16u);
  for (const PointCase& c : PointCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(pixels[static_cast<std::size_t>(c.y * 20 + c.x)], kOpaque | c.colour);
  }
  EXPECT_EQ(std::vector<std::uint32_t>(pixels.begin(), pixels.end()),
            test::PaintFromScratch(f.stage, test::kGrey));
}

// Each change is made to a fully drawn stage; the areas handed over must hold every pixel that
// changed, and redrawing only those areas must give the picture drawn from scratch.
TEST(StageDrawing, DirtyAreasCoverEveryChange) {
  struct Case {
    std::string name;
    std::function<void(OverlapStage&)> change;
    Rgb background = test::kGrey;
  };
  const std::vector<std::uint8_t> tall = EncodeBmp(Filled(2, 9, test::kBlack));
  const std::vector<Case> cases = {
      {"create", [](OverlapStage& f) { CreateOpaque(f.stage, Filled(3, 3, test::kBlack), 14, 6); }},
      {"copy over others", [](OverlapStage& f) { f.stage.CopyObject(f.blue, 1, 1); }},
      {"new picture", [&tall](OverlapStage& f) { f.stage.SetObjectPicture(f.red, tall); }},
      {"picture removed", [](OverlapStage& f) { f.stage.SetObjectPicture(f.red, {}); }},
      {"raised above", [](OverlapStage& f) { f.stage.SetObjectLayer(f.yellow, 3); }},
      {"lowered beneath", [](OverlapStage& f) { f.stage.SetObjectLayer(f.blue, -2); }},
      {"turned", [](OverlapStage& f) { f.stage.TurnObject(f.turning, 90); }},
      {"destroyed", [](OverlapStage& f) { f.stage.DestroyObject(f.blue); }},
      {"destroyed at the edge", [](OverlapStage& f) { f.stage.DestroyObject(f.corner); }},
      {"many scattered changes",
       [](OverlapStage& f) {
         for (int i = 0; i < 60; ++i) {
           CreateOpaque(f.stage, Filled(1, 1, test::kBlack), (i * 7) % 20, (i * 3) % 16);
         }
       }},
      {"new background", [](OverlapStage& f) { f.stage.SetBackground(test::kWhite); },
       test::kWhite},
      {"stepped across others",
       [](OverlapStage& f) {
         f.stage.自动前进(f.red, AdvanceSettings{4, 25, BorderHandling::None, false});
         f.stage.TurnObject(f.red, 90);
         f.stage.Tick(25);
       }},
      {"stepped off the stage and destroyed",
       [](OverlapStage& f) {
         f.stage.TurnObject(f.leftEdge, -90);
         f.stage.自动前进(f.leftEdge, AdvanceSettings{});
         f.stage.Tick(25);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OverlapStage f;
    const std::span<const std::uint32_t> drawn = f.stage.Pixels();
    const std::vector<std::uint32_t> before(drawn.begin(), drawn.end());
    f.stage.TakeDirtyRects();
    c.change(f);
    const std::vector<PixelRect> dirty = f.stage.TakeDirtyRects();
    const std::span<const std::uint32_t> redrawn = f.stage.Pixels();
    const std::vector<std::uint32_t> after(redrawn.begin(), redrawn.end());

    EXPECT_EQ(after, test::PaintFromScratch(f.stage, c.background));
    EXPECT_NE(after, before);
    for (const PixelRect& r : dirty) {
      EXPECT_GE(r.left, 0);
      EXPECT_GE(r.top, 0);
      EXPECT_GT(r.width, 0);
      EXPECT_GT(r.height, 0);
      EXPECT_LE(r.left + r.width, 20);
      EXPECT_LE(r.top + r.height, 16);
    }
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 20; ++x) {
        const auto i = static_cast<std::size_t>(y * 20 + x);
        if (after[i] == before[i]) continue;
        const bool covered = std::any_of(dirty.begin(), dirty.end(), [&](const PixelRect& r) {
          return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
        });
        EXPECT_TRUE(covered) << "pixel " << x << ", " << y << " changed outside the dirty areas";
      }
    }
  }
}

TEST(StageDrawing, ChangesThatShowNothingLeaveNoDirtyAreas) {
  const std::vector<std::pair<std::string, std::function<void(OverlapStage&)>>> cases = {
      {"type", [](OverlapStage& f) { f.stage.SetObjectType(f.red, 4); }},
      {"collisions", [](OverlapStage& f) { f.stage.SetCollideAllowed(f.red, true); }},
      {"same layer", [](OverlapStage& f) { f.stage.SetObjectLayer(f.red, 0); }},
      {"invisible object destroyed", [](OverlapStage& f) { f.stage.DestroyObject(f.hidden); }},
      {"turning a picture that does not follow the angle",
       [](OverlapStage& f) { f.stage.TurnObject(f.red, 90); }},
      {"a fraction of a pixel",
       [](OverlapStage& f) {
         f.stage.TurnObject(f.red, 90);
         f.stage.自动前进(f.red, AdvanceSettings{0.5, 25, BorderHandling::None, false});
         f.stage.Tick(25);
         ASSERT_EQ(f.stage.View(f.red)->left, 2.5);
       }},
  };
  for (const auto& [name, change] : cases) {
    SCOPED_TRACE(name);
    OverlapStage f;
    f.stage.Pixels();
    f.stage.TakeDirtyRects();
    change(f);
    EXPECT_TRUE(f.stage.TakeDirtyRects().empty());
  }
}

TEST(StageDrawing, FirstHandOverIsTheWholeStage) {
  Stage stage(30, 20, test::kGrey);
  EXPECT_EQ(stage.TakeDirtyRects(), (std::vector<PixelRect>{{0, 0, 30, 20}}));
  EXPECT_TRUE(stage.TakeDirtyRects().empty());
  const std::span<const std::uint32_t> pixels = stage.Pixels();
  EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(),
                          [](std::uint32_t p) { return p == (kOpaque | test::kGrey); }));
}

}  // namespace
}  // namespace vintello
