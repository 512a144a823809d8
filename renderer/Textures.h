// Pictures to OpenGL textures: the file is decoded into a plain RGB/RGBA record
// (assets/Image.h, no GL) and only then uploaded.
#pragma once

#include <cstdint>
#include <vector>
#include <string>

#include "renderer/GlHandles.h"

// Picks the decoder by the last four characters (".BMP", ".JPG", ".TGA", any case).
// On success writes the new texture name into `texture` and returns true; on failure
// shows the decoder's message box (none for an unknown ending), leaves `texture` as it
// was and returns false.
bool LoadTexture(const std::string& fileName, std::uint32_t& texture);
// The same, the texture owned by the handle; an empty handle on failure.
TTexture LoadTexture(const std::string& fileName);

// Whether a texture keeps its smaller levels. Only a minifying filter that reads them
// needs them; a picture without them takes three quarters of the memory.
enum class TMipmaps { kNone, kBuild };

// Creates a texture object from tightly packed pixels, bottom row first, filtered
// GL_LINEAR. `format` is GL_RGB or GL_RGBA. A side that is not a power of two is scaled to
// the nearest one, as the GL of old demanded; that picture is what every texture shows,
// and such a texture keeps its smaller levels. The texture stays bound.
std::uint32_t UploadTexture(int width, int height, unsigned format, const std::uint8_t* pixels,
                            TMipmaps mipmaps = TMipmaps::kNone);

// Gives a texture its smaller levels, made from its picture as UploadTexture makes them,
// if it has none yet, so that a mipmapped filter can be set on it.
void EnsureMipmaps(std::uint32_t texture);

// A texture's picture as it was sent (level 0, a power of two by then): its size, its
// format (GL_RGB or GL_RGBA) and its pixels, rows packed without padding.
struct TTexturePicture {
  int width = 0;
  int height = 0;
  unsigned format = 0;
  std::vector<std::uint8_t> pixels;
};
// Reads it back; leaves the texture bound.
TTexturePicture ReadTexturePicture(std::uint32_t texture);
// How many levels a texture holds (1 without smaller levels); 0 for name 0.
int TextureLevels(std::uint32_t texture);

// Gives a texture back to the GL and clears the name; a name of 0 is left alone.
void ReleaseTexture(std::uint32_t& texture);

// True when the texture keeps an alpha channel (a 32-bit TGA); false for name 0.
bool TextureHasAlpha(std::uint32_t texture);
