// The main window: builds the controls from the window's description, ties them to the game and
// keeps its outer frame at the described size, centred on the screen.
#pragma once

#include <QPushButton>
#include <QWidget>
#include <memory>

#include "game/captions.h"
#include "game/game.h"
#include "ui/label.h"
#include "ui/stage_widget.h"

namespace vintello {

// The game's captions, written into the labels 标签1, 标签3 and 标签5.
class LabelCaptions final : public Captions {
 public:
  LabelCaptions(Label& 标签1, Label& 标签3, Label& 标签5);
  void SetCaption(CaptionLabel label, const std::string& text) override;

 private:
  Label& 标签1_;
  Label& 标签3_;
  Label& 标签5_;
};

class MainWindow final : public QWidget {
 public:
  // Creates every control, then runs the game's creation handler; `clock` drives the stage.
  // `random`, when given, stands in for the clock-seeded source (fixed boards for tests); it must
  // outlive the window.
  explicit MainWindow(GameState& state, StageWidget::Clock clock = MonotonicClock(),
                      RandomSource* random = nullptr);
  ~MainWindow() override;

  Game& game() { return *game_; }
  Stage& stage() { return *stage_; }
  StageWidget& stageWidget() { return *stageWidget_; }
  Label& label(std::string_view name);
  QPushButton& restartButton() { return *restartButton_; }

 protected:
  bool event(QEvent* event) override;

 private:
  void CreateControl(const ControlDescription& control, StageWidget::Clock& clock);
  // Sizes the client area so that the frame, once the window manager has drawn one, measures
  // the described outer size, and puts the frame in the middle of the screen.
  void FitFrameAndCentre();

  std::unique_ptr<Stage> stage_;
  std::unique_ptr<ObjectTemplate> dropletTemplate_;
  StageWidget* stageWidget_ = nullptr;
  QPushButton* restartButton_ = nullptr;
  std::unique_ptr<LabelCaptions> captions_;
  TickSeededRandom ownRandom_;
  RandomSource& random_;
  std::unique_ptr<Game> game_;
  QMargins fittedFrame_;
};

}  // namespace vintello
