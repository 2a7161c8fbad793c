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

namespace widgettest {

// One drawn quad: its corners' bounding box, the texture rectangle of its
// top-left and bottom-right corners, colour and texture.
struct Quad {
  float x0, y0, x1, y1;
  float u0, v0, u1, v1;
  uint32_t color;
  uint32_t texture;
};

// Quads recorded since the last ClearRecorded; lines (box sides) are skipped.
inline std::vector<Quad> DrawnQuads() {
  std::vector<Quad> out;
  for (const auto& r : plat::gfx::Recorded()) {
    if (r.kind != plat::gfx::Record::Draw || r.prim != plat::gfx::Prim::Triangles || r.vertices.size() < 4) continue;
    const auto& v = r.vertices;  // top-left, bottom-left, bottom-right, top-right
    Quad q{};
    q.x0 = std::min({v[0].x, v[1].x, v[2].x, v[3].x});
    q.x1 = std::max({v[0].x, v[1].x, v[2].x, v[3].x});
    q.y0 = std::min({v[0].y, v[1].y, v[2].y, v[3].y});
    q.y1 = std::max({v[0].y, v[1].y, v[2].y, v[3].y});
    q.u0 = v[0].u;
    q.v0 = v[0].v;
    q.u1 = v[2].u;
    q.v1 = v[2].v;
    q.color = v[0].argb;
    q.texture = r.state.texture;
    out.push_back(q);
  }
  return out;
}

// A w x h picture of one colour, written as BMP.
inline void WriteImage(const std::string& path, int w, int h, uint32_t argb = 0xFFFFFFFFu) {
  plat::Image img;
  img.w = w;
  img.h = h;
  img.argb.assign(size_t(w) * size_t(h), argb);
  ASSERT_TRUE(plat::SaveBMP(path, img)) << path;
}

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
