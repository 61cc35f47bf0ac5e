// The main window's description as JSON, for the page that builds its labels, button and canvas
// from it: the page holds no place, size, font or colour of its own.
#pragma once

#include <string>
#include <string_view>

namespace vintello {

// `labelFontFile` is the file, beside the page, of the embedded face that stands in for the
// labels' face; the page loads it as a web font.
std::string WindowLayoutJson(std::string_view labelFontFile);

// `text` as a JSON string literal, quotes included. Characters below U+0020, the quote and the
// backslash are escaped; everything else, valid UTF-8 or not, is copied as it is.
std::string JsonString(std::string_view text);

}  // namespace vintello
