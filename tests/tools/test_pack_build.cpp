// The pack builder: the game folder the build made, and the builder run on
// generator folders made here.
#include <gtest/gtest.h>
#include <zip.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GAME/config/pack_table.h"
#include "ST/file.h"
#include "tests/support/test_env.h"
#include "tools/pack/pack_writer.h"

namespace fs = std::filesystem;
using ZOV::ifile;

namespace {

struct Stored {
  std::string name;
  int method = -1;      // compression
  int encryption = -1;  // encryption method
  time_t mtime = 0;
};

std::vector<Stored> List(const std::string& pack) {
  std::vector<Stored> out;
  int err = 0;
  zip_t* za = zip_open(pack.c_str(), ZIP_RDONLY, &err);
  if (!za) return out;
  for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
    zip_stat_t st;
    if (zip_stat_index(za, zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0) break;
    out.push_back({st.name, st.comp_method, st.encryption_method, st.mtime});
  }
  zip_discard(za);
  return out;
}

std::vector<std::string> Names(const std::string& pack) {
  std::vector<std::string> names;
  for (const Stored& s : List(pack)) names.push_back(s.name);
  return names;
}

// Every entry of the pack reads back whole through the game's reader with
// the pack's password.
void ExpectReadable(const std::string& pack, const char* password) {
  SCOPED_TRACE(pack);
  ASSERT_EQ(ifile.ZipOpen(pack.c_str()), 1) << "a valid zip";
  ifile.ZipCloze();
  for (const Stored& s : List(pack)) {
    SCOPED_TRACE(s.name);
    EXPECT_EQ(s.encryption, ZIP_EM_TRAD_PKWARE);
    std::string data;
    EXPECT_EQ(ifile.ZipReadEntry(pack.c_str(), s.name.c_str(), password, &data), 1);
  }
}

int RunBuilder(const std::string& args) {
  const std::string cmd = std::string(JIGSAW_TOOLS_DIR) + "/jigsaw_pack " + args + " >/dev/null 2>&1";
  const int rc = std::system(cmd.c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

TEST(GameFolder, HoldsEveryPackOfTheTableReadableWithItsPassword) {
  ASSERT_EQ(GAME::kPackCount, 15);
  for (const GAME::PackInfo& pack : GAME::kPacks) {
    const std::string path = std::string(JIGSAW_GAME_DIR) + "/" + pack.file;
    ASSERT_TRUE(fs::is_regular_file(path)) << path;
    ExpectReadable(path, pack.password);
  }
}

TEST(PackTable, NamesAndPasswords) {
  const char* resource_order[] = {"DATA/loading", "DATA/menu", "DATA/book", "DATA/level", "DATA/pocket",
                                  "DATA/gui",     "DATA/trofei", "DATA/effects", "DATA/fonts", "DATA/music",
                                  "DATA/pre",     "DATA/low", "DATA/hi", "DATA/mid"};
  for (int i = 0; i < GAME::kResourcePackCount; ++i) {
    EXPECT_STREQ(GAME::kPacks[i].file, resource_order[i]);
    EXPECT_NE(GAME::kPacks[i].key, nullptr);
    EXPECT_STREQ(GAME::kPacks[i].password, i == GAME::kPackMusic ? "tunes.wav" : "vexo4");
  }
  EXPECT_STREQ(GAME::kPacks[GAME::kPackEdition].file, "DATA/editions");
  EXPECT_EQ(GAME::kPacks[GAME::kPackEdition].key, nullptr);
  EXPECT_FALSE(GAME::kPacks[GAME::kPackImageBig].selected);
  EXPECT_FALSE(GAME::kPacks[GAME::kPackImageMed].selected);
  EXPECT_EQ(GAME::FindPack("DATA/gui"), &GAME::kPacks[GAME::kPackGui]);
  EXPECT_EQ(GAME::FindPack("gui"), nullptr);
}

class Builder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testenv::FreshDir("build");
    gen_ = root_ + "/gen";
    out_ = root_ + "/game";
    testenv::WriteFile(gen_ + "/gui/b.png", std::string(64, 'p'));
    testenv::WriteFile(gen_ + "/gui/a.xml", std::string(300, 'x'));
    testenv::WriteFile(gen_ + "/gui/.hidden", "scratch");
    testenv::WriteFile(gen_ + "/gui/run.stamp", "");
    testenv::WriteFile(gen_ + "/gui/nested/deep.png", "not at the root");
    testenv::WriteFile(gen_ + "/music/game_01.ogg", "OggS....");
    testenv::WriteFile(gen_ + "/root/PuzzleComix.fnt", "<font/>");
    testenv::WriteFile(gen_ + "/root/sub/notes.txt", "n");
    fs::create_directories(gen_ + "/menu");  // empty folder
  }
  std::string Args() const { return "--gen " + gen_ + " --out " + out_ + " --stamp " + root_ + "/packs.stamp"; }
  std::string Pack(const char* file) const { return out_ + "/" + file; }
  std::string root_, gen_, out_;
};

TEST_F(Builder, WritesEveryPackFromTheGeneratorFolders) {
  ASSERT_EQ(RunBuilder(Args()), 0);
  EXPECT_TRUE(fs::exists(root_ + "/packs.stamp"));
  for (const GAME::PackInfo& pack : GAME::kPacks) ExpectReadable(Pack(pack.file), pack.password);

  // Sorted, hidden files and stamps and sub-folders left out; pictures
  // stored, the rest deflated; one fixed date.
  const std::vector<Stored> gui = List(Pack("DATA/gui"));
  ASSERT_EQ(gui.size(), 2u);
  EXPECT_EQ(gui[0].name, "a.xml");
  EXPECT_EQ(gui[0].method, ZIP_CM_DEFLATE);
  EXPECT_EQ(gui[1].name, "b.png");
  EXPECT_EQ(gui[1].method, ZIP_CM_STORE);
  for (const Stored& s : gui) {
    std::tm tm{};
    localtime_r(&s.mtime, &tm);
    EXPECT_EQ(tm.tm_year, 80);
    EXPECT_EQ(tm.tm_mon, 0);
    EXPECT_EQ(tm.tm_mday, 1);
    EXPECT_EQ(tm.tm_hour, 12);
  }
  std::string data;
  EXPECT_EQ(ifile.ZipReadEntry(Pack("DATA/gui").c_str(), "a.xml", "vexo4", &data), 1);
  EXPECT_EQ(data, std::string(300, 'x'));

  const std::string music = Pack("DATA/music");
  EXPECT_EQ(Names(music), std::vector<std::string>{"game_01.ogg"});
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(ifile.ZipReadEntry(music.c_str(), "game_01.ogg", "vexo4", &data), -1);
  ::testing::internal::GetCapturedStdout();

  EXPECT_EQ(fs::file_size(Pack("DATA/menu")), 22u) << "an empty folder gives an empty pack";
  EXPECT_EQ(fs::file_size(Pack("DATA/book")), 22u) << "so does a missing one";
  EXPECT_EQ(testenv::ReadFile(out_ + "/PuzzleComix.fnt"), "<font/>");
  EXPECT_EQ(testenv::ReadFile(out_ + "/sub/notes.txt"), "n");
}

TEST_F(Builder, SecondRunRewritesOnlyWhatChanged) {
  ASSERT_EQ(RunBuilder(Args()), 0);
  const std::string gui = testenv::ReadFile(Pack("DATA/gui"));
  const std::string music = testenv::ReadFile(Pack("DATA/music"));
  ASSERT_EQ(RunBuilder(Args()), 0);
  EXPECT_EQ(testenv::ReadFile(Pack("DATA/gui")), gui) << "unchanged inputs leave the pack as it was";

  testenv::WriteFile(gen_ + "/gui/a.xml", "changed");
  testenv::WriteFile(gen_ + "/gui/c.jpg", "new");
  ASSERT_EQ(RunBuilder(Args()), 0);
  EXPECT_EQ(Names(Pack("DATA/gui")), (std::vector<std::string>{"a.xml", "b.png", "c.jpg"}));
  std::string data;
  EXPECT_EQ(ifile.ZipReadEntry(Pack("DATA/gui").c_str(), "a.xml", "vexo4", &data), 1);
  EXPECT_EQ(data, "changed");
  EXPECT_EQ(testenv::ReadFile(Pack("DATA/music")), music);
}

TEST_F(Builder, BadUse) {
  EXPECT_EQ(RunBuilder(""), 2);
  EXPECT_EQ(RunBuilder("--gen " + gen_), 2);
  EXPECT_EQ(RunBuilder("--bogus x --gen " + gen_ + " --out " + out_), 2);
  // A game folder that cannot be written.
  testenv::WriteFile(root_ + "/file", "x");
  EXPECT_EQ(RunBuilder("--gen " + gen_ + " --out " + root_ + "/file"), 1);
}

}  // namespace
