// Every modal window of the real game program, opened and answered from
// outside as a player would (X input through xdotool, moves read from the
// scene's test-only state file): the settings kept on OK and undone on
// Cancel, the screen size switched back by its countdown and kept by its
// OK, the authors window, the in-game options with the board's colour, the
// trophy window and the leader board. What the game stores is read back
// from the player's "set.bin" with the game's own record reader and from
// "game.xml". Runs alone: it drives the X server's pointer.
//
// With JIGSAW_RUN_SHOT set to a path stem (test-only), the tour test also
// saves a PNG of every window at 1024 x 768 and at 1920 x 1080:
// <stem>-<width>-<window>.png.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <thread>
#include <vector>

#include "GAME/config/player_record.h"
#include "tests/support/game_run.h"
#include "tests/support/test_env.h"
#include "tests/support/xdo_player.h"
#include "tests/support/xwd_png.h"
#include "tests/support/outside_tool.h"

namespace fs = std::filesystem;

namespace {

using GAME::PUZZLE_PLAYER_PROFILE;
using xdo::SceneState;

constexpr int kScreen1024x768 = 0xC0000;

// What "game.xml" holds.
struct VideoConfig {
  int w = 0, h = 0;
  bool full = false;
  bool operator==(const VideoConfig&) const = default;
};

std::ostream& operator<<(std::ostream& o, const VideoConfig& v) {
  return o << v.w << "x" << v.h << (v.full ? " full" : " windowed");
}

bool Showing(const SceneState& s, const std::string& kind) { return s.Text("window") == kind; }

// One run of the game under its own X server, driven from its state file.
class Session {
 public:
  // `shotTag` names the screenshots (the desktop's width when empty).
  Session(int w, int h, std::string shotTag = "")
      : x_(w, h), state_(run_.Dir() + "/scene.txt"), shotTag_(shotTag.empty() ? std::to_string(w) : shotTag) {}

  // The per-user game folder ("game.xml", "LC.pzl", the player folders).
  std::string GameDir() const { return run_.Home() + "/Documents/VURAVAZ/Jigsaw"; }

  // Writes "game.xml" as the game would before its first start.
  void PresetVideo(const VideoConfig& v) const {
    fs::create_directories(GameDir());
    testenv::WriteFile(GameDir() + "/game.xml", "<?xml version=\"1.0\"?>\n<Config><Main resX=\"" + std::to_string(v.w) +
                                                    "\" resY=\"" + std::to_string(v.h) +
                                                    "\" support1024=\"true\" FullScreen=\"" +
                                                    (v.full ? "true" : "false") + "\" Log=\"false\"/></Config>\n");
  }

