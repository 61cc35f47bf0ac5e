// The game fixture: a real stage and game, scripted draws, recorded captions and events.
#include "tests/game/game_fixture.h"

#include <algorithm>

#include "assets/built_in_pictures.h"
#include "ui/window_layout.h"

namespace vintello::testing {
namespace {

constexpr Rgb Face = MakeRgb(239, 239, 239);

// The sizes of tile pictures 1 to 5; they all differ, so a size tells the picture.
constexpr std::array<std::pair<int, int>, 5> TilePictureSizes{
    {{61, 60}, {61, 62}, {63, 61}, {60, 62}, {62, 60}}};

std::string Join(const char* what, std::initializer_list<std::int32_t> values) {
  std::string text = what;
  for (std::int32_t v : values) text += " " + std::to_string(v);
  return text;
}

}  // namespace

std::string RecordedCaptions::operator[](CaptionLabel label) const {
  auto found = text_.find(label);
  return found == text_.end() ? std::string() : found->second;
}

std::int32_t ScriptedRandom::Draw(std::int32_t low, std::int32_t high) {
  std::int32_t value = fallback == Fallback::Low ? low : high;
  if (fallbackDraw) value = fallbackDraw(low, high);
  if (!script.empty()) {
    value = script.front();
    script.pop_front();
  }
  calls.push_back({low, high, value});
  return value;
}

GameFixture::GameFixture()
    : stage_(362, 362, Face),
      droplet_(DropletTemplateProperties()),
      state_(MakeGameState()),
      game_(*state_, GameSurroundings{stage_, droplet_, captions_, random_, std::string(CreditLine),
                                      BuiltInTilePictures}) {
  ConnectStageEvents(stage_, game_);
  // Record every event the stage raises, then pass it on to the game's handler, if any.
  StageEvents& e = stage_.events();
  auto press = e.物体左键被按下;
  e.物体左键被按下 = [this, press](std::int32_t id) {
    events_.push_back(Join("press", {id}));
    press(id);
  };
  e.双击物体 = [this](std::int32_t id) { events_.push_back(Join("double", {id})); };
  auto hit = e.碰撞到物体;
  e.碰撞到物体 = [this, hit](std::int32_t m, std::int32_t x, std::int32_t y, std::int32_t h) {
    events_.push_back(Join("hit", {m, h}));
    hit(m, x, y, h);
  };
  auto border = e.碰撞到边界;
  e.碰撞到边界 = [this, border](std::int32_t m, std::int32_t x, std::int32_t y,
                                std::int32_t edges) {
    events_.push_back(Join("border", {m, edges}));
    border(m, x, y, edges);
  };
  e.越出边界 = [this](std::int32_t id) { events_.push_back(Join("outside", {id})); };
  e.自动前进停止 = [this](std::int32_t id) { events_.push_back(Join("stopped", {id})); };
  e.物体将销毁 = [this](std::int32_t id) { events_.push_back(Join("destroyed", {id})); };
}

void GameFixture::SetWater(std::int32_t water) {
  state_->Water = water;
  captions_.SetCaption(CaptionLabel::标签1, std::to_string(water));
}

void GameFixture::SetBoard(const std::array<CellState, CellCount>& cells) {
  state_->Remaining = 0;
  for (int cell = 1; cell <= CellCount; ++cell) {
    const CellState value = cells[static_cast<std::size_t>(cell - 1)];
    (*state_->Board)[cell] = value;
    if (value != Cleared) ++state_->Remaining;
    stage_.SetObjectPicture(cell, (*state_->TilePictures)[PictureIndexFor(value)]);
  }
}

std::array<CellState, CellCount> BoardOf(CellState everywhere, std::map<int, CellState> except) {
  std::array<CellState, CellCount> cells;
  cells.fill(everywhere);
  for (auto [cell, value] : except) cells[static_cast<std::size_t>(cell - 1)] = value;
  return cells;
}

void GameFixture::PressTile(ObjectId tile) {
  PressAt(stage_.GetObjectLeft(tile) + 30, stage_.GetObjectTop(tile) + 30);
}

void GameFixture::PressAt(int x, int y) {
  stage_.SetClock(now_);
  stage_.PressLeft(x, y, false);
}

void GameFixture::Advance(std::int64_t ms) {
  for (const std::int64_t end = now_ + ms; now_ < end;) {
    now_ += TickMs;
    stage_.Tick(now_);
  }
}

void GameFixture::Settle(std::int64_t limitMs) {
  const std::int64_t end = now_ + limitMs;
  while (DropletCount() > 0 && now_ < end) Advance(TickMs);
  EXPECT_EQ(DropletCount(), 0) << "droplets still flying after " << limitMs << " ms";
}

int GameFixture::TilePictureShown(ObjectId id) const {
  const auto view = stage_.View(id);
  if (!view || !view->shown) return 0;
  for (std::size_t i = 0; i < TilePictureSizes.size(); ++i) {
    if (TilePictureSizes[i] == std::pair{view->shown->width, view->shown->height}) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

std::vector<ObjectId> GameFixture::Droplets() const {
  std::vector<ObjectId> ids = stage_.ObjectIdsInListOrder();
  std::erase_if(ids, [](ObjectId id) { return id <= CellCount; });
  return ids;
}

void GameFixture::ExpectConsistent(const std::string& where) const {
  int notCleared = 0;
  for (int cell = 1; cell <= CellCount; ++cell) {
    const CellState value = (*state_->Board)[cell];
    ASSERT_GE(value, 0) << where << ": cell " << cell;
    ASSERT_LE(value, 5) << where << ": cell " << cell;
    if (value != Cleared) ++notCleared;
    EXPECT_EQ(TilePictureShown(cell), PictureIndexFor(value)) << where << ": cell " << cell;
  }
  EXPECT_EQ(state_->Remaining, notCleared) << where;
  EXPECT_GE(state_->Water, 0) << where;
  EXPECT_EQ(captions_[CaptionLabel::标签1], std::to_string(state_->Water)) << where;
  EXPECT_EQ(captions_[CaptionLabel::标签3], std::to_string(state_->Level)) << where;
  const std::vector<ObjectId> ids = stage_.ObjectIdsInListOrder();
  ASSERT_GE(ids.size(), static_cast<std::size_t>(CellCount)) << where;
  for (int i = 0; i < CellCount; ++i) EXPECT_EQ(ids[static_cast<std::size_t>(i)], i + 1) << where;
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end())) << where;
}

}  // namespace vintello::testing
