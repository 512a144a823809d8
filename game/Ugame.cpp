#include "game/Ugame.h"

#include <GL/gl.h>
#include <GL/glu.h>

Tgame::Tgame(int width, int height, bool fullscreen) : screenWidth(width), screenHeight(height) {
  OpenWindow(width, height, fullscreen);
}

Tgame::~Tgame() { wnd::Platform().CloseWindow(); }

// The display may grant another size than asked (a monitor that cannot switch, a virtual
// display of another size): the game then works at the size it really has.
void Tgame::OpenWindow(int width, int height, bool fullscreen) {
  window_ = wnd::Platform().OpenWindow(width, height, 42, 8, fullscreen);
  if (!window_.opened) return;
  if (window_.width > 0 && window_.height > 0) {
    screenWidth = window_.width;
    screenHeight = window_.height;
  }
  glViewport(0, 0, screenWidth, screenHeight);
  glEnable(GL_TEXTURE_2D);
  InitBuffers();
  InitProjection(screenWidth, screenHeight);
  InitBlending();
  InitLights();
}

void Tgame::InitBuffers() {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_STENCIL_TEST);
  glClearStencil(0);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

void Tgame::InitProjection(int width, int height) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(14.0, static_cast<double>(width) / static_cast<double>(height), 0.01, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void Tgame::InitBlending() {
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GEQUAL, 0.75f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

// Positions are given under the identity model-view, so they stay fixed in eye space.
void Tgame::InitLights() {
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

void Tgame::Run(IModeFactory& factory) {
  TModeLoop loop(screenWidth, screenHeight);
  loop.SetTrace(traceModes_);
  loop.Run(factory);
  mode = loop.Mode();
}
