#include "tools/pictures/EndPictures.h"

#include <cmath>
#include <string>

#include "tools/pictures/Canvas.h"
#include "tools/pictures/Icons.h"
#include "tools/pictures/Noise.h"
#include "tools/pictures/Scenery.h"
#include "tools/pictures/Style.h"

namespace {

struct TRibbonColours {
  TRgb light, dark, fold, text, textOutline;
};

// A ribbon across the screen with forked tails folded behind its ends.
void Ribbon(cairo_t* cr, double w, double h, const TRibbonColours& colours, const std::string& text) {
  const double top = h * 0.2, bottom = h * 0.8, inset = w * 0.1;
  for (int side = -1; side <= 1; side += 2) {
    const double edge = side < 0 ? 4 : w - 4, inner = side < 0 ? inset + 30 : w - inset - 30;
    cairo_move_to(cr, inner, top + h * 0.14);
    cairo_line_to(cr, edge, top + h * 0.14);
    cairo_line_to(cr, edge + side * -w * 0.04, (top + bottom) / 2 + h * 0.14);
    cairo_line_to(cr, edge, bottom + h * 0.14);
    cairo_line_to(cr, inner, bottom + h * 0.14);
    cairo_close_path(cr);
    SetColour(cr, colours.fold);
    cairo_fill_preserve(cr);
    SetColour(cr, palette::kInk);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
  }
  cairo_move_to(cr, inset, top);
  cairo_curve_to(cr, w * 0.35, top - h * 0.08, w * 0.65, top - h * 0.08, w - inset, top);
  cairo_line_to(cr, w - inset, bottom);
  cairo_curve_to(cr, w * 0.65, bottom - h * 0.08, w * 0.35, bottom - h * 0.08, inset, bottom);
  cairo_close_path(cr);
  SetLinear(cr, 0, top, 0, bottom, colours.light, colours.dark);
  cairo_fill_preserve(cr);
  SetColour(cr, palette::kInk);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  TTextStyle style{fonts::kTitle, h * 0.36, colours.text, Mix(colours.text, palette::kInk, 0.3), colours.textOutline,
                   h * 0.02, w - 2 * inset - 80, 0};
  DrawText(cr, text, w / 2, (top + bottom) / 2 - h * 0.03, style);
}

// A lacquer plaque with a title and up to two lines under it.
void Plaque(cairo_t* cr, double w, double h, double titleY, const std::string& title, const std::string& line1,
            const std::string& line2, double linesY) {
  RoundedRectPath(cr, 4, 4, w - 8, h - 8, 30);
  SetColour(cr, palette::kInk);
  cairo_fill(cr);
  RoundedRectPath(cr, 9, 9, w - 18, h - 18, 26);
  SetColour(cr, palette::kGold);
  cairo_fill(cr);
  RoundedRectPath(cr, 16, 16, w - 32, h - 32, 20);
  SetLinear(cr, 0, 16, 0, h - 16, Hex(0x3D3378), palette::kNight);
  cairo_fill(cr);
  PaintTitle(cr, title, w / 2, titleY, 58);
  TTextStyle note{fonts::kText, 21, palette::kCream, palette::kPaleGold, palette::kInk, 1.5, w - 60, 0};
  DrawText(cr, line1, w / 2, linesY, note);
  if (!line2.empty()) DrawText(cr, line2, w / 2, linesY + 32, note);
}

void WinPicture(cairo_t* cr) {
  Plaque(cr, 517, 256, 92, "Well flown!", "Every ring caught before the clock ran out", "", 170);
  for (int i = 0; i < 5; ++i) {
    const double x = 60 + i * 99.25;
    BlossomPath(cr, x, 222, 11, i * 0.7);
    SetColour(cr, palette::kSakura);
    cairo_fill(cr);
    CirclePath(cr, x, 222, 3);
    SetColour(cr, palette::kGold);
    cairo_fill(cr);
  }
  DrawCraft(cr, 458, 60, 56, 0.9, {palette::kCream, palette::kInk, 2});
}

// In the time-attack race the score is written over the bottom of this picture in dark ink
// (slots centred 381 units down): a paper footer keeps it legible.
void LosePicture(cairo_t* cr) {
  Plaque(cr, 517, 412, 76, "Out of time", "The rings will wait for you.", "Fly again!", 268);
  cairo_save(cr);
  RoundedRectPath(cr, 16, 16, 517 - 32, 412 - 32, 20);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 346, 517, 70);
  SetLinear(cr, 0, 346, 0, 396, palette::kCream, Hex(0xEBCF9A));
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_move_to(cr, 16, 346);
  cairo_line_to(cr, 501, 346);
  SetColour(cr, palette::kGold);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  // A lantern gone dark, on its cord.
  cairo_move_to(cr, 258.5, 112);
  cairo_line_to(cr, 258.5, 138);
  SetColour(cr, palette::kCream, 0.8);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  DrawLantern(cr, 258.5, 186, 70, Hex(0x6A5A7A), 0.1);
  for (int i = 0; i < 6; ++i) {
    PetalPath(cr, 120 + i * 56, 140 + (i % 3) * 34, 12, 0.5 + i);
    SetColour(cr, palette::kSakura, 0.7);
    cairo_fill(cr);
  }
}

