// What a screen reader finds in the main window through Qt's accessibility interfaces: every
// control named, the water and the level offered as numbers, and what the game changes read back
// as it now stands. (The change notifications themselves go nowhere on the offscreen platform,
// which has no screen-reader bridge, so they cannot be watched here.)
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "game/game.h"
#include "tests/ui/accessibility_test.h"
#include "ui/main_window.h"
#include "ui/window_layout.h"

namespace vintello {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct TestWindow {
  std::unique_ptr<GameState> state = MakeGameState();
  std::int64_t nowMs = 0;
  MainWindow window{*state, [this] { return nowMs; }};

  QWidget& control(const QString& name) {
    return *window.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
  }
  QAccessibleInterface& Accessible(const QString& name) {
    return *QAccessible::queryAccessibleInterface(&control(name));
  }
};

}  // namespace

void AccessibilityTest::controlsAreNamed_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("role");
  QTest::addColumn<QString>("name");
  // The numbers are called after the captions that stand above them; the other labels by what
  // they show.
  QTest::newRow("water") << "标签1" << int(QAccessible::StaticText) << "剩余水";
  QTest::newRow("level") << "标签3" << int(QAccessible::StaticText) << "关卡";
  QTest::newRow("water caption") << "标签4" << int(QAccessible::StaticText) << "剩余水:";
  QTest::newRow("level caption") << "标签2" << int(QAccessible::StaticText) << "关卡:";
  QTest::newRow("message line") << "标签5" << int(QAccessible::StaticText) << Q(CreditLine);
  QTest::newRow("restart button") << "按钮1" << int(QAccessible::Button) << "重新开始";
  QTest::newRow("stage") << "动画框1" << int(QAccessible::Client) << "棋盘";
}

void AccessibilityTest::controlsAreNamed() {
  QFETCH(QString, control);
  QFETCH(int, role);
  QFETCH(QString, name);
  TestWindow w;
  QAccessibleInterface& accessible = w.Accessible(control);
  QVERIFY(accessible.isValid());
  QCOMPARE(int(accessible.role()), role);
  QCOMPARE(accessible.text(QAccessible::Name), name);
  // Reachable from the window, as a screen reader walks it.
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w.window);
  QVERIFY(window->indexOfChild(&accessible) >= 0);
  QCOMPARE(window->text(QAccessible::Name), Q(MainWindowDescription.caption));
}

void AccessibilityTest::numbersAreValues_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QVariant>("value");
  // At start: level 1 with 10 water.
  QTest::newRow("water at start") << "标签1"
                                  << "" << QVariant(10);
  QTest::newRow("level at start") << "标签3"
                                  << "" << QVariant(1);
  QTest::newRow("no water") << "标签1"
                            << "0" << QVariant(0);
  QTest::newRow("negative") << "标签1"
                            << "-12" << QVariant(-12);
  QTest::newRow("large level") << "标签3"
                               << "2147483647" << QVariant(2147483647);
  // Text is no number: the message line has no value to offer.
  QTest::newRow("message line") << "标签5" << Q(OutOfWaterMessage) << QVariant();
  QTest::newRow("caption") << "标签4"
                           << "" << QVariant();
}

void AccessibilityTest::numbersAreValues() {
  QFETCH(QString, control);
  QFETCH(QString, caption);
  QFETCH(QVariant, value);
  TestWindow w;
  Label& label = static_cast<Label&>(w.control(control));
  if (!caption.isEmpty()) label.SetCaption(caption);
  QAccessibleInterface& accessible = w.Accessible(control);
  QCOMPARE(accessible.text(QAccessible::Value), label.caption());
  QAccessibleValueInterface* number = accessible.valueInterface();
  QCOMPARE(number != nullptr, value.isValid());
  if (number) {
    QCOMPARE(number->currentValue().toInt(), value.toInt());
    // Read-only: only the game writes the numbers.
    number->setCurrentValue(99);
    QCOMPARE(label.caption(), QString::number(value.toInt()));
  }
}

void AccessibilityTest::changesAreReadBack_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QVariant>("value");
  QTest::addColumn<QString>("name");
  QTest::newRow("a press spends water") << "press"
                                        << "标签1" << QVariant(9) << "剩余水";
  QTest::newRow("restart refills the water") << "restart"
                                             << "标签1" << QVariant(10) << "剩余水";
  QTest::newRow("restart goes back to level 1") << "restart"
                                                << "标签3" << QVariant(1) << "关卡";
  QTest::newRow("out of water shows the message") << "press without water"
                                                  << "标签5" << QVariant() << Q(OutOfWaterMessage);
}

void AccessibilityTest::changesAreReadBack() {
  QFETCH(QString, action);
  QFETCH(QString, control);
  QFETCH(QVariant, value);
  QFETCH(QString, name);
  TestWindow w;
  w.window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w.window));
  // Every cell a small drop, level 5: each action below changes what its row reads.
  for (int cell = 1; cell <= CellCount; ++cell) (*w.state->Board)[cell] = 1;
  w.state->Level = 5;
  w.window.label("标签3").SetCaption("5");
  w.state->Water = action == "press without water" ? 0 : 10;
  w.window.label("标签1").SetCaption(QString::number(w.state->Water));
  // A screen reader has already looked at the control, so anything it keeps must follow.
  QAccessibleInterface& accessible = w.Accessible(control);
  static_cast<void>(accessible.text(QAccessible::Name));

  if (action == "restart") {
    QTest::mouseClick(&w.window.restartButton(), Qt::LeftButton);
  } else {
    QTest::mouseClick(&w.window.stageWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(90, 90));
  }

  QCOMPARE(&w.Accessible(control), &accessible);
  QCOMPARE(accessible.text(QAccessible::Name), name);
  QAccessibleValueInterface* number = accessible.valueInterface();
  QCOMPARE(number != nullptr, value.isValid());
  if (number) QCOMPARE(number->currentValue(), value);
}

void AccessibilityTest::theButtonCanBePressedByAScreenReader() {
  TestWindow w;
  w.window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w.window));
  w.state->Level = 4;
  QAccessibleInterface& button = w.Accessible("按钮1");
  QAccessibleActionInterface* actions = button.actionInterface();
  QVERIFY(actions);
  QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  actions->doAction(QAccessibleActionInterface::pressAction());
  // The button shows itself pressed for a moment, then clicks.
  QTRY_COMPARE(w.state->Level, 1);
  QCOMPARE(w.window.label("标签3").caption(), QString("1"));
}

}  // namespace vintello

int main(int argc, char* argv[]) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  vintello::AccessibilityTest test;
  return QTest::qExec(&test, argc, argv);
}
