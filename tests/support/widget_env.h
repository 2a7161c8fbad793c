// What the font, button and slider tests share: the game object with its
// renderer on the recording backend (one scene left open, so every draw is
// recorded), images written as BMP files, the quads drawn since the last
// clear, and mouse frames driven through the game's input state.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ST/file.h"
#include "ST/game.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "platform/sys.h"
#include "tests/support/draw_record.h"

namespace widgettest {

using drawtest::DrawnQuads;
using drawtest::Quad;
using drawtest::WriteImage;

class WidgetEnv : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (game_) return;
    plat::SetDisplayForTests({1280, 1024}, {{1280, 1024, 60}});
    plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
    // Sounds play on SDL's dummy driver (the game object opens audio).
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    game_ = ZOV::GetGame();
    ASSERT_EQ(game_->gfx.Init(game_->app.Window()), 0);
    ASSERT_TRUE(plat::gfx::BeginScene());
  }
  void SetUp() override {
    ZOV::ifile.current_pack = nullptr;
    ZOV::ifile.current_pass = nullptr;
    plat::gfx::ClearRecorded();
    // Buttons up, counters aged, mouse away from everything.
    input().EventMouseLkm(false);
    input().EventMouseRkm(false);
    input().Update(0);
    input().Update(0);
    input().EventMouseMove(-1000, -1000);
    game_->timer.SetDelta(0.016f);
  }

  ZOV::ST_GAME& game() { return *game_; }
  ZOV::ST_INPUT& input() { return *game_->GetInput(); }

  // Mouse at (x, y); `button`: 1 press this frame, -1 release this frame,
  // 0 no change (held stays held). Call before the widget's Update, then
  // EndFrame after it.
  void Mouse(int x, int y, int button = 0) {
    input().EventMouseMove(x, y);
    if (button == 1) input().EventMouseLkm(true);
    if (button == -1) input().EventMouseLkm(false);
  }
  void EndFrame() { input().Update(0); }

  static inline ZOV::ST_GAME* game_ = nullptr;
};

}  // namespace widgettest
