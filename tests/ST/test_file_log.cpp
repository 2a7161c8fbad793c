// The line log once LogInit has switched it on (nothing in the game does;
// this program is on its own because the log stays on until exit).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ST/file.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;
using ZOV::ifile;

namespace {

TEST(LogOn, LinesGoFirstOrLastInTheLogFile) {
  const std::string d = testenv::FreshDir("log");
  {
    std::ofstream old(d + "/game.log");
    old << "from an earlier run";
  }
  EXPECT_EQ(ifile.LogInit("game", d.c_str()), 0);
  EXPECT_EQ(fs::current_path().string(), d) << "the log folder becomes the current folder";
  const std::string log = d + "/game.log";
  EXPECT_EQ(testenv::ReadFile(log), "Init") << "an old log is emptied first";

  char a[] = "a";
  char b[] = "b";
  EXPECT_EQ(ifile.Log("last", true), 0);
  EXPECT_EQ(ifile.Log(7, false), 0);
  EXPECT_EQ(ifile.Log(a, b, true), 0);
  EXPECT_EQ(ifile.Log(a, 3, true), 0);
  EXPECT_EQ(ifile.Log(a, 0.5f, true), 0);
  EXPECT_EQ(ifile.Log(1e30f, true), 0);
  ifile << "first" >> 9;
  EXPECT_EQ(testenv::ReadFile(log),
            "first\n7\nInit\nlast\na\tb\na\t3\na\t0.500000\n1000000015047466219876688855040.000000\n9");
  EXPECT_EQ(ifile.LogInit("game", nullptr), 0) << "already on: nothing is emptied";
  EXPECT_NE(testenv::ReadFile(log).find("last"), std::string::npos);
}

}  // namespace
