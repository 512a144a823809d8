#include "world/Umap.h"

#include <GL/gl.h>

#include "renderer/Textures.h"
#include "renderer/ULoaderObj.h"
#include "world/Heightmap.h"
#include "world/TerrainMesh.h"

namespace {

void EmitQuad(const TQuadVertices& quad) {
  glBegin(GL_QUADS);
  for (const TMeshVertex& v : quad) {
    glTexCoord2f(v.s, v.t);
    glVertex3f(static_cast<GLfloat>(v.x), static_cast<GLfloat>(v.y), static_cast<GLfloat>(v.z));
  }
  glEnd();
}

void EmitTriangles(const std::vector<TMeshVertex>& triangles) {
  glBegin(GL_TRIANGLES);
  for (const TMeshVertex& v : triangles) {
    glTexCoord2f(v.s, v.t);
    glVertex3d(v.x, v.y, v.z);
  }
  glEnd();
}

}  // namespace

TMap::TMap(const std::string& heightmapPath) : TMap(heightmapPath, kDefaultAccuracy) {}

TMap::TMap(const std::string& heightmapPath, double accuracy)
    : TMap(heightmapPath, accuracy, kDefaultCellSize) {}

TMap::TMap(const std::string& heightmapPath, double accuracy, double cellSize)
    : TMap(heightmapPath, accuracy, cellSize, DefaultMaxHeight(cellSize, accuracy)) {}

TMap::TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight)
    : TMap(heightmapPath, accuracy, cellSize, maxHeight, kDefaultGroundTexture, kDefaultTerrainTexture) {}

TMap::TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight,
           const std::string& groundPath, const std::string& terrainPath)
    : TMap(heightmapPath, accuracy, cellSize, maxHeight, groundPath, terrainPath, kDefaultSkyTexture) {}

TMap::TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight,
           const std::string& groundPath, const std::string& terrainPath, const std::string& skyPath)
    : TMap(heightmapPath, accuracy, cellSize, maxHeight, groundPath, terrainPath, skyPath,
           kDefaultMaterial) {}

// An invalid accuracy loads no textures and no samples; the terrain then draws only the
// ground and the sky, and the course and the physics see a terrain without cells.
TMap::TMap(const std::string& heightmapPath, double accuracy, double cellSize, double maxHeight,
           const std::string& groundPath, const std::string& terrainPath, const std::string& skyPath,
           const T_material& material)
    : accuracy_(accuracy),
      cellSize_(cellSize),
      maxHeight_(maxHeight),
      groundPath_(groundPath),
      terrainPath_(terrainPath),
      skyPath_(skyPath),
      material_(material),
      terrain_(TerrainValues(heightmapPath, accuracy, cellSize, maxHeight, groundPath, terrainPath,
                             skyPath, material)) {
  if (IsValidAccuracy(accuracy)) {
    LoadTexture(groundPath, terrain_.groundTexture);
    LoadTexture(terrainPath, terrain_.terrainTexture);
    LoadTexture(skyPath, terrain_.skyTexture);
  }
  opaque_ = !TextureHasAlpha(terrain_.groundTexture) && !TextureHasAlpha(terrain_.terrainTexture) &&
            !TextureHasAlpha(terrain_.skyTexture);
  try {
    LoadTerrainSamples(terrain_);
    CompileLists();
  } catch (...) {
    Release();
    throw;
  }
}

