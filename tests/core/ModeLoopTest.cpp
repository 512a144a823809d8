#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/ModeLoop.h"
#include "platform/ScriptedPlatform.h"

namespace {

// Fake modes that log their creation, runs and destruction, and return scripted results.
struct TLog {
  std::vector<std::string> events;
  std::vector<std::string> menuResults;
  std::vector<std::string> modeResults;
  int trackIndex = 0;
  int music = 255;
  int effects = 255;
  std::vector<long> pollsAtRuns;
  TScriptedPlatform* platform = nullptr;
};

class TFakeMenu : public IMenu {
 public:
  explicit TFakeMenu(TLog& log) : log_(log) {
    log_.events.push_back("menu+");
    for (int i = 0; i < 6; ++i) tracks_.push_back({"track_data/t" + std::to_string(i) + ".bmp", 0, 8, 8, ""});
  }
  ~TFakeMenu() override { log_.events.push_back("menu-"); }
  void RunMenu(std::string& result) override {
    result = log_.menuResults.at(0);
    log_.menuResults.erase(log_.menuResults.begin());
    log_.events.push_back("menu:" + result);
  }
  const T_Tab_TrackFile& TrackFiles() const override { return tracks_; }
  int TrackIndex() const override { return log_.trackIndex; }
  int MusicVolume() const override { return log_.music; }
  int EffectsVolume() const override { return log_.effects; }

 private:
  TLog& log_;
  T_Tab_TrackFile tracks_;
};

class TFakeMode : public IMode {
 public:
  TFakeMode(TLog& log, std::string name) : log_(log), name_(std::move(name)) {
    log_.events.push_back(name_ + "+");
  }
  ~TFakeMode() override { log_.events.push_back(name_ + "-"); }
  void Run(int effects, std::string& result) override { Answer("run", effects, result); }
  void RunLocal(int effects, std::string& result) override { Answer("runlocal", effects, result); }

 private:
  void Answer(const std::string& how, int effects, std::string& result) {
    result = log_.modeResults.at(0);
    log_.modeResults.erase(log_.modeResults.begin());
    log_.events.push_back(name_ + ":" + how + ":" + std::to_string(effects));
    log_.pollsAtRuns.push_back(log_.platform ? log_.platform->polls : -1);
  }
  TLog& log_;
  std::string name_;
};

class TFakeFactory : public IModeFactory {
 public:
  explicit TFakeFactory(TLog& log) : log_(log) {}
  std::unique_ptr<IMenu> CreateMenu(int, int) override { return std::make_unique<TFakeMenu>(log_); }
  std::unique_ptr<IMode> CreateTimeAttackDefault(int, int, int music) override {
    return std::make_unique<TFakeMode>(log_, "default" + std::to_string(music));
  }
  std::unique_ptr<IMode> CreateTimeAttackFromTrack(const T_TrackFile& track, int, int, int music,
                                                   int base) override {
    return std::make_unique<TFakeMode>(
        log_, "track(" + track.heightmapName + "," + std::to_string(music) + "," +
                  std::to_string(base) + ")");
  }
  std::unique_ptr<IMode> CreateTwoPlayers(int, int, const T_Tab_TrackFile& tracks, int, bool local,
                                          bool hosting) override {
    return std::make_unique<TFakeMode>(
        log_, std::string(local ? "local" : "lan") + (hosting ? "H" : "") +
                  std::to_string(tracks.size()));
  }
  std::unique_ptr<IMode> CreateScreenplay(int, int, int, int slot) override {
    return std::make_unique<TFakeMode>(log_, "story" + std::to_string(slot));
  }

 private:
  TLog& log_;
};

struct ModeLoopTest : ::testing::Test {
  TScriptedPlatform platform;
  wnd::TPlatformGuard guard{platform};
  TLog log;
  void RunLoop(TModeLoop& loop) {
    log.platform = &platform;
    TFakeFactory factory(log);
    loop.Run(factory);
  }
};

}  // namespace

TEST_F(ModeLoopTest, ExitEndsAfterOneMorePassThatOnlyPolls) {
  log.menuResults = {"exit"};
  TModeLoop loop(1024, 768);
  RunLoop(loop);
  EXPECT_EQ(loop.Mode(), "EXIT");
  EXPECT_EQ(loop.Passes(), 2);
  EXPECT_EQ(platform.polls, 2);
  EXPECT_EQ(log.events, (std::vector<std::string>{"menu+", "menu:exit", "menu-"}));
}

