// The real game program's first start in fresh folders, played from outside
// with real X keyboard and mouse input: the game makes its default player and
// shows the menu; the greeting opens the player window, a new player with a
// Cyrillic name is typed in and chosen, and the next start goes straight to
// the menu with that player. Runs alone: it drives the X
// server's pointer and keyboard.
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

// Letters outside the server's keyboard map, a capital Ё among them; the
// name entry refuses blanks, so the two words are joined by '_'.
const std::string kName = "Алёна_Ёжик";

// The game folder: where "LC.pzl" lies under the run's documents folder.
fs::path GameFolder(const std::string& home) {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(home + "/Documents", ec); it != fs::recursive_directory_iterator();
       it.increment(ec))
    if (it->path().filename() == "LC.pzl") return it->path().parent_path();
  return {};
}

std::string Word(const xdo::SceneState& s, const std::string& line, size_t i) {
  auto it = s.words.find(line);
  return it == s.words.end() || it->second.size() <= i ? std::string() : it->second[i];
}

// The menu from the keyboard: Escape asks whether to quit, Return says yes.
void QuitFromTheMenu(const xdo::Player& p) {
  p.Key("Escape");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "quit") == 1; }));
  p.Key("Return");
}

TEST(FirstStart, ANewCyrillicPlayerIsAddedFromTheGreetingAndKeptForTheNextStart) {
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  ASSERT_TRUE(testenv::ToolInstalled("setxkbmap", "x11-xkb-utils"));
  gamerun::XServer x(1024, 768);
  ASSERT_FALSE(x.Display().empty());
  gamerun::GameRun run;
  const std::string state = run.Dir() + "/scene.txt";
  setenv("JIGSAW_STATE_DUMP", state.c_str(), 1);
  run.Start(x.Display());
  ASSERT_TRUE(run.WaitFor("Settings off ok", 60)) << run.Out();
  xdo::Player p(x.Display(), state);
  ASSERT_TRUE(p.FindWindow(run.Pid())) << run.Out() << run.Err();
  ASSERT_TRUE(xdo::AddKeyboardLayout(x.Display(), "ru"));

  // The menu with the default player (the engine made the game folder
  // first, so the keeper takes the path of a missing last-player file); the
  // greeting opens the player window with that player listed.
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("state", "") == 0; })) << run.Out();
  EXPECT_NE(run.Out().find("Character invalid"), std::string::npos) << run.Out();
  ASSERT_TRUE(p.ClickButton("greeting"));
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("slots", "dialog") == 1; })) << run.Out();
  xdo::SceneState s = p.State();
  const std::string defaultName = Word(s, "player", 0);
  EXPECT_EQ(Word(s, "players", 3), defaultName);

  // Add, type the name with the keyboard, Enter: listed and selected.
  ASSERT_TRUE(p.ClickButton("playerAdd"));
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return s.Get("players", "nameEntry") == 1; }));
  p.Type(kName);
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) { return Word(s, "nameBox", 0) == kName; }, 10))
      << "typed: " << Word(p.State(), "nameBox", 0);
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) {
    return s.Get("players", "nameEntry") == 0 && Word(s, "players", 3) == kName;
  })) << testenv::ReadFile(state);

  // OK chooses the player: the menu, the player's folder and record, and
  // "LC.pzl" naming them.
  ASSERT_TRUE(p.ClickButton("playerOk"));
  ASSERT_TRUE(p.WaitFor([](const xdo::SceneState& s) {
    return s.Get("slots", "dialog") == 0 && s.Get("state", "") == 0 && Word(s, "player", 0) == kName;
  })) << testenv::ReadFile(state);
  const fs::path root = GameFolder(run.Home());
  ASSERT_FALSE(root.empty());
  EXPECT_TRUE(fs::is_regular_file(root / kName / "set.bin"));
  EXPECT_EQ(testenv::ReadFile(root / "LC.pzl"), kName);
  EXPECT_TRUE(fs::is_directory(root / defaultName)) << "the default player stays";

  QuitFromTheMenu(p);
  ASSERT_EQ(run.Finish(0, 30), 0) << run.Err();

  // The next start: no player window, the same player.
  fs::remove(state);
  run.Start(x.Display());
  unsetenv("JIGSAW_STATE_DUMP");
  ASSERT_TRUE(run.WaitFor("Settings off ok", 60)) << run.Out();
  xdo::Player again(x.Display(), state);
  ASSERT_TRUE(again.FindWindow(run.Pid())) << run.Out() << run.Err();
  ASSERT_TRUE(again.WaitFor([](const xdo::SceneState& s) { return s.Get("state", "") == 0; })) << run.Out();
  again.Frames(5);
  s = again.State();
  EXPECT_EQ(s.Get("slots", "dialog"), 0);
  EXPECT_EQ(Word(s, "player", 0), kName);
  EXPECT_EQ(run.Out().find("Character invalid"), std::string::npos) << run.Out();
  QuitFromTheMenu(again);
  EXPECT_EQ(run.Finish(0, 30), 0) << run.Err();
  EXPECT_EQ(testenv::ReadFile(root / "LC.pzl"), kName);
}

}  // namespace
