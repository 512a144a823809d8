#include "renderer/OverlayDraw.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

void SetOverlayProjection(int screenWidth, int screenHeight) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-screenWidth / 2.0, screenWidth / 2.0, -screenHeight / 2.0, screenHeight / 2.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glViewport(0, 0, screenWidth, screenHeight);
}

}  // namespace

void BeginOverlay(int screenWidth, int screenHeight) {
  glAlphaFunc(GL_ALWAYS, 0.7f);  // the dials' soft edges are blended, not cut
  SetOverlayProjection(screenWidth, screenHeight);
  glPushMatrix();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void EndOverlay() {
  glPopMatrix();
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  glAlphaFunc(GL_GREATER, 0.75f);
}

// Texture coordinates (0, 1) top-left round to (0, 0) bottom-left.
void DrawOverlayQuad(std::uint32_t texture, double left, double top, double width,
                     double height) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3d(left, top, 0.0);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3d(left + width, top, 0.0);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3d(left + width, top - height, 0.0);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3d(left, top - height, 0.0);
  glEnd();
}

void DrawOverlayPicture(std::uint32_t texture, double left, double top, double width,
                        double height) {
  glPushMatrix();
  DrawOverlayQuad(texture, left, top, width, height);
  glPopMatrix();
}

void CallOverlayList(std::uint32_t list) { glCallList(list); }

void DrawNotchRun(std::uint32_t list, double centreX, double offsetX, double offsetY,
                  int count, double turnDegrees) {
  glPushMatrix();
  glTranslated(centreX, 0.0, 0.0);
  for (int i = 0; i < count; ++i) {
    glPushMatrix();
    glTranslated(offsetX, offsetY, 0.0);
    glCallList(list);
    glPopMatrix();
    glRotated(turnDegrees, 0.0, 0.0, 1.0);
  }
  glPopMatrix();
}
