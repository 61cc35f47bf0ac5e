// Sub-pixel rendering and the distance fields that the artwork is built from.
#include "tools/draw_pictures/canvas.h"

#include <algorithm>
#include <cmath>

namespace vintello::draw {

Colour Mix(const Colour& from, const Colour& to, double amount) {
  return {from.r + (to.r - from.r) * amount, from.g + (to.g - from.g) * amount,
          from.b + (to.b - from.b) * amount};
}

Colour Scale(const Colour& c, double factor) {
  return {c.r * factor, c.g * factor, c.b * factor};
}

Colour Add(const Colour& c, double amount) {
  return {c.r + amount, c.g + amount, c.b + amount};
}

double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

double SmoothStep(double edge0, double edge1, double v) {
  const double t = Clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

namespace {

std::uint8_t ToByte(double channel) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 255.0)));
}

}  // namespace

Image Render(int width, int height, const Scene& scene, int samples) {
  Image image{width, height, {}};
  image.rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  const double step = 1.0 / samples;
  const double weight = 1.0 / (samples * samples);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Colour sum;
      for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          const Colour c = scene(x + (sx + 0.5) * step, y + (sy + 0.5) * step);
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
      }
      image.rgb.push_back(ToByte(sum.r * weight));
      image.rgb.push_back(ToByte(sum.g * weight));
      image.rgb.push_back(ToByte(sum.b * weight));
    }
  }
  return image;
}

RgbaImage RenderWithAlpha(int width, int height, const SceneWithHoles& scene, int samples) {
  RgbaImage image{width, height, {}};
  image.rgba.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  const double step = 1.0 / samples;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Colour sum;
      int covered = 0;
      for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          const std::optional<Colour> c = scene(x + (sx + 0.5) * step, y + (sy + 0.5) * step);
          if (!c) continue;
          sum = {sum.r + c->r, sum.g + c->g, sum.b + c->b};
          ++covered;
        }
      }
      // A pixel that nothing covers is transparent black, which packs best.
      const double weight = covered ? 1.0 / covered : 0.0;
      image.rgba.push_back(ToByte(sum.r * weight));
      image.rgba.push_back(ToByte(sum.g * weight));
      image.rgba.push_back(ToByte(sum.b * weight));
      image.rgba.push_back(ToByte(255.0 * covered / (samples * samples)));
    }
  }
  return image;
}

double Ellipse::Distance(double x, double y) const {
  // The implicit value divided by its gradient length: exact on the rim, a fair estimate nearby.
  const double px = x - cx;
  const double py = y - cy;
  const double k0 = std::hypot(px / rx, py / ry);
  const double k1 = std::hypot(px / (rx * rx), py / (ry * ry));
  if (k1 == 0) return -std::min(rx, ry);
  return k0 * (k0 - 1.0) / k1;
}

double RoundedRectDistance(double x, double y, double width, double height, double radius) {
  const double qx = std::abs(x - width / 2) - (width / 2 - radius);
  const double qy = std::abs(y - height / 2) - (height / 2 - radius);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  const double inside = std::min(std::max(qx, qy), 0.0);
  return outside + inside - radius;
}

double SmoothUnion(double a, double b, double k) {
  const double h = std::max(k - std::abs(a - b), 0.0) / k;
  return std::min(a, b) - h * h * k / 4;
}

}  // namespace vintello::draw
