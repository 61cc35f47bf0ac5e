// Accessible interfaces of the window's labels and the names of its controls.
#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPushButton>

#include "ui/label.h"
#include "ui/main_window.h"

namespace vintello {

namespace {

// A label as static text whose name is its caption, unless it has a name of its own; a label
// that shows a number offers that number as its value too.
class AccessibleLabel final : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit AccessibleLabel(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text kind) const override {
    switch (kind) {
      case QAccessible::Name:
        return label().accessibleName().isEmpty() ? label().caption() : label().accessibleName();
      case QAccessible::Value:
        return label().caption();
      default:
        return QAccessibleWidget::text(kind);
    }
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface && label().number()) {
      return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }

  QVariant currentValue() const override {
    const std::optional<int> number = label().number();
    return number ? QVariant(*number) : QVariant();
  }
  // The game alone writes the numbers.
  void setCurrentValue(const QVariant& /*value*/) override {}
  QVariant maximumValue() const override { return {}; }
  QVariant minimumValue() const override { return {}; }
  QVariant minimumStepSize() const override { return {}; }

 private:
  const Label& label() const { return *static_cast<const Label*>(widget()); }
};

QAccessibleInterface* LabelInterfaces(const QString& /*className*/, QObject* object) {
  auto* label = dynamic_cast<Label*>(object);
  return label ? new AccessibleLabel(label) : nullptr;
}

// "剩余水:" names the number below it as "剩余水".
QString NameFromCaption(const Label& caption) {
  QString name = caption.caption();
  while (name.endsWith(u':') || name.endsWith(u'：')) name.chop(1);
  return name;
}

}  // namespace

void DescribeForScreenReaders(MainWindow& window) {
  static const bool installed = [] {
    QAccessible::installFactory(LabelInterfaces);
    return true;
  }();
  static_cast<void>(installed);

  window.label("标签1").setAccessibleName(NameFromCaption(window.label("标签4")));
  window.label("标签3").setAccessibleName(NameFromCaption(window.label("标签2")));
  window.stageWidget().setAccessibleName(QStringLiteral("棋盘"));
  window.stageWidget().setAccessibleDescription(
      QStringLiteral("6 × 6 个格子：单击格子让水滴长大，满的水滴会爆开"));
  window.restartButton().setAccessibleDescription(QStringLiteral("从第 1 关重新开始"));
}

}  // namespace vintello
