// The menu: image-button screens on the faces of a box. The camera orbits the box and
// turns between the main screen (front face), the one-player screen (right) and the
// options screen (left); the two-players screen, the load screen and the track chooser
// replace the picture on the face in view through a cross-fade. Starting the story opens
// an iris in the shape of the game's logo.
//
// Lighting stays off for the whole menu, so a face looks the same whatever path led to it.
// The menu owns every texture and display list it makes and deletes them when it goes
// (it is built anew for every visit); the preview names in TrackFiles() are therefore
// valid only while the menu lives.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "assets/Utype.h"
#include "frontend/Bouton.h"
#include "frontend/MenuInterface.h"
#include "frontend/MenuRules.h"
#include "frontend/MenuTables.h"
#include "frontend/MenuTextures.h"
#include "frontend/TrackRecordLine.h"
#include "frontend/Upanel.h"
#include "renderer/GlHandles.h"
#include "platform/Window.h"

class TMenu : public IMenu {
 public:
  TMenu(int screenWidth, int screenHeight);
  ~TMenu() override;
  TMenu(const TMenu&) = delete;
  TMenu& operator=(const TMenu&) = delete;

  // Runs until a choice is made: "exit", "Time Attack", "SCREENPLAY", "LAN", "LOCAL",
  // "SLOT0" to "SLOT3".
  void RunMenu(std::string& result) override;
  const T_Tab_TrackFile& TrackFiles() const override { return trackFiles_; }
  int TrackIndex() const override { return trackIndex_; }
  int MusicVolume() const override { return musicVolume_; }
  int EffectsVolume() const override { return effectsVolume_; }

  // The nested screens: each empties the result on entry and leaves it empty when the
  // player goes back (its back button, or a press of Escape made while it is open).
  void RunTwoPlayers(std::string& result);
  void RunLoadScreen(std::string& result);
  void RunTrackChooser(std::string& result);
  // The controls screen: never chooses a mode, so the result is always left empty.
  void RunControls(std::string& result);

  // Turns the camera by `degrees` from yaw `startAngle`, one degree per presented frame;
  // the last pose is drawn but left for the caller's loop to present.
  void TurnTo(int degrees, int newScreen, double startAngle, double radius);
  // Fades the picture `to` in over `from` (each a display list or a texture), one step of
  // alpha 0.01 at most every 7 ms. The camera is the caller's.
  void CrossFade(std::uint32_t from, bool fromIsList, std::uint32_t to, bool toIsList);
  // Opens `to` through the logo-shaped stencil picture over `from`, on the right face,
  // growing 5 % at most every 10 ms until seven times the window; a press of Escape
  // while it grows cuts it short.
  // The alpha test is GL_GREATER 0.5 throughout, so the logo's opaque shape (not its whole
  // rectangle) is the iris, whatever the previous screen left; the stencil function is
  // left passing everything.
  void IrisWipe(std::uint32_t from, bool fromIsList, std::uint32_t stencil, std::uint32_t to,
                bool toIsList);

  // Display lists of the panels' resting pictures.
  struct TLists {
    std::uint32_t main = 0, onePlayer = 0, twoPlayers = 0, options = 0, load = 0, track = 0;
    std::uint32_t controls = 0;  // recorded as the controls screen is left, for its fade
  };
  // Whole-face pictures brought in by the transitions.
  struct TPictures {
    std::uint32_t main = 0, onePlayer = 0, twoPlayers = 0, options = 0, load = 0,
                  trackChooser = 0, stencil = 0;
  };
  int Screen() const { return screen_; }
  double CameraDistance() const { return cameraDistance_; }
  const TLists& Lists() const { return lists_; }
  const TPictures& Pictures() const { return pictures_; }
  const Tpanel& MainPanel() const { return *mainPanel_; }
  const Tpanel& OnePlayerPanel() const { return *onePlayerPanel_; }
  const Tpanel& TwoPlayersPanel() const { return *twoPlayersPanel_; }
  const Tpanel& OptionsPanel() const { return *optionsPanel_; }
  const Tpanel& LoadPanel() const { return *loadPanel_; }
  const Tpanel& TrackPanel() const { return *trackPanel_; }
  // Picture files really loaded so far (by the constructor, until a screen needs more).
  int TextureLoads() const { return textures_.Loads(); }
  // The pictures shown only on the way out of the menu (to a race or the story) and on
  // the way into the Controls screen: loaded the first time they are shown, not held in
  // memory (4 MB each) while the player stays on the menu.
  std::uint32_t LoadingPicture() { return textures_.Load(kLoadingPicture); }
  std::uint32_t ControlsPicture() { return textures_.Load(kControlsPicture); }

 private:
  // Building (Umenu.cpp).
  TTab_bouton MakeButtons(std::span<const TButtonLayout> layouts);
  std::unique_ptr<Tpanel> MakePanel(const TTab_bouton& buttons, const std::string& path);
  std::uint32_t CompileList(Tpanel& panel);
  void BuildMainScreen();
  void BuildOnePlayerScreen();
  void BuildTwoPlayersScreen();
  void BuildOptionsScreen();
  void BuildLoadScreen();
  void BuildTrackChooser();
  void BuildTrackList();

  // The loops (UmenuLoops.cpp).
  bool FaceFrame(std::string& result);
  bool Follow(TMenuStep step, std::string& result);
  bool OpenNested(std::uint32_t fromList, std::uint32_t picture,
                  void (TMenu::*nested)(std::string&), std::string& result);
  Tpanel& PanelInView();
  void RunNestedScreen(Tpanel& panel, std::uint32_t list, int backButton,
                       std::uint32_t backPicture, std::string (*choice)(int),
                       std::string& result);
  void BeginNestedScreen(Tpanel& panel, std::string& result);
  bool ChooserFrame(std::string& result);
  int ChooserPanelFrame();
  void DrawThumbnail();

  // Drawing shared by the loops and transitions (UmenuTransitions.cpp).
  void SetFaceCamera(double yaw, double radius);
  void DrawTurnPose(double yaw, double radius);
  void PlaceFadeTarget(std::uint32_t from, bool fromIsList);
  void DrawIrisScene(std::uint32_t from, bool fromIsList, std::uint32_t to, bool toIsList);
  void PresentFrame();

  wnd::TDrawableWidth screenWidth_;  // the window's, as it is now
  wnd::TDrawableHeight screenHeight_;
  TTextureSet textures_;

  TTab_bouton optionsButtons_, onePlayerButtons_, twoPlayersButtons_, mainButtons_,
      trackButtons_, loadButtons_;
  std::string optionsBackgroundPath_, onePlayerBackgroundPath_, twoPlayersBackgroundPath_,
      mainBackgroundPath_, trackBackgroundPath_, loadBackgroundPath_;
  std::unique_ptr<Tpanel> optionsPanel_, onePlayerPanel_, twoPlayersPanel_, mainPanel_,
      trackPanel_, loadPanel_;
  TLists lists_;
  std::vector<TDisplayLists> ownedLists_;  // the names in lists_, given back with the menu
  TPictures pictures_;

  int screen_ = kMainScreen;
  double cameraDistance_ = 3.5;
  T_Tab_TrackFile trackFiles_;
  int trackIndex_ = 0;
  TTrackRecordLine recordLine_;  // the best time of the course in view
  int musicVolume_ = 255;
  int effectsVolume_ = 255;
  // The nested screen just left has presented its own last frame.
  bool framePresented_ = false;
  // The face in view has just been arrived at (or come back to): a new screen.
  bool faceArrived_ = true;
};
