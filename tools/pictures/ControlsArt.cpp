#include "tools/pictures/ControlsArt.h"

#include <cmath>
#include <functional>
#include <utility>
#include <string>

#include "tools/pictures/ButtonArt.h"
#include "tools/pictures/Canvas.h"
#include "tools/pictures/MenuButtons.h"
#include "tools/pictures/Scenery.h"

const char* const kKeyNames[] = {
    "SPACE", "UP", "DOWN", "LEFT", "RIGHT", "APOSTROPHE", "COMMA", "MINUS", "PERIOD", "SLASH", "SEMICOLON",
    "EQUAL", "LEFT_BRACKET", "BACKSLASH", "RIGHT_BRACKET", "GRAVE", "0", "1", "2", "3", "4", "5", "6", "7", "8",
    "9", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T",
    "U", "V", "W", "X", "Y", "Z"};
const int kKeyNameCount = static_cast<int>(sizeof(kKeyNames) / sizeof(kKeyNames[0]));

namespace {

// Where the screen's pieces lie (virtual units); the game places its buttons the same way.
constexpr double kColumnX[2] = {262, 434};
constexpr double kRowY = 150, kRowStep = 56, kKeyWidth = 156, kKeyHeight = 46, kInvertY = 440;
constexpr double kHintX = 40, kHintY = 494, kHintWidth = 720, kHintHeight = 34;

const char* const kActionWords[5] = {"left", "right", "nose_down", "nose_up", "thrust"};
const char* const kActionLabels[5] = {"Turn left", "Turn right", "Nose down", "Nose up", "Thrust"};
const char* const kPadLabels[5] = {"Stick or d-pad left", "Stick or d-pad right", "Stick or d-pad up",
                                   "Stick or d-pad down", "A (cross) or right trigger"};

// What a key's cap says: a word or the sign the key prints.
std::string CapText(const std::string& name) {
  const struct {
    const char* name;
    const char* text;
  } words[] = {{"SPACE", "Space"},   {"UP", "\u2191 Up"},    {"DOWN", "\u2193 Down"},    {"LEFT", "\u2190 Left"},
               {"RIGHT", "Right \u2192"}, {"APOSTROPHE", "'"}, {"COMMA", ","},            {"MINUS", "-"},
               {"PERIOD", "."},       {"SLASH", "/"},          {"SEMICOLON", ";"},        {"EQUAL", "="},
               {"LEFT_BRACKET", "["}, {"BACKSLASH", "\\"},     {"RIGHT_BRACKET", "]"},    {"GRAVE", "`"}};
  for (const auto& word : words)
    if (name == word.name) return word.text;
  return name;
}

// A key cap: a small cream key with the name in ink, centred on a key button.
void PaintCap(cairo_t* cr, const std::string& name) {
  const std::string text = CapText(name);
  const double capWidth = text.size() <= 2 ? 44 : 112;
  const double x = (kKeyWidth - capWidth) / 2, y = 7;
  RoundedRectPath(cr, x, y, capWidth, kKeyHeight - 14, 6);
  SetColour(cr, palette::kInk);
  cairo_fill(cr);
  RoundedRectPath(cr, x + 2, y + 2, capWidth - 4, kKeyHeight - 18, 5);
  SetLinear(cr, 0, y, 0, y + kKeyHeight - 14, palette::kCream, Hex(0xE8D2A4));
  cairo_fill(cr);
  TTextStyle style{fonts::kLabel, 19, palette::kInk, Hex(0x5A240C), palette::kInk, 0, capWidth - 12, 0};
  DrawText(cr, text, kKeyWidth / 2, kKeyHeight / 2, style);
}

TPicture Draw(double w, double h, const std::function<void(cairo_t*)>& paint) {
  TCanvas canvas(StoredSize(w * kMenuPixelsPerUnit), StoredSize(h * kMenuPixelsPerUnit), w, h);
  paint(canvas.Cr());
  return canvas.Take(TEdge::Hard);
}

void WriteThree(TPictureOutput& out, const std::string& folder, const std::string& prefix, const TButtonDesign& d) {
  const struct {
    TButtonState state;
    const char* name;
  } states[] = {{TButtonState::Inactive, "inactive"}, {TButtonState::Focus, "focus"}, {TButtonState::Active, "active"}};
  for (const auto& s : states)
    out.Tga(folder + "/" + prefix + s.name + ".tga", MenuButtonPicture(d, s.state), TTgaPacking::Rle);
}

void WriteHint(TPictureOutput& out, const std::string& name, const std::string& text) {
  out.Tga("img/controls/hint/" + name + ".tga", Draw(kHintWidth, kHintHeight, [&text](cairo_t* cr) {
            TTextStyle style{fonts::kLabel, 21, palette::kCream, palette::kPaleGold, palette::kInk, 2.5,
                             kHintWidth - 20, 0};
            DrawText(cr, text, kHintWidth / 2, kHintHeight / 2, style);
          }),
          TTgaPacking::Rle);
}

void WriteHints(TPictureOutput& out) {
  WriteHint(out, "choose", "Choose a key button, then press the new key");
  WriteHint(out, "waiting", "Press the new key  -  Esc keeps the old one");
  WriteHint(out, "kept", "New key kept: it stays for your next flights");
  WriteHint(out, "reserved", "Esc and Enter belong to the menus: press another key");
  WriteHint(out, "defaults", "The first keys are back for both players");
  const char* const lower[5] = {"turn left", "turn right", "nose down", "nose up", "thrust"};
  for (int player = 1; player <= 2; ++player)
    for (int a = 0; a < 5; ++a)
      WriteHint(out, "taken_p" + std::to_string(player) + "_" + kActionWords[a],
                "Taken by player " + std::to_string(player) + ": " + lower[a] + "  -  press another key");
}

// A switch's lamp: dark when off, a glowing ember when on.
void DrawLampOff(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  CirclePath(cr, cx, cy, size * 0.36);
  SetColour(cr, colours.line);
  cairo_fill(cr);
  CirclePath(cr, cx, cy, size * 0.26);
  SetColour(cr, palette::kNight);
  cairo_fill(cr);
}

void DrawLampOn(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  CirclePath(cr, cx, cy, size * 0.5);
  SetRadial(cr, cx, cy, size * 0.5, palette::kEmber, palette::kEmber, 0.8, 0.0);
  cairo_fill(cr);
  CirclePath(cr, cx, cy, size * 0.36);
  SetColour(cr, colours.line);
  cairo_fill(cr);
  CirclePath(cr, cx, cy, size * 0.28);
  SetRadial(cr, cx - size * 0.08, cy - size * 0.08, size * 0.3, Hex(0xFFF0B0), palette::kEmber, 1, 1);
  cairo_fill(cr);
}

}  // namespace

