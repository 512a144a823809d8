#include "world/Uinterface.h"

#include "renderer/HudDraw.h"
#include "renderer/ScreenFrameDraw.h"

namespace {

void LoadAll(THudDraw& draw, TScore_numbers& images) {
  for (TImg& img : images) img.texture = draw.LoadPicture(img.path);
}

TPixelRect PixelRect(const TScreenFrame& frame) { return {frame.x, frame.y, frame.width, frame.height}; }

}  // namespace

// The pictures, the arrow and the list belong to the renderer's HUD: a construction that
// fails part way gives back what it had loaded when that goes.
TInterface::TInterface(int baseScore, int viewportWidth, int viewportHeight)
    : viewportWidth_(viewportWidth),
      viewportHeight_(viewportHeight),
      draw_(std::make_unique<THudDraw>()),
      timerPanel_(TimerPanelImg(viewportWidth, viewportHeight)),
      baseScore_(baseScore),
      lanternPanel_(LanternPanelImg(viewportWidth, viewportHeight)),
      timerDigits_(TimerDigitImgs(viewportWidth, viewportHeight)),
      scoreDigits_(ScoreDigitImgs(viewportWidth, viewportHeight)) {
  arrowImg_.path = kArrowMeshPath;
  timerPanel_.texture = draw_->LoadPicture(timerPanel_.path);
  lanternPanel_.texture = draw_->LoadPicture(lanternPanel_.path);
  LoadAll(*draw_, timerDigits_);
  LoadAll(*draw_, scoreDigits_);
  draw_->LoadArrow(arrowImg_.path);
  timerSlots_.assign(kTimerSlots, 0);
  scoreSlots_.assign(kScoreSlots, 0);
  draw_->CompilePanels(timerPanel_, lanternPanel_, viewportWidth_, viewportHeight_);
}

TInterface::~TInterface() = default;

std::uint32_t TInterface::PanelList() const { return draw_->PanelList(); }

void TInterface::DrawImg(const TImg& image) const { DrawHudPicture(image, viewportWidth_, viewportHeight_); }

void TInterface::DrawNumber(int value, TDigits_array& slots, const TScore_numbers& images, int spacing) {
  FillDigits(value, slots);
  for (int slot = 0; slot < static_cast<int>(slots.size()); ++slot) {
    const TSlotPlace place = DigitSlotPlace(images[0], slot, spacing);
    const TImg& digit = images[static_cast<std::size_t>(slots[static_cast<std::size_t>(slot)])];
    DrawHudDigit(digit.texture, place.x, place.y, images[0].scale, images[0].width, images[0].height);
  }
}

// The HUD is laid out in its own units (4:3, or 8:3 for a half of the split screen) and
// drawn in the largest frame of that shape centred in the race's viewport, so a window of
// another shape moves nothing relative to the frame: the arrow stays in its dial.
void TInterface::DrawFrame(const TCompassData& compass, int caughtCount, bool split, int timeLeft) {
  const TPixelRect race = CurrentViewport();
  const TScreenFrame frame =
      FitFrame({race.x, race.y, race.width, race.height}, viewportWidth_ / viewportHeight_);
  SetViewport(PixelRect(frame));
  DrawLayers(compass, caughtCount, split, timeLeft);
  SetViewport(race);
}

void TInterface::DrawLayers(const TCompassData& compass, int caughtCount, bool split,
                            int timeLeft) {
  draw_->DrawPanels();
  BeginHudOverlay(viewportWidth_, viewportHeight_);
  DrawNumber(caughtCount * 10 + baseScore_, scoreSlots_, scoreDigits_, kScoreSpacing);
  DrawNumber(timeLeft, timerSlots_, timerDigits_, kTimerSpacing);
  EndHudOverlay();
  const TArrowPlace place = ArrowPlace(split);
  draw_->DrawArrow(place.translate, place.scale, ArrowAngle(compass));
}

void BlankOutsideFrame(const TScreenFrame& frame, int windowWidth, int windowHeight) {
  BlankOutside(PixelRect(frame), windowWidth, windowHeight);
}
