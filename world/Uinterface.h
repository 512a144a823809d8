// The race HUD: timer and lantern panels with their digits in a centred orthographic
// overlay, and the small 3-D compass arrow aimed at the current ring. What it shows and
// where is decided here; the renderer's HUD holds the pictures, the arrow and the panels'
// list and draws them.
#pragma once

#include <cstdint>
#include <memory>

#include "assets/Utype.h"
#include "world/HudLayout.h"
#include "world/ScreenFrame.h"

class THudDraw;

class TInterface {
 public:
  // Loads the panel and digit pictures and the arrow mesh, and compiles the panel list,
  // for a viewport of the given size (half the height in the split screen).
  // The size is in the HUD's own units (kFrameUnitsWidth x kFrameUnitsHeight for a whole
  // screen), which DrawFrame scales into the viewport.
  TInterface(int baseScore, int viewportWidth, int viewportHeight);
  // Gives the panel list, the 22 pictures and the arrow mesh back to the GL.
  ~TInterface();
  TInterface(const TInterface&) = delete;
  TInterface& operator=(const TInterface&) = delete;

  // Once per frame after the world: panels, score (caught x 10 + base score), time left,
  // then the arrow. A negative time left shows 00. The HUD's units are fitted into the
  // current viewport, centred; the viewport is left as it was.
  void DrawFrame(const TCompassData& compass, int caughtCount, bool split, int timeLeft);

  // Draws value into the slots' count of digits with leading zeros, in the current
  // projection; the digit shown in each slot is stored in `slots`.
  static void DrawNumber(int value, TDigits_array& slots, const TScore_numbers& images, int spacing);

  // One overlay picture, centred on its anchor plus offset, in this HUD's overlay.
  void DrawImg(const TImg& image) const;

  // For the end of the race, which shows the score with the score digits.
  const TScore_numbers& ScoreDigits() const { return scoreDigits_; }
  TDigits_array& ScoreSlots() { return scoreSlots_; }
  const TScore_numbers& TimerDigits() const { return timerDigits_; }
  TDigits_array& TimerSlots() { return timerSlots_; }
  const TImg& TimerPanel() const { return timerPanel_; }
  const TImg& LanternPanel() const { return lanternPanel_; }
  int BaseScore() const { return baseScore_; }
  std::uint32_t PanelList() const;

 private:
  void DrawLayers(const TCompassData& compass, int caughtCount, bool split, int timeLeft);

  double viewportWidth_;
  double viewportHeight_;
  TImg arrowImg_;
  std::unique_ptr<THudDraw> draw_;
  TImg timerPanel_;
  int baseScore_;
  TImg lanternPanel_;
  TScore_numbers timerDigits_;
  TDigits_array timerSlots_;
  TScore_numbers scoreDigits_;
  TDigits_array scoreSlots_;
};

// Paints the window outside `frame` black (the bars of a window that is not 4:3), leaving
// the clear colour and the scissor test as they were.
void BlankOutsideFrame(const TScreenFrame& frame, int windowWidth, int windowHeight);
