// Drives the stage's timed motion from a page's clock. The desktop stage ticks every 5 ms; a page
// gets one animation frame every 16 ms or so, so each frame runs, at their own times, the 5 ms
// ticks that fell due since the last one. Droplets then step on exactly the times at which a
// punctual 5 ms timer would have stepped them, whatever the frame rate.
#pragma once

#include <cstdint>

#include "ui/stage/stage.h"

namespace vintello {

class StageClock {
 public:
  static constexpr std::int64_t TickIntervalMs = 5;
  // Beyond this much lateness (a page in the background gets no frames) the missed ticks are
  // dropped and one late tick runs, as a desktop timer does after a stall, rather than flying
  // every droplet off the board in one frame.
  static constexpr std::int64_t MaxCatchUpMs = 250;

  StageClock(Stage& stage, std::int64_t nowMs);

  // Runs every tick due by `nowMs`. Call it before anything else acts on the stage at that time,
  // so that input lands between the ticks where a desktop timer would have put it.
  void RunDueTicks(std::int64_t nowMs);
  // Sets the stage's clock for what happens now (droplets thrown now count from here).
  void Now(std::int64_t nowMs);
  std::int64_t lastTickMs() const { return lastTickMs_; }

 private:
  Stage& stage_;
  std::int64_t lastTickMs_;
};

}  // namespace vintello
