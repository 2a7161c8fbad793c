// Putting the GL device's back buffer onto its window. The back buffer is a
// framebuffer object kept top row first; a present stretches it onto the
// window's own back buffer the right way up and swaps. A frame that changed
// no pixel of it presents nothing (the window keeps showing the last frame),
// except once a second and after the window was uncovered, for a window
// system that lost the window's pixels. Under a software renderer, where
// a swap sends the whole window and buffer age is not offered, only the
// part changed since the last present is copied onto the window, without a
// swap (see gfx_window_copy.h).
//
// Only platform/gfx_gl*.cpp include this header.
#pragma once

#include <SDL.h>
#include <epoxy/gl.h>

#include <atomic>

#include "platform/gfx.h"
#include "platform/gfx_redraw.h"
#include "platform/gfx_window_copy.h"

namespace plat::gfx::detail {

class GlPresenter {
 public:
  ~GlPresenter() { Close(); }

  // With the window's GL context current: watches the window for being
  // uncovered, and opens the window copy where it applies.
  void Open(SDL_Window* window);
  // Stops watching the window.
  void Close();

  // The back buffer's pixels changed inside box.
  void Damage(const PixRect& box) {
    dirty_ = true;
    damage_ = damage_.Union(box);
  }
  // The back buffer changed in ways not told box by box (a switch of the
  // way frames are drawn).
  void MarkDirty() { dirty_ = true; }
  // The back buffer was made anew: nothing of it is known to be on the
  // window.
  void Invalidate() {
    dirty_ = true;
    kept_ = false;
  }

  // Shows framebuffer `fbo` (the back buffer, back.x × back.y) on the
  // window. `partial`: frames are drawn only where they changed, so the
  // damage told is all there is. False when nothing needed showing.
  bool Present(GLuint fbo, IPt back, bool partial);

 private:
  static int WatchExpose(void* self, SDL_Event* e);

  static constexpr uint32_t kReshowMs = 1000;
  SDL_Window* win_ = nullptr;
  bool watching_ = false;
  WindowCopy windowCopy_;
  bool dirty_ = true;                 // the back buffer changed since the last present
  IPt shown_;                         // the window's size at the last present
  uint32_t shownAt_ = 0;              // and its time (plat::TimeMs)
  std::atomic<bool> exposed_{false};  // the window was uncovered since the last present
  bool kept_ = false;                 // the window's back buffer holds the last frame shown
  IPt swapped_;                       // the window's size at the last swap
  bool copiedSinceSwap_ = true;       // or none yet: the GL may not know the window's size
  PixRect damage_;                    // the back buffer's pixels changed since
};

}  // namespace plat::gfx::detail
