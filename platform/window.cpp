#include "platform/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace plat {
namespace {

// Text of the key-down message being dispatched (read by ToUnicode).
thread_local const wchar_t* tDispatchedText = nullptr;

// Window managers may drop focus for a moment while a window switches
// between full screen and windowed; such focus loss is not the player's.
constexpr uint32_t kModeSwitchFocusGraceMs = 750;

bool IsSysKey(const SDL_KeyboardEvent& k) {
  if (k.keysym.mod & KMOD_ALT) return true;
  const SDL_Scancode sc = k.keysym.scancode;
  return sc == SDL_SCANCODE_LALT || sc == SDL_SCANCODE_RALT || sc == SDL_SCANCODE_F10;
}

void CopyText(const std::wstring& from, wchar_t* to) {
  const size_t n = std::min<size_t>(from.size(), kMaxTypedChars);
  std::fill(to, to + kMaxTypedChars + 1, L'\0');
  std::copy(from.begin(), from.begin() + n, to);
}

// A small 32x32 icon: a jigsaw piece in blue on transparent.
SDL_Surface* MakeIcon() {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return nullptr;
  auto* px = static_cast<uint32_t*>(s->pixels);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool body = x >= 4 && x < 24 && y >= 8 && y < 28;
      const int dx = x - 14, dy = y - 5, ex = x - 26, ey = y - 18;
      const bool knobTop = dx * dx + dy * dy <= 16;
      const bool knobRight = ex * ex + ey * ey <= 16;
      const bool on = body || knobTop || knobRight;
      px[y * (s->pitch / 4) + x] = on ? 0xFF3A6EC8u : 0x00000000u;
    }
  }
  return s;
}

}  // namespace

Window::~Window() {
  if (window_) SDL_DestroyWindow(window_);
}

bool Window::Create(const std::string& titleUtf8, int clientW, int clientH, WndProc proc) {
  if (window_) return true;
  if (!Init()) return false;
  proc_ = proc;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  window_ = SDL_CreateWindow(titleUtf8.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             std::max(clientW, 1), std::max(clientH, 1),
                             SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!window_) return false;
  id_ = SDL_GetWindowID(window_);
  backBuffer_ = {std::max(clientW, 1), std::max(clientH, 1)};
  if (SDL_Surface* icon = MakeIcon()) {
    SDL_SetWindowIcon(window_, icon);
    SDL_FreeSurface(icon);
  }
  SDL_StartTextInput();
  return true;
}

void Window::SetTitle(const std::string& utf8) {
  if (window_) SDL_SetWindowTitle(window_, utf8.c_str());
}

void Window::NoteModeSwitch() { ignoreFocusLossUntil_ = TimeMs() + kModeSwitchFocusGraceMs; }

void Window::SetWindowed(int clientW, int clientH, bool border, bool resizable) {
  if (!window_) return;
  NoteModeSwitch();
  SDL_SetWindowFullscreen(window_, 0);
  fullscreen_ = false;
  SDL_SetWindowBordered(window_, border ? SDL_TRUE : SDL_FALSE);
  SDL_SetWindowResizable(window_, resizable ? SDL_TRUE : SDL_FALSE);
  SDL_SetWindowAlwaysOnTop(window_, SDL_FALSE);
  SDL_SetWindowSize(window_, std::max(clientW, 1), std::max(clientH, 1));
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  SDL_ShowWindow(window_);
}

void Window::SetFullscreenDesktop() {
  if (!window_) return;
  NoteModeSwitch();
  // A borderless window covering the desktop first: without a window manager
  // (or with one that ignores the full-screen request) the request alone can
  // leave the window at its old size while the game lays itself out for the
  // desktop.
  SDL_DisplayMode desktop;
  const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
  if (SDL_GetDesktopDisplayMode(display, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
    SDL_Rect bounds{0, 0, desktop.w, desktop.h};
    SDL_GetDisplayBounds(display, &bounds);
    SDL_SetWindowBordered(window_, SDL_FALSE);
    SDL_SetWindowSize(window_, desktop.w, desktop.h);
    SDL_SetWindowPosition(window_, bounds.x, bounds.y);
  }
  SDL_ShowWindow(window_);
  SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  fullscreen_ = true;
}

void Window::Minimize() {
  if (window_) SDL_MinimizeWindow(window_);
}

void Window::LeaveFullscreenForDialog() {
  if (window_ && fullscreen_) {
    NoteModeSwitch();
    SDL_SetWindowFullscreen(window_, 0);
    fullscreen_ = false;
  }
}

IPt Window::ClientSize() const {
  if (!window_) return {};
  IPt p;
  SDL_GL_GetDrawableSize(window_, &p.x, &p.y);
  return p;
}

IPt Window::Origin() const {
  if (!window_) return {};
  IPt p;
  SDL_GetWindowPosition(window_, &p.x, &p.y);
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) == 0) {
    p.x -= left;
    p.y -= top;
  }
  return p;
}

