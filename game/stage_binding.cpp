// The stage's events that the game handles; the others stay unhandled.
#include "game/game.h"

namespace vintello {

void ConnectStageEvents(Stage& stage, Game& game) {
  StageEvents& events = stage.events();
  events.物体左键被按下 = [&game](std::int32_t id) { game.HandleTilePress(id); };
  events.碰撞到物体 = [&game](std::int32_t mover, std::int32_t left, std::int32_t top,
                              std::int32_t hit) { game.HandleDropletHit(mover, left, top, hit); };
  events.碰撞到边界 = [&game](std::int32_t mover, std::int32_t left, std::int32_t top,
                              std::int32_t edges) {
    game.HandleBoundaryHit(mover, left, top, edges);
  };
}

}  // namespace vintello
