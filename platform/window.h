// The game's one top-level window and its message pump. SDL events are turned
// into the small set of window messages the engine's window procedure reads:
// mouse moves in back-buffer pixels, button and key presses with virtual-key
// codes, focus changes and close requests. The typed text of a key press
// travels with its key-down message and is read back through ToUnicode().
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "platform/sys.h"

struct SDL_Window;
union SDL_Event;

namespace plat {

enum : unsigned {
  WM_DESTROY = 0x0002,
  WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_CLOSE = 0x0010,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_MBUTTONDOWN = 0x0207,
  WM_MBUTTONUP = 0x0208,
};
enum : unsigned { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

// Virtual-key codes the engine names.
enum : int {
  VK_LBUTTON = 0x01,
  VK_RBUTTON = 0x02,
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_CAPITAL = 0x14,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_ADD = 0x6B,
  VK_F10 = 0x79,
  VK_PROCESSKEY = 0xE5,
};

// Longest typed text carried by one key-down, in characters.
constexpr int kMaxTypedChars = 15;

struct Msg {
  unsigned message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
  // Key-down only: the characters the key typed, zero-terminated (UTF-32).
  wchar_t text[kMaxTypedChars + 1] = {};
};

// mouse position packed as Win32 does: low word x, high word y.
constexpr intptr_t MakeMouseLParam(int x, int y) {
  return intptr_t((uint32_t(uint16_t(y)) << 16) | uint16_t(x));
}

class Window;
using WndProc = long (*)(Window*, unsigned msg, uintptr_t wParam, intptr_t lParam);

class Window {
 public:
  Window() = default;
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Creates the window hidden, with an OpenGL-capable surface; false when
  // no window can be made. The procedure receives every dispatched message.
  bool Create(const std::string& titleUtf8, int clientW, int clientH, WndProc proc);
  bool IsCreated() const { return window_ != nullptr; }

  void SetTitle(const std::string& utf8);
  // A framed (or borderless) window of this client size, centred, shown.
  void SetWindowed(int clientW, int clientH, bool border, bool resizable);
  // A borderless window covering the desktop, without a display mode change.
  void SetFullscreenDesktop();
  bool IsFullscreen() const { return fullscreen_; }
  void Minimize();
  // Leaves full screen so a dialog box can be seen above the window.
  void LeaveFullscreenForDialog();

  IPt ClientSize() const;
  IPt Origin() const;
  IPt ScreenToClient(IPt p) const;

  // The size of the image the game presents; mouse positions are reported
  // in its pixels whatever size the window really has.
  void SetBackBufferSize(int w, int h);
  IPt BackBufferSize() const { return backBuffer_; }

  // Takes the next message, translating pending system events first.
  bool PeekMessage(Msg& out);
  // Waits up to ms milliseconds for a system event (returns at once when
  // one is pending); true when there is one to peek.
  bool WaitForMessage(uint32_t ms);
  long DispatchMessage(const Msg& msg);
  void PostMessageForTests(const Msg& msg);

  SDL_Window* Sdl() const { return window_; }
  uint32_t SdlId() const { return id_; }

 private:
  void Translate(const SDL_Event& e);
  void PushMouseMove(int winX, int winY);
  IPt ToBackBuffer(int winX, int winY) const;
  void NoteModeSwitch();

  SDL_Window* window_ = nullptr;
  uint32_t id_ = 0;
  WndProc proc_ = nullptr;
  bool fullscreen_ = false;
  IPt backBuffer_{1024, 768};
  IPt lastMouse_{-1, -1};
  uint32_t ignoreFocusLossUntil_ = 0;
  std::deque<Msg> queue_;
};

// Default handling of a message: nothing, result 0.
long DefWindowProc(Window*, unsigned, uintptr_t, intptr_t);

// The virtual-key code of a physical key (SDL scancode), 0 when unmapped.
int VirtualKeyForScancode(int scancode);
// Virtual key to scan code (the SDL scancode of the key; 0 when none).
int MapVirtualKey(int vk);
// The text typed by the key-down being dispatched, copied zero-filled into
// out (cap characters at most); returns its length, 0 outside a key-down.
int ToUnicode(int vk, int scan, const uint8_t keys[256], wchar_t* out, int cap);

void ShowSystemCursor(bool show);
IPt CursorPosGlobal();
void SetCursorPosGlobal(int x, int y);
bool MouseButtonDownNow(int vkButton);

// UTF-8 to UTF-32 (invalid bytes become U+FFFD).
std::wstring WideFromUtf8(const std::string& utf8);

}  // namespace plat
