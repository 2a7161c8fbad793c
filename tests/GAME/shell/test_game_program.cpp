// The built game program, run as a player would start it: each case on an X
// server of its own size, with a private HOME and a game folder that links
// to the built packs.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/game_run.h"
#include "tests/support/test_env.h"
#include "tests/support/outside_tool.h"

namespace fs = std::filesystem;
using gamerun::GameRun;
using gamerun::InOrder;
using gamerun::Shell;
using gamerun::XServer;

namespace {

TEST(GameProgram, StartsOpensItsWindowAndEndsCleanly) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.Start(x.Display());
  ASSERT_TRUE(run.WaitFor("Init Complete")) << run.Out() << run.Err();
  EXPECT_TRUE(InOrder(run.Out(), {"Grafix init... ", "Execution dir is", " LOAD GAME CONF:", "Grafix ok",
                                  "Config loaded", "RUN!"}))
      << run.Out();
  const fs::path gameXml = fs::path(run.Home()) / "Documents/VURAVAZ/Jigsaw/game.xml";
  const std::string xml = testenv::ReadFile(gameXml);
  EXPECT_EQ(xml.rfind("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<Config>\n<Main resX=", 0), 0u) << xml;
  EXPECT_NE(xml.find("FullScreen=\"true\" Log=\"false\" />"), std::string::npos) << xml;
  for (const char* f : {"resource.xml", "config.xml", "strings.xml"})
    EXPECT_TRUE(fs::exists(fs::path(run.Dir()) / f)) << f;
  EXPECT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  const std::string ids = Shell("DISPLAY=" + x.Display() + " xdotool search --class VURAVAZ 2>/dev/null");
  EXPECT_FALSE(ids.empty()) << "a window of class VURAVAZ";
  EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
}

TEST(GameProgram, ExactlyTheSmallestScreenStarts) {
  XServer x(1024, 768);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.Start(x.Display());
  EXPECT_TRUE(run.WaitFor("RUN!")) << run.Out() << run.Err();
  EXPECT_EQ(run.Finish(SIGTERM), 0);
}

TEST(GameProgram, RefusesASmallScreenWithoutAWindow) {
  XServer x(800, 600);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.Start(x.Display());
  EXPECT_EQ(run.Finish(), 255) << run.Out() << run.Err();
  EXPECT_NE(run.Err().find("Error:"), std::string::npos) << run.Err();
  EXPECT_EQ(run.Out().find("Window created"), std::string::npos);
}

TEST(GameProgram, RefusesAnInstallationMissingItsUrlFile) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  GameRun run(/*withData=*/false);
  std::ofstream(fs::path(run.Dir()) / "editions.xml")
      << "<?xml version=\"1.0\"?>\n<edition>\n<url_file param=\"site.url\" />\n"
         "<run_if_url_lost param=\"0\" />\n<exe_file param=\"\" />\n<run_if_exe_lost param=\"1\" />\n"
         "<splash1 param=\"\" />\n<splash2 param=\"\" />\n</edition>\n";
  run.Start(x.Display());
  EXPECT_EQ(run.Finish(), 255);
  EXPECT_NE(run.Err().find("Error: Some files are corrupt. The game may not run. Please reinstall the game"),
            std::string::npos)
      << run.Err();
  for (const char* f : {"resource.xml", "config.xml", "strings.xml"})
    EXPECT_FALSE(fs::exists(fs::path(run.Dir()) / f)) << f << " must not be written before the test";
}

// A display number no server holds: neither a lock file nor a socket.
int FreeDisplayNumber() {
  for (int n = 700 + int(getpid() % 200);; ++n)
    if (!fs::exists("/tmp/.X" + std::to_string(n) + "-lock") &&
        !fs::exists("/tmp/.X11-unix/X" + std::to_string(n)))
      return n;
}

TEST(GameProgram, WithoutADisplayItSaysSoAndEndsInsteadOfRunningUnseen) {
  GameRun run;
  run.Start(":" + std::to_string(FreeDisplayNumber()));
  EXPECT_EQ(run.Finish(0, 60), 255) << run.Out() << run.Err();
  EXPECT_TRUE(InOrder(run.Out(), {"No display answered; trying again",
                                  "SDL video init failed: no display could be opened"}))
      << run.Out();
  EXPECT_EQ(run.Out().find("Window created"), std::string::npos) << run.Out();
}

TEST(GameProgram, ADisplayThatAnswersLateIsStillUsed) {
  const int number = FreeDisplayNumber();
  GameRun run;
  run.Start(":" + std::to_string(number));
  // The server comes up once the program has found no display (a fixed
  // delay would let a program slow to start, on a loaded machine, find the
  // server already there).
  ASSERT_TRUE(run.WaitFor("No display answered; trying again")) << run.Out() << run.Err();
  XServer x(1024, 768, number, 0);
  ASSERT_TRUE(run.WaitFor("RUN!")) << run.Out() << run.Err();
  EXPECT_NE(run.Out().find("No display answered; trying again"), std::string::npos) << run.Out();
  EXPECT_NE(run.Out().find("D3D Driver:    x11"), std::string::npos) << run.Out();
  EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
}

}  // namespace

namespace {

// The window of class VURAVAZ's size as xdotool reports it ("WxH"), or "".
std::string GameWindowSize(const std::string& display) {
  const std::string out = Shell("DISPLAY=" + display +
                                " xdotool search --class VURAVAZ getwindowgeometry %@ 2>/dev/null");
  const size_t at = out.rfind("Geometry: ");
  if (at == std::string::npos) return "";
  const size_t end = out.find('\n', at);
  return out.substr(at + 10, end == std::string::npos ? std::string::npos : end - at - 10);
}

TEST(GameProgram, FullScreenCoversADesktopLargerThanThePlayersSize) {
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  XServer x(1920, 1080);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.Start(x.Display());
  // The first frame applies the player's record: 1024 x 768 shown full screen.
  ASSERT_TRUE(run.WaitFor("Settings off ok")) << run.Out() << run.Err();
  std::string size;
  for (int i = 0; i < 100 && size != "1920x1080"; ++i) {
    size = GameWindowSize(x.Display());
    if (size != "1920x1080") std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(size, "1920x1080") << "the full-screen window covers the whole desktop";
  EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
}

}  // namespace
