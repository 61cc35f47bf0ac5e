// Benchmarks of the stage's tick, its drawing, picture decoding and shaping, and whole chain
// reactions settled on virtual time.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "assets/built_in_pictures.h"
#include "game/game.h"
#include "ui/window_layout.h"

namespace vintello {
namespace {

constexpr Rgb Face = MakeRgb(239, 239, 239);
constexpr std::int64_t TickMs = 5;

class NullCaptions : public Captions {
 public:
  void SetCaption(CaptionLabel, const std::string&) override {}
};

// Every draw at the top of its range: the board of 29 size-4 drops and 7 size-3 drops.
class HighestDraws : public RandomSource {
 public:
  void Reseed() override {}
  std::int32_t Draw(std::int32_t, std::int32_t high) override { return high; }
};

// A started game on a stage of its own, as the program has it.
struct Table {
  Table()
      : stage(362, 362, Face),
        droplet(DropletTemplateProperties()),
        state(MakeGameState()),
        game(*state, GameSurroundings{stage, droplet, captions, random, std::string(CreditLine),
                                      BuiltInTilePictures}) {
    ConnectStageEvents(stage, game);
    game.HandleMainWindowCreated();
  }
  Stage stage;
  ObjectTemplate droplet;
  NullCaptions captions;
  HighestDraws random;
  std::unique_ptr<GameState> state;
  Game game;
};

// One tick in which every droplet takes a step; droplets that leave are thrown again, so the
// count stays near the argument. The board is all cleared, so droplets pass every tile.
void BM_TickWithAdvancingDroplets(benchmark::State& bench) {
  Table table;
  for (int cell = 1; cell <= CellCount; ++cell) (*table.state->Board)[cell] = Cleared;
  table.state->Remaining = 1;  // never a new level
  const int wanted = static_cast<int>(bench.range(0));
  std::int64_t now = 0;
  int spawned = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    while (table.stage.CountObjects() - CellCount < wanted) {
      const std::int32_t row = 20 + (spawned * 37) % 320;
      table.game.SpawnDroplet(spawned % 2 ? 330 : 10, row, spawned % 2 ? -90 : 90);
      ++spawned;
    }
    now += 25;
    table.stage.SetClock(now);
    bench.ResumeTiming();
    table.stage.Tick(now);
  }
  bench.counters["droplets"] = wanted;
}
BENCHMARK(BM_TickWithAdvancingDroplets)->Arg(0)->Arg(4)->Arg(40)->Arg(200);

// A press on a corner of the board of 29 full drops, settled tick by tick; reports how many
// seconds of game time pass per second of work.
void BM_WholeChainReaction(benchmark::State& bench) {
  double simulatedMs = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    Table table;
    table.state->Water = 100;
    bench.ResumeTiming();
    std::int64_t now = 0;
    table.stage.SetClock(now);
    table.stage.PressLeft(30, 30, false);
    while (table.stage.HasAdvancingObjects()) {
      now += TickMs;
      table.stage.Tick(now);
    }
    simulatedMs += static_cast<double>(now);
  }
  bench.counters["simulated_s_per_s"] =
      benchmark::Counter(simulatedMs / 1000.0, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WholeChainReaction)->Unit(benchmark::kMillisecond);

void BM_DecodeTileJpeg(benchmark::State& bench) {
  for (auto _ : bench) {
    auto picture = DecodePicture(BuiltInTilePictures[4], Transparency::None);
    benchmark::DoNotOptimize(picture);
  }
}
BENCHMARK(BM_DecodeTileJpeg);

void BM_ShapeDroplet(benchmark::State& bench) {
  const auto droplet = DecodePicture(DropletPicture, Transparency::TopLeftPixel);
  int angle = 0;
  for (auto _ : bench) {
    Picture shaped = ShapePicture(*droplet, TurnType::Both, true, angle);
    benchmark::DoNotOptimize(shaped);
    angle = (angle + 90) % 360;
  }
}
BENCHMARK(BM_ShapeDroplet);

// Composing the whole 362 x 362 stage after everything on it has changed.
void BM_ComposeFullStage(benchmark::State& bench) {
  Table table;
  for (auto _ : bench) {
    table.stage.SetBackground(Face);  // makes the whole stage dirty
    auto pixels = table.stage.Pixels();
    benchmark::DoNotOptimize(pixels.data());
    table.stage.TakeDirtyRects();
  }
}
BENCHMARK(BM_ComposeFullStage);

}  // namespace
}  // namespace vintello

BENCHMARK_MAIN();
