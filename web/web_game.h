// The game as the page plays it: the same stage, droplet template and game as the desktop
// window, fed with the page's presses, clicks and clock, and drawn into canvas-ready pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/captions.h"
#include "game/game.h"
#include "game/random_source.h"
#include "web/canvas_pixels.h"
#include "web/stage_clock.h"

namespace vintello {

class WebGame {
 public:
  // Creates the stage (in the page's face colour) and the template, then runs the window's
  // creation handler, which starts level 1. The captions and the random source must outlive it.
  WebGame(GameState& state, Rgb faceColour, Captions& captions, RandomSource& random,
          std::int64_t nowMs);
  WebGame(const WebGame&) = delete;
  WebGame& operator=(const WebGame&) = delete;

  // A left-button press at stage pixel (x, y); the second press of a double-click is no press.
  void Press(int x, int y, bool secondPressOfDoubleClick, std::int64_t nowMs);
  // A click of 按钮1.
  void Restart(std::int64_t nowMs);
  // Runs the stage's ticks due by now; true while anything still moves.
  bool RunDueTicks(std::int64_t nowMs);

  // Brings the canvas bytes up to date and hands over the areas that changed since last time.
  std::vector<PixelRect> TakeChangedAreas();
  const CanvasPixels& canvas() const { return canvas_; }

  Game& game() { return *game_; }
  Stage& stage() { return *stage_; }

 private:
  std::unique_ptr<Stage> stage_;
  std::unique_ptr<ObjectTemplate> dropletTemplate_;
  std::unique_ptr<Game> game_;
  StageClock clock_;
  CanvasPixels canvas_;
};

}  // namespace vintello
