#include "renderer/RingDraw.h"

#include <GL/gl.h>

TRingDraw::TRingDraw(const std::string& ringMesh, const std::string& caughtMesh)
    : ring_(ringMesh), caught_(caughtMesh) {}

// Rotation z stays unused: generated rings have none and the files keep it at 0.
void TRingDraw::Draw(const TRing& ring, bool caught) const {
  glPushMatrix();
  glTranslated(ring.origin.x, ring.origin.y, ring.origin.z);
  glScaled(ring.scale, ring.scale, ring.scale);
  glPushMatrix();
  glRotated(ring.rotation.y, 0.0, 1.0, 0.0);
  glRotated(ring.rotation.x, 1.0, 0.0, 0.0);
  // A ring is a closed tube wound counter-clockwise seen from outside: its far half is
  // always behind its near half, so only the faces turned to the eye are filled.
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  (caught ? caught_ : ring_).Draw();
  glDisable(GL_CULL_FACE);
  glPopMatrix();
  glPopMatrix();
}
