// The high-DPI test cases; kept apart so that moc reads Qt's headers only.
#pragma once

#include <QObject>

namespace vintello {

class HighDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void screenRunsAtScaleTwo();
  void layoutKeepsLogicalPlaces_data();
  void layoutKeepsLogicalPlaces();
  void stagePixelsBecomeExactBlocks();
  void labelInkScalesWithTheWindow_data();
  void labelInkScalesWithTheWindow();
  void pressesAtLogicalPointsHitTheSameTiles_data();
  void pressesAtLogicalPointsHitTheSameTiles();
  void pressesBetweenLogicalPixelsHitTheTileUnderThem_data();
  void pressesBetweenLogicalPixelsHitTheTileUnderThem();
};

}  // namespace vintello
