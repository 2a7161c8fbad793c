#include "platform/sys.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <thread>

#include "platform/window.h"

namespace fs = std::filesystem;

namespace plat {
namespace {

// How often, and how far apart, a display that does not answer is tried.
constexpr int kDisplayAttempts = 10;
constexpr int kDisplayRetryMs = 300;

std::atomic<uint32_t (*)()> gTimeSource{nullptr};
std::atomic<MessageBoxHook> gMessageBoxHook{nullptr};
std::atomic<ShellOpenHook> gShellOpenHook{nullptr};

std::mutex gDisplayMutex;
std::optional<IPt> gTestDesktop;
std::vector<Mode> gTestModes;

bool gSdlStarted = false;
std::once_flag gSdlOnce;

// Reads XDG_DOCUMENTS_DIR from the user-dirs file: a line such as
// XDG_DOCUMENTS_DIR="$HOME/Documents".
std::string DocumentsFromUserDirs(const std::string& home) {
  const char* cfg = std::getenv("XDG_CONFIG_HOME");
  fs::path file = (cfg && *cfg) ? fs::path(cfg) : fs::path(home) / ".config";
  file /= "user-dirs.dirs";
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    const std::string key = "XDG_DOCUMENTS_DIR=";
    if (line.rfind(key, 0) != 0) continue;
    std::string v = line.substr(key.size());
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    if (v.rfind("$HOME", 0) == 0) v = home + v.substr(5);
    if (!v.empty() && v.front() == '/') return v;
  }
  return {};
}

}  // namespace

bool Init() {
  std::call_once(gSdlOnce, [] {
    SDL_SetMainReady();
    // The X11 window class must be known before the video subsystem starts.
    setenv("SDL_VIDEO_X11_WMCLASS", "VURAVAZ", 0);
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // When no display can be opened SDL falls back to a driver that shows
    // nothing, and the game would run on unseen. Such a driver is kept only
    // when it was asked for by name; otherwise the display is tried again
    // for a few seconds (it may still be starting, or too busy to answer)
    // before the start fails.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    const bool driverAsked = asked && *asked;
    std::string unseen;
    for (int attempt = 0; attempt < kDisplayAttempts; ++attempt) {
      if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(kDisplayRetryMs));
      gSdlStarted = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
      if (!gSdlStarted) {
        PrintLine(std::string("SDL video init failed: ") + SDL_GetError());
        return;
      }
      const char* driver = SDL_GetCurrentVideoDriver();
      const bool shows = !driver || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0);
      if (shows || driverAsked) return;
      unseen = driver;
      SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
      gSdlStarted = false;
      if (attempt == 0) PrintLine("No display answered; trying again");
    }
    PrintLine("SDL video init failed: no display could be opened (only the \"" + unseen + "\" driver started)");
  });
  return gSdlStarted;
}

bool IsInitialised() { return gSdlStarted; }

uint32_t TimeMs() {
  if (auto source = gTimeSource.load()) return source();
  timespec ts{};
  clock_gettime(CLOCK_BOOTTIME, &ts);
  const uint64_t ms = uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
  return uint32_t(ms);
}

void SetTimeSourceForTests(uint32_t (*source)()) { gTimeSource = source; }

void SleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool StartThread(void (*fn)(void*), void* arg) {
  if (!fn) return false;
  try {
    std::thread(fn, arg).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

IPt DesktopSize() {
  {
    std::lock_guard<std::mutex> lock(gDisplayMutex);
    if (gTestDesktop) return *gTestDesktop;
  }
  if (!Init()) return {};
  SDL_DisplayMode m{};
  if (SDL_GetDesktopDisplayMode(0, &m) != 0) return {};
  return {m.w, m.h};
}

std::vector<Mode> DisplayModes() {
  {
    std::lock_guard<std::mutex> lock(gDisplayMutex);
    if (gTestDesktop) return gTestModes;
  }
  std::vector<Mode> modes;
  if (!Init()) return modes;
  const int n = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < n; ++i) {
    SDL_DisplayMode m{};
    if (SDL_GetDisplayMode(0, i, &m) != 0) continue;
    if (SDL_BITSPERPIXEL(m.format) != 24) continue;  // full colour, as X8R8G8B8
    modes.push_back({m.w, m.h, m.refresh_rate});
  }
  return modes;
}

void SetDisplayForTests(IPt desktop, std::vector<Mode> modes) {
  std::lock_guard<std::mutex> lock(gDisplayMutex);
  gTestDesktop = desktop;
  gTestModes = std::move(modes);
}

void ClearDisplayForTests() {
  std::lock_guard<std::mutex> lock(gDisplayMutex);
  gTestDesktop.reset();
  gTestModes.clear();
}

AdapterId Adapter() {
  AdapterId id;
  if (!Init()) return id;
  if (const char* d = SDL_GetCurrentVideoDriver()) id.driver = d;
  if (const char* n = SDL_GetDisplayName(0)) id.description = n;
  return id;
}

std::string CurrentDir() {
  std::error_code ec;
  fs::path p = fs::current_path(ec);
  return ec ? std::string() : p.string();
}

std::string DocumentsDir() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
  std::string dir;
  if (const char* env = std::getenv("XDG_DOCUMENTS_DIR"); env && env[0] == '/') dir = env;
  if (dir.empty()) dir = DocumentsFromUserDirs(home);
  if (dir.empty()) dir = (fs::path(home) / "Documents").string();
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) return {};
  return dir;
}

int MessageBox(Window* owner, const char* text, const char* caption) {
  text = text ? text : "";
  caption = caption ? caption : "";
  if (auto hook = gMessageBoxHook.load()) return hook(text, caption);
  // Headless runs (scripts, tests of the whole program) ask for the text on
  // standard error instead of a box that would wait for a click.
  if (const char* e = std::getenv("JIGSAW_MESSAGE_BOX"); e && std::string(e) == "stderr") {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    return 1;
  }
  SDL_Window* parent = nullptr;
  if (owner && owner->Sdl()) {
    owner->LeaveFullscreenForDialog();
    parent = owner->Sdl();
  }
  if (!IsInitialised() ||
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text, parent) != 0) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
  }
  return 1;
}

void SetMessageBoxHook(MessageBoxHook hook) { gMessageBoxHook = hook; }

bool ShellOpen(const std::string& path) {
  if (path.empty()) return false;
  if (auto hook = gShellOpenHook.load()) return hook(path);
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  if (child == 0) {
    // Detach from our session, and let a grandchild run the opener so that
    // it outlives us and leaves no zombie behind.
    close(fds[0]);
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0) {
      char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(path.c_str()), nullptr};
      execvp("xdg-open", argv);
      const int err = errno;
      (void)!write(fds[1], &err, sizeof err);
      _exit(127);
    }
    _exit(grandchild < 0 ? 1 : 0);
  }
  close(fds[1]);
  int status = 0;
  waitpid(child, &status, 0);
  int err = 0;
  const ssize_t got = read(fds[0], &err, sizeof err);
  close(fds[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

void SetShellOpenHook(ShellOpenHook hook) { gShellOpenHook = hook; }

Date Today() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

unsigned PhysicalMemoryMiB() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long size = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || size <= 0) return 0;
  return unsigned((uint64_t(pages) * uint64_t(size)) >> 20);
}

void PrintLine(const std::string& line) {
  static std::once_flag once;
  static std::mutex m;
  std::call_once(once, [] { std::setvbuf(stdout, nullptr, _IOLBF, 0); });
  std::lock_guard<std::mutex> lock(m);
  std::fputs((line + "\n").c_str(), stdout);
}

}  // namespace plat