  // Starts the game and waits for the menu (the player dialog of a first
  // start takes the offered name with Enter). With screenshots on, the
  // loading screen is shot when it can be caught.
  void StartToMenu() {
    ASSERT_FALSE(x_.Display().empty());
    setenv("JIGSAW_STATE_DUMP", state_.c_str(), 1);
    run_.Start(x_.Display());
    unsetenv("JIGSAW_STATE_DUMP");
    player_ = std::make_unique<xdo::Player>(x_.Display(), state_);
    ASSERT_TRUE(player_->FindWindow(run_.Pid())) << run_.Out() << run_.Err();
    if (ShotsOn()) {
      // The loader draws its screen for a while; a frame of it is taken
      // once the whole screen shows it. The screen, not the window: while
      // loading, a dump of the full-screen window alone has been seen to
      // hold only its first 1024 x 768 pixels where the screen showed all.
      for (int i = 0; i < 100 && run_.Out().find("Settings off ok") == std::string::npos; ++i) {
        const std::string path = ShotPath("loading");
        const xwdpng::Picture p = xwdpng::ShootWindow(x_.Display(), "root", path);
        if (Drawn(p)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    }
    ASSERT_TRUE(run_.WaitFor("Settings off ok", 90)) << run_.Out();
    ASSERT_TRUE(Wait([](const SceneState& s) { return s.Get("state", "") == 0; }));
    if (P().State().Get("slots", "dialog") == 1) {
      P().Key("Return");
      ASSERT_TRUE(Wait([](const SceneState& s) { return s.Get("slots", "dialog") == 0; })) << run_.Out();
    }
  }

  xdo::Player& P() const { return *player_; }
  SceneState S() const { return player_->State(); }
  bool Wait(const std::function<bool(const SceneState&)>& done, int seconds = 30) const {
    return player_->WaitFor(done, seconds);
  }
  bool WaitWindow(const std::string& kind, int seconds = 30) const {
    return Wait([&](const SceneState& s) { return Showing(s, kind); }, seconds);
  }
  // A window's widget clicked, then the window `next` awaited.
  void ClickTo(const std::string& widget, const std::string& next) const {
    ASSERT_TRUE(P().ClickWidget(widget)) << widget << " not shown:\n" << testenv::ReadFile(state_);
    ASSERT_TRUE(WaitWindow(next)) << "after " << widget << ":\n" << testenv::ReadFile(state_);
  }
  void KeyTo(const std::string& key, const std::string& next) const {
    P().Key(key);
    ASSERT_TRUE(WaitWindow(next)) << "after " << key << ":\n" << testenv::ReadFile(state_);
  }
  // A menu button clicked, then the window `next` awaited.
  void MenuTo(const std::string& button, const std::string& next) const {
    ASSERT_TRUE(P().ClickButton(button));
    ASSERT_TRUE(WaitWindow(next)) << "after " << button << ":\n" << testenv::ReadFile(state_);
  }
  // The knob of slider `name` dragged `dx` pixels along its track; the new
  // value (0..100) shown, which must differ from the old.
  int DragSlider(const std::string& name, int dx) const {
    const std::vector<int> k = S().Widget("slider " + name);
    EXPECT_EQ(k.size(), 3u) << name;
    if (k.size() < 3) return -1;
    P().Drag(k[0], k[1], k[0] + dx, k[1]);
    const bool moved = Wait([&](const SceneState& s) {
      const std::vector<int> v = s.Widget("slider " + name);
      return v.size() == 3 && v[2] != k[2];
    }, 10);
    EXPECT_TRUE(moved) << name << " did not move from " << k[2];
    return S().Widget("slider " + name)[2];
  }
  // Whether box `name` is ticked (-1 when not shown).
  int Ticked(const std::string& name) const {
    const std::vector<int> v = S().Widget("box " + name);
    return v.size() == 3 ? v[2] : -1;
  }
  void Toggle(const std::string& name) const {
    const int was = Ticked(name);
    ASSERT_GE(was, 0) << name << " not shown";
    ASSERT_TRUE(P().ClickWidget("box " + name));
    ASSERT_TRUE(Wait([&](const SceneState& s) {
      const std::vector<int> v = s.Widget("box " + name);
      return v.size() == 3 && v[2] != was;
    }, 10)) << name << " not toggled";
  }

  // The current player's record as stored, read with the game's reader.
  PUZZLE_PLAYER_PROFILE Record() const {
    PUZZLE_PLAYER_PROFILE r;
    const std::string name = testenv::ReadFile(GameDir() + "/LC.pzl");
    EXPECT_EQ(GAME::ReadRecordFile(GameDir() + "/" + name + "/set.bin", &r), GAME::RecordRead::kLoaded) << name;
    return r;
  }
  std::string RecordBytes() const {
    return testenv::ReadFile(GameDir() + "/" + testenv::ReadFile(GameDir() + "/LC.pzl") + "/set.bin");
  }
  VideoConfig Video() const {
    pugi::xml_document doc;
    doc.load_file((GameDir() + "/game.xml").c_str());
    const pugi::xml_node m = doc.child("Config").child("Main");
    return {m.attribute("resX").as_int(), m.attribute("resY").as_int(), m.attribute("FullScreen").as_bool()};
  }
  // The window as the scene reports it: client size and full screen.
  VideoConfig Window() const {
    const SceneState s = S();
    const std::string w = s.Text("screen", 3), h = s.Text("screen", 4);
    return {std::atoi(w.c_str()), std::atoi(h.c_str()), s.Get("screen", "full") == 1};
  }

  // Starts the first picture of the second chapter and waits for play with
  // the mouse help closed.
  void StartPuzzle() const {
    ASSERT_TRUE(P().ClickTab(2));
    ASSERT_TRUE(Wait([](const SceneState& s) { return s.Get("category", "") == 2; }));
    ASSERT_TRUE(P().ClickPicture(0));
    ASSERT_TRUE(P().ClickButton("play"));
    ASSERT_TRUE(Wait([](const SceneState& s) {
      return s.Get("state", "") == 6 && s.Get("state", "board") == 4 && !s.pieces.empty();
    })) << run_.Out();
    if (Wait([](const SceneState& s) { return s.Get("slots", "help") == 1; }, 5)) {
      P().Key("Return");
      ASSERT_TRUE(Wait([](const SceneState& s) { return s.Get("slots", "help") == 0; }));
    }
  }
  // The play panel's options tool: the mouse brought to it first, since the
  // panel's buttons grow and rise under the mouse.
  void OpenOptions() const {
    std::vector<int> t = S().Widget("ctl tool");
    ASSERT_EQ(t.size(), 2u);
    P().Move(t[0], t[1]);
    P().Frames(10);
    t = S().Widget("ctl tool");
    P().Click(t[0], t[1]);
    ASSERT_TRUE(WaitWindow("options")) << testenv::ReadFile(state_);
  }

  static bool ShotsOn() {
    const char* stem = std::getenv("JIGSAW_RUN_SHOT");
    return stem && *stem;
  }
  std::string ShotPath(const std::string& what) const {
    return std::string(std::getenv("JIGSAW_RUN_SHOT")) + "-" + shotTag_ + "-" + what + ".png";
  }
  // Whether the whole window was drawn: something not black in the right
  // quarter of its middle row and of its last one (the first frames after
  // a switch to full screen may fill only the old window's part of it).
  static bool Drawn(const xwdpng::Picture& p) {
    const auto rowDrawn = [&](int y) {
      for (size_t i = (size_t(y) * p.width + size_t(p.width) * 3 / 4) * 3; i < size_t(y + 1) * p.width * 3; ++i)
        if (p.rgb[i] > 16) return true;
      return false;
    };
    return p.width > 0 && rowDrawn(p.height / 2) && rowDrawn(p.height - 1);
  }
  // With JIGSAW_RUN_SHOT set: the game window saved as
  // <stem>-<tag>-<what>.png, after a few frames to draw it.
  void Shot(const std::string& what) const {
    if (!ShotsOn()) return;
    P().Frames(8);
    const std::string path = ShotPath(what);
    const xwdpng::Picture p = xwdpng::ShootWindow(x_.Display(), P().WindowId(), path);
    EXPECT_TRUE(Drawn(p)) << "no picture for " << path;
  }

  gamerun::GameRun& Run() { return run_; }
  const gamerun::XServer& X() const { return x_; }
  std::string Dump() const { return testenv::ReadFile(state_); }

 private:
  static int WindowHeight(const SceneState& s) {
    const std::vector<std::string>& w = s.words.at("screen");
    for (size_t i = 0; i + 2 < w.size(); ++i)
      if (w[i] == "window") return std::atoi(w[i + 2].c_str());
    return 0;
  }

  gamerun::XServer x_;
  gamerun::GameRun run_;
  std::string state_;
  std::unique_ptr<xdo::Player> player_;
  std::string shotTag_;
};


TEST(WindowsPlayed, SettingsKeptOnOkAndUndoneOnCancel) {
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  Session g(1024, 768);
  ASSERT_NO_FATAL_FAILURE(g.StartToMenu());
  const PUZZLE_PLAYER_PROFILE before = g.Record();

  // Both volumes dragged, the cursor and the fast collector toggled, OK.
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("options", "settings"));
  EXPECT_EQ(g.S().Widget("slider music")[2], int(before.MusicVolum * 100));
  const int music = g.DragSlider("music", 60);
  const int sound = g.DragSlider("sound", -30);
  ASSERT_NO_FATAL_FAILURE(g.Toggle("cursor"));
  ASSERT_NO_FATAL_FAILURE(g.Toggle("fast"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl ok", "none"));
  const PUZZLE_PLAYER_PROFILE kept = g.Record();
  EXPECT_NEAR(kept.MusicVolum, music / 100.0, 0.011);
  EXPECT_NEAR(kept.Sound, sound / 100.0, 0.011);
  EXPECT_GT(kept.MusicVolum, before.MusicVolum);
  EXPECT_LT(kept.Sound, before.Sound);
  EXPECT_EQ(kept.Cursor, !before.Cursor);
  EXPECT_EQ(kept.FastCollector, !before.FastCollector);
  EXPECT_EQ(kept.Score, before.Score) << "nothing else of the record changes";

  // The window opens on what was kept; everything changed again, Cancel.
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("options", "settings"));
  const SceneState shown = g.S();
  EXPECT_EQ(shown.Widget("slider music")[2], int(kept.MusicVolum * 100));
  EXPECT_EQ(shown.Widget("slider sound")[2], int(kept.Sound * 100));
  EXPECT_EQ(g.Ticked("cursor"), int(kept.Cursor));
  EXPECT_EQ(g.Ticked("fast"), int(kept.FastCollector));
  const std::string keptBytes = g.RecordBytes();
  g.DragSlider("music", -90);
  g.DragSlider("sound", 80);
  ASSERT_NO_FATAL_FAILURE(g.Toggle("cursor"));
  ASSERT_NO_FATAL_FAILURE(g.Toggle("fast"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl cancel", "none"));
  EXPECT_EQ(g.RecordBytes(), keptBytes) << "Cancel stores nothing new";

  // Opened again, the window shows the kept values, not the cancelled ones.
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("options", "settings"));
  const SceneState again = g.S();
  EXPECT_EQ(again.Widget("slider music"), shown.Widget("slider music"));
  EXPECT_EQ(again.Widget("slider sound"), shown.Widget("slider sound"));
  EXPECT_EQ(g.Ticked("cursor"), int(kept.Cursor));
  EXPECT_EQ(g.Ticked("fast"), int(kept.FastCollector));
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Escape", "none"));
  EXPECT_EQ(g.RecordBytes(), keptBytes);
}

TEST(WindowsPlayed, AuthorsWindowClosesByOkAndEnterButNotEscape) {
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  Session g(1024, 768);
  ASSERT_NO_FATAL_FAILURE(g.StartToMenu());
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("options", "settings"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl authors", "authors"));
  g.P().Key("Escape");
  g.P().Frames(5);
  EXPECT_TRUE(Showing(g.S(), "authors")) << "Escape leaves the credits open";
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl ok", "settings"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl authors", "authors"));
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Return", "settings"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl cancel", "none"));
}

// On a 1920 x 1080 desktop the game starts full screen at the desktop's
// size; 1024 x 768 in a window is chosen, reverted by the countdown, then
// chosen again and kept.
TEST(WindowsPlayed, ScreenSizeRevertedByTheCountdownThenKept) {
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  Session g(1920, 1080);
  const VideoConfig desktop{1920, 1080, true}, small{1024, 768, false};
  g.PresetVideo(desktop);
  ASSERT_NO_FATAL_FAILURE(g.StartToMenu());
  ASSERT_EQ(g.Window(), desktop);
  const PUZZLE_PLAYER_PROFILE before = g.Record();
  EXPECT_EQ(before.screen, 0) << "the desktop's size";

  // The sizes offered are those smaller than the desktop.
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("options", "settings"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl resolution", "resolution"));
  EXPECT_EQ(g.Ticked("system"), 1);
  EXPECT_EQ(g.Ticked("full"), 1);
  EXPECT_EQ(g.Ticked("s1024"), 0);
  EXPECT_EQ(g.Ticked("s1440"), 0);
  EXPECT_EQ(g.Ticked("s1920"), -1) << "not offered on a desktop of that size";

  // 1024 x 768 in a window, OK: applied at once, the countdown opens and,
  // unanswered, brings the desktop's size back.
  const auto chooseSmall = [&] {
    ASSERT_NO_FATAL_FAILURE(g.Toggle("s1024"));
    EXPECT_EQ(g.Ticked("system"), 0);
    ASSERT_NO_FATAL_FAILURE(g.Toggle("full"));
    ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl ok", "confirm"));
    ASSERT_TRUE(g.Wait([&](const SceneState&) { return g.Window() == small; }, 10)) << g.Dump();
  };
  ASSERT_NO_FATAL_FAILURE(chooseSmall());
  const std::string storedBytes = g.RecordBytes();
  EXPECT_EQ(g.Video(), desktop) << "a size not kept yet is not stored";
  const int shownFirst = g.S().Get("confirm", "");
  EXPECT_GT(shownFirst, 5);
  ASSERT_TRUE(g.WaitWindow("resolution", 40)) << g.Dump();
  EXPECT_EQ(g.Window(), desktop);
  EXPECT_EQ(g.Ticked("system"), 1);
  EXPECT_EQ(g.Ticked("full"), 1);
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Escape", "settings"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl cancel", "none"));
  EXPECT_EQ(g.Window(), desktop);
  EXPECT_EQ(g.Record().screen, 0);
  EXPECT_EQ(g.RecordBytes(), storedBytes);
  EXPECT_EQ(g.Video(), desktop);

