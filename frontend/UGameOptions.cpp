#include "frontend/UGameOptions.h"

#include <algorithm>

#include "frontend/MenuFocus.h"
#include "frontend/MenuRules.h"
#include "platform/Gamepads.h"
#include "platform/MenuInput.h"
#include "renderer/MenuDraw.h"
#include "renderer/OverlayDraw.h"
#include "saves/SettingsStore.h"
#include "world/ScreenFrame.h"

namespace {

// Which way left or right is held now, on the keyboard or on any pad's d-pad or stick:
// -1, 1, or 0 for neither (or both).
int HeldTurn() {
  bool left = wnd::GetKey(wnd::KEY_LEFT) == wnd::PRESS;
  bool right = wnd::GetKey(wnd::KEY_RIGHT) == wnd::PRESS;
  wnd::TGamepadSource& pads = wnd::Gamepads();
  for (int i = 0; i < pads.Count(); ++i) {
    const wnd::TPadState pad = pads.State(i);
    if (!pad.connected) continue;
    left = left || pad.dpadLeft || pad.leftX <= -wnd::kStickPressEdge;
    right = right || pad.dpadRight || pad.leftX >= wnd::kStickPressEdge;
  }
  return left == right ? 0 : (right ? 1 : -1);
}

constexpr const char* kDialPicture = "img/gameOptions/img_sound.tga";
constexpr const char* kMusicCaption = "img/gameOptions/volume.tga";
constexpr const char* kEffectsCaption = "img/gameOptions/effets.tga";
constexpr const char* kNotchPicture = "img/gameOptions/bouton_orange.tga";
constexpr const char* kBackPicture = "img/gameOptions/bouton_retour.tga";
constexpr const char* kQuitPicture = "img/gameOptions/bouton_quitter.tga";
// The buttons look the same in every state the mouse gives them: the keys' focus has
// pictures of its own, and a ring lights round the focused dial.
constexpr const char* kBackFocusPicture = "img/gameOptions/bouton_retour_focus.tga";
constexpr const char* kQuitFocusPicture = "img/gameOptions/bouton_quitter_focus.tga";
constexpr const char* kDialFocusPicture = "img/gameOptions/dial_focus.tga";

constexpr int kMusicDial = 0;
constexpr int kEffectsDial = 1;

constexpr int kBackButton = 2;
constexpr int kQuitButton = 3;
constexpr double kNotchTurn = -11.0;  // degrees about z: clockwise on the screen

}  // namespace

TGameOptions::TGameOptions(int screenWidth, int screenHeight)
    : screenWidth_(screenWidth), screenHeight_(screenHeight) {
  Layout();
}

// For the window's frame as it is now, and again whenever the window changes size.
void TGameOptions::Layout() {
  frameWidth_ = WindowFrame(screenWidth_, screenHeight_).width;
  scale_ = static_cast<double>(frameWidth_) / 800.0;
  leftDial_ = MakePicture(kDialPicture, 13, 114, 373, 373);
  rightDial_ = MakePicture(nullptr, 414, 114, 373, 373);
  rightDial_.texture = leftDial_.texture;  // one picture serves both dials
  musicCaption_ = MakePicture(kMusicCaption, 125, 268, 152, 41);
  effectsCaption_ = MakePicture(kEffectsCaption, 535, 267, 145, 40);
  std::uint32_t notch = textures_.Load(kNotchPicture);
  std::uint32_t back = textures_.Load(kBackPicture);
  std::uint32_t quit = textures_.Load(kQuitPicture);
  buttons_ = TTab_bouton{MakeButton(38, 258, 26, 26, 0, 0, notch),
                         MakeButton(438, 258, 26, 26, 0, 0, notch),
                         MakeButton(322, 487, 156, 99, back, back, back),
                         MakeButton(626, 487, 156, 99, quit, quit, quit)};
  buttons_[kBackButton].keyFocusTexture = textures_.Load(kBackFocusPicture);
  buttons_[kQuitButton].keyFocusTexture = textures_.Load(kQuitFocusPicture);
  dialFocusTexture_ = textures_.Load(kDialFocusPicture);
  innerRadius_ = 135.0 * scale_;
  outerRadius_ = 166.0 * scale_;
  CompileLists();
}

