// Two runs of the generator give the same files, byte for byte, and the
// folder writer puts exactly those bytes on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/test_env.h"
#include "tools/data/generator.h"

namespace {

TEST(DataDeterminism, TwoRunsGiveIdenticalBytes) {
  gendata::MemSink a, b;
  gendata::GenerateAll(a);
  gendata::GenerateAll(b);
  ASSERT_EQ(a.Files().size(), b.Files().size());
  EXPECT_GT(a.Files().size(), 200u);
  for (const auto& [key, bytes] : a.Files()) {
    const gendata::Bytes* other = b.Find(key.first, key.second);
    ASSERT_NE(other, nullptr) << key.first << "/" << key.second;
    EXPECT_TRUE(bytes == *other) << key.first << "/" << key.second << " differs between runs";
  }
}

TEST(DataDeterminism, FolderWriterStoresTheSameBytes) {
  std::string dir = testenv::FreshDir("gen");
  gendata::MemSink mem;
  gendata::DirSink disk(dir);
  gendata::MakeEditions(mem);
  gendata::MakeTrophies(mem);
  gendata::MakeEditions(disk);
  gendata::MakeTrophies(disk);
  EXPECT_EQ(disk.Failures(), 0);
  for (const auto& [key, bytes] : mem.Files()) {
    std::ifstream in(std::filesystem::path(dir) / key.first / key.second, std::ios::binary);
    ASSERT_TRUE(in) << key.second;
    gendata::Bytes onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(onDisk == bytes) << key.second;
  }
}

TEST(DataDeterminism, FolderWriterReportsAFolderItCannotCreate) {
  std::string dir = testenv::FreshDir("blocked");
  std::ofstream(std::filesystem::path(dir) / "editions") << "a file where the folder should be";
  gendata::DirSink disk(dir);
  gendata::MakeEditions(disk);
  EXPECT_EQ(disk.Failures(), 1);
}

TEST(DataDeterminism, FolderWriterRefusesAnEmptyFile) {
  std::string dir = testenv::FreshDir("empty");
  gendata::DirSink disk(dir);
  testing::internal::CaptureStdout();
  EXPECT_FALSE(disk.Put("music", "game_01.ogg", gendata::Bytes()));
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(disk.Failures(), 1);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(dir) / "music" / "game_01.ogg"));
  EXPECT_NE(out.find("nothing made for music/game_01.ogg"), std::string::npos) << out;
}

}  // namespace
