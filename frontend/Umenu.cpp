// Building the menu: every screen's buttons, panel and display list, the transition
// pictures and the track list.
#include "frontend/Umenu.h"

#include <vector>

#include "frontend/TrackList.h"
#include "renderer/MenuDraw.h"
#include "saves/SettingsStore.h"

TMenu::TMenu(int screenWidth, int screenHeight)
    : screenWidth_(screenWidth), screenHeight_(screenHeight) {
  screen_ = kMainScreen;
  BuildMainScreen();
  BuildOnePlayerScreen();
  BuildTwoPlayersScreen();
  BuildOptionsScreen();
  BuildLoadScreen();
  BuildTrackChooser();
  BuildTrackList();
  pictures_.stencil = textures_.Load(kIrisPicture);
  cameraDistance_ = 3.5;
  musicVolume_ = CurrentSettings().musicVolume;  // as the player last set them
  effectsVolume_ = CurrentSettings().effectsVolume;
}

TMenu::~TMenu() = default;

TTab_bouton TMenu::MakeButtons(std::span<const TButtonLayout> layouts) {
  return ::MakeButtons(layouts, textures_);
}

std::unique_ptr<Tpanel> TMenu::MakePanel(const TTab_bouton& buttons, const std::string& path) {
  return std::make_unique<Tpanel>(screenWidth_, screenHeight_, buttons, path,
                                  textures_.Load(path));
}

std::uint32_t TMenu::CompileList(Tpanel& panel) {
  ownedLists_.push_back(RecordDisplayList([&panel] { panel.DrawPanel(true); }));
  return ownedLists_.back().Base();
}

void TMenu::BuildMainScreen() {
  mainButtons_ = MakeButtons(MainButtonLayouts());
  mainBackgroundPath_ = kMainBackground;
  mainPanel_ = MakePanel(mainButtons_, mainBackgroundPath_);
  lists_.main = CompileList(*mainPanel_);
  pictures_.main = textures_.Load(kMainPicture);
}

void TMenu::BuildOnePlayerScreen() {
  onePlayerButtons_ = MakeButtons(OnePlayerButtonLayouts());
  onePlayerBackgroundPath_ = kOnePlayerBackground;
  pictures_.onePlayer = textures_.Load(kOnePlayerPicture);
  onePlayerPanel_ = MakePanel(onePlayerButtons_, onePlayerBackgroundPath_);
  lists_.onePlayer = CompileList(*onePlayerPanel_);
}

void TMenu::BuildTwoPlayersScreen() {
  twoPlayersButtons_ = MakeButtons(TwoPlayersButtonLayouts());
  twoPlayersBackgroundPath_ = kTwoPlayersBackground;
  twoPlayersPanel_ = MakePanel(twoPlayersButtons_, twoPlayersBackgroundPath_);
  lists_.twoPlayers = CompileList(*twoPlayersPanel_);
  pictures_.twoPlayers = textures_.Load(kTwoPlayersPicture);
}

void TMenu::BuildOptionsScreen() {
  optionsButtons_ = MakeButtons(OptionsButtonLayouts());
  optionsBackgroundPath_ = kOptionsBackground;
  pictures_.options = textures_.Load(kOptionsPicture);
  optionsPanel_ = MakePanel(optionsButtons_, optionsBackgroundPath_);
  // Nine buttons would put it in front; it stays on the left face with its load screen.
  optionsPanel_->PlaceOnFace(-90.0);
  lists_.options = CompileList(*optionsPanel_);
}

void TMenu::BuildLoadScreen() {
  loadButtons_ = MakeButtons(LoadButtonLayouts());
  loadBackgroundPath_ = kLoadBackground;
  pictures_.load = textures_.Load(kLoadBackground);
  loadPanel_ = MakePanel(loadButtons_, loadBackgroundPath_);
  lists_.load = CompileList(*loadPanel_);
}

void TMenu::BuildTrackChooser() {
  trackButtons_ = MakeButtons(TrackButtonLayouts());
  trackBackgroundPath_ = kTrackBackground;
  trackPanel_ = MakePanel(trackButtons_, trackBackgroundPath_);
  // The ok button is what a player on the keys came for.
  trackPanel_->SetFirstFocus(kTrackOk);
  lists_.track = CompileList(*trackPanel_);
  pictures_.trackChooser = textures_.Load(kTrackChooserPicture);
}

// A heightmap that cannot be read has been reported and left out; the random track stays.
void TMenu::BuildTrackList() {
  std::span<const char* const> names = TrackHeightmaps();
  TTrackListing listing = BuildTrackListing(std::vector<std::string>(names.begin(), names.end()));
  trackFiles_ = listing.tracks;
  for (std::size_t i = 0; i < trackFiles_.size(); ++i) {
    if (listing.readable[i]) {
      trackFiles_[i].previewTexture = textures_.Load(trackFiles_[i].heightmapName);
    }
  }
  trackIndex_ = 0;
}
