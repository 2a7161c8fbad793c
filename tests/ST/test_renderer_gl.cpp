// The renderer on real OpenGL (needs an X display; Mesa's software renderer
// is enough): frames read back pixel by pixel. Each test makes a renderer of
// its own on a window of its own, so that no state of an earlier test's
// renderer is carried over; the engine's fixture (gl_engine_env.h) keeps one
// for the whole program, so only its window and frame helpers serve here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ST/renderer.h"
#include "platform/window.h"
#include "tests/support/gl_engine_env.h"
#include "tests/support/pixel_check.h"

namespace gfx = plat::gfx;

namespace {

using pixels::At;
using pixels::Near;
using pixels::Rgb;

class RendererGl : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!gltest::HaveDisplay()) GTEST_SKIP() << "no display";
    ASSERT_TRUE(gltest::OpenGlWindow(win, "renderer test", 320, 240));
    r = std::make_unique<ZOV::JINGFX>();
    ASSERT_EQ(r->Init(win), 0);
  }
  void TearDown() override { r.reset(); }

  // A back buffer of w × h whatever the window's size, logical screen lw × lh.
  void Mode(int w, int h, int lw, int lh) {
    ASSERT_EQ(r->ChangeVideoMode(w, h, false), 0);
    r->SetAdaptScreen(lw, lh);
  }
  // The quad the way the sprites will draw it: corners top-left,
  // bottom-left, bottom-right, top-right at depth 0.
  void Quad(float x, float y, float w, float h, uint32_t argb, unsigned long tex, int mode, float u1 = 1,
            float v1 = 1) {
    r->staging[0] = {x, y, 0, argb, 0, 0};
    r->staging[1] = {x, y + h, 0, argb, 0, v1};
    r->staging[2] = {x + w, y + h, 0, argb, u1, v1};
    r->staging[3] = {x + w, y, 0, argb, u1, 0};
    gfx::SetTexture(gfx::Tex(tex));
    r->SetBlendMode(mode);
    r->RenderBuffer(1);
  }
  unsigned long Texture(int w, int h, std::initializer_list<uint32_t> px) {
    const gfx::Tex t = gfx::CreateTexture(w, h);
    uint32_t* p = gfx::Lock(t);
    int i = 0;
    for (uint32_t v : px) p[i++] = v;
    gfx::Unlock(t);
    return t;
  }
  // One frame: main(), then the overlay(), then the back buffer read back.
  template <typename Main, typename Overlay>
  plat::Image Frame(Main main, Overlay overlay) {
    return gltest::DrawFrame(*r, main, overlay);
  }

  plat::Window win;
  std::unique_ptr<ZOV::JINGFX> r;
};

auto nothing = [] {};

TEST_F(RendererGl, QuadWhereItBelongsAndClearColourElsewhere) {
  Mode(640, 480, 640, 480);
  r->SetClearColor(0xFF000000);
  const plat::Image img = Frame([&] { Quad(10, 20, 32, 32, 0xFFFFFFFF, r->defaultTexture, 1); }, nothing);
  ASSERT_EQ(img.w, 640);
  ASSERT_EQ(img.h, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      const bool inside = x >= 10 && x < 42 && y >= 20 && y < 52;
      ASSERT_TRUE(Near(At(img, x, y), inside ? Rgb{255, 255, 255} : Rgb{0, 0, 0})) << x << ", " << y;
    }
}

TEST_F(RendererGl, LetterboxBarsFor1024x768In1920x1080) {
  Mode(1920, 1080, 1024, 768);
  r->SetClearColor(0xFF000000);
  const plat::Image img = Frame([&] { Quad(0, 0, 1024, 768, 0xFFFFFFFF, r->defaultTexture, 1); }, nothing);
  for (int y : {0, 540, 1079})
    for (int x = 0; x < 1920; ++x) {
      const bool screen = x >= 240 && x < 1680;
      ASSERT_TRUE(Near(At(img, x, y), screen ? Rgb{255, 255, 255} : Rgb{0, 0, 0})) << x << ", " << y;
    }
  // The overlay draws through the same letterbox.
  const plat::Image over = Frame(nothing, [&] { Quad(0, 0, 1, 1, 0xFFFF0000, 0, 1); });
  EXPECT_TRUE(Near(At(over, 240, 0), {255, 0, 0}));
  EXPECT_TRUE(Near(At(over, 239, 0), {0, 0, 0}));
}

TEST_F(RendererGl, BlendModes) {
  Mode(320, 240, 320, 240);
  const unsigned long grey = Texture(1, 1, {0xFF808080u});
  const unsigned long light = Texture(1, 1, {0xFFA0A0A0u});
  r->SetClearColor(0xFF0000FF);
  plat::Image img = Frame(nothing, [&] {
    Quad(0, 0, 10, 10, 0x80FF0000, r->defaultTexture, 2);  // additive over blue
    Quad(20, 0, 10, 10, 0x80FFFFFF, r->defaultTexture, 0);  // opaque: alpha ignored
    Quad(40, 0, 10, 10, 0x80FF0000, r->defaultTexture, 1);  // alpha blend over blue
  });
  EXPECT_TRUE(Near(At(img, 5, 5), {128, 0, 255}));
  EXPECT_TRUE(Near(At(img, 25, 5), {255, 255, 255}));
  EXPECT_TRUE(Near(At(img, 45, 5), {128, 0, 127}));
  r->SetClearColor(0xFF000000);
  img = Frame(nothing, [&] {
    Quad(0, 0, 10, 10, 0xFF404040, grey, 3);       // texture + colour: 0x80 + 0x40
    Quad(20, 0, 10, 10, 0xFF808080, light, 3);     // 0xA0 + 0x80 saturates
    Quad(40, 0, 10, 10, 0xFF808080, grey, 2);      // texture × colour, added
    Quad(60, 0, 10, 10, 0xFF204060, 0, 3);         // no texture reads as white: saturates
    Quad(80, 0, 10, 10, 0xFF204060, 0, 1);         // no texture: the plain colour
  });
  EXPECT_TRUE(Near(At(img, 5, 5), {192, 192, 192}));
  EXPECT_TRUE(Near(At(img, 25, 5), {255, 255, 255}));
  EXPECT_TRUE(Near(At(img, 45, 5), {64, 64, 64}));
  EXPECT_TRUE(Near(At(img, 65, 5), {255, 255, 255}));
  EXPECT_TRUE(Near(At(img, 85, 5), {0x20, 0x40, 0x60}));
  r->TextureFree(grey);
  r->TextureFree(light);
}

