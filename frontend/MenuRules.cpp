#include "frontend/MenuRules.h"

#include <algorithm>
#include <cmath>

#include "frontend/MenuTables.h"

int ToVirtual(int pixel, int windowSize, int virtualSize) {
  if (windowSize <= 0) return 0;
  double scaled = static_cast<double>(pixel) / windowSize * virtualSize;
  // The default rounding mode takes halves to the even neighbour.
  return static_cast<int>(std::nearbyint(scaled));
}

namespace {

int StateInside(const TBouton& button, bool leftDown) {
  if (leftDown) return kButtonHeld;
  return button.pressed ? kButtonReleased : kButtonHover;
}

}  // namespace

// A menu face fills the window's height at 4:3: a wider window shows bars beside it, a
// narrower one crops its sides. The pointer is read in the face's own units.
int FaceVirtualX(int mouseX, int screenWidth, int screenHeight) {
  const double faceWidth = screenHeight * 4.0 / 3.0;
  if (faceWidth <= 0.0) return 0;
  const double left = (screenWidth - faceWidth) / 2.0;
  return static_cast<int>(std::nearbyint((mouseX - left) / faceWidth * kVirtualWidth));
}

int PanelButtonState(const TBouton& button, int mouseX, int mouseY, bool leftDown,
                     int screenWidth, int screenHeight) {
  int vx = FaceVirtualX(mouseX, screenWidth, screenHeight);
  int vy = ToVirtual(mouseY, screenHeight, kVirtualHeight);
  if (vx < button.x || vx > button.x + button.width || vy < button.y ||
      vy > button.y + button.height) {
    return kButtonOutside;
  }
  return StateInside(button, leftDown);
}

int OverlayButtonStateAt(const TBouton& button, int mouseX, int mouseY, bool leftDown,
                         int screenWidth, int screenHeight) {
  int x = mouseX - screenWidth / 2;
  int y = screenHeight / 2 - mouseY;
  bool inside = button.x <= x && x <= button.x + button.width && button.y - button.height <= y &&
                y <= button.y;
  return inside ? StateInside(button, leftDown) : kButtonOutside;
}

std::uint32_t ApplyButtonState(TBouton& button, int state) {
  switch (state) {
    case kButtonHover:
      return button.focusTexture;
    case kButtonHeld:
      button.pressed = true;
      return button.activeTexture;
    case kButtonReleased:
      button.pressed = false;
      return button.focusTexture;
    default:
      // Dragged off: the click is cancelled.
      button.pressed = false;
      return button.inactiveTexture;
  }
}

double FaceAngleFor(std::size_t buttonCount) {
  switch (buttonCount) {
    case 3:
    case 5:
      return 90.0;
    case 6:
    case 8:
      return -90.0;
    default:
      return 0.0;
  }
}

namespace {

TMenuStep MainStep(int button) {
  switch (button) {
    case 0: return TMenuStep::TurnToOnePlayer;
    case 1: return TMenuStep::OpenTwoPlayers;
    case 2: return TMenuStep::TurnToOptions;
    case 3: return TMenuStep::Quit;
    default: return TMenuStep::None;
  }
}

TMenuStep OnePlayerStep(int button) {
  switch (button) {
    case 0: return TMenuStep::OpenTrackChooser;
    case 1: return TMenuStep::StartStory;
    case 2: return TMenuStep::TurnBackToMain;
    default: return TMenuStep::None;
  }
}

// Buttons 0 and 3 are the captions of the two rows.
TMenuStep OptionsStep(int button) {
  switch (button) {
    case 1: return TMenuStep::MusicDown;
    case 2: return TMenuStep::MusicUp;
    case 4: return TMenuStep::EffectsOff;
    case 5: return TMenuStep::EffectsOn;
    case 6: return TMenuStep::OpenLoadScreen;
    case 7: return TMenuStep::TurnBackToMain;
    case 8: return TMenuStep::OpenControls;
    default: return TMenuStep::None;
  }
}

}  // namespace

TMenuStep FaceStep(int screen, int button) {
  switch (screen) {
    case kMainScreen: return MainStep(button);
    case kOnePlayerScreen: return OnePlayerStep(button);
    case kOptionsScreen: return OptionsStep(button);
    default: return TMenuStep::None;
  }
}

int MusicVolumeDown(int volume) { return volume > 0 ? std::max(volume - 5, 0) : volume; }
int MusicVolumeUp(int volume) { return volume < 255 ? std::min(volume + 5, 255) : volume; }

int PreviousTrack(int index, int count) {
  if (count <= 0) return 0;
  return index - 1 < 0 ? count - 1 : index - 1;
}

int NextTrack(int index, int count) {
  if (count <= 0) return 0;
  return (index + 1) % count;
}

std::string TwoPlayersChoice(int button) {
  switch (button) {
    case 0: return "LAN";
    case 1: return "LOCAL";
    default: return "";
  }
}

std::string LoadScreenChoice(int button) {
  switch (button) {
    case 0: return "SLOT1";
    case 1: return "SLOT2";
    case 2: return "SLOT3";
    case 4: return "SLOT0";
    default: return "";
  }
}

// A picture without a size (no readable heightmap) fills the box.
TThumbRect FitThumbnail(int width, int height) {
  if (width <= 0 || height <= 0) width = height = 1;
  double scale = kThumbSide / std::max(width, height);
  TThumbRect rect;
  rect.width = scale * width;
  rect.height = scale * height;
  rect.left = kThumbLeft + (kThumbSide - rect.width) / 2.0;
  rect.top = kThumbTop + (kThumbSide - rect.height) / 2.0;
  return rect;
}

namespace {
constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;
}

double DialAngle(double dx, double dy) {
  if (dx > 0.0) return std::atan(dy / dx) * kRadiansToDegrees;
  // Straight above or below the centre the slope is infinite, which gives 270 or 90.
  double slope = std::atan(std::fabs(dy / dx)) * kRadiansToDegrees;
  return dy > 0.0 ? 180.0 - slope : 180.0 + slope;
}

int DialStep(double angle) {
  int degrees = static_cast<int>(std::trunc(angle));
  int fromNine = degrees + 180;
  if (fromNine >= 360) fromNine -= 360;
  if (fromNine < 0) fromNine += 360;
  return fromNine * kNotchCount / 360 + 1;
}

int NotchesFor(int level) { return std::clamp(level * kNotchCount / 256, 0, kNotchCount); }

bool DialRule(int x, int y, int screenWidth, double innerRadius, double outerRadius,
              bool leftDown, int& musicLevel, int& effectsLevel) {
  bool left = x < 0;
  double centreX = (left ? -1.0 : 1.0) * screenWidth / 4.0;
  double dx = x - centreX;
  double dy = -static_cast<double>(y);
  double distance = std::hypot(dx, dy);
  if (!(distance > innerRadius && distance < outerRadius && leftDown)) return false;
  int level = DialStep(DialAngle(dx, dy)) * 256 / kNotchCount;
  (left ? musicLevel : effectsLevel) = level;
  return true;
}

bool TStepTimer::Due(std::uint32_t now) {
  if (now - last_ < interval_) return false;
  last_ = now;
  return true;
}
