// The page's entry points into the game: start, presses, 按钮1, the clock, the canvas pixels,
// closing, and a few read-only values for the page's tests. Captions go out to the page's labels.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "web/layout_json.h"
#include "web/scripted_random.h"
#include "web/web_game.h"

// Shows `text` (UTF-8) as the whole caption of the label called `name`.
EM_JS(void, vintello_show_caption, (const char* name, const char* text),
      { Module["showCaption"](UTF8ToString(name), UTF8ToString(text)); });

namespace vintello {
namespace {

class PageCaptions final : public Captions {
 public:
  void SetCaption(CaptionLabel label, const std::string& text) override {
    vintello_show_caption(NameOf(label), text.c_str());
  }

 private:
  static const char* NameOf(CaptionLabel label) {
    switch (label) {
      case CaptionLabel::标签1:
        return "标签1";
      case CaptionLabel::标签3:
        return "标签3";
      case CaptionLabel::标签5:
        return "标签5";
    }
    return "";
  }
};

// Everything that lives from the start of the game to its closing.
struct Session {
  PageCaptions captions;
  std::unique_ptr<RandomSource> random;
  std::unique_ptr<WebGame> game;
  std::vector<PixelRect> changed;
  std::vector<std::int32_t> changedFlat;  // left, top, width, height of each changed area
};

std::unique_ptr<Session> session;

std::int64_t Ms(double pageMs) {
  return static_cast<std::int64_t>(pageMs);
}

}  // namespace
}  // namespace vintello

using vintello::session;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* vintello_layout_json() {
  static const std::string json = vintello::WindowLayoutJson(VINTELLO_LABEL_FONT_FILE);
  return json.c_str();
}

// Starts the game once: `faceRgb` is the page's face colour as 0xRRGGBB; `draws`, when not
// empty, is a list of draws (see ParseDraws) that replaces the clock-seeded random source.
// Returns 0 when started, -1 when the draws do not read or the game already runs.
EMSCRIPTEN_KEEPALIVE int vintello_start(std::uint32_t faceRgb, const char* draws, double nowMs) {
  using namespace vintello;
  if (session || TheGameState()) return -1;
  auto started = std::make_unique<Session>();
  const std::string_view drawText = draws ? draws : "";
  if (drawText.empty()) {
    started->random = std::make_unique<TickSeededRandom>(SystemTickCountMs);
  } else {
    std::optional<std::vector<std::int32_t>> list = ParseDraws(drawText);
    if (!list) return -1;
    started->random = std::make_unique<ScriptedRandom>(std::move(*list));
  }
  session = std::move(started);
  session->game = std::make_unique<WebGame>(AllocateGameState(), faceRgb & 0xFFFFFFu,
                                            session->captions, *session->random, Ms(nowMs));
  return 0;
}

EMSCRIPTEN_KEEPALIVE void vintello_press(int x, int y, int secondOfDoubleClick, double nowMs) {
  if (session) session->game->Press(x, y, secondOfDoubleClick != 0, vintello::Ms(nowMs));
}

EMSCRIPTEN_KEEPALIVE void vintello_restart(double nowMs) {
  if (session) session->game->Restart(vintello::Ms(nowMs));
}

// Returns 1 while anything on the stage still moves, so the page keeps asking for frames.
EMSCRIPTEN_KEEPALIVE int vintello_tick(double nowMs) {
  return session && session->game->RunDueTicks(vintello::Ms(nowMs)) ? 1 : 0;
}

// Updates the canvas bytes and returns how many areas changed; vintello_changed_areas() then
// points at their left, top, width and height, four integers each.
EMSCRIPTEN_KEEPALIVE int vintello_take_changed_areas() {
  if (!session) return 0;
  session->changed = session->game->TakeChangedAreas();
  session->changedFlat.clear();
  for (const vintello::PixelRect& r : session->changed) {
    session->changedFlat.insert(session->changedFlat.end(), {r.left, r.top, r.width, r.height});
  }
  return static_cast<int>(session->changed.size());
}

EMSCRIPTEN_KEEPALIVE const std::int32_t* vintello_changed_areas() {
  return session ? session->changedFlat.data() : nullptr;
}

// The canvas bytes (red, green, blue, alpha), stage width x height x 4.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* vintello_canvas_bytes() {
  return session ? session->game->canvas().bytes().data() : nullptr;
}

EMSCRIPTEN_KEEPALIVE int vintello_canvas_width() {
  return session ? session->game->canvas().width() : 0;
}

EMSCRIPTEN_KEEPALIVE int vintello_canvas_height() {
  return session ? session->game->canvas().height() : 0;
}

// The page's window has been closed: the game ends as the desktop program does at exit.
EMSCRIPTEN_KEEPALIVE void vintello_close() {
  session.reset();
  vintello::ReleaseGameState();
}

// Read-only values for the page's tests; -1 when no game runs or the cell does not exist.
EMSCRIPTEN_KEEPALIVE int vintello_object_count() {
  return session ? session->game->stage().CountObjects() : -1;
}

EMSCRIPTEN_KEEPALIVE int vintello_cell(int index) {
  const vintello::GameState* state = vintello::TheGameState();
  if (!session || !state || index < 1 || index > vintello::CellCount) return -1;
  return (*state->Board)[index];
}

EMSCRIPTEN_KEEPALIVE int vintello_water() {
  const vintello::GameState* state = vintello::TheGameState();
  return session && state ? state->Water : -1;
}

EMSCRIPTEN_KEEPALIVE int vintello_level() {
  const vintello::GameState* state = vintello::TheGameState();
  return session && state ? state->Level : -1;
}

}  // extern "C"
