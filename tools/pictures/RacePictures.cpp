#include "tools/pictures/RacePictures.h"

#include <cmath>
#include <string>

#include "tools/pictures/ButtonArt.h"
#include "tools/pictures/Canvas.h"
#include "tools/pictures/Icons.h"
#include "tools/pictures/Style.h"

namespace {

// The race keeps the alpha test at 0.75 while the HUD is drawn: its pieces are solid, with
// only their antialiased rims softer than that.
constexpr double kHudBodyAlpha = 0.9;

void CompassWindow(cairo_t* cr, double cx, double cy, double r) {
  CirclePath(cr, cx, cy, r);
  SetColour(cr, palette::kGold);
  cairo_fill(cr);
  CirclePath(cr, cx, cy, r - 6);
  SetRadial(cr, cx, cy, r, Hex(0x2A2458), Hex(0x07060F), 1, 1);
  cairo_fill(cr);
  for (int tick = 0; tick < 24; ++tick) {
    const double a = tick * M_PI / 12, inner = tick % 6 == 0 ? r - 26 : r - 16;
    cairo_move_to(cr, cx + std::cos(a) * inner, cy + std::sin(a) * inner);
    cairo_line_to(cr, cx + std::cos(a) * (r - 9), cy + std::sin(a) * (r - 9));
  }
  SetColour(cr, palette::kPaleGold, 0.7);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  for (int point = 0; point < 4; ++point) {  // a faint rose under the arrow
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, point * M_PI / 2);
    DiamondPath(cr, 0, -(r - 30) / 2, 9, (r - 30) / 2);
    cairo_restore(cr);
  }
  SetColour(cr, palette::kGold, 0.25);
  cairo_fill(cr);
}

// The timer's digits show in its left half: two slots of 98 x 127 from (14, 50). The race's
// compass arrow turns over its right half, about (324, 118): that half is a compass window.
void Timer(cairo_t* cr) {
  RoundedRectPath(cr, 6, 6, 432, 237, 44);
  SetColour(cr, palette::kInk);
  cairo_fill(cr);
  RoundedRectPath(cr, 11, 11, 422, 227, 40);
  SetColour(cr, palette::kGold);
  cairo_fill(cr);
  RoundedRectPath(cr, 18, 18, 408, 213, 34);
  SetLinear(cr, 0, 18, 0, 231, Hex(0x3D3378), palette::kNight, kHudBodyAlpha, kHudBodyAlpha);
  cairo_fill(cr);
  RoundedRectPath(cr, 22, 36, 184, 146, 18);
  SetColour(cr, palette::kGold, 0.9);
  cairo_fill(cr);
  RoundedRectPath(cr, 27, 41, 174, 136, 14);
  SetLinear(cr, 0, 41, 0, 177, Hex(0x05040E), Hex(0x1A1636));
  cairo_fill(cr);
  cairo_move_to(cr, 114, 50);
  cairo_line_to(cr, 114, 168);
  SetColour(cr, palette::kGold, 0.35);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  TTextStyle label{fonts::kLabel, 26, palette::kCream, palette::kPaleGold, palette::kInk, 2.5, 150, 0};
  DrawText(cr, "TIME", 114, 205, label);
  CompassWindow(cr, 324, 118, 96);
}

constexpr double kLanternY = 104;

// Five lanterns on a rope, one per digit of the score: their centres are the digit slots.
void Lanterns(cairo_t* cr) {
  cairo_move_to(cr, 4, 24);
  cairo_curve_to(cr, 180, 44, 376, 44, 552, 24);
  SetColour(cr, palette::kInk);
  cairo_set_line_width(cr, 5);
  cairo_stroke(cr);
  for (int slot = 0; slot < 5; ++slot) {
    const double x = 87.5 + 95 * slot;
    cairo_move_to(cr, x, 34);
    cairo_line_to(cr, x, 50);
    SetColour(cr, palette::kInk);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    DrawLantern(cr, x, kLanternY, 86, slot % 2 ? palette::kDusk : palette::kEmber, 0.95);
  }
  TTextStyle label{fonts::kLabel, 26, palette::kCream, palette::kPaleGold, palette::kInk, 3, 120, 0};
  DrawText(cr, "SCORE", 48, 186, label);
}

void Digit(cairo_t* cr, int digit, double w, double h, double glyph, TRgb top, TRgb bottom, TRgb outline) {
  TTextStyle style{fonts::kDigits, glyph, top, bottom, outline, glyph * 0.06, 0, 0};
  DrawGlyphsCentred(cr, std::to_string(digit), w / 2, h / 2, style);
}

