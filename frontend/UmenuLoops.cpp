// The menu's loops: the three faces the camera turns between, and the nested screens that
// replace the picture on the face in view.
#include "frontend/ControlsScreen.h"
#include "frontend/Umenu.h"
#include "platform/MenuInput.h"
#include "platform/Window.h"
#include "renderer/MenuDraw.h"
#include "saves/SettingsStore.h"

namespace {

// Transparent edges of the buttons are cut at this alpha on the faces; nested screens cut
// a little lower, which keeps their softer outlines.
constexpr float kFaceAlphaCut = 0.75f;
constexpr float kNestedAlphaCut = 0.65f;

// Only a press made while the screen is open: an Escape that left an earlier screen, or
// that is still held from it, is not this screen's. A pad's back button does the same.
bool EscapePressed() { return wnd::MenuKeyPressed(wnd::TMenuKey::Back); }

double FaceYaw(int screen) {
  if (screen == kOnePlayerScreen) return 90.0;
  if (screen == kOptionsScreen) return -90.0;
  return 0.0;
}

// A volume row's choice is the player's setting from now on, kept for the next start.
bool KeepVolumes(int music, int effects) {
  CurrentSettings().musicVolume = music;
  CurrentSettings().effectsVolume = effects;
  StoreSettings();
  return false;  // the menu stays
}

}  // namespace

void TMenu::RunMenu(std::string& result) {
  BeginMenuScreen();
  result.clear();
  faceArrived_ = true;
  for (;;) {
    // Clicks made during a race, a transition or a nested screen are not this face's.
    if (faceArrived_) PanelInView().Forget();
    faceArrived_ = false;
    // Set on every frame: the transitions change it, and a face must look the same
    // whichever way the player came back to it.
    SetMenuAlphaCut(kFaceAlphaCut);
    bool done = false;
    {
      TMenuMatrixScope frame;
      done = FaceFrame(result);
    }
    if (done) return;
    // A nested screen left without a choice has already shown its last frame; showing
    // this cleared one would flash black.
    if (!framePresented_) wnd::SwapBuffers();
    ClearMenuFrame();
  }
}

Tpanel& TMenu::PanelInView() {
  if (screen_ == kOnePlayerScreen) return *onePlayerPanel_;
  if (screen_ == kOptionsScreen) return *optionsPanel_;
  return *mainPanel_;
}

bool TMenu::FaceFrame(std::string& result) {
  framePresented_ = false;
  SetFaceCamera(FaceYaw(screen_), cameraDistance_);
  int clicked = PanelInView().DrawPanel(false);
  TMenuStep step = FaceStep(screen_, clicked);
  faceArrived_ = step != TMenuStep::None;
  return Follow(step, result);
}

// Fades the nested screen's picture in over the face, then runs it. True when it chose a
// mode; otherwise it has presented its last frame.
bool TMenu::OpenNested(std::uint32_t fromList, std::uint32_t picture,
                       void (TMenu::*nested)(std::string&), std::string& result) {
  CrossFade(fromList, true, picture, false);
  (this->*nested)(result);
  if (!result.empty()) return true;
  framePresented_ = true;
  return false;
}

bool TMenu::Follow(TMenuStep step, std::string& result) {
  switch (step) {
    case TMenuStep::TurnToOnePlayer:
      TurnTo(90, kOnePlayerScreen, 0.0, cameraDistance_);
      return false;
    case TMenuStep::TurnToOptions:
      TurnTo(-90, kOptionsScreen, 0.0, cameraDistance_);
      return false;
    case TMenuStep::TurnBackToMain:
      if (screen_ == kOnePlayerScreen) TurnTo(-90, kMainScreen, 90.0, cameraDistance_);
      else TurnTo(90, kMainScreen, -90.0, cameraDistance_);
      return false;
    case TMenuStep::OpenTwoPlayers:
      return OpenNested(lists_.main, pictures_.twoPlayers, &TMenu::RunTwoPlayers, result);
    case TMenuStep::OpenTrackChooser:
      return OpenNested(lists_.onePlayer, pictures_.trackChooser, &TMenu::RunTrackChooser,
                        result);
    case TMenuStep::OpenLoadScreen:
      return OpenNested(lists_.options, pictures_.load, &TMenu::RunLoadScreen, result);
    case TMenuStep::OpenControls:
      return OpenNested(lists_.options, ControlsPicture(), &TMenu::RunControls, result);
    case TMenuStep::Quit:
      result = "exit";
      return true;
    case TMenuStep::StartStory:
      IrisWipe(lists_.onePlayer, true, pictures_.stencil, LoadingPicture(), false);
      result = "SCREENPLAY";
      return true;
    case TMenuStep::MusicDown:
      musicVolume_ = MusicVolumeDown(musicVolume_);
      return KeepVolumes(musicVolume_, effectsVolume_);
    case TMenuStep::MusicUp:
      musicVolume_ = MusicVolumeUp(musicVolume_);
      return KeepVolumes(musicVolume_, effectsVolume_);
    case TMenuStep::EffectsOff:
      effectsVolume_ = kEffectsOff;
      return KeepVolumes(musicVolume_, effectsVolume_);
    case TMenuStep::EffectsOn:
      effectsVolume_ = kEffectsOn;
      return KeepVolumes(musicVolume_, effectsVolume_);
    case TMenuStep::None: return false;
  }
  return false;
}

