#include "tools/pictures/MenuScreens.h"

#include <cmath>
#include <functional>

#include "tools/pictures/Canvas.h"
#include "tools/pictures/ControlsArt.h"
#include "tools/pictures/Icons.h"
#include "tools/pictures/Noise.h"
#include "tools/pictures/Scenery.h"

namespace {

constexpr double kW = 800, kH = 600;

using TFacePaint = std::function<void(cairo_t*)>;

TPicture Face(const TFacePaint& paint, TEdge edge) {
  TCanvas canvas(kFaceStoredSize, kFaceStoredSize, kW, kH);
  paint(canvas.Cr());
  return canvas.Take(edge);
}

// A frame a little larger than the button it holds.
void FrameAround(cairo_t* cr, double x, double y, double w, double h, double margin) {
  PaintFrame(cr, x - margin, y - margin, w + 2 * margin, h + 2 * margin);
}

void PaintRingCourse(cairo_t* cr, const double (*rings)[3], int count, TRgb colour) {
  for (int i = count - 1; i >= 0; --i) DrawRing(cr, rings[i][0], rings[i][1], rings[i][2] * 0.72, rings[i][2], colour);
}

void MainMenu(cairo_t* cr) {
  PaintScene(cr, kW, kH, EveningLook(11));
  const double rings[4][3] = {{690, 270, 78}, {598, 318, 46}, {546, 346, 27}, {516, 362, 16}};
  PaintRingCourse(cr, rings, 4, palette::kTeal);
  DrawCraft(cr, 735, 372, 64, -0.75, {palette::kCream, palette::kInk, 2});
  DrawLantern(cr, 92, 420, 52, palette::kEmber, 0.9);
  DrawLantern(cr, 40, 528, 36, palette::kDusk, 0.8);
  DrawLantern(cr, 150, 560, 28, palette::kEmber, 0.7);
  const double path[5][2] = {{110, 190}, {176, 242}, {330, 348}, {491, 453}, {655, 558}};
  PaintFlightPath(cr, path, 5);
  FrameAround(cr, 51, 197, 250, 90, 8);
  FrameAround(cr, 205, 303, 250, 90, 8);
  FrameAround(cr, 366, 408, 250, 90, 8);
  FrameAround(cr, 530, 513, 250, 90, 8);
  PaintLogo(cr, 400, 88, 74);
  PaintNote(cr, "Rings, lanterns and four seasons of sky", 400, 162, 17);
}

void OnePlayer(cairo_t* cr) {
  TSceneLook look = NightLook(21);
  look.moonX = 470;
  look.moonY = 420;
  look.moonRadius = 22;
  PaintScene(cr, kW, kH, look);
  const double rings[4][3] = {{300, 330, 150}, {420, 262, 72}, {488, 226, 40}, {526, 206, 22}};
  PaintRingCourse(cr, rings, 4, palette::kGold);
  DrawCraft(cr, 196, 492, 92, 0.62, {palette::kCream, palette::kInk, 2.5});
  PaintTitleLeft(cr, "Play alone", 36, 62, 54);
  PaintNote(cr, "Race the clock, or live the story of four seasons", 280, 112, 15);
  PaintFrame(cr, 597, 150, 201, 186);
  FrameAround(cr, 622, 526, 129, 59, 9);
}

void TwoPlayers(cairo_t* cr) {
  TSceneLook look = EveningLook(31);
  look.moonX = 720;
  look.moonY = 170;
  PaintScene(cr, kW, kH, look);
  const double rings[4][3] = {{400, 290, 110}, {470, 236, 58}, {512, 208, 32}, {536, 192, 18}};
  PaintRingCourse(cr, rings, 4, palette::kTeal);
  DrawCraft(cr, 336, 318, 84, -0.45, {palette::kSakura, palette::kInk, 2});
  DrawCraft(cr, 462, 352, 84, -0.2, {palette::kEmber, palette::kInk, 2});
  FrameAround(cr, 11, 7, 153, 127, 6);
  PaintTitle(cr, "Two players", 480, 62, 56);
  PaintNote(cr, "Race a friend: over the network, or side by side", 480, 116, 15);
  FrameAround(cr, 97, 425, 232, 136, 10);
  FrameAround(cr, 496, 425, 241, 137, 10);
}

// A rope sagging from (x0, y) to (x1, y), with a lantern on a short cord at each given x.
void PaintLanternString(cairo_t* cr, double x0, double x1, double y, const double (*lanterns)[3], int count) {
  SetColour(cr, palette::kInk, 0.9);
  cairo_set_line_width(cr, 2.5);
  cairo_move_to(cr, x0, y);
  cairo_curve_to(cr, x0 + (x1 - x0) * 0.3, y + 60, x0 + (x1 - x0) * 0.7, y + 60, x1, y);
  cairo_stroke(cr);
  for (int i = 0; i < count; ++i) {
    const double t = (lanterns[i][0] - x0) / (x1 - x0);
    const double sag = y + 180 * t * (1 - t);  // the Bezier above, near enough
    const double top = lanterns[i][1] - lanterns[i][2] * 0.65;
    cairo_move_to(cr, lanterns[i][0], sag);
    cairo_line_to(cr, lanterns[i][0], top);
    SetColour(cr, palette::kInk, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    DrawLantern(cr, lanterns[i][0], lanterns[i][1], lanterns[i][2], i % 2 ? palette::kDusk : palette::kEmber, 0.9);
  }
}

void Options(cairo_t* cr) {
  TSceneLook look = NightLook(41);
  look.moonX = 720;
  PaintScene(cr, kW, kH, look);
  const double lanterns[3][3] = {{540, 242, 62}, {638, 262, 74}, {738, 236, 56}};
  PaintLanternString(cr, 470, 800, 150, lanterns, 3);
  PaintTitleLeft(cr, "Options", 30, 62, 54);
  PaintNote(cr, "Sound, controls and your saved games", 190, 112, 15);
  PaintFrame(cr, 8, 140, 440, 222);
  cairo_move_to(cr, 22, 251);
  cairo_line_to(cr, 434, 251);
  SetColour(cr, palette::kGold, 0.4);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  PaintFrame(cr, 117, 382, 251, 198);
  PaintFrame(cr, 418, 382, 251, 94);
}

void PaintSlotsFrame(cairo_t* cr) {
  PaintFrame(cr, 90, 200, 620, 158);
  for (double x : {112.0, 339.0, 569.0}) {
    RoundedRectPath(cr, x - 4, 217, 124, 124, 10);
    SetColour(cr, palette::kNight, 0.7);
    cairo_fill(cr);
  }
}

void LoadScreen(cairo_t* cr) {
  PaintScene(cr, kW, kH, NightLook(51));
  PaintTitle(cr, "Load a game", 400, 72, 54);
  PaintNote(cr, "Pick the slot to fly on from the season you saved", 400, 128, 16);
  PaintSlotsFrame(cr);
  DrawLantern(cr, 90, 440, 44, palette::kEmber, 0.9);
  DrawLantern(cr, 720, 450, 50, palette::kDusk, 0.85);
  PaintFrame(cr, 4, 550, 792, 48);
  PaintNote(cr, "Quick load: the last season started", 325, 575, 12);
}

void SaveScreen(cairo_t* cr) {
  PaintScene(cr, kW, kH, DawnLook(61));
  PaintTitle(cr, "Season complete!", 400, 72, 52);
  PaintNote(cr, "Keep your progress in a slot, or fly on without saving", 400, 128, 16);
  PaintSlotsFrame(cr);
  DrawLantern(cr, 400, 450, 50, palette::kEmber, 0.95);
  PaintFrame(cr, 4, 556, 792, 42);
}

void LoadingPicture(cairo_t* cr) {
  PaintScene(cr, kW, kH, EveningLook(81));
  PaintLogo(cr, 400, 230, 92);
  PaintTitle(cr, "Loading...", 400, 400, 40);
  PaintNote(cr, "Fly through every ring before the clock runs out", 400, 450, 17);
  DrawLantern(cr, 120, 470, 46, palette::kEmber, 0.9);
  DrawLantern(cr, 690, 480, 40, palette::kDusk, 0.85);
}

// The same title plate on the chooser picture and on the panel, so the cross-fade into the
// chooser does not make it jump.
void PaintChooserTitle(cairo_t* cr) {
  RoundedRectPath(cr, 210, 18, 380, 80, 16);
  SetLinear(cr, 0, 18, 0, 98, Hex(0x3D3378), palette::kNight);
  cairo_fill_preserve(cr);
  SetColour(cr, palette::kGold);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  PaintTitle(cr, "Choose your track", 400, 58, 40);
}

// The chooser picture shows alone while the screens cross-fade, then behind the panel.
void ChooserPicture(cairo_t* cr) {
  PaintScene(cr, kW, kH, EveningLook(71));
  const double rings[3][3] = {{150, 330, 90}, {206, 286, 50}, {236, 262, 28}};
  PaintRingCourse(cr, rings, 3, palette::kGold);
  DrawCraft(cr, 110, 420, 70, -0.5, {palette::kCream, palette::kInk, 2});
  PaintChooserTitle(cr);
  // Behind the thumbnail: a dark map screen, seen around thumbnails that are not square.
  RoundedRectPath(cr, kThumbLeft, kThumbTop, kThumbRight - kThumbLeft, kThumbBottom - kThumbTop, 4);
  SetColour(cr, palette::kNight);
  cairo_fill(cr);
  SetColour(cr, palette::kTeal, 0.35);
  cairo_set_line_width(cr, 0.8);
  for (double t = 0; t <= 183; t += 183.0 / 8) {
    cairo_move_to(cr, kThumbLeft + t, kThumbTop);
    cairo_line_to(cr, kThumbLeft + t, kThumbBottom);
    cairo_move_to(cr, kThumbLeft, kThumbTop + t);
    cairo_line_to(cr, kThumbRight, kThumbTop + t);
  }
  cairo_stroke(cr);
}

// Faint contour lines, as on a survey map, across the chooser's board.
void PaintContours(cairo_t* cr) {
  const double centres[3][2] = {{380, 520}, {720, 190}, {560, 330}};
  SetColour(cr, palette::kGold, 0.16);
  cairo_set_line_width(cr, 1.2);
  for (int c = 0; c < 3; ++c)
    for (int ring = 1; ring <= 9; ++ring) {
      const double base = ring * 22.0;
      for (int step = 0; step <= 96; ++step) {
        const double a = step * 2 * M_PI / 96;
        const double wobble = 1 + 0.16 * (LineFbm(a * 40 + c * 900, 30, 3, 5 + ring) - 0.5) * 2;
        const double x = centres[c][0] + std::cos(a) * base * 1.3 * wobble;
        const double y = centres[c][1] + std::sin(a) * base * wobble;
        step == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
      }
      cairo_close_path(cr);
      cairo_stroke(cr);
    }
}

void Socket(cairo_t* cr, double cx, double cy, double r) {
  CirclePath(cr, cx, cy, r);
  SetColour(cr, palette::kNight);
  cairo_fill_preserve(cr);
  SetColour(cr, palette::kGold);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

void PaintBoard(cairo_t* cr) {
  RoundedRectPath(cr, 284, 136, 530, 480, 22);
  SetLinear(cr, 0, 136, 0, 600, Hex(0x2A2358), palette::kNight);
  cairo_fill_preserve(cr);
  SetColour(cr, palette::kGold);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  RoundedRectPath(cr, 292, 144, 514, 470, 16);
  SetColour(cr, palette::kGold, 0.5);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  cairo_save(cr);
  RoundedRectPath(cr, 292, 144, 514, 470, 16);
  cairo_clip(cr);
  PaintContours(cr);
  cairo_restore(cr);
}

// The panel in front of the chooser picture: a map board with a window for the track's
// thumbnail and places for the arrows, ok and back. Everything else is see-through.
void TrackPanel(cairo_t* cr) {
  PaintBoard(cr);
  PaintChooserTitle(cr);
  PaintNote(cr, "Pick a valley with the arrows", 528, 172, 15);
  Socket(cr, 340.5, 323.5, 42);
  Socket(cr, 715.5, 323.5, 42);
  PaintNote(cr, "previous", 340.5, 384, 13);
  PaintNote(cr, "next", 715.5, 384, 13);
  Socket(cr, 530.5, 512.5, 90);
  RoundedRectPath(cr, 640, 469, 170, 140, 14);
  SetColour(cr, palette::kNight);
  cairo_fill_preserve(cr);
  SetColour(cr, palette::kGold);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  // The thumbnail's window, framed in gold, then cut out.
  RoundedRectPath(cr, kThumbLeft - 10, kThumbTop - 10, 203, 203, 8);
  SetColour(cr, palette::kGold);
  cairo_fill(cr);
  RoundedRectPath(cr, kThumbLeft - 5, kThumbTop - 5, 193, 193, 5);
  SetColour(cr, palette::kInk);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(cr, kThumbLeft, kThumbTop, kThumbRight - kThumbLeft, kThumbBottom - kThumbTop);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// The iris: a winged sun over the game's name. Only the alpha counts; the sun covers the
// middle seventh of the picture, so the last, seven-fold frames of the iris fill the window.
void StencilLogo(cairo_t* cr) {
  SetColour(cr, palette::kCream);
  CirclePath(cr, 400, 300, 82);
  cairo_fill(cr);
  for (int side = -1; side <= 1; side += 2)
    for (int feather = 0; feather < 4; ++feather) {
      const double inner = 70 + feather * 4, length = 250 - feather * 45, lift = 70 - feather * 20;
      const double thick = 26 - feather * 3, y = 286 + feather * 22;
      cairo_move_to(cr, 400 + side * inner, y);
      cairo_curve_to(cr, 400 + side * (inner + length * 0.5), y - lift * 0.2, 400 + side * (inner + length * 0.8),
                     y - lift, 400 + side * (inner + length), y - lift * 1.2);
      cairo_curve_to(cr, 400 + side * (inner + length * 0.75), y - lift * 0.6 + thick,
                     400 + side * (inner + length * 0.4), y + thick, 400 + side * inner, y + thick);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
  TTextStyle word;
  word.font = fonts::kTitle;
  word.size = 86;
  word.top = word.bottom = palette::kCream;
  DrawText(cr, "Velmora", 400, 456, word);
}

}  // namespace

void DrawMenuScreens(TPictureOutput& out) {
  out.Jpeg("img/menu_bckgrnd.jpg", Face(MainMenu, TEdge::Opaque));
  out.Jpeg("img/1Player_bckgrnd.jpg", Face(OnePlayer, TEdge::Opaque));
  out.Jpeg("img/2Players_BckGrnd.jpg", Face(TwoPlayers, TEdge::Opaque));
  out.Jpeg("img/options_bckgrnd.jpg", Face(Options, TEdge::Opaque));
  out.Jpeg("img/controls_bckgrnd.jpg", Face(PaintControlsScreen, TEdge::Opaque));
  out.Jpeg("img/bckgrnd_load.jpg", Face(LoadScreen, TEdge::Opaque));
  out.Jpeg("img/BckGrnd_save.jpg", Face(SaveScreen, TEdge::Opaque));
  out.Jpeg("img/chargement2.jpg", Face(LoadingPicture, TEdge::Opaque));
  out.Jpeg("img/choiceTrack_BckGrnd.jpg", Face(ChooserPicture, TEdge::Opaque));
  out.Tga("img/track_bckgrnd4.tga", Face(TrackPanel, TEdge::Hard), TTgaPacking::Rle);
  out.Tga("img/stencil_tovelu.tga", Face(StencilLogo, TEdge::Hard), TTgaPacking::Rle);
}