TEST_F(ModeLoopTest, TimeAttackResultIsCutToFourCharactersAndBringsTheMenuBack) {
  log.menuResults = {"Time Attack", "Time Attack", "Time Attack", "exit"};
  log.modeResults = {"MENUW", "menul", "MENU RETURNL"};
  log.trackIndex = 5;  // the last entry: the generated course
  log.music = 120;
  log.effects = 0;
  TModeLoop loop(1024, 768);
  RunLoop(loop);
  std::vector<std::string> expected;
  for (const char* result : {"MENUW", "menul", "MENU RETURNL"}) {
    (void)result;
    expected.insert(expected.end(), {"menu+", "menu:Time Attack", "menu-", "default120+",
                                     "default120:run:0", "default120-"});
  }
  expected.insert(expected.end(), {"menu+", "menu:exit", "menu-"});
  EXPECT_EQ(log.events, expected);
}

TEST_F(ModeLoopTest, AnyOtherTrackIsBuiltFromItsFileWithBaseScoreZero) {
  log.menuResults = {"Time Attack", "exit"};
  log.modeResults = {"MENUL"};
  log.trackIndex = 2;
  log.music = 255;
  TModeLoop loop(1024, 768);
  RunLoop(loop);
  ASSERT_GE(log.events.size(), 4u);
  EXPECT_EQ(log.events[3], "track(track_data/t2.bmp,255,0)+");
}

TEST_F(ModeLoopTest, MenuAndModeRunInOnePassBeforeEventsArePolled) {
  log.menuResults = {"LOCAL", "LAN", "exit"};
  log.modeResults = {"menu", "MENU"};
  TModeLoop loop(1024, 768);
  RunLoop(loop);
  // The split-screen race ran in the first pass: no poll had happened yet.
  EXPECT_EQ(log.events[3], "local6+");
  EXPECT_EQ(log.events[4], "local6:runlocal:255");
  EXPECT_EQ(log.events[10], "lan6:run:255");
  EXPECT_EQ(log.pollsAtRuns, (std::vector<long>{0, 1}));
  EXPECT_EQ(loop.Mode(), "EXIT");
}

TEST_F(ModeLoopTest, StoryModesTakeTheSlotDigit) {
  log.menuResults = {"SCREENPLAY", "SLOT2", "slot0", "exit"};
  log.modeResults = {"MENU", "MENU", "MENU"};
  TModeLoop loop(1024, 768);
  RunLoop(loop);
  std::vector<std::string> created;
  for (const auto& e : log.events) {
    if (e.rfind("story", 0) == 0 && e.back() == '+') created.push_back(e);
  }
  EXPECT_EQ(created, (std::vector<std::string>{"story-1+", "story2+", "story0+"}));
}

TEST_F(ModeLoopTest, StrangeModeStringsGoBackToTheMenu) {
  // "SLOTX" has no digit; "SLOT7" names no slot; "dance" is served by nobody.
  log.menuResults = {"SLOTX", "SLOT7", "dance", "exit"};
  TModeLoop loop(1024, 768);
  RunLoop(loop);
  EXPECT_EQ(loop.Mode(), "EXIT");
  int menus = 0;
  for (const auto& e : log.events) menus += e == "menu+";
  EXPECT_EQ(menus, 4);
}

TEST_F(ModeLoopTest, AModeThatCannotBeBuiltReportsAndReturnsToTheMenu) {
  class TThrowingFactory : public TFakeFactory {
   public:
    using TFakeFactory::TFakeFactory;
    std::unique_ptr<IMode> CreateTimeAttackFromTrack(const T_TrackFile&, int, int, int,
                                                     int) override {
      throw std::runtime_error("track_data/broken.track, line 6: not a number");
    }
  };
  log.menuResults = {"Time Attack", "exit"};
  log.trackIndex = 0;
  TModeLoop loop(1024, 768);
  TThrowingFactory factory(log);
  loop.Run(factory);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].first, "track_data/broken.track, line 6: not a number");
  EXPECT_EQ(loop.Mode(), "EXIT");
}
