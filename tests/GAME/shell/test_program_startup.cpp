// Start-up of the built game program as a player meets it: the refusals of
// an incomplete installation and of a small screen, the loader's lines on
// standard output, a game without its music pack, and a window closed while
// loading. Each case runs on an X server of its own size, with a private
// HOME and a game folder linked to the built packs.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/game_run.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;
using gamerun::GameRun;
using gamerun::XServer;

namespace {

const char kCorrupt[] = "Error: Some files are corrupt. The game may not run. Please reinstall the game";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// Whether `want` appear as whole lines of `text`, in this order.
bool LinesInOrder(const std::string& text, const std::vector<std::string>& want) {
  size_t i = 0;
  for (const std::string& line : Lines(text))
    if (i < want.size() && line == want[i]) ++i;
  return i == want.size();
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// An editions.xml in the game folder, with the editions pack left out so the
// game reads it. Empty values leave an element out.
std::string Edition(const std::string& url, const std::string& urlFlag, const std::string& exe,
                    const std::string& exeFlag, bool withSplash2 = true) {
  std::string xml = "<?xml version=\"1.0\"?>\n<edition>\n";
  xml += "<url_file param=\"" + url + "\" />\n<run_if_url_lost param=\"" + urlFlag + "\" />\n";
  xml += "<exe_file param=\"" + exe + "\" />\n<run_if_exe_lost param=\"" + exeFlag + "\" />\n";
  xml += "<splash1 param=\"\" />\n";
  if (withSplash2) xml += "<splash2 param=\"\" />\n";
  return xml + "</edition>\n";
}

struct InstallCase {
  const char* name;
  std::string edition;
  std::vector<std::string> presentFiles;
  bool starts;
};
void PrintTo(const InstallCase& c, std::ostream* os) { *os << c.name; }

class Installation : public ::testing::TestWithParam<InstallCase> {};

TEST_P(Installation, IsRefusedWithOneMessageOrStarts) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.LeaveOutOfData("editions");
  testenv::WriteFile((fs::path(run.Dir()) / "editions.xml").string(), GetParam().edition);
  for (const std::string& f : GetParam().presentFiles)
    testenv::WriteFile((fs::path(run.Dir()) / f).string(), "[InternetShortcut]\nURL=file:///dev/null\n");
  run.Start(x.Display());
  if (GetParam().starts) {
    EXPECT_TRUE(run.WaitFor("Init Complete")) << run.Out() << run.Err();
    EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
    EXPECT_EQ(Count(run.Err(), kCorrupt), 0u) << run.Err();
    return;
  }
  EXPECT_EQ(run.Finish(), 255) << run.Out() << run.Err();
  EXPECT_EQ(Count(run.Err(), kCorrupt), 1u) << run.Err();
  EXPECT_FALSE(LinesInOrder(run.Out(), {"Programm starting "})) << run.Out();
  for (const char* f : {"resource.xml", "config.xml", "strings.xml"})
    EXPECT_FALSE(fs::exists(fs::path(run.Dir()) / f)) << f << " is written only after the test";
}

INSTANTIATE_TEST_SUITE_P(
    Editions, Installation,
    ::testing::Values(InstallCase{"UrlRequiredAndUnnamed", Edition("", "0", "", "1"), {}, false},
                      InstallCase{"UrlPresentProgramMissing", Edition("site.url", "0", "b.exe", "0"), {"site.url"},
                                  false},
                      InstallCase{"BothRequiredBothMissing", Edition("site.url", "0", "b.exe", "0"), {}, false},
                      InstallCase{"BothMayBeMissing", Edition("site.url", "1", "b.exe", "1"), {}, true},
                      // Without all six elements nothing is taken: the flags
                      // keep their default, which lets the files be missing.
                      InstallCase{"IncompleteEditionIsIgnored", Edition("site.url", "0", "b.exe", "0", false), {},
                                  true}),
    [](const auto& info) { return std::string(info.param.name); });

struct ScreenCase {
  int w, h;
  bool starts;
};
void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.w << "x" << c.h; }

