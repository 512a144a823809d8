#include "renderer/BackdropDraw.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

namespace {

void EmitSky(const std::vector<TSkyStrip>& strips) {
  for (const TSkyStrip& strip : strips) {
    glBegin(GL_QUAD_STRIP);
    for (const TSkyVertex& v : strip) {
      glColor3f(v.r, v.g, v.b);
      glVertex3d(v.x, v.y, v.z);
    }
    glEnd();
  }
}

void EmitGround(const std::vector<TGroundStrip>& strips) {
  glColor3f(1.0f, 1.0f, 1.0f);
  for (const TGroundStrip& strip : strips) {
    glBegin(GL_QUAD_STRIP);
    for (const TGroundVertex& v : strip) {
      glTexCoord2d(v.s, v.t);
      glFogCoordd(v.haze);
      glVertex3d(v.x, v.y, v.z);
    }
    glEnd();
  }
}

}  // namespace

TBackdropDraw::TBackdropDraw(const std::vector<TSkyStrip>& sky,
                             const std::vector<TGroundStrip>& ground,
                             std::uint32_t groundTexture, double groundTile)
    : lists_(2), groundTexture_(groundTexture), groundTile_(groundTile) {
  if (!lists_) return;
  glNewList(lists_[0], GL_COMPILE);
  EmitSky(sky);
  glEndList();
  glNewList(lists_[1], GL_COMPILE);
  EmitGround(ground);
  glEndList();
}

void TBackdropDraw::DrawSky(const T_point& eye) const {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glPushMatrix();
  glTranslated(eye.x, 0.0, eye.z);
  if (lists_) glCallList(lists_[0]);
  glPopMatrix();
}

void TBackdropDraw::DrawGround(const T_point& eye) const {
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
  if (lists_) glCallList(lists_[1]);
  glDisable(GL_POLYGON_OFFSET_FILL);
  glFogi(GL_FOG_COORD_SRC, GL_FRAGMENT_DEPTH);
  glPopMatrix();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}
