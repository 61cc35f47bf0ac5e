// Writing the window's description as JSON.
#include "web/layout_json.h"

#include <cstdio>

#include "ui/window_layout.h"

namespace vintello {

namespace {

std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return "label";
    case ControlKind::PushButton:
      return "button";
    case ControlKind::AnimationObject:
      return "template";
    case ControlKind::AnimationBox:
      return "stage";
  }
  return "unknown";
}

std::string CssColour(Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
  return text;
}

std::string ControlJson(const ControlDescription& c) {
  std::string json =
      "{\"name\":" + JsonString(c.name) + ",\"kind\":\"" + std::string(KindName(c.kind)) + "\"" +
      ",\"left\":" + std::to_string(c.place.left) + ",\"top\":" + std::to_string(c.place.top) +
      ",\"width\":" + std::to_string(c.place.width) +
      ",\"height\":" + std::to_string(c.place.height) +
      ",\"visible\":" + (c.visible ? "true" : "false") +
      ",\"tabStop\":" + (c.tabStop ? "true" : "false") + ",\"text\":" + JsonString(c.text);
  if (c.kind == ControlKind::Label) {
    json += ",\"fontPixelHeight\":" + std::to_string(c.fontPixelHeight) +
            ",\"fontWeight\":" + std::to_string(c.fontWeight) + ",\"textColour\":\"" +
            CssColour(c.textColour) + "\"" + ",\"alignment\":\"" +
            (c.alignment == TextAlignment::Left ? "left" : "centre") + "\"";
  }
  return json + "}";
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      char escaped[7];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string WindowLayoutJson(std::string_view labelFontFile) {
  std::string json = "{\"caption\":" + JsonString(MainWindowDescription.caption) +
                     ",\"outerWidth\":" + std::to_string(MainWindowDescription.outerWidth) +
                     ",\"outerHeight\":" + std::to_string(MainWindowDescription.outerHeight) +
                     ",\"labelFontFace\":" + JsonString(LabelFontFace) +
                     ",\"labelFontFile\":" + JsonString(labelFontFile) + ",\"controls\":[";
  bool first = true;
  for (const ControlDescription& control : MainWindowControls) {
    if (!first) json += ',';
    first = false;
    json += ControlJson(control);
  }
  return json + "]}";
}

}  // namespace vintello
