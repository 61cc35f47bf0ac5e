// The game's one state record, its cells, and its life from start-up to the end of the program.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace vintello {

// The value of one cell: 0 Blank, 1 to 4 a drop of that size, 5 Cleared.
using CellState = std::int32_t;
inline constexpr CellState Blank = 0;
inline constexpr CellState FullDrop = 4;
inline constexpr CellState Cleared = 5;

inline constexpr int CellCount = 36;
inline constexpr int TilePictureCount = 5;

// 36 cells, indexed 1 to 36 like the tile objects that show them.
class Board {
 public:
  CellState& operator[](int index) { return cells_[static_cast<std::size_t>(index - 1)]; }
  CellState operator[](int index) const { return cells_[static_cast<std::size_t>(index - 1)]; }

 private:
  std::array<CellState, CellCount> cells_{};
};

using EncodedPicture = std::vector<std::uint8_t>;

// Five encoded tile pictures, indexed 1 to 5; a cell of value v (0..4) shows picture v + 1
// and a Cleared cell picture 1.
class TilePictureTable {
 public:
  EncodedPicture& operator[](int index) { return pictures_[static_cast<std::size_t>(index - 1)]; }
  const EncodedPicture& operator[](int index) const {
    return pictures_[static_cast<std::size_t>(index - 1)];
  }

 private:
  std::array<EncodedPicture, TilePictureCount> pictures_;
};

struct GameState {
  bool BoardReady = false;
  std::unique_ptr<vintello::Board> Board;
  std::int32_t BonusCounter = 0;
  std::int32_t Water = 0;
  std::int32_t Remaining = 0;
  std::unique_ptr<TilePictureTable> TilePictures;
  std::int32_t Level = 0;
};

// The picture index that shows a cell.
constexpr int PictureIndexFor(CellState cell) {
  return cell == Cleared ? 1 : cell + 1;
}

// A state as at start-up: every field 0 or false, a Blank board and five empty pictures.
std::unique_ptr<GameState> MakeGameState();

// The process-wide state, reached through here only. AllocateGameState makes it with a Blank
// board and five empty pictures; ReleaseGameState frees it (a second call does nothing).
GameState& AllocateGameState();
GameState* TheGameState();
void ReleaseGameState();
// How many times ReleaseGameState has freed a state in this process.
int GameStateReleaseCount();

}  // namespace vintello