IPt Window::ScreenToClient(IPt p) const {
  if (!window_) return p;
  int wx = 0, wy = 0;
  SDL_GetWindowPosition(window_, &wx, &wy);
  return ToBackBuffer(p.x - wx, p.y - wy);
}

void Window::SetBackBufferSize(int w, int h) { backBuffer_ = {std::max(w, 1), std::max(h, 1)}; }

IPt Window::ToBackBuffer(int winX, int winY) const {
  int ww = backBuffer_.x, wh = backBuffer_.y;
  if (window_) SDL_GetWindowSize(window_, &ww, &wh);
  ww = std::max(ww, 1);
  wh = std::max(wh, 1);
  // Window points to drawable pixels to back-buffer pixels: the presented
  // image is stretched over the whole drawable, so one ratio covers both.
  IPt p{int(int64_t(winX) * backBuffer_.x / ww), int(int64_t(winY) * backBuffer_.y / wh)};
  // The pointer is never captured, so positions stay inside the client area.
  p.x = std::clamp(p.x, 0, backBuffer_.x - 1);
  p.y = std::clamp(p.y, 0, backBuffer_.y - 1);
  return p;
}

void Window::PushMouseMove(int winX, int winY) {
  const IPt p = ToBackBuffer(winX, winY);
  lastMouse_ = {winX, winY};
  Msg m;
  m.message = WM_MOUSEMOVE;
  m.lParam = MakeMouseLParam(p.x, p.y);
  queue_.push_back(m);
}

void Window::Translate(const SDL_Event& e) {
  Msg m;
  switch (e.type) {
    case SDL_MOUSEMOTION:
      if (e.motion.windowID != id_) return;
      PushMouseMove(e.motion.x, e.motion.y);
      return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (e.button.windowID != id_) return;
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      switch (e.button.button) {
        case SDL_BUTTON_LEFT: m.message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
        case SDL_BUTTON_RIGHT: m.message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
        case SDL_BUTTON_MIDDLE: m.message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
        default: return;
      }
      if (e.button.x != lastMouse_.x || e.button.y != lastMouse_.y) PushMouseMove(e.button.x, e.button.y);
      const IPt p = ToBackBuffer(e.button.x, e.button.y);
      m.lParam = MakeMouseLParam(p.x, p.y);
      queue_.push_back(m);
      // The second press of a double click (within the desktop's double-click
      // time, as SDL counts it) also reports the double click, after the
      // press itself, so a press counter and a double-click flag both see it.
      if (down && e.button.button == SDL_BUTTON_LEFT && e.button.clicks >= 2 && e.button.clicks % 2 == 0) {
        m.message = WM_LBUTTONDBLCLK;
        queue_.push_back(m);
      }
      return;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      if (e.key.windowID != id_ && e.key.windowID != 0) return;
      const int vk = VirtualKeyForScancode(e.key.keysym.scancode);
      if (vk <= 0 || vk >= 255) return;
      const bool down = e.type == SDL_KEYDOWN;
      const bool sys = IsSysKey(e.key);
      m.message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
      m.wParam = uintptr_t(vk);
      if (down) {
        // The text a key types follows its key-down at once.
        SDL_Event next;
        if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
            next.type == SDL_TEXTINPUT) {
          SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
          if (!sys) CopyText(WideFromUtf8(next.text.text), m.text);
        }
      }
      queue_.push_back(m);
      return;
    }
    case SDL_TEXTINPUT: {
      // Text with no key of its own (an input method's commit) comes as a
      // press and release of the process key carrying the text.
      m.message = WM_KEYDOWN;
      m.wParam = VK_PROCESSKEY;
      CopyText(WideFromUtf8(e.text.text), m.text);
      queue_.push_back(m);
      Msg up;
      up.message = WM_KEYUP;
      up.wParam = VK_PROCESSKEY;
      queue_.push_back(up);
      return;
    }
    case SDL_WINDOWEVENT:
      if (e.window.windowID != id_) return;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
          if (int32_t(TimeMs() - ignoreFocusLossUntil_) < 0) return;
          m.message = WM_ACTIVATE;
          m.wParam = WA_INACTIVE;
          queue_.push_back(m);
          m.message = WM_KILLFOCUS;
          m.wParam = 0;
          queue_.push_back(m);
          return;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          m.message = WM_ACTIVATE;
          m.wParam = WA_ACTIVE;
          queue_.push_back(m);
          m.message = WM_SETFOCUS;
          m.wParam = 0;
          queue_.push_back(m);
          return;
        case SDL_WINDOWEVENT_CLOSE:
          m.message = WM_CLOSE;
          queue_.push_back(m);
          return;
        default:
          return;
      }
    case SDL_QUIT:
      m.message = WM_CLOSE;
      queue_.push_back(m);
      return;
    default:
      return;
  }
}