// One name range for all lists: the ground and sky, then each block of the height field.
// The range has room for every block, empty ones too, so that each block is compiled as
// soon as it is built and its triangles dropped before the next.
void TMap::CompileLists() {
  reservedLists_ = TerrainChunkSlots(terrain_) + 1;
  listBase_ = glGenLists(static_cast<GLsizei>(reservedLists_));
  glNewList(listBase_, GL_COMPILE);
  EmitGroundAndSky(MeshRows(terrain_), MeshCols(terrain_), terrain_.groundTexture, terrain_.skyTexture);
  glEndList();
  const T_point offset = TerrainOffset(terrain_);
  ForEachTerrainChunk(terrain_, kChunkCells, [&](const TTerrainChunk& block) {
    const std::uint32_t list = listBase_ + 1 + static_cast<std::uint32_t>(chunks_.size());
    glNewList(list, GL_COMPILE);
    EmitTerrainChunk(block, terrain_.terrainTexture);
    glEndList();
    chunks_.push_back({list, Shifted(block.box, offset)});
  });
}

TMap::~TMap() { Release(); }

// Copies of the terrain record keep the texture names; none of them draws after the race.
void TMap::Release() {
  if (listBase_ != 0) glDeleteLists(listBase_, static_cast<GLsizei>(reservedLists_));
  listBase_ = 0;
  reservedLists_ = 0;
  chunks_.clear();
  ReleaseTexture(terrain_.groundTexture);
  ReleaseTexture(terrain_.terrainTexture);
  ReleaseTexture(terrain_.skyTexture);
}

std::vector<std::uint32_t> TMap::Lists() const {
  std::vector<std::uint32_t> lists{listBase_};
  for (const TChunkList& chunk : chunks_) lists.push_back(chunk.list);
  return lists;
}

void TMap::Draw() const { DrawChunks(true); }

void TMap::DrawEverything() const { DrawChunks(false); }

// The same state as the single list had: the height field with lighting off, then the
// ground and the sky, which leave the sky texture bound. The blocks keep their order
// whatever the view: where two surfaces fall on the same depth value, the first drawn
// stays, so a block skipped is the only difference a culled frame can have.
void TMap::DrawChunks(bool cull) const {
  TMatrix projection{}, modelview{};
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
  const TFrustum frustum = FrustumOf(projection, modelview);
  const TOpaqueDrawScope opaqueScope(opaque_);
  glPushMatrix();
  const T_point offset = TerrainOffset(terrain_);
  glTranslated(offset.x, offset.y, offset.z);
  glDisable(GL_LIGHTING);
  glColor3f(1.0f, 1.0f, 1.0f);
  drawnChunks_ = 0;
  for (const TChunkList& chunk : chunks_) {
    if (cull && BoxOutside(frustum, chunk.box)) continue;
    glCallList(chunk.list);
    ++drawnChunks_;
  }
  glCallList(listBase_);
  glEnable(GL_LIGHTING);
  glPopMatrix();
}

// One bind and one primitive: a bind inside a display list is what costs on software
// renderers, and the picture is the same as binding for every triangle.
void EmitTerrainMesh(const t_rain& terrain) {
  glDisable(GL_LIGHTING);
  glColor3f(1.0f, 1.0f, 1.0f);
  const std::vector<TMeshVertex> triangles = BuildTerrainTriangles(terrain);
  if (!triangles.empty()) {
    glBindTexture(GL_TEXTURE_2D, terrain.terrainTexture);
    EmitTriangles(triangles);
  }
  EmitGroundAndSky(MeshRows(terrain), MeshCols(terrain), terrain.groundTexture, terrain.skyTexture);
  glEnable(GL_LIGHTING);
}

void EmitTerrainChunk(const TTerrainChunk& chunk, std::uint32_t terrainTexture) {
  glBindTexture(GL_TEXTURE_2D, terrainTexture);
  EmitTriangles(chunk.triangles);
}

void EmitGroundAndSky(int rows, int cols, std::uint32_t groundTexture, std::uint32_t skyTexture) {
  const TSkyBounds bounds = SkyBounds(rows, cols);
  glBindTexture(GL_TEXTURE_2D, groundTexture);
  EmitQuad(GroundQuad(bounds));
  glBindTexture(GL_TEXTURE_2D, skyTexture);
  for (const TQuadVertices& quad : SkyQuads(bounds)) EmitQuad(quad);
}
