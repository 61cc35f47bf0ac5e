// Feeds arbitrary bytes to picture decoding and shaping: both formats, both transparency
// modes, every mirroring and every quarter turn, plus one turn that needs resampling.
#include <cstddef>
#include <cstdint>
#include <span>

#include "ui/pictures/picture.h"
#include "ui/pictures/picture_cache.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vintello;
  const std::span<const std::uint8_t> bytes(data, size);
  for (Transparency mode : {Transparency::None, Transparency::TopLeftPixel}) {
    const auto picture = DecodePicture(bytes, mode);
    if (!picture) continue;
    if (picture->width < 1 || picture->height < 1 ||
        picture->pixels.size() != static_cast<std::size_t>(picture->width) * picture->height) {
      __builtin_trap();  // a decoded picture always has a size and all of its pixels
    }
    // Shaping is linear in the pixel count; keep large pictures to the exact turns.
    const bool small = picture->pixels.size() <= 64 * 64;
    for (int turn = 0; turn <= 3; ++turn) {
      for (int angle : {0, 90, 180, 270, -90, 45}) {
        if (angle == 45 && !small) continue;
        const Picture shaped = ShapePicture(*picture, static_cast<TurnType>(turn), true, angle);
        if (shaped.pixels.size() != static_cast<std::size_t>(shaped.width) * shaped.height ||
            shaped.transparent != picture->transparent) {
          __builtin_trap();
        }
      }
    }
  }
  PictureCache cache;
  const SharedPicture decoded = cache.Decode(bytes, Transparency::TopLeftPixel);
  if (decoded && cache.Decode(bytes, Transparency::TopLeftPixel) != decoded) __builtin_trap();
  return 0;
}
