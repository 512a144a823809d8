// What every menu screen is made of: its pictures and where each button sits, in
// virtual units (800 x 600, origin top-left, y down). Paths are written exactly as the
// content names them; blanks and mixed case included (ResolvePath finds the file).
#pragma once

#include <span>
#include <string>

// One button of a table. A null path leaves that texture 0 (the fillers).
struct TButtonLayout {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;
  const char* inactive = nullptr;
  const char* focus = nullptr;
  const char* active = nullptr;
  // Shown while the keys' focus is on it, where the focus picture would not show it.
  const char* keyFocus = nullptr;
  bool caption = false;  // a row's label: never focused
};

std::span<const TButtonLayout> MainButtonLayouts();        // 4: one player, two players, options, quit
std::span<const TButtonLayout> OnePlayerButtonLayouts();   // 3: time attack, story, back
std::span<const TButtonLayout> TwoPlayersButtonLayouts();  // 4: LAN, local, back, filler
std::span<const TButtonLayout> OptionsButtonLayouts();     // 9: music row, effects row, load, back, controls
std::span<const TButtonLayout> LoadButtonLayouts();        // 6: slots 1-3, back, quick load, filler
std::span<const TButtonLayout> TrackButtonLayouts();       // 5: previous, next, ok, back, filler

// The options screen's button that opens the controls screen.
inline constexpr int kOptionsControls = 8;

// Panel backgrounds.
inline constexpr const char* kMainBackground = "img/menu_bckgrnd.jpg";
inline constexpr const char* kOnePlayerBackground = "img/1Player_bckgrnd.jpg";
inline constexpr const char* kTwoPlayersBackground = "img/2players_bckgrnd.jpg";
inline constexpr const char* kOptionsBackground = "img/options_bckgrnd.jpg";
inline constexpr const char* kLoadBackground = "img/bckgrnd_load.jpg";
inline constexpr const char* kTrackBackground = "img/track_bckgrnd4.tga";

// Whole-face pictures the cross-fades and the iris bring in.
inline constexpr const char* kMainPicture = "img/menu_bckgrnd.jpg";
inline constexpr const char* kOnePlayerPicture = "img/1Player_bckgrnd.jpg";
inline constexpr const char* kTwoPlayersPicture = "img/2Players_BckGrnd.jpg";
inline constexpr const char* kOptionsPicture = "img/options_bckgrnd.jpg";
inline constexpr const char* kTrackChooserPicture = "img/choiceTrack_BckGrnd.jpg";
inline constexpr const char* kLoadingPicture = "img/chargement2.jpg";
inline constexpr const char* kIrisPicture = "img/stencil_tovelu.tga";
inline constexpr const char* kControlsPicture = "img/controls_bckgrnd.jpg";

// The selectable tracks, in list order; the last one is the random track.
std::span<const char* const> TrackHeightmaps();

// The box the chooser fits the selected track's picture into (virtual units).
inline constexpr double kThumbLeft = 437.0;
inline constexpr double kThumbTop = 240.0;
inline constexpr double kThumbSide = 183.0;
