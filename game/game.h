// The game's routines: start-up, the level generator, presses, droplets and level completion.
// They act on one GameState and on the stage 动画框1, the template 动画物体2 and the labels.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "captions.h"
#include "game_state.h"
#include "random_source.h"
#include "ui/stage/object_template.h"
#include "ui/stage/stage.h"

namespace vintello {

// Where a burst's four droplets start, relative to the burst tile's top-left corner.
struct FanDroplet {
  std::int32_t dx;
  std::int32_t dy;
  std::int32_t turn;  // degrees passed to TurnObject; 0: no turn
};
using Fan = std::array<FanDroplet, 4>;

// Thrown by a press on a size-4 drop.
inline constexpr Fan PressFan{{{-30, 25, -90}, {20, -30, 0}, {65, 25, 90}, {20, 65, 180}}};
// Thrown by a droplet bursting a size-4 drop.
inline constexpr Fan ChainFan{{{-30, 15, -90}, {20, -25, 0}, {85, 25, 90}, {20, 75, 180}}};

// The message shown when a press finds no water.
inline constexpr const char* OutOfWaterMessage = "很遗憾你没有更多水资源用来挥霍了";

// The settings every droplet advances with.
inline constexpr AdvanceSettings DropletMotion{10, 25, BorderHandling::StopWhenOutside, true};

struct GameSurroundings {
  Stage& 动画框1;
  const ObjectTemplate& 动画物体2;
  Captions& captions;
  RandomSource& random;
  std::string creditLine;  // shown in 标签5 at every new level
  std::array<std::span<const std::uint8_t>, TilePictureCount> builtInTilePictures;
};

class Game {
 public:
  Game(GameState& state, GameSurroundings surroundings);

  GameState& state() { return state_; }
  const GameState& state() const { return state_; }

  // Event handlers.
  void HandleMainWindowCreated();
  void HandleRestartClicked();
  void HandleTilePress(std::int32_t 物体标识值);
  void HandleDropletHit(std::int32_t 碰撞物体标识值, std::int32_t 碰撞前横坐标,
                        std::int32_t 碰撞前纵坐标, std::int32_t 被碰撞物体标识值);
  void HandleBoundaryHit(std::int32_t 物体标识值, std::int32_t 碰撞前横坐标,
                         std::int32_t 碰撞前纵坐标, std::int32_t 边界类型);

  // Routines.
  void BuildGrid();
  void NewLevel();
  void SpawnDroplet(std::int32_t left, std::int32_t top, std::int32_t turn);
  void ThrowFan(const Fan& fan, ObjectId tile);

 private:
  void GenerateCell(int cell, std::int32_t& clearedCount, std::int32_t& fourCount,
                    std::int32_t& threeCount);
  void ShowCell(int cell);
  void ShowWater();

  GameState& state_;
  GameSurroundings s_;
};

// Routes the stage's press, collision and border events to the game's handlers.
void ConnectStageEvents(Stage& stage, Game& game);

}  // namespace vintello
