#include "renderer/StoryScreenDraw.h"

#include <GL/gl.h>
#include <GL/glu.h>

void BeginSaveScreen() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glDisable(GL_LIGHTING);
}

void EndSaveScreen() { glEnable(GL_LIGHTING); }

// The lens goes into the modelview, as the panel expects it there.
void BeginSaveScreenFrame(int screenWidth, int screenHeight) {
  glPushMatrix();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glViewport(0, 0, screenWidth, screenHeight);
  gluPerspective(90.0, static_cast<double>(screenWidth) / screenHeight, 0.001, 1000.0);
  gluLookAt(0.0, 0.0, 3.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void EndSaveScreenFrame() { glPopMatrix(); }

void ClearSaveScreen() { glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT); }
