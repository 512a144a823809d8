#include "tools/pictures/MenuButtons.h"

#include <cmath>
#include <functional>
#include <string>

#include "tools/pictures/Canvas.h"
#include "tools/pictures/ControlsArt.h"

namespace {

using TPaint = std::function<void(cairo_t*, TButtonState)>;

TPicture Draw(double width, double height, const TPaint& paint, TButtonState state) {
  TCanvas canvas(StoredSize(width * kMenuPixelsPerUnit), StoredSize(height * kMenuPixelsPerUnit), width, height);
  paint(canvas.Cr(), state);
  return canvas.Take(TEdge::Hard);
}

void Write(TPictureOutput& out, const std::string& path, double width, double height, const TPaint& paint,
           TButtonState state) {
  out.Tga(path, Draw(width, height, paint, state), TTgaPacking::Rle);
}

TPaint Standard(const TButtonDesign& design) {
  return [design](cairo_t* cr, TButtonState state) { PaintButton(cr, design, state); };
}

// Main menu: the three states are all different.
void WriteThreeStates(TPictureOutput& out, const std::string& folder, const TButtonDesign& design) {
  const TPaint paint = Standard(design);
  Write(out, folder + "/inactive.tga", design.width, design.height, paint, TButtonState::Inactive);
  Write(out, folder + "/focus.tga", design.width, design.height, paint, TButtonState::Focus);
  Write(out, folder + "/active.tga", design.width, design.height, paint, TButtonState::Active);
}

// Screens whose second picture serves both hover and press: it gets the hover look, which
// reads as "this is the one" for both.
void WriteTwoStates(TPictureOutput& out, const std::string& folder, const std::string& second,
                    double width, double height, const TPaint& paint) {
  Write(out, folder + "/inactive.tga", width, height, paint, TButtonState::Inactive);
  Write(out, folder + "/" + second + ".tga", width, height, paint, TButtonState::Focus);
}

void WriteMain(TPictureOutput& out) {
  auto craft = [](cairo_t* cr, double cx, double cy, double size, const TIconColours& c) {
    DrawCraft(cr, cx, cy, size, 0.35, c);
  };
  auto crafts = [](cairo_t* cr, double cx, double cy, double size, const TIconColours& c) {
    DrawCraft(cr, cx - size * 0.2, cy + size * 0.14, size * 0.62, 0.35, c);
    DrawCraft(cr, cx + size * 0.18, cy - size * 0.16, size * 0.62, 0.35, c);
  };
  WriteThreeStates(out, "img/boutons/main/1Player", {250, 90, "Play alone", "", craft});
  WriteThreeStates(out, "img/boutons/main/2Players", {250, 90, "Two players", "", crafts});
  WriteThreeStates(out, "img/boutons/main/options", {250, 90, "Options", "", DrawGear});
  WriteThreeStates(out, "img/boutons/main/Quit", {250, 90, "Quit", "", DrawPower});
}

void WriteOnePlayer(TPictureOutput& out) {
  const TButtonDesign timeAttack{187, 59, "Time attack", "", DrawStopwatch};
  const TButtonDesign story{149, 59, "Story", "", DrawScroll};
  const TButtonDesign back{129, 59, "Back", "", DrawBackArrow};
  WriteTwoStates(out, "img/boutons/1Player/Time Attack", "focus", 187, 59, Standard(timeAttack));
  WriteTwoStates(out, "img/boutons/1Player/scenario", "focus", 149, 59, Standard(story));
  WriteTwoStates(out, "img/boutons/1Player/retour", "focus", 129, 59, Standard(back));
}

TButtonDesign BigBack(double width, double height) {
  TButtonDesign back{width, height, "Back", "", DrawBackArrow};
  back.iconAbove = true;
  return back;
}

void WriteTwoPlayers(TPictureOutput& out) {
  TButtonDesign lan{232, 136, "LAN", "two computers", DrawNetwork};
  TButtonDesign local{241, 137, "Split screen", "one computer", DrawSplitScreen};
  lan.iconAbove = local.iconAbove = true;
  WriteTwoStates(out, "img/boutons/2players/LAN", "active", 232, 136, Standard(lan));
  WriteTwoStates(out, "img/boutons/2players/Local", "active", 241, 137, Standard(local));
  WriteTwoStates(out, "img/boutons/2players/Retour", "active", 153, 127, Standard(BigBack(153, 127)));
}

void DrawMinusSign(cairo_t* cr, double cx, double cy, double size, const TIconColours& c) {
  RoundedRectPath(cr, cx - size * 0.4, cy - size * 0.1, size * 0.8, size * 0.2, size * 0.05);
  FillOutlined(cr, c);
}

void DrawPlusSign(cairo_t* cr, double cx, double cy, double size, const TIconColours& c) {
  RoundedRectPath(cr, cx - size * 0.4, cy - size * 0.1, size * 0.8, size * 0.2, size * 0.05);
  RoundedRectPath(cr, cx - size * 0.1, cy - size * 0.4, size * 0.2, size * 0.8, size * 0.05);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  FillOutlined(cr, c);
}

TPaint SignButton(TIconDraw sign, double width) {
  return [sign, width](cairo_t* cr, TButtonState state) {
    PaintPlaque(cr, width / 2 - 42, 2, 84, 81, TButtonShape::Round, state);
    const double shift = state == TButtonState::Active ? 1.5 : 0;
    sign(cr, width / 2 + shift, 42.5 + shift, 44, IconColours(state, 44));
  };
}

void DrawNote(cairo_t* cr, double cx, double cy, double size, const TIconColours& c) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - size * 0.18, cy + size * 0.28);
  cairo_line_to(cr, cx - size * 0.18, cy - size * 0.36);
  cairo_line_to(cr, cx + size * 0.34, cy - size * 0.46);
  cairo_line_to(cr, cx + size * 0.34, cy + size * 0.18);
  SetColour(cr, c.line);
  cairo_set_line_width(cr, size * 0.1 + 2 * c.lineWidth);
  cairo_stroke_preserve(cr);
  SetColour(cr, c.fill);
  cairo_set_line_width(cr, size * 0.1);
  cairo_stroke(cr);
  for (double x : {-0.3, 0.22}) {
    cairo_save(cr);
    cairo_translate(cr, cx + x * size, cy + (x < 0 ? 0.3 : 0.2) * size);
    cairo_scale(cr, size * 0.15, size * 0.11);
    CirclePath(cr, 0, 0, 1);
    cairo_restore(cr);
    FillOutlined(cr, c);
  }
}

