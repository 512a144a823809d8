#include "tools/sound/SoundContent.h"

#include <cstdio>
#include <exception>

#include "tools/sound/Mp3Encoder.h"
#include "tools/sound/Render.h"
#include "tools/sound/Songs.h"
#include "tools/sound/Wind.h"
#include "tools/writers/WavWriter.h"

namespace {

constexpr int kMusicKilobits = 96;

void Fail(TSoundReport& report, const std::string& what) {
  if (report.ok) report.failure = what;
  report.ok = false;
}

void WriteWind(const std::string& runDir, TSoundReport& report) {
  const std::vector<float> wind = WindLoop(kWindRate, kWindSeconds, 0x57696E64u);
  if (!WriteWav16(runDir + "/sounds/wind.wav", ToPcm16(wind), 1, kWindRate))
    Fail(report, "cannot write sounds/wind.wav");
  report.lines.push_back("sounds/wind.wav: " + std::to_string(kWindSeconds).substr(0, 3) + " s loop");
}

void WriteSong(const std::string& runDir, const TSongPlan& plan, TSoundReport& report) {
  try {
    const TBytes mp3 = EncodeMp3(RenderSong(plan), kMusicRate, kMusicKilobits);
    if (!WriteBytesToFile(runDir + "/" + plan.file, mp3)) Fail(report, "cannot write " + plan.file);
    char line[160];
    std::snprintf(line, sizeof line, "%s: %.1f s at %.0f bpm, %s", plan.file.c_str(), SecondsOf(plan), plan.tempo,
                  plan.mood.c_str());
    report.lines.push_back(line);
  } catch (const std::exception& error) {
    Fail(report, plan.file + ": " + error.what());
  }
}

}  // namespace

TSoundReport WriteSoundContent(const std::string& runDir) {
  TSoundReport report;
  WriteWind(runDir, report);
  for (const TSongPlan& plan : SongPlans()) WriteSong(runDir, plan, report);
  return report;
}