  // Chosen again and kept with the countdown's OK, then the settings' OK:
  // both files hold the new size.
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("options", "settings"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl resolution", "resolution"));
  ASSERT_NO_FATAL_FAILURE(chooseSmall());
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl ok", "settings"));
  EXPECT_EQ(g.Window(), small);
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl ok", "none"));
  EXPECT_EQ(g.Window(), small);
  const PUZZLE_PLAYER_PROFILE kept = g.Record();
  EXPECT_EQ(kept.screen, kScreen1024x768);
  EXPECT_FALSE(kept.Full);
  EXPECT_EQ(g.Video(), small);
  // The menu is laid out for the new size: its buttons lie on screen.
  const SceneState s = g.S();
  EXPECT_EQ(s.Get("screen", ""), 1024);
  for (const char* b : {"button options", "button exit", "button trophies"}) {
    ASSERT_EQ(s.named.count(b), 1u) << b;
    EXPECT_GT(s.named.at(b)[0], 0) << b;
    EXPECT_LT(s.named.at(b)[0], 1024) << b;
  }
}

TEST(WindowsPlayed, InGameOptionsKeepVolumesCursorAndColourOnOkAndUndoThemOnCancel) {
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  Session g(1024, 768);
  ASSERT_NO_FATAL_FAILURE(g.StartToMenu());
  ASSERT_NO_FATAL_FAILURE(g.StartPuzzle());
  const PUZZLE_PLAYER_PROFILE before = g.Record();
  EXPECT_EQ(g.S().Get("colour", "board"), before.Color);

  // A new colour is seen on the board at once; volumes and cursor changed;
  // OK keeps them all.
  ASSERT_NO_FATAL_FAILURE(g.OpenOptions());
  const std::vector<int> swatch2 = g.S().Widget("swatch 2");
  ASSERT_EQ(swatch2.size(), 4u);
  ASSERT_NE(swatch2[3], before.Color);
  g.P().Click(swatch2[0], swatch2[1]);
  ASSERT_TRUE(g.Wait([&](const SceneState& s) { return s.Get("colour", "board") == swatch2[3]; }, 10)) << g.Dump();
  EXPECT_EQ(g.S().Widget("swatch 2")[2], 1) << "selected";
  const int music = g.DragSlider("music", -40);
  const int sound = g.DragSlider("sound", 50);
  ASSERT_NO_FATAL_FAILURE(g.Toggle("cursor"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl ok", "none"));
  EXPECT_EQ(g.S().Get("colour", "board"), swatch2[3]);
  const PUZZLE_PLAYER_PROFILE kept = g.Record();
  EXPECT_EQ(kept.Color, swatch2[3]);
  EXPECT_NEAR(kept.MusicVolum, music / 100.0, 0.011);
  EXPECT_NEAR(kept.Sound, sound / 100.0, 0.011);
  EXPECT_EQ(kept.Cursor, !before.Cursor);
  EXPECT_EQ(g.S().Get("state", ""), 6) << "still in play";

  // Everything changed again, Cancel: the board's colour comes back and
  // nothing new is stored.
  const std::string keptBytes = g.RecordBytes();
  ASSERT_NO_FATAL_FAILURE(g.OpenOptions());
  EXPECT_EQ(g.S().Widget("swatch 2")[2], 1) << "the kept colour is selected";
  const std::vector<int> swatch3 = g.S().Widget("swatch 3");
  g.P().Click(swatch3[0], swatch3[1]);
  ASSERT_TRUE(g.Wait([&](const SceneState& s) { return s.Get("colour", "board") == swatch3[3]; }, 10));
  g.DragSlider("music", 60);
  ASSERT_NO_FATAL_FAILURE(g.Toggle("cursor"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl cancel", "none"));
  EXPECT_EQ(g.S().Get("colour", "board"), swatch2[3]);
  EXPECT_EQ(g.RecordBytes(), keptBytes);

  // Reopened: the kept values, not the cancelled ones; Escape closes.
  ASSERT_NO_FATAL_FAILURE(g.OpenOptions());
  EXPECT_EQ(g.S().Widget("swatch 2")[2], 1);
  EXPECT_EQ(g.S().Widget("slider music")[2], int(kept.MusicVolum * 100));
  EXPECT_EQ(g.Ticked("cursor"), int(kept.Cursor));
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Escape", "none"));
  EXPECT_EQ(g.S().Get("state", ""), 6);
}

// Players made as the game makes them: a folder each under the game
// folder with its record.
void MakePlayer(const std::string& gameDir, const std::string& name, int score) {
  fs::create_directories(gameDir + "/" + name);
  PUZZLE_PLAYER_PROFILE r;
  r.SetDefaults(0, true);
  r.Score = score;
  ASSERT_TRUE(GAME::WriteRecordFile(gameDir + "/" + name + "/set.bin", r));
}

TEST(WindowsPlayed, TrophyWindowAndLeaderBoardCloseByOkAndByEnterNotEscape) {
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  Session g(1024, 768);
  ASSERT_NO_FATAL_FAILURE(g.StartToMenu());
  // The leader board reads the player folders when it opens.
  ASSERT_NO_FATAL_FAILURE(MakePlayer(g.GameDir(), "Alma", 1200));
  ASSERT_NO_FATAL_FAILURE(MakePlayer(g.GameDir(), "Boris", 40));
  ASSERT_NO_FATAL_FAILURE(MakePlayer(g.GameDir(), "Chen", 7350));
  ASSERT_NO_FATAL_FAILURE(MakePlayer(g.GameDir(), "Dora", 1200));
  const std::string me = testenv::ReadFile(g.GameDir() + "/LC.pzl");

  ASSERT_NO_FATAL_FAILURE(g.MenuTo("leaders", "leaders"));
  const std::vector<std::vector<std::string>> rows = g.S().lines["leader"];
  ASSERT_EQ(rows.size(), 5u) << g.Dump();
  const std::vector<std::pair<std::string, int>> want = {
      {"Chen", 7350}, {"Alma", 1200}, {"Dora", 1200}, {"Boris", 40}, {me, 0}};
  for (size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 3u);
    EXPECT_EQ(rows[i][0], std::to_string(i + 1));
    EXPECT_EQ(rows[i][1], std::to_string(want[i].second)) << i;
    EXPECT_EQ(rows[i][2], want[i].first) << i;
  }
  g.P().Key("Escape");
  g.P().Frames(5);
  EXPECT_TRUE(Showing(g.S(), "leaders")) << "Escape leaves the board open";
  EXPECT_EQ(g.S().Get("slots", "quit"), 0) << "and reaches nothing under it";
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl ok", "none"));
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("leaders", "leaders"));
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Return", "none"));
  EXPECT_EQ(g.S().Get("state", ""), 0) << "Enter closed the board and started nothing";

  ASSERT_NO_FATAL_FAILURE(g.MenuTo("trophies", "trophies"));
  g.P().Key("Escape");
  g.P().Frames(5);
  EXPECT_TRUE(Showing(g.S(), "trophies"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl ok", "none"));
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("trophies", "trophies"));
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Return", "none"));
  EXPECT_EQ(g.S().Get("state", ""), 0);
  EXPECT_EQ(g.S().Get("slots", "quit"), 0);
}

// The tours always take their pictures: into JIGSAW_RUN_SHOT's stem when
// it is set (CTest sets the build folder's shots/), else into the test's
// temporary folder.
void ShootSomewhere() {
  if (!Session::ShotsOn()) setenv("JIGSAW_RUN_SHOT", (testing::TempDir() + "tour").c_str(), 1);
}

// The tour for the eyes: every window shot with the game at w x h on a
// desktop of deskW x deskH, in a window or full screen (a game smaller than
// the desktop full screen is scaled into it, with bars where the shapes
// differ). Only with JIGSAW_RUN_SHOT.
void Tour(int w, int h, int deskW, int deskH, bool fullScreen, const std::string& tag) {
  Session g(deskW, deskH, tag);
  g.PresetVideo({w, h, fullScreen});
  ASSERT_NO_FATAL_FAILURE(g.StartToMenu());
  ASSERT_EQ(g.S().Get("screen", ""), w);
  g.P().FollowScaling();
  g.Shot("menu");
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("options", "settings"));
  g.Shot("settings");
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl authors", "authors"));
  g.Shot("authors");
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Return", "settings"));
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl resolution", "resolution"));
  g.Shot("resolution");
  // Another mode opens the countdown: 1024 x 768 from the desktop's size,
  // the desktop's size from 1024 x 768.
  if (g.Ticked("s1024") == 0) {
    ASSERT_NO_FATAL_FAILURE(g.Toggle("s1024"));
  } else {
    ASSERT_NO_FATAL_FAILURE(g.Toggle("system"));
  }
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl ok", "confirm"));
  g.P().FollowScaling();
  g.Shot("confirm");
  ASSERT_NO_FATAL_FAILURE(g.ClickTo("ctl cancel", "resolution"));
  g.P().FollowScaling();
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Escape", "settings"));
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Escape", "none"));
  ASSERT_NO_FATAL_FAILURE(MakePlayer(g.GameDir(), "Alma", 1200));
  ASSERT_NO_FATAL_FAILURE(MakePlayer(g.GameDir(), "Boris", 40));
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("leaders", "leaders"));
  g.Shot("leaders");
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Return", "none"));
  ASSERT_NO_FATAL_FAILURE(g.MenuTo("trophies", "trophies"));
  g.Shot("trophies");
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Return", "none"));
  ASSERT_NO_FATAL_FAILURE(g.StartPuzzle());
  g.P().Frames(60);
  g.Shot("play");
  ASSERT_NO_FATAL_FAILURE(g.OpenOptions());
  g.Shot("options");
  const std::vector<int> swatch = g.S().Widget("swatch 1");
  g.P().Click(swatch[0], swatch[1]);
  g.Shot("options-colour");
  ASSERT_NO_FATAL_FAILURE(g.KeyTo("Escape", "none"));
}

TEST(WindowsPlayed, ScreenshotTourAt1024x768) {
  ShootSomewhere();
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  ASSERT_TRUE(testenv::ToolInstalled("xwd", "x11-apps"));
  Tour(1024, 768, 1280, 1024, false, "1024");
}

TEST(WindowsPlayed, ScreenshotTourAt1440x900) {
  ShootSomewhere();
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  ASSERT_TRUE(testenv::ToolInstalled("xwd", "x11-apps"));
  Tour(1440, 900, 1440, 900, true, "1440");
}

TEST(WindowsPlayed, ScreenshotTourAt1024x768On1920x1080) {
  ShootSomewhere();
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  ASSERT_TRUE(testenv::ToolInstalled("xwd", "x11-apps"));
  Tour(1024, 768, 1920, 1080, true, "1024on1920");
}

TEST(WindowsPlayed, ScreenshotTourAt1920x1080) {
  ShootSomewhere();
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  ASSERT_TRUE(testenv::ToolInstalled("xwd", "x11-apps"));
  Tour(1920, 1080, 1920, 1080, true, "1920");
}

}  // namespace
