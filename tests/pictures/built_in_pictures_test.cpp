// The pictures built into the program: they decode to their sizes, carry the headers the game
// relies on and look like what they stand for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "assets/built_in_pictures.h"
#include "assets/window_icon.h"
#include "tests/pictures/picture_fixtures.h"
#include "ui/pictures/picture.h"

namespace vintello {
namespace {

using testing::ReadLittleEndian;

const Rgb kWhite = MakeRgb(255, 255, 255);

struct BuiltInPicture {
  std::string name;
  std::span<const std::uint8_t> bytes;
  int width;
  int height;
};

std::vector<BuiltInPicture> AllBuiltInPictures() {
  return {{"tile1", BuiltInTilePictures[0], 61, 60}, {"tile2", BuiltInTilePictures[1], 61, 62},
          {"tile3", BuiltInTilePictures[2], 63, 61}, {"tile4", BuiltInTilePictures[3], 60, 62},
          {"tile5", BuiltInTilePictures[4], 62, 60}, {"droplet", DropletPicture, 17, 29},
          {"icon", WindowIconPicture, 64, 64}};
}

void PrintTo(const BuiltInPicture& c, std::ostream* out) {
  *out << c.name;
}

class BuiltInPictureTest : public ::testing::TestWithParam<BuiltInPicture> {};

TEST_P(BuiltInPictureTest, DecodesToItsSizeInBothModes) {
  const BuiltInPicture& p = GetParam();
  for (Transparency mode : {Transparency::None, Transparency::TopLeftPixel}) {
    const std::optional<Picture> picture = DecodePicture(p.bytes, mode);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, p.width);
    EXPECT_EQ(picture->height, p.height);
    EXPECT_EQ(picture->pixels.size(), static_cast<std::size_t>(p.width * p.height));
    if (mode == Transparency::None) {
      EXPECT_FALSE(picture->transparent.has_value());
    } else {
      EXPECT_EQ(picture->transparent, picture->At(0, 0));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Assets, BuiltInPictureTest, ::testing::ValuesIn(AllBuiltInPictures()),
                         testing::CaseName());

// --- Tile headers -----------------------------------------------------------------------------

struct Segment {
  std::uint8_t marker;
  std::size_t payload;  // offset of the byte after the length field
  std::size_t length;   // payload length, without the two length bytes
};

std::uint32_t BigEndian16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] << 8 | b[at + 1]);
}

// The marker segments from just after SOI up to and including SOS.
std::vector<Segment> HeaderSegments(std::span<const std::uint8_t> b) {
  std::vector<Segment> segments;
  std::size_t at = 2;
  while (at + 4 <= b.size() && b[at] == 0xFF) {
    const std::uint8_t marker = b[at + 1];
    const std::size_t length = BigEndian16(b, at + 2);
    segments.push_back({marker, at + 4, length - 2});
    if (marker == 0xDA) break;
    at += 2 + length;
  }
  return segments;
}

const Segment* Find(const std::vector<Segment>& segments, std::uint8_t marker) {
  const auto it = std::find_if(segments.begin(), segments.end(),
                               [&](const Segment& s) { return s.marker == marker; });
  return it == segments.end() ? nullptr : &*it;
}

class TileHeaderTest : public ::testing::TestWithParam<BuiltInPicture> {};

TEST_P(TileHeaderTest, IsBaselineJfifAt96DpiWithLuminanceSampledTwoByTwo) {
  const BuiltInPicture& p = GetParam();
  const auto b = p.bytes;
  ASSERT_GE(b.size(), 4u);
  EXPECT_EQ(b[0], 0xFF);
  EXPECT_EQ(b[1], 0xD8);  // SOI
  EXPECT_EQ(b[b.size() - 2], 0xFF);
  EXPECT_EQ(b[b.size() - 1], 0xD9);  // EOI

  const std::vector<Segment> segments = HeaderSegments(b);
  ASSERT_FALSE(segments.empty());
  const Segment& app0 = segments.front();
  ASSERT_EQ(app0.marker, 0xE0);
  ASSERT_GE(app0.length, 14u);
  EXPECT_EQ(std::memcmp(&b[app0.payload], "JFIF\0", 5), 0);
  EXPECT_EQ(b[app0.payload + 5], 1);  // version 1.01
  EXPECT_EQ(b[app0.payload + 6], 1);
  EXPECT_EQ(b[app0.payload + 7], 1);  // density in dots per inch
  EXPECT_EQ(BigEndian16(b, app0.payload + 8), 96u);
  EXPECT_EQ(BigEndian16(b, app0.payload + 10), 96u);

  for (const Segment& s : segments) {
    const bool otherFrameType = s.marker >= 0xC1 && s.marker <= 0xCF && s.marker != 0xC4 &&
                                s.marker != 0xC8 && s.marker != 0xCC;
    EXPECT_FALSE(otherFrameType) << "frame marker FF" << std::hex << int{s.marker};
  }
  const Segment* sof = Find(segments, 0xC0);
  ASSERT_NE(sof, nullptr) << "no baseline frame";
  const std::size_t f = sof->payload;
  EXPECT_EQ(b[f], 8);  // bits per sample
  EXPECT_EQ(BigEndian16(b, f + 1), static_cast<std::uint32_t>(p.height));
  EXPECT_EQ(BigEndian16(b, f + 3), static_cast<std::uint32_t>(p.width));
  ASSERT_EQ(b[f + 5], 3);      // components
  EXPECT_EQ(b[f + 7], 0x22);   // Y: 2 x 2
  EXPECT_EQ(b[f + 10], 0x11);  // Cb: 1 x 1
  EXPECT_EQ(b[f + 13], 0x11);  // Cr: 1 x 1
  EXPECT_NE(Find(segments, 0xDB), nullptr) << "no quantisation table";
  EXPECT_NE(Find(segments, 0xC4), nullptr) << "no Huffman table";
  EXPECT_EQ(segments.back().marker, 0xDA) << "no scan";

  EXPECT_GE(b.size(), 1200u);
  EXPECT_LE(b.size(), 3500u);
}

