// A random source that plays back a fixed list of draws, so that two front ends (or two runs)
// can be shown exactly the same boards.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "game/random_source.h"

namespace vintello {

class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<std::int32_t> draws);

  // The list goes on where it stopped, so every new board continues it.
  void Reseed() override {}
  // The next listed value: as it stands when it lies in low..high, otherwise wrapped into the
  // range (low + (value - low) modulo the range's size). The list starts again from its
  // beginning when it runs out; an empty list always gives low.
  std::int32_t Draw(std::int32_t low, std::int32_t high) override;

 private:
  std::vector<std::int32_t> draws_;
  std::size_t next_ = 0;
};

// Reads a list of draws written as decimal integers separated by commas ("4,0,3,-1"); nothing
// for text that is not such a list, including an empty one or a number beyond 32 bits.
std::optional<std::vector<std::int32_t>> ParseDraws(std::string_view text);

}  // namespace vintello
