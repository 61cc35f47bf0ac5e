// The main window's fixed description: its controls in creation order, their places, texts and
// looks, and the stored properties of the droplet template. Free of Qt so plain tests can read it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/pictures/picture.h"
#include "ui/stage/object_template.h"

namespace vintello {

enum class ControlKind {
  Label,            // 标签
  PushButton,       // 按钮
  AnimationObject,  // 动画物体: a hidden template, never a widget
  AnimationBox,     // 动画框: the stage
};

enum class TextAlignment {
  Left,    // across: from the left edge; down: centred
  Centre,  // across and down: centred
};

// A rectangle in pixels from the top left corner of the window's client area.
struct ControlPlace {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
};

inline constexpr int FontWeightNormal = 400;
inline constexpr int FontWeightBold = 700;

struct ControlDescription {
  std::string_view name;
  ControlKind kind;
  ControlPlace place;
  bool visible;
  bool tabStop;
  std::string_view text;  // UTF-8; the caption at start
  // Labels only; the button keeps the platform's default font, colour and centring.
  int fontPixelHeight = 0;  // em height
  int fontWeight = FontWeightNormal;
  Rgb textColour = MakeRgb(0, 0, 0);
  TextAlignment alignment = TextAlignment::Centre;
};

struct WindowDescription {
  std::string_view caption;
  int outerWidth;  // frame and title bar included
  int outerHeight;
};

inline constexpr WindowDescription MainWindowDescription{"Vintello 单击版", 546, 438};

// 标签5 shows this at start and again at every new level.
inline constexpr std::string_view CreditLine = "Powered by @vintello";

// The labels ask for this face by name; it is rarely installed, so an embedded face stands in.
inline constexpr std::string_view LabelFontFace = "经典粗圆简";

inline constexpr Rgb WaterGreen = MakeRgb(128, 224, 0);
inline constexpr Rgb CaptionOrange = MakeRgb(255, 128, 0);
inline constexpr Rgb CaptionBlack = MakeRgb(0, 0, 0);

// Every control in the order in which the window creates it; later ones lie above earlier ones.
// clang-format off
inline constexpr std::array<ControlDescription, 8> MainWindowControls{{
  // name        kind                          left, top, width x height  visible tab   text        font  weight            colour         alignment
  {"标签5",     ControlKind::Label,           {0,   368, 544, 40},        true,  false, CreditLine, 32,   FontWeightBold,   CaptionOrange, TextAlignment::Centre},
  {"标签4",     ControlKind::Label,           {376, 64,  152, 40},        true,  false, "剩余水:",  24,   FontWeightNormal, CaptionBlack,  TextAlignment::Left},
  {"标签3",     ControlKind::Label,           {384, 266, 144, 104},       true,  false, "000",      96,   FontWeightBold,   CaptionOrange, TextAlignment::Centre},
  {"标签2",     ControlKind::Label,           {376, 221, 152, 40},        true,  false, "关卡:",    24,   FontWeightNormal, CaptionBlack,  TextAlignment::Left},
  {"标签1",     ControlKind::Label,           {384, 101, 144, 104},       true,  false, "000",      96,   FontWeightBold,   WaterGreen,    TextAlignment::Centre},
  {"按钮1",     ControlKind::PushButton,      {384, 12,  144, 48},        true,  true,  "重新开始"},
  {"动画物体2", ControlKind::AnimationObject, {296, 104, 32,  48},        false, false, ""},
  {"动画框1",   ControlKind::AnimationBox,    {0,   0,   362, 362},       true,  true,  ""},
}};
// clang-format on

// The description of the control with this name; null for a name that is not in the table.
const ControlDescription* FindControl(std::string_view name);

// Every property of 动画物体2, the template of every droplet.
AnimationObjectProperties DropletTemplateProperties();

// Every text that a label or the button can show: the captions at start, the credit line, the
// game's messages and the characters of any number the game writes. The embedded font must have
// a glyph for each of their characters.
std::vector<std::string> TextsTheWindowCanShow();

}  // namespace vintello
