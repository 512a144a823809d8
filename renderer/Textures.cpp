#include "renderer/Textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

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

namespace {

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// Only these go to the GL as they are; any other size is scaled by GLU on the way.
bool UploadsAsItIs(int width, int height) {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  return PowerOfTwo(width) && PowerOfTwo(height) && width <= largest && height <= largest;
}

// Rows are tightly packed: a 24-bit row need not be a multiple of four bytes long.
void SendLevels(int width, int height, GLenum format, const std::uint8_t* pixels, TMipmaps mipmaps) {
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLint internal = format == GL_RGBA ? GL_RGBA : 3;
  if (mipmaps == TMipmaps::kNone && UploadsAsItIs(width, height)) {
    glTexImage2D(GL_TEXTURE_2D, 0, internal, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
  } else {
    gluBuild2DMipmaps(GL_TEXTURE_2D, internal, width, height, format, GL_UNSIGNED_BYTE, pixels);
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

GLint BoundLevelSize(int level, GLenum which) {
  GLint size = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &size);
  return size;
}

}  // namespace

std::uint32_t UploadTexture(int width, int height, unsigned format, const std::uint8_t* pixels,
                            TMipmaps mipmaps) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  SendLevels(width, height, format, pixels, mipmaps);
  return texture;
}

TTexturePicture ReadTexturePicture(std::uint32_t texture) {
  TTexturePicture picture;
  glBindTexture(GL_TEXTURE_2D, texture);
  picture.width = BoundLevelSize(0, GL_TEXTURE_WIDTH);
  picture.height = BoundLevelSize(0, GL_TEXTURE_HEIGHT);
  picture.format = BoundLevelSize(0, GL_TEXTURE_ALPHA_SIZE) > 0 ? GL_RGBA : GL_RGB;
  picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height *
                        (picture.format == GL_RGBA ? 4 : 3));
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, picture.format, GL_UNSIGNED_BYTE, picture.pixels.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  return picture;
}

// Level 0 is read back as it was sent (a power of two by then), so the levels made from
// it are the ones an upload with mipmaps makes.
void EnsureMipmaps(std::uint32_t texture) {
  if (texture == 0 || TextureLevels(texture) > 1) return;
  const TTexturePicture picture = ReadTexturePicture(texture);
  SendLevels(picture.width, picture.height, picture.format, picture.pixels.data(), TMipmaps::kBuild);
}

int TextureLevels(std::uint32_t texture) {
  if (texture == 0) return 0;
  GLint previous = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  glBindTexture(GL_TEXTURE_2D, texture);
  int levels = 0;
  while (BoundLevelSize(levels, GL_TEXTURE_WIDTH) > 0) ++levels;
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  return levels;
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
