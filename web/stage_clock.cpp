// Running the stage's 5 ms ticks on a page's clock.
#include "web/stage_clock.h"

#include <algorithm>

namespace vintello {

StageClock::StageClock(Stage& stage, std::int64_t nowMs)
    : stage_(stage), lastTickMs_(std::max(nowMs, stage.clock())) {
  stage_.SetClock(lastTickMs_);
}

void StageClock::RunDueTicks(std::int64_t nowMs) {
  // The stage's time never goes back, whatever the caller's clock says.
  nowMs = std::max(nowMs, lastTickMs_);
  if (!stage_.HasAdvancingObjects()) {
    // Nothing moves, so no timer runs: the next one starts with the next motion.
    lastTickMs_ = nowMs;
    return;
  }
  if (nowMs - lastTickMs_ > MaxCatchUpMs) {
    lastTickMs_ = nowMs;
    stage_.Tick(nowMs);
    return;
  }
  while (lastTickMs_ + TickIntervalMs <= nowMs && stage_.HasAdvancingObjects()) {
    lastTickMs_ += TickIntervalMs;
    stage_.Tick(lastTickMs_);
  }
}

void StageClock::Now(std::int64_t nowMs) {
  stage_.SetClock(std::max({nowMs, lastTickMs_, stage_.clock()}));
}

}  // namespace vintello
