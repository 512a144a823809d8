#include "world/Uinterface.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "renderer/Textures.h"
#include "world/ScreenFrame.h"

namespace {

void TexturedQuad(double w, double h) {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2d(-w / 2, -h / 2);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2d(w / 2, -h / 2);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2d(w / 2, h / 2);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2d(-w / 2, h / 2);
  glEnd();
}

// A digit's quad, corners from the top-left round clockwise.
void DigitQuad(double w, double h) {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2d(-w / 2, h / 2);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2d(w / 2, h / 2);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2d(w / 2, -h / 2);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2d(-w / 2, -h / 2);
  glEnd();
}

void LoadAll(TScore_numbers& images) {
  for (TImg& img : images) LoadTexture(img.path, img.texture);
}

void ReleaseAll(TScore_numbers& images) {
  for (TImg& img : images) ReleaseTexture(img.texture);
}

}  // namespace

TInterface::TInterface(int baseScore, int viewportWidth, int viewportHeight)
    : viewportWidth_(viewportWidth),
      viewportHeight_(viewportHeight),
      timerPanel_(TimerPanelImg(viewportWidth, viewportHeight)),
      baseScore_(baseScore),
      lanternPanel_(LanternPanelImg(viewportWidth, viewportHeight)),
      timerDigits_(TimerDigitImgs(viewportWidth, viewportHeight)),
      scoreDigits_(ScoreDigitImgs(viewportWidth, viewportHeight)) {
  arrowImg_.path = kArrowMeshPath;
  LoadTexture(timerPanel_.path, timerPanel_.texture);
  LoadTexture(lanternPanel_.path, lanternPanel_.texture);
  LoadAll(timerDigits_);
  LoadAll(scoreDigits_);
  try {
    arrow_ = std::make_unique<TObj>(arrowImg_.path);
  } catch (...) {
    Release();
    throw;
  }
  timerSlots_.assign(kTimerSlots, 0);
  scoreSlots_.assign(kScoreSlots, 0);
  panelList_ = glGenLists(1);
  glNewList(panelList_, GL_COMPILE);
  glDisable(GL_DEPTH_TEST);
  DrawImg(timerPanel_);
  DrawImg(lanternPanel_);
  glEnable(GL_DEPTH_TEST);
  glEndList();
}

TInterface::~TInterface() { Release(); }

// The end of the race draws the score with these digits before the race is destroyed.
void TInterface::Release() {
  if (panelList_ != 0) glDeleteLists(panelList_, 1);
  panelList_ = 0;
  ReleaseTexture(timerPanel_.texture);
  ReleaseTexture(lanternPanel_.texture);
  ReleaseAll(timerDigits_);
  ReleaseAll(scoreDigits_);
}

// Leaves the overlay projection in place and the modelview current, at identity.
void TInterface::SetOverlayProjection() const {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-viewportWidth_ / 2, viewportWidth_ / 2, -viewportHeight_ / 2, viewportHeight_ / 2, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void TInterface::DrawImg(const TImg& image) const {
  glPushMatrix();
  SetOverlayProjection();
  glDisable(GL_LIGHTING);
  glColor3f(1.0f, 1.0f, 1.0f);
  glTranslated(image.x + image.dx, image.y + image.dy, 0.0);
  glScaled(image.scale, image.scale, 1.0);
  glBindTexture(GL_TEXTURE_2D, image.texture);
  TexturedQuad(image.width, image.height);
  glEnable(GL_LIGHTING);
  glPopMatrix();
}

void TInterface::DrawNumber(int value, TDigits_array& slots, const TScore_numbers& images, int spacing) {
  FillDigits(value, slots);
  for (int slot = 0; slot < static_cast<int>(slots.size()); ++slot) {
    const TSlotPlace place = DigitSlotPlace(images[0], slot, spacing);
    const double s = images[0].scale;
    glColor3f(1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, images[static_cast<std::size_t>(slots[static_cast<std::size_t>(slot)])].texture);
    glPushMatrix();
    glTranslated(place.x, place.y, 0.0);
    glScaled(s, s, 1.0);
    DigitQuad(images[0].width, images[0].height);
    glPopMatrix();
  }
}

// The HUD is laid out in its own units (4:3, or 8:3 for a half of the split screen) and
// drawn in the largest frame of that shape centred in the race's viewport, so a window of
// another shape moves nothing relative to the frame: the arrow stays in its dial.
void TInterface::DrawFrame(const TCompassData& compass, int caughtCount, bool split, int timeLeft) {
  GLint race[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, race);
  const TScreenFrame frame =
      FitFrame({race[0], race[1], race[2], race[3]}, viewportWidth_ / viewportHeight_);
  glViewport(frame.x, frame.y, frame.width, frame.height);
  DrawLayers(compass, caughtCount, split, timeLeft);
  glViewport(race[0], race[1], race[2], race[3]);
}

void TInterface::DrawLayers(const TCompassData& compass, int caughtCount, bool split,
                            int timeLeft) {
  glCallList(panelList_);
  glPushMatrix();
  SetOverlayProjection();
  glDisable(GL_LIGHTING);
  DrawNumber(caughtCount * 10 + baseScore_, scoreSlots_, scoreDigits_, kScoreSpacing);
  DrawNumber(timeLeft, timerSlots_, timerDigits_, kTimerSpacing);
  glEnable(GL_LIGHTING);
  glPopMatrix();
  DrawArrow(compass, split);
}

void TInterface::DrawArrow(const TCompassData& compass, bool split) const {
  glPushMatrix();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 4.0 / 3.0, 1.0, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const TArrowPlace place = ArrowPlace(split);
  glTranslated(place.translate.x, place.translate.y, place.translate.z);
  glScaled(place.scale.x, place.scale.y, place.scale.z);
  glRotated(180.0, 0.0, 1.0, 0.0);
  glRotated(10.0, 1.0, 0.0, 0.0);
  glPushMatrix();
  glRotated(ArrowAngle(compass), 0.0, 1.0, 0.0);
  arrow_->Draw();
  glPopMatrix();
  glPopMatrix();
}

void BlankOutsideFrame(const TScreenFrame& frame, int windowWidth, int windowHeight) {
  if (frame.width >= windowWidth && frame.height >= windowHeight) return;
  GLfloat clear[4] = {0, 0, 0, 0};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  const GLboolean scissored = glIsEnabled(GL_SCISSOR_TEST);
  glEnable(GL_SCISSOR_TEST);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  // The two bars: left and right of the frame, or below and above it.
  if (frame.width < windowWidth) {
    glScissor(0, 0, frame.x, windowHeight);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(frame.x + frame.width, 0, windowWidth - frame.x - frame.width, windowHeight);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  if (frame.height < windowHeight) {
    glScissor(0, 0, windowWidth, frame.y);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, frame.y + frame.height, windowWidth, windowHeight - frame.y - frame.height);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  if (!scissored) glDisable(GL_SCISSOR_TEST);
  glClearColor(clear[0], clear[1], clear[2], clear[3]);
}
