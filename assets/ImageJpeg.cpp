#include "assets/ImageJpeg.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// A crafted progressive file can hold thousands of scans, each a pass over the picture.
constexpr int kMaxJpegScans = 500;

struct TJpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TJpegErrors*>(info->err)->jump, 1);
}

// Warnings (a file cut short, a bad marker) are not the player's business.
void IgnoreMessage(j_common_ptr) {}

void LimitScans(j_common_ptr info) {
  auto* decoder = reinterpret_cast<j_decompress_ptr>(info);
  if (decoder->input_scan_number > kMaxJpegScans) info->err->error_exit(info);
}

// The decompressor is created and destroyed by the caller, so this frame holds no
// object with a destructor for the error jump to skip.
bool RunDecoder(jpeg_decompress_struct& info, TJpegErrors& errors, const std::vector<std::uint8_t>& bytes,
                TImage& image) {
  if (setjmp(errors.jump)) return false;
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  if (!ImageSizeAcceptable(info.image_width, info.image_height)) return false;
  info.out_color_space = JCS_EXT_RGBA;  // libjpeg-turbo fills the fourth byte with 255
  image.width = static_cast<int>(info.image_width);
  image.height = static_cast<int>(info.image_height);
  image.channels = 4;
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 4);
  jpeg_start_decompress(&info);
  if (info.output_width != info.image_width || info.output_height != info.image_height ||
      info.output_components != 4) {
    return false;
  }
  const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.pixels.data() + (image.height - 1 - info.output_scanline) * stride;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

class TJpegDecompressor {
 public:
  TJpegDecompressor() {
    info_.err = jpeg_std_error(&errors_.base);
    errors_.base.error_exit = JumpOnError;
    errors_.base.output_message = IgnoreMessage;
    progress_.progress_monitor = LimitScans;
    if (setjmp(errors_.jump)) return;  // creation fails only when memory runs out
    jpeg_create_decompress(&info_);
    info_.progress = &progress_;
    created_ = true;
  }
  ~TJpegDecompressor() {
    if (created_) jpeg_destroy_decompress(&info_);
  }
  TJpegDecompressor(const TJpegDecompressor&) = delete;
  TJpegDecompressor& operator=(const TJpegDecompressor&) = delete;

  bool Decode(const std::vector<std::uint8_t>& bytes, TImage& image) {
    return created_ && RunDecoder(info_, errors_, bytes, image);
  }

 private:
  jpeg_decompress_struct info_{};
  TJpegErrors errors_{};
  jpeg_progress_mgr progress_{};
  bool created_ = false;
};

}  // namespace

bool DecodeJpegPixels(const std::vector<std::uint8_t>& bytes, TImage& image) {
  TJpegDecompressor decompressor;
  if (decompressor.Decode(bytes, image)) return true;
  image = TImage{};
  return false;
}
