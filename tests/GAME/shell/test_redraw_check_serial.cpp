// The real game program played from outside with its GL device checking
// every frame (JIGSAW_REDRAW_CHECK=1): each list of draws the device redraws
// only where it changed is drawn once more in full into a copy of its target
// and every pixel of the two compared; a difference ends the program. The
// tour goes through the menu (the mouse over the book and its buttons, a
// page turned), the set-up strip cut again, play (a window over the board,
// pieces dragged and dropped, a join with its points and particles, the
// hint's particles, the magnifier moving, the preview frame dragged, the
// pocket sliding open and shut) and the questions on leaving. Runs alone: it
// drives the X server's pointer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "tests/support/game_run.h"
#include "tests/support/test_env.h"
#include "tests/support/xdo_player.h"

namespace {

using xdo::SceneState;

TEST(RedrawCheck, EveryFrameOfAToursDrawsTheSamePixelsAsAFullRedraw) {
  ASSERT_EQ(std::system("command -v xdotool >/dev/null 2>&1"), 0) << "needs xdotool (Debian package xdotool)";
  gamerun::XServer x(1024, 768);
  ASSERT_FALSE(x.Display().empty());
  gamerun::GameRun run;
  const std::string state = run.Dir() + "/scene.txt";
  setenv("JIGSAW_STATE_DUMP", state.c_str(), 1);
  setenv("JIGSAW_REDRAW_CHECK", "1", 1);
  run.Start(x.Display());
  unsetenv("JIGSAW_STATE_DUMP");
  unsetenv("JIGSAW_REDRAW_CHECK");
  ASSERT_TRUE(run.WaitFor("Settings off ok", 60)) << run.Out();
  xdo::Player p(x.Display(), state);
  ASSERT_TRUE(p.FindWindow(run.Pid())) << run.Out() << run.Err();

  // The menu at rest, then the mouse over the book and its buttons.
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("state", "") == 0; }));
  if (p.State().Get("slots", "dialog") == 1) {
    p.Key("Return");
    ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "dialog") == 0; })) << run.Out();
  }
  p.Frames(30);
  for (int i = 0; i < 12; ++i) {
    p.Move(200 + i * 55, 250 + (i % 4) * 90);
    p.Frames(2);
  }
  // A page turned: another chapter, then its first picture's set-up strip,
  // cut again with one piece more and one less.
  ASSERT_TRUE(p.ClickTab(2));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("category", "") == 2; }));
  p.Frames(30);
  ASSERT_TRUE(p.ClickPicture(0));
  ASSERT_TRUE(p.ClickButton("cut"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "strip") == 1 && s.Get("state", "") == 1; }));
  ASSERT_TRUE(p.ClickAt("stripctl", "plus"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("strip", "count") == 4; }));
  ASSERT_TRUE(p.ClickAt("stripctl", "minus"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("strip", "count") == 3; }));
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) {
    return s.Get("state", "") == 6 && s.Get("state", "board") == 4 && !s.pieces.empty();
  })) << run.Out();

  // The mouse help over the board, opened and closed.
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "help") == 1; }));
  p.Frames(20);
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "help") == 0; }));
  p.Frames(120);
  // Pieces dragged and dropped (the pocket's help comes and goes), then a
  // join.
  ASSERT_TRUE(p.DragPieceTo(0, 300, 300));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "helpShown") == 1; }));
  p.Frames(10);
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "help") == 0; }));
  ASSERT_TRUE(p.DragPieceTo(0, 300, 300));
  p.Frames(5);
  const SceneState before = p.State();
  const int cw = before.Get("cell", "");
  ASSERT_GT(cw, 0);
  const auto& a = before.pieces.at(0);
  ASSERT_TRUE(p.DragPieceTo(1, a[0] + cw, a[1]));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("state", "regCg") == 1; }, 10));
  p.Frames(60);  // the points, the particles and the spark play out

  // The hint and its particles.
  ASSERT_TRUE(p.ClickTool("help"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "hint") == 1; }));
  p.Frames(60);
  // The magnifier moved over the board, then off.
  ASSERT_TRUE(p.ClickTool("magnifier"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "magnifier") == 1; }));
  for (int i = 0; i < 8; ++i) {
    p.Move(400 + i * 20, 300 + i * 10);
    p.Frames(2);
  }
  p.Click(560, 380);
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "magnifier") == 0; }));
  // The preview frame, dragged, then closed.
  ASSERT_TRUE(p.ClickTool("fly"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "preview") == 1; }));
  {
    const SceneState s = p.State();
    const int px = s.Get("preview", "x"), py = s.Get("preview", "y");
    const int w = s.Get("preview", "w"), h = s.Get("preview", "h");
    p.Drag(px + w / 2, py + h / 2, px + w / 2 + 200, py + h / 2 + 120);
    ASSERT_TRUE(p.WaitFor([&](const SceneState& t) { return t.Get("preview", "x") >= px + 150; }));
  }
  ASSERT_TRUE(p.ClickAt("preview", "close"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "preview") == 0; }));
  // The pocket slides open and shut.
  ASSERT_TRUE(p.ClickAt("pocket", "button"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("pocket", "open") == 1 && s.Get("pocket", "motion") == 0; }));
  ASSERT_TRUE(p.ClickAt("pocket", "button"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("pocket", "open") == 0 && s.Get("pocket", "motion") == 0; }));

  // Leaving: the quit question and the save question over the board, no
  // save; then quit from the menu.
  p.Key("Escape");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "quit") == 1; }));
  p.Frames(10);
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "save") == 1; }));
  p.Key("Escape");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("state", "") == 0; }));
  p.Key("Escape");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "quit") == 1; }));
  p.Key("Return");
  ASSERT_EQ(run.Finish(0, 60), 0) << run.Err();

  // The device's account at its end: many lists compared, none different,
  // and most of them drawn only in part or not at all.
  const std::string err = run.Err();
  std::smatch m;
  ASSERT_TRUE(std::regex_search(err, m,
                                std::regex(R"(gfx: redraw check: (\d+) lists compared, (\d+) differed, (\d+) drawn in part, (\d+) not at all)")))
      << err;
  std::printf("%s\n", m[0].str().c_str());
  EXPECT_EQ(m[2].str(), "0") << err;
  const long compared = std::stol(m[1].str()), partial = std::stol(m[3].str()), untouched = std::stol(m[4].str());
  EXPECT_GT(compared, 200);
  EXPECT_GT(partial + untouched, compared / 2) << err;
  EXPECT_EQ(err.find("gfx: redrawing what changed"), std::string::npos) << err;
}

}  // namespace
