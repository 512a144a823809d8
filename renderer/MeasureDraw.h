// Small drawing steps for the performance measures and the picture comparisons: a list
// compiled from whatever a function sends, the race's lens, moves of the view, and
// waiting until the GL has drawn what it was asked.
#pragma once

#include <cstdint>
#include <functional>

#include "renderer/GlHandles.h"

void CallList(std::uint32_t list);

// Clears colour and depth.
void ClearFrame();
// The race's 15-degree lens at 4:3, and the modelview at identity.
void SetRaceLens();
void PushView();
void PopView();
void MoveView(double x, double y, double z);
void TurnView(double degrees, double x, double y, double z);
void ScaleView(double k);

void SetTexturing(bool on);
void SetLighting(bool on);
// Returns once every command sent is drawn.
void FinishDrawing();
