// JC_APP: the game's single top-level window. It creates the window, and
// switches it between a framed, centred window of the game's client size and
// a borderless, topmost, desktop-sized one (full screen never changes the
// display mode). It also wraps a few system calls: cursor display, desktop
// size, time and sleep.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window.h"
#include "ST/object.h"

// Window style bits, kept so the window's state can be inspected and tested
// the same way whatever the windowing system underneath.
namespace ZOV::STYLE {
constexpr uint32_t WS_POPUP = 0x80000000u;
constexpr uint32_t WS_VISIBLE = 0x10000000u;
constexpr uint32_t WS_CAPTION = 0x00C00000u;
constexpr uint32_t WS_SYSMENU = 0x00080000u;
constexpr uint32_t WS_THICKFRAME = 0x00040000u;
constexpr uint32_t WS_MINIMIZEBOX = 0x00020000u;
constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000u;
constexpr uint32_t WS_OVERLAPPEDWINDOW = 0x00CF0000u;
constexpr uint32_t WS_EX_TOPMOST = 0x00000008u;
}  // namespace ZOV::STYLE

class JC_APP {
 public:
  JC_APP();

  // Creates the window, first framed with the constructor's 1024x768 client
  // area and centred; always 1.
  int fInit(const std::string& title, plat::WndProc proc);
  plat::Window* fGetWindow() { return window_.IsCreated() ? &window_ : nullptr; }
  plat::Window& Window() { return window_; }

  void fResizeWindow(int w, int h, bool full, bool stretch);
  void fStyleBorder(bool on);
  void fStyleResize(bool on);
  void fStyleMinimize(bool on);
  void fStyleMaximize(bool on);
  void fSetWindowName(const char* text);
  void fMouseShow(bool show) { mouseShown_ = show; }
  bool fGetMouseState() const { return mouseShown_; }
  // Drives the system cursor to exactly shown or hidden.
  void fMouseShowEX(bool show);

  // Screen point to client point; in full screen with stretch set, also
  // undoes the stretch.
  JST::iPOINT* fGetLogicalPos(const JST::iPOINT& screen, JST::iPOINT* out);
  // The same, undoing the stretch whenever the window is full screen.
  JST::iPOINT fGetLogicalPos(const JST::iPOINT& screen);

  void updateStretch();
  void ApplyStyle();
  // Outer window size for a client size under the current style.
  void getRealWindowSize(int w, int h, int* outW, int* outH) const;

  void fSleep(unsigned long ms);
  JST::iPOINT fGetSystemResolution() const;
  void fGetSystemResolution(JST::iPOINT& out) const;
  void fGetSystemResolution(int* w, int* h) const;
  unsigned long fGetSystemTime() const;
  unsigned long fGetSystemTime(unsigned long* out) const;

  int ClientWidth() const { return clientW_; }
  int ClientHeight() const { return clientH_; }
  bool IsFullScreen() const { return full_; }
  uint32_t Style() const { return style_; }
  uint32_t ExStyle() const { return exStyle_; }
  float StretchScale() const { return stretchScale_; }
  JST::fPOINT StretchOffset() const { return stretchOffset_; }
  // Outer position the last windowed placement asked for.
  JST::iPOINT RequestedOrigin() const { return requestedOrigin_; }
  // For tests: the desktop size the window lays itself out against.
  void SetDesktopForTests(int w, int h) { desktopW_ = w, desktopH_ = h; }

 private:
  void Place();

  plat::Window window_;
  int clientW_ = 1024, clientH_ = 768;
  bool full_ = false;
  int desktopW_ = 0, desktopH_ = 0;
  uint32_t style_ = 0, exStyle_ = 0;
  bool border_ = true, resize_ = false, minimizeBox_ = true, maximizeBox_ = false;
  bool mouseShown_ = true;
  float stretchScale_ = 1.0f;
  JST::fPOINT stretchOffset_{0.0f, 0.0f};
  bool stretch_ = false;
  JST::iPOINT requestedOrigin_{0, 0};
};
