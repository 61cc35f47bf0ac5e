// Droplets: the fans a burst throws, what a droplet does to the tile it reaches, and the end of
// a level when the last droplet leaves a cleared board.
#include "game/game.h"

namespace vintello {

void Game::SpawnDroplet(std::int32_t left, std::int32_t top, std::int32_t turn) {
  Stage& stage = s_.动画框1;
  const ObjectId droplet = stage.CreateObject(&s_.动画物体2, left, top, true);
  if (turn != 0) stage.TurnObject(droplet, turn);
  stage.自动前进(droplet, DropletMotion);
}

void Game::ThrowFan(const Fan& fan, ObjectId tile) {
  const std::int32_t x = s_.动画框1.GetObjectLeft(tile);
  const std::int32_t y = s_.动画框1.GetObjectTop(tile);
  for (const FanDroplet& droplet : fan) SpawnDroplet(x + droplet.dx, y + droplet.dy, droplet.turn);
}

void Game::HandleDropletHit(std::int32_t 碰撞物体标识值, std::int32_t /*碰撞前横坐标*/,
                            std::int32_t /*碰撞前纵坐标*/, std::int32_t 被碰撞物体标识值) {
  const ObjectId droplet = 碰撞物体标识值;
  const ObjectId tile = 被碰撞物体标识值;
  if (!state_.BoardReady) return;
  // Only tiles have cells; anything else that a droplet could report is not the board's.
  if (tile < 1 || tile > CellCount) return;
  Board& board = *state_.Board;
  const CellState cell = board[tile];
  if (cell == FullDrop) {
    ++state_.BonusCounter;
    if (state_.BonusCounter > 2) {
      state_.BonusCounter = 0;
      ++state_.Water;
      ShowWater();
    }
    --state_.Remaining;
    s_.动画框1.DestroyObject(droplet);
    board[tile] = Cleared;
    ShowCell(tile);
    ThrowFan(ChainFan, tile);
    return;
  }
  if (cell == Cleared) return;  // the droplet flies on over a cleared tile
  s_.动画框1.DestroyObject(droplet);
  board[tile] = cell + 1;
  ShowCell(tile);
}

void Game::HandleBoundaryHit(std::int32_t 物体标识值, std::int32_t /*碰撞前横坐标*/,
                             std::int32_t /*碰撞前纵坐标*/, std::int32_t /*边界类型*/) {
  s_.动画框1.DestroyObject(物体标识值);
  if (state_.Remaining == 0 && s_.动画框1.CountObjects() <= CellCount) NewLevel();
}

}  // namespace vintello
