// The random source: the reseed rule and uniform draws over inclusive ranges.
#include <gtest/gtest.h>

#include <map>

#include "game/random_source.h"

namespace vintello {
namespace {

TEST(TickSeededRandom, TheSeedIsTheTickCountPlusAnOffsetThatGrowsAtEveryReseed) {
  std::uint32_t tick = 5000;
  TickSeededRandom random([&] { return tick; });
  std::vector<std::uint32_t> seeds;
  for (std::uint32_t nextTick : {5000u, 5000u, 5000u, 6000u}) {
    tick = nextTick;
    random.Reseed();
    seeds.push_back(random.lastSeed());
  }
  // Offsets: 0, then +100 plus the low 8 bits of each seed used: 136, 116, 76.
  EXPECT_EQ(seeds, (std::vector<std::uint32_t>{5000, 5236, 5452, 6628}));
}

TEST(TickSeededRandom, EqualSeedsGiveEqualDrawsAndOtherSeedsOtherOnes) {
  std::uint32_t tick = 77;
  TickSeededRandom a([&] { return tick; });
  TickSeededRandom b([&] { return tick; });
  a.Reseed();
  b.Reseed();
  std::vector<std::int32_t> fromA, fromB, afterReseed;
  for (int i = 0; i < 36; ++i) fromA.push_back(a.Draw(0, 4));
  for (int i = 0; i < 36; ++i) fromB.push_back(b.Draw(0, 4));
  a.Reseed();
  for (int i = 0; i < 36; ++i) afterReseed.push_back(a.Draw(0, 4));
  EXPECT_EQ(fromA, fromB);
  EXPECT_NE(fromA, afterReseed);
}

TEST(TickSeededRandom, DrawsCoverTheWholeInclusiveRangeEvenly) {
  TickSeededRandom random([] { return 1234u; });
  random.Reseed();
  for (auto [low, high] : {std::pair{0, 4}, std::pair{1, 3}, std::pair{1, 4}, std::pair{7, 7}}) {
    std::map<std::int32_t, int> seen;
    constexpr int Draws = 20000;
    for (int i = 0; i < Draws; ++i) ++seen[random.Draw(low, high)];
    EXPECT_EQ(seen.begin()->first, low);
    EXPECT_EQ(seen.rbegin()->first, high);
    const double expected = static_cast<double>(Draws) / (high - low + 1);
    for (auto [value, count] : seen) {
      EXPECT_NEAR(count, expected, expected * 0.1) << value << " in " << low << ".." << high;
    }
  }
}

}  // namespace
}  // namespace vintello
