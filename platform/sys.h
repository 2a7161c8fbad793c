// System services the engine stands on: the millisecond clock, sleeping,
// threads and the re-entrant lock, the desktop and its display modes, the
// user's folders, message boxes, opening files with the desktop, and the
// single-line diagnostics on standard output.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace plat {

class Window;

// Starts SDL's video and event subsystems once; later calls do nothing.
// Safe to call before any window exists. Returns false when SDL cannot start
// (no display); the display queries then answer from the test seam or 0.
bool Init();
bool IsInitialised();

// Milliseconds since the system started, wrapping as an unsigned 32-bit
// count: the unsigned difference of two readings is the true interval.
uint32_t TimeMs();
// Test seam: a function that replaces the clock (null restores the real one).
void SetTimeSourceForTests(uint32_t (*source)());

void SleepMs(uint32_t ms);

// Starts fn(arg) on a new detached thread; false when no thread could start.
bool StartThread(void (*fn)(void*), void* arg);

// A lock that its owning thread may enter again (a critical section).
class RecursiveMutex {
 public:
  void Enter() { m_.lock(); }
  void Leave() { m_.unlock(); }
  bool TryEnter() { return m_.try_lock(); }

 private:
  std::recursive_mutex m_;
};

struct IPt {
  int x = 0, y = 0;
};

struct Mode {
  int w = 0, h = 0, hz = 0;
};

// The primary desktop's size in pixels.
IPt DesktopSize();
// The primary display's full-colour modes, in the order the system lists them.
std::vector<Mode> DisplayModes();
// Test seam: answer DesktopSize() and DisplayModes() with these values.
void SetDisplayForTests(IPt desktop, std::vector<Mode> modes);
void ClearDisplayForTests();

struct AdapterId {
  std::string driver, description;
};
AdapterId Adapter();

// The process's current folder.
std::string CurrentDir();
// The user's documents folder (created when missing); "" when there is none.
std::string DocumentsDir();

// A modal message box with an OK button; text and caption are UTF-8.
// Returns 1. With a hook set, or when no box can be shown, the hook (or
// standard error) receives the text instead and nothing blocks; so does
// the environment setting JIGSAW_MESSAGE_BOX=stderr.
int MessageBox(Window* owner, const char* text, const char* caption);
using MessageBoxHook = int (*)(const char* text, const char* caption);
void SetMessageBoxHook(MessageBoxHook hook);

// Opens a file with the desktop's default program (xdg-open), started from
// an argument vector and detached. True when the opener was started.
bool ShellOpen(const std::string& path);
using ShellOpenHook = bool (*)(const std::string& path);
void SetShellOpenHook(ShellOpenHook hook);

struct Date {
  int day = 0, month = 0, year = 0;
};
Date Today();

// Total physical memory in MiB.
unsigned PhysicalMemoryMiB();

// One diagnostic line on standard output, written whole (two threads print).
void PrintLine(const std::string& line);

}  // namespace plat
