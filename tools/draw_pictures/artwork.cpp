// Colours, shapes and shading of the game's pictures.
#include "tools/draw_pictures/artwork.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <vector>

namespace vintello::draw {
namespace {

const Colour kWhite{255, 255, 255};
// The window's face colour, which shows in the pane's rounded-off corners.
const Colour kFace{240, 240, 240};

const Colour kRimLeft{213, 226, 214};
const Colour kRimRight{203, 232, 230};
const Colour kRimCorner{247, 251, 248};
const Colour kOlive{118, 109, 91};
const Colour kReflection{128, 148, 184};
const Colour kReflectionBright{151, 175, 211};

const Colour kDropLit{53, 220, 19};
const Colour kDropMiddle{59, 184, 51};
const Colour kDropRight{60, 200, 85};
const Colour kDropOutline{36, 146, 38};
const Colour kDropHighlight{212, 249, 198};

constexpr double kPaneCornerRadius = 6;
constexpr double kRimWidth = 4;

Colour PaneColour(double x, double y, double width, double height) {
  const double edge = RoundedRectDistance(x, y, width, height, kPaneCornerRadius);
  if (edge > 0) return kFace;
  if (-edge < kRimWidth) {
    const double cornerDistance =
        std::min({std::hypot(x, y), std::hypot(width - x, y), std::hypot(x, height - y),
                  std::hypot(width - x, height - y)});
    const Colour side = Mix(kRimLeft, kRimRight, SmoothStep(0.25, 0.75, x / width));
    // The rim catches most light where two sides meet.
    return Mix(side, kRimCorner, 1 - SmoothStep(4, 13, cornerDistance));
  }
  const double innerLeft = kRimWidth;
  const double innerRight = width - kRimWidth;
  const double split = innerLeft + (innerRight - innerLeft) * 2 / 3;
  // Faint vertical streaks: a few slow waves across, none along.
  const double streak = 2.6 * std::sin(x * 0.83 + 0.4) + 1.8 * std::sin(x * 1.71 + 2.1);
  const Colour olive = Add(Scale(kOlive, 1.05 - 0.15 * y / height), streak);
  const double across = Clamp01((x - split) / (innerRight - split));
  const Colour reflection = Mix(kReflection, kReflectionBright, std::pow(across, 1.6));
  return Mix(olive, reflection, SmoothStep(split - 0.9, split + 0.9, x));
}

// A drop as a smooth union of lobes, with an optional detached speck.
struct DropShape {
  std::vector<Ellipse> lobes;
  double blend = 0;  // how far lobes melt into each other, in pixels
  std::optional<Ellipse> speck;
  // The box that shading is laid over: centre and half sizes.
  Ellipse frame;

