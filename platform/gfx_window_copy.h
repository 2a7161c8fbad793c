// Showing part of a GL window's back buffer without a swap: on X through
// GLX_MESA_copy_sub_buffer, which copies a box of the back buffer onto the
// window and leaves the back buffer as it was, so a frame that changed a
// small part of the picture sends only that part. Only platform/gfx* files
// include this header.
#pragma once

#include <SDL.h>

namespace plat::gfx::detail {

class WindowCopy {
 public:
  // Whether the window's GL context (current on this thread) offers it.
  bool Open(SDL_Window* window);
  bool Available() const { return display_ != nullptr; }
  // Copies the box (window pixels, origin at the bottom-left, as in GL)
  // onto the window.
  void Copy(int x, int y, int w, int h) const;

 private:
  void* display_ = nullptr;
  unsigned long window_ = 0;
};

}  // namespace plat::gfx::detail
