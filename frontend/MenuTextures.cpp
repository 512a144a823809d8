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

TTab_bouton MakeButtons(std::span<const TButtonLayout> layouts, TTextureSet& textures) {
  TTab_bouton buttons(layouts.size());
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    const TButtonLayout& layout = layouts[i];
    TBouton& button = buttons[i];
    button.x = layout.x;
    button.y = layout.y;
    button.width = layout.width;
    button.height = layout.height;
    button.inactiveTexture = textures.Load(layout.inactive);
    button.activeTexture = textures.Load(layout.active);
    button.focusTexture = textures.Load(layout.focus);
    button.keyFocusTexture = textures.Load(layout.keyFocus);
    button.caption = layout.caption;
  }
  return buttons;
}
