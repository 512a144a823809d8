#include "renderer/NetNoticeDraw.h"

#include <GL/gl.h>
#include <GL/glu.h>

// Lighting and the depth test are on again afterwards, as the race draws.
void DrawNotice(std::uint32_t texture, double x, double y, double w, double h, int screenWidth,
                int screenHeight) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(0.0, screenWidth, 0.0, screenHeight);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glBindTexture(GL_TEXTURE_2D, texture);
  glColor4d(texture ? 1.0 : 0.6, texture ? 1.0 : 0.1, texture ? 1.0 : 0.1, 0.85);
  glBegin(GL_QUADS);
  glTexCoord2d(0, 0);
  glVertex2d(x, y);
  glTexCoord2d(1, 0);
  glVertex2d(x + w, y);
  glTexCoord2d(1, 1);
  glVertex2d(x + w, y + h);
  glTexCoord2d(0, 1);
  glVertex2d(x, y + h);
  glEnd();
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
}
