// Presses on tiles: the outcome of every cell value, the free next level and no water.
#include "tests/game/game_fixture.h"

namespace vintello::testing {
namespace {

constexpr ObjectId Pressed = 15;  // a tile in the middle of the board

struct PressOutcome {
  const char* name;
  std::array<CellState, CellCount> board;
  std::int32_t waterDelta;
  std::int32_t remainingAfter;
  std::int32_t bonusDelta;
  CellState cellAfter;
  int pictureAfter;
  int dropletsThrown;
  std::int32_t levelDelta;
};
void PrintTo(const PressOutcome& c, std::ostream* os) {
  *os << c.name;
}

std::vector<PressOutcome> PressOutcomes() {
  auto around = [](CellState pressed) { return BoardOf(1, {{Pressed, pressed}}); };
  return {
      {"a blank cell grows a size-1 drop", around(Blank), -1, 36, 0, 1, 2, 0, 0},
      {"a size-1 drop grows", around(1), -1, 36, 0, 2, 3, 0, 0},
      {"a size-2 drop grows", around(2), -1, 36, 0, 3, 4, 0, 0},
      {"a size-3 drop grows", around(3), -1, 36, 0, 4, 5, 0, 0},
      {"a size-4 drop bursts", around(4), -1, 35, 1, Cleared, 1, 4, 0},
      {"a cleared cell is refilled while others remain", around(Cleared), -1, 36, 0, 1, 2, 0, 0},
      // On an all-cleared board the press starts the next level (drawn at the lower bounds).
      {"a cleared board starts the next level for free", BoardOf(Cleared), +1, 26, 0, 1, 2, 0, 1},
  };
}

class TilePressTest : public GameFixture, public ::testing::WithParamInterface<PressOutcome> {
 protected:
  void SetUp() override { StartUp(); }
};

TEST_P(TilePressTest, ChangesWaterCellPictureAndCountersAsTheRulesSay) {
  const PressOutcome& expected = GetParam();
  SetBoard(expected.board);
  SetWater(5);
  state().BonusCounter = 1;
  const std::int32_t levelBefore = state().Level;

  PressTile(Pressed);

  EXPECT_EQ(state().Water, 5 + expected.waterDelta);
  EXPECT_EQ(state().Remaining, expected.remainingAfter);
  EXPECT_EQ(state().BonusCounter, 1 + expected.bonusDelta);
  EXPECT_EQ((*state().Board)[Pressed], expected.cellAfter);
  EXPECT_EQ(TilePictureShown(Pressed), expected.pictureAfter);
  EXPECT_EQ(DropletCount(), expected.dropletsThrown);
  EXPECT_EQ(state().Level, levelBefore + expected.levelDelta);
  EXPECT_EQ(captions_[CaptionLabel::标签5], CreditLine);
  ExpectConsistent(expected.name);
}

INSTANTIATE_TEST_SUITE_P(EveryCellValue, TilePressTest, ::testing::ValuesIn(PressOutcomes()),
                         [](const auto& test) { return "Case" + std::to_string(test.index); });

// Everything a press could change, to show that a press without water changes none of it.
struct Snapshot {
  std::array<CellState, CellCount> cells;
  std::int32_t water, remaining, bonus, level;
  std::vector<ObjectId> objects;
  std::vector<int> pictures;
  bool operator==(const Snapshot&) const = default;
};

class NoWaterTest : public GameFixture {
 protected:
  void SetUp() override {
    StartUp();
    SetWater(0);
    captions_.SetCaption(CaptionLabel::标签1, "0");
  }
  Snapshot Take() const {
    Snapshot s{{},
               state_->Water,
               state_->Remaining,
               state_->BonusCounter,
               state_->Level,
               stage_.ObjectIdsInListOrder(),
               {}};
    for (int cell = 1; cell <= CellCount; ++cell) {
      s.cells[static_cast<std::size_t>(cell - 1)] = (*state_->Board)[cell];
      s.pictures.push_back(TilePictureShown(cell));
    }
    return s;
  }
};

TEST_F(NoWaterTest, APressOnAnyTileOnlyShowsTheMessage) {
  for (const auto& board :
       {BoardOf(1, {{Pressed, Blank}, {16, 4}, {17, Cleared}}), BoardOf(Cleared)}) {
    SetBoard(board);
    for (ObjectId tile : {Pressed, ObjectId{16}, ObjectId{17}}) {
      captions_.SetCaption(CaptionLabel::标签5, std::string(CreditLine));
      const Snapshot before = Take();
      PressTile(tile);
      EXPECT_EQ(captions_[CaptionLabel::标签5], OutOfWaterMessage) << "tile " << tile;
      EXPECT_TRUE(Take() == before) << "tile " << tile << " changed the game";
    }
  }
}

TEST_F(NoWaterTest, APressOnNoObjectOrOnADropletShowsNothing) {
  game_.SpawnDroplet(100, 100, 0);  // up: 17 x 29 at (100, 100), opaque in its middle
  const Snapshot before = Take();

  PressAt(0, 200);    // column 0 belongs to no tile
  PressAt(108, 114);  // the droplet's middle, over a tile

  EXPECT_EQ(events_, (EventLog{"press 0", "press 37"}));
  EXPECT_EQ(captions_[CaptionLabel::标签5], CreditLine);
  EXPECT_TRUE(Take() == before);
}

TEST_F(NoWaterTest, TheMessageStaysUntilTheNextLevel) {
  PressTile(Pressed);
  ASSERT_EQ(captions_[CaptionLabel::标签5], OutOfWaterMessage);
  game_.HandleRestartClicked();
  EXPECT_EQ(captions_[CaptionLabel::标签5], CreditLine);
  EXPECT_EQ(state().Water, 10);
}

TEST_F(TilePressTest, TheLastUnitOfWaterBurstsAndTheNextPressFindsNone) {
  SetBoard(BoardOf(1, {{Pressed, 4}}));
  SetWater(1);
  PressTile(Pressed);
  EXPECT_EQ(captions_[CaptionLabel::标签1], "0");
  EXPECT_EQ(DropletCount(), 4);
  PressTile(16);
  EXPECT_EQ(captions_[CaptionLabel::标签5], OutOfWaterMessage);
  EXPECT_EQ((*state().Board)[16], 1);
}

TEST_F(TilePressTest, TheSecondPressOfADoubleClickIsNotATilePress) {
  SetBoard(BoardOf(1));
  SetWater(5);
  const int x = stage_.GetObjectLeft(Pressed) + 30;
  const int y = stage_.GetObjectTop(Pressed) + 30;
  stage_.PressLeft(x, y, false);
  stage_.PressLeft(x, y, true);
  EXPECT_EQ(state().Water, 4);
  EXPECT_EQ((*state().Board)[Pressed], 2);
  EXPECT_EQ(events_, (EventLog{"press 15", "double 15"}));
}

}  // namespace
}  // namespace vintello::testing
