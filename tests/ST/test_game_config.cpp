// The video configuration file "game.xml": its default, its exact bytes,
// loading and clamping, a broken file replaced, and the resolution applied.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "GAME/config/config.h"
#include "ST/game.h"
#include "platform/gfx.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;

namespace {

class GameConfig : public ::testing::Test {
 protected:
  void SetUp() override {
    GAME::ApplyConfigDefaults();
    plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
    docs = testenv::FreshDir("docs");
    setenv("XDG_DOCUMENTS_DIR", docs.c_str(), 1);
  }
  void TearDown() override {
    game.reset();
    plat::gfx::DestroyDevice();
    plat::ClearDisplayForTests();
  }
  void Make(plat::IPt desktop, std::vector<plat::Mode> modes) {
    plat::SetDisplayForTests(desktop, std::move(modes));
    game = std::make_unique<ZOV::ST_GAME>();
    game->companyName = "Co";
    game->productName = "Game";
  }
  fs::path Xml() const { return fs::path(docs) / "Co/Game/game.xml"; }
  void WriteXml(const std::string& text) {
    fs::create_directories(Xml().parent_path());
    std::ofstream(Xml(), std::ios::binary) << text;
  }
  std::string docs;
  std::unique_ptr<ZOV::ST_GAME> game;
};

TEST_F(GameConfig, DefaultFileBytes) {
  struct Row {
    std::vector<plat::Mode> modes;
    const char* expected;
  };
  const std::vector<Row> rows = {
      {{{1024, 768, 60}, {1920, 1080, 60}},
       "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<Config>\n<Main resX=\"1920\" resY=\"1080\" support1024=\"true\" "
       "FullScreen=\"true\" Log=\"false\" />\n</Config>\n"},
      {{{1024, 768, 75}, {768, 1024, 60}},
       "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<Config>\n<Main resX=\"1024\" resY=\"768\" support1024=\"false\" "
       "FullScreen=\"true\" Log=\"false\" />\n</Config>\n"},
  };
  for (const Row& row : rows) {
    Make({1920, 1080}, row.modes);
    testing::internal::CaptureStdout();
    game->CreateDefaultConfig();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(testenv::ReadFile(Xml()), row.expected);
    EXPECT_NE(out.find("support resolutions\n"), std::string::npos);
    EXPECT_NE(out.find("Config created\n"), std::string::npos);
    EXPECT_EQ(testenv::ReadFile(Xml()).find('\t'), std::string::npos);
  }
}

TEST_F(GameConfig, CreateConfigKeepsTheKnownSupportFlag) {
  Make({1920, 1080}, {{1024, 768, 60}});
  game->CreateDefaultConfig();
  game->CreateConfig(1280, 1024, false, true);
  EXPECT_NE(testenv::ReadFile(Xml()).find("resX=\"1280\" resY=\"1024\" support1024=\"true\" FullScreen=\"false\" Log=\"true\""),
            std::string::npos);
  EXPECT_EQ(game->screenRes, 1280 * 1024);
  EXPECT_FALSE(game->fullScreen);
}

TEST_F(GameConfig, AFileThatCannotBeWrittenIsReportedAsSuch) {
  Make({1920, 1080}, {});
  fs::create_directories(Xml());  // a folder where the file should be
  testing::internal::CaptureStdout();
  game->CreateConfig(1024, 768, true, false);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.find("Config created"), std::string::npos);
  EXPECT_NE(out.find("Config not saved"), std::string::npos);
}

