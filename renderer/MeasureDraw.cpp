#include "renderer/MeasureDraw.h"

#include <GL/gl.h>
#include <GL/glu.h>

void CallList(std::uint32_t list) { glCallList(list); }

void ClearFrame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void SetRaceLens() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 4.0 / 3.0, 0.1, 100000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void PushView() { glPushMatrix(); }

void PopView() { glPopMatrix(); }

void MoveView(double x, double y, double z) { glTranslated(x, y, z); }

void TurnView(double degrees, double x, double y, double z) { glRotated(degrees, x, y, z); }

void ScaleView(double k) { glScaled(k, k, k); }

void SetTexturing(bool on) {
  if (on) {
    glEnable(GL_TEXTURE_2D);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

void SetLighting(bool on) {
  if (on) {
    glEnable(GL_LIGHTING);
  } else {
    glDisable(GL_LIGHTING);
  }
}

void FinishDrawing() { glFinish(); }
