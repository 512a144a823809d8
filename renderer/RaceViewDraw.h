// The GL of a race's view: the race's lens and state, the viewport of a view, the own
// craft in front of the eye, the other craft where its own player sees it, and the
// world's frame with the eye lifted over the drawn terrain. The modes say what to draw
// with plain values; only this file talks to the GL for them.
#pragma once

#include "assets/Utype.h"

class TObj;

// The state a race draws with, whatever screen came before: the depth test, lighting and
// the alpha test at GL_GREATER 0.75.
void EnableRaceState();
void SetDepthTest(bool on);
// The dark blue every race frame is cleared to, and the clear itself (colour, depth and
// stencil, which the race leaves at 0).
void SetRaceClearColour();
void ClearRaceBuffers();
void SetRaceViewport(int x, int y, int width, int height);
// The race's lens: 15 degrees at a fixed 4:3 from 0.1 to 100000, whatever the window's
// shape, with an identity modelview.
void SetRaceProjection();
// The lens a time attack starts with (10 to 10000); every frame sets its own after it.
void SetRaceStartProjection();
void ResetModelview();

// A player's own craft moved by `offset` and scaled by `scale` in the eye's frame, under
// the current lens, its depth taken `depthScale` times nearer: the same picture, never
// buried in a slope further than a few units.
void DrawCraftInFrontOfEye(const TObj& mesh, T_point offset, T_point scale, double depthScale);
// A craft where its own player sees it: at that player's eye, turned as that player is
// turned, then moved and scaled as that player's own craft is on screen. `position` and
// `rotation` are in the physics' convention (the negated world position). Its far side
// is culled unless `wholeHull` (a see-through craft shows it).
void DrawCraftAsSeenByItsPlayer(const TObj& mesh, T_point position, T_point rotation,
                                T_point eyeOffset, T_point scale, bool wholeHull = false);

// Keeps the modelview, then moves what follows by `by` (the world lowered under the eye,
// the score placed on the result picture); PopModelview gives the kept one back.
void PushModelviewMoved(T_point by);
void PopModelview();
// The world places, under the current modelview, of the eye and of `eyeSpot` given in
// the eye's frame.
void WorldPlacesOfEye(T_point eyeSpot, T_point& eye, T_point& spot);
// Raises the view by `lift` world units.
void LiftView(double lift);
