// The menu's box and what is shown on its faces: the face camera, the frame's state, the
// whole-face pictures, the track chooser and the transitions' cross-fade and iris. A face
// is a 4 x 3 quad two units from the box's centre; the menu's own state and rules stay in
// frontend/ and hand plain texture and list names here.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "renderer/GlHandles.h"

// Keeps the model-view matrix as it was while the scope lives.
class TMenuMatrixScope {
 public:
  TMenuMatrixScope();
  ~TMenuMatrixScope();
  TMenuMatrixScope(const TMenuMatrixScope&) = delete;
  TMenuMatrixScope& operator=(const TMenuMatrixScope&) = delete;
};

// The menu's frame: the model-view matrix current, a black clear, no lighting.
void BeginMenuScreen();
// Lighting off and transparent edges cut at alpha `cut` (GL_GREATER).
void SetMenuLook(float alphaCut);
void SetMenuAlphaCut(float cut);
// Every fragment passes the alpha test, whatever its alpha: for pictures blended in.
void PassEveryAlpha();
// Clears colour and depth (and the stencil where asked) for the next frame.
void ClearMenuFrame(bool stencilToo = false);

// A face exactly fills the window: 90 degrees of view from 1.5 units before a 3-unit face.
// For yaw g the eye is at (r cos(g - 90), 0, -r sin(g - 90)): 0 front, 90 right, -90 left.
void SetFaceCamera(int width, int height, double yaw, double radius);

// Calls each list in turn in the current matrix.
void CallMenuLists(std::span<const std::uint32_t> lists);
// A resting panel's list, or a whole-face picture in the plane x = faceX seen from the
// right (+x) side, drawn in the colour set last.
void DrawMenuPicture(std::uint32_t name, bool isList, double faceX);
// The colour pictures are drawn in: white at the given opacity.
void SetPictureOpacity(double alpha);
// Brings a picture drawn for the right face onto another face: a hundredth of a unit
// towards the eye, then `degrees` about the vertical axis.
void TurnPictureOntoFace(double degrees);
// Moves what is drawn next by `dx` along x (a panel lying just in front of a picture).
void ShiftMenuDrawing(double dx);

// The track chooser's whole-face picture on the right face, just before the faces.
void DrawChooserPicture(std::uint32_t texture);
// A track's picture in the chooser on the right face: `left`/`top` and the size are the
// panel's virtual units (800 x 600, y down), scaled by `scaleX`/`scaleY` to box units.
void DrawChooserThumbnail(std::uint32_t texture, double scaleX, double scaleY, double left,
                          double top, double width, double height);

// The iris: the stencil receives 1 wherever the logo picture, scaled to `size` hundredths
// of the window, passes the alpha test; nothing else is drawn.
void MarkIris(int width, int height, std::uint32_t logo, double size);
// Pictures drawn from here on show outside the logo (`inside` false) or inside it.
void BeginIrisScene();
void SetIrisSide(bool inside);
void EndIrisScene();
// Whoever turns the stencil test on next must not find every fragment rejected.
void ResetStencilPass();
