// Decodes a template's picture once, with the transparency its properties ask for.
#include "ui/stage/object_template.h"

#include <utility>

namespace vintello {

ObjectTemplate::ObjectTemplate(AnimationObjectProperties properties)
    : properties_(std::move(properties)) {
  const Transparency mode =
      properties_.AutoGetTransColor ? Transparency::TopLeftPixel : Transparency::None;
  std::optional<Picture> decoded = DecodePicture(properties_.picture, mode);
  if (!decoded) return;
  // A colour picked from the picture itself overrides the stored one.
  if (!properties_.AutoGetTransColor) decoded->transparent = properties_.TransparentColor;
  picture_ = std::make_shared<const Picture>(std::move(*decoded));
}

}  // namespace vintello
