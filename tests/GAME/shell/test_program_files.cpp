// The built game program started among hostile files of its own: links where
// its per-user files or folders should be, and folders or pipes named like
// its configuration files. Start-up must neither hang nor abort, and nothing
// outside the game's folders may be written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <signal.h>

#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/support/game_run.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;
using gamerun::GameRun;
using gamerun::XServer;

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<Config>\n<Main resX=";

std::set<std::string> Entries(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

fs::path UserFolder(const GameRun& run) { return fs::path(run.Home()) / "Documents" / "VURAVAZ" / "Jigsaw"; }

// A link where "game.xml", the game's per-user folder or the company folder
// should be: the game starts on its defaults and never writes where the
// link leads.
TEST(ProgramFiles, NothingIsWrittenThroughALinkedUserFileOrFolder) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  struct Row {
    const char* label;
    const char* linked;  // below Documents
    bool folder;         // the link leads to a folder (else to a file)
    const char* said;    // a line the game prints about it ("" none)
  };
  const Row rows[] = {
      {"game.xml is a link", "VURAVAZ/Jigsaw/game.xml", false, "not a regular file"},
      {"the game's folder is a link", "VURAVAZ/Jigsaw", true, "Game folder is a link, not used"},
      {"the company folder is a link", "VURAVAZ", true, "Game folder is a link, not used"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    GameRun run;
    const fs::path outside = testenv::FreshDir("outside");
    const std::string precious = "not a configuration, and not the game's";
    testenv::WriteFile(outside / "game.xml", precious);
    const fs::path link = fs::path(run.Home()) / "Documents" / row.linked;
    fs::create_directories(link.parent_path());
    if (row.folder)
      fs::create_directory_symlink(outside, link);
    else
      fs::create_symlink(outside / "game.xml", link);
    run.Start(x.Display());
    ASSERT_TRUE(run.WaitFor("RUN!")) << run.Out() << run.Err();
    EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
    EXPECT_NE(run.Out().find(row.said), std::string::npos) << run.Out();
    EXPECT_EQ(testenv::ReadFile(outside / "game.xml"), precious);
    EXPECT_EQ(Entries(outside), std::set<std::string>{"game.xml"}) << "nothing new where the link leads";
    if (!row.folder) {
      // The link itself was replaced by the game's own default file.
      EXPECT_FALSE(fs::is_symlink(link));
      EXPECT_EQ(testenv::ReadFile(link).rfind(kBom, 0), 0u) << testenv::ReadFile(link);
    } else {
      EXPECT_TRUE(fs::is_symlink(link)) << "the link stays as the player made it";
    }
  }
}

// Folders and pipes named like the configuration files: start-up goes on
// with built-in values and leaves them as they are. Two runs cover each
// file as a folder and as a pipe.
TEST(ProgramFiles, FoldersAndPipesNamedLikeConfigurationFilesNeitherHangNorAbort) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  enum Kind { kFolder, kPipe };
  struct Row {
    const char* label;
    Kind resource, config, strings, gameXml;
  };
  const Row rows[] = {
      {"pipes then folders", kPipe, kFolder, kPipe, kFolder},
      {"folders then pipes", kFolder, kPipe, kFolder, kPipe},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    GameRun run;
    fs::create_directories(UserFolder(run));
    const std::vector<std::pair<fs::path, Kind>> files = {
        {fs::path(run.Dir()) / "resource.xml", row.resource},
        {fs::path(run.Dir()) / "config.xml", row.config},
        {fs::path(run.Dir()) / "strings.xml", row.strings},
        {UserFolder(run) / "game.xml", row.gameXml},
    };
    for (const auto& [path, kind] : files) {
      if (kind == kFolder) {
        testenv::WriteFile(path / "inside.txt", "kept");
      } else {
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
      }
    }
    run.Start(x.Display());
    ASSERT_TRUE(run.WaitFor("RUN!")) << run.Out() << run.Err();
    EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
    for (const auto& [path, kind] : files) {
      SCOPED_TRACE(path.string());
      EXPECT_NE(run.Out().find(path.filename().string() + ": not a regular file"), std::string::npos) << run.Out();
      if (kind == kFolder)
        EXPECT_EQ(testenv::ReadFile(path / "inside.txt"), "kept");
      else
        EXPECT_TRUE(fs::is_fifo(path));
    }
    EXPECT_NE(run.Out().find("Config loaded"), std::string::npos);
  }
}

