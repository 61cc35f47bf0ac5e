// The labels whose captions the game writes.
#pragma once

#include <string>

namespace vintello {

enum class CaptionLabel {
  标签1,  // the water stock
  标签3,  // the level number
  标签5,  // the credit line or a message
};

class Captions {
 public:
  virtual ~Captions() = default;
  // Replaces the label's whole caption; `text` is UTF-8.
  virtual void SetCaption(CaptionLabel label, const std::string& text) = 0;
};

}  // namespace vintello
