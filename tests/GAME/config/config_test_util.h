// Helpers of the configuration tests: a fresh current folder per test, whole
// file reads and writes, and LoadConfig() with its standard output captured.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "GAME/config/config.h"
#include "tests/support/test_env.h"

namespace cfgtest {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// LoadConfig() with standard output captured.
inline std::string LoadConfigCaptured() {
  std::fflush(stdout);
  ::testing::internal::CaptureStdout();
  LoadConfig();
  std::fflush(stdout);
  return ::testing::internal::GetCapturedStdout();
}

// Every test runs in a new empty current folder; the previous one comes back after.
class InFreshDir : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string tag = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : tag) {
      if (c == '/') c = '_';
    }
    dir_ = testenv::FreshDir(tag);
    std::filesystem::current_path(dir_);
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  std::filesystem::path previous_;
  std::string dir_;
};

}  // namespace cfgtest
