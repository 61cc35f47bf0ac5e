// Start-up, the grid of tile objects, identifiers, restart and the state's release.
#include <algorithm>

#include "assets/built_in_pictures.h"
#include "tests/game/game_fixture.h"

namespace vintello::testing {
namespace {

using StartUpTest = GameFixture;

// Where every tile stands: the top row is one pixel off the others, and tile 1 sits at (1, 1).
struct TilePlace {
  ObjectId first;
  ObjectId last;
  std::array<std::int32_t, 6> lefts;
  std::int32_t top;
};
constexpr std::array<TilePlace, 7> TilePlaces{{
    {1, 1, {1}, 1},
    {2, 6, {60, 120, 180, 240, 300}, 0},
    {7, 12, {1, 61, 121, 181, 241, 301}, 60},
    {13, 18, {1, 61, 121, 181, 241, 301}, 120},
    {19, 24, {1, 61, 121, 181, 241, 301}, 180},
    {25, 30, {1, 61, 121, 181, 241, 301}, 240},
    {31, 36, {1, 61, 121, 181, 241, 301}, 300},
}};

TEST_F(StartUpTest, BuildsThirtySixTilesAtTheirPlacesAndStartsLevelOne) {
  StartUp();

  EXPECT_EQ(stage_.CountObjects(), CellCount);
  std::vector<ObjectId> expectedIds;
  for (const TilePlace& row : TilePlaces) {
    for (ObjectId id = row.first; id <= row.last; ++id) {
      expectedIds.push_back(id);
      SCOPED_TRACE("tile " + std::to_string(id));
      EXPECT_EQ(stage_.GetObjectLeft(id), row.lefts[static_cast<std::size_t>(id - row.first)]);
      EXPECT_EQ(stage_.GetObjectTop(id), row.top);
      const auto view = stage_.View(id);
      ASSERT_TRUE(view);
      EXPECT_EQ(view->type, 1);
      EXPECT_EQ(view->layer, 1);
      EXPECT_TRUE(view->collideAllowed);
      EXPECT_TRUE(view->visible);
      EXPECT_FALSE(view->advancing);
      EXPECT_NE(TilePictureShown(id), 0) << "every tile shows one of the tile pictures";
    }
  }
  EXPECT_EQ(stage_.ObjectIdsInListOrder(), expectedIds);
  EXPECT_EQ(captions_[CaptionLabel::标签1], "10");
  EXPECT_EQ(captions_[CaptionLabel::标签3], "1");
  EXPECT_EQ(captions_[CaptionLabel::标签5], CreditLine);
  EXPECT_EQ(state().Water, 10);
  EXPECT_EQ(state().Level, 1);
  EXPECT_EQ(state().BonusCounter, 0);
  EXPECT_TRUE(state().BoardReady);
  ExpectConsistent("after start-up");
}

TEST_F(StartUpTest, TilePicturesAreTheGamesOwnCopiesOfTheBuiltInOnes) {
  StartUp();
  for (int index = 1; index <= TilePictureCount; ++index) {
    const EncodedPicture& copy = (*state().TilePictures)[index];
    const auto builtIn = BuiltInTilePictures[static_cast<std::size_t>(index - 1)];
    EXPECT_TRUE(std::equal(copy.begin(), copy.end(), builtIn.begin(), builtIn.end()))
        << "picture " << index;
    EXPECT_NE(copy.data(), builtIn.data()) << "picture " << index;
  }
}

TEST_F(StartUpTest, DropletIdentifiersStartAt37AndKeepGrowingAcrossRestarts) {
  StartUp();
  game_.SpawnDroplet(100, 100, 0);
  game_.HandleRestartClicked();
  game_.SpawnDroplet(100, 100, 0);
  game_.NewLevel();
  game_.SpawnDroplet(100, 100, 0);

  EXPECT_EQ(Droplets(), (std::vector<ObjectId>{37, 38, 39}));
}

TEST_F(StartUpTest, RestartMakesLevelOneWithTenWaterAndKeepsTheRest) {
  StartUp();
  SetBoard(BoardOf(Cleared, {{15, 4}}));
  PressTile(15);  // a burst: BonusCounter 1 and four droplets in flight
  ASSERT_EQ(DropletCount(), 4);
  SetWater(3);
  captions_.SetCaption(CaptionLabel::标签5, OutOfWaterMessage);

  game_.HandleRestartClicked();

  EXPECT_EQ(state().Level, 1);
  EXPECT_EQ(state().Water, 10);
  EXPECT_EQ(state().BonusCounter, 1);
  EXPECT_EQ(DropletCount(), 4);
  EXPECT_EQ(captions_[CaptionLabel::标签5], CreditLine);
  ExpectConsistent("after restart");
}

TEST(GameStateLifetime, AllocateGivesAFreshStateAndReleaseFreesItOnce) {
  GameState& state = AllocateGameState();
  EXPECT_FALSE(state.BoardReady);
  ASSERT_TRUE(state.Board);
  for (int cell = 1; cell <= CellCount; ++cell) EXPECT_EQ((*state.Board)[cell], Blank);
  ASSERT_TRUE(state.TilePictures);
  for (int index = 1; index <= TilePictureCount; ++index) {
    EXPECT_TRUE((*state.TilePictures)[index].empty());
  }
  EXPECT_EQ(state.Water, 0);
  EXPECT_EQ(state.Remaining, 0);
  EXPECT_EQ(state.Level, 0);
  EXPECT_EQ(state.BonusCounter, 0);
  EXPECT_EQ(TheGameState(), &state);

  const int releasedBefore = GameStateReleaseCount();
  ReleaseGameState();
  ReleaseGameState();
  EXPECT_EQ(GameStateReleaseCount(), releasedBefore + 1);
  EXPECT_EQ(TheGameState(), nullptr);
}

}  // namespace
}  // namespace vintello::testing
