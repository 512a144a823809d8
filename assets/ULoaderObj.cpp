#include "assets/ULoaderObj.h"

#include <GL/gl.h>

#include <algorithm>

#include "assets/Textures.h"

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

void DrawFace(const t_OBJ_item& item, const t_tab_vt& face) {
  glBegin(GL_POLYGON);
  for (const t_vt& corner : face) {
    const long vertex = CornerIndex(corner[0], item.vertices.size());
    if (vertex < 0) continue;  // a corner without its point is left out
    const long normal = CornerIndex(corner[2], item.normals.size());
    if (normal >= 0) {
      const T_point& n = item.normals[normal];
      glNormal3d(n.x, n.y, n.z);
    }
    const long texCoord = CornerIndex(corner[1], item.texCoords.size());
    if (texCoord >= 0) glTexCoord2d(item.texCoords[texCoord][0].value, item.texCoords[texCoord][1].value);
    const T_point& v = item.vertices[vertex];
    glVertex3d(v.x, v.y, v.z);
  }
  glEnd();
}

void CompileMesh(const t_OBJ_item& item) {
  const std::vector<int> changes = MaterialChanges(item);
  for (std::size_t i = 0; i < item.faces.size(); ++i) {
    if (changes[i] >= 0) ApplyMaterial(item.materials[static_cast<std::size_t>(changes[i])]);
    DrawFace(item, item.faces[i]);
  }
}

}  // namespace

TObj::TObj(const std::string& fileName) : data_(ReadObjFile(fileName)) {
  // A picture that fails to load leaves texture 0, which the material still binds.
  for (t_rec_mtl& material : data_.materials) {
    if (material.hasTexture) LoadTexture(material.texturePath, material.texture);
  }
  meshList_ = glGenLists(1);
  glNewList(meshList_, GL_COMPILE);
  CompileMesh(data_);
  glEndList();
}

void TObj::Draw() const { glCallList(meshList_); }
