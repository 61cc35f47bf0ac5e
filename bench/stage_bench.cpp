// Benchmarks of the stage's tick, its drawing, picture decoding and shaping, and whole chain
// reactions settled on virtual time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <memory>

#include "assets/built_in_pictures.h"
#include "game/game.h"
#include "ui/window_layout.h"

namespace vintello {
namespace {

constexpr Rgb Face = MakeRgb(239, 239, 239);
constexpr std::int64_t TickMs = 5;  // the program's timer interval

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
    ShowChanges();
  }

  // Everything that a running program has seen once: the empty tile's picture, which the
  // board of full drops does not show at start, and a droplet in each direction. Shown
  // pictures are shared by bytes, so later ones cost a lookup rather than a decode.
  void SeeEveryPicture() {
    stage.SetObjectPicture(1, BuiltInTilePictures[0]);
    stage.SetObjectPicture(1, BuiltInTilePictures[(*state->Board)[1]]);
    for (const std::int32_t turn : {0, 90, 180, -90}) {
      const ObjectId id = stage.CreateObject(&droplet, 0, 0, true);
      stage.TurnObject(id, turn);
      stage.DestroyObject(id);
    }
    ShowChanges();
  }

  // What the window does after every tick: composes the changed areas and takes them over.
  std::int64_t ShowChanges() {
    benchmark::DoNotOptimize(stage.Pixels().data());
    std::int64_t area = 0;
    for (const PixelRect& r : stage.TakeDirtyRects()) area += std::int64_t{r.width} * r.height;
    return area;
  }

  Stage stage;
  ObjectTemplate droplet;
  NullCaptions captions;
  HighestDraws random;
  std::unique_ptr<GameState> state;
  Game game;
};

double WallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// One tick in which every droplet on the stage takes a step, over the board with every cell
// cleared so that droplets fly from edge to edge. Droplets that leave are thrown again between
// ticks, so that the count stays at the argument; only the tick itself is timed. The counter
// `advancing` is the number of droplets that each timed tick found moving.
void BM_TickWithAdvancingDroplets(benchmark::State& bench) {
  Table table;
  table.SeeEveryPicture();
  for (int cell = 1; cell <= CellCount; ++cell) {
    (*table.state->Board)[cell] = Cleared;
    table.stage.SetObjectPicture(cell, BuiltInTilePictures[0]);
  }
  table.state->Remaining = 1;  // a level that never ends
  const int wanted = static_cast<int>(bench.range(0));
  std::int64_t now = 0;
  int spawned = 0;
  std::int64_t advancing = 0;
  for (auto _ : bench) {
    while (table.stage.CountObjects() - CellCount < wanted) {
      // Alternately from the left edge heading right and from the right edge heading left, on
      // rows spread over the board.
      const std::int32_t row = 20 + (spawned * 37) % 320;
      const bool fromRight = spawned % 2 == 1;
      table.game.SpawnDroplet(fromRight ? 330 : 10, row, fromRight ? -90 : 90);
      ++spawned;
    }
    for (const ObjectId id : table.stage.ObjectIdsInListOrder()) {
      advancing += table.stage.View(id)->advancing ? 1 : 0;
    }
    table.ShowChanges();
    now += DropletMotion.stepIntervalMs;
    const double started = WallSeconds();
    table.stage.Tick(now);
    bench.SetIterationTime(WallSeconds() - started);
  }
  bench.counters["advancing"] =
      benchmark::Counter(static_cast<double>(advancing), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TickWithAdvancingDroplets)->Arg(0)->Arg(4)->Arg(40)->Arg(200)->UseManualTime();

// A press on tile 1 of the board of 29 full drops, settled tick by tick on the program's 5 ms
// timer until nothing moves. `drawn` also composes and hands over the changed areas after every
// tick, as the window does. Counters: game seconds played per wall-clock second and per second
// of processor time, bursts and ticks per chain.
void BM_WholeChainReaction(benchmark::State& bench) {
  const bool drawn = bench.range(0) != 0;
  double simulatedMs = 0;
  double wallSeconds = 0;
  double cpuSeconds = 0;
  std::int64_t bursts = 0;
  std::int64_t ticks = 0;
  std::unique_ptr<Table> table;
  for (auto _ : bench) {
    table.reset();  // the last chain's table goes before the next is made, untimed
    table = std::make_unique<Table>();
    table->SeeEveryPicture();
    table->state->Water = 100;
    const std::int32_t remainingBefore = table->state->Remaining;
    const std::int32_t levelBefore = table->state->Level;

    const double wallStarted = WallSeconds();
    const double cpuStarted = ThreadCpuSeconds();
    std::int64_t now = 0;
    table->stage.SetClock(now);
    table->stage.PressLeft(30, 30, false);
    if (drawn) table->ShowChanges();
    while (table->stage.HasAdvancingObjects()) {
      now += TickMs;
      table->stage.Tick(now);
      if (drawn) table->ShowChanges();
      ++ticks;
    }
    const double wall = WallSeconds() - wallStarted;
    cpuSeconds += ThreadCpuSeconds() - cpuStarted;
    wallSeconds += wall;
    bench.SetIterationTime(wall);

    simulatedMs += static_cast<double>(now);
    // A cleared board starts the next level, which counts its cells afresh.
    bursts += table->state->Level == levelBefore ? remainingBefore - table->state->Remaining
                                                 : remainingBefore;
  }
  table.reset();
  bench.counters["simulated_s_per_s"] = simulatedMs / 1000.0 / wallSeconds;
  bench.counters["simulated_s_per_cpu_s"] = simulatedMs / 1000.0 / cpuSeconds;
  bench.counters["bursts"] =
      benchmark::Counter(static_cast<double>(bursts), benchmark::Counter::kAvgIterations);
  bench.counters["ticks"] =
      benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeChainReaction)
    ->ArgName("drawn")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The area that the stage hands over to be repainted per step of one droplet flying across
// the cleared board, and the time of the tick and the composing of that area.
void BM_OneDropletStep(benchmark::State& bench) {
  Table table;
  table.SeeEveryPicture();
  for (int cell = 1; cell <= CellCount; ++cell) {
    (*table.state->Board)[cell] = Cleared;
    table.stage.SetObjectPicture(cell, BuiltInTilePictures[0]);
  }
  table.state->Remaining = 1;
  table.ShowChanges();
  std::int64_t now = 0;
  std::int64_t steps = 0;
  std::int64_t repainted = 0;
  for (auto _ : bench) {
    if (table.stage.CountObjects() == CellCount) {
      bench.PauseTiming();
      table.stage.SetClock(now);
      table.game.SpawnDroplet(10, 170, 90);  // across the middle row, heading right
      table.ShowChanges();
      bench.ResumeTiming();
    }
    now += DropletMotion.stepIntervalMs;
    table.stage.Tick(now);
    repainted += table.ShowChanges();
    ++steps;
  }
  bench.counters["pixels_per_step"] = static_cast<double>(repainted) / static_cast<double>(steps);
}
BENCHMARK(BM_OneDropletStep);

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
    table.ShowChanges();
  }
}
BENCHMARK(BM_ComposeFullStage);

}  // namespace
}  // namespace vintello

BENCHMARK_MAIN();
