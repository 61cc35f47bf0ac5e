// The accessibility test cases; kept apart so that moc reads Qt's headers only.
#pragma once

#include <QObject>

namespace vintello {

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsAreNamed_data();
  void controlsAreNamed();
  void numbersAreValues_data();
  void numbersAreValues();
  void changesAreReadBack_data();
  void changesAreReadBack();
  void theButtonCanBePressedByAScreenReader();
};

}  // namespace vintello