std::vector<BuiltInPicture> TilePicturesOnly() {
  std::vector<BuiltInPicture> all = AllBuiltInPictures();
  all.resize(BuiltInTilePictures.size());
  return all;
}

INSTANTIATE_TEST_SUITE_P(Tiles, TileHeaderTest, ::testing::ValuesIn(TilePicturesOnly()),
                         testing::CaseName());

// --- Droplet header ---------------------------------------------------------------------------

TEST(DropletHeaderTest, HasEveryFieldOfAnUncompressed24BitBitmap) {
  struct Field {
    const char* name;
    std::size_t offset;
    int size;
    std::uint32_t value;
  };
  const Field fields[] = {
      {"magic", 0, 2, 'B' | 'M' << 8},
      {"file size", 2, 4, 1562},
      {"reserved 1", 6, 2, 0},
      {"reserved 2", 8, 2, 0},
      {"pixel offset", 10, 4, 54},
      {"info header size", 14, 4, 40},
      {"width", 18, 4, 17},
      {"height (bottom-up)", 22, 4, 29},
      {"planes", 26, 2, 1},
      {"bits per pixel", 28, 2, 24},
      {"compression", 30, 4, 0},
      {"pixel data size", 34, 4, 1508},
      {"horizontal pixels per metre", 38, 4, 3780},
      {"vertical pixels per metre", 42, 4, 3780},
      {"palette colours", 46, 4, 0},
      {"important colours", 50, 4, 0},
  };
  ASSERT_EQ(DropletPicture.size(), 1562u);
  for (const Field& field : fields) {
    EXPECT_EQ(ReadLittleEndian(DropletPicture, field.offset, field.size), field.value)
        << field.name;
  }
}

TEST(DropletHeaderTest, PadsEveryRowFrom51To52BytesWithZeros) {
  for (std::size_t row = 0; row < 29; ++row) {
    EXPECT_EQ(DropletPicture[54 + row * 52 + 51], 0) << "row " << row;
  }
}

// --- Looks ------------------------------------------------------------------------------------

bool IsDropGreen(Rgb c) {
  return GreenOf(c) > RedOf(c) + 50 && GreenOf(c) > BlueOf(c) + 40;
}

struct DropLook {
  int tile;  // 1 to 5
  int width;
  int height;
  double centreX;
  double centreY;
};

