// The real game program played from outside, as a person at the mouse and
// keyboard would: X input through xdotool at the game window, moves decided
// from the scene's test-only state file. Runs alone: it drives the X
// server's pointer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/game_run.h"
#include "tests/support/test_env.h"
#include "tests/support/xdo_player.h"
#include "tests/support/outside_tool.h"

namespace fs = std::filesystem;

namespace {

// The saved games of the player folders under the run's documents folder
// ("LC.pzl", the last player's name, is none).
int SaveFiles(const std::string& home) {
  int n = 0;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(home + "/Documents", ec); it != fs::recursive_directory_iterator();
       it.increment(ec))
    if (it->path().extension() == ".pzl" && it->path().filename() != "LC.pzl") ++n;
  return n;
}

TEST(ScriptedPlayer, FirstStartMenuChapterPicturePlayLeaveWithSaveResumeAndQuit) {
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  gamerun::XServer x(1024, 768);
  ASSERT_FALSE(x.Display().empty());
  gamerun::GameRun run;
  const std::string state = run.Dir() + "/scene.txt";
  setenv("JIGSAW_STATE_DUMP", state.c_str(), 1);
  run.Start(x.Display());
  unsetenv("JIGSAW_STATE_DUMP");
  ASSERT_TRUE(run.WaitFor("Settings off ok", 60)) << run.Out();
  xdo::Player p(x.Display(), state);
  ASSERT_TRUE(p.FindWindow(run.Pid())) << run.Out() << run.Err();

  // First start: the menu, with the default player.
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("state", "") == 0; }));
  ASSERT_EQ(p.State().Get("slots", "dialog"), 0) << run.Out();

  // The second chapter, its first picture, play.
  ASSERT_TRUE(p.ClickTab(2));
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("category", "") == 2; }));
  ASSERT_TRUE(p.ClickPicture(0));
  ASSERT_TRUE(p.ClickButton("play"));
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) {
    return s.Get("state", "") == 6 && s.Get("state", "board") == 4 && !s.pieces.empty();
  })) << run.Out();
  EXPECT_NE(run.Out().find("p2_01.jpg"), std::string::npos) << "the picture clicked";

  // A new player gets the mouse help; Enter closes it even before it shows.
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "help") == 1; }));
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "help") == 0; }));

  // Let the pieces land. The first piece taken after the mouse help asks
  // for the pocket help, shown at once; Enter closes it.
  p.Frames(120);
  ASSERT_TRUE(p.DragPieceTo(0, 300, 300));
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "helpShown") == 1; }));
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "help") == 0; }));
  // Join piece 1 to piece 0.
  ASSERT_TRUE(p.DragPieceTo(0, 300, 300));
  p.Frames(5);
  const xdo::SceneState before = p.State();
  const int cw = before.Get("cell", "");
  ASSERT_GT(cw, 0);
  const auto& a = before.pieces.at(0);
  ASSERT_TRUE(p.DragPieceTo(1, a[0] + cw, a[1]));
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("state", "regCg") == 1; }, 10))
      << "cell " << cw << " piece 0 at " << a[0] << "," << a[1] << "\n" << testenv::ReadFile(state).substr(0, 1500);

  // Leave: the quit question, then the save question, yes to both.
  p.Key("Escape");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "quit") == 1; }));
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "save") == 1; }));
  p.Key("Return");
  ASSERT_TRUE(run.WaitFor("Puzzle quit +1", 10));
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("state", "") == 0 && s.Get("category", "hasSaves") == 1; }));
  EXPECT_EQ(SaveFiles(run.Home()), 1);

  // Resume it from the saves tab.
  ASSERT_TRUE(p.ClickTab(10));
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("category", "") == 10; }));
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) {
    return s.Get("state", "") == 6 && s.Get("state", "board") == 4 && s.Get("state", "regCg") == 1;
  })) << run.Out();

  // Leave again without saving, then quit from the menu.
  p.Key("Escape");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "quit") == 1; }));
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "save") == 1; }));
  p.Key("Escape");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("state", "") == 0; }));
  p.Key("Escape");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "quit") == 1; }));
  p.Key("Return");
  EXPECT_EQ(run.Finish(0, 30), 0) << run.Err();
  EXPECT_EQ(SaveFiles(run.Home()), 1) << "the save stays for later";
}

}  // namespace
