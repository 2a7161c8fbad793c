// The built game program with hostile company and product names in its
// "config.xml": names far longer than any file system takes for a folder
// must neither end the program nor reach the file system whole.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/game_run.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;
using gamerun::GameRun;
using gamerun::XServer;

namespace {

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

struct NameCase {
  const char* name;
  std::string company, product;
  // Folder made beforehand under the documents folder ("" for none).
  std::string existing;
  // The per-user game folder expected, relative to the documents folder.
  std::string gameFolder;
  // The line that tells of the cut.
  std::string logged;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

// "Ж" is two bytes, so "L" + 149 × "Ж" + "L" is 300 bytes whose 200-byte cut
// falls inside a character: the name keeps "L" and 99 × "Ж" (199 bytes).
const NameCase kCases[] = {
    {"LongCompany", Repeat("L", 256), "", "", Repeat("L", 200) + "/Jigsaw",
     "Company name \"" + Repeat("L", 200) + "...\" is too long for a folder; its first 200 bytes used\n"},
    {"LongProductUnderAnExistingCompany", "Co", "L" + Repeat("Ж", 149) + "L", "Co", "Co/L" + Repeat("Ж", 99),
     "Product name \"L" + Repeat("Ж", 99) + "...\" is too long for a folder; its first 199 bytes used\n"},
};

class ProgramNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProgramNames, AreCutToAFolderNameAndTheGameStarts) {
  const NameCase& c = GetParam();
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  std::ostringstream config;
  config << "<?xml version=\"1.0\"?>\n<config>\n";
  if (!c.company.empty()) config << "<company var=\"" << c.company << "\"/>\n";
  if (!c.product.empty()) config << "<product var=\"" << c.product << "\"/>\n";
  config << "</config>\n";
  std::ofstream(fs::path(run.Dir()) / "config.xml") << config.str();
  const fs::path docs = fs::path(run.Home()) / "Documents";
  if (!c.existing.empty()) fs::create_directories(docs / c.existing);

  run.Start(x.Display());
  const bool started = run.WaitFor("RUN!");
  const int status = run.Finish(SIGTERM);
  EXPECT_NE(status, -SIGABRT) << "the program aborted\n" << run.Err();
  EXPECT_TRUE(started) << run.Out() << run.Err();
  EXPECT_EQ(status, 0) << run.Err();
  const fs::path gameXml = docs / c.gameFolder / "game.xml";
  EXPECT_TRUE(fs::is_regular_file(gameXml)) << gameXml;
  // The log quotes the configured name, not all of it.
  EXPECT_NE(run.Out().find(c.logged), std::string::npos) << run.Out();
  const std::string& longName = c.company.size() > c.product.size() ? c.company : c.product;
  EXPECT_EQ(run.Out().find(longName), std::string::npos) << run.Out();
}

// A company folder that is a link to itself: the game folder under it can
// be neither examined nor made, which is logged, and the game runs on its
// built-in video settings.
TEST(ProgramFolders, AnUnusableGameFolderIsLoggedAndTheGameStarts) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  std::ofstream(fs::path(run.Dir()) / "config.xml")
      << "<?xml version=\"1.0\"?>\n<config>\n<company var=\"Co\"/>\n</config>\n";
  const fs::path docs = fs::path(run.Home()) / "Documents";
  fs::create_directories(docs);
  fs::create_directory_symlink("Co", docs / "Co");
  run.Start(x.Display());
  const bool started = run.WaitFor("RUN!");
  const int status = run.Finish(SIGTERM);
  EXPECT_NE(status, -SIGABRT) << "the program aborted\n" << run.Err();
  EXPECT_TRUE(started) << run.Out() << run.Err();
  EXPECT_EQ(status, 0) << run.Err();
  EXPECT_TRUE(gamerun::InOrder(run.Out(), {"Game folder not usable (", "): " + (docs / "Co/Jigsaw/").string(),
                                           "Config not saved: ", "Config loaded", "RUN!"}))
      << run.Out();
}

INSTANTIATE_TEST_SUITE_P(Config, ProgramNames, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
