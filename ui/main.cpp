// Vintello: starts the platform, the game's state and the main window, and runs until it closes.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "game/game_state.h"
#include "ui/label_font.h"
#include "ui/main_window.h"

namespace {

bool HasDisplay() {
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fputs(
        "vintello: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset)\n",
        stderr);
    return 1;
  }
  QApplication application(argc, argv);
  // Lets the desktop match the window to its launcher and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(VINTELLO_APP_ID));
  vintello::LoadEmbeddedFont();
  vintello::GameState& state = vintello::AllocateGameState();
  std::atexit(vintello::ReleaseGameState);
  vintello::MainWindow window(state);
  window.show();
  return application.exec();
}
