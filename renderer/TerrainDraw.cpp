#include "renderer/TerrainDraw.h"

#include <GL/gl.h>

#include "assets/Image.h"
#include "renderer/TextureAsIsScope.h"
#include "renderer/Textures.h"
#include "renderer/ULoaderObj.h"

namespace {

TGlMatrix ReadMatrix(GLenum which) {
  TGlMatrix m{};
  glGetDoublev(which, m.data());
  return m;
}

void EmitQuad(const TQuadVertices& quad) {
  glBegin(GL_QUADS);
  for (const TMeshVertex& v : quad) {
    glTexCoord2f(v.s, v.t);
    glVertex3f(static_cast<GLfloat>(v.x), static_cast<GLfloat>(v.y), static_cast<GLfloat>(v.z));
  }
  glEnd();
}

void EmitTriangleRun(const TMeshVertex* first, std::size_t count) {
  glBegin(GL_TRIANGLES);
  for (std::size_t i = 0; i < count; ++i) {
    glTexCoord2f(first[i].s, first[i].t);
    glVertex3d(first[i].x, first[i].y, first[i].z);
  }
  glEnd();
}

// A texture the loader could not read stays 0, as the terrain record expects.
TTexture Loaded(const std::string& path) {
  std::uint32_t name = 0;
  LoadTexture(path, name);
  return TTexture(name);
}

}  // namespace

// Every cell faces up, and the eye stays above the surface: a face turned away is always
// behind one turned to the eye, so it need not be filled only to be hidden. Only where an
// edge of a hill meets the sky behind it can a pixel change, the fill rule giving it to
// the far side before and to what lies beyond now. The sky box and the ground are seen
// from inside and are never culled.
void CullUndersides(bool on) {
  if (on) {
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
  } else {
    glDisable(GL_CULL_FACE);
  }
}

TGlMatrix CurrentProjection() { return ReadMatrix(GL_PROJECTION_MATRIX); }

TGlMatrix CurrentModelview() { return ReadMatrix(GL_MODELVIEW_MATRIX); }

// Each wall of the sky box shows the sky picture once, edge to edge, and the next wall
// starts again at an edge. Read repeating, the pixels at a corner would blend in the far
// edge of the picture, a thin line down the sky; they keep to the wall's own edge.
void TTerrainDraw::LoadTextures(const std::string& ground, const std::string& terrain, const std::string& sky) {
  ground_ = Loaded(ground);
  terrain_ = Loaded(terrain);
  sky_ = Loaded(sky);
  if (sky_) {
    glBindTexture(GL_TEXTURE_2D, sky_.Id());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  }
  opaque_ = !TextureHasAlpha(ground_.Id()) && !TextureHasAlpha(terrain_.Id()) && !TextureHasAlpha(sky_.Id());
}

// The terrain's picture repeats once per cell, so a far hill shows it shrunk many times
// over, and read at full size it shimmers in a herringbone moire. Mip levels cure that,
// but choosing a level for every pixel is a large part of the far terrain's cost on a
// software renderer. The distance that sets a block's step also sets how far its cells
// are shrunk, so each step gets its picture shrunk to match once, read without levels:
// half size at step 2 (16 to 32 cells away at the race's lens), an eighth beyond, where
// the floors are seen at a slant that shrinks the cells further along the view. The
// copies are made from the near texture as uploaded (a power of two by then).
void TTerrainDraw::PrepareFarTerrain() {
  if (!terrain_ || farTerrain_[0]) return;
  const TTexturePicture picture = ReadTexturePicture(terrain_.Id());
  TImage image{picture.width, picture.height, picture.format == GL_RGBA ? 4 : 3, picture.pixels};
  constexpr int kHalvings[] = {1, 2};  // more for each step, on top of the step before's
  for (std::size_t i = 0; i < farTerrain_.size(); ++i) {
    for (int n = 0; n < kHalvings[i]; ++n) image = HalvedImage(image);
    farTerrain_[i] = TTexture(UploadTexture(image.width, image.height, image.channels == 4 ? GL_RGBA : GL_RGB,
                                            image.pixels.data(), TMipmaps::kNone));
  }
}

std::uint32_t TTerrainDraw::FarTerrainTexture(int step) const {
  return step == 2 ? farTerrain_[0].Id() : step == 4 ? farTerrain_[1].Id() : 0;
}

void TTerrainDraw::CompileGroundAndSky(const TGroundAndSky& quads, int blocks) {
  runs_.clear();
  runs_.emplace_back(blocks + 1);
  compiled_ = 1;
  glNewList(runs_.back().Base(), GL_COMPILE);
  EmitGroundAndSky(quads, ground_.Id(), sky_.Id());
  glEndList();
}

void TTerrainDraw::ReserveBlocks(int blocks) {
  runs_.emplace_back(blocks);
  compiled_ = 0;
}

std::uint32_t TTerrainDraw::CompileBlock(const std::vector<TMeshVertex>& triangles, int step) {
  const std::uint32_t list = runs_.back()[compiled_++];
  const std::uint32_t far = FarTerrainTexture(step);
  glNewList(list, GL_COMPILE);
  EmitTerrainTriangles(triangles, far != 0 ? far : terrain_.Id());
  glEndList();
  return list;
}

// The same state as the single list had: the height field with lighting off, then the
// ground and the sky, which leave the sky texture bound.
void TTerrainDraw::Draw(T_point offset, const std::vector<std::uint32_t>& blocks) const {
  const TOpaqueDrawScope opaqueScope(opaque_);
  glPushMatrix();
  glTranslated(offset.x, offset.y, offset.z);
  glDisable(GL_LIGHTING);
  glColor3f(1.0f, 1.0f, 1.0f);
  const TTextureAsIsScope asIs;
  CullUndersides(true);
  for (std::uint32_t list : blocks) glCallList(list);
  CullUndersides(false);
  glCallList(GroundAndSkyList());
  glEnable(GL_LIGHTING);
  glPopMatrix();
}

void EmitTerrainTriangles(const std::vector<TMeshVertex>& triangles, std::uint32_t texture) {
  if (triangles.empty()) return;
  glBindTexture(GL_TEXTURE_2D, texture);
  EmitTriangleRun(triangles.data(), triangles.size());
}

void EmitTerrainPerTriangle(const std::vector<TMeshVertex>& triangles, std::uint32_t texture) {
  for (std::size_t i = 0; i + 2 < triangles.size(); i += 3) {
    glColor3f(1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    EmitTriangleRun(triangles.data() + i, 3);
  }
}

void EmitGroundAndSky(const TGroundAndSky& quads, std::uint32_t groundTexture, std::uint32_t skyTexture) {
  glBindTexture(GL_TEXTURE_2D, groundTexture);
  EmitQuad(quads.ground);
  glBindTexture(GL_TEXTURE_2D, skyTexture);
  for (const TQuadVertices& quad : quads.sky) EmitQuad(quad);
}

void EmitUnlit(const std::vector<TMeshVertex>& triangles, std::uint32_t terrainTexture,
               const TGroundAndSky& quads, std::uint32_t groundTexture, std::uint32_t skyTexture) {
  glDisable(GL_LIGHTING);
  glColor3f(1.0f, 1.0f, 1.0f);
  const TTextureAsIsScope asIs;
  CullUndersides(true);
  EmitTerrainTriangles(triangles, terrainTexture);
  CullUndersides(false);
  EmitGroundAndSky(quads, groundTexture, skyTexture);
  glEnable(GL_LIGHTING);
}
