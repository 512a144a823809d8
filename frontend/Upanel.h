// A screen of image buttons on one full-face background, drawn on a face of the menu's
// box. Used by the menu and by the story mode's save screen.
//
// The box: the background is a 4 x 3 quad at z = 2 (x -2..2, y -1.5..1.5) before the
// panel's turn about the vertical axis; the buttons lie at z = 2.001 in front of it. Seen
// from 3.5 units with a 90-degree field of view, a face exactly fills the window.
//
// The button array is shared with the caller (TTab_bouton copies share their storage), so
// the caller sees the pressed flags the panel keeps.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "frontend/Bouton.h"
#include "frontend/KeyFocus.h"
#include "frontend/ScreenMouse.h"
#include "renderer/GlHandles.h"
#include "renderer/PanelDraw.h"
#include "platform/Window.h"

// A picture laid over the panel's face after its buttons (virtual units, y down): what a
// screen shows that is no button, such as a key's name on the button that binds it.
struct TDecal {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;
  std::uint32_t texture = 0;
};

class Tpanel {
 public:
  // Loads the background picture, which the panel then owns. Clears every pressed flag;
  // the face follows from the number of buttons: 3 or 5 right, 4 or 7 front, 6 or 8 left,
  // other counts front.
  Tpanel(int screenWidth, int screenHeight, TTab_bouton buttons,
         const std::string& backgroundPath);
  // The same with the background already loaded and owned by the caller.
  Tpanel(int screenWidth, int screenHeight, TTab_bouton buttons,
         const std::string& backgroundPath, std::uint32_t backgroundTexture);

  // Draws the panel in the current model-view matrix. Static: every button shows its
  // inactive picture and nothing is read (the form compiled into display lists).
  // Otherwise each button shows its state and the result is the index of the button
  // clicked in this frame (pressed and released over it), or -1.
  // A click needs its press seen by this panel: the mouse is looked at once a frame.
  // The keys work beside the mouse: the arrows move the focus among the buttons and Enter
  // presses the focused one, which counts as a click. `decals` are drawn over the buttons.
  int DrawPanel(bool isStatic, std::span<const TDecal> decals = {});
  // The screen starts: pending presses, holds and half-made clicks are dropped.
  void Forget();
  // For a screen whose number of buttons would put it on another face than its own.
  void PlaceOnFace(double faceAngle) { faceAngle_ = faceAngle; }
  // Where the keys' focus goes first on this screen (default: the first button).
  void SetFirstFocus(int index) { firstFocus_ = index; }
  TKeyFocus& Keys() { return keys_; }
  const TKeyFocus& Keys() const { return keys_; }

  // 0 outside, 1 hover, 2 held, 3 released over the button after being held. The mouse
  // is read in window pixels and converted with the window size the panel was given.
  // This form reads the button's level now and takes no press.
  int ButtonState(const TBouton& button) const;
  int ButtonState(const TBouton& button, const TMouseLook& look) const;

  int ScreenWidth() const { return screenWidth_; }
  int ScreenHeight() const { return screenHeight_; }
  double FaceAngle() const { return faceAngle_; }
  double TiltAngle() const { return tiltAngle_; }
  const TTab_bouton& Buttons() const { return buttons_; }
  const std::string& BackgroundPath() const { return backgroundPath_; }
  std::uint32_t BackgroundTexture() const { return backgroundTexture_; }

  // Virtual units to box units: 2 / 400 and 1.5 / 300.
  static constexpr double kScaleX = 2.0 / 400.0;
  static constexpr double kScaleY = 1.5 / 300.0;

 private:
  TButtonQuad ButtonQuad(const TBouton& button, std::uint32_t texture) const;
  TButtonQuad DecalQuad(const TDecal& decal) const;
  int ReadKeys(const TMouseLook& look, int hovered);

  wnd::TDrawableWidth screenWidth_;  // the window's, as it is now
  wnd::TDrawableHeight screenHeight_;
  int virtualWidth_ = 800;
  int virtualHeight_ = 600;
  TTab_bouton buttons_;
  std::string backgroundPath_;
  std::uint32_t backgroundTexture_ = 0;
  TTexture ownedBackground_;  // the picture the panel loaded itself, if any
  double tiltAngle_ = 0.0;
  double faceAngle_ = 0.0;
  TScreenMouse mouse_;
  TKeyFocus keys_;
  int firstFocus_ = -1;
};