class Screen : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(Screen, BelowTenTwentyFourBySevenSixtyEightIsRefused) {
  XServer x(GetParam().w, GetParam().h);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.Start(x.Display());
  if (GetParam().starts) {
    EXPECT_TRUE(run.WaitFor("Init Complete")) << run.Out() << run.Err();
    EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
    return;
  }
  EXPECT_EQ(run.Finish(), 255) << run.Out() << run.Err();
  // The configured resolution text (empty by default) under "Error".
  EXPECT_EQ(Count(run.Err(), "Error: "), 1u) << run.Err();
  EXPECT_EQ(run.Out().find("Window created"), std::string::npos) << run.Out();
}

INSTANTIATE_TEST_SUITE_P(Sizes, Screen,
                         ::testing::Values(ScreenCase{1023, 768, false}, ScreenCase{1024, 767, false},
                                           ScreenCase{1024, 768, true}),
                         [](const auto& info) {
                           return std::to_string(info.param.w) + "x" + std::to_string(info.param.h);
                         });

TEST(ProgramStartup, TheLoaderAndTheMainThreadEachWriteTheirLinesInOrder) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.Start(x.Display());
  ASSERT_TRUE(run.WaitFor("Init Complete")) << run.Out() << run.Err();
  EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
  EXPECT_TRUE(LinesInOrder(run.Out(), {"Initialising game", "loading = new GAME::LOADING_SCREEN;",
                                       "LOADING_SCREEN::LOADING_SCREEN() start", "2",
                                       "JGAMENAME->SetLoadingScreen(loading);", "shadowSplain=new JSPRITE(chQShadow);",
                                       "whiteSplain=new JSPRITE(chWhitePlain);",
                                       "JINTEX lTex = JINNAME->TextureCreate(8,8);", "new JSPRITE(chROT_YES);",
                                       "new JSPRITE(chROT_NO);", "new JSPRITE(lTex);", "Sound ini...",
                                       "PUZZLE_LOADING DELETE", "Init Complete"}))
      << run.Out();
  EXPECT_TRUE(LinesInOrder(run.Out(), {"Programm starting ", "Programm starting init...",
                                       "Execution dir is " + fs::canonical(run.Dir()).string(), "RUN!"}))
      << run.Out();
  EXPECT_EQ(run.Out().find(" not load\n"), std::string::npos) << "every sound of the built pack loads";
}

TEST(ProgramStartup, WithoutTheMusicPackEverySoundIsNamedAndTheGameStillStarts) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.LeaveOutOfData("music");
  run.Start(x.Display());
  ASSERT_TRUE(run.WaitFor("Init Complete")) << run.Out() << run.Err();
  EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
  const std::vector<std::string> files = {
      "game_01", "button_disabled", "button_over", "button_play_press", "button_press", "close_pocket",
      "element_arrive", "element_connection_high", "element_connection_med", "element_connection_low",
      "element_pickup", "element_put", "element_rotation", "element_rotation_wrong", "game_02", "groups_arrive",
      "gui_click", "level_win", "puzzle_over", "puzzle_selection", "tools_hint", "tools_sort", "use_pocket",
      "window_close", "window_open", "tools_on", "tools_off"};
  ASSERT_EQ(files.size(), 27u);
  std::vector<std::string> want = {"Sound ini..."};
  for (const std::string& f : files) {
    want.push_back(" ZipSound error open sound");
    want.push_back("DATA/music/" + f + ".ogg not load");
  }
  want.push_back("Init Complete");
  EXPECT_TRUE(LinesInOrder(run.Out(), want)) << run.Out();
  EXPECT_EQ(Count(run.Out(), ".ogg not load\n"), 27u);
}

TEST(ProgramStartup, AWindowClosedWhileLoadingEndsTheProgramCleanly) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.Start(x.Display());
  ASSERT_TRUE(run.WaitFor("Initialising game")) << run.Out() << run.Err();
  EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Out() << run.Err();
  const std::vector<std::string> lines = Lines(run.Out());
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines.back() == "Init Complete" || lines.back() == "Loading stopped") << run.Out();
}

}  // namespace