void WriteHud(TPictureOutput& out) {
  {
    TCanvas canvas(256, 128, 444, 249);
    Timer(canvas.Cr());
    out.Tga("img/timer.tga", canvas.Take(TEdge::Soft), TTgaPacking::Raw);
  }
  {
    TCanvas canvas(512, 128, 556, 206);
    Lanterns(canvas.Cr());
    out.Tga("img/lanternes_score.tga", canvas.Take(TEdge::Soft), TTgaPacking::Raw);
  }
  for (int digit = 0; digit <= 9; ++digit) {
    // Lantern-light figures in the timer's dark window.
    TCanvas timer(64, 64, 98, 127);
    Digit(timer.Cr(), digit, 98, 127, 96, palette::kPaleGold, palette::kEmber, palette::kInk);
    out.Tga("img/timer_numbers_/" + std::to_string(digit) + ".tga", timer.Take(TEdge::Soft), TTgaPacking::Raw);
    // Ink figures brushed on the lanterns; also shown on the pale end-of-race backdrop.
    TCanvas score(64, 128, 95, 215);
    Digit(score.Cr(), digit, 95, 215, 72, Hex(0x3A1408), palette::kInk, palette::kCream);
    out.Tga("img/score_numbers_/" + std::to_string(digit) + ".tga", score.Take(TEdge::Soft), TTgaPacking::Raw);
  }
}

constexpr double kDialCentreX = 187, kDialCentreY = 186;

