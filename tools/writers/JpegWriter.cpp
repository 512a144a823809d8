#include "tools/writers/JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// libjpeg's default error handler ends the process; ours jumps back to the encoder so a bad
// picture only gives an empty result.
struct TJpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  auto* error = reinterpret_cast<TJpegError*>(info->err);
  std::longjmp(error->jump, 1);
}

void OnJpegMessage(j_common_ptr) {}

bool SizesMatch(int width, int height, const std::vector<std::uint8_t>& rgb) {
  if (width <= 0 || height <= 0 || width > 65500 || height > 65500) return false;
  return rgb.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
}

// Everything that may jump lives in this function; it keeps no C++ objects with destructors
// across the setjmp, so a jump leaks nothing but the libjpeg buffer, released by the caller.
bool Compress(jpeg_compress_struct& info, TJpegError& error, int width, int height, const std::uint8_t* rgb,
              int quality, bool progressive, unsigned char** buffer, unsigned long* size) {
  if (setjmp(error.jump)) return false;
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.optimize_coding = TRUE;
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + stride * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  return true;
}

}  // namespace

TBytes EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb, int quality, bool progressive) {
  if (!SizesMatch(width, height, rgb)) return {};
  if (quality < 1) quality = 1;
  if (quality > 100) quality = 100;
  jpeg_compress_struct info{};
  TJpegError error{};
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = OnJpegError;
  error.manager.output_message = OnJpegMessage;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = Compress(info, error, width, height, rgb.data(), quality, progressive, &buffer, &size);
  jpeg_destroy_compress(&info);
  TBytes bytes;
  if (ok && buffer != nullptr) bytes.assign(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// Inside entropy-coded data a 0xFF byte is followed by 0x00 or a restart marker, so the
// last 0xFF 0xDA pair is the last scan's header.
TBytes RepeatLastScan(const TBytes& jpeg, int times) {
  const std::size_t n = jpeg.size();
  if (n < 4 || jpeg[n - 2] != 0xFF || jpeg[n - 1] != 0xD9 || times < 0) return {};
  std::size_t start = n - 2;
  while (start > 0 && !(jpeg[start - 1] == 0xFF && jpeg[start] == 0xDA)) --start;
  if (start == 0) return {};
  const TBytes scan(jpeg.begin() + static_cast<std::ptrdiff_t>(start - 1), jpeg.end() - 2);
  TBytes out(jpeg.begin(), jpeg.end() - 2);
  for (int k = 0; k < times; ++k) out.insert(out.end(), scan.begin(), scan.end());
  out.push_back(0xFF);
  out.push_back(0xD9);
  return out;
}

bool WriteJpegFile(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb,
                   int quality) {
  TBytes bytes = EncodeJpeg(width, height, rgb, quality);
  if (bytes.empty()) return false;
  return WriteBytesToFile(path, bytes);
}
