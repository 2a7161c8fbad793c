// Runs of the built game program for tests that treat it as a player would:
// a private Xvfb server of a chosen size, and one run of the program in a
// fresh game folder (linked to the built packs) with a private HOME. The
// program's standard output and error go to files in its folder; message
// boxes are printed to standard error ("Error: <text>").
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/test_env.h"

namespace gamerun {

namespace fs = std::filesystem;

// A program built with ThreadSanitizer starts several times slower (every
// memory access is checked, and Mesa's worker threads with it), so the waits
// for its output allow that much longer; one built with AddressSanitizer
// twice as long (these tests run beside the others, on a loaded machine).
// A wait that is met returns at once.
#if defined(__SANITIZE_THREAD__)
inline constexpr int kWaitFactor = 4;
#elif defined(__SANITIZE_ADDRESS__)
inline constexpr int kWaitFactor = 2;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
inline constexpr int kWaitFactor = 4;
#elif __has_feature(address_sanitizer)
inline constexpr int kWaitFactor = 2;
#else
inline constexpr int kWaitFactor = 1;
#endif
#else
inline constexpr int kWaitFactor = 1;
#endif

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
  // A server on display `number`, started only after `delayMs` (a display
  // that comes up late). Display() is known at once.
  XServer(int w, int h, int number, int delayMs) : display_(":" + std::to_string(number)) {
    pid_ = fork();
    if (pid_ == 0) {
      usleep(useconds_t(delayMs) * 1000);
      const std::string screen = std::to_string(w) + "x" + std::to_string(h) + "x24";
      const int devnull = ::open("/dev/null", O_WRONLY);
      dup2(devnull, 2);
      execlp("Xvfb", "Xvfb", display_.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
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
  // A run a failed check left behind is not left running.
  ~GameRun() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  GameRun(const GameRun&) = delete;
  GameRun& operator=(const GameRun&) = delete;
  const std::string& Dir() const { return dir_; }
  // Replaces the link to the built DATA folder by a folder of links to each
  // of its entries but `entry` (a pack such as "music").
  void LeaveOutOfData(const std::string& entry) {
    const fs::path data = fs::path(dir_) / "DATA";
    fs::remove(data);
    fs::create_directory(data);
    for (const auto& e : fs::directory_iterator(fs::path(JIGSAW_GAME_DIR) / "DATA"))
      if (e.path().filename() != entry) fs::create_symlink(e.path(), data / e.path().filename());
  }
  const std::string& Home() const { return home_; }
  // The running program's process id (-1 before Start).
  pid_t Pid() const { return pid_; }

  // Starts the program; after Finish, again in the same folders and HOME.
  void Start(const std::string& display) {
    exited_ = false;
    status_ = 0;
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
    for (int i = 0; i < seconds * kWaitFactor * 20; ++i) {
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
      for (int i = 0; i < seconds * kWaitFactor * 20; ++i) {
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
        exited_ = true;
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

inline bool InOrder(const std::string& text, const std::vector<std::string>& parts) {
  size_t at = 0;
  for (const std::string& p : parts) {
    at = text.find(p, at);
    if (at == std::string::npos) return false;
    at += p.size();
  }
  return true;
}

inline std::string Shell(const std::string& cmd) {
  std::string out;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[512];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  return out;
}

}  // namespace gamerun
