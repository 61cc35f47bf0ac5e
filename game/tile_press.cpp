// HandleTilePress: the player's only move.
#include "game/game.h"

namespace vintello {

void Game::HandleTilePress(std::int32_t 物体标识值) {
  const std::int32_t tile = 物体标识值;
  // No object, or a droplet: the tile beneath a droplet does not get the press.
  if (tile <= 0 || tile > CellCount) return;
  if (state_.Water == 0) {
    s_.captions.SetCaption(CaptionLabel::标签5, OutOfWaterMessage);
    return;
  }
  Board& board = *state_.Board;
  const CellState cell = board[tile];
  if (cell < FullDrop) {
    --state_.Water;
    ShowWater();
    board[tile] = cell + 1;
    ShowCell(tile);
  } else if (cell == FullDrop) {
    --state_.Remaining;
    --state_.Water;
    ++state_.BonusCounter;  // a press's burst only brings the next chain bonus nearer
    ShowWater();
    board[tile] = Cleared;
    ShowCell(tile);
    ThrowFan(PressFan, tile);
  } else if (state_.Remaining != 0) {
    --state_.Water;
    ShowWater();
    ++state_.Remaining;
    board[tile] = 1;
    ShowCell(tile);
  } else {
    // Every cell is cleared: the press starts the next level for free.
    NewLevel();
  }
}

}  // namespace vintello
