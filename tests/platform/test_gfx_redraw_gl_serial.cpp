// Redrawing only what changed, on the OpenGL backend (needs an X display):
// recorded sequences of frames drawn twice, once redrawn in full and once
// redrawn only where the draws changed, show the same pixels in every frame,
// on the back buffer and on the render target it copies. Each sequence goes
// through the cases that must invalidate what a target holds: textures
// unlocked and refilled, a render target resized, the device reset to a new
// back-buffer size, read-backs, draws that add to a target without a clear.
//
// The tests that read the window back from the X server need no other
// window over theirs: the program runs alone (its name ends in _serial),
// since a test beside it on the shared X server (one going full screen,
// say) covers the window and the read-back shows that window's pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_syswm.h>

#include "platform/gfx.h"
#include "platform/sys.h"
#include "platform/window.h"
#include "tests/support/gl_window.h"
#include "tests/support/xwd_shot.h"

namespace gfx = plat::gfx;

namespace {

// The clock the device reads, set by the tests that depend on it: however
// slowly a loaded machine draws, their frames come at the times they say.
uint32_t gNow = 0;
uint32_t Now() { return gNow; }

constexpr int kW = 160, kH = 120;

struct Sprite {
  float x, y, w, h;
  int texture;  // index into the scene's textures, -1 for none
  uint32_t argb;
  int blend;  // 0 opaque, 1 alpha, 2 additive
  gfx::Filter filter;
  bool repeat;  // coordinates past 1: the texture wraps
};

// One recorded frame: what the main pass draws into the screen target and
// what the overlay draws into the back buffer over the copy of it.
struct Scene {
  std::vector<Sprite> main, overlay;
  std::vector<gfx::PointVertex> points;
  std::vector<gfx::Vertex> lines;
  float lensX = 40, lensY = 30;  // a magnified piece of the screen target
  uint32_t clear = 0xFF102030u;
};

class RedrawGl : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!gltest::HaveDisplay()) GTEST_SKIP() << "no display";
    ASSERT_TRUE(gltest::OpenGlWindow(win, "redraw test", 200, 150));
    ASSERT_EQ(gfx::CreateDevice(win, 0, kW, kH), 0);
  }
  void TearDown() override {
    gfx::DestroyDevice();
    gfx::SetPartialRedraw(true);
    gfx::SetOwnSizeLinear(false);
    gfx::SetWindowCopy(false);
    gfx::SetRedrawCheckForTests(false);
    plat::SetTimeSourceForTests(nullptr);
  }

  static void Unit(int w, int h) {
    gfx::SetTransform(gfx::Xf::World, plat::Identity());
    gfx::SetTransform(gfx::Xf::View, plat::Identity());
    gfx::SetTransform(gfx::Xf::Projection, plat::OrthoOffCenterLH(0, float(w + 1), float(h + 1), 0, 0, 1));
  }
  static void Quad(float x, float y, float w, float h, uint32_t argb, float u0 = 0, float v0 = 0, float u1 = 1,
                   float v1 = 1) {
    const gfx::Vertex v[4] = {{x, y, 0, argb, u0, v0}, {x, y + h, 0, argb, u0, v1}, {x + w, y + h, 0, argb, u1, v1},
                              {x + w, y, 0, argb, u1, v0}};
    const uint16_t idx[6] = {0, 2, 1, 0, 3, 2};
    EXPECT_TRUE(gfx::DrawTriangles(v, 4, idx, 2));
  }
  void DrawSprite(const Sprite& s) {
    gfx::SetTexture(s.texture < 0 ? 0 : textures[size_t(s.texture)]);
    gfx::SetAlphaBlend(s.blend != 0);
    gfx::SetBlendFunc(gfx::Blend::SrcAlpha, s.blend == 2 ? gfx::Blend::One : gfx::Blend::InvSrcAlpha);
    gfx::SetColorOp(s.blend == 2 ? gfx::ColorOp::Add : gfx::ColorOp::Modulate);
    gfx::SetFilter(s.filter, s.filter);
    Quad(s.x, s.y, s.w, s.h, s.argb, 0, 0, s.repeat ? 2.5f : 1, s.repeat ? 1.5f : 1);
  }

  // Textures of distinct texels, some small enough for an atlas page.
  void MakeTextures(std::mt19937& rng) {
    const int sides[][2] = {{8, 8}, {16, 12}, {33, 20}, {600, 4}, {5, 7}};
    for (const auto& s : sides) {
      const gfx::Tex t = gfx::CreateTexture(s[0], s[1]);
      Fill(t, rng());
      textures.push_back(t);
    }
  }
  static void Fill(gfx::Tex t, uint32_t seed) {
    int w = 0, h = 0;
    gfx::TextureSize(t, &w, &h);
    uint32_t* p = gfx::Lock(t);
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < w * h; ++i) p[i] = (seed + uint32_t(i) * 0x9E3779B1u) | ((i % 3) ? 0xFF000000u : 0x80000000u);
    gfx::Unlock(t);
  }

  static Sprite RandomSprite(std::mt19937& rng, int ntex) {
    std::uniform_real_distribution<float> pos(-20.0f, 170.0f), size(1.0f, 70.0f);
    Sprite s{};
    s.x = std::floor(pos(rng));
    s.y = std::floor(pos(rng));
    s.w = size(rng);
    s.h = size(rng);
    if (rng() % 2) {  // whole pixels, as the game's quads mostly are
      s.w = std::floor(s.w);
      s.h = std::floor(s.h);
    } else {
      s.x += 0.37f;
    }
    s.texture = int(rng() % uint32_t(ntex + 1)) - 1;
    s.argb = 0xFF000000u | (rng() & 0xFFFFFFu);
    if (rng() % 3 == 0) s.argb = (s.argb & 0xFFFFFFu) | ((rng() % 255) << 24);
    s.blend = int(rng() % 3);
    s.filter = rng() % 2 ? gfx::Filter::Linear : gfx::Filter::Point;
    s.repeat = rng() % 7 == 0;
    return s;
  }

  // Small changes between frames, now and then a larger one.
  void Mutate(Scene& sc, std::mt19937& rng, int frame) {
    const int ntex = int(textures.size());
    switch (rng() % 10) {
      case 0: break;  // nothing changed
      case 1: sc.main[rng() % sc.main.size()].x += 3; break;
      case 2: sc.overlay[rng() % sc.overlay.size()].y -= 2; break;
      case 3: sc.main[rng() % sc.main.size()].argb ^= 0x00104000u; break;
      case 4: {  // a piece lifted to the top of the pile
        const size_t i = rng() % sc.main.size();
        const Sprite s = sc.main[i];
        sc.main.erase(sc.main.begin() + long(i));
        sc.main.push_back(s);
        break;
      }
      case 5: Fill(textures[rng() % textures.size()], rng()); break;  // unlocked and refilled
      case 6: sc.lensX = float(rng() % 120); sc.lensY = float(rng() % 90); break;
      case 7: sc.points[rng() % sc.points.size()].x += 1.5f; break;
      case 8: sc.main.push_back(RandomSprite(rng, ntex)); break;
      case 9: if (sc.overlay.size() > 2) sc.overlay.pop_back(); else sc.overlay.push_back(RandomSprite(rng, ntex)); break;
    }
    if (frame % 17 == 11) sc.clear ^= 0x00000040u;
  }

  // Draws one frame as the game does: the main pass into the screen target,
  // the copy of it with the overlay into the back buffer, the present. Odd
  // frames add an extra pass into the screen target without a clear.
  void DrawFrame(const Scene& sc, int frame) {
    const plat::IPt back = gfx::BackBufferSize();
    int tw = 0, th = 0;
    gfx::TextureSize(screen, &tw, &th);
    gfx::SetRenderTarget(screen);
    gfx::Clear(sc.clear);
    ASSERT_TRUE(gfx::BeginScene());
    Unit(tw, th);
    for (const Sprite& s : sc.main) DrawSprite(s);
    gfx::SetTexture(0);
    gfx::SetAlphaBlend(true);
    gfx::SetBlendFunc(gfx::Blend::SrcAlpha, gfx::Blend::One);
    gfx::SetPointSize(3.0f);
    EXPECT_TRUE(gfx::DrawPoints(sc.points.data(), int(sc.points.size())));
    EXPECT_TRUE(gfx::DrawLines(sc.lines.data(), int(sc.lines.size()) / 2));
    gfx::EndScene();
    if (frame % 13 == 5) {  // more drawn onto what the target holds
      ASSERT_TRUE(gfx::BeginScene());
      DrawSprite(sc.overlay.front());
      gfx::EndScene();
    }
    gfx::SetRenderTarget(0);
    gfx::Clear(0xFF000000u);
    ASSERT_TRUE(gfx::BeginScene());
    Unit(back.x, back.y);
    gfx::SetTexture(screen);
    gfx::SetAlphaBlend(true);
    gfx::SetBlendFunc(gfx::Blend::SrcAlpha, gfx::Blend::InvSrcAlpha);
    gfx::SetColorOp(gfx::ColorOp::Modulate);
    gfx::SetFilter(gfx::Filter::Point, gfx::Filter::Point);
    Quad(0, 0, float(back.x), float(back.y), 0xFFFFFFFFu);
    // The magnifier: a piece of the screen target drawn twice as large.
    gfx::SetFilter(gfx::Filter::Linear, gfx::Filter::Linear);
    Quad(sc.lensX, sc.lensY, 40, 30, 0xFFFFFFFFu, sc.lensX / float(tw), sc.lensY / float(th),
         (sc.lensX + 20) / float(tw), (sc.lensY + 15) / float(th));
    for (size_t i = 1; i < sc.overlay.size(); ++i) DrawSprite(sc.overlay[i]);
    gfx::EndScene();
    gfx::Present();
  }

  // The frames of one recorded sequence, read back after each present
  // (the back buffer, then the screen target).
  std::vector<plat::Image> Run(uint32_t seed, int frames, bool partial) {
    gfx::SetPartialRedraw(partial);
    std::mt19937 rng(seed);
    for (gfx::Tex t : textures) gfx::Release(t);
    textures.clear();
    MakeTextures(rng);
    if (screen) gfx::Release(screen);
    screen = gfx::CreateRenderTarget(kW, kH);
    EXPECT_TRUE(gfx::Reset(kW, kH));
    Scene sc;
    const int ntex = int(textures.size());
    for (int i = 0; i < 14; ++i) sc.main.push_back(RandomSprite(rng, ntex));
    for (int i = 0; i < 4; ++i) sc.overlay.push_back(RandomSprite(rng, ntex));
    for (int i = 0; i < 12; ++i)
      sc.points.push_back({float(rng() % kW), float(rng() % kH), 0, uint32_t(0xC0000000u | (rng() & 0xFFFFFFu))});
    for (int i = 0; i < 6; ++i) sc.lines.push_back({float(rng() % kW), float(rng() % kH), 0, 0xFFFFFF00u, 0, 0});
    std::vector<plat::Image> out;
    for (int f = 0; f < frames; ++f) {
      if (f % 29 == 19) {  // the device reset to another size, then back
        const plat::IPt b = gfx::BackBufferSize();
        EXPECT_TRUE(gfx::Reset(b.x == kW ? kW - 24 : kW, b.y == kH ? kH + 8 : kH));
      }
      if (f % 23 == 15) {  // the screen target resized
        int w = 0, h = 0;
        gfx::TextureSize(screen, &w, &h);
        EXPECT_TRUE(gfx::ResizeRenderTarget(screen, w == kW ? kW - 24 : kW, h == kH ? kH + 8 : kH));
      }
      DrawFrame(sc, f);
      plat::Image back, rt;
      EXPECT_TRUE(gfx::ReadPixels(0, back));
      EXPECT_TRUE(gfx::ReadPixels(screen, rt));
      out.push_back(std::move(back));
      out.push_back(std::move(rt));
      Mutate(sc, rng, f);
    }
    return out;
  }

  std::string WindowId() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(win.Sdl(), &info) || info.subsystem != SDL_SYSWM_X11) return "";
    return std::to_string(info.info.x11.window);
  }

  std::vector<gfx::Tex> textures;
  gfx::Tex screen = 0;
  plat::Window win;
};

