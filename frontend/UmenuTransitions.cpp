// The menu's transitions: the camera's turn between faces, the cross-fade and the
// logo-shaped iris, and the face camera they share with the loops.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "frontend/Umenu.h"
#include "platform/Window.h"

namespace {

constexpr double kDegreesToRadians = 3.14159265358979323846 / 180.0;
// The logo's opaque parts make the iris; its soft outline is cut half way.
constexpr float kIrisAlphaCut = 0.5f;

// A whole-face picture in the plane x = faceX, seen from the right (+x) side.
void DrawRightFaceQuad(std::uint32_t texture, double faceX) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3d(faceX, 1.5, 2.0);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3d(faceX, 1.5, -2.0);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3d(faceX, -1.5, -2.0);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3d(faceX, -1.5, 2.0);
  glEnd();
}

}  // namespace

// A face exactly fills the window: 90 degrees of view from 1.5 units before a 3-unit face.
// For yaw g the eye is at (r cos(g - 90), 0, -r sin(g - 90)): 0 front, 90 right, -90 left.
void TMenu::SetFaceCamera(double yaw, double radius) {
  glViewport(0, 0, screenWidth_, screenHeight_);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(90.0, static_cast<double>(screenWidth_) / screenHeight_, 0.001, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  double angle = (yaw - 90.0) * kDegreesToRadians;
  gluLookAt(radius * std::cos(angle), 0.0, -radius * std::sin(angle), 0.0, 0.0, 0.0, 0.0, 1.0,
            0.0);
}

void TMenu::PresentFrame() {
  wnd::SwapBuffers();
  glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
}

// The three faces the camera can turn between.
void TMenu::DrawTurnPose(double yaw, double radius) {
  SetFaceCamera(yaw, radius);
  glCallList(lists_.main);
  glCallList(lists_.options);
  glCallList(lists_.onePlayer);
}

// Every presented frame moves one degree: the pose already on screen is not shown again,
// and the last pose is left for the caller's loop to present.
void TMenu::TurnTo(int degrees, int newScreen, double startAngle, double radius) {
  int direction = degrees > 0 ? 1 : -1;
  for (int k = direction; k * direction < degrees * direction; k += direction) {
    DrawTurnPose(startAngle + k, radius);
    PresentFrame();
  }
  DrawTurnPose(startAngle + degrees, radius);
  screen_ = newScreen;
}

void TMenu::DrawPicture(std::uint32_t name, bool isList, double faceX) {
  if (isList) {
    glPushMatrix();
    glCallList(name);
    glPopMatrix();
  } else {
    DrawRightFaceQuad(name, faceX);
  }
}

// Brings a fade's picture from the right face onto the face `from` is drawn on.
void TMenu::PlaceFadeTarget(std::uint32_t from, bool fromIsList) {
  if (!fromIsList) return;
  if (from == lists_.main || from == lists_.twoPlayers) {
    glTranslated(-0.01, 0.0, 0.0);
    glRotated(-90.0, 0.0, 1.0, 0.0);
  } else if (from == lists_.options || from == lists_.load) {
    glTranslated(-0.01, 0.0, 0.0);
    glRotated(-180.0, 0.0, 1.0, 0.0);
  }
}

// Blended in, so every fragment must pass the alpha test whatever its alpha.
void TMenu::CrossFade(std::uint32_t from, bool fromIsList, std::uint32_t to, bool toIsList) {
  TStepTimer timer(wnd::GetTickCount(), kFadeStepMs);
  glAlphaFunc(GL_ALWAYS, 1.0f);
  double alpha = 0.0;
  while (alpha <= 1.0) {
    std::uint32_t now = wnd::GetTickCount();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    DrawPicture(from, fromIsList, 2.009);
    glPushMatrix();
    if (timer.Due(now)) alpha += kFadeStep;
    glColor4d(1.0, 1.0, 1.0, alpha);
    if (!toIsList) PlaceFadeTarget(from, fromIsList);
    DrawPicture(to, toIsList, 2.01);
    glPopMatrix();
    PresentFrame();
  }
}

// The stencil receives 1 wherever the logo, scaled to `size` hundredths of the window,
// passes the alpha test.
void TMenu::MarkIris(std::uint32_t stencil, double size) {
  const double halfW = screenWidth_ / 2.0;
  const double halfH = screenHeight_ / 2.0;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-halfW, halfW, -halfH, halfH);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glPushMatrix();
  glEnable(GL_STENCIL_TEST);
  glDisable(GL_DEPTH_TEST);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glStencilFunc(GL_ALWAYS, 1, 1);
  glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
  glScaled(size / 100.0, size / 100.0, 1.0);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, stencil);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2d(-halfW, halfH);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2d(halfW, halfH);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2d(halfW, -halfH);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2d(-halfW, -halfH);
  glEnd();
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

// `from` outside the logo, `to` inside it, both on the right face.
void TMenu::DrawIrisScene(std::uint32_t from, bool fromIsList, std::uint32_t to,
                          bool toIsList) {
  SetFaceCamera(90.0, cameraDistance_);
  glPushMatrix();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
  glStencilFunc(GL_EQUAL, 0, 1);
  DrawPicture(from, fromIsList, 2.01);
  glStencilFunc(GL_EQUAL, 1, 1);
  DrawPicture(to, toIsList, 2.01);
  glPopMatrix();
  glDisable(GL_STENCIL_TEST);
}

void TMenu::IrisWipe(std::uint32_t from, bool fromIsList, std::uint32_t stencil,
                     std::uint32_t to, bool toIsList) {
  TStepTimer timer(wnd::GetTickCount(), kIrisStepMs);
  glAlphaFunc(GL_GREATER, kIrisAlphaCut);
  double size = 1.0;
  // Only an Escape pressed while the iris grows cuts it: not the one that may still be
  // pending from the face.
  wnd::ForgetPresses();
  while (size <= kIrisEnd && !wnd::KeyPressed(wnd::KEY_ESC)) {
    if (timer.Due(wnd::GetTickCount())) size = IrisGrow(size);
    MarkIris(stencil, size);
    DrawIrisScene(from, fromIsList, to, toIsList);
    wnd::SwapBuffers();
    glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  }
  // Whoever turns the stencil test on next must not find every fragment rejected.
  glStencilFunc(GL_ALWAYS, 0, ~0u);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}
