// JPEG through libjpeg's compressor; the bitmap is laid out byte by byte.
#include "tools/draw_pictures/encoders.h"

#include <cstdio>  // jpeglib.h needs FILE declared first
#include <cstdlib>

#include <jpeglib.h>

namespace vintello::draw {

std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  // A failure here is a broken tool, not bad input: libjpeg's default handler reports it and
  // ends the program.
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);

  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);

  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.write_JFIF_header = TRUE;
  info.JFIF_major_version = 1;
  info.JFIF_minor_version = 1;
  info.density_unit = 1;  // dots per inch
  info.X_density = 96;
  info.Y_density = 96;

  jpeg_start_compress(&info, TRUE);
  const auto rowBytes = static_cast<std::size_t>(image.width) * 3;
  while (info.next_scanline < info.image_height) {
    // libjpeg's row type is not const, but the compressor only reads it.
    auto* row = const_cast<JSAMPLE*>(&image.rgb[info.next_scanline * rowBytes]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);

  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int byteCount) {
  for (int i = 0; i < byteCount; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
  constexpr std::uint32_t kHeadersSize = 14 + 40;
  constexpr std::uint32_t kPixelsPerMetre = 3780;
  const auto width = static_cast<std::uint32_t>(image.width);
  const auto height = static_cast<std::uint32_t>(image.height);
  const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = stride * height;

  std::vector<std::uint8_t> out;
  out.reserve(kHeadersSize + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutLittleEndian(out, kHeadersSize + pixelBytes, 4);
  PutLittleEndian(out, 0, 2);
  PutLittleEndian(out, 0, 2);
  PutLittleEndian(out, kHeadersSize, 4);

  PutLittleEndian(out, 40, 4);
  PutLittleEndian(out, width, 4);
  PutLittleEndian(out, height, 4);  // positive: the bottom row comes first
  PutLittleEndian(out, 1, 2);       // planes
  PutLittleEndian(out, 24, 2);      // bits per pixel
  PutLittleEndian(out, 0, 4);       // no compression
  PutLittleEndian(out, pixelBytes, 4);
  PutLittleEndian(out, kPixelsPerMetre, 4);
  PutLittleEndian(out, kPixelsPerMetre, 4);
  PutLittleEndian(out, 0, 4);  // colours used: no palette
  PutLittleEndian(out, 0, 4);  // important colours

  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = image.PixelAt(x, y);
      out.push_back(p[2]);
      out.push_back(p[1]);
      out.push_back(p[0]);
    }
    for (std::uint32_t pad = width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace vintello::draw
