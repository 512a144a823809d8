#include "renderer/GlState.h"

#include <GL/gl.h>
#include <GL/glu.h>

void InitGlState(int width, int height) {
  glViewport(0, 0, width, height);
  glEnable(GL_TEXTURE_2D);
  InitGlBuffers();
  InitGlProjection(width, height);
  InitGlBlending();
  InitGlLights();
}

void InitGlBuffers() {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_STENCIL_TEST);
  glClearStencil(0);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

void InitGlProjection(int width, int height) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(14.0, static_cast<double>(width) / static_cast<double>(height), 0.01, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void InitGlBlending() {
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GEQUAL, 0.75f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

// Positions are given under the identity model-view, so they stay fixed in eye space.
void InitGlLights() {
  const GLfloat position0[] = {1.0f, 1.0f, 1.0f, 0.0f};
  const GLfloat position1[] = {0.0f, 150.0f, 0.0f, 1.0f};
  const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 1.0f};
  const GLfloat ambient[] = {0.3f, 0.3f, 0.3f, 1.0f};
  glEnable(GL_LIGHTING);
  glLightfv(GL_LIGHT0, GL_POSITION, position0);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glEnable(GL_LIGHT0);
  glLightfv(GL_LIGHT1, GL_POSITION, position1);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
  glEnable(GL_LIGHT1);
  glEnable(GL_NORMALIZE);
  glEnable(GL_COLOR_MATERIAL);
}

TGlBufferBits GlBufferBits() {
  GLint depth = 0;
  GLint stencil = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  glGetIntegerv(GL_STENCIL_BITS, &stencil);
  return {depth, stencil};
}
