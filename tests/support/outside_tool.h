// The outside programs some tests run (xdotool, xwd, setxkbmap): ./test.sh
// installs each from the Debian package packages.txt names. A test that
// needs one asserts it is there, so a machine set up without it fails
// naming the tool and its package instead of passing unseen.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace testenv {

inline ::testing::AssertionResult ToolInstalled(const std::string& tool, const std::string& package) {
  const std::string cmd = "command -v " + tool + " >/dev/null 2>&1";
  if (std::system(cmd.c_str()) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << tool << " is not installed: it comes with the Debian package " << package
                                       << ", which ./test.sh installs (packages.txt)";
}

}  // namespace testenv
