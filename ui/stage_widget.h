// 动画框1 on screen: shows the stage's pixels 1:1, hands it the left-button presses and keeps its
// timed motion going while anything on it advances.
#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "ui/stage/stage.h"

namespace vintello {

class StageWidget final : public QWidget {
 public:
  // Milliseconds on a clock that never goes backwards.
  using Clock = std::function<std::int64_t()>;

  StageWidget(Stage& stage, Clock clock, QWidget* parent);

  // Repaints what the stage changed and starts or stops its timer; call after anything outside
  // the widget acted on the stage.
  void ShowStageChanges();
  // One run of the stage's timer.
  void Tick();
  bool ticking() const { return timer_.isActive(); }

  static constexpr int TickIntervalMs = 5;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // The stage shows no focus mark, so gaining or losing the focus repaints nothing.
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Press(QMouseEvent* event, bool secondPressOfDoubleClick);

  Stage& stage_;
  Clock clock_;
  QTimer timer_;
};

// Milliseconds since this call, from the system's monotonic clock.
StageWidget::Clock MonotonicClock();

}  // namespace vintello
