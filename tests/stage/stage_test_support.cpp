// Helpers for the stage's tests.
#include "tests/stage/stage_test_support.h"

#include <stdexcept>
#include <utility>

namespace vintello::test {

namespace {

Rgb ColourOf(char c) {
  switch (c) {
    case '.':
      return kWhite;
    case 'r':
      return kRed;
    case 'g':
      return kGreen;
    case 'b':
      return kBlue;
    case 'k':
      return kBlack;
    case 'y':
      return kYellow;
    default:
      throw std::invalid_argument(std::string("no colour for '") + c + "'");
  }
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::string Join(std::initializer_list<std::int32_t> numbers, std::string_view name) {
  std::string text(name);
  for (std::int32_t n : numbers) {
    text += ' ';
    text += std::to_string(n);
  }
  return text;
}

}  // namespace

Picture Sketch(std::initializer_list<std::string_view> rows) {
  Picture p;
  p.height = static_cast<int>(rows.size());
  p.width = static_cast<int>(rows.begin()->size());
  for (std::string_view row : rows) {
    if (static_cast<int>(row.size()) != p.width) throw std::invalid_argument("ragged sketch");
    for (char c : row) p.pixels.push_back(ColourOf(c));
  }
  return p;
}

Picture Filled(int width, int height, Rgb colour) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), colour);
  return p;
}

std::vector<std::uint8_t> EncodeBmp(const Picture& picture) {
  const auto rowBytes = static_cast<std::uint32_t>((picture.width * 3 + 3) / 4 * 4);
  const auto dataBytes = rowBytes * static_cast<std::uint32_t>(picture.height);
  constexpr std::uint32_t kDataOffset = 54;
  std::vector<std::uint8_t> out{'B', 'M'};
  PutLittleEndian(out, kDataOffset + dataBytes, 4);
  PutLittleEndian(out, 0, 4);  // two reserved fields
  PutLittleEndian(out, kDataOffset, 4);
  PutLittleEndian(out, 40, 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(picture.width), 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(picture.height), 4);
  PutLittleEndian(out, 1, 2);   // planes
  PutLittleEndian(out, 24, 2);  // bits per pixel
  PutLittleEndian(out, 0, 4);   // no compression
  PutLittleEndian(out, dataBytes, 4);
  PutLittleEndian(out, 3780, 4);
  PutLittleEndian(out, 3780, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 0, 4);
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const Rgb c = picture.At(x, y);
      out.push_back(static_cast<std::uint8_t>(BlueOf(c)));
      out.push_back(static_cast<std::uint8_t>(GreenOf(c)));
      out.push_back(static_cast<std::uint8_t>(RedOf(c)));
    }
    for (auto pad = static_cast<std::uint32_t>(picture.width * 3); pad < rowBytes; ++pad) {
      out.push_back(0);
    }
  }
  return out;
}

OwnedTemplate::OwnedTemplate(std::vector<std::uint8_t> encoded,
                             AnimationObjectProperties properties)
    : bytes(std::move(encoded)), tmpl([&] {
        properties.picture = bytes;
        return properties;
      }()) {}

std::unique_ptr<OwnedTemplate> TransparentTemplate(const Picture& picture, std::int32_t type,
                                                   std::int32_t layer, bool collideAllowed) {
  AnimationObjectProperties p;
  p.AutoGetTransColor = true;
  p.type = type;
  p.layer = layer;
  p.CollideAllowed = collideAllowed;
  return std::make_unique<OwnedTemplate>(EncodeBmp(picture), p);
}

EventLog::EventLog(Stage& stage) {
  StageEvents& e = stage.events();
  e.物体左键被按下 = [this](std::int32_t id) { entries.push_back(Join({id}, "物体左键被按下")); };
  e.双击物体 = [this](std::int32_t id) { entries.push_back(Join({id}, "双击物体")); };
  e.碰撞到物体 = [this](std::int32_t id, std::int32_t left, std::int32_t top, std::int32_t hit) {
    entries.push_back(Join({id, left, top, hit}, "碰撞到物体"));
  };
  e.碰撞到边界 = [this](std::int32_t id, std::int32_t left, std::int32_t top, std::int32_t edges) {
    entries.push_back(Join({id, left, top, edges}, "碰撞到边界"));
  };
  e.越出边界 = [this](std::int32_t id) { entries.push_back(Join({id}, "越出边界")); };
  e.自动前进停止 = [this](std::int32_t id) { entries.push_back(Join({id}, "自动前进停止")); };
  e.物体将销毁 = [this](std::int32_t id) { entries.push_back(Join({id}, "物体将销毁")); };
}

ObjectId CreateOpaque(Stage& stage, const Picture& picture, std::int32_t left, std::int32_t top) {
  const ObjectId id = stage.CreateObject(nullptr, left, top, true);
  stage.SetObjectPicture(id, EncodeBmp(picture));
  return id;
}

std::vector<std::uint32_t> PaintFromScratch(const Stage& stage, Rgb background) {
  const int w = stage.width();
  const int h = stage.height();
  std::vector<std::uint32_t> out(static_cast<std::size_t>(w) * static_cast<std::size_t>(h),
                                 0xFF000000u | background);
  for (ObjectId id : stage.ObjectIdsInListOrder()) {
    const ObjectView v = *stage.View(id);
    if (!v.visible || v.shown == nullptr) continue;
    const int left = stage.GetObjectLeft(id);
    const int top = stage.GetObjectTop(id);
    for (int y = 0; y < v.shown->height; ++y) {
      for (int x = 0; x < v.shown->width; ++x) {
        const int sx = left + x;
        const int sy = top + y;
        if (sx < 0 || sy < 0 || sx >= w || sy >= h || !v.shown->OpaqueAt(x, y)) continue;
        out[static_cast<std::size_t>(sy) * static_cast<std::size_t>(w) +
            static_cast<std::size_t>(sx)] = 0xFF000000u | v.shown->At(x, y);
      }
    }
  }
  return out;
}

}  // namespace vintello::test