TGameOptions::~TGameOptions() = default;

// Virtual units to window pixels centred on the window, y up: the top-left corner and size.
TImg TGameOptions::MakePicture(const char* path, double x, double y, double w, double h) {
  TImg picture;
  if (path != nullptr) picture.path = path;
  picture.x = (x - virtualWidth_ / 2) * scale_;
  picture.y = (virtualHeight_ / 2 - y) * scale_;
  picture.width = w * scale_;
  picture.height = h * scale_;
  picture.texture = textures_.Load(path);
  return picture;
}

TBouton TGameOptions::MakeButton(double x, double y, double w, double h, std::uint32_t inactive,
                                 std::uint32_t focus, std::uint32_t active) const {
  TBouton button;
  button.x = (x - virtualWidth_ / 2) * scale_;
  button.y = (virtualHeight_ / 2 - y) * scale_;
  button.width = w * scale_;
  button.height = h * scale_;
  button.inactiveTexture = inactive;
  button.focusTexture = focus;
  button.activeTexture = active;
  return button;
}

TDisplayLists TGameOptions::CompileNotch() const {
  const TBouton& notch = buttons_[0];
  return RecordDisplayList([&notch] {
    DrawOverlayQuad(notch.activeTexture, -notch.width / 2, notch.height / 2, notch.width,
                    notch.height);
  });
}

void TGameOptions::CompileLists() {
  picturesList_ = RecordDisplayList([this] {
    TMenuMatrixScope keep;
    DrawImage(leftDial_);
    DrawImage(rightDial_);
    DrawImage(musicCaption_);
    DrawImage(effectsCaption_);
  });
  musicNotchList_ = CompileNotch();
  effectsNotchList_ = CompileNotch();
}

void TGameOptions::DrawImage(const TImg& picture) const {
  DrawOverlayPicture(picture.texture, picture.x, picture.y, picture.width, picture.height);
}

void TGameOptions::DrawOptions(int& music, int& effects, std::string& result) {
  result.clear();
  if (WindowFrame(screenWidth_, screenHeight_).width != frameWidth_) Layout();
  musicLevel_ = music;
  effectsLevel_ = effects;
  musicNotches_ = NotchesFor(music);
  effectsNotches_ = NotchesFor(effects);
  innerRadius_ = scale_ * 135.0;
  outerRadius_ = scale_ * 166.0;
  BeginOverlay(screenWidth_, screenHeight_);
  CallOverlayList(picturesList_.Base());
  look_ = mouse_.Look();
  DialInput(look_.x - screenWidth_ / 2, screenHeight_ / 2 - look_.y);
  const int keyPress = ReadKeys();
  int clicked = DrawButtons(kBackButton, kQuitButton);
  if (clicked < 0) clicked = keyPress;
  if (clicked == kBackButton) result = "RETURN GAME";
  if (clicked == kQuitButton) result = "MENU RETURN";
  DrawNotches();
  DrawDialFocus();
  EndOverlay();
  music = musicLevel_;
  effects = effectsLevel_;
  // The dials set the player's volumes; the file is written once, as the overlay is left.
  // A dial turned full circle reads 256, one past the settings' top.
  CurrentSettings().musicVolume = std::clamp(music, 0, 255);
  CurrentSettings().effectsVolume = std::clamp(effects, 0, 255);
  if (!result.empty()) StoreSettings();
}

void TGameOptions::Forget() {
  mouse_.Forget();
  keys_.Forget();
  keys_.SetFocus(kBackButton);  // every pause starts on the way back to the race
  dialRepeat_ = {};
  look_ = {};
  for (TBouton& button : buttons_) button.pressed = false;
}

void TGameOptions::DialInput(int x, int y) {
  if (DialRule(x, y, frameWidth_, innerRadius_, outerRadius_, look_.down, musicLevel_,
               effectsLevel_)) {
    musicNotches_ = NotchesFor(musicLevel_);
    effectsNotches_ = NotchesFor(effectsLevel_);
  }
}

