// The main window's test cases; kept apart so that moc reads Qt's headers only.
#pragma once

#include <QObject>

namespace vintello {

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsAreCreatedInTableOrder();
  void controlGeometry_data();
  void controlGeometry();
  void windowHasOnlyTheCloseButtonAndFixedOuterSize();
  void labelLooks_data();
  void labelLooks();
  void captionsAfterCreation_data();
  void captionsAfterCreation();
  void escape_data();
  void escape();
  void enterAndF1DoNothing_data();
  void enterAndF1DoNothing();
  void tabMovesBetweenButtonAndStage();
  void grabShowsOneSurface_data();
  void grabShowsOneSurface();
  void faceColourFollowsThePalette();
  void labelInkIsPlacedAndColoured_data();
  void labelInkIsPlacedAndColoured();
  void tooWideCaptionIsCutNotWrapped_data();
  void tooWideCaptionIsCutNotWrapped();
  void pressesReachTiles_data();
  void pressesReachTiles();
  void timerRunsOnlyWhileDropletsMove();
  void onlyChangedAreasAreRepainted();
  void restartButtonStartsOver();
  void textsNeedNoInstalledFont_data();
  void textsNeedNoInstalledFont();
  void embeddedFontCoversEveryText_data();
  void embeddedFontCoversEveryText();
};

}  // namespace vintello