TEST_F(RedrawGl, RecordedSequencesShowTheSamePixelsInEveryFrame) {
  constexpr int kFrames = 90;
  for (uint32_t seed : {1u, 7u, 2024u}) {
    const std::vector<plat::Image> full = Run(seed, kFrames, false);
    gfx::SetRedrawCheckForTests(true);
    const gfx::RedrawStats before = gfx::GetRedrawStats();
    const std::vector<plat::Image> part = Run(seed, kFrames, true);
    const gfx::RedrawStats after = gfx::GetRedrawStats();
    gfx::SetRedrawCheckForTests(false);
    ASSERT_EQ(full.size(), part.size());
    for (size_t i = 0; i < full.size(); ++i) {
      ASSERT_EQ(full[i].w, part[i].w) << "seed " << seed << ", frame " << i / 2;
      ASSERT_EQ(full[i].h, part[i].h) << "seed " << seed << ", frame " << i / 2;
      size_t differ = 0, first = 0;
      for (size_t p = 0; p < full[i].argb.size(); ++p)
        if (full[i].argb[p] != part[i].argb[p] && differ++ == 0) first = p;
      EXPECT_EQ(differ, 0u) << "seed " << seed << ", frame " << i / 2 << (i % 2 ? " screen target" : " back buffer")
                            << ", first at (" << first % size_t(full[i].w) << ", " << first / size_t(full[i].w) << ")";
    }
    EXPECT_EQ(after.mismatched, before.mismatched) << "seed " << seed;
    EXPECT_GT(after.checked, before.checked);
    // The sequence did take the short way: lists drawn in part, and lists
    // (of frames where nothing changed) not drawn at all.
    EXPECT_GT(after.partial, before.partial) << "seed " << seed;
    EXPECT_GT(after.untouched, before.untouched) << "seed " << seed;
    EXPECT_LT(after.pixelsDrawn - before.pixelsDrawn, (after.pixels - before.pixels) * 3 / 4) << "seed " << seed;
  }
}

