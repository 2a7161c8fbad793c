// The engine's fixture on real OpenGL (needs an X display; Mesa's software
// renderer is enough): the game object's window, GL device and renderer
// opened once per test program at a size the program chooses, one frame
// drawn and read back, and frames saved for a person to look at. Engine
// only: nothing of the game is included, so the engine's tests use it as it
// is and the game's fixture (gl_scene_env.h) builds on it.
//
// A test derives from GlEngine, opens the window from its SetUpTestSuite
// and does its own set-up in SetUpGl, which runs only when a display is
// there and the window opened. Without DISPLAY every test is skipped.
#pragma once

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ST/font.h"
#include "ST/game.h"
#include "ST/renderer.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "tests/support/gl_window.h"
#include "tests/support/texture_support.h"

namespace gltest {

// One frame on `r` with the clear colour it has: `main` in the main pass,
// `overlay` in the overlay pass, then the back buffer read back.
template <class Main, class Overlay>
plat::Image DrawFrame(ZOV::JINGFX& r, Main main, Overlay overlay) {
  EXPECT_EQ(r.BeginFrame(), 0);
  main();
  EXPECT_EQ(r.EndFrame(), 0);
  EXPECT_EQ(r.BeginPostFrame(), 0);
  overlay();
  EXPECT_EQ(r.EndPostFrame(), 0);
  plat::Image img;
  EXPECT_TRUE(plat::gfx::ReadPixels(0, img));
  return img;
}

}  // namespace gltest

class GlEngine : public ::testing::Test {
 protected:
  // Opens the game object's window and its GL device at w x h, the logical
  // screen the same size; later calls in the same program keep the first
  // window.
  static void OpenWindow(const char* title, int w, int h) {
    if (!gltest::HaveDisplay() || ready_) return;
    ZOV::ST_GAME* game = ZOV::GetGame();
    ready_ = gltest::OpenGlWindow(game->app.Window(), title, w, h) && game->gfx.Init(game->app.Window()) == 0;
    if (ready_) {
      game->gfx.ChangeVideoMode(w, h, false);
      game->gfx.SetAdaptScreen(w, h);
    }
  }

  // Skips without a display; otherwise the renderer, then SetUpGl.
  void SetUp() override {
    if (!gltest::HaveDisplay()) GTEST_SKIP() << "no display";
    ASSERT_TRUE(ready_) << "the GL window did not open";
    r = ZOV::GetGame()->GetGfx();
    SetUpGl();
  }
  // The test's own set-up, after the fixture's.
  virtual void SetUpGl() {}

  // One frame of the game object's renderer: cleared to `clear`, `main` in
  // the main pass, `overlay` in the overlay pass, read back.
  template <class Main, class Overlay>
  static plat::Image FramePasses(uint32_t clear, Main main, Overlay overlay) {
    ZOV::JINGFX* gfx = ZOV::GetGame()->GetGfx();
    gfx->SetClearColor(clear);
    return gltest::DrawFrame(*gfx, main, overlay);
  }

  // Saves the frame as <stem><name> when the variable `var` holds a stem;
  // `name` ends in .png or .bmp, which picks the format.
  static void SaveShot(const char* var, const plat::Image& img, const std::string& name) {
    const char* stem = std::getenv(var);
    if (stem == nullptr) return;
    const std::string path = stem + name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0) {
      EXPECT_TRUE(plat::SaveBMP(path, img)) << path;
      return;
    }
    EXPECT_TRUE(textest::WritePng(path, img.w, img.h, img.argb)) << path << ": " << IMG_GetError();
  }

  // The width of a text's widest line in the font.
  static int Widest(ZOV::JFONT& f, const std::string& text) {
    int widest = 0;
    size_t from = 0;
    while (from <= text.size()) {
      const size_t end = std::min(text.find('\n', from), text.size());
      widest = std::max(widest, f.GetStringLenght(text.substr(from, end - from).c_str()));
      from = end + 1;
    }
    return widest;
  }

  // The game object's renderer, from SetUp on.
  ZOV::JINGFX* r = nullptr;

 private:
  static inline bool ready_ = false;
};
