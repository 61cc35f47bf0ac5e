// Windows bitmaps: every header field is checked against the bytes before a pixel is read.
#include <cstdint>
#include <optional>
#include <span>

#include "ui/pictures/picture_formats.h"

namespace vintello {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::int32_t ReadI32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::int32_t>(ReadU32(bytes, at));
}

}  // namespace

std::optional<Picture> DecodeBitmap(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
  const std::uint32_t fileSize = ReadU32(bytes, 2);
  const std::uint32_t pixelOffset = ReadU32(bytes, 10);
  const std::uint32_t infoSize = ReadU32(bytes, 14);
  const std::int32_t width = ReadI32(bytes, 18);
  const std::int32_t height = ReadI32(bytes, 22);  // negative (top-down rows) is not taken
  const std::uint16_t planes = ReadU16(bytes, 26);
  const std::uint16_t bitsPerPixel = ReadU16(bytes, 28);
  const std::uint32_t compression = ReadU32(bytes, 30);
  const std::uint32_t imageSize = ReadU32(bytes, 34);  // 0 is allowed for uncompressed data

  if (infoSize != kInfoHeaderSize || planes != 1 || bitsPerPixel != 24 || compression != 0) {
    return std::nullopt;
  }
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
    return std::nullopt;
  }
  // 64-bit sums: a forged offset near 4 GiB must not wrap round into range.
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
  const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(height);
  const std::uint64_t pixelEnd = static_cast<std::uint64_t>(pixelOffset) + pixelBytes;
  if (fileSize > bytes.size() || pixelOffset < kFileHeaderSize + kInfoHeaderSize ||
      pixelEnd > fileSize || (imageSize != 0 && imageSize < pixelBytes)) {
    return std::nullopt;
  }

  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int row = 0; row < height; ++row) {
    // The first stored row is the bottom one.
    const auto from =
        static_cast<std::size_t>(pixelOffset + static_cast<std::uint64_t>(row) * stride);
    Rgb* to =
        &picture
             .pixels[static_cast<std::size_t>(height - 1 - row) * static_cast<std::size_t>(width)];
    for (int x = 0; x < width; ++x) {
      const std::size_t at = from + static_cast<std::size_t>(x) * 3;
      to[x] = MakeRgb(bytes[at + 2], bytes[at + 1], bytes[at]);
    }
  }
  return picture;
}

}  // namespace vintello