// Falling petals and a fine rain on a pale ground. The pattern wraps around at every edge:
// the two rows of tiles meet without a seam, and the overlap in the middle shows none.
template <typename TPaintAt>
void Wrapped(double w, double h, double x, double y, TPaintAt paint) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) paint(x + dx * w, y + dy * h);
}

void Backdrop(cairo_t* cr) {
  const double w = 518, h = 306;
  SetColour(cr, Hex(0xFBE8EF));
  cairo_paint(cr);
  TRandom random(2024);
  SetColour(cr, Hex(0xC9A8D8), 0.35);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < 110; ++i) {
    const double x = random.Uniform(0, w), y = random.Uniform(0, h), length = random.Uniform(12, 30);
    Wrapped(w, h, x, y, [&](double px, double py) {
      cairo_move_to(cr, px, py);
      cairo_line_to(cr, px + length * 0.35, py + length);
    });
  }
  cairo_stroke(cr);
  for (int i = 0; i < 80; ++i) {
    const double x = random.Uniform(0, w), y = random.Uniform(0, h);
    const double length = random.Uniform(5, 12), angle = random.Uniform(0, 2 * M_PI);
    const TRgb colour = Mix(palette::kSakura, Hex(0xE88AA6), random.Uniform(0, 0.6));
    Wrapped(w, h, x, y, [&](double px, double py) { PetalPath(cr, px, py, length, angle); });
    SetColour(cr, colour, random.Uniform(0.6, 0.95));
    cairo_fill(cr);
  }
  for (int i = 0; i < 8; ++i) {
    const double x = random.Uniform(0, w), y = random.Uniform(0, h);
    const double radius = random.Uniform(8, 14), angle = random.Uniform(0, 6.3);
    Wrapped(w, h, x, y, [&](double px, double py) { BlossomPath(cr, px, py, radius, angle); });
    SetColour(cr, palette::kSakura, 0.85);
    cairo_fill(cr);
  }
}

// Letters for the records, in cream with a dark outline: legible on the pale blossom
// backdrop of the end sequence and on the track chooser's panel alike.
TTextStyle RecordStyle(double size, double maxWidth) {
  return {fonts::kDigits, size, palette::kCream, palette::kPaleGold, palette::kInk, size * 0.09, maxWidth, 0};
}

void RecordWord(TPictureOutput& out, const std::string& path, const std::string& text, int stored, double width) {
  TCanvas canvas(stored, 64, width, 64);
  DrawText(canvas.Cr(), text, width / 2, 32, RecordStyle(40, width - 8));
  out.Tga(path, canvas.Take(TEdge::Soft), TTgaPacking::Rle);
}

