// The web front end's own parts, run natively: scripted draws, the canvas byte order, the stage
// ticks run from a page's frames, the window description as JSON, and the game as the page
// drives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/game_state.h"
#include "ui/window_layout.h"
#include "web/canvas_pixels.h"
#include "web/layout_json.h"
#include "web/scripted_random.h"
#include "web/stage_clock.h"
#include "web/web_game.h"

namespace vintello {
namespace {

// ---- Scripted draws ----

struct DrawCase {
  const char* name;
  std::vector<std::int32_t> script;
  std::int32_t low;
  std::int32_t high;
  std::vector<std::int32_t> expected;  // the first draws in order
};

class ScriptedDraws : public testing::TestWithParam<DrawCase> {};

TEST_P(ScriptedDraws, PlayTheListBackInsideTheRange) {
  const DrawCase& c = GetParam();
  ScriptedRandom random(c.script);
  std::vector<std::int32_t> drawn;
  for (std::size_t i = 0; i < c.expected.size(); ++i) {
    if (i == 1) random.Reseed();  // a new board goes on with the list, it does not restart it
    drawn.push_back(random.Draw(c.low, c.high));
  }
  EXPECT_EQ(drawn, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptedDraws,
    testing::Values(DrawCase{"InRange", {0, 1, 2, 3, 4}, 0, 4, {0, 1, 2, 3, 4}},
                    DrawCase{"StartsAgainWhenTheListRunsOut", {3, 1}, 0, 4, {3, 1, 3, 1, 3}},
                    DrawCase{"LargeValuesWrap", {5, 7, 9}, 0, 4, {0, 2, 4}},
                    DrawCase{"ShiftedRange", {0, 1, 2, 3, 4, 7}, 1, 3, {3, 1, 2, 3, 1, 1}},
                    DrawCase{"NegativeValuesWrapUpwards", {-1, -5, -6}, 0, 4, {4, 0, 4}},
                    DrawCase{"ExtremeValues", {2147483647, -2147483647 - 1}, 0, 4, {2, 2}},
                    DrawCase{"WholeIntRange", {-7, 7}, -2147483647 - 1, 2147483647, {-7, 7}},
                    DrawCase{"NegativeRange", {-3, 0, 2}, -2, -1, {-1, -2, -2}},
                    DrawCase{"SingleValueRange", {9, 3}, 2, 2, {2, 2}},
                    DrawCase{"EmptyListGivesLow", {}, 1, 4, {1, 1}}),
    [](const testing::TestParamInfo<DrawCase>& drawCase) {
      return std::string(drawCase.param.name);
    });

TEST(ScriptedDraws, ParseReadsCommaSeparatedIntegers) {
  struct Case {
    const char* text;
    std::optional<std::vector<std::int32_t>> expected;
  };
  const Case cases[] = {
      {"4", std::vector<std::int32_t>{4}},
      {"4,0,3", std::vector<std::int32_t>{4, 0, 3}},
      {"-1,12", std::vector<std::int32_t>{-1, 12}},
      {"2147483647,-2147483648", std::vector<std::int32_t>{2147483647, -2147483647 - 1}},
      {"", std::nullopt},
      {",", std::nullopt},
      {"1,", std::nullopt},
      {",1", std::nullopt},
      {"1,,2", std::nullopt},
      {"1 ,2", std::nullopt},
      {" 1", std::nullopt},
      {"1;2", std::nullopt},
      {"a", std::nullopt},
      {"+1", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseDraws(c.text), c.expected) << '"' << c.text << '"';
  }
}

// ---- Canvas bytes ----

TEST(CanvasPixels, CopiesOnlyTheAreaInRedGreenBlueAlphaOrder) {
  // 3 x 2 pixels, each a different colour.
  const std::vector<std::uint32_t> source = {0xFF102030u, 0xFF405060u, 0xFF708090u,
                                             0xFFA0B0C0u, 0xFFD0E0F0u, 0xFF010203u};
  CanvasPixels canvas(3, 2);
  canvas.Update(source, {1, 0, 2, 2});
  const std::vector<std::uint8_t> expected = {
      0, 0, 0, 0, 0x40, 0x50, 0x60, 0xFF, 0x70, 0x80, 0x90, 0xFF,
      0, 0, 0, 0, 0xD0, 0xE0, 0xF0, 0xFF, 0x01, 0x02, 0x03, 0xFF,
  };
  EXPECT_EQ(std::vector<std::uint8_t>(canvas.bytes().begin(), canvas.bytes().end()), expected);
}

TEST(CanvasPixels, AreasReachingOutsideAreCutAndShortSourcesIgnored) {
  const std::vector<std::uint32_t> source(4, 0xFF112233u);
  struct Case {
    PixelRect area;
    int changedBytes;
  };
  const Case cases[] = {
      {{-5, -5, 6, 6}, 4},   // only pixel (0, 0)
      {{1, 1, 10, 10}, 4},   // only pixel (1, 1)
      {{-3, 0, 100, 1}, 8},  // the top row
      {{2, 0, 5, 5}, 0},     // wholly right of the picture
      {{0, 0, 0, 2}, 0},     // empty
      {{0, 0, -2, -2}, 0},   // negative size
  };
  for (const Case& c : cases) {
    CanvasPixels canvas(2, 2);
    canvas.Update(source, c.area);
    const auto changed = std::count_if(canvas.bytes().begin(), canvas.bytes().end(),
                                       [](std::uint8_t b) { return b != 0; });
    EXPECT_EQ(changed, c.changedBytes) << c.area.left << ',' << c.area.top;
  }
  CanvasPixels canvas(2, 2);
  canvas.Update(std::vector<std::uint32_t>(3, 0xFFFFFFFFu), {0, 0, 2, 2});
  EXPECT_TRUE(std::all_of(canvas.bytes().begin(), canvas.bytes().end(),
                          [](std::uint8_t b) { return b == 0; }));
}

// ---- Stage ticks from a page's frames ----

// A stage with one droplet heading down from the top, set moving at `startMs`.
struct FallingDroplet {
  explicit FallingDroplet(std::int64_t startMs) {
    stage.SetClock(startMs);
    id = stage.CreateObject(&tmpl, 100, 0, true);
    stage.TurnObject(id, 180);
    stage.自动前进(id, DropletMotion);
  }
  double top() const { return stage.View(id)->top; }

  Stage stage{362, 2000, MakeRgb(239, 239, 239)};
  ObjectTemplate tmpl{DropletTemplateProperties()};
  ObjectId id = 0;
};

// Where the droplet is at `frameMs` under a punctual 5 ms timer started at `startMs`.
double TopUnderPunctualTimer(std::int64_t startMs, std::int64_t frameMs) {
  FallingDroplet reference(startMs);
  for (std::int64_t t = startMs + StageClock::TickIntervalMs; t <= frameMs;
       t += StageClock::TickIntervalMs) {
    reference.stage.Tick(t);
  }
  return reference.top();
}

TEST(StageClock, FramesStepDropletsExactlyAsAPunctualFiveMsTimer) {
  struct Case {
    const char* name;
    std::int64_t startMs;
    std::vector<std::int64_t> frames;
  };
  const Case cases[] = {
      {"60 frames a second", 1000, {1017, 1033, 1050, 1067, 1083, 1100, 1117, 1133, 1150, 1167}},
      {"uneven frames", 7, {9, 31, 32, 33, 80, 81, 140, 141, 142, 230}},
      // Once a frame would step only every second frame of 16 ms (a step needs 25 ms).
      {"a frame every 16 ms", 0, {16, 32, 48, 64, 80, 96, 112, 128, 144, 160}},
      {"slow frames", 3, {103, 203, 303}},
  };
  for (const Case& c : cases) {
    FallingDroplet page(c.startMs);
    StageClock clock(page.stage, c.startMs);
    for (const std::int64_t frame : c.frames) {
      clock.RunDueTicks(frame);
      EXPECT_EQ(page.top(), TopUnderPunctualTimer(c.startMs, frame))
          << c.name << ", frame at " << frame;
    }
  }
}

TEST(StageClock, AStalledPageTakesOneLateTickInsteadOfCatchingUp) {
  FallingDroplet page(0);
  StageClock clock(page.stage, 0);
  clock.RunDueTicks(50);
  const double before = page.top();
  clock.RunDueTicks(60'000);
  EXPECT_EQ(page.top(), before + 10);
  EXPECT_EQ(clock.lastTickMs(), 60'000);
  // Ticks go on every 5 ms from the late one.
  clock.RunDueTicks(60'024);
  EXPECT_EQ(page.top(), before + 10);
  clock.RunDueTicks(60'025);
  EXPECT_EQ(page.top(), before + 20);
}

TEST(StageClock, IdleStageFollowsThePageAndNeverGoesBack) {
  Stage stage(362, 362, MakeRgb(239, 239, 239));
  StageClock clock(stage, 100);
  clock.RunDueTicks(5000);
  EXPECT_EQ(clock.lastTickMs(), 5000);
  clock.RunDueTicks(4000);  // a clock that went back changes nothing
  EXPECT_EQ(clock.lastTickMs(), 5000);
  clock.Now(4500);
  EXPECT_EQ(stage.clock(), 5000);
  clock.Now(5200);
  EXPECT_EQ(stage.clock(), 5200);
}

// ---- The window description as JSON ----

TEST(LayoutJson, StringsEscapeQuotesBackslashesAndControlCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "\"\""},
      {"重新开始", "\"重新开始\""},
      {"a\"b", "\"a\\\"b\""},
      {"a\\b", "\"a\\\\b\""},
      {"line\nbreak\t", "\"line\\u000abreak\\u0009\""},
      {std::string("nul\0x", 5), "\"nul\\u0000x\""},
      {"/<>", "\"/<>\""},
  };
  for (const auto& [text, json] : cases) EXPECT_EQ(JsonString(text), json) << text;
}

TEST(LayoutJson, ListsEveryControlInCreationOrderWithItsLooks) {
  const std::string json = WindowLayoutJson("face.otf");
  EXPECT_EQ(json.front(), '{');
  EXPECT_EQ(json.back(), '}');
  EXPECT_NE(json.find("\"caption\":\"Vintello 单击版\""), std::string::npos);
  EXPECT_NE(json.find("\"outerWidth\":546,\"outerHeight\":438"), std::string::npos);
  EXPECT_NE(json.find("\"labelFontFace\":\"经典粗圆简\""), std::string::npos);
  EXPECT_NE(json.find("\"labelFontFile\":\"face.otf\""), std::string::npos);
  std::size_t previous = 0;
  for (const ControlDescription& c : MainWindowControls) {
    const std::size_t at = json.find("{\"name\":\"" + std::string(c.name) + "\"");
    ASSERT_NE(at, std::string::npos) << c.name;
    EXPECT_GT(at, previous) << c.name << " is out of creation order";
    previous = at;
  }
  // One label in full, as the page reads it.
  EXPECT_NE(json.find("{\"name\":\"标签1\",\"kind\":\"label\",\"left\":384,\"top\":101,"
                      "\"width\":144,\"height\":104,\"visible\":true,\"tabStop\":false,"
                      "\"text\":\"000\",\"fontPixelHeight\":96,\"fontWeight\":700,"
                      "\"textColour\":\"#80e000\",\"alignment\":\"centre\"}"),
            std::string::npos);
  EXPECT_NE(json.find("\"name\":\"标签2\",\"kind\":\"label\",\"left\":376,\"top\":221,"
                      "\"width\":152,\"height\":40,\"visible\":true,\"tabStop\":false,"
                      "\"text\":\"关卡:\",\"fontPixelHeight\":24,\"fontWeight\":400,"
                      "\"textColour\":\"#000000\",\"alignment\":\"left\""),
            std::string::npos);
  EXPECT_NE(json.find("{\"name\":\"动画物体2\",\"kind\":\"template\",\"left\":296,\"top\":104,"
                      "\"width\":32,\"height\":48,\"visible\":false"),
            std::string::npos);
}

// ---- The game as the page drives it ----

class RecordedCaptions final : public Captions {
 public:
  void SetCaption(CaptionLabel label, const std::string& text) override { shown[label] = text; }
  std::map<CaptionLabel, std::string> shown;
};

constexpr Rgb kFace = MakeRgb(239, 239, 239);

// A tile's middle in stage pixels.
int MiddleX(int tile) {
  return ((tile - 1) % 6) * 60 + 30;
}
int MiddleY(int tile) {
  return ((tile - 1) / 6) * 60 + 30;
}

struct PageGame {
  explicit PageGame(std::vector<std::int32_t> draws) : random(std::move(draws)) {}
  std::uint32_t CanvasPixelAt(int x, int y) const {
    const auto bytes = game.canvas().bytes();
    const std::size_t at = (static_cast<std::size_t>(y) * game.canvas().width() + x) * 4;
    return (std::uint32_t{bytes[at]} << 16) | (std::uint32_t{bytes[at + 1]} << 8) | bytes[at + 2];
  }

  std::unique_ptr<GameState> state = MakeGameState();
  RecordedCaptions captions;
  ScriptedRandom random;
  WebGame game{*state, kFace, captions, random, 1000};
};

TEST(WebGame, StartsLevelOneAndHandsTheWholeStageToTheCanvas) {
  PageGame page({1});
  EXPECT_EQ(page.captions.shown[CaptionLabel::标签1], "10");
  EXPECT_EQ(page.captions.shown[CaptionLabel::标签3], "1");
  EXPECT_EQ(page.captions.shown[CaptionLabel::标签5], std::string(CreditLine));
  EXPECT_EQ(page.game.stage().CountObjects(), 36);
  const std::vector<PixelRect> changed = page.game.TakeChangedAreas();
  ASSERT_FALSE(changed.empty());
  // Column 0 belongs to no tile: the face colour; every tile shows a picture over it.
  EXPECT_EQ(page.CanvasPixelAt(0, 200), kFace);
  const std::span<const std::uint32_t> stage = page.game.stage().Pixels();
  for (int tile = 1; tile <= 36; ++tile) {
    const int x = MiddleX(tile);
    const int y = MiddleY(tile);
    EXPECT_EQ(page.CanvasPixelAt(x, y), stage[static_cast<std::size_t>(y) * 362 + x] & 0xFFFFFFu)
        << "tile " << tile;
    EXPECT_NE(page.CanvasPixelAt(x, y), kFace) << "tile " << tile;
  }
  EXPECT_TRUE(page.game.TakeChangedAreas().empty());
}

TEST(WebGame, PressGrowsTheDropAndRedrawsOnlyItsTile) {
  // Every draw 1: a board of size-1 drops.
  PageGame page({1});
  page.game.TakeChangedAreas();
  const std::uint32_t before = page.CanvasPixelAt(MiddleX(8) + 5, MiddleY(8) - 5);
  page.game.Press(MiddleX(8), MiddleY(8), false, 2000);
  EXPECT_EQ((*page.state->Board)[8], 2);
  EXPECT_EQ(page.captions.shown[CaptionLabel::标签1], "9");
  const std::vector<PixelRect> changed = page.game.TakeChangedAreas();
  ASSERT_FALSE(changed.empty());
  for (const PixelRect& r : changed) {
    EXPECT_GE(r.left, 55);
    EXPECT_LE(r.left + r.width, 130);
  }
  EXPECT_NE(page.CanvasPixelAt(MiddleX(8) + 5, MiddleY(8) - 5), before);
  EXPECT_FALSE(page.game.RunDueTicks(2100));
}

TEST(WebGame, SecondPressOfADoubleClickIsNoPress) {
  PageGame page({1});
  page.game.Press(MiddleX(8), MiddleY(8), true, 2000);
  EXPECT_EQ((*page.state->Board)[8], 1);
  EXPECT_EQ(page.state->Water, 10);
}

TEST(WebGame, BurstFliesItsDropletsOnThePagesFramesUntilTheyAreGone) {
  // Every first draw 4: a board of full drops, so a press on tile 8 sets off chain bursts.
  PageGame page({4});
  page.game.Press(MiddleX(8), MiddleY(8), false, 2000);
  EXPECT_EQ((*page.state->Board)[8], Cleared);
  EXPECT_EQ(page.game.stage().CountObjects(), 36 + 4);
  std::int64_t now = 2000;
  int frames = 0;
  while (page.game.RunDueTicks(now += 16) && frames < 10'000) ++frames;
  EXPECT_LT(frames, 10'000) << "droplets never stopped";
  EXPECT_EQ(page.game.stage().CountObjects(), 36);
}

TEST(WebGame, PressBetweenFramesRunsTheTicksDueBeforeIt) {
  // Two pages see the same burst on tile 15, whose right droplet bursts tile 16 at its first
  // step. One page gets a press on tile 16 at 100 ms with no frame since the burst; the other
  // has had its frame at 100 ms first. Both must go on alike: the press finds tile 16 burst.
  PageGame midFrame({4});
  PageGame ticked({4});
  for (PageGame* page : {&midFrame, &ticked}) {
    page->game.Press(MiddleX(15), MiddleY(15), false, 2000);
  }
  ticked.game.RunDueTicks(2100);
  EXPECT_EQ((*ticked.state->Board)[16], Cleared);
  midFrame.game.Press(MiddleX(16), MiddleY(16), false, 2100);
  ticked.game.Press(MiddleX(16), MiddleY(16), false, 2100);
  EXPECT_EQ(midFrame.state->Water, ticked.state->Water);
  for (std::int64_t t = 2116; t < 5000; t += 16) {
    midFrame.game.RunDueTicks(t);
    ticked.game.RunDueTicks(t);
    ASSERT_EQ(midFrame.game.stage().ObjectIdsInListOrder(),
              ticked.game.stage().ObjectIdsInListOrder())
        << "at " << t;
  }
  for (int cell = 1; cell <= 36; ++cell) {
    EXPECT_EQ((*midFrame.state->Board)[cell], (*ticked.state->Board)[cell]) << cell;
  }
}

TEST(WebGame, RestartStartsLevelOneAgainWithTheNextDraws) {
  PageGame page({0, 1, 2, 3, 4, 2, 1});
  std::vector<CellState> first;
  for (int cell = 1; cell <= 36; ++cell) first.push_back((*page.state->Board)[cell]);
  page.game.Press(MiddleX(8), MiddleY(8), false, 2000);
  page.game.Restart(3000);
  EXPECT_EQ(page.captions.shown[CaptionLabel::标签1], "10");
  EXPECT_EQ(page.captions.shown[CaptionLabel::标签3], "1");
  std::vector<CellState> second;
  for (int cell = 1; cell <= 36; ++cell) second.push_back((*page.state->Board)[cell]);
  EXPECT_NE(first, second);
}

}  // namespace
}  // namespace vintello
