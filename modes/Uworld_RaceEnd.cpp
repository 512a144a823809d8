// The end-of-race sequence: fade to white, the tiled backdrop, the banner, the result.
#include <GL/gl.h>
#include <GL/glu.h>

#include "modes/RaceRules.h"
#include "modes/Uworld.h"
#include "platform/Window.h"

namespace {

void Quad(double x0, double y0, double x1, double y1) {
  glBegin(GL_QUADS);
  glTexCoord2d(0, 0);
  glVertex2d(x0, y0);
  glTexCoord2d(1, 0);
  glVertex2d(x1, y0);
  glTexCoord2d(1, 1);
  glVertex2d(x1, y1);
  glTexCoord2d(0, 1);
  glVertex2d(x0, y1);
  glEnd();
}

bool AboveOne(double a) { return a > 1.0; }

}  // namespace

// The whole frame, whatever viewport the race left (the split screen ends in its lower
// half), in frame units.
void Tworld::SetEndProjection() const {
  const TScreenFrame frame = Frame();
  glViewport(frame.x, frame.y, frame.width, frame.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-kFrameUnitsWidth / 2.0, kFrameUnitsWidth / 2.0, -kFrameUnitsHeight / 2.0,
             kFrameUnitsHeight / 2.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
}

// Frames until `done(value)`, the fade stepping by `delta` at most every 5 ms.
void Tworld::RunFade(double start, double delta, const std::function<bool(double)>& done,
                     const std::function<void(double)>& draw) const {
  TFade fade;
  fade.Start(start, wnd::GetTickCount());
  while (!done(fade.value)) {
    SetEndProjection();
    draw(fade.value);
    fade.Step(wnd::GetTickCount(), delta);
    EndFrame();
  }
}

void Tworld::EndFrame() const {
  BlankBars();
  wnd::SwapBuffers();
  glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
}

void Tworld::DrawEndImage(const TImg& image) const {
  glPushMatrix();
  glTranslated(image.x * image.scale - kFrameUnitsWidth / 2.0,
               kFrameUnitsHeight / 2.0 - image.y * image.scale, 0.0);
  glScaled(image.scale, image.scale, 1.0);
  glBindTexture(GL_TEXTURE_2D, image.texture);
  Quad(0.0, -image.height, image.width, 0.0);
  glPopMatrix();
}

void Tworld::ShowRaceEnd(const TImg& banner, const TImg& picture) {
  glDisable(GL_DEPTH_TEST);
  FadeToWhite();
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  ShowTransition(banner, picture);
  glEnable(GL_DEPTH_TEST);
}

void Tworld::FadeToWhite() {
  glAlphaFunc(GL_ALWAYS, 1.0f);
  const double w = kFrameUnitsWidth / 2.0;
  const double h = kFrameUnitsHeight / 2.0;
  RunFade(0.0, 0.01, AboveOne,
          [&](double a) {
            glBindTexture(GL_TEXTURE_2D, 0);
            glColor4d(1.0, 1.0, 1.0, a);
            Quad(-w, -h, w, h);
          });
}

void Tworld::ShowTransition(const TImg& banner, const TImg& picture) {
  glAlphaFunc(GL_ALWAYS, 1.0f);
  const double w = backdrop_.width;
  const double h = backdrop_.height;
  const GLuint tile = glGenLists(1);
  glNewList(tile, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, backdrop_.texture);
  Quad(0.0, -h, w, 0.0);
  glEndList();

  // Two tiles against the top corners and two directly below them.
  const double sw = kFrameUnitsWidth / 2.0;
  const double sh = kFrameUnitsHeight / 2.0;
  const double places[4][2] = {{-sw, sh}, {sw - w, sh}, {sw - w, sh - h}, {-sw, sh - h}};
  const GLuint backdropList = glGenLists(1);
  glNewList(backdropList, GL_COMPILE);
  for (const auto& place : places) {
    glPushMatrix();
    glTranslated(place[0], place[1], 0.0);
    glCallList(tile);
    glPopMatrix();
  }
  glEndList();

  auto drawBackdrop = [&](double a) {
    glColor4d(1.0, 1.0, 1.0, a);
    glCallList(backdropList);
  };
  RunFade(0.0, 0.01, AboveOne, drawBackdrop);

  const GLuint bannerList = glGenLists(1);
  glNewList(bannerList, GL_COMPILE);
  DrawEndImage(banner);
  glEndList();
  auto drawBanner = [&](double a) {
    drawBackdrop(1.0);
    glColor4d(1.0, 1.0, 1.0, a);
    glCallList(bannerList);
  };
  RunFade(0.0, 0.01, AboveOne, drawBanner);
  // Back down to 0.4 of its strength, behind the result picture.
  RunFade(1.0, -0.01, [](double a) { return a < 0.4; }, drawBanner);

  ShowResult(picture, backdropList, bannerList);
  glDeleteLists(bannerList, 1);
  glDeleteLists(backdropList, 1);
  glDeleteLists(tile, 1);
}

// The last frame stays on screen until the caller draws again.
void Tworld::ShowResult(const TImg& picture, std::uint32_t backdropList,
                        std::uint32_t bannerList) {
  const GLuint pictureList = glGenLists(1);
  glNewList(pictureList, GL_COMPILE);
  DrawEndImage(picture);
  glEndList();
  RunFade(0.0, 0.01, AboveOne, [&](double a) {
    glColor4d(1.0, 1.0, 1.0, 1.0);
    glCallList(backdropList);
    glColor4d(1.0, 1.0, 1.0, 0.4);
    glCallList(bannerList);
    glColor4d(1.0, 1.0, 1.0, a);
    glCallList(pictureList);
    DrawResultExtras();
  });
  glDeleteLists(pictureList, 1);
}
