// The labels' stand-in font, taken from VintelloRounded-Bold.otf beside this file.
#include "assets/fonts/label_font.h"

#include "assets/embedded/kLabelFontOtf.h"

namespace vintello {

constinit const std::span<const std::uint8_t> LabelFontData = embedded::kLabelFontOtf;

}  // namespace vintello
