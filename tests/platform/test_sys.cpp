#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sys.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { had_ ? setenv(name_.c_str(), old_.c_str(), 1) : unsetenv(name_.c_str()); }

 private:
  std::string name_, old_;
  bool had_ = false;
};

TEST(Documents, UsesTheXdgVariable) {
  const std::string dir = testenv::FreshDir("docs") + "/Mine";
  ScopedEnv env("XDG_DOCUMENTS_DIR", dir.c_str());
  EXPECT_EQ(plat::DocumentsDir(), dir);
  EXPECT_TRUE(fs::is_directory(dir)) << "a missing documents folder is created";
}

TEST(Documents, ReadsTheUserDirsFile) {
  const std::string home = testenv::FreshDir("home");
  fs::create_directories(home + "/.config");
  std::ofstream(home + "/.config/user-dirs.dirs")
      << "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n";
  ScopedEnv h("HOME", home.c_str());
  ScopedEnv x("XDG_DOCUMENTS_DIR", nullptr);
  ScopedEnv c("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(plat::DocumentsDir(), home + "/Papers");
}

TEST(Documents, FallsBackToHomeDocumentsAndToNothing) {
  const std::string home = testenv::FreshDir("home");
  ScopedEnv x("XDG_DOCUMENTS_DIR", nullptr);
  ScopedEnv c("XDG_CONFIG_HOME", (home + "/nowhere").c_str());
  {
    ScopedEnv h("HOME", home.c_str());
    EXPECT_EQ(plat::DocumentsDir(), home + "/Documents");
  }
  ScopedEnv h("HOME", nullptr);
  EXPECT_EQ(plat::DocumentsDir(), "");
}

TEST(CurrentDir, IsTheProcessFolder) {
  EXPECT_EQ(plat::CurrentDir(), fs::current_path().string());
}

TEST(Display, TestSeamAnswersBeforeAnyWindow) {
  plat::SetDisplayForTests({800, 600}, {{800, 600, 60}, {640, 480, 75}});
  EXPECT_EQ(plat::DesktopSize().x, 800);
  EXPECT_EQ(plat::DesktopSize().y, 600);
  ASSERT_EQ(plat::DisplayModes().size(), 2u);
  EXPECT_EQ(plat::DisplayModes()[1].hz, 75);
  plat::ClearDisplayForTests();
}

TEST(Display, RealDesktopUnderX) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
  const plat::IPt d = plat::DesktopSize();
  EXPECT_GT(d.x, 0);
  EXPECT_GT(d.y, 0);
}

std::string gBoxText, gBoxCaption;

TEST(MessageBox, HookReceivesTextInsteadOfBlocking) {
  plat::SetMessageBoxHook([](const char* t, const char* c) {
    gBoxText = t;
    gBoxCaption = c;
    return 1;
  });
  EXPECT_EQ(plat::MessageBox(nullptr, "Error Init Render", "Error"), 1);
  EXPECT_EQ(gBoxText, "Error Init Render");
  EXPECT_EQ(gBoxCaption, "Error");
}

TEST(Threads, StartThreadRunsTheFunction) {
  static std::atomic<int> ran{0};
  static int arg = 7;
  ASSERT_TRUE(plat::StartThread([](void* a) { ran = *static_cast<int*>(a); }, &arg));
  for (int i = 0; i < 200 && ran == 0; ++i) plat::SleepMs(5);
  EXPECT_EQ(ran, 7);
  EXPECT_FALSE(plat::StartThread(nullptr, nullptr));
}

TEST(Threads, LockIsReentrantForItsOwner) {
  plat::RecursiveMutex m;
  m.Enter();
  m.Enter();
  std::atomic<bool> other{true};
  std::thread t([&] { other = m.TryEnter(); });
  t.join();
  EXPECT_FALSE(other) << "another thread must wait";
  m.Leave();
  m.Leave();
  std::thread t2([&] {
    other = m.TryEnter();
    if (other) m.Leave();
  });
  t2.join();
  EXPECT_TRUE(other);
}

// The real opener is started from an argument vector: a fake xdg-open on
// PATH records exactly the argument it got, spaces and quotes included.
TEST(ShellOpen, StartsTheOpenerWithTheArgumentAsGiven) {
  const std::string bin = testenv::FreshDir("bin");
  const std::string out = bin + "/opened.txt";
  {
    std::ofstream s(bin + "/xdg-open");
    s << "#!/bin/sh\nprintf '%s' \"$1\" > '" << out << ".tmp' && mv '" << out << ".tmp' '" << out << "'\n";
  }
  fs::permissions(bin + "/xdg-open", fs::perms::owner_all);
  const std::string path = std::string(std::getenv("PATH") ? std::getenv("PATH") : "");
  ScopedEnv p("PATH", (bin + ":" + path).c_str());
  plat::SetShellOpenHook(nullptr);
  const std::string arg = "it's a \"file\"; rm -rf x.url";
  EXPECT_TRUE(plat::ShellOpen(arg));
  for (int i = 0; i < 400 && !fs::exists(out); ++i) plat::SleepMs(5);
  std::ifstream in(out);
  std::string got((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(got, arg);
  EXPECT_FALSE(plat::ShellOpen(""));
}

TEST(ShellOpen, ReportsAMissingOpener) {
  const std::string empty = testenv::FreshDir("nobin");
  ScopedEnv p("PATH", empty.c_str());
  plat::SetShellOpenHook(nullptr);
  EXPECT_FALSE(plat::ShellOpen("file.txt"));
}

TEST(Today, IsAPlausibleDate) {
  const plat::Date d = plat::Today();
  EXPECT_GE(d.year, 2024);
  EXPECT_GE(d.month, 1);
  EXPECT_LE(d.month, 12);
  EXPECT_GE(d.day, 1);
  EXPECT_LE(d.day, 31);
  EXPECT_GT(plat::PhysicalMemoryMiB(), 0u);
}

}  // namespace
