// The front end's rules, kept apart from the drawing so they can be checked on their own:
// where the mouse is in the 800 x 600 virtual screen, what a button does with the mouse,
// which click leads where, the sound values, the chooser's thumbnail, the overlay's dials
// and the pace of the transitions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "frontend/Bouton.h"

inline constexpr int kVirtualWidth = 800;
inline constexpr int kVirtualHeight = 600;

// What the mouse does to a button this frame.
inline constexpr int kButtonOutside = 0;
inline constexpr int kButtonHover = 1;
inline constexpr int kButtonHeld = 2;      // left button down over it
inline constexpr int kButtonReleased = 3;  // up again over it after being held: a click

// Window pixel to virtual unit, to the nearest unit (halves to the even neighbour).
int ToVirtual(int pixel, int windowSize, int virtualSize);
// The pointer's x in the 800 virtual units of a menu face, which fills the window's
// height at 4:3 and stands centred in it.
int FaceVirtualX(int mouseX, int screenWidth, int screenHeight);

// A menu button (virtual units, y down); edges count as inside.
int PanelButtonState(const TBouton& button, int mouseX, int mouseY, bool leftDown,
                     int screenWidth, int screenHeight);
// An overlay button (window pixels centred on the window, y up, y being the top edge).
int OverlayButtonStateAt(const TBouton& button, int mouseX, int mouseY, bool leftDown,
                         int screenWidth, int screenHeight);
// Moves the pressed flag along with the state and gives the picture to show.
std::uint32_t ApplyButtonState(TBouton& button, int state);

// A panel's face by the length of its button array: 3 or 5 right (+90), 4 or 7 front (0),
// 6 or 8 left (-90), anything else front.
double FaceAngleFor(std::size_t buttonCount);

// The faces the camera turns between.
inline constexpr int kMainScreen = 1;
inline constexpr int kOnePlayerScreen = 2;
inline constexpr int kOptionsScreen = 3;

enum class TMenuStep {
  None,
  TurnToOnePlayer,
  TurnToOptions,
  TurnBackToMain,
  OpenTwoPlayers,
  Quit,
  OpenTrackChooser,
  StartStory,
  MusicDown,
  MusicUp,
  EffectsOff,
  EffectsOn,
  OpenLoadScreen,
  OpenControls,
};

// What a click on button `button` of face `screen` leads to.
TMenuStep FaceStep(int screen, int button);

// The music moves by 5 within 0..255; the effects are either off or full.
int MusicVolumeDown(int volume);
int MusicVolumeUp(int volume);
inline constexpr int kEffectsOff = 0;
inline constexpr int kEffectsOn = 255;

// The chooser's arrows wrap around the list.
int PreviousTrack(int index, int count);
int NextTrack(int index, int count);

// Buttons of the nested screens.
inline constexpr int kTwoPlayersBack = 2;
inline constexpr int kLoadBack = 3;
inline constexpr int kTrackPrevious = 0;
inline constexpr int kTrackNext = 1;
inline constexpr int kTrackOk = 2;
inline constexpr int kTrackBack = 3;

// The mode a nested screen's button starts; empty for back and for the fillers.
std::string TwoPlayersChoice(int button);
std::string LoadScreenChoice(int button);
inline constexpr const char* kTimeAttackResult = "Time Attack";

// Where the chooser draws a track's picture: fitted into the 183-unit box by its longer
// side and centred on the other (virtual units, y down).
struct TThumbRect {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
};
TThumbRect FitThumbnail(int width, int height);

// The overlay's dials. The angle is in degrees, clockwise on the screen from 3 o'clock,
// for a point (dx, dy) from the centre with dy pointing down.
double DialAngle(double dx, double dy);
// 1..32: the step under an angle, counted clockwise from 9 o'clock.
int DialStep(double angle);
inline constexpr int kNotchCount = 32;
// Lit notches for a level (255 lights 31, 256 all 32).
int NotchesFor(int level);
// (x, y): the mouse from the window centre, y up. The left half of the window acts on the
// music dial, the right half on the effects dial; only a press within the ring changes a
// level. True when a level was set.
bool DialRule(int x, int y, int screenWidth, double innerRadius, double outerRadius,
              bool leftDown, int& musicLevel, int& effectsLevel);

// Paces a transition: one step whenever `interval` ms have passed since the last one, so
// a fast machine does not rush it.
class TStepTimer {
 public:
  TStepTimer(std::uint32_t start, std::uint32_t interval) : last_(start), interval_(interval) {}
  bool Due(std::uint32_t now);

 private:
  std::uint32_t last_;
  std::uint32_t interval_;
};

inline constexpr std::uint32_t kFadeStepMs = 7;
inline constexpr double kFadeStep = 0.01;
inline constexpr std::uint32_t kIrisStepMs = 10;
inline constexpr double kIrisEnd = 700.0;
// The iris grows by 5 % a step (its size in hundredths of the window).
inline double IrisGrow(double size) { return size * 1.05 + 0.1; }
