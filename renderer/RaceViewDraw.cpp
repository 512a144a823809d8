#include "renderer/RaceViewDraw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "renderer/ULoaderObj.h"

void EnableRaceState() {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glAlphaFunc(GL_GREATER, 0.75f);
}

void SetDepthTest(bool on) {
  if (on) {
    glEnable(GL_DEPTH_TEST);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
}

void SetRaceClearColour() { glClearColor(0.0f, 0.0f, 0.8f, 0.0f); }

// Nothing in a race reads the stencil. Clearing it with the depth lets the software
// renderer fill whole depth-stencil words; a depth clear alone must keep the stencil's
// bits of every word, and cost a millisecond of each frame.
void ClearRaceBuffers() { glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT); }

void SetRaceViewport(int x, int y, int width, int height) { glViewport(x, y, width, height); }

void SetRaceProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 1.3333333333333333, 0.1, 100000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void SetRaceStartProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 1.3333333333333333, 10.0, 10000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void ResetModelview() { glLoadIdentity(); }

void DrawCraftInFrontOfEye(const TObj& mesh, T_point offset, T_point scale, double depthScale) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  // Scaling the eye's frame before the lens keeps every point's place on the screen and
  // brings its depth nearer; the lights still see the craft where it was.
  glScaled(depthScale, depthScale, depthScale);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslated(offset.x, offset.y, offset.z);
  glScaled(scale.x, scale.y, scale.z);
  mesh.DrawClosed();  // the crafts are closed hulls
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

void DrawCraftAsSeenByItsPlayer(const TObj& mesh, T_point position, T_point rotation,
                                T_point eyeOffset, T_point scale, bool wholeHull) {
  glPushMatrix();
  glTranslated(-position.x, -position.y, -position.z);
  glRotated(-rotation.y, 0.0, 1.0, 0.0);
  glRotated(-rotation.x, 1.0, 0.0, 0.0);
  glTranslated(eyeOffset.x, eyeOffset.y, eyeOffset.z);
  glScaled(scale.x, scale.y, scale.z);
  wholeHull ? mesh.Draw() : mesh.DrawClosed();
  glPopMatrix();
}

void PushModelviewMoved(T_point by) {
  glPushMatrix();
  glTranslated(by.x, by.y, by.z);
}

void PopModelview() { glPopMatrix(); }

// The modelview takes world points to the eye's frame by a turn and a move; its inverse
// gives the eye's and the spot's world places.
void WorldPlacesOfEye(T_point eyeSpot, T_point& eye, T_point& spot) {
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  auto toWorld = [&m](T_point e) {
    const double d[3] = {e.x - m[12], e.y - m[13], e.z - m[14]};
    return T_point{m[0] * d[0] + m[1] * d[1] + m[2] * d[2], m[4] * d[0] + m[5] * d[1] + m[6] * d[2],
                   m[8] * d[0] + m[9] * d[1] + m[10] * d[2]};
  };
  eye = toWorld({0.0, 0.0, 0.0});
  spot = toWorld(eyeSpot);
}

void LiftView(double lift) { glTranslated(0.0, -lift, 0.0); }
