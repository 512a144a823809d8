// The pictures that show a course's records, made by the content generator: the digits
// and signs of a time ("1:01.23"), the words around it and the badge of a new record. The
// menus and the end of a race say what to show where; this draws it.
#pragma once

#include <string>

#include "renderer/GlHandles.h"

enum class TRecordWord { kTimeUsed, kBestTime, kPreviousBest, kNoRecord, kNewRecord, kCount };

class TRecordPictures {
 public:
  // Loads every picture (a missing one leaves its texture empty, as everywhere).
  TRecordPictures();

  // Draws, in the current units (y up), a time of digits, ':' and '.' from its top-left
  // corner (x, top), `height` tall; returns its width. Other characters are skipped.
  double DrawClock(const std::string& clock, double x, double top, double height) const;
  // Draws a word's picture the same way; returns its width.
  double DrawWord(TRecordWord word, double x, double top, double height) const;
  double WordWidth(TRecordWord word, double height) const;
  double ClockWidth(const std::string& clock, double height) const;

 private:
  TTexture glyphs_[12];  // 0-9, ':', '.'
  TTexture words_[static_cast<int>(TRecordWord::kCount)];
};

// The chooser's record line on the right face, in the panel's virtual units (800 x 600, y
// down) scaled by `scaleX`/`scaleY`, like the track's picture: "Best time" and the time
// (`clock` not empty) or "No record yet", centred on `centreX`, its top at `top`.
void DrawChooserRecord(const TRecordPictures& pictures, const std::string& clock, double scaleX,
                       double scaleY, double centreX, double top, double height);
