// The terrain's GPU side: its three textures and its display lists (the ground and the
// sky, then the blocks of the height field), compiled from plain vertices the world
// computes, and called in the order the world asks for.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/MeshVertex.h"
#include "assets/Utype.h"
#include "renderer/GlHandles.h"

// A matrix column by column, as the GL keeps it.
using TGlMatrix = std::array<double, 16>;
TGlMatrix CurrentProjection();
TGlMatrix CurrentModelview();

// The ground quad and the five sky quads (ceiling, then the walls).
struct TGroundAndSky {
  TQuadVertices ground;
  std::array<TQuadVertices, 5> sky;
};

class TTerrainDraw {
 public:
  TTerrainDraw() = default;

  // Uploads the three pictures; one that cannot be read leaves its name 0 (the decoder
  // has shown its message).
  void LoadTextures(const std::string& ground, const std::string& terrain, const std::string& sky);
  std::uint32_t GroundTexture() const { return ground_.Id(); }
  std::uint32_t TerrainTexture() const { return terrain_.Id(); }
  std::uint32_t SkyTexture() const { return sky_.Id(); }
  // Makes the far blocks' copies of the terrain's texture, shrunk once for blocks at step
  // 2 and twice for step 4 (0 until prepared, or without a terrain texture).
  void PrepareFarTerrain();
  std::uint32_t FarTerrainTexture(int step) const;

  // Reserves one name for the ground and sky and `blocks` more, and compiles the first.
  void CompileGroundAndSky(const TGroundAndSky& quads, int blocks);
  // Reserves `blocks` more names, for the blocks again at another level of detail.
  void ReserveBlocks(int blocks);
  // Compiles the next name reserved last with one block's triangles, textured with the
  // copy for its step (1: the terrain's own); returns the name.
  std::uint32_t CompileBlock(const std::vector<TMeshVertex>& triangles, int step = 1);
  std::uint32_t GroundAndSkyList() const { return runs_.empty() ? 0 : runs_.front().Base(); }

  // Moved by `offset`, lighting off and white: calls the block lists in the order given,
  // then the ground and the sky, so that what the terrain hides of them is never shaded.
  void Draw(T_point offset, const std::vector<std::uint32_t>& blocks) const;

 private:
  TTexture ground_;
  TTexture terrain_;
  TTexture sky_;
  std::array<TTexture, 2> farTerrain_;  // for steps 2 and 4
  std::vector<TDisplayLists> runs_;  // the ground and sky and the blocks, then coarser blocks
  int compiled_ = 0;                 // lists of the last run compiled so far
  bool opaque_ = true;  // no texture with an alpha channel: see TOpaqueDrawScope
};

// Between true and false the faces turned away from the eye are not drawn: the height
// field's undersides, which the surface in front of them always hides.
void CullUndersides(bool on);
// Immediate drawing, for a list the caller compiles. One texture bind and one primitive
// for all the triangles: a bind inside a display list is what costs on software renderers.
void EmitTerrainTriangles(const std::vector<TMeshVertex>& triangles, std::uint32_t texture);
// The way the terrain used to be sent, a bind and a primitive for every triangle: the
// same picture, kept to measure and test against.
void EmitTerrainPerTriangle(const std::vector<TMeshVertex>& triangles, std::uint32_t texture);
void EmitGroundAndSky(const TGroundAndSky& quads, std::uint32_t groundTexture, std::uint32_t skyTexture);
// The height field, then the ground and the sky, with lighting off and the colour white:
// the whole terrain at once, as it was drawn before it was cut into blocks (its
// undersides culled, as the blocks' are).
void EmitUnlit(const std::vector<TMeshVertex>& triangles, std::uint32_t terrainTexture,
               const TGroundAndSky& quads, std::uint32_t groundTexture, std::uint32_t skyTexture);
