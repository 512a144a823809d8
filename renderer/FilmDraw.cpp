#include "renderer/FilmDraw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "renderer/Textures.h"

namespace {

void Rect(double x0, double y0, double x1, double y1) {
  glBegin(GL_QUADS);
  glVertex2d(x0, y0);
  glVertex2d(x1, y0);
  glVertex2d(x1, y1);
  glVertex2d(x0, y1);
  glEnd();
}

}  // namespace

void ClearToBlack() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void BeginFilmFrame(int width, int height) {
  ClearToBlack();
  glViewport(0, 0, width, height);
}

void LookThroughFilmLens(double fieldOfView, double aspect, double nearest, double farthest,
                         const T_point& eye, const T_point& target) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fieldOfView, aspect, nearest, farthest);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0.0, 1.0, 0.0);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
}

void UseMipmapsWhenFar(std::uint32_t texture) {
  if (texture == 0) return;
  EnsureMipmaps(texture);  // pictures are loaded without them
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
}

void BeginFilmHaze(float r, float g, float b, double start, double end) {
  const GLfloat colour[4] = {r, g, b, 1.0f};
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogfv(GL_FOG_COLOR, colour);
  glFogf(GL_FOG_START, static_cast<GLfloat>(start));
  glFogf(GL_FOG_END, static_cast<GLfloat>(end));
  glHint(GL_FOG_HINT, GL_NICEST);
  glEnable(GL_FOG);
}

void EndFilmHaze() { glDisable(GL_FOG); }

void BeginAboveHeight(double height) {
  const GLdouble above[4] = {0.0, 1.0, 0.0, -height};
  glClipPlane(GL_CLIP_PLANE0, above);
  glEnable(GL_CLIP_PLANE0);
  glEnable(GL_TEXTURE_2D);
}

void EndAboveHeight() { glDisable(GL_CLIP_PLANE0); }

void BeginFilmFlat(int width, int height) {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(0.0, width, 0.0, height);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_BLEND);
}

void MultiplyByFan(const std::vector<TFlatColourVertex>& fan) {
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_DST_COLOR, GL_ZERO);
  glBegin(GL_TRIANGLE_FAN);
  for (const TFlatColourVertex& v : fan) {
    glColor3f(v.r, v.g, v.b);
    glVertex2d(v.x, v.y);
  }
  glEnd();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void FillFlatRect(double x0, double y0, double x1, double y1, float r, float g, float b,
                  float a) {
  glDisable(GL_TEXTURE_2D);
  glColor4f(r, g, b, a);
  Rect(x0, y0, x1, y1);
}

void DarkenFlat(double width, double height, double alpha) {
  if (alpha <= 0.0) return;
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, static_cast<float>(std::min(alpha, 1.0)));
  Rect(0.0, 0.0, width, height);
}
