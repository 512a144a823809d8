#include "renderer/Textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "assets/Image.h"
#include "platform/Window.h"

bool LoadTexture(const std::string& fileName, std::uint32_t& texture) {
  const TDecodeResult result = DecodeImageFile(fileName);
  if (!result.ok) {
    if (!result.message.empty()) wnd::MessageBox(result.message, result.caption);
    return false;
  }
  const TImage& image = result.image;
  texture = UploadTexture(image.width, image.height, image.channels == 4 ? GL_RGBA : GL_RGB, image.pixels.data());
  return true;
}

TTexture LoadTexture(const std::string& fileName) {
  std::uint32_t name = 0;
  LoadTexture(fileName, name);
  return TTexture(name);
}

std::uint32_t UploadTexture(int width, int height, unsigned format, const std::uint8_t* pixels) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  // Rows are tightly packed: a 24-bit row need not be a multiple of four bytes long.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (format == GL_RGBA) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  } else {
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  return texture;
}

void ReleaseTexture(std::uint32_t& texture) {
  if (texture == 0) return;
  const GLuint name = texture;
  glDeleteTextures(1, &name);
  texture = 0;
}

bool TextureHasAlpha(std::uint32_t texture) {
  if (texture == 0) return false;
  GLint previous = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint alphaBits = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  return alphaBits > 0;
}
