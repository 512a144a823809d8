#include "renderer/EndSequenceDraw.h"

#include <GL/gl.h>
#include <GL/glu.h>

void BeginEndSequence() { glDisable(GL_DEPTH_TEST); }

void FinishEndSequence() { glEnable(GL_DEPTH_TEST); }

void ClearToWhiteFromNow() { glClearColor(1.0f, 1.0f, 1.0f, 1.0f); }

void SetCentredFrameProjection(int x, int y, int width, int height, double unitsWidth,
                               double unitsHeight) {
  glViewport(x, y, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-unitsWidth / 2.0, unitsWidth / 2.0, -unitsHeight / 2.0, unitsHeight / 2.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
}

void ClearFrameBuffers() { glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT); }

void DrawTexturedQuad(std::uint32_t texture, double x0, double y0, double x1, double y1) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  glTexCoord2d(0, 0);
  glVertex2d(x0, y0);
  glTexCoord2d(1, 0);
  glVertex2d(x1, y0);
  glTexCoord2d(1, 1);
  glVertex2d(x1, y1);
  glTexCoord2d(0, 1);
  glVertex2d(x0, y1);
  glEnd();
}

void DrawFramePicture(const TImg& image, double unitsWidth, double unitsHeight) {
  glPushMatrix();
  glTranslated(image.x * image.scale - unitsWidth / 2.0, unitsHeight / 2.0 - image.y * image.scale,
               0.0);
  glScaled(image.scale, image.scale, 1.0);
  DrawTexturedQuad(image.texture, 0.0, -image.height, image.width, 0.0);
  glPopMatrix();
}

void CallListAt(std::uint32_t list, double x, double y) {
  glPushMatrix();
  glTranslated(x, y, 0.0);
  glCallList(list);
  glPopMatrix();
}

