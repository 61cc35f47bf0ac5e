// The window icon, taken from icon.bmp beside this file.
#include "assets/window_icon.h"

#include "assets/embedded/kIconBmp.h"

namespace vintello {

constinit const std::span<const std::uint8_t> WindowIconPicture = embedded::kIconBmp;

}  // namespace vintello
