// Decoding bitmaps and JPEGs: exact pixels from hand-made bitmaps, and no picture (and no crash)
// from any damaged, forged or foreign bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "assets/built_in_pictures.h"
#include "tests/pictures/picture_fixtures.h"
#include "ui/pictures/picture.h"

namespace vintello {
namespace {

using testing::Bytes;
using testing::MakeBitmap;
using testing::Truncated;
using testing::WithLittleEndian;

struct BitmapCase {
  std::string name;
  int width;
  int height;
  std::vector<Rgb> pixels;  // top row first
  std::uint32_t gap;        // bytes between the headers and the pixels
};

void PrintTo(const BitmapCase& c, std::ostream* out) {
  *out << c.name;
}

class BitmapDecodingTest : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapDecodingTest, GivesEveryPixelInPlaceWithTopLeftAsTransparentColour) {
  const BitmapCase& c = GetParam();
  const std::vector<std::uint8_t> bytes = MakeBitmap(c.width, c.height, c.pixels, c.gap);
  const std::optional<Picture> opaque = DecodePicture(bytes, Transparency::None);
  ASSERT_TRUE(opaque.has_value());
  EXPECT_EQ(opaque->width, c.width);
  EXPECT_EQ(opaque->height, c.height);
  EXPECT_EQ(opaque->pixels, c.pixels);
  EXPECT_FALSE(opaque->transparent.has_value());

  const std::optional<Picture> keyed = DecodePicture(bytes, Transparency::TopLeftPixel);
  ASSERT_TRUE(keyed.has_value());
  EXPECT_EQ(keyed->pixels, c.pixels);
  EXPECT_EQ(keyed->transparent, c.pixels.front());
}

const Rgb kRed = MakeRgb(255, 0, 0);
const Rgb kGreen = MakeRgb(0, 255, 0);
const Rgb kBlue = MakeRgb(0, 0, 255);

INSTANTIATE_TEST_SUITE_P(
    Layouts, BitmapDecodingTest,
    ::testing::Values(
        // 9 bytes a row, padded to 12: rows must be found by the padded stride.
        BitmapCase{
            "ThreeByTwoPadded",
            3,
            2,
            {kRed, kGreen, kBlue, MakeRgb(1, 2, 3), MakeRgb(10, 20, 30), MakeRgb(200, 100, 50)},
            0},
        // 12 bytes a row: no padding at all.
        BitmapCase{"FourByOneUnpadded", 4, 1, {kBlue, kRed, MakeRgb(9, 8, 7), kGreen}, 0},
        // One column, three rows: the first stored row is the bottom one.
        BitmapCase{"OneByThreeBottomUp", 1, 3, {kRed, kGreen, kBlue}, 0},
        // Pixels placed after a gap are found through the offset field.
        BitmapCase{"PixelsAfterAGap", 2, 2, {kGreen, kRed, kBlue, MakeRgb(77, 66, 55)}, 16}),
    testing::CaseName());

// --- Bytes that give no picture ---------------------------------------------------------------

struct BadInput {
  std::string name;
  std::vector<std::uint8_t> bytes;
  // The intact bytes that the damage was done to; they must decode, so that each case fails for
  // its damage alone. Empty for bytes made from nothing.
  std::vector<std::uint8_t> intact;
};

std::size_t FindMarker(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker) {
  for (std::size_t i = 2; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == marker) return i;
  }
  ADD_FAILURE() << "no marker FF" << std::hex << int{marker};
  return 0;
}

std::vector<std::uint8_t> RandomBytes(std::size_t count, std::vector<std::uint8_t> prefix) {
  std::mt19937 engine(20240611);  // fixed seed: the same bytes on every run
  while (prefix.size() < count) prefix.push_back(static_cast<std::uint8_t>(engine() & 0xFF));
  return prefix;
}

