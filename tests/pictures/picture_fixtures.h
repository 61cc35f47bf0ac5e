// Small pictures and byte-level helpers shared by the picture tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/pictures/picture.h"

namespace vintello::testing {

// Names each case of a parameterised test after the `name` field of its parameter.
struct CaseName {
  template <typename Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& test) const {
    return test.param.name;
  }
};

inline std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> span) {
  return {span.begin(), span.end()};
}

inline std::uint32_t ReadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t at,
                                      int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

inline std::vector<std::uint8_t> WithLittleEndian(std::vector<std::uint8_t> bytes, std::size_t at,
                                                  std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) {
    bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return bytes;
}

inline std::vector<std::uint8_t> Truncated(std::vector<std::uint8_t> bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

// A 24-bit bottom-up bitmap written by hand, independent of the code under test. `topDown`
// lists the pixels row by row from the top; `gap` extra bytes lie between headers and pixels.
inline std::vector<std::uint8_t> MakeBitmap(int width, int height, const std::vector<Rgb>& topDown,
                                            std::uint32_t gap = 0) {
  const auto stride = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
  const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);
  const std::uint32_t offset = 54 + gap;
  std::vector<std::uint8_t> b(offset + pixelBytes, 0);
  b[0] = 'B';
  b[1] = 'M';
  b = WithLittleEndian(b, 2, offset + pixelBytes, 4);
  b = WithLittleEndian(b, 10, offset, 4);
  b = WithLittleEndian(b, 14, 40, 4);
  b = WithLittleEndian(b, 18, static_cast<std::uint32_t>(width), 4);
  b = WithLittleEndian(b, 22, static_cast<std::uint32_t>(height), 4);
  b = WithLittleEndian(b, 26, 1, 2);
  b = WithLittleEndian(b, 28, 24, 2);
  b = WithLittleEndian(b, 34, pixelBytes, 4);
  for (int row = 0; row < height; ++row) {
    const int y = height - 1 - row;  // stored bottom row first
    for (int x = 0; x < width; ++x) {
      const Rgb c = topDown[static_cast<std::size_t>(y * width + x)];
      const std::size_t at =
          offset + static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(x) * 3;
      b[at] = static_cast<std::uint8_t>(BlueOf(c));
      b[at + 1] = static_cast<std::uint8_t>(GreenOf(c));
      b[at + 2] = static_cast<std::uint8_t>(RedOf(c));
    }
    // Padding bytes that a careless reader would take for pixels.
    for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad) {
      b[offset + static_cast<std::size_t>(row) * stride + pad] = 0xEE;
    }
  }
  return b;
}

inline Picture MakePicture(int width, int height, std::vector<Rgb> pixels,
                           std::optional<Rgb> transparent = std::nullopt) {
  return Picture{width, height, std::move(pixels), transparent};
}

// Perceived lightness, enough to tell the yellow-green end of a droplet from its green end.
inline double Lightness(Rgb c) {
  return 0.299 * RedOf(c) + 0.587 * GreenOf(c) + 0.114 * BlueOf(c);
}

}  // namespace vintello::testing
