// draw_pictures <output dir>: writes tile1.jpg to tile5.jpg, droplet.bmp and icon.bmp.
// draw_pictures --app-icons <output dir> <size>...: writes the program's icon as icon-<size>.png
// at each size given.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tools/draw_pictures/artwork.h"
#include "tools/draw_pictures/encoders.h"

namespace {

// Gives each tile about 2 KB with libjpeg's standard tables.
constexpr int kTileQuality = 93;

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "draw_pictures: cannot write %s\n", path.string().c_str());
    return false;
  }
  std::printf("%s: %zu bytes\n", path.string().c_str(), bytes.size());
  return true;
}

// An icon size from the command line: whole pixels, at most as large as any desktop asks for.
std::optional<int> IconSize(const char* text) {
  constexpr int kLargest = 1024;
  int size = 0;
  const char* end = text + std::strlen(text);
  const auto [at, error] = std::from_chars(text, end, size);
  if (error != std::errc() || at != end || size < 1 || size > kLargest) return std::nullopt;
  return size;
}

int WriteAppIcons(const std::filesystem::path& dir, int sizeCount, char** sizes) {
  using namespace vintello::draw;
  bool ok = true;
  for (int i = 0; i < sizeCount; ++i) {
    const std::optional<int> size = IconSize(sizes[i]);
    if (!size) {
      std::fprintf(stderr, "draw_pictures: not an icon size: %s\n", sizes[i]);
      return 2;
    }
    ok = WriteFile(dir / ("icon-" + std::to_string(*size) + ".png"),
                   EncodePng(DrawAppIcon(*size))) &&
         ok;
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool appIcons = argc >= 4 && std::string(argv[1]) == "--app-icons";
  if (argc != 2 && !appIcons) {
    std::fprintf(stderr,
                 "usage: draw_pictures <output dir>\n"
                 "       draw_pictures --app-icons <output dir> <size>...\n");
    return 2;
  }
  const std::filesystem::path dir = argv[appIcons ? 2 : 1];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (appIcons) return WriteAppIcons(dir, argc - 3, argv + 3);

  using namespace vintello::draw;
  bool ok = true;
  for (int i = 1; i <= kTileCount; ++i) {
    ok = WriteFile(dir / ("tile" + std::to_string(i) + ".jpg"),
                   EncodeJpeg(DrawTile(i), kTileQuality)) &&
         ok;
  }
  ok = WriteFile(dir / "droplet.bmp", EncodeBmp(DrawDroplet())) && ok;
  ok = WriteFile(dir / "icon.bmp", EncodeBmp(DrawWindowIcon())) && ok;
  return ok ? 0 : 1;
}
