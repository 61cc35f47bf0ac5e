// Sharing pictures: equal bytes and modes give one picture, anything else another; the least
// recently used picture goes first; shaped pictures are shared per source, turn and angle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/built_in_pictures.h"
#include "tests/pictures/picture_fixtures.h"
#include "ui/pictures/picture.h"
#include "ui/pictures/picture_cache.h"

namespace vintello {
namespace {

using testing::Bytes;
using testing::MakeBitmap;

std::vector<std::uint8_t> SolidBitmap(Rgb colour) {
  return MakeBitmap(2, 2, {colour, colour, colour, colour});
}

TEST(PictureCacheDecodeTest, SharesEqualBytesAndModesOnly) {
  PictureCache cache;
  const std::vector<std::uint8_t> tile = Bytes(BuiltInTilePictures[1]);
  const std::vector<std::uint8_t> tileCopy = tile;  // equal bytes at another address
  const std::vector<std::uint8_t> otherTile = Bytes(BuiltInTilePictures[2]);

  const SharedPicture first = cache.Decode(tile, Transparency::None);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->width, 61);
  EXPECT_EQ(cache.Decode(tileCopy, Transparency::None), first);

  const SharedPicture other = cache.Decode(otherTile, Transparency::None);
  ASSERT_NE(other, nullptr);
  EXPECT_NE(other, first);

  const SharedPicture keyed = cache.Decode(tile, Transparency::TopLeftPixel);
  ASSERT_NE(keyed, nullptr);
  EXPECT_NE(keyed, first);
  EXPECT_TRUE(keyed->transparent.has_value());
  EXPECT_FALSE(first->transparent.has_value());
  EXPECT_EQ(cache.Decode(tile, Transparency::TopLeftPixel), keyed);
}

TEST(PictureCacheDecodeTest, BytesDifferingInOneByteAreNotConfused) {
  // Same length, same start: only a full comparison tells them apart.
  PictureCache cache;
  const SharedPicture red = cache.Decode(SolidBitmap(MakeRgb(255, 0, 0)), Transparency::None);
  const SharedPicture blue = cache.Decode(SolidBitmap(MakeRgb(0, 0, 255)), Transparency::None);
  ASSERT_NE(red, nullptr);
  ASSERT_NE(blue, nullptr);
  EXPECT_NE(red, blue);
  EXPECT_EQ(red->At(0, 0), MakeRgb(255, 0, 0));
  EXPECT_EQ(blue->At(0, 0), MakeRgb(0, 0, 255));
}

TEST(PictureCacheDecodeTest, GivesNullForBytesThatAreNoPicture) {
  PictureCache cache;
  const std::vector<std::uint8_t> cut(BuiltInTilePictures[0].begin(),
                                      BuiltInTilePictures[0].begin() + 300);
  for (const std::vector<std::uint8_t>& bytes :
       {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{'B', 'M'}, cut}) {
    EXPECT_EQ(cache.Decode(bytes, Transparency::None), nullptr);
    EXPECT_EQ(cache.Decode(bytes, Transparency::None), nullptr);  // also when asked again
  }
}

TEST(PictureCacheDecodeTest, DropsTheLeastRecentlyUsedPictureWhenFull) {
  PictureCache cache(2);
  const auto a = SolidBitmap(MakeRgb(1, 1, 1));
  const auto b = SolidBitmap(MakeRgb(2, 2, 2));
  const auto c = SolidBitmap(MakeRgb(3, 3, 3));
  const SharedPicture pa = cache.Decode(a, Transparency::None);
  const SharedPicture pb = cache.Decode(b, Transparency::None);
  EXPECT_EQ(cache.Decode(a, Transparency::None), pa);  // a is now the most recent
  cache.Decode(c, Transparency::None);                 // so b goes
  EXPECT_EQ(cache.Decode(a, Transparency::None), pa);
  const SharedPicture pb2 = cache.Decode(b, Transparency::None);  // decoded anew; a or c went
  EXPECT_NE(pb2, pb);
  EXPECT_EQ(*pb2, *pb) << "a fresh decode of the same bytes";
}

TEST(PictureCacheShapeTest, SharesShapesPerSourceTurnAndAngle) {
  PictureCache cache;
  const SharedPicture droplet = cache.Decode(DropletPicture, Transparency::TopLeftPixel);
  ASSERT_NE(droplet, nullptr);

  const SharedPicture up = cache.Shape(droplet, TurnType::Both, true, 0);
  const SharedPicture right = cache.Shape(droplet, TurnType::Both, true, 90);
  ASSERT_NE(up, nullptr);
  ASSERT_NE(right, nullptr);
  EXPECT_NE(up, right);
  EXPECT_EQ(cache.Shape(droplet, TurnType::Both, true, 0), up);
  EXPECT_EQ(cache.Shape(droplet, TurnType::Both, true, 450), right) << "450 is 90";
  EXPECT_EQ(cache.Shape(droplet, TurnType::Both, false, 90), up) << "angle not followed";
  EXPECT_NE(cache.Shape(droplet, TurnType::LeftRight, true, 0), up);

  EXPECT_EQ(*up, ShapePicture(*droplet, TurnType::Both, true, 0));
  EXPECT_EQ(*right, ShapePicture(*droplet, TurnType::Both, true, 90));
}

TEST(PictureCacheShapeTest, KeepsApartEqualPicturesFromDifferentSources) {
  PictureCache cache;
  const auto red = std::make_shared<const Picture>(
      testing::MakePicture(2, 1, {MakeRgb(255, 0, 0), MakeRgb(0, 0, 0)}));
  const auto green = std::make_shared<const Picture>(
      testing::MakePicture(2, 1, {MakeRgb(0, 255, 0), MakeRgb(0, 0, 0)}));
  const SharedPicture redTurned = cache.Shape(red, TurnType::LeftRight, true, 0);
  const SharedPicture greenTurned = cache.Shape(green, TurnType::LeftRight, true, 0);
  EXPECT_EQ(redTurned->At(1, 0), MakeRgb(255, 0, 0));
  EXPECT_EQ(greenTurned->At(1, 0), MakeRgb(0, 255, 0));
}

TEST(PictureCacheShapeTest, GivesTheSourceItselfWhenShapingChangesNothingAndNullForNull) {
  PictureCache cache;
  const SharedPicture tile = cache.Decode(BuiltInTilePictures[0], Transparency::None);
  ASSERT_NE(tile, nullptr);
  EXPECT_EQ(cache.Shape(tile, TurnType::None, false, 0), tile);
  EXPECT_EQ(cache.Shape(tile, TurnType::None, false, 90), tile);
  EXPECT_EQ(cache.Shape(tile, TurnType::None, true, 360), tile);
  EXPECT_EQ(cache.Shape(nullptr, TurnType::Both, true, 90), nullptr);
}

}  // namespace
}  // namespace vintello
