#include "frontend/MenuTextures.h"

#include "platform/Paths.h"
#include "renderer/Textures.h"

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
  if (texture != 0) owned_.emplace_back(texture);
  return texture;
}
