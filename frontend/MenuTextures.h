// The pictures of one screen object, each file loaded once however often its tables name
// it ("img/2players_bckgrnd.jpg" and "img/2Players_BckGrnd.jpg" are one file). The set
// owns what it loaded in texture handles that give it back when the set goes, so a menu
// opened after every race does not pile up pictures in the GL context.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "frontend/Bouton.h"
#include "frontend/MenuTables.h"
#include "renderer/GlHandles.h"

class TTextureSet {
 public:
  TTextureSet() = default;
  TTextureSet(const TTextureSet&) = delete;
  TTextureSet& operator=(const TTextureSet&) = delete;

  // The texture of the file, loaded on first use; 0 when it cannot be loaded (the loader
  // has said why, once) or when the path is null.
  std::uint32_t Load(const char* path);
  std::uint32_t Load(const std::string& path);

  // Files really loaded so far.
  int Loads() const { return loads_; }

 private:
  std::map<std::string, std::uint32_t> byFile_;
  std::vector<TTexture> owned_;
  int loads_ = 0;
};

// The buttons of a screen's layout table, their pictures loaded through `textures` (each
// distinct file once: most buttons show one picture in two of their states).
TTab_bouton MakeButtons(std::span<const TButtonLayout> layouts, TTextureSet& textures);
