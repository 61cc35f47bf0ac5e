// Long randomized play on virtual time: a seeded player presses anywhere, double-clicks,
// restarts and lets time pass in uneven ticks, and the rules are checked after every event.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string_view>

#include "tests/game/game_fixture.h"

namespace vintello::testing {
namespace {

// A droplet crosses the 362-pixel stage in about 40 steps of 10 pixels.
constexpr int MostStepsOfADroplet = 45;
constexpr int DropletsPerBurst = 4;
// The longest gap the player leaves between two ticks.
constexpr std::int64_t LongestTickMs = 40;

// How many player actions to take: a bounded number here, more through VINTELLO_SOAK_EVENTS;
// VINTELLO_SOAK_SEED plays other games than the usual one.
long FromEnvironment(const char* name, long otherwise) {
  const char* value = std::getenv(name);
  return value ? std::atol(value) : otherwise;
}
long SoakEvents() {
  return FromEnvironment("VINTELLO_SOAK_EVENTS", 20000);
}
std::uint32_t SoakSeed() {
  return static_cast<std::uint32_t>(FromEnvironment("VINTELLO_SOAK_SEED", 20261211));
}

// One step of a droplet heading at `angle`, in stage pixels.
struct Step {
  double dx;
  double dy;
};
Step StepAlong(std::int32_t angle) {
  const double length = DropletMotion.stepLength;
  switch (angle) {
    case 0:
      return {0, -length};
    case 90:
      return {length, 0};
    case 180:
      return {0, length};
    default:
      return {-length, 0};
  }
}

class SoakTest : public GameFixture {
 protected:
  void SetUp() override {
    random_.fallbackDraw = [this](std::int32_t low, std::int32_t high) {
      return std::uniform_int_distribution<std::int32_t>(low, high)(boards_);
    };
    StageEvents& e = stage_.events();
    auto press = e.物体左键被按下;
    e.物体左键被按下 = [this, press](std::int32_t id) {
      press(id);
      Check("press");
    };
    auto hit = e.碰撞到物体;
    e.碰撞到物体 = [this, hit](std::int32_t m, std::int32_t x, std::int32_t y, std::int32_t h) {
      EXPECT_TRUE(flying_.contains(m)) << "a hit reported for " << m << ", not a droplet in flight";
      EXPECT_TRUE(h >= 1 && h <= CellCount) << "droplet " << m << " hit " << h << ", not a tile";
      const bool onTile = state().BoardReady && h >= 1 && h <= CellCount;
      const CellState cell = onTile ? (*state().Board)[h] : Cleared;
      if (cell == FullDrop) ++chainBursts_;
      reported_.insert(m);
      hit(m, x, y, h);
      // A drop or an empty tile takes the droplet in; a Cleared tile lets it fly on.
      EXPECT_EQ(stage_.View(m).has_value(), cell == Cleared)
          << "droplet " << m << " after hitting tile " << h << " that held " << cell;
      Check("hit");
    };
    auto border = e.碰撞到边界;
    e.碰撞到边界 = [this, border](std::int32_t m, std::int32_t x, std::int32_t y, std::int32_t s) {
      EXPECT_TRUE(flying_.contains(m)) << "a border crossing reported for " << m;
      EXPECT_TRUE(s >= 1 && s <= 15) << "edges " << s << " for droplet " << m;
      reported_.insert(m);
      border(m, x, y, s);
      EXPECT_FALSE(stage_.View(m)) << "droplet " << m << " flies on past the edge";
      Check("border");
    };
    auto outside = e.越出边界;
    e.越出边界 = [this, outside](std::int32_t id) {
      reported_.insert(id);
      outside(id);
    };
    auto destroyed = e.物体将销毁;
    e.物体将销毁 = [this, destroyed](std::int32_t id) {
      destroyed_.push_back(id);
      destroyed(id);
    };
    StartUp();
    Check("start-up");
  }

