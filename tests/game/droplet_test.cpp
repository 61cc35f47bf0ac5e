// Droplets on the board: fans, hits, border crossings, chain reactions, bonus and level end.
#include <algorithm>

#include "tests/game/game_fixture.h"

namespace vintello::testing {
namespace {

class DropletTest : public GameFixture {
 protected:
  void SetUp() override {
    StartUp();
    SetWater(5);
  }
  int Count(const std::string& prefix) const {
    return static_cast<int>(std::count_if(events_.begin(), events_.end(),
                                          [&](const auto& e) { return e.rfind(prefix, 0) == 0; }));
  }
};

// Where a fan's droplet shows its turned picture, relative to the burst tile.
struct FanPicture {
  std::int32_t dx, dy, width, height, angle;
};
struct FanCase {
  const char* name;
  bool byPress;
  std::array<FanPicture, 4> pictures;  // left, up, right, down
};
void PrintTo(const FanCase& c, std::ostream* os) {
  *os << c.name;
}

class FanTest : public DropletTest, public ::testing::WithParamInterface<FanCase> {};

TEST_P(FanTest, DropletsStartAtTheFansPlacesFacingLeftUpRightDown) {
  const FanCase& fan = GetParam();
  constexpr ObjectId Burst = 15;
  SetBoard(BoardOf(1, {{Burst, 4}}));
  if (fan.byPress) {
    PressTile(Burst);
  } else {
    game_.SpawnDroplet(0, 0, 0);
    game_.HandleDropletHit(37, 0, 0, Burst);
  }

  const std::int32_t x = stage_.GetObjectLeft(Burst);
  const std::int32_t y = stage_.GetObjectTop(Burst);
  const std::vector<ObjectId> droplets = Droplets();
  ASSERT_EQ(droplets.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    const FanPicture& want = fan.pictures[i];
    const auto view = stage_.View(droplets[i]);
    ASSERT_TRUE(view && view->shown);
    SCOPED_TRACE(std::string(fan.name) + ", droplet " + std::to_string(i + 1));
    EXPECT_EQ(stage_.GetObjectLeft(droplets[i]), x + want.dx);
    EXPECT_EQ(stage_.GetObjectTop(droplets[i]), y + want.dy);
    EXPECT_EQ(view->shown->width, want.width);
    EXPECT_EQ(view->shown->height, want.height);
    EXPECT_EQ(view->angle, want.angle);
    EXPECT_TRUE(view->advancing);
    EXPECT_EQ(view->type, 10);
  }
}

INSTANTIATE_TEST_SUITE_P(BothFans, FanTest,
                         ::testing::Values(FanCase{"press fan",
                                                   true,
                                                   {{{-36, 31, 29, 17, 270},
                                                     {20, -30, 17, 29, 0},
                                                     {59, 31, 29, 17, 90},
                                                     {20, 65, 17, 29, 180}}}},
                                           FanCase{"chain fan",
                                                   false,
                                                   {{{-36, 21, 29, 17, 270},
                                                     {20, -25, 17, 29, 0},
                                                     {79, 31, 29, 17, 90},
                                                     {20, 75, 17, 29, 180}}}}),
                         [](const auto& test) {
                           return test.param.byPress ? "PressFan" : "ChainFan";
                         });

// One droplet let loose on a board; what it leaves behind and which events it raised.
struct Flight {
  const char* name;
  std::array<CellState, CellCount> board;
  std::int32_t left, top, turn;
  std::map<int, CellState> cellsAfter;
  EventLog eventsAfterTheStart;  // 37 is the droplet
};
void PrintTo(const Flight& c, std::ostream* os) {
  *os << c.name;
}

class FlightTest : public DropletTest, public ::testing::WithParamInterface<Flight> {};

TEST_P(FlightTest, RaisesTheEventsAndLeavesTheCells) {
  const Flight& flight = GetParam();
  SetBoard(flight.board);
  game_.SpawnDroplet(flight.left, flight.top, flight.turn);
  events_.clear();

  Settle();

  for (auto [cell, value] : flight.cellsAfter) {
    EXPECT_EQ((*state().Board)[cell], value) << "cell " << cell;
  }
  EXPECT_EQ(events_, flight.eventsAfterTheStart);
  ExpectConsistent(flight.name);
}

INSTANTIATE_TEST_SUITE_P(
    OneDroplet, FlightTest,
    ::testing::Values(
        // From above tile 15 (121, 120), heading down into it.
        Flight{"a droplet grows the drop it reaches",
               BoardOf(Cleared, {{15, 2}}),
               141,
               100,
               180,
               {{15, 3}},
               EventLog{"hit 37 15", "destroyed 37"}},
        // Along row 3 to the right over cleared tiles 14 to 18, out at the right edge.
        Flight{"a droplet passes cleared tiles once each and leaves by the right edge",
               BoardOf(Cleared),
               80,
               151,
               90,
               {},
               EventLog{"hit 37 14", "hit 37 15", "hit 37 16", "hit 37 17", "hit 37 18",
                        "border 37 4", "destroyed 37"}},
        // Up column 1 over cleared tiles 13, 7 and 1, out at the top edge.
        Flight{"a droplet going up leaves by the top edge",
               BoardOf(Cleared),
               21,
               190,
               0,
               {},
               EventLog{"hit 37 19", "hit 37 13", "hit 37 7", "hit 37 1", "border 37 2",
                        "destroyed 37"}}),
    [](const auto& test) { return "Flight" + std::to_string(test.index); });

TEST_F(DropletTest, OuterRingDropletsAreRemovedByTheStageAtTheirFirstStep) {
  // Bursts on the four corners: each throws two droplets straight off the board.
  SetBoard(BoardOf(Cleared, {{1, 4}, {6, 4}, {31, 4}, {36, 4}}));
  for (ObjectId corner : {1, 6, 31, 36}) PressTile(corner);
  events_.clear();

  Advance(25);  // every droplet takes its first step

  EXPECT_EQ(Count("outside"), 8);
  EXPECT_EQ(Count("stopped"), 8);
  EXPECT_EQ(Count("border"), 0);
  EXPECT_EQ(DropletCount(), 8);
}

TEST_F(DropletTest, ChainFanDropletsThrownOffTheBoardAreRemovedWithoutABorderCrossing) {
  SetBoard(BoardOf(Cleared, {{1, 4}, {36, 4}}));
  game_.SpawnDroplet(0, 0, 0);
  game_.HandleDropletHit(37, 0, 0, 1);
  game_.SpawnDroplet(0, 0, 0);
  game_.HandleDropletHit(42, 0, 0, 36);
  events_.clear();

  Advance(25);

  EXPECT_EQ(Count("outside"), 4);
  EXPECT_EQ(Count("border"), 0);
}

TEST_F(DropletTest, DropletsCrossingEachOtherNeverCollide) {
  SetBoard(BoardOf(Cleared));
  game_.SpawnDroplet(20, 151, 90);    // right along row 3
  game_.SpawnDroplet(330, 151, -90);  // left along row 3
  game_.SpawnDroplet(141, 20, 180);   // down column 3
  Settle();
  for (const std::string& e : events_) {
    if (e.rfind("hit", 0) == 0) {
      EXPECT_LE(std::stoi(e.substr(e.rfind(' '))), CellCount) << e;
    }
  }
  EXPECT_EQ(Count("border"), 3);
}

// Tile 14 (61, 120) is pressed; its right droplet bursts tile 15 (chain), whose right droplet
// grows tile 16; the press's up and down droplets grow tiles 8 and 20; the rest fly off.
TEST_F(DropletTest, APressSetsOffAKnownChain) {
  SetBoard(BoardOf(Cleared, {{8, 3}, {14, 4}, {15, 4}, {16, 2}, {20, Blank}}));
  state().BonusCounter = 0;

  PressTile(14);
  Settle();

  const std::map<int, CellState> expected{{8, 4}, {14, Cleared}, {15, Cleared}, {16, 3}, {20, 1}};
  for (auto [cell, value] : expected) EXPECT_EQ((*state().Board)[cell], value) << "cell " << cell;
  EXPECT_EQ(state().Water, 4);
  EXPECT_EQ(state().Remaining, 3);
  EXPECT_EQ(state().BonusCounter, 2);
  // 13, 8, 15, then from 15: 14 and 13, 9 and 3, 16, 21 and 27 and 33; and 20.
  EXPECT_EQ(Count("hit"), 12);
  EXPECT_EQ(Droplets().size(), 0u);
  ExpectConsistent("after the chain");
}

// Tiles 13 to 16 hold full drops in a row; a press on 13 bursts them one after the other.
TEST_F(DropletTest, APressBurstThenThreeChainBurstsPayOnceAtTheSecondAndLeaveOne) {
  SetBoard(BoardOf(Cleared, {{13, 4}, {14, 4}, {15, 4}, {16, 4}, {36, 1}}));
  state().BonusCounter = 0;
  std::vector<std::int32_t> waterAtEachBurst;
  const auto hit = stage_.events().碰撞到物体;
  stage_.events().碰撞到物体 = [&](std::int32_t m, std::int32_t x, std::int32_t y, std::int32_t h) {
    const bool burst = h <= CellCount && (*state().Board)[h] == FullDrop;
    hit(m, x, y, h);
    if (burst) waterAtEachBurst.push_back(state().Water);
  };

  PressTile(13);
  Settle();

  EXPECT_EQ(waterAtEachBurst, (std::vector<std::int32_t>{4, 5, 5}));
  EXPECT_EQ(state().BonusCounter, 1);
  EXPECT_EQ(state().Remaining, 1);
  ExpectConsistent("after the chain");
}

TEST_F(DropletTest, PressBurstsRaiseTheCounterPastTwoAndTheNextChainBurstPays) {
  SetBoard(BoardOf(Cleared, {{1, 4}, {6, 4}, {31, 4}, {15, 4}, {16, 4}, {26, 1}}));
  state().BonusCounter = 0;
  for (ObjectId tile : {1, 6, 31}) PressTile(tile);
  Settle();
  ASSERT_EQ(state().BonusCounter, 3);
  ASSERT_EQ(state().Water, 2);

  PressTile(15);  // counter 4; its right droplet bursts tile 16: 5, pays, 0
  Settle();

  EXPECT_EQ(state().BonusCounter, 0);
  EXPECT_EQ(state().Water, 2);
}

TEST_F(DropletTest, AClearedBoardStartsTheNextLevelWhenTheLastDropletLeavesByTheEdge) {
  SetBoard(BoardOf(Cleared, {{15, 4}}));
  std::vector<std::pair<int, std::int32_t>> dropletsAndLevelAtEachCrossing;
  const auto border = stage_.events().碰撞到边界;
  stage_.events().碰撞到边界 = [&](std::int32_t m, std::int32_t x, std::int32_t y, std::int32_t e) {
    border(m, x, y, e);
    dropletsAndLevelAtEachCrossing.emplace_back(DropletCount(), state().Level);
  };

  PressTile(15);
  ASSERT_EQ(state().Remaining, 0);
  Settle();

  // The four droplets leave one by one; only the last crossing starts level 2.
  EXPECT_EQ(dropletsAndLevelAtEachCrossing,
            (std::vector<std::pair<int, std::int32_t>>{{3, 1}, {2, 1}, {1, 1}, {0, 2}}));
  EXPECT_EQ(state().Water, 5);  // one spent by the press, one given by the new level
  ExpectConsistent("after the level");
}

TEST_F(DropletTest, APressOnAClearedBoardStartsTheNextLevelWithoutWaitingForDroplets) {
  SetBoard(BoardOf(Cleared, {{15, 4}}));
  PressTile(15);
  ASSERT_EQ(DropletCount(), 4);

  PressTile(1);

  EXPECT_EQ(state().Level, 2);
  EXPECT_EQ(state().Water, 5);
  EXPECT_EQ(DropletCount(), 4);
  Settle();
  EXPECT_EQ(state().Level, 2) << "the droplets met a board that is not cleared";
  ExpectConsistent("after the level");
}

TEST_F(DropletTest, DropletsInFlightAtARestartActOnTheNewBoard) {
  SetBoard(BoardOf(Cleared, {{15, 4}}));
  PressTile(15);

  game_.HandleRestartClicked();  // drawn at the lower bounds: 1s in rows 2 to 4
  ASSERT_EQ(DropletCount(), 4);
  ASSERT_EQ((*state().Board)[9], Cleared);
  Settle();

  // The four droplets from tile 15 grew its neighbours on the new board; the one going up
  // passed the cleared tiles 9 and 3.
  const std::map<int, CellState> expected{{9, Cleared}, {14, 2}, {15, 1}, {16, 2}, {21, 2}};
  for (auto [cell, value] : expected) EXPECT_EQ((*state().Board)[cell], value) << "cell " << cell;
  EXPECT_EQ(state().Level, 1);
  ExpectConsistent("after the restart");
}

TEST_F(DropletTest, HitsAreIgnoredWhileTheBoardIsNotReadyOrForDroplets) {
  SetBoard(BoardOf(1));
  game_.SpawnDroplet(0, 0, 0);
  state().BoardReady = false;
  game_.HandleDropletHit(37, 0, 0, 15);
  EXPECT_EQ((*state().Board)[15], 1);
  state().BoardReady = true;
  game_.HandleDropletHit(37, 0, 0, 38);
  game_.HandleDropletHit(37, 0, 0, 0);
  EXPECT_EQ(DropletCount(), 1);
  ExpectConsistent("after ignored hits");
}

}  // namespace
}  // namespace vintello::testing
