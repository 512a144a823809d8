#include "frontend/ControlsScreen.h"

#include "platform/KeyNames.h"
#include "platform/MenuInput.h"
#include "platform/Window.h"
#include "saves/SettingsStore.h"

namespace {

constexpr const char* kSlot[3] = {"img/controls/slot/inactive.tga", "img/controls/slot/focus.tga",
                                  "img/controls/slot/active.tga"};
constexpr const char* kWaitingPicture = "img/controls/slot/waiting.tga";
constexpr const char* kInvertOff[3] = {"img/controls/invert/off_inactive.tga",
                                       "img/controls/invert/off_focus.tga",
                                       "img/controls/invert/off_active.tga"};
constexpr const char* kInvertOn[3] = {"img/controls/invert/on_inactive.tga",
                                      "img/controls/invert/on_focus.tga",
                                      "img/controls/invert/on_active.tga"};

// Columns of the two players, rows of the five actions.
constexpr double kColumnX[2] = {262, 434};
constexpr double kRowY = 150, kRowStep = 56, kKeyWidth = 156, kKeyHeight = 46;
constexpr double kInvertY = 440;

std::vector<TButtonLayout> MakeLayouts() {
  std::vector<TButtonLayout> layouts;
  for (int p = 0; p < 2; ++p) {
    for (int a = 0; a < kActionCount; ++a) {
      layouts.push_back({kColumnX[p], kRowY + a * kRowStep, kKeyWidth, kKeyHeight, kSlot[0], kSlot[1], kSlot[2]});
    }
  }
  for (int p = 0; p < 2; ++p) {
    layouts.push_back({kColumnX[p], kInvertY, kKeyWidth, kKeyHeight, kInvertOff[0], kInvertOff[1], kInvertOff[2]});
  }
  layouts.push_back({262, 530, 156, 46, "img/controls/defaults/inactive.tga", "img/controls/defaults/focus.tga",
                     "img/controls/defaults/active.tga"});
  layouts.push_back({606, 530, 170, 46, "img/controls/back/inactive.tga", "img/controls/back/focus.tga",
                     "img/controls/back/active.tga"});
  return layouts;
}

const std::vector<TButtonLayout>& Layouts() {
  static const std::vector<TButtonLayout> layouts = MakeLayouts();
  return layouts;
}

// Every key a player may be given, and Enter, which is refused with its own hint.
std::vector<int> OfferedKeys() {
  std::vector<int> codes = {wnd::KEY_UP, wnd::KEY_DOWN, wnd::KEY_LEFT, wnd::KEY_RIGHT, wnd::KEY_ENTER};
  for (int code = 32; code <= 96; ++code) {
    if (!KeyName(code).empty()) codes.push_back(code);
  }
  return codes;
}

int PlayerOf(int button) { return button < kActionCount ? 1 : 2; }
TAction ActionOf(int button) { return kActions[static_cast<std::size_t>(button % kActionCount)]; }

}  // namespace

std::span<const TButtonLayout> ControlsButtonLayouts() { return Layouts(); }

int ControlsKeyButton(int player, TAction action) {
  for (int a = 0; a < kActionCount; ++a) {
    if (kActions[static_cast<std::size_t>(a)] == action) return (player == 2 ? kActionCount : 0) + a;
  }
  return 0;
}

std::string KeyCapPicture(int keyCode) {
  const std::string name = KeyName(keyCode);
  return name.empty() ? "" : "img/controls/keys/" + name + ".tga";
}

std::string HintPicture(TControlsHint hint, int takenByPlayer, TAction takenBy) {
  switch (hint) {
    case TControlsHint::Choose: return "img/controls/hint/choose.tga";
    case TControlsHint::Waiting: return "img/controls/hint/waiting.tga";
    case TControlsHint::Kept: return "img/controls/hint/kept.tga";
    case TControlsHint::Reserved: return "img/controls/hint/reserved.tga";
    case TControlsHint::Defaults: return "img/controls/hint/defaults.tga";
    case TControlsHint::Taken:
      return "img/controls/hint/taken_p" + std::to_string(takenByPlayer) + "_" + ActionWord(takenBy) + ".tga";
  }
  return "";
}

TControlsScreen::TControlsScreen(int screenWidth, int screenHeight, std::uint32_t background) {
  auto look = [this](const char* const (&paths)[3]) {
    return TLook{textures_.Load(paths[0]), textures_.Load(paths[1]), textures_.Load(paths[2])};
  };
  slot_ = look(kSlot);
  invertOff_ = look(kInvertOff);
  invertOn_ = look(kInvertOn);
  waitingPicture_ = textures_.Load(kWaitingPicture);
  buttons_ = MakeButtons(Layouts(), textures_);
  panel_ = std::make_unique<Tpanel>(screenWidth, screenHeight, buttons_, kControlsPicture, background);
  // Fourteen buttons would put it in front: it takes the options screen's place.
  panel_->PlaceOnFace(-90.0);
  panel_->Forget();
  ShowState();
}

