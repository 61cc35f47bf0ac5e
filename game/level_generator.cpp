// NewLevel: counts the level up and fills the board with freshly drawn cells.
#include <optional>

#include "game/game.h"

namespace vintello {
namespace {

// A drawn value that is counted against a limit; over the limit the cell is drawn again.
struct CountedValue {
  CellState value;
  std::int32_t limit;  // accepted while the counter, before this cell, is at most this
  std::int32_t secondLow;
  std::int32_t secondHigh;
};

struct CellRange {
  int lastCell;
  std::int32_t low;
  std::int32_t high;
  std::array<std::optional<CountedValue>, 3> counted;  // for 0 (made Cleared), 4 and 3

  const CountedValue* Rule(CellState value) const {
    for (const auto& rule : counted) {
      if (rule && rule->value == value) return &*rule;
    }
    return nullptr;
  }
};

// The parameters of every level, by cell range.
constexpr std::array<CellRange, 3> LevelTable{{
    {17,
     0,
     4,
     {{CountedValue{Blank, 9, 1, 4}, CountedValue{4, 6, 0, 4}, CountedValue{3, 13, 0, 4}}}},
    {24, 1, 3, {{std::nullopt, std::nullopt, CountedValue{3, 10, 1, 3}}}},
    {36,
     0,
     4,
     {{CountedValue{Blank, 6, 0, 4}, CountedValue{4, 4, 1, 4}, CountedValue{3, 12, 1, 4}}}},
}};

const CellRange& RangeOf(int cell) {
  for (const CellRange& range : LevelTable) {
    if (cell <= range.lastCell) return range;
  }
  return LevelTable.back();
}

}  // namespace

void Game::NewLevel() {
  state_.BoardReady = false;
  state_.Remaining = CellCount;
  ++state_.Level;
  s_.captions.SetCaption(CaptionLabel::标签3, std::to_string(state_.Level));
  ++state_.Water;
  ShowWater();
  s_.captions.SetCaption(CaptionLabel::标签5, s_.creditLine);
  s_.random.Reseed();
  std::int32_t clearedCount = 0;
  std::int32_t fourCount = 0;
  std::int32_t threeCount = 0;
  for (int cell = 1; cell <= CellCount; ++cell) {
    GenerateCell(cell, clearedCount, fourCount, threeCount);
  }
  state_.BoardReady = true;
}

void Game::GenerateCell(int cell, std::int32_t& clearedCount, std::int32_t& fourCount,
                        std::int32_t& threeCount) {
  const CellRange& range = RangeOf(cell);
  Board& board = *state_.Board;
  const CellState drawn = s_.random.Draw(range.low, range.high);
  board[cell] = drawn;
  if (const CountedValue* rule = range.Rule(drawn)) {
    std::int32_t& counter = drawn == Blank ? clearedCount : drawn == 4 ? fourCount : threeCount;
    if (counter <= rule->limit) {
      ++counter;
      if (drawn == Blank) {
        --state_.Remaining;
        board[cell] = Cleared;
      }
    } else {
      // The second value stands as drawn: it is neither limited nor counted.
      board[cell] = s_.random.Draw(rule->secondLow, rule->secondHigh);
    }
  }
  ShowCell(cell);
}

}  // namespace vintello
