// The end-of-race sequence: fade to white, the tiled backdrop, the banner, the result.
#include "modes/RaceRules.h"
#include "modes/Uworld.h"
#include "platform/Window.h"
#include "renderer/EndSequenceDraw.h"
#include "renderer/Fade.h"

namespace {

bool AboveOne(double a) { return a > 1.0; }

}  // namespace

// The whole frame, whatever viewport the race left (the split screen ends in its lower
// half), in frame units.
void Tworld::SetEndProjection() const {
  const TScreenFrame frame = Frame();
  SetCentredFrameProjection(frame.x, frame.y, frame.width, frame.height, kFrameUnitsWidth,
                            kFrameUnitsHeight);
}

// Frames until `done(value)`, the fade stepping by `delta` at most every 5 ms.
void Tworld::RunFade(double start, double delta, const std::function<bool(double)>& done,
                     const std::function<void(double)>& draw) const {
  TFade fade;
  fade.Start(start, wnd::GetTickCount());
  while (!done(fade.value)) {
    SetEndProjection();
    draw(fade.value);
    fade.Step(wnd::GetTickCount(), delta);
    EndFrame();
  }
}

void Tworld::EndFrame() const {
  BlankBars();
  wnd::SwapBuffers();
  ClearFrameBuffers();
}

void Tworld::DrawEndImage(const TImg& image) const {
  DrawFramePicture(image, kFrameUnitsWidth, kFrameUnitsHeight);
}

void Tworld::ShowRaceEnd(const TImg& banner, const TImg& picture) {
  BeginEndSequence();
  FadeToWhite();
  ClearToWhiteFromNow();
  ShowTransition(banner, picture);
  FinishEndSequence();
}

void Tworld::FadeToWhite() {
  LetFaintFragmentsThrough();
  const double w = kFrameUnitsWidth / 2.0;
  const double h = kFrameUnitsHeight / 2.0;
  RunFade(0.0, 0.01, AboveOne, [&](double a) { DrawWhiteVeil(-w, -h, w, h, a); });
}

void Tworld::ShowTransition(const TImg& banner, const TImg& picture) {
  LetFaintFragmentsThrough();
  const double w = backdrop_.width;
  const double h = backdrop_.height;
  const TDisplayLists tile =
      RecordDisplayList([&] { DrawTexturedQuad(backdrop_.texture, 0.0, -h, w, 0.0); });

  // Two tiles against the top corners and two directly below them.
  const double sw = kFrameUnitsWidth / 2.0;
  const double sh = kFrameUnitsHeight / 2.0;
  const double places[4][2] = {{-sw, sh}, {sw - w, sh}, {sw - w, sh - h}, {-sw, sh - h}};
  const TDisplayLists backdropList = RecordDisplayList([&] {
    for (const auto& place : places) CallListAt(tile.Base(), place[0], place[1]);
  });

  auto drawBackdrop = [&](double a) { CallListFaded(backdropList.Base(), a); };
  RunFade(0.0, 0.01, AboveOne, drawBackdrop);

  const TDisplayLists bannerList = RecordDisplayList([&] { DrawEndImage(banner); });
  auto drawBanner = [&](double a) {
    drawBackdrop(1.0);
    CallListFaded(bannerList.Base(), a);
  };
  RunFade(0.0, 0.01, AboveOne, drawBanner);
  // Back down to 0.4 of its strength, behind the result picture.
  RunFade(1.0, -0.01, [](double a) { return a < 0.4; }, drawBanner);

  ShowResult(picture, backdropList.Base(), bannerList.Base());
}

// The last frame stays on screen until the caller draws again.
void Tworld::ShowResult(const TImg& picture, std::uint32_t backdropList,
                        std::uint32_t bannerList) {
  const TDisplayLists pictureList = RecordDisplayList([&] { DrawEndImage(picture); });
  RunFade(0.0, 0.01, AboveOne, [&](double a) {
    CallListFaded(backdropList, 1.0);
    CallListFaded(bannerList, 0.4);
    CallListFaded(pictureList.Base(), a);
    DrawResultExtras();
  });
}
