// Showing part of a GL window's back buffer without a swap (see
// gfx_window_copy.h). Kept apart from the GL device: the X headers it needs
// define names (None, Bool, Status) that nothing else should see.
#include "platform/gfx_window_copy.h"

#include <SDL_syswm.h>
#include <epoxy/glx.h>

namespace plat::gfx::detail {

bool WindowCopy::Open(SDL_Window* window) {
  display_ = nullptr;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* dpy = info.info.x11.display;
  if (!dpy || !glXGetCurrentContext() || !epoxy_has_glx_extension(dpy, DefaultScreen(dpy), "GLX_MESA_copy_sub_buffer"))
    return false;
  display_ = dpy;
  window_ = info.info.x11.window;
  return true;
}

void WindowCopy::Copy(int x, int y, int w, int h) const {
  if (display_) glXCopySubBufferMESA(static_cast<Display*>(display_), window_, x, y, w, h);
}

}  // namespace plat::gfx::detail
