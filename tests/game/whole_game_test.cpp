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
      if (state_->BoardReady && (*state_->Board)[h] == FullDrop) ++chainBursts_;
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
  int chainBursts_ = 0;
};

TEST_F(WholeGameTest, FiveGamesOfAPlayerWhoPressesTheFullestDrop) {
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
  for (int game = 1; game <= 5; ++game) {
    while (state().Water > 0 && presses < 1000) {
      PressTile(FullestTile());
      ++presses;
      ExpectConsistent("after press " + std::to_string(presses));
      for (ObjectId id : Droplets()) {
        EXPECT_GT(id, lastDroplet) << "identifiers only grow";
        lastDroplet = id;
      }
      Settle(60000);
      highestLevel = std::max(highestLevel, state().Level);
    }
    EXPECT_EQ(state().Water, 0);
    PressTile(FullestTile());
    EXPECT_EQ(captions_[CaptionLabel::标签5], OutOfWaterMessage);
    game_.HandleRestartClicked();
    ExpectConsistent("after restart " + std::to_string(game));
  }

  EXPECT_GT(checkedEvents_, 0);
  EXPECT_GT(chainBursts_, 0) << "five games without one chain reaction";
  // Ten units of water and one more per level: every game lasts at least ten presses.
  EXPECT_GE(presses, 50);
  RecordProperty("presses", presses);
  RecordProperty("chainBursts", chainBursts_);
  RecordProperty("highestLevel", highestLevel);
}

}  // namespace
}  // namespace vintello::testing