// The ring the mouse drags along, between 135 and 166 units from the centre, with a socket
// under each notch so that the unlit steps show too.
void DialRing(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_arc(cr, kDialCentreX, kDialCentreY, 166, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, kDialCentreX, kDialCentreY, 135, 2 * M_PI, 0);
  SetColour(cr, Hex(0x07060F), 0.97);
  cairo_fill(cr);
  SetColour(cr, palette::kGold, 0.8);
  cairo_set_line_width(cr, 2);
  CirclePath(cr, kDialCentreX, kDialCentreY, 168);
  cairo_stroke(cr);
  CirclePath(cr, kDialCentreX, kDialCentreY, 133);
  cairo_stroke(cr);
  for (int notch = 0; notch < 32; ++notch) {
    double x, y;
    DialNotchCentre(notch, x, y);
    CirclePath(cr, x, y, 9);
    SetColour(cr, Hex(0x2A2236));
    cairo_fill_preserve(cr);
    SetColour(cr, palette::kEmber, 0.45);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
}

void Dial(cairo_t* cr) {
  CirclePath(cr, kDialCentreX, kDialCentreY, 184);
  SetColour(cr, palette::kInk);
  cairo_fill(cr);
  CirclePath(cr, kDialCentreX, kDialCentreY, 181);
  SetColour(cr, palette::kGold);
  cairo_fill(cr);
  CirclePath(cr, kDialCentreX, kDialCentreY, 175);
  SetRadial(cr, kDialCentreX, kDialCentreY - 40, 220, Hex(0x3D3378), palette::kNight, 0.92, 0.92);
  cairo_fill(cr);
  DialRing(cr);
  DrawSpeaker(cr, kDialCentreX, 92, 78, {palette::kCream, palette::kInk, 3});
  TTextStyle hint{fonts::kText, 14, palette::kPaleGold, palette::kPaleGold, palette::kInk, 0, 200, 0};
  DrawText(cr, "drag along the ring", kDialCentreX, 236, hint);
}

void Notch(cairo_t* cr) {
  CirclePath(cr, 13, 13, 12);
  SetColour(cr, palette::kInk, 0.9);
  cairo_fill(cr);
  CirclePath(cr, 13, 13, 10.5);
  SetRadial(cr, 11, 10, 13, Hex(0xFFF0B0), Hex(0xE0600C), 1, 1);
  cairo_fill(cr);
}

void Caption(cairo_t* cr, const std::string& text, double w, double h) {
  TTextStyle style{fonts::kLabel, h * 0.72, palette::kCream, palette::kPaleGold, palette::kInk, 3, w - 8, 2};
  DrawText(cr, text, w / 2, h / 2, style);
}

// A warm glow round the ring of the dial the keys turn, laid over the dial.
void WriteDialFocus(TPictureOutput& out) {
  TCanvas canvas(512, 512, 373, 373);
  cairo_t* cr = canvas.Cr();
  for (double r : {173.0, 128.0}) {
    CirclePath(cr, kDialCentreX, kDialCentreY, r);
    SetColour(cr, palette::kEmber);
    cairo_set_line_width(cr, 10);
    cairo_stroke(cr);
  }
  out.Tga("img/gameOptions/dial_focus.tga", canvas.Take(TEdge::Soft), TTgaPacking::Rle);
}

void WriteOverlay(TPictureOutput& out) {
  {
    TCanvas canvas(512, 512, 373, 373);
    Dial(canvas.Cr());
    out.Tga("img/gameOptions/img_sound.tga", canvas.Take(TEdge::Soft), TTgaPacking::Rle);
  }
  {
    TCanvas canvas(32, 32, 26, 26);
    Notch(canvas.Cr());
    out.Tga("img/gameOptions/bouton_orange.tga", canvas.Take(TEdge::Soft), TTgaPacking::Raw);
  }
  const struct {
    const char* path;
    const char* text;
    double w, h;
  } captions[2] = {{"img/gameOptions/volume.tga", "Music", 152, 41},
                   {"img/gameOptions/effets.tga", "Effects", 145, 40}};
  for (const auto& caption : captions) {
    TCanvas canvas(256, 64, caption.w, caption.h);
    Caption(canvas.Cr(), caption.text, caption.w, caption.h);
    out.Tga(caption.path, canvas.Take(TEdge::Soft), TTgaPacking::Rle);
  }
  // One picture for every state of these two: the plain look.
  const TButtonDesign resume{156, 99, "Resume", "", DrawPlay};
  const TButtonDesign leave{156, 99, "Leave race", "", DrawDoor};
  for (const auto* design : {&resume, &leave}) {
    TCanvas canvas(256, 128, 156, 99);
    TButtonDesign stacked = *design;
    stacked.iconAbove = true;
    PaintButton(canvas.Cr(), stacked, TButtonState::Inactive);
    out.Tga(design == &resume ? "img/gameOptions/bouton_retour.tga" : "img/gameOptions/bouton_quitter.tga",
            canvas.Take(TEdge::Soft), TTgaPacking::Rle);
    // The keys' focus: the hover look.
    TCanvas focus(256, 128, 156, 99);
    PaintButton(focus.Cr(), stacked, TButtonState::Focus);
    out.Tga(design == &resume ? "img/gameOptions/bouton_retour_focus.tga" : "img/gameOptions/bouton_quitter_focus.tga",
            focus.Take(TEdge::Soft), TTgaPacking::Rle);
  }
  WriteDialFocus(out);
}

// A notice of the network race on a gold-rimmed night plaque, shown across the top of
// the view (half the window wide, 8% of its height).
void WriteLanPlaque(TPictureOutput& out, const char* path, const char* text, double size) {
  TCanvas canvas(512, 64, 512, 61);
  cairo_t* cr = canvas.Cr();
  RoundedRectPath(cr, 2, 2, 508, 57, 14);
  SetColour(cr, palette::kGold);
  cairo_fill(cr);
  RoundedRectPath(cr, 6, 6, 500, 49, 11);
  SetColour(cr, palette::kNight, 0.95);
  cairo_fill(cr);
  TTextStyle style{fonts::kLabel, size, palette::kCream, palette::kPaleGold, palette::kInk, 2, 470, 0};
  DrawText(cr, text, 256, 30.5, style);
  out.Tga(path, canvas.Take(TEdge::Soft), TTgaPacking::Rle);
}

// When the other player stops answering.
void WriteLanNotice(TPictureOutput& out) {
  WriteLanPlaque(out, "img/lan/gone.tga", "The other player has left the race", 26);
}

// While a game waits alone for the other player.
void WriteLanWaiting(TPictureOutput& out) {
  WriteLanPlaque(out, "img/lan/waiting.tga",
                 "Waiting for the other player  -  Esc: back to the menu", 22);
}

// The countdown before a network race: 3, 2, 1, each a large digit on a gold disc.
void WriteLanCountdown(TPictureOutput& out) {
  for (int digit = 1; digit <= 3; ++digit) {
    TCanvas canvas(128, 128, 128, 128);
    cairo_t* cr = canvas.Cr();
    cairo_arc(cr, 64, 64, 60, 0, 2 * M_PI);
    SetColour(cr, palette::kGold);
    cairo_fill(cr);
    cairo_arc(cr, 64, 64, 54, 0, 2 * M_PI);
    SetColour(cr, palette::kNight, 0.95);
    cairo_fill(cr);
    TTextStyle style{fonts::kLabel, 80, palette::kCream, palette::kPaleGold, palette::kInk, 3, 0, 0};
    DrawText(cr, std::to_string(digit), 64, 64, style);
    out.Tga("img/lan/count" + std::to_string(digit) + ".tga", canvas.Take(TEdge::Soft),
            TTgaPacking::Rle);
  }
}

}  // namespace

void DialNotchCentre(int index, double& x, double& y) {
  // The first notch sits 149 units left of the dial's centre and 29 above it.
  const double angle = index * 11.0 * M_PI / 180.0;
  const double dx = -149, dy = -29;
  x = kDialCentreX + dx * std::cos(angle) - dy * std::sin(angle);
  y = kDialCentreY + dx * std::sin(angle) + dy * std::cos(angle);
}

void DrawRacePictures(TPictureOutput& out) {
  WriteHud(out);
  WriteOverlay(out);
  WriteLanNotice(out);
  WriteLanWaiting(out);
  WriteLanCountdown(out);
}