  // Everything that must hold between any two events.
  void Check(std::string_view after) {
    ++checks_;
    events_.clear();  // the fixture's log is not needed here and would grow without end
    ExpectConsistent(std::string(after));
    EXPECT_TRUE(state().BoardReady) << after;
    EXPECT_GE(state().Level, 1) << after;
    const std::string message = captions_[CaptionLabel::标签5];
    EXPECT_TRUE(message == CreditLine || message == OutOfWaterMessage)
        << after << ": 标签5 shows \"" << message << "\"";
    CheckDropletsInFlight(after);
    boardBefore_ = *state().Board;
    levelBefore_ = state().Level;
    if (HasFailure()) FAIL() << "stopped after the first broken rule, after " << after;
  }

  // The stage holds the 36 tiles and exactly the droplets that bursts threw and that have not
  // been absorbed or removed since, each numbered on from the last one.
  void CheckDropletsInFlight(std::string_view after) {
    for (ObjectId id : destroyed_) {
      ASSERT_GT(id, CellCount) << "tile " << id << " was destroyed, after " << after;
      ASSERT_EQ(flying_.erase(id), 1u) << "droplet " << id << " destroyed twice, after " << after;
      EXPECT_TRUE(reported_.contains(id))
          << "droplet " << id << " vanished without a hit, border or outside report";
    }
    destroyed_.clear();
    reported_.clear();

    const std::vector<ObjectId> onStage = Droplets();
    std::vector<ObjectId> fresh;
    for (ObjectId id : onStage) {
      if (!flying_.contains(id)) fresh.push_back(id);
    }
    ASSERT_EQ(fresh.size(),
              static_cast<std::size_t>(DropletsPerBurst * BurstsSinceLastCheck(after)))
        << "droplets appeared other than four to a burst, after " << after;
    for (ObjectId id : fresh) {
      ASSERT_EQ(id, highestId_ + 1) << "droplet identifiers must follow on, after " << after;
      highestId_ = id;
      const auto view = stage_.View(id);
      flying_[id] = {view->left, view->top, stage_.clock(), 0};
    }
    ASSERT_EQ(onStage.size(), flying_.size()) << "a droplet left the stage unseen, after " << after;
    ASSERT_EQ(stage_.CountObjects(), CellCount + static_cast<int>(flying_.size())) << after;

    for (ObjectId id : onStage) {
      const auto view = stage_.View(id);
      EXPECT_EQ(view->type, 10) << "droplet " << id;
      EXPECT_EQ(view->layer, 1) << "droplet " << id;
      EXPECT_TRUE(view->collideAllowed && view->visible && view->advancing) << "droplet " << id;
      const bool upright = view->angle == 0 || view->angle == 180;
      EXPECT_TRUE(upright || view->angle == 90 || view->angle == 270) << "droplet " << id;
      ASSERT_NE(view->shown, nullptr) << "droplet " << id << " has no picture";
      EXPECT_EQ(view->shown->width, upright ? 17 : 29) << "droplet " << id;
      EXPECT_EQ(view->shown->height, upright ? 29 : 17) << "droplet " << id;
    }
  }

  // Cells that went from a full drop to Cleared since the last check; none when a new board
  // replaced the old one.
  int BurstsSinceLastCheck(std::string_view after) {
    if (after == "restart" || state().Level != levelBefore_) return 0;
    int bursts = 0;
    for (int cell = 1; cell <= CellCount; ++cell) {
      if (boardBefore_[cell] == FullDrop && (*state().Board)[cell] == Cleared) ++bursts;
    }
    return bursts;
  }

  // After a tick every droplet that was due has taken exactly one step of 10 pixels along its
  // direction and every other one stands still; none flies longer than it takes to cross.
  void CheckSteps() {
    const std::int64_t interval = DropletMotion.stepIntervalMs;
    for (auto& [id, flight] : flying_) {
      const auto view = stage_.View(id);
      if (!view) continue;  // removed by the stage this tick; Check settles it
      const std::int64_t sinceStep = now_ - flight.lastStepMs;
      if (view->left == flight.left && view->top == flight.top) {
        ASSERT_LT(sinceStep, interval) << "droplet " << id << " was due a step and stood still";
        continue;
      }
      ASSERT_GE(sinceStep, interval) << "droplet " << id << " stepped early";
      const Step step = StepAlong(view->angle);
      ASSERT_EQ(view->left - flight.left, step.dx) << "droplet " << id << " at " << view->angle;
      ASSERT_EQ(view->top - flight.top, step.dy) << "droplet " << id << " at " << view->angle;
      flight = {view->left, view->top, now_, flight.steps + 1};
      ASSERT_LE(flight.steps, MostStepsOfADroplet) << "droplet " << id << " never leaves";
    }
  }

