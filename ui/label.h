// A label as the window's description has it: its whole area in the face colour and one line of
// text in its own font, colour and alignment, cut at the edges rather than wrapped.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>

#include "ui/window_layout.h"

namespace vintello {

class Label final : public QWidget {
 public:
  Label(const ControlDescription& description, QWidget* parent);

  const QString& caption() const { return caption_; }
  // Repaints, and tells screen readers of the new caption or number.
  void SetCaption(const QString& caption);
  // The caption read as a number, when it is one (the water and the level).
  std::optional<int> number() const;
  QColor textColour() const { return textColour_; }
  Qt::Alignment alignment() const { return alignment_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  QColor textColour_;
  Qt::Alignment alignment_;
};

}  // namespace vintello
