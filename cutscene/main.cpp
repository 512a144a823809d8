// A story film: "video/001.exe" to "video/005.exe" are this one program, which tells
// which film it is from its own name. The game starts it without waiting and without
// changing folder, so the content is found from where the program lies: the folder
// above video/.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cutscene/FilmOptions.h"
#include "cutscene/FilmPlan.h"
#include "cutscene/FilmPlayer.h"

namespace fs = std::filesystem;

namespace {

// The program's own path as it was started; /proc/self/exe when it was found on the PATH
// (that one would name the file a link points to, not the link).
fs::path ProgramPath(const char* argv0) {
  std::error_code error;
  const std::string written = argv0 ? argv0 : "";
  if (written.find('/') != std::string::npos) return fs::absolute(written, error);
  return fs::read_symlink("/proc/self/exe", error);
}

}  // namespace

int main(int argc, char** argv) {
  TFilmOptions options;
  std::string error;
  if (!ParseFilmOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "%s\n%s", error.c_str(), FilmUsage().c_str());
    return 2;
  }
  if (options.help) {
    std::printf("%s", FilmUsage().c_str());
    return 0;
  }
  const fs::path program = ProgramPath(argc > 0 ? argv[0] : nullptr);
  const int number = options.film != 0 ? options.film : FilmNumberFromProgramName(program.string());
  const auto plan = FilmPlanFor(number);
  if (!plan) {
    std::fprintf(stderr, "Which film is \"%s\"? Name it 001.exe to 005.exe, or give --film N.\n",
                 program.filename().c_str());
    return 2;
  }
  std::error_code ignored;
  const std::string screenshot =
      options.screenshot.empty() ? "" : fs::absolute(options.screenshot, ignored).string();
  fs::current_path(ContentFolderOf(program.string()), ignored);
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
    std::fprintf(stderr, "The film needs a graphical display: DISPLAY is not set.\n");
    return 1;
  }
  return PlayFilm(*plan, options.seconds > 0.0 ? options.seconds : plan->seconds, screenshot);
}
