// Which object a press reaches on the real board: overlapping tiles, uncovered pixels, and the
// droplet's transparent white corner against its near-white edge.
#include "tests/game/game_fixture.h"

namespace vintello::testing {
namespace {

struct PressPoint {
  const char* name;
  int x;
  int y;
  ObjectId expected;
};
void PrintTo(const PressPoint& p, std::ostream* os) {
  *os << p.name;
}

class HitTest : public GameFixture, public ::testing::WithParamInterface<PressPoint> {};

// Every cell Blank: every tile shows picture 1, 61 x 60.
TEST_P(HitTest, APressReachesTheObjectOnTop) {
  StartUp();
  SetBoard(BoardOf(Blank));
  const PressPoint& point = GetParam();
  PressAt(point.x, point.y);
  EXPECT_EQ(events_, (EventLog{"press " + std::to_string(point.expected)}));
}

INSTANTIATE_TEST_SUITE_P(
    Points, HitTest,
    ::testing::Values(PressPoint{"tile 1's own corner", 1, 1, 1},
                      PressPoint{"tiles 1 and 2 overlap: the later one is on top", 60, 30, 2},
                      PressPoint{"tiles 1, 7 and 8 meet: the latest is on top", 61, 60, 8},
                      PressPoint{"column 0 belongs to no tile", 0, 100, 0},
                      PressPoint{"above tile 1, left of tile 2", 30, 0, 0},
                      PressPoint{"the last column of the stage, on tile 12", 361, 100, 12},
                      PressPoint{"the bottom right pixel of the stage", 361, 359, 36},
                      PressPoint{"below the bottom row", 200, 361, 0}),
    [](const auto& test) { return "Point" + std::to_string(test.index); });

TEST_F(GameFixture, ADropletsWhiteCornerLetsThePressThroughAndItsEdgeDoesNot) {
  StartUp();
  SetBoard(BoardOf(Blank));
  game_.SpawnDroplet(100, 100, 0);  // up: 17 x 29 at (100, 100), over tile 8
  const Picture& shown = *stage_.View(37)->shown;
  ASSERT_EQ(shown.At(0, 0), MakeRgb(255, 255, 255));
  // The palest opaque pixel of the droplet's top row: blended toward white, never white.
  int edgeX = -1;
  for (int x = 0; x < shown.width; ++x) {
    if (shown.OpaqueAt(x, 0) && (edgeX < 0 || shown.At(x, 0) > shown.At(edgeX, 0))) edgeX = x;
  }
  ASSERT_GE(edgeX, 0);
  EXPECT_GT(GreenOf(shown.At(edgeX, 0)), 200) << "the edge is near-white";

  PressAt(100, 100);
  PressAt(100 + edgeX, 100);

  EXPECT_EQ(events_, (EventLog{"press 8", "press 37"}));
}

}  // namespace
}  // namespace vintello::testing
