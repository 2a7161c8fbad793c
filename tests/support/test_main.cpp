// Shared main of every test program: isolates the environment, keeps message
// boxes from blocking, then runs the tests.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/sys.h"
#include "tests/support/test_env.h"

int main(int argc, char** argv) {
  testenv::Isolate();
  plat::SetMessageBoxHook([](const char* text, const char* caption) {
    std::fprintf(stderr, "[message box] %s: %s\n", caption, text);
    return 1;
  });
  plat::SetShellOpenHook([](const std::string& path) {
    std::fprintf(stderr, "[shell open] %s\n", path.c_str());
    return true;
  });
  ::testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  testenv::Cleanup();
  return rc;
}
