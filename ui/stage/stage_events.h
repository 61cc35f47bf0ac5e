// The events the stage raises. Each is called synchronously; an unset one is not raised.
#pragma once

#include <cstdint>
#include <functional>

namespace vintello {

struct StageEvents {
  // The left button went down over the stage; 0 when no object covers the point.
  std::function<void(std::int32_t 物体标识值)> 物体左键被按下;
  // The second press of a double-click, raised instead of 物体左键被按下.
  std::function<void(std::int32_t 物体标识值)> 双击物体;
  // A moving object's step brought it onto another object.
  std::function<void(std::int32_t 碰撞物体标识值, std::int32_t 碰撞前横坐标,
                     std::int32_t 碰撞前纵坐标, std::int32_t 被碰撞物体标识值)>
      碰撞到物体;
  // A moving object's step left opaque pixels beyond the stage's edges (边界类型: 1 left,
  // 2 top, 4 right, 8 bottom, added up).
  std::function<void(std::int32_t 物体标识值, std::int32_t 碰撞前横坐标, std::int32_t 碰撞前纵坐标,
                     std::int32_t 边界类型)>
      碰撞到边界;
  // A moving object's step left none of its opaque pixels inside the stage.
  std::function<void(std::int32_t 物体标识值)> 越出边界;
  std::function<void(std::int32_t 物体标识值)> 自动前进停止;
  std::function<void(std::int32_t 物体标识值)> 物体将销毁;
};

}  // namespace vintello
