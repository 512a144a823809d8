#include "renderer/HudDraw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "renderer/Textures.h"

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

// Leaves the overlay projection in place and the modelview current, at identity.
void SetOverlayProjection(double unitsWidth, double unitsHeight) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-unitsWidth / 2, unitsWidth / 2, -unitsHeight / 2, unitsHeight / 2, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

}  // namespace

std::uint32_t THudDraw::LoadPicture(const std::string& path) {
  TTexture picture = LoadTexture(path);
  const std::uint32_t name = picture.Id();
  if (picture) pictures_.push_back(std::move(picture));
  return name;
}

void THudDraw::LoadArrow(const std::string& path) { arrow_.emplace(path); }

void THudDraw::CompilePanels(const TImg& timer, const TImg& lantern, double unitsWidth, double unitsHeight) {
  panels_ = TDisplayLists(1);
  glNewList(panels_.Base(), GL_COMPILE);
  glDisable(GL_DEPTH_TEST);
  DrawHudPicture(timer, unitsWidth, unitsHeight);
  DrawHudPicture(lantern, unitsWidth, unitsHeight);
  glEnable(GL_DEPTH_TEST);
  glEndList();
}

void THudDraw::DrawPanels() const { glCallList(panels_.Base()); }

void THudDraw::DrawArrow(T_point translate, T_point scale, double angle) const {
  glPushMatrix();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 4.0 / 3.0, 1.0, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(translate.x, translate.y, translate.z);
  glScaled(scale.x, scale.y, scale.z);
  glRotated(180.0, 0.0, 1.0, 0.0);
  glRotated(10.0, 1.0, 0.0, 0.0);
  glPushMatrix();
  glRotated(angle, 0.0, 1.0, 0.0);
  if (arrow_) arrow_->Draw();
  glPopMatrix();
  glPopMatrix();
}

void BeginHudOverlay(double unitsWidth, double unitsHeight) {
  glPushMatrix();
  SetOverlayProjection(unitsWidth, unitsHeight);
  glDisable(GL_LIGHTING);
}

void EndHudOverlay() {
  glEnable(GL_LIGHTING);
  glPopMatrix();
}

void DrawHudPicture(const TImg& image, double unitsWidth, double unitsHeight) {
  glPushMatrix();
  SetOverlayProjection(unitsWidth, unitsHeight);
  glDisable(GL_LIGHTING);
  glColor3f(1.0f, 1.0f, 1.0f);
  glTranslated(image.x + image.dx, image.y + image.dy, 0.0);
  glScaled(image.scale, image.scale, 1.0);
  glBindTexture(GL_TEXTURE_2D, image.texture);
  TexturedQuad(image.width, image.height);
  glEnable(GL_LIGHTING);
  glPopMatrix();
}

void DrawHudDigit(std::uint32_t texture, double x, double y, double scale, double width, double height) {
  glColor3f(1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPushMatrix();
  glTranslated(x, y, 0.0);
  glScaled(scale, scale, 1.0);
  DigitQuad(width, height);
  glPopMatrix();
}
