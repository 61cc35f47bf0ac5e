// JPEG through libjpeg's compressor; the bitmap and the PNG are laid out byte by byte.
#include "tools/draw_pictures/encoders.h"

#include <algorithm>
#include <array>
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <cstdlib>
#include <string_view>

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

namespace {

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < count; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& bytes) {
  constexpr std::uint32_t kModulus = 65521;
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : bytes) {
    a = (a + byte) % kModulus;
    b = (b + a) % kModulus;
  }
  return (b << 16) | a;
}

// A chunk: length, type, data, and the CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, std::string_view type,
              const std::vector<std::uint8_t>& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(&out[typeStart], out.size() - typeStart));
}

// A zlib stream of stored deflate blocks, each at most 65535 bytes long.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
  constexpr std::size_t kMaxBlock = 65535;
  std::vector<std::uint8_t> out{0x78, 0x01};  // deflate, 32 KiB window, no dictionary
  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kMaxBlock, raw.size() - at);
    const bool last = at + length == raw.size();
    out.push_back(last ? 1 : 0);  // BFINAL, then BTYPE 00: stored
    const auto len = static_cast<std::uint16_t>(length);
    const auto nlen = static_cast<std::uint16_t>(~len);
    PutLittleEndian(out, len, 2);
    PutLittleEndian(out, nlen, 2);
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
               raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < raw.size());
  PutBigEndian(out, Adler32(raw));
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const RgbaImage& image) {
  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(image.width));
  PutBigEndian(header, static_cast<std::uint32_t>(image.height));
  header.push_back(8);  // bits per channel
  header.push_back(6);  // colour type: RGBA
  header.push_back(0);  // compression: deflate
  header.push_back(0);  // filter method 0
  header.push_back(0);  // not interlaced
  PutChunk(out, "IHDR", header);

  const auto rowBytes = static_cast<std::size_t>(image.width) * 4;
  std::vector<std::uint8_t> rows;
  rows.reserve((rowBytes + 1) * static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    rows.push_back(0);  // filter type: none
    const std::uint8_t* row = image.PixelAt(0, y);
    rows.insert(rows.end(), row, row + rowBytes);
  }
  PutChunk(out, "IDAT", StoredZlib(rows));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace vintello::draw
