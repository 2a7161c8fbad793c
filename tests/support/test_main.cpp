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
  // Every test passed or skipped, and some skipped (no display): 77, which
  // CTest shows as skipped (tests/CMakeLists.txt, SKIP_RETURN_CODE).
  if (rc == 0 && ::testing::UnitTest::GetInstance()->skipped_test_count() > 0) rc = 77;
  testenv::Cleanup();
  return rc;
}
