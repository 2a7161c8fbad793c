#include "ST/app_window.h"

#include <SDL.h>

#include <cstring>

#include "platform/sys.h"

using namespace ZOV::STYLE;

JC_APP::JC_APP() { fGetSystemResolution(&desktopW_, &desktopH_); }

int JC_APP::fInit(const std::string& title, plat::WndProc proc) {
  plat::PrintLine("===========================\nWindowInit");
  style_ = WS_OVERLAPPEDWINDOW;
  if (window_.Create(title, clientW_, clientH_, proc)) {
    plat::PrintLine("Window created\n===========================");
  } else {
    plat::PrintLine(" Window create error ");
  }
  ApplyStyle();
  fResizeWindow(clientW_, clientH_, full_, stretch_);
  return 1;
}

void JC_APP::ApplyStyle() {
  if (full_) return;
  style_ = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
  exStyle_ = 0;
  if (!border_) {
    style_ &= ~(WS_CAPTION | WS_THICKFRAME);
  } else {
    if (!minimizeBox_) style_ &= ~WS_MINIMIZEBOX;
    if (!maximizeBox_) style_ &= ~WS_MAXIMIZEBOX;
    if (!resize_) style_ &= ~WS_THICKFRAME;
  }
}

void JC_APP::getRealWindowSize(int w, int h, int* outW, int* outH) const {
  // The frame the window manager really draws around a framed window; none
  // for a borderless one (and none known before the window is shown).
  int top = 0, left = 0, bottom = 0, right = 0;
  const bool framed = (style_ & WS_CAPTION) != 0 && !(style_ & WS_POPUP);
  if (framed && window_.Sdl()) SDL_GetWindowBordersSize(window_.Sdl(), &top, &left, &bottom, &right);
  if (outW) *outW = w + left + right;
  if (outH) *outH = h + top + bottom;
}

void JC_APP::fResizeWindow(int w, int h, bool full, bool stretch) {
  clientW_ = w;
  clientH_ = h;
  full_ = full;
  stretch_ = stretch;
  Place();
  updateStretch();
}

void JC_APP::Place() {
  if (full_) {
    style_ = WS_POPUP;
    exStyle_ = WS_EX_TOPMOST;
    window_.SetFullscreenDesktop();
    return;
  }
  ApplyStyle();
  int outW = 0, outH = 0;
  getRealWindowSize(clientW_, clientH_, &outW, &outH);
  requestedOrigin_ = JST::iPOINT(desktopW_ / 2 - outW / 2, desktopH_ / 2 - outH / 2);
  window_.SetWindowed(clientW_, clientH_, border_, resize_);
}

void JC_APP::updateStretch() {
  if (!full_) return;
  if (clientW_ == desktopW_ && clientH_ == desktopH_) {
    stretchScale_ = 1.0f;
    stretchOffset_ = JST::fPOINT(0.0f, 0.0f);
    return;
  }
  if (clientW_ <= 0 || clientH_ <= 0) return;  // nothing sensible to stretch
  const float sx = float(desktopW_) / float(clientW_);
  const float sy = float(desktopH_) / float(clientH_);
  stretchScale_ = sx > sy ? sy : sx;
  stretchOffset_ = JST::fPOINT((float(desktopW_) - float(clientW_) * stretchScale_) / 2.0f,
                               (float(desktopH_) - float(clientH_) * stretchScale_) / 2.0f);
}

void JC_APP::fStyleBorder(bool on) {
  if (full_) return;
  border_ = on;
  ApplyStyle();
  fResizeWindow(clientW_, clientH_, full_, stretch_);
}

void JC_APP::fStyleResize(bool on) {
  if (full_) return;
  resize_ = on;
  ApplyStyle();
  fResizeWindow(clientW_, clientH_, full_, stretch_);
}

void JC_APP::fStyleMinimize(bool on) {
  if (full_) return;
  minimizeBox_ = on;
  ApplyStyle();
  fResizeWindow(clientW_, clientH_, full_, stretch_);
}

void JC_APP::fStyleMaximize(bool on) {
  if (full_) return;
  maximizeBox_ = on;
  ApplyStyle();
  fResizeWindow(clientW_, clientH_, full_, stretch_);
}

void JC_APP::fSetWindowName(const char* text) { window_.SetTitle(text ? text : ""); }

void JC_APP::fMouseShowEX(bool show) { plat::ShowSystemCursor(show); }

JST::iPOINT* JC_APP::fGetLogicalPos(const JST::iPOINT& screen, JST::iPOINT* out) {
  const plat::IPt c = window_.ScreenToClient({screen.x, screen.y});
  if (full_ && stretch_ && stretchScale_ != 0.0f) {
    out->x = int((float(c.x) - stretchOffset_.x) / stretchScale_);
    out->y = int((float(c.y) - stretchOffset_.y) / stretchScale_);
  } else {
    out->x = c.x;
    out->y = c.y;
  }
  return out;
}

JST::iPOINT JC_APP::fGetLogicalPos(const JST::iPOINT& screen) {
  const plat::IPt c = window_.ScreenToClient({screen.x, screen.y});
  if (full_ && stretchScale_ != 0.0f)
    return JST::iPOINT(int((float(c.x) - stretchOffset_.x) / stretchScale_),
                       int((float(c.y) - stretchOffset_.y) / stretchScale_));
  return JST::iPOINT(c.x, c.y);
}

void JC_APP::fSleep(unsigned long ms) { plat::SleepMs(uint32_t(ms)); }

JST::iPOINT JC_APP::fGetSystemResolution() const {
  const plat::IPt d = plat::DesktopSize();
  return JST::iPOINT(d.x, d.y);
}

void JC_APP::fGetSystemResolution(JST::iPOINT& out) const { out = fGetSystemResolution(); }

void JC_APP::fGetSystemResolution(int* w, int* h) const {
  const JST::iPOINT d = fGetSystemResolution();
  if (w) *w = d.x;
  if (h) *h = d.y;
}

unsigned long JC_APP::fGetSystemTime() const { return plat::TimeMs(); }

unsigned long JC_APP::fGetSystemTime(unsigned long* out) const {
  const unsigned long t = plat::TimeMs();
  if (out) *out = t;
  return t;
}