// The drop's extent, from the tile's bright green pixels; 0 x 0 when there is none.
TEST(TileLookTest, EachTileShowsItsDropAtItsSizeAndPlace) {
  const DropLook looks[] = {
      {1, 0, 0, 0, 0},      // the empty pane
      {2, 23, 18, 30, 25},  // small drop (its speck widens it by a pixel or two)
      {3, 45, 38, 34, 27},  // lumpy drop
      {4, 55, 54, 31, 27},  // pear touching the top edge
      {5, 58, 58, 33, 29},  // fills the tile, touching the top and right edges
  };
  constexpr double kSizeTolerance = 3;
  constexpr double kCentreTolerance = 2;
  for (const DropLook& look : looks) {
    SCOPED_TRACE("tile " + std::to_string(look.tile));
    const auto picture = DecodePicture(BuiltInTilePictures[static_cast<std::size_t>(look.tile - 1)],
                                       Transparency::None);
    ASSERT_TRUE(picture.has_value());
    int left = picture->width, top = picture->height, right = -1, bottom = -1;
    for (int y = 0; y < picture->height; ++y) {
      for (int x = 0; x < picture->width; ++x) {
        if (!IsDropGreen(picture->At(x, y))) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    if (look.width == 0) {
      EXPECT_EQ(right, -1) << "the empty tile has green at " << left << "," << top;
      continue;
    }
    ASSERT_GE(right, 0) << "no drop";
    EXPECT_NEAR(right - left + 1, look.width, kSizeTolerance);
    EXPECT_NEAR(bottom - top + 1, look.height, kSizeTolerance);
    EXPECT_NEAR((left + right + 1) / 2.0, look.centreX, kCentreTolerance);
    EXPECT_NEAR((top + bottom + 1) / 2.0, look.centreY, kCentreTolerance);
  }
}

TEST(TileLookTest, EmptyPaneIsOliveGreyOnTheLeftAndLavenderOnTheRight) {
  struct Sample {
    int x;
    int y;
    Rgb expected;
  };
  const Sample samples[] = {
      {15, 20, MakeRgb(118, 109, 91)},   // olive-grey, left two thirds
      {41, 30, MakeRgb(128, 148, 184)},  // blue-lavender reflection, right third...
      {56, 30, MakeRgb(151, 175, 211)},  // ...brightening next to the right rim
      {1, 30, MakeRgb(213, 226, 214)},   // pale grey-green rim on the left
      {59, 30, MakeRgb(203, 232, 230)},  // pale cyan rim on the right
  };
  constexpr int kTolerance = 14;  // the streaks, the gradients and JPEG's loss
  const auto pane = DecodePicture(BuiltInTilePictures[0], Transparency::None);
  ASSERT_TRUE(pane.has_value());
  for (const Sample& s : samples) {
    const Rgb c = pane->At(s.x, s.y);
    SCOPED_TRACE(::testing::Message() << "at " << s.x << "," << s.y << ": " << RedOf(c) << ","
                                      << GreenOf(c) << "," << BlueOf(c));
    EXPECT_NEAR(RedOf(c), RedOf(s.expected), kTolerance);
    EXPECT_NEAR(GreenOf(c), GreenOf(s.expected), kTolerance);
    EXPECT_NEAR(BlueOf(c), BlueOf(s.expected), kTolerance);
  }
}

class DropletLookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto decoded = DecodePicture(DropletPicture, Transparency::TopLeftPixel);
    ASSERT_TRUE(decoded.has_value());
    droplet = std::move(*decoded);
  }
  static bool CentreInsideEllipse(int x, int y) {
    const double u = (x + 0.5 - 8.5) / 8.5;
    const double v = (y + 0.5 - 14.5) / 14.5;
    return u * u + v * v <= 1;
  }
  Picture droplet;
};

TEST_F(DropletLookTest, WhiteBackgroundIsTransparentAndFillsTheCorners) {
  EXPECT_EQ(droplet.At(0, 0), kWhite);
  EXPECT_EQ(droplet.transparent, kWhite);
  for (auto [x, y] : {std::pair{0, 0}, {16, 0}, {0, 28}, {16, 28}, {1, 1}, {15, 27}}) {
    EXPECT_FALSE(droplet.OpaqueAt(x, y)) << x << "," << y;
  }
}

TEST_F(DropletLookTest, NoPixelInsideTheEllipseIsPureWhite) {
  int inside = 0;
  for (int y = 0; y < droplet.height; ++y) {
    for (int x = 0; x < droplet.width; ++x) {
      if (!CentreInsideEllipse(x, y)) continue;
      ++inside;
      EXPECT_TRUE(droplet.OpaqueAt(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(inside, 17 * 29 * 3 / 4);  // the ellipse fills most of the frame
}

TEST_F(DropletLookTest, EdgeIsBlendedTowardWhiteYetOpaque) {
  int nearWhite = 0;
  for (int y = 0; y < droplet.height; ++y) {
    for (int x = 0; x < droplet.width; ++x) {
      const Rgb c = droplet.At(x, y);
      if (c != kWhite && std::min({RedOf(c), GreenOf(c), BlueOf(c)}) >= 140) {
        ++nearWhite;
        EXPECT_TRUE(droplet.OpaqueAt(x, y));
        EXPECT_FALSE(CentreInsideEllipse(x, y) && x > 2 && x < 14 && y > 4 && y < 24)
            << "pale pixel in the middle at " << x << "," << y;
      }
    }
  }
  EXPECT_GE(nearWhite, 8);
}

TEST_F(DropletLookTest, ShadedYellowGreenAtTopGreenInMiddleDeeperGreenAtBottom) {
  struct Sample {
    int y;
    Rgb expected;
  };
  const Sample samples[] = {
      {2, MakeRgb(56, 230, 18)},
      {14, MakeRgb(59, 184, 48)},
      {26, MakeRgb(51, 181, 57)},
  };
  constexpr int kTolerance = 20;
  for (const Sample& s : samples) {
    const Rgb c = droplet.At(8, s.y);
    SCOPED_TRACE(::testing::Message()
                 << "row " << s.y << ": " << RedOf(c) << "," << GreenOf(c) << "," << BlueOf(c));
    EXPECT_NEAR(RedOf(c), RedOf(s.expected), kTolerance);
    EXPECT_NEAR(GreenOf(c), GreenOf(s.expected), kTolerance);
    EXPECT_NEAR(BlueOf(c), BlueOf(s.expected), kTolerance);
  }
  EXPECT_GT(testing::Lightness(droplet.At(8, 2)), testing::Lightness(droplet.At(8, 26)) + 10);
}

}  // namespace
}  // namespace vintello
