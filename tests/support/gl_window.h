// A window on the OpenGL backend for the programs that draw on real OpenGL
// (needs an X display; Mesa's software renderer is enough). Platform only,
// and free of GoogleTest, so that the platform's tests and benchmarks use it
// as they are; the engine's fixture (gl_engine_env.h) opens the game
// object's window through it.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "platform/gfx.h"
#include "platform/window.h"

namespace gltest {

// The window procedure of a test window: it handles no message.
inline long NoProc(plat::Window*, unsigned, uintptr_t, intptr_t) { return 0; }

// Whether an X display is named (the programs that draw skip without one).
inline bool HaveDisplay() { return std::getenv("DISPLAY") != nullptr; }

// Chooses the OpenGL backend and opens `win` with a client area of w x h;
// false when the window does not open.
inline bool OpenGlWindow(plat::Window& win, const char* title, int w, int h) {
  plat::gfx::SetBackendForTests(plat::gfx::Backend::GL);
  return win.Create(title, w, h, &NoProc);
}

}  // namespace gltest