TEST_F(RedrawGl, AFrameThatChangesNothingRedrawsAndPresentsNothing) {
  gNow = 5000;
  plat::SetTimeSourceForTests(&Now);
  gfx::SetPartialRedraw(true);
  const gfx::Tex t = gfx::CreateTexture(4, 4);
  Fill(t, 5);
  auto frame = [&](uint32_t colour) {
    gfx::Clear(0xFF000000u);
    ASSERT_TRUE(gfx::BeginScene());
    Unit(kW, kH);
    gfx::SetTexture(t);
    Quad(10, 10, 40, 40, colour);
    gfx::EndScene();
    gfx::Present();
  };
  frame(0xFFFFFFFFu);
  frame(0xFFFFFFFFu);
  const gfx::RedrawStats a = gfx::GetRedrawStats();
  frame(0xFFFFFFFFu);
  const gfx::RedrawStats b = gfx::GetRedrawStats();
  EXPECT_EQ(b.untouched, a.untouched + 1);
  EXPECT_EQ(b.pixelsDrawn, a.pixelsDrawn);
  EXPECT_EQ(b.presentsSkipped, a.presentsSkipped + 1);
  // A refilled texture and a new colour are drawn again, in their tiles only.
  Fill(t, 9);
  frame(0xFFFFFFFFu);
  frame(0xFF8080FFu);
  const gfx::RedrawStats c = gfx::GetRedrawStats();
  EXPECT_EQ(c.presentsSkipped, b.presentsSkipped);
  EXPECT_GT(c.pixelsDrawn, b.pixelsDrawn);
  EXPECT_LE(c.pixelsDrawn - b.pixelsDrawn, 2u * 64 * 64);
  gfx::Release(t);
}

