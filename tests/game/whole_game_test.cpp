// Whole games played on virtual time, checked against the rules after every event.
#include <algorithm>

#include "tests/game/game_fixture.h"

namespace vintello::testing {
namespace {

class WholeGameTest : public GameFixture {
 protected:
  // Checks the state after every event the stage raises, on top of the game's handling.
  void CheckAfterEveryEvent() {
    StageEvents& e = stage_.events();
    auto hit = e.碰撞到物体;
    e.碰撞到物体 = [this, hit](std::int32_t m, std::int32_t x, std::int32_t y, std::int32_t h) {
      EXPECT_GT(m, CellCount) << "only droplets move";
      EXPECT_LE(h, CellCount) << "droplets never hit droplets";
      hit(m, x, y, h);
      ++checkedEvents_;
      ExpectConsistent("after a hit");
    };
    auto border = e.碰撞到边界;
    e.碰撞到边界 = [this, border](std::int32_t m, std::int32_t x, std::int32_t y, std::int32_t s) {
      EXPECT_GT(s, 0);
      EXPECT_LT(s, 16);
      border(m, x, y, s);
      ++checkedEvents_;
      ExpectConsistent("after a border crossing");
    };
  }
  // The tile a player who likes chain reactions presses: the fullest drop, else any tile.
  ObjectId FullestTile() const {
    ObjectId best = 1;
    for (int cell = 1; cell <= CellCount; ++cell) {
      const CellState value = (*state_->Board)[cell];
      const CellState bestValue = (*state_->Board)[best];
      if (value != Cleared && (bestValue == Cleared || value > bestValue)) best = cell;
    }
    return best;
  }

  int checkedEvents_ = 0;
};

TEST_F(WholeGameTest, APlayerWhoPressesTheFullestDropPlaysUntilTheWaterRunsOut) {
  TickSeededRandom seeded([] { return 20261211u; });
  random_.fallbackDraw = [&seeded](std::int32_t low, std::int32_t high) {
    return seeded.Draw(low, high);
  };
  seeded.Reseed();
  CheckAfterEveryEvent();
  StartUp();
  ExpectConsistent("after start-up");

  int presses = 0;
  std::int32_t highestLevel = 1;
  ObjectId lastDroplet = CellCount;
  while (state().Water > 0 && presses < 500) {
    PressTile(FullestTile());
    ++presses;
    ExpectConsistent("after press " + std::to_string(presses));
    for (ObjectId id : Droplets()) {
      EXPECT_GT(id, CellCount);
      lastDroplet = std::max(lastDroplet, id);
    }
    Settle(60000);
    highestLevel = std::max(highestLevel, state().Level);
  }

  EXPECT_EQ(state().Water, 0);
  PressTile(FullestTile());
  EXPECT_EQ(captions_[CaptionLabel::标签5], OutOfWaterMessage);
  EXPECT_GT(checkedEvents_, 0);
  EXPECT_GT(lastDroplet, CellCount);
  // With water 10 plus one per level and the bonus, a game lasts at least ten presses.
  EXPECT_GE(presses, 10);
  RecordProperty("presses", presses);
  RecordProperty("highestLevel", highestLevel);
}

}  // namespace
}  // namespace vintello::testing