// The row captions are labels, not buttons: a paper tag rather than a lacquer plaque.
TPaint Caption(const std::string& text, TIconDraw icon) {
  return [text, icon](cairo_t* cr, TButtonState) {
    RoundedRectPath(cr, 2, 6, 176, 58, 12);
    SetColour(cr, palette::kInk);
    cairo_fill(cr);
    RoundedRectPath(cr, 5, 9, 170, 52, 10);
    SetLinear(cr, 0, 9, 0, 61, palette::kCream, Hex(0xEBCF9A));
    cairo_fill(cr);
    TIconColours colours{palette::kEmber, palette::kInk, 1.5};
    icon(cr, 34, 35, 34, colours);
    TTextStyle style{fonts::kLabel, 27, palette::kInk, Hex(0x5A240C), palette::kInk, 0, 112, 0};
    DrawText(cr, text, 112, 35, style);
  };
}

void WriteOptions(TPictureOutput& out) {
  // The first row sets the music volume and the second the effects, whatever the folders
  // are called: the captions say what each row does.
  const std::string rows[2] = {"img/boutons/options/effets", "img/boutons/options/musique"};
  Write(out, rows[0] + "/effets.tga", 180, 70, Caption("Music", DrawNote), TButtonState::Inactive);
  Write(out, rows[1] + "/musique.tga", 180, 70, Caption("Effects", DrawSpeaker), TButtonState::Inactive);
  for (const std::string& row : rows) {
    const double minusWidth = row == rows[0] ? 96 : 95;
    for (TButtonState state : {TButtonState::Inactive, TButtonState::Active}) {
      const std::string suffix = state == TButtonState::Active ? " active.tga" : " inactive.tga";
      Write(out, row + "/minus" + suffix, minusWidth, 85, SignButton(DrawMinusSign, minusWidth), state);
      Write(out, row + "/plus" + suffix, minusWidth, 85, SignButton(DrawPlusSign, minusWidth), state);
    }
  }
  const TPaint load = Standard({227, 70, "Load", "", DrawFloppy});
  const TPaint back = Standard({227, 70, "Back", "", DrawBackArrow});
  const TPaint controls = Standard({227, 70, "Controls", "", DrawGamepad});
  for (TButtonState state : {TButtonState::Inactive, TButtonState::Active}) {
    const std::string name = state == TButtonState::Active ? "/active.tga" : "/inactive.tga";
    Write(out, "img/boutons/options/charger" + name, 227, 70, load, state);
    Write(out, "img/boutons/options/retour" + name, 227, 70, back, state);
    Write(out, "img/boutons/options/controles" + name, 227, 70, controls, state);
  }
}

