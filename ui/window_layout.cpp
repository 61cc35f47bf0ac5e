// The parts of the window's description that are not plain constants.
#include "ui/window_layout.h"

#include <algorithm>

#include "assets/built_in_pictures.h"
#include "game/game.h"

namespace vintello {

const ControlDescription* FindControl(std::string_view name) {
  const auto found = std::find_if(MainWindowControls.begin(), MainWindowControls.end(),
                                  [name](const ControlDescription& c) { return c.name == name; });
  return found == MainWindowControls.end() ? nullptr : &*found;
}

AnimationObjectProperties DropletTemplateProperties() {
  AnimationObjectProperties p;
  p.text = "";
  p.font = "";
  p.TextColor = MakeRgb(0, 0, 0);
  p.picture = DropletPicture;
  p.AutoGetTransColor = true;
  p.TransparentColor = std::nullopt;
  p.PlayGIF = false;
  p.GIFDelay = 0;
  p.GIFAutoDestroy = 0;
  p.TrendColor = MakeRgb(255, 255, 255);
  p.TrendDepth = 0;
  p.light = 0;
  p.alpha = 0;
  p.zoom = 1000;
  p.layer = 1;
  p.angle = 0;
  p.RotateFollow = true;
  p.turnType = TurnType::Both;
  p.ExistTime = 0;
  p.CreateSound = "";
  p.DestroySound = "";
  p.CollideAllowed = true;
  p.CollidedSound = "";
  p.type = 10;
  p.visible = false;
  return p;
}

std::vector<std::string> TextsTheWindowCanShow() {
  std::vector<std::string> texts;
  const auto add = [&texts](std::string_view text) {
    if (!text.empty() && std::find(texts.begin(), texts.end(), text) == texts.end()) {
      texts.emplace_back(text);
    }
  };
  for (const ControlDescription& control : MainWindowControls) add(control.text);
  add(CreditLine);
  add(OutOfWaterMessage);
  // Water and level numbers: any 32-bit signed value in plain decimal.
  add("-0123456789");
  return texts;
}

}  // namespace vintello
