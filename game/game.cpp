// Start-up, the board's tile objects and the restart button.
#include "game/game.h"

#include <utility>

namespace vintello {

Game::Game(GameState& state, GameSurroundings surroundings)
    : state_(state), s_(std::move(surroundings)) {}

void Game::HandleMainWindowCreated() {
  state_.Water = 9;
  auto pictures = std::make_unique<TilePictureTable>();
  for (int index = 1; index <= TilePictureCount; ++index) {
    const auto& builtIn = s_.builtInTilePictures[static_cast<std::size_t>(index - 1)];
    (*pictures)[index].assign(builtIn.begin(), builtIn.end());
  }
  state_.TilePictures = std::move(pictures);
  state_.Level = 0;
  BuildGrid();
  NewLevel();
}

void Game::BuildGrid() {
  Stage& stage = s_.动画框1;
  const ObjectId first = stage.CreateObject(nullptr, 1, 1, true);
  stage.SetObjectType(first, 1);
  stage.SetObjectLayer(first, 1);
  stage.SetCollideAllowed(first, true);
  // The top row keeps the first tile's odd place; the copies follow on a 60-pixel pitch.
  std::int32_t x = 60;
  std::int32_t y = 0;
  for (int k = 1; k < CellCount; ++k) {
    if (x >= 360) {
      y += 60;
      x = 1;
    }
    stage.CopyObject(first, x, y);
    x += 60;
  }
}

void Game::HandleRestartClicked() {
  state_.Water = 9;
  state_.Level = 0;
  NewLevel();
}

void Game::ShowCell(int cell) {
  s_.动画框1.SetObjectPicture(cell, (*state_.TilePictures)[PictureIndexFor((*state_.Board)[cell])]);
}

void Game::ShowWater() {
  s_.captions.SetCaption(CaptionLabel::标签1, std::to_string(state_.Water));
}

}  // namespace vintello
