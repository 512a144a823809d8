#include "frontend/MenuTextures.h"

#include <GL/gl.h>

#include "renderer/Textures.h"
#include "platform/Paths.h"

TTextureSet::~TTextureSet() {
  if (!owned_.empty()) glDeleteTextures(static_cast<GLsizei>(owned_.size()), owned_.data());
}

std::uint32_t TTextureSet::Load(const char* path) {
  return path == nullptr ? 0u : Load(std::string(path));
}

std::uint32_t TTextureSet::Load(const std::string& path) {
  std::string key = ResolvePath(path);
  auto found = byFile_.find(key);
  if (found != byFile_.end()) return found->second;
  std::uint32_t texture = 0;
  ++loads_;
  LoadTexture(path, texture);
  byFile_.emplace(key, texture);
  if (texture != 0) owned_.push_back(texture);
  return texture;
}
