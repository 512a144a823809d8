#include "cutscene/Backdrop.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSlices = 32;
constexpr int kStacks = 12;
constexpr int kRings = 18;
constexpr double kInnerRing = 25.0;
constexpr double kSkirt = -2000.0;  // below the horizon, behind the far ground

void DomeVertex(const TFilmSky& sky, int stack, int slice) {
  const double phi = 0.5 * kPi * stack / kStacks;
  const double theta = 2.0 * kPi * slice / kSlices;
  const double x = kDomeRadius * std::cos(phi) * std::cos(theta);
  const double y = kDomeHeight * std::sin(phi);
  const double z = kDomeRadius * std::cos(phi) * std::sin(theta);
  // The colour goes by the angle the eye sees the point at, not by the dome's parameter.
  const double elevation = std::atan2(y, kDomeRadius * std::cos(phi)) * 180.0 / kPi;
  const TFilmColour c = SkyColourAt(sky, elevation, theta * 180.0 / kPi);
  glColor3f(c.r, c.g, c.b);
  glVertex3d(x, y, z);
}

void EmitSkirt(const TFilmSky& sky) {
  glBegin(GL_QUAD_STRIP);
  for (int slice = 0; slice <= kSlices; ++slice) {
    const double theta = 2.0 * kPi * slice / kSlices;
    const TFilmColour c = SkyColourAt(sky, 0.0, theta * 180.0 / kPi);
    glColor3f(c.r, c.g, c.b);
    glVertex3d(kDomeRadius * std::cos(theta), 0.0, kDomeRadius * std::sin(theta));
    glVertex3d(kDomeRadius * std::cos(theta), kSkirt, kDomeRadius * std::sin(theta));
  }
  glEnd();
}

void EmitDome(const TFilmSky& sky) {
  for (int stack = 0; stack < kStacks; ++stack) {
    glBegin(GL_QUAD_STRIP);
    for (int slice = 0; slice <= kSlices; ++slice) {
      DomeVertex(sky, stack + 1, slice);
      DomeVertex(sky, stack, slice);
    }
    glEnd();
  }
  EmitSkirt(sky);
}

// Rings spaced wider and wider out to the dome: the haze is worked out at each vertex,
// so near the eye they lie close together.
double RingRadius(int ring) {
  if (ring == 0) return 0.0;
  return kInnerRing * std::pow(kDomeRadius / kInnerRing, (ring - 1) / double(kRings - 1));
}

void DiscVertex(int ring, int slice, double tile) {
  const double theta = 2.0 * kPi * slice / kSlices;
  const double x = RingRadius(ring) * std::cos(theta);
  const double z = RingRadius(ring) * std::sin(theta);
  glTexCoord2d(x / tile, z / tile);
  // The haze goes by the distance along the ground. Worked out from the depth at each
  // vertex instead, as the terrain's is, a wide quad reaching behind the eye would be
  // hazed near the eye as if it were far away.
  glFogCoordd(RingRadius(ring));
  glVertex3d(x, kDiscHeight, z);
}

void EmitDisc(double tile) {
  glColor3f(1.0f, 1.0f, 1.0f);
  for (int ring = 0; ring < kRings; ++ring) {
    glBegin(GL_QUAD_STRIP);
    for (int slice = 0; slice <= kSlices; ++slice) {
      DiscVertex(ring + 1, slice, tile);
      DiscVertex(ring, slice, tile);
    }
    glEnd();
  }
}

}  // namespace

TBackdrop::TBackdrop(const TFilmSky& sky, std::uint32_t groundTexture, double groundTile)
    : groundTexture_(groundTexture), groundTile_(std::max(groundTile, 1.0)) {
  skyList_ = glGenLists(2);
  groundList_ = skyList_ + 1;
  glNewList(skyList_, GL_COMPILE);
  EmitDome(sky);
  glEndList();
  glNewList(groundList_, GL_COMPILE);
  EmitDisc(groundTile_);
  glEndList();
}

void TBackdrop::DrawSky(const T_point& eye) const {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glPushMatrix();
  glTranslated(eye.x, 0.0, eye.z);
  glCallList(skyList_);
  glPopMatrix();
}

void TBackdrop::DrawGround(const T_point& eye) const {
  glDisable(GL_LIGHTING);
  if (groundTexture_ != 0) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, groundTexture_);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  // The disc's texture coordinates are its own; shifting them by the eye's place keeps
  // the grass still under a moving camera.
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glTranslated(eye.x / groundTile_, eye.z / groundTile_, 0.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslated(eye.x, 0.0, eye.z);
  glFogi(GL_FOG_COORD_SRC, GL_FOG_COORD);
  // Pushed back in depth: far away, the terrain's slopes down to height 0 lie within a
  // depth step of the disc, and must win there rather than stripe with it.
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(2.0f, 8.0f);
  glCallList(groundList_);
  glDisable(GL_POLYGON_OFFSET_FILL);
  glFogi(GL_FOG_COORD_SRC, GL_FRAGMENT_DEPTH);
  glPopMatrix();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}
