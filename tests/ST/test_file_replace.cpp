// The file service's two atomic replaces, the one flushed to disk before the
// rename (SaveData) and the one that is not (SaveDataUnflushed), on the same
// table of cases: both write the whole contents or leave the old file
// whole, replace a link instead of writing through it, keep a file's
// permissions, refuse what is not a regular file, and leave no temporary
// file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "ST/file.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;
using ZOV::ifile;

namespace {

struct Writer {
  const char* name;
  int (ZOV::iFile::*write)(const char*, const void*, int);
};

class AtomicWriters : public ::testing::TestWithParam<Writer> {
 protected:
  int Write(const std::string& path, const std::string& data) {
    return (ifile.*GetParam().write)(path.c_str(), data.data(), int(data.size()));
  }
  static long Entries(const std::string& dir) {
    return long(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
  }
};

TEST_P(AtomicWriters, WriteTheWholeContentsAndRefuseBadArguments) {
  const std::string d = testenv::FreshDir(std::string("whole-") + GetParam().name);
  const std::string f = d + "/view.txt";
  const std::string text(5000, 'x');
  ASSERT_EQ(Write(f, text), 0);
  EXPECT_EQ(testenv::ReadFile(f), text);
  ASSERT_EQ(Write(f, "shorter"), 0);
  EXPECT_EQ(testenv::ReadFile(f), "shorter");
  EXPECT_EQ(Write(f, ""), 0);
  EXPECT_EQ(testenv::ReadFile(f), "");
  EXPECT_EQ(Entries(d), 1) << "no temporary file is left";

  EXPECT_EQ(Write(d + "/no/such/file", "x"), 1);
  EXPECT_EQ(Write("", "x"), 1);
  EXPECT_EQ((ifile.*GetParam().write)(f.c_str(), "x", -1), 1);
  EXPECT_EQ((ifile.*GetParam().write)(f.c_str(), nullptr, 3), 1);
  fs::create_directory(d + "/folder");
  EXPECT_EQ(Write(d + "/folder", "x"), 1);
  EXPECT_TRUE(fs::is_directory(d + "/folder"));
}

TEST_P(AtomicWriters, ReplaceALinkAndKeepAFilesPermissions) {
  const std::string d = testenv::FreshDir(std::string("link-") + GetParam().name);
  testenv::WriteFile(d + "/precious.txt", "keep");
  fs::create_symlink(d + "/precious.txt", d + "/link");
  ASSERT_EQ(Write(d + "/link", "new"), 0);
  EXPECT_FALSE(fs::is_symlink(d + "/link"));
  EXPECT_EQ(testenv::ReadFile(d + "/link"), "new");
  EXPECT_EQ(testenv::ReadFile(d + "/precious.txt"), "keep");

  testenv::WriteFile(d + "/p.txt", "old");
  chmod((d + "/p.txt").c_str(), 0640);
  ASSERT_EQ(Write(d + "/p.txt", "new"), 0);
  struct stat st;
  ASSERT_EQ(stat((d + "/p.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A write that fails half-way leaves the old file whole and no temporary
// file; one killed half-way leaves the old file whole too.
TEST_P(AtomicWriters, AnInterruptedWriteKeepsTheOldContents) {
  const std::string d = testenv::FreshDir(std::string("cut-") + GetParam().name);
  const std::string f = d + "/view.txt";
  const std::string old(1000, 'o');
  const std::string fresh(2000, 'n');
  testenv::WriteFile(f, old);
  ZOV::iFile::SetWriteFaultHookForTests([](const char*) { return false; });
  EXPECT_EQ(Write(f, fresh), 1);
  ZOV::iFile::SetWriteFaultHookForTests(nullptr);
  EXPECT_EQ(testenv::ReadFile(f), old);
  EXPECT_EQ(Entries(d), 1) << "the temporary file is removed";

  EXPECT_EXIT(
      {
        ZOV::iFile::SetWriteFaultHookForTests([](const char*) -> bool { _exit(7); });
        Write(f, fresh);
      },
      ::testing::ExitedWithCode(7), "");
  EXPECT_EQ(testenv::ReadFile(f), old);
  ASSERT_EQ(Write(f, fresh), 0);
  EXPECT_EQ(testenv::ReadFile(f), fresh);
  EXPECT_EQ(Entries(d), 1) << "the killed writer's temporary file is removed";
}

INSTANTIATE_TEST_SUITE_P(BothReplaces, AtomicWriters,
                         ::testing::Values(Writer{"flushed", &ZOV::iFile::SaveData},
                                           Writer{"unflushed", &ZOV::iFile::SaveDataUnflushed}),
                         [](const ::testing::TestParamInfo<Writer>& info) { return std::string(info.param.name); });

}  // namespace
