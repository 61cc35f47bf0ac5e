// The pseudo-random integer source behind the level generator.
#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace vintello {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Reseed() = 0;
  // An integer from low to high, both included, each equally likely.
  virtual std::int32_t Draw(std::int32_t low, std::int32_t high) = 0;
};

// Seeds from a millisecond tick count plus a running offset that grows at every reseed by 100
// plus the low 8 bits of the seed just used, so two reseeds within one millisecond differ.
class TickSeededRandom final : public RandomSource {
 public:
  using TickSource = std::function<std::uint32_t()>;
  explicit TickSeededRandom(TickSource ticks);

  void Reseed() override;
  std::int32_t Draw(std::int32_t low, std::int32_t high) override;
  std::uint32_t lastSeed() const { return lastSeed_; }

 private:
  TickSource ticks_;
  std::uint32_t offset_ = 0;
  std::uint32_t lastSeed_ = 0;
  std::mt19937 engine_;
};

// The system's millisecond tick count (time since boot).
std::uint32_t SystemTickCountMs();

}  // namespace vintello
