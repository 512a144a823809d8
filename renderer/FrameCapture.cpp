#include "renderer/FrameCapture.h"

#include <GL/gl.h>

std::vector<std::uint8_t> ReadBackBufferRgb(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  // Rows of three-byte pixels need not be a multiple of four bytes long; whoever packs
  // pixels next expects the alignment it left.
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  return rgb;
}