TPaint SlotButton(int slot) {
  return [slot](cairo_t* cr, TButtonState state) {
    PaintPlaque(cr, 0, 0, 116, 116, TButtonShape::Plaque, state);
    DrawText(cr, "Slot", 58, 30, LabelStyle(state, 20, 90));
    DrawText(cr, std::to_string(slot), 58, 70, LabelStyle(state, 46, 90));
  };
}

// One picture for every state the mouse gives these: they are drawn in the plain look. The
// keys' focus has the hover look, or it could not be seen.
void WritePlainWithKeyFocus(TPictureOutput& out, const std::string& plain, const std::string& focus,
                            const TButtonDesign& design) {
  Write(out, plain, design.width, design.height, Standard(design), TButtonState::Inactive);
  Write(out, focus, design.width, design.height, Standard(design), TButtonState::Focus);
}

void WriteLoadAndSave(TPictureOutput& out) {
  for (int slot = 1; slot <= 3; ++slot)
    WriteTwoStates(out, "img/charger/slot" + std::to_string(slot), "active", 116, 116, SlotButton(slot));
  WritePlainWithKeyFocus(out, "img/charger/retour/active.tga", "img/charger/retour/focus.tga",
                         {154, 34, "Back", "", nullptr});
  WritePlainWithKeyFocus(out, "img/charger/quickload/active.tga", "img/charger/quickload/focus.tga",
                         {311, 28, "Quick load", "", nullptr});
  WritePlainWithKeyFocus(out, "img/sauvegarder/continue.tga", "img/sauvegarder/continue_focus.tga",
                         {388, 25, "Continue", "", nullptr});
  WritePlainWithKeyFocus(out, "img/sauvegarder/backmenu.tga", "img/sauvegarder/backmenu_focus.tga",
                         {258, 20, "Back to menu", "", nullptr});
}

TPaint Arrow(int direction) {
  return [direction](cairo_t* cr, TButtonState state) {
    TIconColours colours = IconColours(state, 50);
    colours.fill = state == TButtonState::Inactive ? palette::kGold : palette::kEmber;
    colours.line = palette::kInk;
    colours.lineWidth = 2.5;
    cairo_save(cr);
    cairo_scale(cr, 65.0 / 55.0, 1);
    DrawChevron(cr, 27.5, 27.5, 50, direction, colours);
    cairo_restore(cr);
  };
}

TPaint OkMedallion() {
  return [](cairo_t* cr, TButtonState state) {
    PaintPlaque(cr, 0, 0, 167, 167, TButtonShape::Round, state);
    DrawText(cr, "OK", 83.5, 76, LabelStyle(state, 58, 120));
    DrawText(cr, "take off", 83.5, 120, LabelStyle(state, 20, 110));
  };
}

void WriteTrackChooser(TPictureOutput& out) {
  WriteTwoStates(out, "img/boutons/choice_track/left_arrow", "active", 65, 55, Arrow(-1));
  WriteTwoStates(out, "img/boutons/choice_track/right_arrow", "active", 65, 55, Arrow(1));
  WriteTwoStates(out, "img/boutons/choice_track/ok", "active", 167, 167, OkMedallion());
  WriteTwoStates(out, "img/boutons/choice_track/retour", "active", 153, 127, Standard(BigBack(153, 127)));
}

}  // namespace

TPicture MenuButtonPicture(const TButtonDesign& design, TButtonState state) {
  return Draw(design.width, design.height, Standard(design), state);
}

void DrawMenuButtons(TPictureOutput& out) {
  WriteControlsButtons(out);
  WriteMain(out);
  WriteOnePlayer(out);
  WriteTwoPlayers(out);
  WriteOptions(out);
  WriteLoadAndSave(out);
  WriteTrackChooser(out);
}