// A frame that changes nothing is shown again all the same a second after
// the window was last shown, and not before (for a window system that lost
// the window's pixels).
TEST_F(RedrawGl, AFrameThatChangesNothingIsShownAgainAfterASecond) {
  gNow = 70000;
  plat::SetTimeSourceForTests(&Now);
  gfx::SetPartialRedraw(true);
  auto frame = [&] {
    gfx::Clear(0xFF000000u);
    ASSERT_TRUE(gfx::BeginScene());
    Unit(kW, kH);
    gfx::SetTexture(0);
    Quad(10, 10, 40, 40, 0xFF40C080u);
    gfx::EndScene();
    gfx::Present();
  };
  frame();  // shown
  const struct {
    uint32_t at;
    bool shown;
  } steps[] = {{70000, false}, {70500, false}, {70999, false}, {71000, true}, {71001, false}, {71999, false},
               {72100, true}, {72100, false}, {4000000000u, true}};
  for (const auto& step : steps) {
    gNow = step.at;
    const uint64_t before = gfx::GetRedrawStats().presentsSkipped;
    frame();
    EXPECT_EQ(gfx::GetRedrawStats().presentsSkipped, before + (step.shown ? 0 : 1)) << "at " << step.at << " ms";
  }
}

// The back buffer at the window's own size, the window copy switched on:
// under the software renderer a frame copies only what changed onto the
// window (never swapping), and the window shows the whole back buffer after
// every present.
TEST_F(RedrawGl, TheWindowShowsEveryFrameWhole) {
  gfx::DestroyDevice();
  gfx::SetWindowCopy(true);
  // In a corner of the screen, away from the windows of tests beside it.
  win.SetWindowed(160, 120, false, false);
  SDL_SetWindowPosition(win.Sdl(), 0, 0);
  SDL_PumpEvents();
  SDL_Delay(200);
  ASSERT_EQ(gfx::CreateDevice(win, 0, 0, 0), 0);
  gfx::SetPartialRedraw(true);
  std::mt19937 rng(3);
  MakeTextures(rng);
  const plat::IPt back = gfx::BackBufferSize();
  std::vector<Sprite> sprites;
  for (int i = 0; i < 10; ++i) sprites.push_back(RandomSprite(rng, int(textures.size())));
  for (int f = 0; f < 30; ++f) {
    SDL_PumpEvents();  // as the game's loop does: an uncovered window is shown whole
    gfx::Clear(0xFF000000u);
    ASSERT_TRUE(gfx::BeginScene());
    Unit(back.x, back.y);
    for (const Sprite& s : sprites) DrawSprite(s);
    gfx::EndScene();
    gfx::Present();
    gfx::Finish();
    plat::Image shown, drawn;
    ASSERT_TRUE(xwdshot::Capture(std::getenv("DISPLAY"), WindowId(), shown)) << "needs xwd (Debian package x11-apps)";
    ASSERT_TRUE(gfx::ReadPixels(0, drawn));
    ASSERT_EQ(shown.w, drawn.w);
    ASSERT_EQ(shown.h, drawn.h);
    size_t differ = 0;
    for (size_t i = 0; i < shown.argb.size(); ++i) differ += (shown.argb[i] & 0xFFFFFFu) != (drawn.argb[i] & 0xFFFFFFu);
    EXPECT_EQ(differ, 0u) << "frame " << f;
    sprites[rng() % sprites.size()].x += float(rng() % 7) - 3;
    if (f % 5 == 2) sprites[rng() % sprites.size()].argb ^= 0x00300000u;
  }
}

