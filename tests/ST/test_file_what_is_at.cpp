// What the file service finds at a path without following a link: nothing,
// a real folder, a link (to a folder, to a file or dangling) or anything
// else (a file, a pipe). The saved game, the profile's player folders and
// the video configuration decide by it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "ST/file.h"
#include "tests/support/test_env.h"

namespace {

using Kind = ZOV::iFile::PathKind;

TEST(WhatIsAt, TellsFoldersLinksAndTheRestApartWithoutFollowingALink) {
  namespace fs = std::filesystem;
  fs::create_directory("folder");
  testenv::WriteFile("file.txt", "x");
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  fs::create_directory_symlink("folder", "link_to_folder");
  fs::create_symlink("file.txt", "link_to_file");
  fs::create_symlink("nowhere", "dangling");
  struct Case {
    const char* path;
    Kind kind;
  };
  for (const Case& c : {Case{"missing", Kind::kNothing}, Case{"", Kind::kNothing}, Case{"folder", Kind::kFolder},
                        Case{"folder/", Kind::kFolder}, Case{"file.txt", Kind::kOther}, Case{"pipe", Kind::kOther},
                        Case{"link_to_folder", Kind::kLink}, Case{"link_to_file", Kind::kLink},
                        Case{"dangling", Kind::kLink}, Case{"folder/missing", Kind::kNothing}}) {
    EXPECT_EQ(ZOV::iFile::WhatIsAt(c.path), c.kind) << c.path;
  }
  EXPECT_EQ(ZOV::iFile::WhatIsAt(nullptr), Kind::kNothing);
}

}  // namespace
