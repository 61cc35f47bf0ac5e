// Painting of the window's labels.
#include "ui/label.h"

#include <QAccessible>
#include <QPainter>

#include "ui/label_font.h"

namespace vintello {

namespace {

Qt::Alignment QtAlignment(TextAlignment alignment) {
  const Qt::Alignment across = alignment == TextAlignment::Left ? Qt::AlignLeft : Qt::AlignHCenter;
  return across | Qt::AlignVCenter;
}

}  // namespace

Label::Label(const ControlDescription& description, QWidget* parent)
    : QWidget(parent),
      caption_(QString::fromUtf8(description.text.data(),
                                 static_cast<qsizetype>(description.text.size()))),
      textColour_(RedOf(description.textColour), GreenOf(description.textColour),
                  BlueOf(description.textColour)),
      alignment_(QtAlignment(description.alignment)) {
  setObjectName(
      QString::fromUtf8(description.name.data(), static_cast<qsizetype>(description.name.size())));
  setFont(LabelFont(description.fontPixelHeight, description.fontWeight));
  setFocusPolicy(Qt::NoFocus);
  // Every pixel is painted here, so Qt need not clear the area first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Label::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  update();
  // With no screen reader listening, Qt drops these at once.
  if (const std::optional<int> value = number()) {
    QAccessibleValueChangeEvent changed(this, *value);
    QAccessible::updateAccessibility(&changed);
  } else {
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

std::optional<int> Label::number() const {
  bool isNumber = false;
  const int value = caption_.toInt(&isNumber);
  return isNumber ? std::optional<int>(value) : std::nullopt;
}

void Label::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  painter.setPen(textColour_);
  painter.setFont(font());
  // A centred caption wider than the label overhangs both edges equally; the widget's own
  // clipping then cuts the same amount off each end.
  painter.drawText(rect(), static_cast<int>(alignment_ | Qt::TextSingleLine), caption_);
}

}  // namespace vintello