  double Distance(double x, double y) const {
    double d = lobes.front().Distance(x, y);
    for (std::size_t i = 1; i < lobes.size(); ++i) {
      d = SmoothUnion(d, lobes[i].Distance(x, y), blend);
    }
    if (speck) d = std::min(d, speck->Distance(x, y));
    return d;
  }
};

// Glossy green lit from the upper left; `depth` is how far inside the edge the point lies.
Colour DropColour(const Ellipse& frame, double x, double y, double depth) {
  const double u = (x - frame.cx) / frame.rx;
  const double v = (y - frame.cy) / frame.ry;
  const double lit = SmoothStep(-0.1, 1.0, -(u + v) * 0.7);
  const double right = SmoothStep(0.15, 0.95, u) * (1 - lit);
  Colour c = Mix(Mix(kDropMiddle, kDropLit, lit), kDropRight, right);

  // The pale arc follows the upper right edge just inside the outline.
  const double angle = std::atan2(v, u);  // -pi/2 is straight up
  const double alongArc = 1 - SmoothStep(0.45, 0.85, std::abs(angle + std::numbers::pi / 4));
  const double acrossArc = Clamp01(1 - std::abs(depth - 2.1) / 0.9);
  c = Mix(c, kDropHighlight, 0.85 * alongArc * acrossArc);

  const double outline = 1 - SmoothStep(0.4, 1.3, depth);
  return Mix(c, kDropOutline, 0.7 * outline);
}

Colour DropOnPane(const std::optional<DropShape>& drop, double x, double y, double width,
                  double height) {
  if (drop) {
    const double d = drop->Distance(x, y);
    if (d <= 0) return DropColour(drop->frame, x, y, -d);
  }
  return PaneColour(x, y, width, height);
}

struct TileArt {
  int width;
  int height;
  std::optional<DropShape> drop;
};

TileArt TileArtFor(int index) {
  switch (index) {
    case 1:
      return {61, 60, std::nullopt};
    case 2:  // small round drop, a speck at its lower left
      return {61, 62,
              DropShape{
                  {{30, 25, 11.5, 9}}, 0, Ellipse{18.2, 33.4, 1.6, 1.5}, Ellipse{30, 25, 11.5, 9}}};
    case 3:  // lumpy, wider on the right, bulging to the lower left
      return {63, 61,
              DropShape{{{38.5, 24.5, 18, 16.5}, {21.5, 36, 10, 10}, {27, 15, 9, 7}},
                        7,
                        std::nullopt,
                        Ellipse{34, 27, 22.5, 19}}};
    case 4:  // pear: narrow where it meets the top edge, broad below
      return {
          60, 62,
          DropShape{
              {{31, 34, 27.5, 20}, {31, 11, 10, 11}}, 12, std::nullopt, Ellipse{31, 27, 27.5, 27}}};
    case 5:  // fills the tile, touching its top and right edges
      return {62, 60, DropShape{{{33, 29, 29, 29}}, 0, std::nullopt, Ellipse{33, 29, 29, 29}}};
    default:
      throw std::out_of_range("tile pictures are numbered 1 to 5");
  }
}

// Signed distance to the convex hull of a circle of radius `r1` at (cx, cy) and a smaller one of
// radius `r2` straight above it, `h` pixels higher: a drop standing on its round end.
double TeardropDistance(double x, double y, double cx, double cy, double r1, double r2, double h) {
  const double px = std::abs(x - cx);
  const double py = cy - y;
  const double b = (r1 - r2) / h;
  const double a = std::sqrt(1 - b * b);
  const double k = -b * px + a * py;
  if (k < 0) return std::hypot(px, py) - r1;
  if (k > a * h) return std::hypot(px, py - h) - r2;
  return a * px + b * py - r1;
}

}  // namespace

Image DrawTile(int index) {
  const TileArt art = TileArtFor(index);
  const double w = art.width;
  const double h = art.height;
  return Render(art.width, art.height,
                [&](double x, double y) { return DropOnPane(art.drop, x, y, w, h); });
}

Image DrawDroplet() {
  constexpr int kWidth = 17;
  constexpr int kHeight = 29;
  const Ellipse body{kWidth / 2.0, kHeight / 2.0, kWidth / 2.0, kHeight / 2.0};
  const Colour top{56, 230, 18};
  const Colour middle{59, 184, 48};
  const Colour bottom{51, 181, 57};
  // Sub-pixels outside the ellipse are pure white, so a pixel that the ellipse touches at all
  // comes out a little darker than white and stays opaque once white is made transparent.
  return Render(kWidth, kHeight, [&](double x, double y) {
    if (body.Distance(x, y) > 0) return kWhite;
    const double t = y / kHeight;
    return t < 0.5 ? Mix(top, middle, SmoothStep(0, 0.5, t))
                   : Mix(middle, bottom, SmoothStep(0.5, 1, t));
  });
}

namespace {

// The icon's drop on a 64 x 64 design square; nothing outside it.
constexpr double kIconDesignSize = 64;

std::optional<Colour> IconDrop(double x, double y) {
  const Ellipse frame{32, 33, 20, 27};
  const double d = TeardropDistance(x, y, 32, 41, 19.5, 1.2, 34);
  if (d > 0) return std::nullopt;
  return DropColour(frame, x, y, -d);
}

}  // namespace

Image DrawWindowIcon() {
  constexpr int kSize = static_cast<int>(kIconDesignSize);
  return Render(kSize, kSize, [](double x, double y) { return IconDrop(x, y).value_or(kWhite); });
}

RgbaImage DrawAppIcon(int size) {
  const double toDesign = kIconDesignSize / size;
  // Small icons get more sub-pixels each, so that their few edge pixels shade as finely.
  const int samples = std::max(8, 256 / size);
  return RenderWithAlpha(
      size, size, [toDesign](double x, double y) { return IconDrop(x * toDesign, y * toDesign); },
      samples);
}

}  // namespace vintello::draw
