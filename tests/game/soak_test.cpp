// Long randomized play on virtual time: a seeded player presses anywhere, double-clicks,
// restarts and lets time pass in uneven ticks, and the rules are checked after every event.
#include <cstdlib>
#include <map>
#include <random>

#include "tests/game/game_fixture.h"

namespace vintello::testing {
namespace {

// A droplet crosses the 362-pixel stage in about 40 steps of 10 pixels.
constexpr int MostStepsOfADroplet = 45;

// How many player actions to take: a bounded number here, more through VINTELLO_SOAK_EVENTS.
long SoakEvents() {
  const char* fromEnvironment = std::getenv("VINTELLO_SOAK_EVENTS");
  return fromEnvironment ? std::atol(fromEnvironment) : 20000;
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
      hit(m, x, y, h);
      Check("hit");
    };
    auto border = e.碰撞到边界;
    e.碰撞到边界 = [this, border](std::int32_t m, std::int32_t x, std::int32_t y, std::int32_t s) {
      border(m, x, y, s);
      Check("border");
    };
    StartUp();
    Check("start-up");
  }

  // Everything that must hold between any two events.
  void Check(const char* after) {
    ++checks_;
    events_.clear();  // the fixture's log is not needed here and would grow without end
    ExpectConsistent(after);
    for (ObjectId id : Droplets()) {
      if (!steps_.contains(id)) {
        ASSERT_GT(id, highestId_) << "a new object got an old identifier, after " << after;
        highestId_ = id;
        steps_[id] = {stage_.View(id)->left, stage_.View(id)->top, 0};
      }
    }
    if (HasFailure()) FAIL() << "stopped after the first broken rule, after " << after;
  }

  // Counts each droplet's steps by its moves, and forgets the droplets that are gone.
  void CountSteps() {
    for (auto it = steps_.begin(); it != steps_.end();) {
      const auto view = stage_.View(it->first);
      if (!view) {
        it = steps_.erase(it);
        continue;
      }
      Track& track = it->second;
      if (view->left != track.left || view->top != track.top) {
        ++track.steps;
        track.left = view->left;
        track.top = view->top;
      }
      ASSERT_LE(track.steps, MostStepsOfADroplet) << "droplet " << it->first << " never leaves";
      ++it;
    }
  }

  void PressSomewhere(std::mt19937& player) {
    const std::vector<ObjectId> droplets = Droplets();
    std::uniform_int_distribution<int> anywhere(-2, 363);
    int x = anywhere(player);
    int y = anywhere(player);
    if (!droplets.empty() && player() % 4 == 0) {
      // Aim at a droplet's middle, which is opaque in every direction.
      const ObjectId target = droplets[player() % droplets.size()];
      const auto view = stage_.View(target);
      x = static_cast<int>(view->left) + view->shown->width / 2;
      y = static_cast<int>(view->top) + view->shown->height / 2;
    }
    stage_.SetClock(now_);
    stage_.PressLeft(x, y, false);
    if (player() % 8 == 0) stage_.PressLeft(x, y, true);  // the second press of a double-click
  }

  struct Track {
    double left;
    double top;
    int steps;
  };
  std::mt19937 boards_{7};
  std::map<ObjectId, Track> steps_;
  ObjectId highestId_ = CellCount;
  long checks_ = 0;
};

TEST_F(SoakTest, RandomPlayKeepsEveryRule) {
  std::mt19937 player(20261211);
  const long events = SoakEvents();
  int levelsSeen = 1;
  for (long event = 0; event < events && !HasFailure(); ++event) {
    const auto roll = player() % 100;
    if (roll < 40) {
      PressSomewhere(player);
    } else if (roll < 41) {
      game_.HandleRestartClicked();
      Check("restart");
    } else {
      // Uneven ticks: late ones slow droplets down but never make them jump.
      now_ += 1 + static_cast<std::int64_t>(player() % 40);
      stage_.Tick(now_);
      CountSteps();
      Check("tick");
    }
    levelsSeen = std::max(levelsSeen, state().Level);
    if (state().Water == 0 && player() % 50 == 0) game_.HandleRestartClicked();
  }
  EXPECT_GT(checks_, events / 2);
  RecordProperty("checks", static_cast<int>(checks_));
  RecordProperty("highestLevel", levelsSeen);
  RecordProperty("highestIdentifier", highestId_);
}

}  // namespace
}  // namespace vintello::testing
