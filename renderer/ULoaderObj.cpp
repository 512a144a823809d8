#include "renderer/ULoaderObj.h"

#include <GL/gl.h>

#include <algorithm>

#include "renderer/Textures.h"

namespace {

constexpr GLfloat kDefaultAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr GLfloat kDefaultDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
constexpr GLfloat kDefaultSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// A colour the material gives also becomes the current colour, for colour material.
void ApplyColour(GLenum which, bool present, const t_colour& colour, const GLfloat* fallback) {
  if (!present) {
    glMaterialfv(GL_FRONT_AND_BACK, which, fallback);
    return;
  }
  glMaterialfv(GL_FRONT_AND_BACK, which, colour.data());
  glColorMaterial(GL_FRONT_AND_BACK, which);
  glColor3d(colour[0], colour[1], colour[2]);
}

void ApplyMaterial(const t_rec_mtl& material) {
  ApplyColour(GL_AMBIENT, material.hasAmbient, material.ambient, kDefaultAmbient);
  ApplyColour(GL_DIFFUSE, material.hasDiffuse, material.diffuse, kDefaultDiffuse);
  ApplyColour(GL_SPECULAR, material.hasSpecular, material.specular, kDefaultSpecular);
  // OpenGL takes shininess from 0 to 128 and ignores anything else.
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material.hasNs ? std::clamp(material.ns, 0.0f, 128.0f) : 0.0f);
  glBindTexture(GL_TEXTURE_2D, material.hasTexture ? material.texture : 0);
}

// The corners of a face that have their point, in order.
std::vector<const t_vt*> DrawnCorners(const t_OBJ_item& item, const t_tab_vt& face) {
  std::vector<const t_vt*> corners;
  for (const t_vt& corner : face) {
    if (CornerIndex(corner[0], item.vertices.size()) >= 0) corners.push_back(&corner);
  }
  return corners;
}

// True when each of normal and texture coordinate is given at every drawn corner of
// every face, or at none. Otherwise a corner takes the last one given before it, which
// depends on the order the corners are sent in.
bool AttributesUniform(const t_OBJ_item& item) {
  bool allNormals = true, noNormals = true, allTexCoords = true, noTexCoords = true;
  for (const t_tab_vt& face : item.faces) {
    for (const t_vt* corner : DrawnCorners(item, face)) {
      const bool normal = CornerIndex((*corner)[2], item.normals.size()) >= 0;
      const bool texCoord = CornerIndex((*corner)[1], item.texCoords.size()) >= 0;
      (normal ? noNormals : allNormals) = false;
      (texCoord ? noTexCoords : allTexCoords) = false;
    }
  }
  return (allNormals || noNormals) && (allTexCoords || noTexCoords);
}

void EmitCorner(const t_OBJ_item& item, const t_vt& corner) {
  const long normal = CornerIndex(corner[2], item.normals.size());
  if (normal >= 0) {
    const T_point& n = item.normals[normal];
    glNormal3d(n.x, n.y, n.z);
  }
  const long texCoord = CornerIndex(corner[1], item.texCoords.size());
  if (texCoord >= 0) glTexCoord2d(item.texCoords[texCoord][0].value, item.texCoords[texCoord][1].value);
  const T_point& v = item.vertices[CornerIndex(corner[0], item.vertices.size())];
  glVertex3d(v.x, v.y, v.z);
}

void DrawFace(const t_OBJ_item& item, const t_tab_vt& face) {
  glBegin(GL_POLYGON);
  for (const t_vt* corner : DrawnCorners(item, face)) EmitCorner(item, *corner);
  glEnd();
}

// A polygon is drawn as the fan of triangles (k + 1, k + 2, 0), the order the renderer
// itself cuts it in, and all faces between two material changes go in one primitive: a
// software renderer pays for every primitive, and the picture stays the same.
void CompileTriangles(const t_OBJ_item& item) {
  const std::vector<int> changes = MaterialChanges(item);
  bool open = false;
  for (std::size_t i = 0; i < item.faces.size(); ++i) {
    if (changes[i] >= 0) {
      if (open) glEnd();
      open = false;
      ApplyMaterial(item.materials[static_cast<std::size_t>(changes[i])]);
    }
    const std::vector<const t_vt*> corners = DrawnCorners(item, item.faces[i]);
    if (corners.size() < 3) continue;
    if (!open) glBegin(GL_TRIANGLES);
    open = true;
    for (std::size_t k = 0; k + 2 < corners.size(); ++k) {
      EmitCorner(item, *corners[k + 1]);
      EmitCorner(item, *corners[k + 2]);
      EmitCorner(item, *corners[0]);
    }
  }
  if (open) glEnd();
}

// Every face is drawn under one of the mesh's own materials, each giving a diffuse colour
// (alpha 1, which also becomes the current colour) and no picture with an alpha channel.
bool MeshIsOpaque(const t_OBJ_item& item) {
  const std::vector<int> changes = MaterialChanges(item);
  if (changes.empty() || changes[0] < 0) return false;
  for (int index : changes) {
    if (index < 0) continue;
    const t_rec_mtl& material = item.materials[static_cast<std::size_t>(index)];
    if (!material.hasDiffuse || TextureHasAlpha(material.texture)) return false;
  }
  return true;
}

}  // namespace

// One polygon per face, as the file gives them.
void CompilePolygons(const t_OBJ_item& item) {
  const std::vector<int> changes = MaterialChanges(item);
  for (std::size_t i = 0; i < item.faces.size(); ++i) {
    if (changes[i] >= 0) ApplyMaterial(item.materials[static_cast<std::size_t>(changes[i])]);
    DrawFace(item, item.faces[i]);
  }
}

void CompileMesh(const t_OBJ_item& item) {
  if (AttributesUniform(item)) {
    CompileTriangles(item);
  } else {
    CompilePolygons(item);
  }
}

TObj::TObj(const std::string& fileName) : data_(ReadObjFile(fileName)) {
  // A picture that fails to load leaves texture 0, which the material still binds. Each
  // material loads its own picture, so each texture belongs to this mesh alone.
  for (t_rec_mtl& material : data_.materials) {
    if (!material.hasTexture) continue;
    TTexture texture = LoadTexture(material.texturePath);
    material.texture = texture.Id();
    if (texture) textures_.push_back(std::move(texture));
  }
  opaque_ = MeshIsOpaque(data_);
  list_ = TDisplayLists(1);
  glNewList(list_.Base(), GL_COMPILE);
  CompileMesh(data_);
  glEndList();
}

void TObj::Draw() const {
  if (!list_) return;
  const TOpaqueDrawScope scope(opaque_);
  glCallList(list_.Base());
}

void TObj::DrawClosed() const {
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  Draw();
  glDisable(GL_CULL_FACE);
}
