// The level generator's random source: a Mersenne Twister reseeded from the tick count.
#include "game/random_source.h"

#include <chrono>

namespace vintello {

TickSeededRandom::TickSeededRandom(TickSource ticks) : ticks_(std::move(ticks)) {}

void TickSeededRandom::Reseed() {
  const std::uint32_t seed = ticks_() + offset_;
  offset_ += 100 + (seed & 0xFFu);
  lastSeed_ = seed;
  engine_.seed(seed);
}

std::int32_t TickSeededRandom::Draw(std::int32_t low, std::int32_t high) {
  return std::uniform_int_distribution<std::int32_t>(low, high)(engine_);
}

std::uint32_t SystemTickCountMs() {
  // steady_clock counts from boot on Linux, like a system tick count; it wraps like one too.
  const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count());
}

}  // namespace vintello