void DrawGamepad(cairo_t* cr, double cx, double cy, double size, const TIconColours& colours) {
  const double s = size;
  cairo_new_path(cr);
  RoundedRectPath(cr, cx - 0.46 * s, cy - 0.24 * s, 0.92 * s, 0.4 * s, 0.16 * s);
  for (int side = -1; side <= 1; side += 2) CirclePath(cr, cx + side * 0.3 * s, cy + 0.16 * s, 0.17 * s);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  FillOutlined(cr, colours);
  SetColour(cr, colours.line);
  cairo_rectangle(cr, cx - 0.35 * s, cy - 0.07 * s, 0.2 * s, 0.07 * s);
  cairo_rectangle(cr, cx - 0.285 * s, cy - 0.135 * s, 0.07 * s, 0.2 * s);
  cairo_fill(cr);
  for (const auto& b : {std::pair{0.25, -0.04}, std::pair{0.33, -0.11}, std::pair{0.33, 0.03}, std::pair{0.41, -0.04}})
    CirclePath(cr, cx + b.first * s, cy + b.second * s, 0.035 * s);
  cairo_fill(cr);
}

void WriteControlsButtons(TPictureOutput& out) {
  // The key buttons are plain plaques: the key's name is laid over them by the game.
  WriteThree(out, "img/controls/slot", "", {kKeyWidth, kKeyHeight, "", "", nullptr});
  out.Tga("img/controls/slot/waiting.tga",
          MenuButtonPicture({kKeyWidth, kKeyHeight, "Press a key...", "", nullptr}, TButtonState::Active),
          TTgaPacking::Rle);
  WriteThree(out, "img/controls/invert", "off_", {kKeyWidth, kKeyHeight, "Inverted: no", "", DrawLampOff});
  WriteThree(out, "img/controls/invert", "on_", {kKeyWidth, kKeyHeight, "Inverted: yes", "", DrawLampOn});
  WriteThree(out, "img/controls/defaults", "", {156, 46, "Defaults", "", nullptr});
  WriteThree(out, "img/controls/back", "", {170, 46, "Back", "", DrawBackArrow});
  for (int i = 0; i < kKeyNameCount; ++i) {
    const std::string name = kKeyNames[i];
    out.Tga("img/controls/keys/" + name + ".tga", Draw(kKeyWidth, kKeyHeight, [&name](cairo_t* cr) { PaintCap(cr, name); }),
            TTgaPacking::Rle);
  }
  WriteHints(out);
}

void PaintControlsScreen(cairo_t* cr) {
  TSceneLook look = NightLook(91);
  look.moonX = 90;
  look.moonY = 80;
  PaintScene(cr, 800, 600, look);
  PaintTitle(cr, "Controls", 400, 52, 50);
  PaintFrame(cr, 20, 98, 760, 396);
  TTextStyle heading{fonts::kLabel, 20, palette::kPaleGold, palette::kGold, palette::kInk, 2, 160, 0};
  DrawText(cr, "Action", 140, 126, heading);
  DrawText(cr, "Player 1", kColumnX[0] + kKeyWidth / 2, 126, heading);
  DrawText(cr, "Player 2", kColumnX[1] + kKeyWidth / 2, 126, heading);
  DrawText(cr, "Pad (either player)", 692, 126, heading);
  TTextStyle row{fonts::kLabel, 22, palette::kCream, palette::kPaleGold, palette::kInk, 2, 190, 0};
  for (int a = 0; a < 5; ++a) {
    const double cy = kRowY + a * kRowStep + kKeyHeight / 2;
    DrawText(cr, kActionLabels[a], 140, cy, row);
    PaintNote(cr, kPadLabels[a], 692, cy, 13);
  }
  DrawText(cr, "Invert pitch", 140, kInvertY + kKeyHeight / 2, row);
  PaintNote(cr, "Start: pause the race", 692, kInvertY + kKeyHeight / 2, 13);
  // The hint line's ground.
  RoundedRectPath(cr, kHintX, kHintY + 2, kHintWidth, kHintHeight - 4, 8);
  SetColour(cr, palette::kNight, 0.8);
  cairo_fill(cr);
  PaintNote(cr, "Arrows or pad: move   Enter or A: choose   Esc or B: back", 400, 590, 12);
}
