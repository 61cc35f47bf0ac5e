// Least-recently-used lists: the caches hold a few dozen pictures, so a linear scan that
// compares hashes first is as fast as a map and far simpler.
#include "ui/pictures/picture_cache.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>

namespace vintello {
namespace {

std::size_t HashBytes(std::span<const std::uint8_t> bytes) {
  return std::hash<std::string_view>{}(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Moves a hit to the front; returns it.
template <typename Entry>
Entry& Refresh(std::list<Entry>& entries, typename std::list<Entry>::iterator hit) {
  entries.splice(entries.begin(), entries, hit);
  return entries.front();
}

template <typename Entry>
void Trim(std::list<Entry>& entries, std::size_t capacity) {
  while (entries.size() > capacity) entries.pop_back();
}

}  // namespace

PictureCache::PictureCache(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

SharedPicture PictureCache::Decode(std::span<const std::uint8_t> bytes, Transparency mode) {
  const std::size_t hash = HashBytes(bytes);
  const auto hit = std::find_if(decoded_.begin(), decoded_.end(), [&](const DecodedEntry& e) {
    return e.hash == hash && e.mode == mode &&
           std::equal(e.bytes.begin(), e.bytes.end(), bytes.begin(), bytes.end());
  });
  if (hit != decoded_.end()) return Refresh(decoded_, hit).picture;

  std::optional<Picture> picture = DecodePicture(bytes, mode);
  if (!picture) return nullptr;
  auto shared = std::make_shared<const Picture>(std::move(*picture));
  decoded_.push_front({hash, mode, std::vector<std::uint8_t>(bytes.begin(), bytes.end()), shared});
  Trim(decoded_, capacity_);
  return shared;
}

SharedPicture PictureCache::Shape(const SharedPicture& source, TurnType turn, bool rotateFollow,
                                  int angle) {
  if (!source) return nullptr;
  const int degrees = rotateFollow ? NormalizeDegrees(angle) : 0;
  if (turn == TurnType::None && degrees == 0) return source;

  const auto hit = std::find_if(shaped_.begin(), shaped_.end(), [&](const ShapedEntry& e) {
    return e.source == source && e.turn == turn && e.degrees == degrees;
  });
  if (hit != shaped_.end()) return Refresh(shaped_, hit).picture;

  auto shared = std::make_shared<const Picture>(ShapePicture(*source, turn, true, degrees));
  shaped_.push_front({source, turn, degrees, shared});
  Trim(shaped_, capacity_);
  return shared;
}

}  // namespace vintello