// The window copy through changes of the window's size, as the switch to
// full screen and back makes them. The GL learns the window's new size only
// at a swap: a copy of the new size onto a window it still knows at the old
// one failed with an X error, which ends the program. Every frame shows
// whole on the window at every size.
TEST_F(RedrawGl, TheWindowCopyFollowsTheWindowThroughChangesOfItsSize) {
  gfx::DestroyDevice();
  gfx::SetWindowCopy(true);
  auto place = [&](int w, int h) {
    win.SetWindowed(w, h, false, false);
    SDL_SetWindowPosition(win.Sdl(), 0, 0);
    SDL_PumpEvents();
    SDL_Delay(200);
    SDL_PumpEvents();
  };
  place(160, 120);
  ASSERT_EQ(gfx::CreateDevice(win, 0, 0, 0), 0);
  gfx::SetPartialRedraw(true);
  std::mt19937 rng(5);
  MakeTextures(rng);
  std::vector<Sprite> sprites;
  for (int i = 0; i < 10; ++i) sprites.push_back(RandomSprite(rng, int(textures.size())));
  const int sizes[][2] = {{160, 120}, {260, 200}, {120, 90}, {260, 200}, {160, 120}};
  int frame = 0;
  for (const auto& size : sizes) {
    if (frame > 0) {
      place(size[0], size[1]);
      ASSERT_TRUE(gfx::Reset(win.ClientSize().x, win.ClientSize().y));
    }
    const plat::IPt back = gfx::BackBufferSize();
    for (int f = 0; f < 4; ++f, ++frame) {
      SDL_PumpEvents();
      gfx::Clear(0xFF000000u);
      ASSERT_TRUE(gfx::BeginScene());
      Unit(back.x, back.y);
      for (const Sprite& s : sprites) DrawSprite(s);
      gfx::EndScene();
      gfx::Present();
      gfx::Finish();
      plat::Image shown, drawn;
      ASSERT_TRUE(xwdshot::Capture(std::getenv("DISPLAY"), WindowId(), shown)) << "needs xwd (Debian package x11-apps)";
      ASSERT_TRUE(gfx::ReadPixels(0, drawn));
      ASSERT_EQ(shown.w, drawn.w) << "frame " << frame;
      ASSERT_EQ(shown.h, drawn.h) << "frame " << frame;
      size_t differ = 0;
      for (size_t i = 0; i < shown.argb.size(); ++i)
        differ += (shown.argb[i] & 0xFFFFFFu) != (drawn.argb[i] & 0xFFFFFFu);
      EXPECT_EQ(differ, 0u) << "frame " << frame << " at " << back.x << " x " << back.y;
      sprites[rng() % sprites.size()].x += float(rng() % 7) - 3;
    }
  }
}