int TGameOptions::OverlayButtonState(const TBouton& button) const {
  return OverlayButtonStateAt(button, look_.x, look_.y, look_.down, screenWidth_,
                              screenHeight_);
}

int TGameOptions::DrawButtons(int first, int last) {
  int clicked = -1;
  for (int i = first; i <= last && i < static_cast<int>(buttons_.size()); ++i) {
    TBouton& button = buttons_[static_cast<std::size_t>(i)];
    std::uint32_t texture = 0;
    int state = ApplyLook(button, OverlayButtonState(button), look_, texture);
    if (state == kButtonReleased) clicked = i;
    if (keys_.Shown() && keys_.Focused() == i && button.keyFocusTexture != 0) {
      texture = button.keyFocusTexture;
    }
    DrawOverlayQuad(texture, button.x, button.y, button.width, button.height);
  }
  return clicked;
}

// The first notch sits on its template's place; each next one is turned 11 degrees
// clockwise about the dial's centre.
void TGameOptions::DrawDialNotches(const TBouton& templateNotch, double centreX, int count,
                                   std::uint32_t list) const {
  DrawNotchRun(list, centreX, templateNotch.x + templateNotch.width / 2 - centreX,
               templateNotch.y - templateNotch.height / 2, count, kNotchTurn);
}

void TGameOptions::DrawNotches() {
  DrawDialNotches(buttons_[0], -frameWidth_ / 4.0, musicNotches_, musicNotchList_.Base());
  DrawDialNotches(buttons_[1], frameWidth_ / 4.0, effectsNotches_, effectsNotchList_.Base());
}

// The focus order round the overlay: music dial, effects dial, back to the race, leave.
int TGameOptions::ReadKeys() {
  int hovered = -1;
  for (int i : {kBackButton, kQuitButton}) {
    if (OverlayButtonState(buttons_[static_cast<std::size_t>(i)]) != kButtonOutside) hovered = i;
  }
  const TMenuPresses presses = keys_.Read(look_, hovered, kBackButton);
  // Escape is read here only while the overlay is open: the race reads the one opening it.
  if (wnd::MenuKeyPressed(wnd::TMenuKey::Back)) return kBackButton;
  if (presses.Any()) FollowPresses(presses);
  TurnHeldDial();
  return presses.press && keys_.Focused() >= kBackButton ? keys_.Focused() : -1;
}

void TGameOptions::FollowPresses(const TMenuPresses& presses) {
  int focus = keys_.Focused();
  const int count = 4;
  if (presses.down) focus = (focus + 1) % count;
  if (presses.up) focus = (focus + count - 1) % count;
  keys_.SetFocus(focus);
  if (presses.left || presses.right) {
    if (focus == kMusicDial || focus == kEffectsDial) {
      TurnFocusedDial(presses.right);
    } else {
      keys_.SetFocus(presses.left ? kBackButton : kQuitButton);
    }
  }
}

// Left or right held on the keyboard or a pad keeps turning the focused dial.
void TGameOptions::TurnHeldDial() {
  const bool onDial = keys_.Focused() == kMusicDial || keys_.Focused() == kEffectsDial;
  const int direction = onDial ? HeldTurn() : 0;
  for (int step = dialRepeat_.Steps(direction, wnd::GetTickCount()); step > 0; --step) {
    TurnFocusedDial(direction > 0);
  }
}

void TGameOptions::TurnFocusedDial(bool up) {
  int& level = keys_.Focused() == kMusicDial ? musicLevel_ : effectsLevel_;
  level = up ? DialLevelUp(level) : DialLevelDown(level);
  musicNotches_ = NotchesFor(musicLevel_);
  effectsNotches_ = NotchesFor(effectsLevel_);
}

void TGameOptions::DrawDialFocus() const {
  if (!keys_.Shown() || keys_.Focused() > kEffectsDial) return;
  const TImg& dial = keys_.Focused() == kMusicDial ? leftDial_ : rightDial_;
  DrawOverlayPicture(dialFocusTexture_, dial.x, dial.y, dial.width, dial.height);
}