std::vector<BadInput> BadInputs() {
  const std::vector<std::uint8_t> bmp = Bytes(DropletPicture);
  const std::vector<std::uint8_t> jpeg = Bytes(BuiltInTilePictures[0]);
  const std::size_t sof = FindMarker(jpeg, 0xC0);   // FF C0, length, precision, height, width
  const std::size_t scan = FindMarker(jpeg, 0xDA);  // start of scan
  const std::size_t scanData = scan + 2 + (jpeg[scan + 2] << 8 | jpeg[scan + 3]);
  auto bmpWith = [&](std::size_t at, std::uint32_t value, int size) {
    return WithLittleEndian(bmp, at, value, size);
  };
  auto jpegWith = [&](std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> b = jpeg;
    b[at] = value;
    return b;
  };
  auto jpegSized = [&](std::uint16_t width, std::uint16_t height) {
    std::vector<std::uint8_t> b = jpeg;
    b[sof + 5] = static_cast<std::uint8_t>(height >> 8);
    b[sof + 6] = static_cast<std::uint8_t>(height);
    b[sof + 7] = static_cast<std::uint8_t>(width >> 8);
    b[sof + 8] = static_cast<std::uint8_t>(width);
    return b;
  };
  constexpr std::uint32_t kNegativeOne = 0xFFFFFFFF;
  return {
      {"Empty", {}, {}},
      {"OneByte", {'B'}, {}},
      {"BmAlone", {'B', 'M'}, {}},
      {"BmWithZeroHeaders", Truncated({'B', 'M'}, 54), {}},
      {"UnknownFormat", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0}, {}},
      {"RandomBytes", RandomBytes(4096, {}), {}},
      {"BmFollowedByRandomBytes", RandomBytes(4096, {'B', 'M'}), {}},
      {"JpegStartFollowedByRandomBytes", RandomBytes(4096, {0xFF, 0xD8}), {}},

      {"BmpAbsurdWidth", bmpWith(18, 0x7FFFFFFF, 4), bmp},
      {"BmpAbsurdHeight", bmpWith(22, 0x7FFFFFFF, 4), bmp},
      {"BmpWidthBeyondThePixelData", bmpWith(18, 18, 4), bmp},
      {"BmpHeightBeyondThePixelData", bmpWith(22, 30, 4), bmp},
      {"BmpWidthZero", bmpWith(18, 0, 4), bmp},
      {"BmpHeightZero", bmpWith(22, 0, 4), bmp},
      {"BmpNegativeWidth", bmpWith(18, kNegativeOne, 4), bmp},
      {"BmpNegativeHeightTopDown", bmpWith(22, static_cast<std::uint32_t>(-29), 4), bmp},
      // Added to the pixel size in 32 bits this offset would wrap round to a small number.
      {"BmpOffsetThatWrapsRound", bmpWith(10, 0xFFFFFFF0, 4), bmp},
      {"BmpOffsetOnePastFit", bmpWith(10, 55, 4), bmp},
      {"BmpOffsetInsideTheHeaders", bmpWith(10, 14, 4), bmp},
      {"BmpFileSizeBeyondTheBytes", bmpWith(2, 1563, 4), bmp},
      {"BmpFileSizeShortOfThePixels", bmpWith(2, 1561, 4), bmp},
      {"BmpImageSizeShortOfThePixels", bmpWith(34, 1507, 4), bmp},
      {"BmpEightBitsPerPixel", bmpWith(28, 8, 2), bmp},
      {"BmpThirtyTwoBitsPerPixel", bmpWith(28, 32, 2), bmp},
      {"BmpZeroBitsPerPixel", bmpWith(28, 0, 2), bmp},
      {"BmpRunLengthCompressed", bmpWith(30, 1, 4), bmp},
      {"BmpBitFields", bmpWith(30, 3, 4), bmp},
      {"BmpTwoPlanes", bmpWith(26, 2, 2), bmp},
      {"BmpCoreHeader", bmpWith(14, 12, 4), bmp},
      {"BmpVersion5Header", bmpWith(14, 124, 4), bmp},
      {"BmpTruncatedInFileHeader", Truncated(bmp, 14), bmp},
      {"BmpTruncatedInInfoHeader", Truncated(bmp, 53), bmp},
      {"BmpTruncatedAfterHeaders", Truncated(bmp, 54), bmp},
      {"BmpTruncatedInPixels", Truncated(bmp, 1000), bmp},
      {"BmpTruncatedByOneByte", Truncated(bmp, bmp.size() - 1), bmp},

      {"JpegStartAlone", {0xFF, 0xD8}, {}},
      {"JpegStartAndMarkerByte", {0xFF, 0xD8, 0xFF}, {}},
      {"JpegTruncatedInJfifHeader", Truncated(jpeg, 12), jpeg},
      {"JpegTruncatedInFrameHeader", Truncated(jpeg, sof + 6), jpeg},
      {"JpegTruncatedBeforeScanData", Truncated(jpeg, scanData), jpeg},
      {"JpegTruncatedEarlyInScanData", Truncated(jpeg, scanData + 40), jpeg},
      {"JpegTruncatedHalfway", Truncated(jpeg, jpeg.size() / 2), jpeg},
      {"JpegTruncatedLateInScanData", Truncated(jpeg, jpeg.size() - 40), jpeg},
      {"JpegWithoutEndMarker", Truncated(jpeg, jpeg.size() - 2), jpeg},
      {"JpegFramePrecision12", jpegWith(sof + 4, 12), jpeg},
      {"JpegFrameWithoutComponents", jpegWith(sof + 9, 0), jpeg},
      {"JpegFrameSamplingZero", jpegWith(sof + 11, 0x00), jpeg},
      {"JpegFrameLengthWrong", jpegWith(sof + 3, 0x05), jpeg},
      {"JpegWidthZero", jpegSized(0, 60), jpeg},
      {"JpegHeightZero", jpegSized(61, 0), jpeg},
      {"JpegClaiming60000By60000", jpegSized(60000, 60000), jpeg},
      {"JpegClaimingJustOverTheSizeCap", jpegSized(4097, 2), jpeg},
  };
}

void PrintTo(const BadInput& c, std::ostream* out) {
  *out << c.name;
}

class BadInputTest : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputTest, GivesNoPictureInEitherMode) {
  const BadInput& input = GetParam();
  if (!input.intact.empty()) {
    ASSERT_TRUE(DecodePicture(input.intact, Transparency::None).has_value())
        << "the intact bytes must decode for this case to mean anything";
    ASSERT_NE(input.bytes, input.intact);
  }
  EXPECT_FALSE(DecodePicture(input.bytes, Transparency::None).has_value());
  EXPECT_FALSE(DecodePicture(input.bytes, Transparency::TopLeftPixel).has_value());
}

INSTANTIATE_TEST_SUITE_P(Damaged, BadInputTest, ::testing::ValuesIn(BadInputs()),
                         testing::CaseName());

TEST(JpegDecodingTest, DecodesAgainAfterAFailureAndGivesTheSamePixels) {
  // A failed decode must leave nothing behind that spoils the next one.
  const std::vector<std::uint8_t> jpeg = Bytes(BuiltInTilePictures[2]);
  const auto before = DecodePicture(jpeg, Transparency::None);
  ASSERT_TRUE(before.has_value());
  EXPECT_FALSE(DecodePicture(Truncated(jpeg, jpeg.size() / 2), Transparency::None).has_value());
  const auto after = DecodePicture(jpeg, Transparency::None);
  ASSERT_TRUE(after.has_value());
  EXPECT_EQ(after->pixels, before->pixels);
}

}  // namespace
}  // namespace vintello