// Quads the game asks to filter anisotropically, drawn at their texture's
// own size in quarter turns (and mirrored), at whole and fractional pixel
// positions, over one another with alpha. Linear filtering of them, where
// switched on, takes exactly those quads and no scaled or freely turned
// one; it does not give the same pixels under Mesa's llvmpipe, so by
// default the device draws what the game asked for.
TEST_F(RedrawGl, AnisotropicQuadsAtTheirOwnSizeKeepTheirFilteringUnlessSwitched) {
  std::mt19937 rng(11);
  const gfx::Caps caps = gfx::GetCaps();
  ASSERT_TRUE(caps.minAniso) << "the GL offers no anisotropic filtering";
  std::vector<gfx::Tex> tex;
  for (const auto& side : {std::pair{17, 11}, std::pair{32, 32}, std::pair{600, 5}, std::pair{9, 40}}) {
    tex.push_back(gfx::CreateTexture(side.first, side.second));
    Fill(tex.back(), rng());
  }
  struct Q {
    gfx::Tex t;
    int w, h;
    float x, y;
    int turn;     // quarter turns
    bool mirror;  // u running the other way
    float scale, angle;
  };
  std::vector<Q> quads;
  for (int i = 0; i < 60; ++i) {
    const size_t k = rng() % tex.size();
    int w = 0, h = 0;
    gfx::TextureSize(tex[k], &w, &h);
    Q q{tex[k], w, h, float(rng() % 140), float(rng() % 100), int(rng() % 4), rng() % 2 == 0, 1.0f, 0.0f};
    if (rng() % 3 == 0) q.x += 0.5f;
    if (rng() % 4 == 0) q.y += 0.25f;
    if (i % 10 == 3) q.scale = 0.6f;
    if (i % 10 == 7) q.angle = 0.3f;
    quads.push_back(q);
  }
  auto frame = [&](bool shortcut) {
    gfx::SetOwnSizeLinear(shortcut);
    gfx::Clear(0xFF204060u);
    EXPECT_TRUE(gfx::BeginScene());
    Unit(kW, kH);
    gfx::SetAlphaBlend(true);
    gfx::SetBlendFunc(gfx::Blend::SrcAlpha, gfx::Blend::InvSrcAlpha);
    gfx::SetFilter(gfx::Filter::Linear, gfx::Filter::Anisotropic);
    gfx::SetMaxAnisotropy(caps.maxAnisotropy);
    for (const Q& q : quads) {
      // Corners around the centre, turned; texture corners in order.
      const float hw = q.w * q.scale / 2, hh = q.h * q.scale / 2;
      const float cx = q.x + hw, cy = q.y + hh;
      const float ang = q.angle + float(q.turn) * 1.57079632679f;
      const float c = std::round(std::cos(ang) * 1e6f) / 1e6f, s = std::round(std::sin(ang) * 1e6f) / 1e6f;
      const float corner[4][2] = {{-hw, -hh}, {-hw, hh}, {hw, hh}, {hw, -hh}};
      const float uv[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
      gfx::Vertex v[4];
      for (int i = 0; i < 4; ++i) {
        v[i] = {cx + corner[i][0] * c - corner[i][1] * s, cy + corner[i][0] * s + corner[i][1] * c, 0, 0xFFFFFFFFu,
                q.mirror ? 1 - uv[i][0] : uv[i][0], uv[i][1]};
      }
      const uint16_t idx[6] = {0, 2, 1, 0, 3, 2};
      gfx::SetTexture(q.t);
      EXPECT_TRUE(gfx::DrawTriangles(v, 4, idx, 2));
    }
    gfx::EndScene();
    plat::Image img;
    EXPECT_TRUE(gfx::ReadPixels(0, img));
    return img;
  };
  gfx::SetOwnSizeLinear(false);
  frame(false);
  const gfx::RedrawStats before = gfx::GetRedrawStats();
  frame(true);
  const gfx::RedrawStats after = gfx::GetRedrawStats();
  // 48 quads at their own size; the 12 scaled or freely turned keep it.
  EXPECT_EQ(after.linearAtOwnSize - before.linearAtOwnSize, 48u);

  for (gfx::Tex t : tex) gfx::Release(t);
}

}  // namespace
