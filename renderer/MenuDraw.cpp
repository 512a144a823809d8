#include "renderer/MenuDraw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace {

constexpr double kDegreesToRadians = 3.14159265358979323846 / 180.0;
// A face's virtual screen, in which the chooser places the thumbnail.
constexpr double kFaceVirtualWidth = 800.0;
constexpr double kFaceVirtualHeight = 600.0;

// Texture coordinates (0, 1) at the first corner round to (0, 0) at the last.
void TexturedQuad(const double (&corners)[4][3]) {
  static constexpr float kTexCoords[4][2] = {
      {0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}};
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2f(kTexCoords[i][0], kTexCoords[i][1]);
    glVertex3d(corners[i][0], corners[i][1], corners[i][2]);
  }
  glEnd();
}

void DrawRightFaceQuad(std::uint32_t texture, double faceX) {
  glBindTexture(GL_TEXTURE_2D, texture);
  TexturedQuad({{faceX, 1.5, 2.0}, {faceX, 1.5, -2.0}, {faceX, -1.5, -2.0}, {faceX, -1.5, 2.0}});
}

}  // namespace

TMenuMatrixScope::TMenuMatrixScope() { glPushMatrix(); }
TMenuMatrixScope::~TMenuMatrixScope() { glPopMatrix(); }

void BeginMenuScreen() {
  glMatrixMode(GL_MODELVIEW);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glDisable(GL_LIGHTING);
}

void SetMenuLook(float alphaCut) {
  glDisable(GL_LIGHTING);
  SetMenuAlphaCut(alphaCut);
}

void SetMenuAlphaCut(float cut) { glAlphaFunc(GL_GREATER, cut); }

void PassEveryAlpha() { glAlphaFunc(GL_ALWAYS, 1.0f); }

void ClearMenuFrame(bool stencilToo) {
  GLbitfield buffers = GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT;
  if (stencilToo) buffers |= GL_STENCIL_BUFFER_BIT;
  glClear(buffers);
}

void SetFaceCamera(int width, int height, double yaw, double radius) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(90.0, static_cast<double>(width) / height, 0.001, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  double angle = (yaw - 90.0) * kDegreesToRadians;
  gluLookAt(radius * std::cos(angle), 0.0, -radius * std::sin(angle), 0.0, 0.0, 0.0, 0.0, 1.0,
            0.0);
}

void CallMenuLists(std::span<const std::uint32_t> lists) {
  for (std::uint32_t list : lists) glCallList(list);
}

void DrawMenuPicture(std::uint32_t name, bool isList, double faceX) {
  if (isList) {
    glPushMatrix();
    glCallList(name);
    glPopMatrix();
  } else {
    DrawRightFaceQuad(name, faceX);
  }
}

void SetPictureOpacity(double alpha) { glColor4d(1.0, 1.0, 1.0, alpha); }

void TurnPictureOntoFace(double degrees) {
  glTranslated(-0.01, 0.0, 0.0);
  glRotated(degrees, 0.0, 1.0, 0.0);
}

void ShiftMenuDrawing(double dx) { glTranslated(dx, 0.0, 0.0); }

// The picture's own turn is kept inside a push: the fades that leave the chooser draw on
// the right face with the bare camera, and would be seen edge-on through a turned matrix.
void DrawChooserPicture(std::uint32_t texture) {
  glPushMatrix();
  glRotated(90.0, 0.0, 1.0, 0.0);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  TexturedQuad({{-2.0, 1.5, 2.01}, {2.0, 1.5, 2.01}, {2.0, -1.5, 2.01}, {-2.0, -1.5, 2.01}});
  glPopMatrix();
}

void DrawChooserThumbnail(std::uint32_t texture, double scaleX, double scaleY, double left,
                          double top, double width, double height) {
  glPushMatrix();
  glRotated(90.0, 0.0, 1.0, 0.0);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glScaled(scaleX, scaleY, 1.0);
  glTranslated(-kFaceVirtualWidth / 2, kFaceVirtualHeight / 2, 0.0);
  glBindTexture(GL_TEXTURE_2D, texture);
  const double right = left + width;
  const double bottom = top + height;
  TexturedQuad({{left, -top, 2.02}, {right, -top, 2.02}, {right, -bottom, 2.02},
                {left, -bottom, 2.02}});
  glPopMatrix();
}

void MarkIris(int width, int height, std::uint32_t logo, double size) {
  const double halfW = width / 2.0;
  const double halfH = height / 2.0;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-halfW, halfW, -halfH, halfH);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glPushMatrix();
  glEnable(GL_STENCIL_TEST);
  glDisable(GL_DEPTH_TEST);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glStencilFunc(GL_ALWAYS, 1, 1);
  glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
  glScaled(size / 100.0, size / 100.0, 1.0);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, logo);
  TexturedQuad({{-halfW, halfH, 0.0}, {halfW, halfH, 0.0}, {halfW, -halfH, 0.0},
                {-halfW, -halfH, 0.0}});
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void BeginIrisScene() {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

void SetIrisSide(bool inside) { glStencilFunc(GL_EQUAL, inside ? 1 : 0, 1); }

void EndIrisScene() { glDisable(GL_STENCIL_TEST); }

void ResetStencilPass() {
  glStencilFunc(GL_ALWAYS, 0, ~0u);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}