bool Window::PeekMessage(Msg& out) {
  if (queue_.empty() && IsInitialised()) {
    SDL_Event e;
    while (queue_.empty() && SDL_PollEvent(&e)) Translate(e);
  }
  if (queue_.empty()) return false;
  out = queue_.front();
  queue_.pop_front();
  return true;
}

bool Window::WaitForMessage(uint32_t ms) {
  if (!queue_.empty()) return true;
  if (!IsInitialised()) {
    SleepMs(ms);
    return false;
  }
  return SDL_WaitEventTimeout(nullptr, int(ms)) == 1;
}

long Window::DispatchMessage(const Msg& msg) {
  if (!proc_) return DefWindowProc(this, msg.message, msg.wParam, msg.lParam);
  const wchar_t* saved = tDispatchedText;
  tDispatchedText = (msg.message == WM_KEYDOWN) ? msg.text : nullptr;
  const long r = proc_(this, msg.message, msg.wParam, msg.lParam);
  tDispatchedText = saved;
  return r;
}

void Window::PostMessageForTests(const Msg& msg) { queue_.push_back(msg); }

long DefWindowProc(Window*, unsigned, uintptr_t, intptr_t) { return 0; }

int MapVirtualKey(int vk) {
  if (vk <= 0 || vk > 255) return 0;
  for (int sc = 1; sc < SDL_NUM_SCANCODES; ++sc)
    if (VirtualKeyForScancode(sc) == vk) return sc;
  return 0;
}

int ToUnicode(int, int, const uint8_t*, wchar_t* out, int cap) {
  if (!out || cap <= 0) return 0;
  std::fill(out, out + cap, L'\0');
  if (!tDispatchedText) return 0;
  int n = 0;
  while (n < cap - 1 && n < kMaxTypedChars && tDispatchedText[n]) {
    out[n] = tDispatchedText[n];
    ++n;
  }
  return n;
}

void ShowSystemCursor(bool show) {
  if (IsInitialised()) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

IPt CursorPosGlobal() {
  IPt p;
  if (IsInitialised()) SDL_GetGlobalMouseState(&p.x, &p.y);
  return p;
}

void SetCursorPosGlobal(int x, int y) {
  if (IsInitialised()) SDL_WarpMouseGlobal(x, y);
}

bool MouseButtonDownNow(int vkButton) {
  if (!IsInitialised()) return false;
  const uint32_t state = SDL_GetGlobalMouseState(nullptr, nullptr);
  if (vkButton == VK_LBUTTON) return state & SDL_BUTTON(SDL_BUTTON_LEFT);
  if (vkButton == VK_RBUTTON) return state & SDL_BUTTON(SDL_BUTTON_RIGHT);
  return false;
}

std::wstring WideFromUtf8(const std::string& s) {
  std::wstring out;
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = s[i];
    uint32_t cp = 0xFFFD;
    int len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 0x6) {
      len = 2;
      cp = c & 0x1F;
    } else if ((c >> 4) == 0xE) {
      len = 3;
      cp = c & 0x0F;
    } else if ((c >> 3) == 0x1E) {
      len = 4;
      cp = c & 0x07;
    } else {
      out.push_back(wchar_t(0xFFFD));
      ++i;
      continue;
    }
    if (i + len > s.size()) {
      out.push_back(wchar_t(0xFFFD));
      break;
    }
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      const unsigned char cc = s[i + k];
      if ((cc >> 6) != 0x2) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      out.push_back(wchar_t(0xFFFD));
      ++i;
      continue;
    }
    out.push_back(wchar_t(cp));
    i += len;
  }
  return out;
}

}  // namespace plat