// Player folders a player could not have made: names with printf
// directives, control characters and the longest a folder may have, a
// player folder that is a link to elsewhere, "LC.pzl" naming a player of
// 1,000 characters, and a player whose "set.bin" and saves are random
// bytes or cut short. The program starts and ends normally, follows nothing
// out of its folder, and every file a player had is still there (a damaged
// record at most set aside).
TEST(ProgramFiles, HostilePlayerFoldersNeitherCrashNorLoseAnything) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  std::mt19937 rng(20);
  const auto random = [&](size_t n) {
    std::string out(n, '\0');
    for (char& c : out) c = char(rng() & 0xFF);
    return out;
  };
  const std::string record = random(76);
  struct Row {
    const char* label;
    std::string last;  // what "LC.pzl" names
  };
  const Row rows[] = {
      {"a name no folder can have", std::string(1000, 'L') + "%n%s"},
      {"a player whose files are damaged", "Bob"},
      {"a player folder that is a link", "Anna"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    GameRun run;
    const fs::path users = UserFolder(run);
    const fs::path outside = testenv::FreshDir("outside");
    std::map<fs::path, std::string> kept = {
        {outside / "set.bin", random(76)},
        {outside / "1.pzl", random(300)},
        {users / "%n%s%s%n" / "set.bin", record},
        {users / "\x1B[31mred" / "set.bin", record},
        {users / "a\x01b" / "set.bin", record},
        {users / std::string(255, 'x') / "set.bin", record},
        {users / "Bob" / "1.pzl", random(5000)},
        {users / "Bob" / "2.pzl", "<?xml version=\"1.0\"?>\n<Save ImgAdr=\"pic"},
    };
    for (const auto& [path, bytes] : kept) testenv::WriteFile(path, bytes);
    const std::string bobRecord = random(100);
    testenv::WriteFile(users / "Bob" / "set.bin", bobRecord);
    fs::create_directory_symlink(outside, users / "Anna");
    testenv::WriteFile(users / "LC.pzl", row.last);
    run.Start(x.Display());
    // Loading complete: the players, when the program reads them, are read.
    ASSERT_TRUE(run.WaitFor("Init Complete")) << run.Out() << run.Err();
    EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
    for (const auto& [path, bytes] : kept) EXPECT_EQ(testenv::ReadFile(path), bytes) << path;
    EXPECT_EQ(Entries(outside), (std::set<std::string>{"set.bin", "1.pzl"})) << "nothing new where the link leads";
    EXPECT_TRUE(fs::is_symlink(users / "Anna"));
    // Bob's damaged record is where it was, or kept beside a new one.
    const bool aside = fs::exists(users / "Bob" / "set.bin.bad");
    EXPECT_EQ(testenv::ReadFile(users / "Bob" / (aside ? "set.bin.bad" : "set.bin")), bobRecord);
    // "LC.pzl" names the player it named, or the default player when that
    // one cannot be used.
    const std::string last = testenv::ReadFile(users / "LC.pzl");
    EXPECT_TRUE(last == row.last || last == "\xD0\x98\xD0\xB3\xD1\x80\xD0\xBE\xD0\xBA") << last.substr(0, 40);
    // Log lines quote a name only up to their limit.
    EXPECT_EQ(run.Out().find(std::string(300, 'L')), std::string::npos);
  }
}

}  // namespace
