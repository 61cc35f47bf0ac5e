// JPEG through libjpeg from memory. libjpeg reports errors by calling back; the callbacks here
// longjmp out of it, so the frames between a setjmp and libjpeg hold nothing with a destructor.
#include <csetjmp>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <optional>
#include <span>
#include <vector>

#include <jpeglib.h>

#include "ui/pictures/picture_formats.h"

namespace vintello {
namespace {

struct JpegErrorHandler {
  jpeg_error_mgr base;  // first member: libjpeg's pointer to it also points to the whole
  std::jmp_buf escape;
};

[[noreturn]] void AbandonDecoding(j_common_ptr info) {
  auto* handler = reinterpret_cast<JpegErrorHandler*>(info->err);
  std::longjmp(handler->escape, 1);
}

// A warning means corrupt or truncated data that libjpeg would paper over with grey; such a
// picture is not shown at all.
void OnJpegMessage(j_common_ptr info, int level) {
  if (level < 0) AbandonDecoding(info);
}

void IgnoreOutput(j_common_ptr) {}

// Releases the decompressor whichever way decoding ends, also on a throw from an allocation.
class DecompressorGuard {
 public:
  explicit DecompressorGuard(jpeg_decompress_struct& info) : info_(info) {}
  DecompressorGuard(const DecompressorGuard&) = delete;
  DecompressorGuard& operator=(const DecompressorGuard&) = delete;
  ~DecompressorGuard() { jpeg_destroy_decompress(&info_); }

 private:
  jpeg_decompress_struct& info_;
};

// Creates the decompressor, reads the header and starts decoding into RGB. False for data that
// libjpeg rejects and for sizes outside 1..kMaxPictureSide.
bool StartDecoding(jpeg_decompress_struct& info, JpegErrorHandler& errors,
                   std::span<const std::uint8_t> bytes) {
  if (setjmp(errors.escape)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (info.image_width < 1 || info.image_height < 1 || info.image_width > kMaxPictureSide ||
      info.image_height > kMaxPictureSide) {
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  return info.output_components == 3 && info.output_width == info.image_width &&
         info.output_height == info.image_height;
}

// Decodes every row into `pixels` (output_width x output_height) through the one-row `row`.
bool ReadPixels(jpeg_decompress_struct& info, JpegErrorHandler& errors, JSAMPLE* row, Rgb* pixels) {
  if (setjmp(errors.escape)) return false;
  JSAMPROW rows[1] = {row};
  while (info.output_scanline < info.output_height) {
    Rgb* to = pixels + static_cast<std::size_t>(info.output_scanline) * info.output_width;
    if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
    for (JDIMENSION x = 0; x < info.output_width; ++x) {
      to[x] = MakeRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return std::nullopt;
  jpeg_decompress_struct info{};
  JpegErrorHandler errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = AbandonDecoding;
  errors.base.emit_message = OnJpegMessage;
  errors.base.output_message = IgnoreOutput;
  DecompressorGuard guard(info);

  if (!StartDecoding(info, errors, bytes)) return std::nullopt;
  Picture picture;
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.pixels.resize(static_cast<std::size_t>(picture.width) *
                        static_cast<std::size_t>(picture.height));
  std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.width) * 3);
  if (!ReadPixels(info, errors, row.data(), picture.pixels.data())) return std::nullopt;
  return picture;
}

}  // namespace vintello
