#include "world/Umap.h"

#include <GL/gl.h>

#include "assets/Textures.h"
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
  LoadTerrainSamples(terrain_);
  list_ = glGenLists(1);
  glNewList(list_, GL_COMPILE);
  glPushMatrix();
  const T_point offset = TerrainOffset(terrain_);
  glTranslated(offset.x, offset.y, offset.z);
  EmitTerrainMesh(terrain_);
  glPopMatrix();
  glEndList();
}

void TMap::Draw() const { glCallList(list_); }

// One bind and one primitive: a bind inside a display list is what costs on software
// renderers, and the picture is the same as binding for every triangle.
void EmitTerrainMesh(const t_rain& terrain) {
  glDisable(GL_LIGHTING);
  glColor3f(1.0f, 1.0f, 1.0f);
  const std::vector<TMeshVertex> triangles = BuildTerrainTriangles(terrain);
  if (!triangles.empty()) {
    glBindTexture(GL_TEXTURE_2D, terrain.terrainTexture);
    glBegin(GL_TRIANGLES);
    for (const TMeshVertex& v : triangles) {
      glTexCoord2f(v.s, v.t);
      glVertex3d(v.x, v.y, v.z);
    }
    glEnd();
  }
  EmitGroundAndSky(MeshRows(terrain), MeshCols(terrain), terrain.groundTexture, terrain.skyTexture);
  glEnable(GL_LIGHTING);
}

void EmitGroundAndSky(int rows, int cols, std::uint32_t groundTexture, std::uint32_t skyTexture) {
  const TSkyBounds bounds = SkyBounds(rows, cols);
  glBindTexture(GL_TEXTURE_2D, groundTexture);
  EmitQuad(GroundQuad(bounds));
  glBindTexture(GL_TEXTURE_2D, skyTexture);
  for (const TQuadVertices& quad : SkyQuads(bounds)) EmitQuad(quad);
}
