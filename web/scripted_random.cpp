// Playing back a fixed list of draws.
#include "web/scripted_random.h"

#include <charconv>
#include <utility>

namespace vintello {

ScriptedRandom::ScriptedRandom(std::vector<std::int32_t> draws) : draws_(std::move(draws)) {}

std::int32_t ScriptedRandom::Draw(std::int32_t low, std::int32_t high) {
  if (draws_.empty() || high <= low) return low;
  const std::int64_t span = std::int64_t{high} - low + 1;
  const std::int64_t value = draws_[next_];
  next_ = (next_ + 1) % draws_.size();
  // A floored remainder, so values below the range wrap into it too.
  const std::int64_t offset = (((value - low) % span) + span) % span;
  return static_cast<std::int32_t>(low + offset);
}

std::optional<std::vector<std::int32_t>> ParseDraws(std::string_view text) {
  std::vector<std::int32_t> draws;
  if (text.empty()) return std::nullopt;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::string_view item = text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    std::int32_t value = 0;
    const char* end = item.data() + item.size();
    const auto [stop, error] = std::from_chars(item.data(), end, value);
    if (item.empty() || error != std::errc() || stop != end) return std::nullopt;
    draws.push_back(value);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return draws;
}

}  // namespace vintello
