// The race HUD on the GPU: its pictures, the list of its two panels and the compass
// arrow's mesh, owned here and given back with the HUD; and the drawing of the panels,
// the digits and the arrow where the world's HUD lays them out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "assets/Image.h"
#include "assets/Utype.h"
#include "renderer/GlHandles.h"
#include "renderer/ULoaderObj.h"

class THudDraw {
 public:
  // Uploads one picture, kept while the HUD lives; returns its name, 0 when the picture
  // cannot be read (its decoder has told the player).
  std::uint32_t LoadPicture(const std::string& path);
  // Loads the compass arrow's mesh; a missing file throws std::runtime_error naming it.
  void LoadArrow(const std::string& path);
  // Compiles the timer and lantern panels into one list, drawn over everything in an
  // overlay of unitsWidth x unitsHeight.
  void CompilePanels(const TImg& timer, const TImg& lantern, double unitsWidth, double unitsHeight);

  std::uint32_t PanelList() const { return panels_.Base(); }
  void DrawPanels() const;
  // The arrow in its own narrow perspective: moved to `translate`, sized by `scale`,
  // turned to face the player and tipped toward them, then turned `angle` degrees about y.
  void DrawArrow(T_point translate, T_point scale, double angle) const;

 private:
  std::vector<TTexture> pictures_;
  std::optional<TObj> arrow_;
  TDisplayLists panels_;
};

// The overlay the panels and digits are laid out in: x and y in units from the centre,
// unitsWidth x unitsHeight across the viewport, lighting off. Begin leaves the overlay
// projection and an identity modelview; End turns lighting on and restores the modelview.
void BeginHudOverlay(double unitsWidth, double unitsHeight);
void EndHudOverlay();

// One picture centred on its anchor plus offset, at its scale, in its own overlay.
void DrawHudPicture(const TImg& image, double unitsWidth, double unitsHeight);

// Where a picture can show at all, by bands of its rows (see VisibleBands); a texture
// without pixels has none.
struct TVisiblePicture {
  int width = 0;
  int height = 0;
  std::vector<TTexelRect> bands;
};
TVisiblePicture VisiblePartsOf(std::uint32_t texture);

// One digit's picture of width x height, centred on (x, y) at `scale`, in the current
// projection.
void DrawHudDigit(std::uint32_t texture, double x, double y, double scale, double width, double height);
