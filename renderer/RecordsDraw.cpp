#include "renderer/RecordsDraw.h"

#include <GL/gl.h>

#include "renderer/EndSequenceDraw.h"
#include "renderer/Textures.h"

namespace {

const char* const kGlyphFiles[12] = {
    "img/records/digit_0.tga", "img/records/digit_1.tga", "img/records/digit_2.tga",
    "img/records/digit_3.tga", "img/records/digit_4.tga", "img/records/digit_5.tga",
    "img/records/digit_6.tga", "img/records/digit_7.tga", "img/records/digit_8.tga",
    "img/records/digit_9.tga", "img/records/colon.tga",   "img/records/point.tga"};

struct TWordPicture {
  const char* path;
  double aspect;  // width over height, as the generator draws it
};

const TWordPicture kWords[] = {
    {"img/records/time_used.tga", 160.0 / 64.0},     {"img/records/best_time.tga", 300.0 / 64.0},
    {"img/records/previous_best.tga", 400.0 / 64.0}, {"img/records/no_record.tga", 420.0 / 64.0},
    {"img/records/new_record.tga", 360.0 / 120.0}};

// Digits are 40 x 64, the signs 20 x 64.
int GlyphOf(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c == ':') return 10;
  if (c == '.') return 11;
  return -1;
}

double GlyphAspect(int glyph) { return glyph >= 10 ? 20.0 / 64.0 : 40.0 / 64.0; }

}  // namespace

TRecordPictures::TRecordPictures() {
  for (int i = 0; i < 12; ++i) glyphs_[i] = LoadTexture(kGlyphFiles[i]);
  for (int i = 0; i < static_cast<int>(TRecordWord::kCount); ++i) {
    words_[i] = LoadTexture(kWords[i].path);
  }
}

double TRecordPictures::ClockWidth(const std::string& clock, double height) const {
  double width = 0.0;
  for (char c : clock) {
    if (GlyphOf(c) >= 0) width += GlyphAspect(GlyphOf(c)) * height;
  }
  return width;
}

double TRecordPictures::DrawClock(const std::string& clock, double x, double top,
                                  double height) const {
  double at = x;
  for (char c : clock) {
    const int glyph = GlyphOf(c);
    if (glyph < 0) continue;
    const double width = GlyphAspect(glyph) * height;
    DrawTexturedQuad(glyphs_[glyph].Id(), at, top - height, at + width, top);
    at += width;
  }
  return at - x;
}

double TRecordPictures::WordWidth(TRecordWord word, double height) const {
  return kWords[static_cast<int>(word)].aspect * height;
}

double TRecordPictures::DrawWord(TRecordWord word, double x, double top, double height) const {
  const double width = WordWidth(word, height);
  DrawTexturedQuad(words_[static_cast<int>(word)].Id(), x, top - height, x + width, top);
  return width;
}

void DrawChooserRecord(const TRecordPictures& pictures, const std::string& clock, double scaleX,
                       double scaleY, double centreX, double top, double height) {
  glPushMatrix();
  glRotated(90.0, 0.0, 1.0, 0.0);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glScaled(scaleX, scaleY, 1.0);
  // The panel's virtual frame, y up from its top-left corner, just before the panel and
  // its buttons (2.02 and 2.021 from the centre), which would hide it otherwise.
  glTranslated(-400.0, 300.0, 2.025);
  const double gap = height * 0.3;
  if (clock.empty()) {
    const double width = pictures.WordWidth(TRecordWord::kNoRecord, height);
    pictures.DrawWord(TRecordWord::kNoRecord, centreX - width / 2, -top, height);
  } else {
    const double width = pictures.WordWidth(TRecordWord::kBestTime, height) + gap +
                         pictures.ClockWidth(clock, height);
    const double left = centreX - width / 2;
    const double word = pictures.DrawWord(TRecordWord::kBestTime, left, -top, height);
    pictures.DrawClock(clock, left + word + gap, -top, height);
  }
  glPopMatrix();
}
