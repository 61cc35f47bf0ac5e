// The level generator under scripted draws: limits, second draws, counters and labels.
#include <vector>

#include "tests/game/game_fixture.h"

namespace vintello::testing {
namespace {

using Range = std::pair<std::int32_t, std::int32_t>;

struct GeneratedBoard {
  const char* name;
  ScriptedRandom::Fallback fallback;
  std::vector<std::int32_t> script;  // values drawn before the fallback takes over
  std::vector<CellState> cells;      // cells 1 to 36 afterwards
  std::vector<Range> ranges;         // every range asked for, in order
  std::int32_t remaining;
};
void PrintTo(const GeneratedBoard& c, std::ostream* os) {
  *os << c.name;
}

// n copies of a value, to write boards and draw sequences compactly.
template <typename T>
std::vector<T> Repeat(int n, T value) {
  return std::vector<T>(static_cast<std::size_t>(n), value);
}
template <typename T>
std::vector<T> Cat(std::initializer_list<std::vector<T>> parts) {
  std::vector<T> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// n pairs (first, second), as a cell drawn twice asks for them.
std::vector<Range> Pairs(int n, Range first, Range second) {
  std::vector<Range> ranges;
  for (int i = 0; i < n; ++i) ranges.insert(ranges.end(), {first, second});
  return ranges;
}

// The first-draw ranges of the three cell ranges and the second-draw ranges in use.
const Range Top{0, 4}, Middle{1, 3}, Bottom{0, 4}, OneToFour{1, 4}, OneToThree{1, 3};

std::vector<GeneratedBoard> Boards() {
  return {
      {"every draw its lower bound: ten cleared cells, then second draws of 0 stay blank",
       ScriptedRandom::Fallback::Low,
       {},
       Cat<CellState>({Repeat(10, Cleared), Repeat(14, 1), Repeat(12, Blank)}),
       Cat<Range>({Repeat(10, Top), Pairs(7, Top, OneToFour), Repeat(7, Middle),
                   Pairs(12, Bottom, Bottom)}),
       26},
      {"every draw its upper bound: 29 size-4 drops and 7 size-3 drops",
       ScriptedRandom::Fallback::High,
       {},
       Cat<CellState>({Repeat(17, 4), Repeat(7, 3), Repeat(12, 4)}),
       Cat<Range>(
           {Repeat(7, Top), Pairs(10, Top, Top), Repeat(7, Middle), Pairs(12, Bottom, OneToFour)}),
       36},
      // Fourteen counted 3s use up their limit; cell 15's 3 is drawn again and comes out 4,
      // which is not counted: cells 16, 17, 25, 26 and 27 still take counted 4s (two on top,
      // three below, where the limit is 4), and only cell 28's 4 is drawn again.
      {"a second-drawn 4 is not counted against the limit of 4s", ScriptedRandom::Fallback::Low,
       Cat<std::int32_t>(
           {Repeat(14, 3), {3, 4}, {4, 4}, Repeat(7, 1), {4, 4, 4}, {4, 2}, Repeat(8, 1)}),
       Cat<CellState>({Repeat(14, 3), {4, 4, 4}, Repeat(7, 1), {4, 4, 4, 2}, Repeat(8, 1)}),
       Cat<Range>({Repeat(18, Top),
                   Repeat(7, Middle),
                   Repeat(3, Bottom),
                   {Bottom, OneToFour},
                   Repeat(8, Bottom)}),
       36},
      // Six cleared cells on top leave room below for exactly one more (the limit there is 6,
      // compared before the cell), and a second-drawn 0 below stays Blank.
      {"the limit for cleared cells below is compared before each cell",
       ScriptedRandom::Fallback::Low,
       Cat<std::int32_t>({Repeat(6, 0), Repeat(11, 1), Repeat(7, 1), {0, 0, 0}}),
       Cat<CellState>({Repeat(6, Cleared), Repeat(18, 1), {Cleared, Blank}, Repeat(10, Blank)}),
       Cat<Range>({Repeat(17, Top), Repeat(7, Middle), {Bottom}, Pairs(11, Bottom, Bottom)}), 29},
      // Eight counted 3s on top leave the middle rows, whose limit is 10, three more before a
      // 3 is drawn again.
      {"the limit of 3s in the middle rows counts the 3s above them", ScriptedRandom::Fallback::Low,
       Cat<std::int32_t>(
           {Repeat(8, 3), Repeat(9, 1), {3, 3, 3, 3, 2}, Repeat(3, 1), Repeat(12, 1)}),
       Cat<CellState>({Repeat(8, 3), Repeat(9, 1), {3, 3, 3, 2}, Repeat(15, 1)}),
       Cat<Range>({Repeat(17, Top),
                   Repeat(4, Middle),
                   {OneToThree},
                   Repeat(3, Middle),
                   Repeat(12, Bottom)}),
       36},
  };
}

class LevelGeneratorTest : public GameFixture,
                           public ::testing::WithParamInterface<GeneratedBoard> {};

TEST_P(LevelGeneratorTest, GeneratesTheBoardAndAsksForExactlyTheseDraws) {
  const GeneratedBoard& expected = GetParam();
  random_.fallback = ScriptedRandom::Fallback::Low;
  StartUp();
  random_.calls.clear();
  random_.fallback = expected.fallback;
  random_.script.assign(expected.script.begin(), expected.script.end());

  game_.HandleRestartClicked();

  ASSERT_TRUE(random_.script.empty()) << "the script was not used up";
  std::vector<CellState> cells;
  for (int cell = 1; cell <= CellCount; ++cell) cells.push_back((*state().Board)[cell]);
  EXPECT_EQ(cells, expected.cells);
  std::vector<Range> ranges;
  for (const auto& call : random_.calls) ranges.emplace_back(call.low, call.high);
  EXPECT_EQ(ranges, expected.ranges);
  EXPECT_EQ(state().Remaining, expected.remaining);
  EXPECT_TRUE(state().BoardReady);
  ExpectConsistent(expected.name);
}

INSTANTIATE_TEST_SUITE_P(Boards, LevelGeneratorTest, ::testing::ValuesIn(Boards()),
                         [](const auto& test) { return "Board" + std::to_string(test.index); });

TEST_F(LevelGeneratorTest, EveryCallCountsUpAndReseedsButKeepsTheBonusAndTheDroplets) {
  StartUp();
  ASSERT_EQ(random_.reseeds, 1);
  state().BonusCounter = 2;
  game_.SpawnDroplet(100, 100, 90);
  captions_.SetCaption(CaptionLabel::标签5, OutOfWaterMessage);

  game_.NewLevel();
  game_.NewLevel();

  EXPECT_EQ(state().Level, 3);
  EXPECT_EQ(state().Water, 12);
  EXPECT_EQ(random_.reseeds, 3);
  EXPECT_EQ(state().BonusCounter, 2);
  EXPECT_EQ(DropletCount(), 1);
  EXPECT_EQ(captions_[CaptionLabel::标签5], CreditLine);
  ExpectConsistent("after two new levels");
}

}  // namespace
}  // namespace vintello::testing
