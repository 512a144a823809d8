#include "renderer/HudDraw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "assets/Image.h"
#include "renderer/TextureAsIsScope.h"
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

namespace {

// The parts of a w x h quad that show the texels of `bands`, with the texture coordinates
// the whole quad has there.
void VisibleQuads(double w, double h, const TVisiblePicture& picture) {
  glBegin(GL_QUADS);
  for (const TTexelRect& band : picture.bands) {
    const double s0 = static_cast<double>(band.column0) / picture.width;
    const double s1 = static_cast<double>(band.column1) / picture.width;
    const double t0 = static_cast<double>(band.row0) / picture.height;
    const double t1 = static_cast<double>(band.row1) / picture.height;
    const double x0 = -w / 2 + s0 * w, x1 = -w / 2 + s1 * w, y0 = -h / 2 + t0 * h, y1 = -h / 2 + t1 * h;
    glTexCoord2d(s0, t0);
    glVertex2d(x0, y0);
    glTexCoord2d(s1, t0);
    glVertex2d(x1, y0);
    glTexCoord2d(s1, t1);
    glVertex2d(x1, y1);
    glTexCoord2d(s0, t1);
    glVertex2d(x0, y1);
  }
  glEnd();
}

// A HUD picture in place (its offset and scale in the overlay's units, unlit, white),
// drawn by `quads`.
template <typename Quads>
void PlacedHudPicture(const TImg& image, double unitsWidth, double unitsHeight, Quads quads) {
  glPushMatrix();
  SetOverlayProjection(unitsWidth, unitsHeight);
  glDisable(GL_LIGHTING);
  glColor3f(1.0f, 1.0f, 1.0f);
  glTranslated(image.x + image.dx, image.y + image.dy, 0.0);
  glScaled(image.scale, image.scale, 1.0);
  glBindTexture(GL_TEXTURE_2D, image.texture);
  const TTextureAsIsScope asIs;
  quads();
  glEnable(GL_LIGHTING);
  glPopMatrix();
}

void DrawVisiblePanel(const TImg& image, const TVisiblePicture& picture, double unitsWidth, double unitsHeight) {
  PlacedHudPicture(image, unitsWidth, unitsHeight, [&] { VisibleQuads(image.width, image.height, picture); });
}

}  // namespace

TVisiblePicture VisiblePartsOf(std::uint32_t texture) {
  const TTexturePicture read = ReadTexturePicture(texture);
  const TImage pixels{read.width, read.height, read.format == GL_RGBA ? 4 : 3, read.pixels};
  return {read.width, read.height, VisibleBands(pixels, 8)};
}

// A panel is drawn only where its picture shows: the clear parts of the lantern strip
// (more than half of it) would cost the blending of every pixel and change none. The
// pictures are read before the list is begun, which would only record the binds.
void THudDraw::CompilePanels(const TImg& timer, const TImg& lantern, double unitsWidth, double unitsHeight) {
  const TVisiblePicture timerParts = VisiblePartsOf(timer.texture);
  const TVisiblePicture lanternParts = VisiblePartsOf(lantern.texture);
  panels_ = TDisplayLists(1);
  glNewList(panels_.Base(), GL_COMPILE);
  glDisable(GL_DEPTH_TEST);
  DrawVisiblePanel(timer, timerParts, unitsWidth, unitsHeight);
  DrawVisiblePanel(lantern, lanternParts, unitsWidth, unitsHeight);
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
  PlacedHudPicture(image, unitsWidth, unitsHeight, [&] { TexturedQuad(image.width, image.height); });
}

void DrawHudDigit(std::uint32_t texture, double x, double y, double scale, double width, double height) {
  glColor3f(1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  const TTextureAsIsScope asIs;
  glPushMatrix();
  glTranslated(x, y, 0.0);
  glScaled(scale, scale, 1.0);
  DigitQuad(width, height);
  glPopMatrix();
}
