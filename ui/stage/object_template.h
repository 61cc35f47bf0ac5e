// A hidden animation object whose stored properties new stage objects copy (动画物体2 is one).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "ui/pictures/picture.h"

namespace vintello {

// Every property of an animation object as the window's description stores it. The stage
// uses the picture, its transparency, type, layer, CollideAllowed, angle, RotateFollow and
// TurnType; the rest is kept as data (the values in use leave a picture unchanged).
struct AnimationObjectProperties {
  std::string text;                         // 文字
  std::string font;                         // 字体
  Rgb TextColor = MakeRgb(0, 0, 0);         // 文本颜色
  std::span<const std::uint8_t> picture;    // 图片: encoded bytes
  bool AutoGetTransColor = false;           // 自动取透明色
  std::optional<Rgb> TransparentColor;      // 透明色
  bool PlayGIF = false;                     // 播放动画
  std::int32_t GIFDelay = 0;                // 动画间隔时间
  std::int32_t GIFAutoDestroy = 0;          // 动画自动销毁
  Rgb TrendColor = MakeRgb(255, 255, 255);  // 趋向色
  std::int32_t TrendDepth = 0;              // 趋向程度
  std::int32_t light = 0;                   // 亮度
  std::int32_t alpha = 0;                   // 透明度
  std::int32_t zoom = 1000;                 // 缩放比, per mille
  std::int32_t layer = 0;                   // 层次
  std::int32_t angle = 0;                   // 角度
  bool RotateFollow = false;                // 旋转跟随
  TurnType turnType = TurnType::None;       // 翻转
  std::int32_t ExistTime = 0;               // 生存时间, 0: no limit
  std::string CreateSound;                  // 创建声音
  std::string DestroySound;                 // 销毁声音
  bool CollideAllowed = false;              // 允许碰撞
  std::string CollidedSound;                // 碰撞声音
  std::int32_t type = 0;                    // 类型值
  bool visible = false;                     // 可视
};

// A template with its picture decoded once, when it is made.
class ObjectTemplate {
 public:
  explicit ObjectTemplate(AnimationObjectProperties properties);

  const AnimationObjectProperties& properties() const { return properties_; }
  // The decoded picture, unshaped; null when the bytes do not decode.
  const SharedPicture& picture() const { return picture_; }

 private:
  AnimationObjectProperties properties_;
  SharedPicture picture_;
};

}  // namespace vintello
