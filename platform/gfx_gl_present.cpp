// Putting the GL device's back buffer onto its window (see gfx_gl_present.h).
#include "platform/gfx_gl_present.h"

#include <cstring>

#include "platform/gfx_device.h"
#include "platform/sys.h"

namespace plat::gfx::detail {

void GlPresenter::Open(SDL_Window* window) {
  Close();
  win_ = window;
  // Under a software renderer a swap copies the whole window and waits
  // for no vertical blank: there a frame can send only the part of the
  // window that changed (see Present). JIGSAW_WINDOW_COPY=0 switches it
  // off.
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  if (WindowCopyEnabled() && renderer && (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe")))
    windowCopy_.Open(win_);
  SDL_AddEventWatch(&GlPresenter::WatchExpose, this);
  watching_ = true;
}

void GlPresenter::Close() {
  if (watching_) SDL_DelEventWatch(&GlPresenter::WatchExpose, this);
  watching_ = false;
}

bool GlPresenter::Present(GLuint fbo, IPt back, bool partial) {
  int dw = 0, dh = 0;
  SDL_GL_GetDrawableSize(win_, &dw, &dh);
  // A frame that changed no pixel of the back buffer leaves the window
  // showing the last one; once a second it is shown again all
  // the same, for a window system that lost the window's pixels (a
  // window uncovered without a compositor).
  const uint32_t now = TimeMs();
  const bool exposed = exposed_.exchange(false);
  if (partial && !dirty_ && !exposed && dw == shown_.x && dh == shown_.y && now - shownAt_ < kReshowMs) return false;
  const bool kept = kept_ && !exposed && dw == shown_.x && dh == shown_.y && now - shownAt_ < kReshowMs;
  dirty_ = false;
  shown_ = {dw, dh};
  shownAt_ = now;
  // The GL learns the window's size at a swap only (a copy of more than
  // the size it knows fails with an X error, and a frame drawn to the
  // window goes to a back buffer of the size it knows). After frames
  // copied without a swap, and before the first, a window now of another
  // size is swapped as it is first: the back buffer holds the picture the
  // window shows, so nothing changes on the screen.
  if (windowCopy_.Available() && copiedSinceSwap_ && (dw != swapped_.x || dh != swapped_.y) && dw > 0 && dh > 0) {
    SDL_GL_SwapWindow(win_);
    swapped_ = {dw, dh};
    copiedSinceSwap_ = false;
  }
  if (partial && windowCopy_.Available() && dw == back.x && dh == back.y) {
    // The window's back buffer is never swapped here, so it holds the
    // last frame shown: only the part changed since is copied into it
    // and onto the window.
    PixRect r{0, 0, dw, dh};
    if (kept) r = damage_.Clip(dw, dh);
    if (!r.Empty()) {
      glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo);
      glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
      glBlitFramebuffer(r.x0, r.y0, r.x1, r.y1, r.x0, dh - r.y0, r.x1, dh - r.y1, GL_COLOR_BUFFER_BIT, GL_NEAREST);
      windowCopy_.Copy(r.x0, dh - r.y1, r.x1 - r.x0, r.y1 - r.y0);
    }
    kept_ = true;
    copiedSinceSwap_ = true;
    damage_ = {};
    return true;
  }
  kept_ = false;
  damage_ = {};
  if (dw > 0 && dh > 0) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    const bool same = dw == back.x && dh == back.y;
    glBlitFramebuffer(0, 0, back.x, back.y, 0, dh, dw, 0, GL_COLOR_BUFFER_BIT, same ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(win_);
    swapped_ = {dw, dh};
  }
  return true;
}

// A window uncovered (its pixels lost where nothing keeps them) is shown
// whole at the next present. Called wherever SDL's events are pumped.
int GlPresenter::WatchExpose(void* self, SDL_Event* e) {
  auto* p = static_cast<GlPresenter*>(self);
  if (e->type == SDL_WINDOWEVENT && e->window.event == SDL_WINDOWEVENT_EXPOSED && p->win_ &&
      e->window.windowID == SDL_GetWindowID(p->win_))
    p->exposed_.store(true);
  return 0;
}

}  // namespace plat::gfx::detail
