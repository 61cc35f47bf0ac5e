// The icon for desktop menus: PNG files that a real decoder reads back pixel for pixel, and a
// drop that is the window's icon at every size, on a transparent background.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tools/draw_pictures/artwork.h"
#include "tools/draw_pictures/encoders.h"

namespace vintello::draw {
namespace {

QImage Decode(const std::vector<std::uint8_t>& png) {
  return QImage::fromData(
      QByteArray(reinterpret_cast<const char*>(png.data()), static_cast<qsizetype>(png.size())),
      "PNG");
}

// Every channel of every pixel differs from its neighbours', so a swapped channel, a shifted
// row or a lost byte shows.
RgbaImage Pattern(int width, int height) {
  RgbaImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.rgba.push_back(static_cast<std::uint8_t>(x * 7 + y));
      image.rgba.push_back(static_cast<std::uint8_t>(y * 5 + 3));
      image.rgba.push_back(static_cast<std::uint8_t>(x ^ y));
      image.rgba.push_back(static_cast<std::uint8_t>(255 - (x + 2 * y) % 256));
    }
  }
  return image;
}

struct PngCase {
  const char* name;
  int width;
  int height;
};

void PrintTo(const PngCase& c, std::ostream* out) {
  *out << c.width << " x " << c.height;
}

class PngRoundTrip : public testing::TestWithParam<PngCase> {};

TEST_P(PngRoundTrip, DecodesToTheSamePixels) {
  const RgbaImage image = Pattern(GetParam().width, GetParam().height);
  const QImage decoded = Decode(EncodePng(image));
  ASSERT_FALSE(decoded.isNull());
  ASSERT_EQ(decoded.width(), image.width);
  ASSERT_EQ(decoded.height(), image.height);
  ASSERT_TRUE(decoded.hasAlphaChannel());
  // Straight alpha: a pixel's colour survives however transparent it is.
  const QImage rgba = decoded.convertToFormat(QImage::Format_RGBA8888);
  for (int y = 0; y < image.height; ++y) {
    const uchar* row = rgba.constScanLine(y);
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* want = image.PixelAt(x, y);
      for (int channel = 0; channel < 4; ++channel) {
        ASSERT_EQ(row[x * 4 + channel], want[channel])
            << "pixel " << x << "," << y << " channel " << channel;
      }
    }
  }
}

// The deflate data is cut into blocks of at most 65535 bytes; one row is width * 4 + 1 bytes.
INSTANTIATE_TEST_SUITE_P(Sizes, PngRoundTrip,
                         testing::Values(PngCase{"one_pixel", 1, 1}, PngCase{"a_few_pixels", 3, 2},
                                         PngCase{"exactly_one_full_block", 64, 255},
                                         PngCase{"exactly_two_full_blocks", 64, 510},
                                         PngCase{"blocks_end_inside_rows", 300, 250}),
                         [](const testing::TestParamInfo<PngCase>& c) {
                           return std::string(c.param.name);
                         });

// The round trip above means something only if the reader checks what it reads.
TEST(PngChecks, DamagedPixelDataIsRefused) {
  const std::vector<std::uint8_t> good = EncodePng(Pattern(8, 8));
  ASSERT_FALSE(Decode(good).isNull());
  // Signature 8, IHDR 25, then the IDAT chunk's length and type: the pixel data starts after.
  const std::size_t insideIdat = 8 + 25 + 8 + 2 + 5 + 10;
  std::vector<std::uint8_t> damaged = good;
  damaged[insideIdat] ^= 0x40;
  EXPECT_TRUE(Decode(damaged).isNull());
}

class AppIcon : public testing::TestWithParam<int> {};

double AlphaAt(const RgbaImage& image, double x, double y) {
  return image.PixelAt(static_cast<int>(x), static_cast<int>(y))[3] / 255.0;
}

// The share of the square that the drop covers.
double Coverage(const RgbaImage& image) {
  double sum = 0;
  for (std::size_t i = 3; i < image.rgba.size(); i += 4) sum += image.rgba[i] / 255.0;
  return sum / (image.width * image.height);
}

TEST_P(AppIcon, IsTheDropAloneAtItsSize) {
  const int size = GetParam();
  const RgbaImage icon = DrawAppIcon(size);
  ASSERT_EQ(icon.width, size);
  ASSERT_EQ(icon.height, size);
  ASSERT_EQ(icon.rgba.size(), static_cast<std::size_t>(size * size * 4));

  const double last = size - 1;
  for (const auto& [x, y] : {std::pair{0.0, 0.0}, {last, 0.0}, {0.0, last}, {last, last}}) {
    EXPECT_EQ(AlphaAt(icon, x, y), 0.0) << "corner " << x << "," << y;
  }
  // The drop's round body sits in the lower middle, its tip near the top; both scale with it.
  const double scale = size / 64.0;
  const std::uint8_t* body =
      icon.PixelAt(static_cast<int>(32 * scale), static_cast<int>(44 * scale));
  EXPECT_EQ(body[3], 255);
  EXPECT_GT(body[1], body[0] + 60) << "green";
  EXPECT_GT(body[1], body[2] + 60) << "green";
  EXPECT_EQ(AlphaAt(icon, 32 * scale, 3 * scale), 0.0) << "above the tip";

  // The same drawing at every size: it covers the same share of the square as the window's
  // 64-pixel icon, whose drop fills about a third of it.
  const double windowIconCoverage = Coverage(DrawAppIcon(64));
  EXPECT_NEAR(windowIconCoverage, 0.33, 0.05);
  EXPECT_NEAR(Coverage(icon), windowIconCoverage, 0.01);
  int edge = 0;
  for (std::size_t i = 3; i < icon.rgba.size(); i += 4) {
    if (icon.rgba[i] > 0 && icon.rgba[i] < 255) ++edge;
  }
  EXPECT_GT(edge, size) << "the rim is anti-aliased into the transparent background";
}

// The sizes that desktops look for, and one between them.
INSTANTIATE_TEST_SUITE_P(DesktopSizes, AppIcon, testing::Values(16, 24, 32, 48, 64, 128, 256));

TEST(AppIcon, OnWhiteAtSixtyFourIsTheWindowIcon) {
  const RgbaImage icon = DrawAppIcon(64);
  const Image window = DrawWindowIcon();
  ASSERT_EQ(window.width, icon.width);
  ASSERT_EQ(window.height, icon.height);
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < icon.width; ++x) {
      const std::uint8_t* p = icon.PixelAt(x, y);
      const double alpha = p[3] / 255.0;
      for (int c = 0; c < 3; ++c) {
        const double onWhite = p[c] * alpha + 255 * (1 - alpha);
        ASSERT_NEAR(onWhite, window.PixelAt(x, y)[c], 2.0) << "pixel " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace vintello::draw
