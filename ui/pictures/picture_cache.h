// Shares decoded and shaped pictures between objects that show the same one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <span>
#include <vector>

#include "ui/pictures/picture.h"

namespace vintello {

// Remembers the most recently used pictures, so that assigning a picture that is already on show
// costs a lookup instead of a decode. Not thread-safe: pictures live on the UI thread.
class PictureCache {
 public:
  static constexpr std::size_t kDefaultCapacity = 64;

  // Keeps at most `capacity` decoded and, separately, `capacity` shaped pictures (at least 1).
  explicit PictureCache(std::size_t capacity = kDefaultCapacity);

  // The decoded picture for these bytes and mode, or null for bytes that give no picture.
  SharedPicture Decode(std::span<const std::uint8_t> bytes, Transparency mode);

  // `source` as ShapePicture shapes it; the source itself when shaping would change nothing.
  // Null for a null source.
  SharedPicture Shape(const SharedPicture& source, TurnType turn, bool rotateFollow, int angle);

 private:
  struct DecodedEntry {
    std::size_t hash;
    Transparency mode;
    std::vector<std::uint8_t> bytes;
    SharedPicture picture;
  };
  struct ShapedEntry {
    SharedPicture source;  // held, so that its address cannot be reused by another picture
    TurnType turn;
    int degrees;  // 0..359; 0 whenever the angle is not followed
    SharedPicture picture;
  };

  std::size_t capacity_;
  std::list<DecodedEntry> decoded_;  // most recently used first
  std::list<ShapedEntry> shaped_;    // most recently used first
};

}  // namespace vintello
