#include "frontend/Upanel.h"

#include <GL/gl.h>

#include "renderer/Textures.h"
#include "frontend/MenuRules.h"
#include "platform/Window.h"

Tpanel::Tpanel(int screenWidth, int screenHeight, TTab_bouton buttons,
               const std::string& backgroundPath)
    : Tpanel(screenWidth, screenHeight, std::move(buttons), backgroundPath, 0) {
  LoadTexture(backgroundPath_, backgroundTexture_);
}

Tpanel::Tpanel(int screenWidth, int screenHeight, TTab_bouton buttons,
               const std::string& backgroundPath, std::uint32_t backgroundTexture)
    : screenWidth_(screenWidth),
      screenHeight_(screenHeight),
      buttons_(std::move(buttons)),
      backgroundPath_(backgroundPath),
      backgroundTexture_(backgroundTexture),
      faceAngle_(FaceAngleFor(buttons_.size())) {
  for (TBouton& button : buttons_) button.pressed = false;
}

int Tpanel::ButtonState(const TBouton& button) const {
  TMouseLook look;
  wnd::GetMousePos(look.x, look.y);
  look.down = wnd::GetMouseButton(wnd::MOUSE_BUTTON_LEFT) == wnd::PRESS;
  return ButtonState(button, look);
}

int Tpanel::ButtonState(const TBouton& button, const TMouseLook& look) const {
  return PanelButtonState(button, look.x, look.y, look.down, screenWidth_, screenHeight_);
}

void Tpanel::Forget() {
  mouse_.Forget();
  for (TBouton& button : buttons_) button.pressed = false;
}

void Tpanel::DrawBackground() const {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, backgroundTexture_);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3d(-2.0, 1.5, 2.0);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3d(2.0, 1.5, 2.0);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3d(2.0, -1.5, 2.0);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3d(-2.0, -1.5, 2.0);
  glEnd();
}

// In virtual units about the face's centre, y up; the caller has scaled to box units.
void Tpanel::DrawButton(const TBouton& button, std::uint32_t texture) const {
  const double halfW = virtualWidth_ / 2;
  const double halfH = virtualHeight_ / 2;
  const double left = button.x - halfW;
  const double right = button.x + button.width - halfW;
  const double top = halfH - button.y;
  const double bottom = halfH - button.y - button.height;
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3d(left, top, 2.001);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3d(right, top, 2.001);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3d(right, bottom, 2.001);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3d(left, bottom, 2.001);
  glEnd();
}

int Tpanel::DrawPanel(bool isStatic) {
  int clicked = -1;
  TMouseLook look;
  if (!isStatic) look = mouse_.Look();
  glPushMatrix();
  glRotated(tiltAngle_, 1.0, 0.0, 0.0);
  glRotated(faceAngle_, 0.0, 1.0, 0.0);
  DrawBackground();
  glScaled(kScaleX, kScaleY, 1.0);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    TBouton& button = buttons_[i];
    std::uint32_t texture = button.inactiveTexture;
    if (!isStatic) {
      int state = ApplyLook(button, ButtonState(button, look), look, texture);
      if (state == kButtonReleased) clicked = static_cast<int>(i);
    }
    DrawButton(button, texture);
  }
  glPopMatrix();
  return clicked;
}