TEST_F(RendererGl, TranslucentMainPassIsBlendedTwice) {
  // Alpha is blended with the colour factors, so a 50% sprite leaves alpha
  // 0.75 in the screen texture and the copy blends it again over black.
  Mode(320, 240, 320, 240);
  r->SetClearColor(0xFF000000);
  const plat::Image img = Frame([&] { Quad(0, 0, 10, 10, 0x80FFFFFF, r->defaultTexture, 1); },
                                [&] { Quad(20, 0, 10, 10, 0x80FFFFFF, r->defaultTexture, 1); });
  EXPECT_TRUE(Near(At(img, 5, 5), {96, 96, 96}));
  EXPECT_TRUE(Near(At(img, 25, 5), {128, 128, 128}));
}

TEST_F(RendererGl, WrappedTextureRepeats) {
  Mode(320, 240, 320, 240);
  const unsigned long t = Texture(2, 1, {0xFFFF0000u, 0xFF00FF00u});
  r->SetAnisotropic(false);
  const plat::Image img = Frame([&] { Quad(0, 0, 16, 4, 0xFFFFFFFF, t, 1, 4, 1); }, nothing);
  for (int x = 0; x < 16; ++x) {
    const bool red = (x / 2) % 2 == 0;
    EXPECT_TRUE(Near(At(img, x, 1), red ? Rgb{255, 0, 0} : Rgb{0, 255, 0})) << x;
  }
  r->TextureFree(t);
}

TEST_F(RendererGl, PointSpritesScaleWithDistance) {
  Mode(640, 480, 640, 480);
  // Top half red, bottom half green: the sprite shows the texture upright.
  const unsigned long t = Texture(1, 2, {0xFFFF0000u, 0xFF00FF00u});
  r->SetClearColor(0xFF000000);
  const plat::Image img = Frame(nothing, [&] {
    gfx::SetTexture(gfx::Tex(t));
    r->SetBlendMode(4);
    gfx::SetPointSize(40.0f);
    const gfx::PointVertex p{320, 240, 0, 0xFFFFFFFF};
    gfx::DrawPoints(&p, 1);
  });
  int lit = 0;
  for (int x = 0; x < 640; ++x)
    if (At(img, x, 230).r > 128) ++lit;
  // 40 × H / distance to the eye ≈ 0.83 × 40.
  EXPECT_NEAR(lit, 40.0 * 480 / (240.5 / 0.41421356), 1.5);
  EXPECT_TRUE(Near(At(img, 320, 232), {255, 0, 0}));
  EXPECT_TRUE(Near(At(img, 320, 248), {0, 255, 0}));
  r->TextureFree(t);
}

TEST_F(RendererGl, ScreenTextureHoldsTheMainPassTopRowFirst) {
  Mode(320, 240, 320, 240);
  r->SetClearColor(0xFF000000);
  Frame([&] { Quad(0, 0, 320, 10, 0xFFFF0000, r->defaultTexture, 1); }, nothing);
  plat::Image screen;
  ASSERT_TRUE(gfx::ReadPixels(gfx::Tex(r->GetScreen()), screen));
  ASSERT_EQ(screen.w, 320);
  EXPECT_TRUE(Near(At(screen, 100, 0), {255, 0, 0}));
  EXPECT_TRUE(Near(At(screen, 100, 9), {255, 0, 0}));
  EXPECT_TRUE(Near(At(screen, 100, 10), {0, 0, 0}));
  EXPECT_TRUE(Near(At(screen, 100, 239), {0, 0, 0}));
}

TEST_F(RendererGl, ModeChangeAndResetKeepTexturesAndTheScreenHandle) {
  const unsigned long t = Texture(1, 1, {0xFF00FF00u});
  const unsigned long screen = r->GetScreen();
  Mode(800, 600, 800, 600);
  gfx::SimulateCoopForTests(gfx::Coop::NotReset);
  EXPECT_EQ(r->BeginFrame(), 2);
  const plat::Image img = Frame([&] { Quad(0, 0, 800, 600, 0xFFFFFFFF, t, 1); }, nothing);
  EXPECT_EQ(img.w, 800);
  EXPECT_TRUE(Near(At(img, 799, 599), {0, 255, 0})) << "the last column and row are drawn too";
  EXPECT_TRUE(Near(At(img, 0, 0), {0, 255, 0}));
  EXPECT_EQ(r->GetScreen(), screen);
  r->TextureFree(t);
}

}  // namespace
