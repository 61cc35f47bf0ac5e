// Decoded pictures as the stage holds them: opaque RGB pixels and an optional transparent colour.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace vintello {

// A colour as 0x00RRGGBB.
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int red, int green, int blue) {
  return (static_cast<Rgb>(red & 0xFF) << 16) | (static_cast<Rgb>(green & 0xFF) << 8) |
         static_cast<Rgb>(blue & 0xFF);
}
constexpr int RedOf(Rgb c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int GreenOf(Rgb c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Rgb c) {
  return static_cast<int>(c & 0xFF);
}

struct Picture {
  int width = 0;            // at least 1 in every decoded picture
  int height = 0;           // at least 1 in every decoded picture
  std::vector<Rgb> pixels;  // row by row from the top
  std::optional<Rgb> transparent;

  Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  // A pixel of exactly the transparent colour is neither drawn nor hit.
  bool OpaqueAt(int x, int y) const { return !transparent || At(x, y) != *transparent; }

  bool operator==(const Picture&) const = default;
};

using SharedPicture = std::shared_ptr<const Picture>;

enum class Transparency {
  None,          // every pixel is opaque
  TopLeftPixel,  // the colour of the top left pixel is transparent
};

// Decodes a Windows bitmap ("BM") or a JPEG (FF D8). Bytes that are empty, of another format,
// truncated, inconsistent or otherwise undecodable give no picture; nothing here aborts.
std::optional<Picture> DecodePicture(std::span<const std::uint8_t> bytes, Transparency mode);

// 翻转: how a picture is mirrored before it is turned.
enum class TurnType : int {
  None = 0,
  LeftRight = 1,  // 左右翻转
  UpDown = 2,     // 上下翻转
  Both = 3,       // 上下左右翻转
};

// An angle in degrees brought into 0..359 (-90 gives 270, 450 gives 90).
constexpr int NormalizeDegrees(int degrees) {
  return (degrees % 360 + 360) % 360;
}

// The picture an object shows: `source` mirrored by `turn`, then, when `rotateFollow` is set,
// turned clockwise by `angleDegrees` (brought into 0..359). Quarter and half turns are exact.
// The transparent colour is kept.
Picture ShapePicture(const Picture& source, TurnType turn, bool rotateFollow, int angleDegrees);

}  // namespace vintello
