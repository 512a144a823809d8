#include "renderer/PanelDraw.h"

#include <GL/gl.h>

namespace {

void DrawBackground(std::uint32_t texture) {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3d(-2.0, 1.5, 2.0);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3d(2.0, 1.5, 2.0);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3d(2.0, -1.5, 2.0);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3d(-2.0, -1.5, 2.0);
  glEnd();
}

void DrawButton(const TButtonQuad& button) {
  glBindTexture(GL_TEXTURE_2D, button.texture);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3d(button.left, button.top, button.depth);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3d(button.right, button.top, button.depth);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3d(button.right, button.bottom, button.depth);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3d(button.left, button.bottom, button.depth);
  glEnd();
}

}  // namespace

void DrawPanelFace(const TPanelFace& face, std::span<const TButtonQuad> buttons) {
  glPushMatrix();
  glRotated(face.tiltAngle, 1.0, 0.0, 0.0);
  glRotated(face.faceAngle, 0.0, 1.0, 0.0);
  DrawBackground(face.background);
  glScaled(face.scaleX, face.scaleY, 1.0);
  for (const TButtonQuad& button : buttons) DrawButton(button);
  glPopMatrix();
}
