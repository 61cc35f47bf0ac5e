// Anti-aliased drawing: a picture is rendered by averaging a colour function over sub-pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vintello::draw {

// A colour with channels 0..255 as real numbers, so blends keep their precision until the end.
struct Colour {
  double r = 0;
  double g = 0;
  double b = 0;
};

Colour Mix(const Colour& from, const Colour& to, double amount);
Colour Scale(const Colour& c, double factor);
Colour Add(const Colour& c, double amount);
double Clamp01(double v);
// 0 below `edge0`, 1 above `edge1`, a smooth S-curve between.
double SmoothStep(double edge0, double edge1, double v);

// The colour of the scene at a point in pixel units (pixel (x, y) spans [x, x+1) x [y, y+1)).
using Scene = std::function<Colour(double x, double y)>;

// An 8-bit RGB picture, rows from the top, three bytes per pixel.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  const std::uint8_t* PixelAt(int x, int y) const {
    return &rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                 static_cast<std::size_t>(x)) *
                3];
  }
};

// Renders `scene` with `samples` x `samples` sub-pixels per pixel; edges come out anti-aliased.
Image Render(int width, int height, const Scene& scene, int samples = 8);

// A scene with holes: no colour where nothing is drawn.
using SceneWithHoles = std::function<std::optional<Colour>(double x, double y)>;

// An 8-bit RGBA picture with straight (not premultiplied) alpha, rows from the top.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  const std::uint8_t* PixelAt(int x, int y) const {
    return &rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)) *
                 4];
  }
};

// Like Render, but a pixel's alpha is the share of its sub-pixels that the scene covers and its
// colour the mean of those alone, so edges fade out instead of blending into a background.
RgbaImage RenderWithAlpha(int width, int height, const SceneWithHoles& scene, int samples = 8);

// Signed distance (negative inside) to an axis-aligned ellipse; close to exact near the rim,
// which is where outlines and highlights need it.
struct Ellipse {
  double cx = 0;
  double cy = 0;
  double rx = 1;
  double ry = 1;
  double Distance(double x, double y) const;
};

// Signed distance to a rounded rectangle spanning [0, width] x [0, height].
double RoundedRectDistance(double x, double y, double width, double height, double radius);

// Union of two distance fields, blended over `k` pixels so that shapes merge without a crease.
double SmoothUnion(double a, double b, double k);

}  // namespace vintello::draw
