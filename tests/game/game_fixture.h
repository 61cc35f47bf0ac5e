// A game on a real stage with scripted draws and recorded captions, driven on virtual time.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "ui/window_layout.h"

namespace vintello::testing {

class RecordedCaptions : public Captions {
 public:
  void SetCaption(CaptionLabel label, const std::string& text) override { text_[label] = text; }
  std::string operator[](CaptionLabel label) const;

 private:
  std::map<CaptionLabel, std::string> text_;
};

// Returns the scripted values in order, then the low (or high) end of every range asked for,
// or what `fallbackDraw` gives when it is set.
class ScriptedRandom : public RandomSource {
 public:
  struct DrawCall {
    std::int32_t low;
    std::int32_t high;
    std::int32_t value;
  };
  enum class Fallback { Low, High };

  void Reseed() override { ++reseeds; }
  std::int32_t Draw(std::int32_t low, std::int32_t high) override;

  std::deque<std::int32_t> script;
  Fallback fallback = Fallback::Low;
  std::function<std::int32_t(std::int32_t, std::int32_t)> fallbackDraw;
  std::vector<DrawCall> calls;
  int reseeds = 0;
};

// The stage events seen, in order, as text such as "hit 37 15" or "border 37 4".
using EventLog = std::vector<std::string>;

inline constexpr std::int64_t TickMs = 5;

// A board of one value everywhere except the given cells.
std::array<CellState, CellCount> BoardOf(CellState everywhere,
                                         std::map<int, CellState> except = {});

class GameFixture : public ::testing::Test {
 protected:
  GameFixture();

  GameState& state() { return *state_; }
  // Sets the water stock and shows it, as the game would.
  void SetWater(std::int32_t water);
  // Runs the start-up sequence: the creation event builds the grid and the first level.
  void StartUp() { game_.HandleMainWindowCreated(); }
  // Overwrites the board, shows every cell and sets Remaining to match it.
  void SetBoard(const std::array<CellState, CellCount>& cells);
  // Presses the middle of a tile through the stage, as the window does.
  void PressTile(ObjectId tile);
  void PressAt(int x, int y);
  // Ticks every 5 ms for the given virtual time.
  void Advance(std::int64_t ms);
  // Ticks until no droplet is left; fails the test if that takes longer than `limitMs`.
  void Settle(std::int64_t limitMs = 5000);
  // Which tile picture (1 to 5) an object shows, by its size; 0 for none or another picture.
  int TilePictureShown(ObjectId id) const;
  int DropletCount() const { return stage_.CountObjects() - CellCount; }
  std::vector<ObjectId> Droplets() const;
  // Checks what must hold after every event: cell values, Remaining, Water, pictures, labels.
  void ExpectConsistent(const std::string& where) const;

  Stage stage_;
  ObjectTemplate droplet_;
  RecordedCaptions captions_;
  ScriptedRandom random_;
  std::unique_ptr<GameState> state_;
  Game game_;
  EventLog events_;
  std::int64_t now_ = 0;
};

}  // namespace vintello::testing
