// The process-wide GameState: made once at start-up, freed once when the program ends.
#include "game/game_state.h"

namespace vintello {
namespace {

std::unique_ptr<GameState> theState;
int releaseCount = 0;

}  // namespace

std::unique_ptr<GameState> MakeGameState() {
  auto state = std::make_unique<GameState>();
  state->Board = std::make_unique<vintello::Board>();
  state->TilePictures = std::make_unique<TilePictureTable>();
  return state;
}

GameState& AllocateGameState() {
  theState = MakeGameState();
  return *theState;
}

GameState* TheGameState() {
  return theState.get();
}

void ReleaseGameState() {
  if (!theState) return;
  theState->Board.reset();
  if (theState->TilePictures) {
    for (int index = 1; index <= TilePictureCount; ++index) {
      EncodedPicture& picture = (*theState->TilePictures)[index];
      if (!picture.empty()) EncodedPicture().swap(picture);
    }
    theState->TilePictures.reset();
  }
  theState.reset();
  ++releaseCount;
}

int GameStateReleaseCount() {
  return releaseCount;
}

}  // namespace vintello
