// Wiring the game to the page's input, clock and canvas.
#include "web/web_game.h"

#include <string>

#include "assets/built_in_pictures.h"
#include "ui/window_layout.h"

namespace vintello {

namespace {

std::unique_ptr<Stage> MakeStage(Rgb faceColour) {
  const ControlPlace place = FindControl("动画框1")->place;
  return std::make_unique<Stage>(place.width, place.height, faceColour);
}

}  // namespace

WebGame::WebGame(GameState& state, Rgb faceColour, Captions& captions, RandomSource& random,
                 std::int64_t nowMs)
    : stage_(MakeStage(faceColour)),
      dropletTemplate_(std::make_unique<ObjectTemplate>(DropletTemplateProperties())),
      game_(std::make_unique<Game>(state,
                                   GameSurroundings{*stage_, *dropletTemplate_, captions, random,
                                                    std::string(CreditLine), BuiltInTilePictures})),
      clock_(*stage_, nowMs),
      canvas_(stage_->width(), stage_->height()) {
  ConnectStageEvents(*stage_, *game_);
  game_->HandleMainWindowCreated();
}

void WebGame::Press(int x, int y, bool secondPressOfDoubleClick, std::int64_t nowMs) {
  clock_.RunDueTicks(nowMs);
  clock_.Now(nowMs);
  stage_->PressLeft(x, y, secondPressOfDoubleClick);
}

void WebGame::Restart(std::int64_t nowMs) {
  clock_.RunDueTicks(nowMs);
  clock_.Now(nowMs);
  game_->HandleRestartClicked();
}

bool WebGame::RunDueTicks(std::int64_t nowMs) {
  clock_.RunDueTicks(nowMs);
  return stage_->HasAdvancingObjects();
}

std::vector<PixelRect> WebGame::TakeChangedAreas() {
  const std::span<const std::uint32_t> pixels = stage_->Pixels();
  std::vector<PixelRect> areas = stage_->TakeDirtyRects();
  for (const PixelRect& area : areas) canvas_.Update(pixels, area);
  return areas;
}

}  // namespace vintello
