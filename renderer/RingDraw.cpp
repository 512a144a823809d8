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
  (caught ? caught_ : ring_).DrawClosed();  // a closed tube
  glPopMatrix();
  glPopMatrix();
}
