// Saves the desktop window as Qt paints it, for a fixed list of draws and optional presses, so
// that the browser tests can compare the web page with it pixel by pixel.
//
// Usage: vintello_desktop_grab DRAWS OUT.png [X,Y ...]
//   DRAWS: the draws behind the boards, as the page's ?draws= takes them ("4,0,3,1");
//   X,Y: left-button presses on the stage, made in order before the window is saved.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <memory>
#include <string>

#include "game/game_state.h"
#include "ui/label_font.h"
#include "ui/main_window.h"
#include "web/scripted_random.h"

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fputs("usage: vintello_desktop_grab DRAWS OUT.png [X,Y ...]\n", stderr);
    return 2;
  }
  // The same painting wherever it runs: no display is needed or used.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (!vintello::LoadEmbeddedFont()) {
    std::fputs("vintello_desktop_grab: the embedded font did not load\n", stderr);
    return 1;
  }
  const auto draws = vintello::ParseDraws(argv[1]);
  if (!draws) {
    std::fprintf(stderr, "vintello_desktop_grab: draws do not read: %s\n", argv[1]);
    return 2;
  }
  vintello::ScriptedRandom random(*draws);
  std::unique_ptr<vintello::GameState> state = vintello::MakeGameState();
  vintello::MainWindow window(
      *state, [] { return std::int64_t{0}; }, &random);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    std::fputs("vintello_desktop_grab: the window was never shown\n", stderr);
    return 1;
  }
  for (int i = 3; i < argc; ++i) {
    const auto point = vintello::ParseDraws(argv[i]);
    if (!point || point->size() != 2) {
      std::fprintf(stderr, "vintello_desktop_grab: not a point: %s\n", argv[i]);
      return 2;
    }
    QTest::mouseClick(&window.stageWidget(), Qt::LeftButton, Qt::NoModifier,
                      QPoint((*point)[0], (*point)[1]));
    QApplication::processEvents();
  }
  QApplication::processEvents();
  // What the platform shows. QWidget::grab() paints anew, and on Qt 6.4 it paints the labels in
  // the default face rather than the embedded one.
  const QImage image = window.screen()->grabWindow(window.winId()).toImage();
  if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "vintello_desktop_grab: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