// The reader alone, on the file the engine writes and on files it must
// refuse, leaving what it was given untouched.
TEST_F(GameConfig, ReadGameConfigTakesOnlyAUsableFile) {
  Make({1920, 1080}, {{1024, 768, 60}});
  game->CreateConfig(1280, 1024, false, true);
  ZOV::GAME_VIDEO_CONFIG read;
  ASSERT_TRUE(ZOV::ReadGameConfig(Xml().string(), &read));
  EXPECT_EQ(read.resX, 1280);
  EXPECT_EQ(read.resY, 1024);
  EXPECT_FALSE(read.support1024) << "the flag the engine held: no default was made";
  EXPECT_FALSE(read.fullScreen);

  struct Row {
    const char* text;
    bool usable;
    int resX, resY;
    bool support1024, fullScreen;
  };
  const Row rows[] = {
      {"<Config><Main resX=\"800\" resY=\"600\" support1024=\"true\" FullScreen=\"true\"/></Config>", true, 800,
       600, true, true},
      {"<Config><Main resX=\"800\" resY=\"600\"/><Other resX=\"1\"/></Config>", true, 800, 600, false, false},
      {"", false, 0, 0, false, false},
      {"<Config><Main resX=\"800\" resY=\"600\"/>", false, 0, 0, false, false},  // not well formed
      {"<Other><Main resX=\"800\" resY=\"600\"/></Other>", false, 0, 0, false, false},
      {"<Config><Other/><Main resX=\"800\" resY=\"600\"/></Config>", false, 0, 0, false, false},
      {"<Config><Main resX=\"800\" resY=\"0\"/></Config>", false, 0, 0, false, false},
      {"<Config><Main resX=\"-1\" resY=\"600\"/></Config>", false, 0, 0, false, false},
      {"<Config><Main resX=\"wide\" resY=\"600\"/></Config>", false, 0, 0, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    WriteXml(row.text);
    ZOV::GAME_VIDEO_CONFIG got{7, 9, true, true};
    EXPECT_EQ(ZOV::ReadGameConfig(Xml().string(), &got), row.usable);
    if (!row.usable) {
      EXPECT_EQ(got.resX, 7) << "left as it was";
      EXPECT_EQ(got.resY, 9);
      continue;
    }
    EXPECT_EQ(got.resX, row.resX);
    EXPECT_EQ(got.resY, row.resY);
    EXPECT_EQ(got.support1024, row.support1024);
    EXPECT_EQ(got.fullScreen, row.fullScreen);
  }
  fs::remove(Xml());
  fs::create_directories(Xml());  // a folder where the file should be
  ZOV::GAME_VIDEO_CONFIG got;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(ZOV::ReadGameConfig(Xml().string(), &got));
  testing::internal::GetCapturedStdout();
}

class GameConfigWindow : public GameConfig {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    GameConfig::SetUp();
  }
};

TEST_F(GameConfigWindow, LargerThanTheDesktopLoadsAsTheDesktop) {
  Make({1600, 1200}, {});
  const std::string text =
      "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<Config>\n<Main resX=\"1920\" resY=\"900\" support1024=\"true\" "
      "FullScreen=\"false\" Log=\"false\" />\n</Config>\n";
  WriteXml(text);
  game->LoadGameConfig();
  EXPECT_EQ(game->resX, 1600);
  EXPECT_EQ(game->resY, 1200);
  EXPECT_EQ(game->screenRes, 1600 * 1200);
  EXPECT_TRUE(game->support1024);
  EXPECT_EQ(testenv::ReadFile(Xml()), text) << "the file itself is not corrected";
  EXPECT_EQ(game->gfx.GetBackWidth(), 1600);
}

TEST_F(GameConfigWindow, FullScreenTakesTheDesktopButKeepsTheFileSize) {
  Make({1920, 1080}, {});
  WriteXml("<Config><Main resX=\"1024\" resY=\"768\" support1024=\"false\" FullScreen=\"true\" /></Config>");
  testing::internal::CaptureStdout();
  game->LoadGameConfig();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(game->resX, 1024);
  EXPECT_EQ(game->resY, 768);
  EXPECT_EQ(game->middle.x, 960);
  EXPECT_EQ(game->middle.y, 540);
  EXPECT_EQ(game->gfx.GetBackWidth(), 1920);
  EXPECT_EQ(game->gfx.GetBackHeight(), 1080);
  const std::string order[] = {" LOAD GAME CONF: ", "Grafix ok", "System reset1920 1080", "change middle screen OK",
                               "System reset complete", "Config loaded"};
  size_t at = 0;
  for (const std::string& line : order) {
    at = out.find(line, at);
    ASSERT_NE(at, std::string::npos) << line << "\n" << out;
  }
}

TEST_F(GameConfigWindow, ABrokenFileIsReplacedByTheDefault) {
  const std::vector<std::string> broken = {
      "", "not xml at all", "<Other><Main resX=\"800\" resY=\"600\"/></Other>",
      "<Config><Main resX=\"0\" resY=\"768\" FullScreen=\"false\"/></Config>",
      "<Config><Main resX=\"-5\" resY=\"-5\"/></Config>"};
  for (const std::string& text : broken) {
    Make({1280, 1024}, {{1280, 1024, 60}});
    WriteXml(text);
    game->LoadGameConfig();
    EXPECT_EQ(game->resX, 1024) << text;
    EXPECT_EQ(game->resY, 768) << text;
    EXPECT_GT(game->gfx.GetBackWidth(), 0);
    EXPECT_EQ(testenv::ReadFile(Xml()).rfind("\xEF\xBB\xBF", 0), 0u) << "a fresh default was written";
    game.reset();
    plat::gfx::DestroyDevice();
  }
}

}  // namespace
