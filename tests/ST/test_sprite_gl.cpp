// Sprites on real OpenGL (needs an X display; Mesa's software renderer is
// enough): one sprite in each blend mode over a known background, read back;
// a tiled sprite repeating its image; textures made on a second thread while
// frames are drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "ST/sprite.h"
#include "tests/support/gl_engine_env.h"
#include "tests/support/pixel_check.h"
#include "tests/support/test_env.h"
#include "tests/support/texture_support.h"

namespace gfx = plat::gfx;

namespace {

using pixels::At;
using pixels::Near;
using pixels::Rgb;

class SpriteGl : public GlEngine {
 protected:
  static void SetUpTestSuite() { OpenWindow("sprite test", 320, 240); }
  void SetUpGl() override { dir = testenv::FreshDir("spritegl"); }
  // One frame drawing nothing in the main pass, overlay() over the clear
  // colour, then the back buffer read back.
  template <typename Overlay>
  plat::Image Frame(Overlay overlay) {
    return gltest::DrawFrame(*r, [] {}, overlay);
  }
  std::string Png(const std::string& name, int w, int h, const std::vector<uint32_t>& px) {
    const std::string path = dir + "/" + name;
    EXPECT_TRUE(textest::WritePng(path, w, h, px));
    return path;
  }
  std::string dir;
};

double Clamp255(double v) { return std::clamp(v, 0.0, 255.0); }

TEST_F(SpriteGl, EachBlendModeOverAKnownBackground) {
  const uint32_t texel = 0x80C04020u, diffuse = 0xFF808080u, back = 0xFF204080u;
  JSPRITE s(Png("half.png", 8, 8, std::vector<uint32_t>(64, texel)).c_str(), 0);
  s.SetColor(int(diffuse));
  s.SetHotSpot(0, 0);
  r->SetClearColor(back);
  auto ch = [](uint32_t c, int shift) { return double((c >> shift) & 0xFF); };
  const double as = ch(texel, 24) / 255.0 * ch(diffuse, 24) / 255.0;
  // In order, so mode 4 inherits mode 3's colour sum (its row leaves the
  // colour operation alone).
  const int modes[] = {0, 1, 2, 3, 4, 5};
  const plat::Image img = Frame([&] {
    for (int m : modes) {
      s.SetBlendMode(m);
      s.SetPos(20 * m, 0);
      s.Render(0);
    }
  });
  for (int m : modes) {
    SCOPED_TRACE(m);
    Rgb want{};
    int* out[3] = {&want.r, &want.g, &want.b};
    const int shifts[3] = {16, 8, 0};
    for (int c = 0; c < 3; ++c) {
      const double t = ch(texel, shifts[c]), d = ch(diffuse, shifts[c]), b = ch(back, shifts[c]);
      const bool sum = m == 3 || m == 4;
      const double src = sum ? Clamp255(t + d) : t * d / 255.0;
      double v = 0;
      switch (m) {
        case 0: v = src; break;
        case 1:
        case 4: v = src * as + b * (1 - as); break;
        default: v = src * as + b; break;
      }
      *out[c] = int(Clamp255(v) + 0.5);
    }
    EXPECT_TRUE(Near(At(img, 20 * m + 4, 4), want));
    EXPECT_TRUE(Near(At(img, 20 * m + 12, 4), {0x20, 0x40, 0x80})) << "nothing drawn beside it";
  }
}

TEST_F(SpriteGl, ATiledSpriteRepeatsItsImage) {
  const std::vector<uint32_t> px = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  JSPRITE s(Png("tile.png", 2, 2, px).c_str(), 0);
  s.SetSizePix(20, 12);
  s.StreckenTexelz();
  s.SetHotSpot(0, 0);
  s.SetPos(10, 10);
  r->SetAnisotropic(false);
  r->SetClearColor(0xFF000000u);
  const plat::Image img = Frame([&] { s.Render(0); });
  const Rgb colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_TRUE(Near(At(img, 10 + x, 10 + y), colours[(y % 2) * 2 + x % 2])) << x << ", " << y;
  EXPECT_TRUE(Near(At(img, 31, 15), {0, 0, 0}));
  EXPECT_TRUE(Near(At(img, 15, 23), {0, 0, 0}));
}

// The magnifier's way of showing part of the last main pass: a sprite on the
// screen texture with texel coordinates from the renderer's screen-texture
// mapping shows that area upright, enlarged where it is drawn.
TEST_F(SpriteGl, TheScreenTextureShowsTheMainPassUpright) {
  JSPRITE red(Png("red.png", 8, 8, std::vector<uint32_t>(64, 0xFFFF0000u)).c_str(), 0);
  JSPRITE blue(Png("blue.png", 8, 8, std::vector<uint32_t>(64, 0xFF0000FFu)).c_str(), 0);
  for (JSPRITE* s : {&red, &blue}) {
    s->SetSizePix(40, 30);
    s->SetHotSpot(0, 0);
  }
  red.SetPos(0, 0);     // top-left corner of the screen
  blue.SetPos(0, 210);  // bottom-left corner
  JSPRITE mag(r->GetScreen());
  EXPECT_TRUE(mag.ShowsScreen());
  mag.SetSizePix(80, 60);
  mag.SetHotSpot(0, 0);
  mag.SetBlendMode(ZOV::JENUM::BLEND_OPAQUE);
  auto area = [&](float x0, float y0, float x1, float y1) {
    const JST::fPOINT a = r->ScreenTexel(x0, y0), b = r->ScreenTexel(x1, y1);
    mag.SetTexelCoord(a.x, a.y, b.x, b.y);
  };
  r->SetAnisotropic(false);
  r->SetClearColor(0xFF000000u);
  ASSERT_EQ(r->BeginFrame(), 0);
  red.Render(0);
  blue.Render(0);
  ASSERT_EQ(r->EndFrame(), 0);
  ASSERT_EQ(r->BeginPostFrame(), 0);
  area(0, 0, 40, 30);
  mag.SetPos(200, 20);
  mag.Render(0);
  area(0, 210, 40, 240);
  mag.SetPos(200, 120);
  mag.Render(0);
  ASSERT_EQ(r->EndPostFrame(), 0);
  plat::Image img;
  ASSERT_TRUE(gfx::ReadPixels(0, img));
  for (auto [x, y] : {std::pair{204, 24}, {240, 50}, {275, 75}})
    EXPECT_TRUE(Near(At(img, x, y), {255, 0, 0})) << "the top-left area, enlarged: " << x << "," << y;
  for (auto [x, y] : {std::pair{204, 124}, {240, 150}, {275, 175}})
    EXPECT_TRUE(Near(At(img, x, y), {0, 0, 255})) << "the bottom-left area, enlarged: " << x << "," << y;
}

// The loader thread's pattern on the real device: textures created, locked
// and filled under cs while the main thread draws frames under cs, each
// frame drawing every texture made so far; the last one reads back right.
TEST_F(SpriteGl, TexturesMadeOnAnotherThreadDrawRight) {
  constexpr int kCount = 60;
  std::vector<unsigned long> made(kCount, 0);
  std::atomic<int> published{0};
  std::thread loader([&] {
    for (int i = 0; i < kCount; ++i) {
      cs.Enter();
      const unsigned long tex = r->TextureCreate(4, 4);
      if (uint32_t* p = r->TextureLock(tex)) {
        for (int k = 0; k < 16; ++k) p[k] = 0xFF000000u | uint32_t(i * 4) << 16 | 0x80u;
        r->TextureUnlock(tex);
      }
      made[size_t(i)] = tex;
      cs.Leave();
      published.store(i + 1, std::memory_order_release);
    }
  });
  r->SetClearColor(0xFF000000u);
  plat::Image img;
  for (;;) {
    cs.Enter();
    const int n = published.load(std::memory_order_acquire);
    img = Frame([&] {
      ZOV::ZOV4 q;
      q.v[1].y = q.v[2].y = q.v[2].x = q.v[3].x = 4;
      q.v[1].v = q.v[2].v = q.v[2].u = q.v[3].u = 1;
      for (int i = 0; i < n; ++i) {
        q.texture = made[size_t(i)];
        r->RenderZOV4(&q, float(5 * i), 0, 1, 1, 0, 0, 0);
      }
    });
    cs.Leave();
    if (n == kCount) break;
  }
  loader.join();
  for (int i = 0; i < kCount; i += 13) EXPECT_TRUE(Near(At(img, 5 * i + 2, 2), {i * 4, 0, 0x80})) << i;
  for (unsigned long tex : made) EXPECT_EQ(r->TextureFree(tex), 0);
}

}  // namespace