  // Presses a random point, a droplet's middle, or the fullest drop, as a player who likes
  // chain reactions would.
  void PressSomewhere(std::mt19937& player) {
    std::uniform_int_distribution<int> anywhere(-2, 363);
    int x = anywhere(player);
    int y = anywhere(player);
    const std::vector<ObjectId> droplets = Droplets();
    const auto aim = player() % 4;
    if (aim == 0 && !droplets.empty()) {
      // A droplet's middle is opaque in every direction.
      const auto view = stage_.View(droplets[player() % droplets.size()]);
      x = static_cast<int>(view->left) + view->shown->width / 2;
      y = static_cast<int>(view->top) + view->shown->height / 2;
    } else if (aim != 3) {
      const ObjectId tile = FullestTile(player);
      x = stage_.GetObjectLeft(tile) + 30;
      y = stage_.GetObjectTop(tile) + 30;
    }
    stage_.SetClock(now_);
    stage_.PressLeft(x, y, false);
    if (player() % 8 == 0) stage_.PressLeft(x, y, true);  // the second press of a double-click
  }

  // A tile of the largest drop on the board, chosen at random among equals; a Cleared tile
  // when every cell is cleared.
  ObjectId FullestTile(std::mt19937& player) {
    std::vector<ObjectId> fullest;
    CellState largest = -1;
    for (int cell = 1; cell <= CellCount; ++cell) {
      const CellState value = (*state().Board)[cell] == Cleared ? -1 : (*state().Board)[cell];
      if (value > largest) fullest.clear();
      if (value >= largest) {
        largest = value;
        fullest.push_back(cell);
      }
    }
    return fullest[player() % fullest.size()];
  }

  void Restart() {
    game_.HandleRestartClicked();
    ++restarts_;
    Check("restart");
  }

  struct Flight {
    double left;
    double top;
    std::int64_t lastStepMs;  // or the time it was thrown
    int steps;
  };
  std::mt19937 boards_{SoakSeed() + 7};
  std::map<ObjectId, Flight> flying_;
  std::set<ObjectId> reported_;      // droplets the stage reported since the last check
  std::vector<ObjectId> destroyed_;  // objects destroyed since the last check
  Board boardBefore_;
  std::int32_t levelBefore_ = 0;
  ObjectId highestId_ = CellCount;
  long checks_ = 0;
  int restarts_ = 0;
  int chainBursts_ = 0;
};

TEST_F(SoakTest, RandomPlayKeepsEveryRule) {
  std::mt19937 player(SoakSeed());
  const long events = SoakEvents();
  int levelsWon = 0;
  std::int32_t highestLevel = 1;
  for (long event = 0; event < events && !HasFailure(); ++event) {
    const std::int32_t level = state().Level;
    const auto roll = player() % 100;
    if (roll < 40) {
      PressSomewhere(player);
    } else if (roll < 41) {
      Restart();
    } else {
      // Uneven ticks: late ones slow droplets down but never make them jump.
      now_ += 1 + static_cast<std::int64_t>(player() % LongestTickMs);
      stage_.Tick(now_);
      CheckSteps();
      Check("tick");
    }
    if (state().Level > level) ++levelsWon;
    highestLevel = std::max(highestLevel, state().Level);
    if (state().Water == 0 && player() % 50 == 0) Restart();
  }
  EXPECT_GT(checks_, events / 2);
  RecordProperty("seed", static_cast<int>(SoakSeed()));
  RecordProperty("events", static_cast<int>(events));
  RecordProperty("checks", static_cast<int>(checks_));
  RecordProperty("restarts", restarts_);
  RecordProperty("levelsWon", levelsWon);
  RecordProperty("highestLevel", highestLevel);
  RecordProperty("chainBursts", chainBursts_);
  RecordProperty("highestIdentifier", highestId_);
}

}  // namespace
}  // namespace vintello::testing
