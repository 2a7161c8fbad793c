// The built game program, run as a player would start it: each case on an X
// server of its own size, with a private HOME and a game folder that links
// to the built packs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/test_env.h"

namespace fs = std::filesystem;

namespace {

// An Xvfb server of the given screen size, stopped at destruction.
class XServer {
 public:
  XServer(int w, int h) {
    const std::string numFile = testenv::FreshDir("xvfb") + "/display";
    pid_ = fork();
    if (pid_ == 0) {
      const std::string screen = std::to_string(w) + "x" + std::to_string(h) + "x24";
      const int fd = ::open(numFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(fd, 3);
      const int devnull = ::open("/dev/null", O_WRONLY);
      dup2(devnull, 2);
      execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    for (int i = 0; i < 200 && display_.empty(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
      std::string n = testenv::ReadFile(numFile);
      if (!n.empty() && n.back() == '\n') display_ = ":" + n.substr(0, n.size() - 1);
    }
  }
  ~XServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// One run of the game program in its own folder.
class GameRun {
 public:
  explicit GameRun(bool withData = true) {
    dir_ = testenv::FreshDir("game");
    home_ = testenv::FreshDir("home");
    const fs::path built(JIGSAW_GAME_DIR);
    if (withData) {
      for (const auto& e : fs::directory_iterator(built)) {
        const std::string name = e.path().filename().string();
        if (name == "DATA" || e.path().extension() == ".fnt" || name == "pzls.xml")
          fs::create_symlink(e.path(), fs::path(dir_) / name);
      }
    }
  }
  const std::string& Dir() const { return dir_; }
  const std::string& Home() const { return home_; }

  void Start(const std::string& display) {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(dir_.c_str()) != 0) _exit(126);
      setenv("HOME", home_.c_str(), 1);
      setenv("XDG_DOCUMENTS_DIR", (home_ + "/Documents").c_str(), 1);
      setenv("XDG_CONFIG_HOME", (home_ + "/.config").c_str(), 1);
      setenv("DISPLAY", display.c_str(), 1);
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
      setenv("JIGSAW_MESSAGE_BOX", "stderr", 1);
      const int out = ::open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = ::open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(out, 1);
      dup2(err, 2);
      const std::string exe = std::string(JIGSAW_GAME_DIR) + "/jigsaw";
      execl(exe.c_str(), "jigsaw", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  // Waits for the program to print `text`; false when it did not in time
  // or ended first.
  bool WaitFor(const std::string& text, int seconds = 30) {
    for (int i = 0; i < seconds * 20; ++i) {
      if (Out().find(text) != std::string::npos) return true;
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        status_ = status;
        return Out().find(text) != std::string::npos;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  // The exit status, after a signal when one is given.
  int Finish(int signal = 0, int seconds = 30) {
    if (!exited_) {
      if (signal) kill(pid_, signal);
      for (int i = 0; i < seconds * 20; ++i) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
          exited_ = true;
          status_ = status;
          break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
      if (!exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
        return -1000;
      }
    }
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -WTERMSIG(status_);
  }
  std::string Out() const { return testenv::ReadFile(fs::path(dir_) / "stdout.txt"); }
  std::string Err() const { return testenv::ReadFile(fs::path(dir_) / "stderr.txt"); }

 private:
  std::string dir_, home_;
  pid_t pid_ = -1;
  bool exited_ = false;
  int status_ = 0;
};

bool InOrder(const std::string& text, const std::vector<std::string>& parts) {
  size_t at = 0;
  for (const std::string& p : parts) {
    at = text.find(p, at);
    if (at == std::string::npos) return false;
    at += p.size();
  }
  return true;
}

std::string Shell(const std::string& cmd) {
  std::string out;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[512];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  return out;
}

TEST(GameProgram, StartsOpensItsWindowAndEndsCleanly) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.Start(x.Display());
  ASSERT_TRUE(run.WaitFor("Init Complete")) << run.Out() << run.Err();
  EXPECT_TRUE(InOrder(run.Out(), {"Grafix init... ", "Execution dir is", " LOAD GAME CONF:", "Grafix ok",
                                  "Config loaded", "RUN!"}))
      << run.Out();
  const fs::path gameXml = fs::path(run.Home()) / "Documents/VURAVAZ/Jigsaw/game.xml";
  const std::string xml = testenv::ReadFile(gameXml);
  EXPECT_EQ(xml.rfind("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<Config>\n<Main resX=", 0), 0u) << xml;
  EXPECT_NE(xml.find("FullScreen=\"true\" Log=\"false\" />"), std::string::npos) << xml;
  for (const char* f : {"resource.xml", "config.xml", "strings.xml"})
    EXPECT_TRUE(fs::exists(fs::path(run.Dir()) / f)) << f;
  if (std::system("command -v xdotool >/dev/null 2>&1") == 0) {
    const std::string ids = Shell("DISPLAY=" + x.Display() + " xdotool search --class VURAVAZ 2>/dev/null");
    EXPECT_FALSE(ids.empty()) << "a window of class VURAVAZ";
  }
  EXPECT_EQ(run.Finish(SIGTERM), 0) << run.Err();
}

TEST(GameProgram, ExactlyTheSmallestScreenStarts) {
  XServer x(1024, 768);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.Start(x.Display());
  EXPECT_TRUE(run.WaitFor("RUN!")) << run.Out() << run.Err();
  EXPECT_EQ(run.Finish(SIGTERM), 0);
}

TEST(GameProgram, RefusesASmallScreenWithoutAWindow) {
  XServer x(800, 600);
  ASSERT_FALSE(x.Display().empty());
  GameRun run;
  run.Start(x.Display());
  EXPECT_EQ(run.Finish(), 255) << run.Out() << run.Err();
  EXPECT_NE(run.Err().find("Error:"), std::string::npos) << run.Err();
  EXPECT_EQ(run.Out().find("Window created"), std::string::npos);
}

TEST(GameProgram, RefusesAnInstallationMissingItsUrlFile) {
  XServer x(1280, 1024);
  ASSERT_FALSE(x.Display().empty());
  GameRun run(/*withData=*/false);
  std::ofstream(fs::path(run.Dir()) / "editions.xml")
      << "<?xml version=\"1.0\"?>\n<edition>\n<url_file param=\"site.url\" />\n"
         "<run_if_url_lost param=\"0\" />\n<exe_file param=\"\" />\n<run_if_exe_lost param=\"1\" />\n"
         "<splash1 param=\"\" />\n<splash2 param=\"\" />\n</edition>\n";
  run.Start(x.Display());
  EXPECT_EQ(run.Finish(), 255);
  EXPECT_NE(run.Err().find("Error: Some files are corrupt. The game may not run. Please reinstall the game"),
            std::string::npos)
      << run.Err();
  for (const char* f : {"resource.xml", "config.xml", "strings.xml"})
    EXPECT_FALSE(fs::exists(fs::path(run.Dir()) / f)) << f << " must not be written before the test";
}

}  // namespace
