#include "frontend/MenuTables.h"

namespace {

const TButtonLayout kMain[] = {
    {51, 197, 250, 90, "img/boutons/main/1Player/inactive.tga",
     "img/boutons/main/1Player/focus.tga", "img/boutons/main/1Player/active.tga"},
    {205, 303, 250, 90, "img/boutons/main/2Players/inactive.tga",
     "img/boutons/main/2Players/focus.tga", "img/boutons/main/2Players/active.tga"},
    {366, 408, 250, 90, "img/boutons/main/options/inactive.tga",
     "img/boutons/main/options/focus.tga", "img/boutons/main/options/active.tga"},
    {530, 513, 250, 90, "img/boutons/main/Quit/inactive.tga", "img/boutons/main/Quit/focus.tga",
     "img/boutons/main/Quit/active.tga"},
};

const TButtonLayout kOnePlayer[] = {
    {607, 163, 187, 59, "img/boutons/1Player/Time Attack/inactive.tga",
     "img/boutons/1Player/Time Attack/focus.tga", "img/boutons/1Player/Time Attack/focus.tga"},
    {620, 260, 149, 59, "img/boutons/1Player/scenario/inactive.tga",
     "img/boutons/1Player/scenario/focus.tga", "img/boutons/1Player/scenario/focus.tga"},
    {622, 526, 129, 59, "img/boutons/1Player/retour/inactive.tga",
     "img/boutons/1Player/retour/focus.tga", "img/boutons/1Player/retour/focus.tga"},
};

// The filler at (-1, -1) pads the array to four entries, which keeps the panel in front.
const TButtonLayout kTwoPlayers[] = {
    {97, 425, 232, 136, "img/boutons/2players/LAN/inactive.tga",
     "img/boutons/2players/LAN/active.tga", "img/boutons/2players/LAN/active.tga"},
    {496, 425, 241, 137, "img/boutons/2players/Local/inactive.tga",
     "img/boutons/2players/Local/active.tga", "img/boutons/2players/Local/active.tga"},
    {11, 7, 153, 127, "img/boutons/2players/Retour/inactive.tga",
     "img/boutons/2players/Retour/active.tga", "img/boutons/2players/Retour/active.tga"},
    {-1, -1, 0, 0, nullptr, nullptr, nullptr},
};

// The first row (captioned "effets") drives the music, the second ("musique") the effects.
// Hovering shows these buttons as they rest, so the keys' focus shows their pressed look.
// The ninth button opens the controls screen; the panel is kept on the left face.
const TButtonLayout kOptions[] = {
    {19, 159, 180, 70, "img/boutons/options/effets/effets.tga",
     "img/boutons/options/effets/effets.tga", "img/boutons/options/effets/effets.tga", nullptr,
     true},
    {213, 150, 96, 85, "img/boutons/options/effets/minus inactive.tga",
     "img/boutons/options/effets/minus inactive.tga",
     "img/boutons/options/effets/minus active.tga",
     "img/boutons/options/effets/minus active.tga"},
    {339, 150, 96, 85, "img/boutons/options/effets/plus inactive.tga",
     "img/boutons/options/effets/plus inactive.tga", "img/boutons/options/effets/plus active.tga",
     "img/boutons/options/effets/plus active.tga"},
    {18, 276, 180, 70, "img/boutons/options/musique/musique.tga",
     "img/boutons/options/musique/musique.tga", "img/boutons/options/musique/musique.tga",
     nullptr, true},
    {213, 267, 95, 85, "img/boutons/options/musique/minus inactive.tga",
     "img/boutons/options/musique/minus inactive.tga",
     "img/boutons/options/musique/minus active.tga",
     "img/boutons/options/musique/minus active.tga"},
    {339, 267, 95, 85, "img/boutons/options/musique/plus inactive.tga",
     "img/boutons/options/musique/plus inactive.tga",
     "img/boutons/options/musique/plus active.tga",
     "img/boutons/options/musique/plus active.tga"},
    {129, 394, 227, 70, "img/boutons/options/charger/inactive.tga",
     "img/boutons/options/charger/inactive.tga", "img/boutons/options/charger/active.tga",
     "img/boutons/options/charger/active.tga"},
    {129, 498, 227, 70, "img/boutons/options/retour/inactive.tga",
     "img/boutons/options/retour/inactive.tga", "img/boutons/options/retour/active.tga",
     "img/boutons/options/retour/active.tga"},
    {430, 394, 227, 70, "img/boutons/options/controles/inactive.tga",
     "img/boutons/options/controles/inactive.tga", "img/boutons/options/controles/active.tga",
     "img/boutons/options/controles/active.tga"},
};

// The sixth entry is all zeros: it only pads the array to six, which puts the panel on the
// left face.
const TButtonLayout kLoad[] = {
    {112, 221, 116, 116, "img/charger/slot1/inactive.tga", "img/charger/slot1/active.tga",
     "img/charger/slot1/active.tga"},
    {339, 221, 116, 116, "img/charger/slot2/inactive.tga", "img/charger/slot2/active.tga",
     "img/charger/slot2/active.tga"},
    {569, 221, 116, 116, "img/charger/slot3/inactive.tga", "img/charger/slot3/active.tga",
     "img/charger/slot3/active.tga"},
    {14, 558, 154, 34, "img/charger/retour/active.tga", "img/charger/retour/active.tga",
     "img/charger/retour/active.tga", "img/charger/retour/focus.tga"},
    {482, 563, 311, 28, "img/charger/quickload/active.tga", "img/charger/quickload/active.tga",
     "img/charger/quickload/active.tga", "img/charger/quickload/focus.tga"},
    {0, 0, 0, 0, nullptr, nullptr, nullptr},
};

const TButtonLayout kTrack[] = {
    {308, 296, 65, 55, "img/boutons/choice_track/left_arrow/inactive.tga",
     "img/boutons/choice_track/left_arrow/active.tga",
     "img/boutons/choice_track/left_arrow/active.tga"},
    {683, 296, 65, 55, "img/boutons/choice_track/right_arrow/inactive.tga",
     "img/boutons/choice_track/right_arrow/active.tga",
     "img/boutons/choice_track/right_arrow/active.tga"},
    {447, 429, 167, 167, "img/boutons/choice_track/ok/inactive.tga",
     "img/boutons/choice_track/ok/active.tga", "img/boutons/choice_track/ok/active.tga"},
    {646, 475, 153, 127, "img/boutons/choice_track/retour/inactive.tga",
     "img/boutons/choice_track/retour/active.tga", "img/boutons/choice_track/retour/active.tga"},
    {-1, -1, 0, 0, nullptr, nullptr, nullptr},
};

const char* const kHeightmaps[] = {
    "track_data/dunmarrow.bmp", "track_data/ridezi.bmp", "track_data/large.bmp",
    "track_data/lanterne.bmp",  "track_data/test.bmp",   "track_data/random.bmp",
};

}  // namespace

std::span<const TButtonLayout> MainButtonLayouts() { return kMain; }
std::span<const TButtonLayout> OnePlayerButtonLayouts() { return kOnePlayer; }
std::span<const TButtonLayout> TwoPlayersButtonLayouts() { return kTwoPlayers; }
std::span<const TButtonLayout> OptionsButtonLayouts() { return kOptions; }
std::span<const TButtonLayout> LoadButtonLayouts() { return kLoad; }
std::span<const TButtonLayout> TrackButtonLayouts() { return kTrack; }
std::span<const char* const> TrackHeightmaps() { return kHeightmaps; }