// The switches show each player's choice, and the button awaiting a key says so.
void TControlsScreen::ShowState() {
  const TControls& controls = CurrentSettings().controls;
  for (int p = 0; p < 2; ++p) {
    const TLook& look = controls.invertPitch[static_cast<std::size_t>(p)] ? invertOn_ : invertOff_;
    TBouton& button = buttons_[static_cast<std::size_t>(kControlsInvertFirst + p)];
    button.inactiveTexture = look.inactive;
    button.focusTexture = look.focus;
    button.activeTexture = look.active;
  }
  for (int i = 0; i < kControlsKeyButtons; ++i) {
    TBouton& button = buttons_[static_cast<std::size_t>(i)];
    const bool waiting = i == waiting_;
    button.inactiveTexture = waiting ? waitingPicture_ : slot_.inactive;
    button.focusTexture = waiting ? waitingPicture_ : slot_.focus;
    button.activeTexture = waiting ? waitingPicture_ : slot_.active;
  }
}

// Each key button carries its key's name; the hint line says what is going on.
std::vector<TDecal> TControlsScreen::Decals() {
  const TControls& controls = CurrentSettings().controls;
  std::vector<TDecal> decals;
  for (int i = 0; i < kControlsKeyButtons; ++i) {
    if (i == waiting_) continue;
    const TBouton& button = buttons_[static_cast<std::size_t>(i)];
    const int code = KeyOf(controls.keys[static_cast<std::size_t>(PlayerOf(i) - 1)], ActionOf(i));
    const std::string cap = KeyCapPicture(code);
    if (cap.empty()) continue;
    decals.push_back({button.x, button.y, button.width, button.height, textures_.Load(cap)});
  }
  decals.push_back({kHintX, kHintY, kHintWidth, kHintHeight,
                    textures_.Load(HintPicture(hint_, takenByPlayer_, takenBy_))});
  return decals;
}

void TControlsScreen::Offer(int code) {
  const TRebindResult result = Rebind(CurrentSettings().controls, PlayerOf(waiting_), ActionOf(waiting_), code);
  if (result.kept) {
    StoreSettings();
    waiting_ = -1;
    hint_ = TControlsHint::Kept;
  } else if (result.reserved) {
    hint_ = TControlsHint::Reserved;
  } else {
    hint_ = TControlsHint::Taken;
    takenByPlayer_ = result.takenByPlayer;
    takenBy_ = result.takenBy;
  }
}

// While a key is awaited every key press is the answer: none moves the focus. Escape (or
// the pad's back) keeps the old key.
void TControlsScreen::ReadNewKey() {
  if (wnd::MenuKeyPressed(wnd::TMenuKey::Back)) {
    waiting_ = -1;
    hint_ = TControlsHint::Choose;
    return;
  }
  static const std::vector<int> offered = OfferedKeys();
  for (int code : offered) {
    if (wnd::KeyPressed(code)) {
      Offer(code);
      break;
    }
  }
  // A pad has no key to give: its moves are dropped rather than left for later.
  for (auto key : {wnd::TMenuKey::Up, wnd::TMenuKey::Down, wnd::TMenuKey::Left, wnd::TMenuKey::Right,
                   wnd::TMenuKey::Press}) {
    wnd::MenuKeyPressed(key);
  }
}

TControlsScreen::TStep TControlsScreen::Choose(int button) {
  TControls& controls = CurrentSettings().controls;
  waiting_ = -1;
  if (button < kControlsKeyButtons) {
    waiting_ = button;
    hint_ = TControlsHint::Waiting;
  } else if (button < kControlsDefaults) {
    const std::size_t p = static_cast<std::size_t>(button - kControlsInvertFirst);
    controls.invertPitch[p] = !controls.invertPitch[p];
    StoreSettings();
    hint_ = TControlsHint::Choose;
  } else if (button == kControlsDefaults) {
    const TControls defaults;
    controls.keys = defaults.keys;
    controls.invertPitch = defaults.invertPitch;
    StoreSettings();
    hint_ = TControlsHint::Defaults;
  } else if (button == kControlsBack) {
    return TStep::Back;
  }
  return TStep::Stay;
}

TControlsScreen::TStep TControlsScreen::Frame() {
  bool escape = false;
  if (waiting_ >= 0) {
    ReadNewKey();
  } else {
    escape = wnd::MenuKeyPressed(wnd::TMenuKey::Back);
  }
  panel_->Keys().SetPaused(waiting_ >= 0);
  ShowState();
  const std::vector<TDecal> decals = Decals();
  const int clicked = panel_->DrawPanel(false, decals);
  TStep step = TStep::Stay;
  if (clicked >= 0) step = Choose(clicked);
  if (step == TStep::Stay && escape) step = TStep::Escape;
  ShowState();
  return step;
}

void TControlsScreen::DrawResting() {
  ShowState();
  const std::vector<TDecal> decals = Decals();
  panel_->DrawPanel(true, decals);
}