// A gold seal with a ribbon, "New record!" across it.
void NewRecordBadge(cairo_t* cr) {
  const double w = 360, h = 120;
  RoundedRectPath(cr, 6, 10, w - 12, h - 20, 40);
  SetColour(cr, palette::kInk);
  cairo_fill(cr);
  RoundedRectPath(cr, 12, 16, w - 24, h - 32, 34);
  SetLinear(cr, 0, 16, 0, h - 16, palette::kPaleGold, palette::kEmber);
  cairo_fill(cr);
  for (int i = 0; i < 2; ++i) {
    BlossomPath(cr, i == 0 ? 40 : w - 40, h / 2, 16, i * 0.6);
    SetColour(cr, palette::kSakura);
    cairo_fill(cr);
  }
  TTextStyle style{fonts::kTitle, 50, palette::kCream, palette::kCream, palette::kInk, 4, w - 120, 0};
  DrawText(cr, "New record!", w / 2, h / 2, style);
}

// The records' pictures: the digits and signs of a time ("1:01.23"), the words around
// it, and the badge of a new record.
void DrawRecordPictures(TPictureOutput& out) {
  const std::string glyphs = "0123456789:.";
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const bool sign = i >= 10;
    const double width = sign ? 20 : 40;
    TCanvas canvas(sign ? 32 : 64, 64, width, 64);
    DrawText(canvas.Cr(), std::string(1, glyphs[i]), width / 2, 32, RecordStyle(44, 0));
    const std::string name = i == 10 ? "colon" : i == 11 ? "point" : "digit_" + std::to_string(i);
    out.Tga("img/records/" + name + ".tga", canvas.Take(TEdge::Soft), TTgaPacking::Rle);
  }
  RecordWord(out, "img/records/time_used.tga", "Time", 256, 160);
  RecordWord(out, "img/records/best_time.tga", "Best time", 512, 300);
  RecordWord(out, "img/records/previous_best.tga", "Previous best", 512, 400);
  RecordWord(out, "img/records/no_record.tga", "No record yet", 512, 420);
  TCanvas badge(512, 128, 360, 120);
  NewRecordBadge(badge.Cr());
  out.Tga("img/records/new_record.tga", badge.Take(TEdge::Soft), TTgaPacking::Rle);
}

}  // namespace

void DrawEndPictures(TPictureOutput& out) {
  DrawRecordPictures(out);
  const TRibbonColours won{palette::kPaleGold, palette::kEmber, Hex(0xB85A1C), palette::kInk, palette::kCream};
  const TRibbonColours lost{Hex(0x8A84B8), Hex(0x3A3470), Hex(0x2A2450), palette::kCream, palette::kInk};
  {
    TCanvas canvas(1024, 256, 703, 164);
    Ribbon(canvas.Cr(), 703, 164, won, "Course complete!");
    out.Tga("img/win_lose/transition_win.tga", canvas.Take(TEdge::Soft), TTgaPacking::Rle);
  }
  {
    TCanvas canvas(1024, 256, 705, 162);
    Ribbon(canvas.Cr(), 705, 162, lost, "Time's up");
    out.Tga("img/win_lose/transition_lose.tga", canvas.Take(TEdge::Soft), TTgaPacking::Rle);
  }
  {
    TCanvas canvas(512, 256, 517, 256);
    WinPicture(canvas.Cr());
    out.Tga("img/win_lose/win.tga", canvas.Take(TEdge::Soft), TTgaPacking::Rle);
  }
  {
    TCanvas canvas(512, 512, 517, 412);
    LosePicture(canvas.Cr());
    out.Tga("img/win_lose/lose.tga", canvas.Take(TEdge::Soft), TTgaPacking::Rle);
  }
  {
    TCanvas canvas(512, 256, 518, 306);
    Backdrop(canvas.Cr());
    out.Tga("img/win_lose/sakura_no_ame.tga", canvas.Take(TEdge::Soft), TTgaPacking::Raw);
  }
}
