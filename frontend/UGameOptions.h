// The pause overlay of a race: two circular volume dials (music on the left, effects on
// the right) and two buttons, drawn over the race's scene. The race opens it with Escape
// and calls DrawOptions once a frame while it is open; the result says whether to go on
// racing ("RETURN GAME") or to leave the race ("MENU RETURN").
//
// Laid out in the 800 x 600 virtual screen and drawn in window pixels centred on the
// window (x right, y up), with one scale s = frame width / 800 for both axes, the frame
// being the window's centred 4:3 frame the whole race is drawn in. The overlay's pictures
// and buttons are stored in those window values.
#pragma once

#include <cstdint>
#include <string>

#include "assets/Utype.h"
#include "frontend/Bouton.h"
#include "frontend/KeyFocus.h"
#include "frontend/MenuFocus.h"
#include "frontend/MenuTextures.h"
#include "frontend/ScreenMouse.h"
#include "renderer/GlHandles.h"
#include "platform/Window.h"

class TGameOptions {
 public:
  TGameOptions(int screenWidth, int screenHeight);
  ~TGameOptions();
  TGameOptions(const TGameOptions&) = delete;
  TGameOptions& operator=(const TGameOptions&) = delete;

  // One overlay frame over the scene already drawn. Reads both cells, lets a drag on a
  // dial change one level (a multiple of 8 from 8 to 256) and writes both back. The result
  // is empty, "RETURN GAME" or "MENU RETURN". Leaves lighting and the depth test on and the
  // alpha test at GL_GREATER 0.75, as a race draws.
  // The mouse is looked at once a frame; a click needs its press seen by the overlay.
  void DrawOptions(int& music, int& effects, std::string& result);
  // The overlay opens: presses and holds from the race are dropped.
  void Forget();
  // The keys (or a pad) work beside the mouse. The focus goes round the music dial, the
  // effects dial, back to the race and leave the race with up and down; left and right
  // turn the focused dial a notch (and on, while held), or go between the two buttons;
  // Enter presses the focused button and Escape (the pad's back) goes back to the race.
  int KeyFocus() const { return keys_.Focused(); }

  // The mouse from the window centre (x right, y up): with the left button down (as this
  // frame's look saw it) inside a dial's ring, sets that dial's level by the angle. The left half of the window is the
  // music dial's, the right half the effects dial's.
  void DialInput(int x, int y);
  // Draws buttons first..last in their states; the index clicked, or -1.
  int DrawButtons(int first, int last);
  // 0 outside, 1 hover, 2 held, 3 released over the button after being held.
  int OverlayButtonState(const TBouton& button) const;
  // The lit notches of both dials, 11 degrees apart clockwise from the first.
  void DrawNotches();
  void DrawImage(const TImg& picture) const;

  int MusicLevel() const { return musicLevel_; }
  int EffectsLevel() const { return effectsLevel_; }
  int MusicNotches() const { return musicNotches_; }
  int EffectsNotches() const { return effectsNotches_; }
  double Scale() const { return scale_; }
  double InnerRadius() const { return innerRadius_; }
  double OuterRadius() const { return outerRadius_; }
  const TTab_bouton& Buttons() const { return buttons_; }
  const TImg& LeftDial() const { return leftDial_; }
  const TImg& RightDial() const { return rightDial_; }
  const TImg& MusicCaption() const { return musicCaption_; }
  const TImg& EffectsCaption() const { return effectsCaption_; }

 private:
  void Layout();
  TImg MakePicture(const char* path, double x, double y, double w, double h);
  TBouton MakeButton(double x, double y, double w, double h, std::uint32_t inactive,
                     std::uint32_t focus, std::uint32_t active) const;
  void CompileLists();
  TDisplayLists CompileNotch() const;
  void DrawDialNotches(const TBouton& templateNotch, double centreX, int count,
                       std::uint32_t list) const;
  int ReadKeys();
  void FollowPresses(const TMenuPresses& presses);
  void TurnHeldDial();
  void TurnFocusedDial(bool up);
  void DrawDialFocus() const;

  wnd::TDrawableWidth screenWidth_;  // the window's, as it is now
  wnd::TDrawableHeight screenHeight_;
  int frameWidth_ = 0;
  int virtualWidth_ = 800;
  int virtualHeight_ = 600;
  int notchCount_ = 32;
  int musicLevel_ = 0;
  int effectsLevel_ = 0;
  int musicNotches_ = 0;
  int effectsNotches_ = 0;
  double scale_ = 1.0;
  TTextureSet textures_;
  TImg musicCaption_, effectsCaption_, leftDial_, rightDial_;
  TTab_bouton buttons_;
  double innerRadius_ = 0.0;
  double outerRadius_ = 0.0;
  TDisplayLists picturesList_;
  TDisplayLists musicNotchList_;
  TDisplayLists effectsNotchList_;
  TScreenMouse mouse_;
  TMouseLook look_;  // this frame's
  TKeyFocus keys_;
  THeldRepeat dialRepeat_;
  std::uint32_t dialFocusTexture_ = 0;
};