// Lighting is not switched back on when a nested screen is left: the menu stays unlit.
void TMenu::BeginNestedScreen(Tpanel& panel, std::string& result) {
  panel.Forget();
  SetMenuLook(kNestedAlphaCut);
  result.clear();
}

// Drawn with the camera the face left in place. A choice fades to the loading picture,
// back fades to the face's own picture, Escape leaves at once.
void TMenu::RunNestedScreen(Tpanel& panel, std::uint32_t list, int backButton,
                            std::uint32_t backPicture, std::string (*choice)(int),
                            std::string& result) {
  BeginNestedScreen(panel, result);
  for (;;) {
    bool escape = EscapePressed();
    int clicked = panel.DrawPanel(false);
    if (clicked >= 0) {
      result = choice(clicked);
      if (!result.empty()) {
        CrossFade(list, true, LoadingPicture(), false);
        return;
      }
      if (clicked == backButton) {
        CrossFade(list, true, backPicture, false);
        return;
      }
    }
    PresentFrame();
    if (escape) return;
  }
}

void TMenu::RunTwoPlayers(std::string& result) {
  RunNestedScreen(*twoPlayersPanel_, lists_.twoPlayers, kTwoPlayersBack, pictures_.main,
                  &TwoPlayersChoice, result);
}

void TMenu::RunLoadScreen(std::string& result) {
  RunNestedScreen(*loadPanel_, lists_.load, kLoadBack, pictures_.options, &LoadScreenChoice,
                  result);
}

// Back fades to the options picture from the screen as it is left, key names and all.
void TMenu::RunControls(std::string& result) {
  result.clear();
  SetMenuLook(kNestedAlphaCut);
  TControlsScreen screen(screenWidth_, screenHeight_, ControlsPicture());
  for (;;) {
    const TControlsScreen::TStep step = screen.Frame();
    if (step == TControlsScreen::TStep::Back) {
      TDisplayLists resting = RecordDisplayList([&screen] { screen.DrawResting(); });
      lists_.controls = resting.Base();
      CrossFade(lists_.controls, true, pictures_.options, false);
      lists_.controls = 0;
      return;
    }
    PresentFrame();
    if (step == TControlsScreen::TStep::Escape) return;
  }
}

void TMenu::RunTrackChooser(std::string& result) {
  BeginNestedScreen(*trackPanel_, result);
  recordLine_.Refresh();
  bool escape = false;
  while (!escape) {
    escape = EscapePressed();
    if (ChooserFrame(result)) return;
  }
}

// One frame of the chooser; true when it was left by ok or back.
bool TMenu::ChooserFrame(std::string& result) {
  SetFaceCamera(90.0, cameraDistance_);
  DrawChooserPicture(pictures_.trackChooser);
  int clicked = -1;
  bool leaving = false;
  {
    TMenuMatrixScope frame;
    SetFaceCamera(90.0, cameraDistance_);
    clicked = ChooserPanelFrame();
    leaving = clicked == kTrackOk || clicked == kTrackBack;
    if (!leaving) {
      int count = static_cast<int>(trackFiles_.size());
      if (clicked == kTrackPrevious) trackIndex_ = PreviousTrack(trackIndex_, count);
      if (clicked == kTrackNext) trackIndex_ = NextTrack(trackIndex_, count);
      DrawThumbnail();
    }
  }
  if (leaving) {
    if (clicked == kTrackOk) result = kTimeAttackResult;
    std::uint32_t next = clicked == kTrackOk ? LoadingPicture() : pictures_.onePlayer;
    CrossFade(pictures_.trackChooser, false, next, false);
    return true;
  }
  PresentFrame();
  return false;
}

// The panel lies just in front of the chooser picture.
int TMenu::ChooserPanelFrame() {
  TMenuMatrixScope panel;
  ShiftMenuDrawing(0.02);
  return trackPanel_->DrawPanel(false);
}

// The selected track's picture, fitted into its box in the panel's virtual units.
void TMenu::DrawThumbnail() {
  if (trackFiles_.empty()) return;
  const T_TrackFile& track = trackFiles_[static_cast<std::size_t>(trackIndex_)];
  TThumbRect rect = FitThumbnail(track.width, track.height);
  // The face is 4 x 3 units at any window size.
  DrawChooserThumbnail(track.previewTexture, 4.0 / kVirtualWidth, 3.0 / kVirtualHeight,
                       rect.left, rect.top, rect.width, rect.height);
  recordLine_.Draw(track, 4.0 / kVirtualWidth, 3.0 / kVirtualHeight);
}
