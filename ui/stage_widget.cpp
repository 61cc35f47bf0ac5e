// Painting, presses and the timer of 动画框1.
#include "ui/stage_widget.h"

#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <utility>

namespace vintello {

StageWidget::StageWidget(Stage& stage, Clock clock, QWidget* parent)
    : QWidget(parent), stage_(stage), clock_(std::move(clock)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(TickIntervalMs);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

void StageWidget::ShowStageChanges() {
  for (const PixelRect& r : stage_.TakeDirtyRects()) update(r.left, r.top, r.width, r.height);
  // The timer runs only while something moves, so an idle board costs nothing.
  if (stage_.HasAdvancingObjects()) {
    if (!timer_.isActive()) timer_.start();
  } else {
    timer_.stop();
  }
}

void StageWidget::Tick() {
  stage_.Tick(clock_());
  ShowStageChanges();
}

void StageWidget::paintEvent(QPaintEvent* event) {
  const std::span<const std::uint32_t> pixels = stage_.Pixels();
  // A view of the stage's own buffer: nothing is copied.
  const QImage image(reinterpret_cast<const uchar*>(pixels.data()), stage_.width(), stage_.height(),
                     stage_.width() * static_cast<int>(sizeof(std::uint32_t)),
                     QImage::Format_RGB32);
  QPainter painter(this);
  // On a high-density screen each stage pixel becomes a square block of equal physical pixels:
  // pixel art stays sharp, and what is seen is what a press hits.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  for (const QRect& r : event->region()) painter.drawImage(r, image, r);
}

void StageWidget::mousePressEvent(QMouseEvent* event) {
  Press(event, false);
}

void StageWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  Press(event, true);
}

void StageWidget::focusInEvent(QFocusEvent* /*event*/) {}

void StageWidget::focusOutEvent(QFocusEvent* /*event*/) {}

void StageWidget::Press(QMouseEvent* event, bool secondPressOfDoubleClick) {
  if (event->button() != Qt::LeftButton) return;
  // Droplets that the press throws count their first step from now.
  stage_.SetClock(clock_());
  // On a screen with more than one physical pixel per logical one the point can fall between
  // two stage pixels; it lies in the one to its left and above, so it is cut, never rounded.
  const QPointF at = event->position();
  stage_.PressLeft(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())),
                   secondPressOfDoubleClick);
  ShowStageChanges();
}

StageWidget::Clock MonotonicClock() {
  QElapsedTimer started;
  started.start();
  return [started] { return static_cast<std::int64_t>(started.elapsed()); };
}

}  // namespace vintello
