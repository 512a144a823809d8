#include "renderer/FrameCapture.h"

#include <GL/gl.h>

namespace {

// Rows of three-byte pixels need not be a multiple of four bytes long, so rows are read
// tightly packed; whoever packs pixels next expects the alignment it left.
void ReadBackBuffer(int width, int height, GLenum format, std::uint8_t* pixels) {
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, format, GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
}

}  // namespace

std::vector<std::uint8_t> ReadBackBufferRgb(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  ReadBackBuffer(width, height, GL_RGB, rgb.data());
  return rgb;
}

void ReadBackBufferRgba(int width, int height, std::vector<std::uint8_t>& rgba) {
  rgba.assign(width > 0 && height > 0 ? static_cast<std::size_t>(width) * height * 4 : 0, 0);
  if (!rgba.empty()) ReadBackBuffer(width, height, GL_RGBA, rgba.data());
}
