// The OpenGL backend itself (needs an X display): lazy uploads, batching,
// render targets, lines and points, stale handles, and textures released by
// another thread while this one draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/gfx.h"
#include "platform/window.h"
#include "tests/support/gl_window.h"
#include "tests/support/pixel_check.h"

namespace gfx = plat::gfx;

namespace {

constexpr int kW = 64, kH = 48;

class GfxGl : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!gltest::HaveDisplay()) GTEST_SKIP() << "no display";
    ASSERT_TRUE(gltest::OpenGlWindow(win, "gfx test", 200, 100));
    ASSERT_EQ(gfx::CreateDevice(win, 0, kW, kH), 0);
    // One unit per pixel, y downward.
    gfx::SetTransform(gfx::Xf::World, plat::Identity());
    gfx::SetTransform(gfx::Xf::View, plat::Identity());
    gfx::SetTransform(gfx::Xf::Projection, plat::OrthoOffCenterLH(0, kW + 1, kH + 1, 0, 0, 1));
    gfx::SetTexture(0);
    gfx::SetAlphaBlend(false);
    gfx::SetColorOp(gfx::ColorOp::Modulate);
    gfx::SetPointSprite(false);
    gfx::SetPointScale(false, 1, 0, 0);
    gfx::SetFilter(gfx::Filter::Point, gfx::Filter::Point);
  }
  void TearDown() override {
    gfx::DestroyDevice();
    gfx::SetAtlasingForTests(true);
  }
  // A new device with atlas pages on or off; textures and states stay.
  void Recreate(bool atlas) {
    gfx::DestroyDevice();
    gfx::SetAtlasingForTests(atlas);
    ASSERT_EQ(gfx::CreateDevice(win, 0, kW, kH), 0);
  }

  static void Quad(float x, float y, float w, float h, uint32_t argb = 0xFFFFFFFF, float u1 = 1, float v1 = 1) {
    const gfx::Vertex v[4] = {{x, y, 0, argb, 0, 0}, {x, y + h, 0, argb, 0, v1}, {x + w, y + h, 0, argb, u1, v1},
                              {x + w, y, 0, argb, u1, 0}};
    const uint16_t idx[6] = {0, 2, 1, 0, 3, 2};
    ASSERT_TRUE(gfx::DrawTriangles(v, 4, idx, 2));
  }
  static uint32_t Pixel(gfx::Tex target, int x, int y) {
    plat::Image img;
    EXPECT_TRUE(gfx::ReadPixels(target, img));
    if (img.argb.empty()) return 0;
    return img.argb[size_t(y) * size_t(img.w) + size_t(x)];
  }
  // w × h texels of distinct colours.
  static gfx::Tex Pattern(int w, int h, uint32_t seed) {
    const gfx::Tex t = gfx::CreateTexture(w, h);
    uint32_t* p = gfx::Lock(t);
    for (int i = 0; i < w * h; ++i) p[i] = 0xFF000000u | ((seed + uint32_t(i) * 0x2F1D47u) & 0xFFFFFFu);
    gfx::Unlock(t);
    return t;
  }
  static gfx::Tex Solid(uint32_t argb, int w = 2, int h = 2) {
    const gfx::Tex t = gfx::CreateTexture(w, h);
    uint32_t* p = gfx::Lock(t);
    for (int i = 0; i < w * h; ++i) p[i] = argb;
    gfx::Unlock(t);
    return t;
  }
  plat::Window win;
};

TEST_F(GfxGl, BackBufferHasTheSizeAskedFor) {
  EXPECT_EQ(gfx::BackBufferSize().x, kW);
  EXPECT_EQ(gfx::BackBufferSize().y, kH);
  gfx::Clear(0xFF336699);
  plat::Image img;
  ASSERT_TRUE(gfx::ReadPixels(0, img));
  EXPECT_EQ(img.w, kW);
  EXPECT_EQ(img.h, kH);
  EXPECT_EQ(img.argb[0], 0xFF336699u);
  gfx::Present();  // stretched over a window of another size
  EXPECT_EQ(Pixel(0, kW - 1, kH - 1), 0xFF336699u);
}

TEST_F(GfxGl, UnlockedPixelsReachTheGpuBeforeTheNextDraw) {
  const gfx::Tex t = Solid(0xFFFF0000);
  gfx::Clear(0xFF000000);
  ASSERT_TRUE(gfx::BeginScene());
  gfx::SetTexture(t);
  Quad(0, 0, 8, 8);
  uint32_t* p = gfx::Lock(t);
  for (int i = 0; i < 4; ++i) p[i] = 0xFF00FF00;
  gfx::Unlock(t);
  Quad(8, 0, 8, 8);
  gfx::EndScene();
  EXPECT_EQ(Pixel(0, 4, 4), 0xFFFF0000u) << "the draw before the change keeps the old pixels";
  EXPECT_EQ(Pixel(0, 12, 4), 0xFF00FF00u);
  EXPECT_EQ(gfx::GetStats().uploads, 2u);
  gfx::Release(t);
}

TEST_F(GfxGl, DrawsWithOneStateShareOneDrawCall) {
  // a and b share an atlas page; wide is too wide for one and has a GL
  // texture of its own.
  const gfx::Tex a = Solid(0xFFFF0000), b = Solid(0xFF0000FF), wide = Solid(0xFF00FF00, 600, 2);
  ASSERT_TRUE(gfx::BeginScene());
  const uint64_t before = gfx::GetStats().batches;
  gfx::SetTexture(a);
  for (int i = 0; i < 100; ++i) Quad(float(i % 8), 0, 1, 1);
  gfx::Finish();
  EXPECT_EQ(gfx::GetStats().batches - before, 1u);
  for (int i = 0; i < 10; ++i) {
    gfx::SetTexture(i % 2 ? a : b);
    Quad(float(i), 10, 1, 1);
  }
  gfx::Finish();
  EXPECT_EQ(gfx::GetStats().batches - before, 2u) << "textures on one page share a draw call";
  for (int i = 0; i < 10; ++i) {
    gfx::SetTexture(i % 2 ? a : wide);
    Quad(float(i), 20, 1, 1);
  }
  gfx::Finish();
  EXPECT_EQ(gfx::GetStats().batches - before, 12u) << "a texture of its own ends the batch";
  gfx::SetTexture(a);
  for (int i = 0; i < 10; ++i) {
    gfx::SetColorOp(i % 2 ? gfx::ColorOp::Add : gfx::ColorOp::Modulate);
    Quad(float(i), 30, 1, 1, 0xFF000000);
  }
  gfx::SetColorOp(gfx::ColorOp::Modulate);
  gfx::EndScene();
  EXPECT_EQ(gfx::GetStats().batches - before, 22u) << "a change of state ends the batch";
  EXPECT_EQ(Pixel(0, 0, 10), 0xFF0000FFu);
  EXPECT_EQ(Pixel(0, 1, 10), 0xFFFF0000u);
  EXPECT_EQ(Pixel(0, 0, 20), 0xFF00FF00u);
  EXPECT_EQ(Pixel(0, 1, 20), 0xFFFF0000u);
  EXPECT_EQ(Pixel(0, 0, 30), 0xFF000000u);
  EXPECT_EQ(Pixel(0, 1, 30), 0xFFFF0000u);
  for (gfx::Tex t : {a, b, wide}) gfx::Release(t);
}

TEST_F(GfxGl, RenderTargetsDrawAndReadBackTopRowFirst) {
  const gfx::Tex rt = gfx::CreateRenderTarget(16, 16);
  ASSERT_TRUE(gfx::SetRenderTarget(rt));
  EXPECT_EQ(Pixel(rt, 3, 3), 0u) << "starts zero-filled";
  gfx::Clear(0x80FF0000);
  ASSERT_TRUE(gfx::BeginScene());
  gfx::SetTransform(gfx::Xf::Projection, plat::OrthoOffCenterLH(0, 17, 17, 0, 0, 1));
  Quad(0, 0, 16, 1, 0xFF00FF00);
  gfx::EndScene();
  EXPECT_EQ(Pixel(rt, 5, 0), 0xFF00FF00u);
  EXPECT_EQ(Pixel(rt, 5, 1), 0x80FF0000u) << "render targets keep their alpha";
  // Resized in place: same handle, new size.
  ASSERT_TRUE(gfx::ResizeRenderTarget(rt, 32, 8));
  plat::Image img;
  ASSERT_TRUE(gfx::ReadPixels(rt, img));
  EXPECT_EQ(img.w, 32);
  EXPECT_EQ(img.h, 8);
  const gfx::Tex plain = Solid(0xFFFFFFFF);
  EXPECT_FALSE(gfx::SetRenderTarget(plain)) << "only render targets can be drawn into";
  gfx::Release(plain);
  gfx::SetRenderTarget(0);
  gfx::Release(rt);
}

TEST_F(GfxGl, LinesAndPlainPoints) {
  gfx::Clear(0xFF000000);
  ASSERT_TRUE(gfx::BeginScene());
  const gfx::Vertex line[2] = {{0, 10.5f, 0, 0xFFFFFF00, 0, 0}, {kW, 10.5f, 0, 0xFFFFFF00, 0, 0}};
  gfx::DrawLines(line, 1);
  gfx::SetPointSize(4);
  const gfx::PointVertex pt{30, 30, 0, 0xFF00FFFF};
  gfx::DrawPoints(&pt, 1);
  gfx::EndScene();
  EXPECT_EQ(Pixel(0, 20, 10), 0xFFFFFF00u);
  EXPECT_EQ(Pixel(0, 20, 12), 0xFF000000u);
  EXPECT_EQ(Pixel(0, 29, 29), 0xFF00FFFFu);
  EXPECT_EQ(Pixel(0, 33, 33), 0xFF000000u);
}

// One draw larger than the streaming buffers (more indices or vertices than
// they hold at once) still reaches the GPU whole.
TEST_F(GfxGl, ADrawLargerThanTheStreamingBuffersIsDrawn) {
  constexpr int kTriangles = 140000;  // 420,000 indices
  constexpr int kLines = 140000;      // 280,000 vertices
  const gfx::Vertex quad[4] = {{0, 0, 0, 0xFFFF0000, 0, 0}, {0, 8, 0, 0xFFFF0000, 0, 0},
                               {8, 8, 0, 0xFFFF0000, 0, 0}, {8, 0, 0, 0xFFFF0000, 0, 0}};
  std::vector<uint16_t> idx;
  for (int i = 0; i < kTriangles / 2; ++i) idx.insert(idx.end(), {0, 2, 1, 0, 3, 2});
  std::vector<gfx::Vertex> lines;
  for (int i = 0; i < kLines; ++i) {
    lines.push_back({16, 20.5f, 0, 0xFF00FF00, 0, 0});
    lines.push_back({40, 20.5f, 0, 0xFF00FF00, 0, 0});
  }
  gfx::Clear(0xFF000000);
  ASSERT_TRUE(gfx::BeginScene());
  ASSERT_TRUE(gfx::DrawTriangles(quad, 4, idx.data(), kTriangles));
  ASSERT_TRUE(gfx::DrawLines(lines.data(), kLines));
  Quad(50, 40, 4, 4, 0xFF0000FF);  // and the stream goes on after them
  gfx::EndScene();
  EXPECT_EQ(Pixel(0, 4, 4), 0xFFFF0000u);
  EXPECT_EQ(Pixel(0, 30, 20), 0xFF00FF00u);
  EXPECT_EQ(Pixel(0, 52, 42), 0xFF0000FFu);
}

TEST_F(GfxGl, StaleHandlesDrawAsNoTexture) {
  const gfx::Tex t = Solid(0xFFFF0000);
  gfx::Release(t);
  gfx::Clear(0xFF000000);
  ASSERT_TRUE(gfx::BeginScene());
  gfx::SetTexture(t);
  Quad(0, 0, 4, 4, 0xFF808080);
  gfx::EndScene();
  EXPECT_EQ(Pixel(0, 1, 1), 0xFF808080u);
}

// The loader's texture i is one solid colour, 0xFF000000 + i; handles come
// one after another, so texture i is first + i. Every frame draws the four
// newest side by side and reads them back: each shows its own colour, or
// white when the loader released it first (a stale handle draws untextured).
TEST_F(GfxGl, AnotherThreadCreatesAndReleasesWhileThisOneDraws) {
  constexpr int kTextures = 300;
  std::atomic<bool> done{false};
  std::atomic<gfx::Tex> first{0}, latest{0};
  std::thread loader([&] {
    for (int i = 0; i < kTextures; ++i) {
      const gfx::Tex t = Solid(0xFF000000u | uint32_t(i));
      if (i == 0) first = t;
      latest = t;
      if (i % 3 == 0) plat::SleepMs(1);
      if (i > 2) gfx::Release(t - 2);
    }
    done = true;
  });
  // A failed assertion below returns at once: the loader is joined first.
  struct Joiner {
    std::thread& t;
    ~Joiner() {
      if (t.joinable()) t.join();
    }
  } joiner{loader};
  int frames = 0, coloured = 0;
  while (!done || frames < 5) {
    const gfx::Tex last = latest, base = first;
    gfx::Clear(0xFF000000);
    ASSERT_TRUE(gfx::BeginScene());
    for (int k = 0; k < 4; ++k) {
      const gfx::Tex t = last - 3 + gfx::Tex(k);
      gfx::SetTexture(base != 0 && t >= base ? t : 0);
      Quad(float(4 * k), 0, 4, 4);
    }
    gfx::EndScene();
    plat::Image img;
    ASSERT_TRUE(gfx::ReadPixels(0, img));
    for (int k = 0; k < 4; ++k) {
      const gfx::Tex t = last - 3 + gfx::Tex(k);
      if (base == 0 || t < base) continue;
      const uint32_t got = img.argb[size_t(2) * size_t(img.w) + size_t(4 * k + 2)];
      const uint32_t own = 0xFF000000u | uint32_t(t - base);
      ASSERT_TRUE(got == own || got == 0xFFFFFFFFu)
          << "texture " << (t - base) << " drew " << std::hex << got << " in frame " << std::dec << frames;
      coloured += got == own;
    }
    ++frames;
  }
  loader.join();
  EXPECT_GT(coloured, 0) << "some frame drew a loader texture in its own colour";
  // Once the loader is done: its last texture is alive, its second (released
  // when the fourth was made) is not.
  const gfx::Tex last = latest, base = first;
  ASSERT_EQ(last - base, gfx::Tex(kTextures - 1));
  gfx::Clear(0xFF000000);
  ASSERT_TRUE(gfx::BeginScene());
  gfx::SetTexture(last);
  Quad(0, 0, 4, 4);
  gfx::SetTexture(base + 1);
  Quad(8, 0, 4, 4);
  gfx::EndScene();
  EXPECT_EQ(Pixel(0, 2, 2), 0xFF00012Bu) << "texture 299";
  EXPECT_EQ(Pixel(0, 10, 2), 0xFFFFFFFFu) << "a released texture draws untextured";
}

// ---- atlas pages

// The same scene drawn with and without atlas pages comes out the same to
// the pixel: small patterned textures side by side on one page, drawn
// magnified, minified and turned with linear, anisotropic and point
// filtering, as a point sprite and as a sub-rectangle.
TEST_F(GfxGl, AtlasedTexturesDrawExactlyAsTexturesOfTheirOwn) {
  std::vector<gfx::Tex> tex;
  for (uint32_t i = 0; i < 4; ++i) tex.push_back(Pattern(8, 8, 0x123456u * (i + 1)));
  auto scene = [&] {
    plat::Image img;
    gfx::Clear(0xFF000000);
    EXPECT_TRUE(gfx::BeginScene());
    gfx::SetFilter(gfx::Filter::Linear, gfx::Filter::Linear);
    gfx::SetTexture(tex[0]);
    Quad(1, 1, 21, 19);  // magnified
    gfx::SetTexture(tex[1]);
    Quad(24, 1, 5, 6);  // minified
    gfx::SetTexture(tex[2]);
    const float c = 0.8660254f, s = 0.5f;  // turned by 30°
    gfx::Vertex v[4];
    const float corner[4][4] = {{-7, -7, 0, 0}, {-7, 7, 0, 1}, {7, 7, 1, 1}, {7, -7, 1, 0}};
    for (int i = 0; i < 4; ++i)
      v[i] = {42 + corner[i][0] * c - corner[i][1] * s, 12 + corner[i][0] * s + corner[i][1] * c, 0, 0xFFFFFFFF,
              corner[i][2], corner[i][3]};
    const uint16_t idx[6] = {0, 2, 1, 0, 3, 2};
    EXPECT_TRUE(gfx::DrawTriangles(v, 4, idx, 2));
    gfx::SetTexture(tex[3]);
    const gfx::Vertex part[4] = {{1, 26, 0, 0xFFFFFFFF, 0.25f, 0.25f}, {1, 46, 0, 0xFFFFFFFF, 0.25f, 0.75f},
                                 {21, 46, 0, 0xFFFFFFFF, 0.75f, 0.75f}, {21, 26, 0, 0xFFFFFFFF, 0.75f, 0.25f}};
    EXPECT_TRUE(gfx::DrawTriangles(part, 4, idx, 2));
    gfx::SetFilter(gfx::Filter::Linear, gfx::Filter::Anisotropic);
    gfx::SetMaxAnisotropy(16);
    gfx::SetTexture(tex[0]);
    Quad(1, 21, 20, 3);  // stretched one way, minified the other
    Quad(24, 22, 16, 2);
    Quad(44, 22, 3, 2);
    gfx::SetFilter(gfx::Filter::Point, gfx::Filter::Point);
    gfx::SetTexture(tex[1]);
    Quad(24, 26, 13, 11);
    gfx::SetPointSprite(true);
    gfx::SetPointSize(16);
    gfx::SetTexture(tex[2]);
    const gfx::PointVertex pt{50, 38, 0, 0xFFFFFFFF};
    EXPECT_TRUE(gfx::DrawPoints(&pt, 1));
    gfx::SetPointSprite(false);
    gfx::EndScene();
    EXPECT_TRUE(gfx::ReadPixels(0, img));
    return img;
  };
  Recreate(false);
  const plat::Image own = scene();
  EXPECT_EQ(gfx::GetStats().atlasPages, 0u);
  Recreate(true);
  const plat::Image atlased = scene();
  EXPECT_EQ(gfx::GetStats().atlasPages, 1u);
  ASSERT_EQ(own.argb.size(), atlased.argb.size());
  int differ = 0, first = -1;
  for (size_t i = 0; i < own.argb.size(); ++i)
    if (own.argb[i] != atlased.argb[i] && differ++ == 0) first = int(i);
  EXPECT_EQ(differ, 0) << "first at x " << first % kW << ", y " << first / kW;
  for (gfx::Tex t : tex) gfx::Release(t);
}

// Solid textures side by side on a page, drawn magnified and minified with
// linear filtering: every pixel of every quad keeps its own colour.
TEST_F(GfxGl, NeighboursOnAPageDoNotBleedIntoEachOther) {
  const uint32_t colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  gfx::Tex tex[4];
  for (int i = 0; i < 4; ++i) tex[i] = Solid(colours[i], 6, 6);
  gfx::Clear(0xFF000000);
  ASSERT_TRUE(gfx::BeginScene());
  gfx::SetFilter(gfx::Filter::Linear, gfx::Filter::Linear);
  for (int i = 0; i < 4; ++i) {
    gfx::SetTexture(tex[i]);
    Quad(float(i * 16), 0, 15, 23);  // magnified
    Quad(float(i * 16), 30, 3, 2);   // minified
  }
  gfx::EndScene();
  EXPECT_EQ(gfx::GetStats().atlasPages, 1u);
  plat::Image img;
  ASSERT_TRUE(gfx::ReadPixels(0, img));
  for (int i = 0; i < 4; ++i) {
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 15; ++x)
        ASSERT_EQ(img.argb[size_t(y * kW + i * 16 + x)], colours[i]) << "texture " << i << " at " << x << ", " << y;
    for (int y = 30; y < 32; ++y)
      for (int x = 0; x < 3; ++x) ASSERT_EQ(img.argb[size_t(y * kW + i * 16 + x)], colours[i]) << "texture " << i;
  }
  for (gfx::Tex t : tex) gfx::Release(t);
}

// Up to 512 texels a side a texture goes onto a page; past that it keeps a
// texture of its own, and draws either way.
TEST_F(GfxGl, TexturesPastTheSizeLimitKeepTexturesOfTheirOwn) {
  struct Case {
    int w, h;
    size_t pages;
  };
  for (const Case& c : {Case{512, 512, 1}, Case{513, 4, 0}, Case{4, 513, 0}, Case{1, 1, 1}}) {
    const gfx::Tex t = Solid(0xFF20C040, c.w, c.h);
    gfx::Clear(0xFF000000);
    ASSERT_TRUE(gfx::BeginScene());
    gfx::SetTexture(t);
    Quad(0, 0, 16, 16);
    gfx::EndScene();
    EXPECT_EQ(gfx::GetStats().atlasPages, c.pages) << c.w << " × " << c.h;
    EXPECT_EQ(Pixel(0, 8, 8), 0xFF20C040u) << c.w << " × " << c.h;
    gfx::Release(t);
    ASSERT_TRUE(gfx::BeginScene());  // the released texture's page goes
    gfx::EndScene();
    EXPECT_EQ(gfx::GetStats().atlasPages, 0u);
  }
}

// Textures released and made again take the places freed: a hundred
// 500 × 500 textures one after another (more than one page would hold at
// once) stay on the page a small texture keeps alive.
TEST_F(GfxGl, ReleasedPlacesAreReused) {
  const gfx::Tex keeper = Solid(0xFFFFFFFF);
  for (int i = 0; i < 100; ++i) {
    const uint32_t colour = 0xFF000000u | uint32_t(i * 0x020301);
    const gfx::Tex t = Solid(colour, 500, 500);
    gfx::Clear(0xFF000000);
    ASSERT_TRUE(gfx::BeginScene());
    gfx::SetTexture(keeper);
    Quad(0, 0, 4, 4);
    gfx::SetTexture(t);
    Quad(8, 8, 16, 16);
    gfx::EndScene();
    ASSERT_EQ(Pixel(0, 16, 16), colour) << "texture " << i;
    ASSERT_EQ(gfx::GetStats().atlasPages, 1u) << "texture " << i;
    gfx::Release(t);
  }
  gfx::Release(keeper);
  ASSERT_TRUE(gfx::BeginScene());
  gfx::EndScene();
  EXPECT_EQ(gfx::GetStats().atlasPages, 0u) << "an empty page is deleted";
}

// A texture drawn with coordinates outside 0..1 repeats as on a texture of
// its own, in the same scene as a draw from its page before, and later.
TEST_F(GfxGl, TexturesDrawnRepeatedLeaveThePage) {
  const gfx::Tex t = gfx::CreateTexture(2, 2);
  const uint32_t texels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  std::copy(texels, texels + 4, gfx::Lock(t));
  gfx::Unlock(t);
  const gfx::Tex other = Solid(0xFF808080);
  for (int scene = 0; scene < 2; ++scene) {
    gfx::Clear(0xFF000000);
    ASSERT_TRUE(gfx::BeginScene());
    gfx::SetTexture(t);
    Quad(0, 0, 8, 8);              // once, stretched: 4 × 4 pixels a texel
    Quad(16, 0, 8, 8, ~0u, 4, 4);  // four times over: a texel a pixel
    gfx::SetTexture(other);        // may take the place t left
    Quad(32, 0, 8, 8);
    gfx::EndScene();
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        ASSERT_EQ(Pixel(0, x, y), texels[(y / 4) * 2 + x / 4]) << "stretched, scene " << scene;
        ASSERT_EQ(Pixel(0, 16 + x, y), texels[(y % 2) * 2 + x % 2]) << "repeated, scene " << scene;
        ASSERT_EQ(Pixel(0, 32 + x, y), 0xFF808080u) << "scene " << scene;
      }
  }
  gfx::Release(t);
  gfx::Release(other);
}

// Only the texture updated is copied again, into its place on the page.
TEST_F(GfxGl, AnUpdateCopiesOnlyTheTextureChanged) {
  const gfx::Tex a = Solid(0xFFFF0000, 4, 4), b = Solid(0xFF0000FF, 4, 4);
  auto draw = [&] {
    gfx::Clear(0xFF000000);
    ASSERT_TRUE(gfx::BeginScene());
    gfx::SetTexture(a);
    Quad(0, 0, 8, 8);
    gfx::SetTexture(b);
    Quad(8, 0, 8, 8);
    gfx::EndScene();
  };
  draw();
  const uint64_t uploads = gfx::GetStats().uploads;
  uint32_t* p = gfx::Lock(a);
  for (int i = 0; i < 16; ++i) p[i] = 0xFFFFFF00;
  gfx::Unlock(a);
  draw();
  EXPECT_EQ(gfx::GetStats().uploads, uploads + 1);
  EXPECT_EQ(Pixel(0, 4, 4), 0xFFFFFF00u);
  EXPECT_EQ(Pixel(0, 12, 4), 0xFF0000FFu);
  gfx::Release(a);
  gfx::Release(b);
}

// A texture locked again before its update reached the page draws its last
// pixels until it is unlocked; one locked before it was ever drawn draws as
// no texture.
TEST_F(GfxGl, ALockedTextureOnAPageKeepsItsLastPixels) {
  const gfx::Tex a = Solid(0xFFFF0000, 4, 4), fresh = gfx::CreateTexture(4, 4);
  auto draw = [&] {
    gfx::Clear(0xFF000000);
    ASSERT_TRUE(gfx::BeginScene());
    gfx::SetTexture(a);
    Quad(0, 0, 8, 8);
    gfx::SetTexture(fresh);
    Quad(8, 0, 8, 8, 0xFF00FFFF);
    gfx::EndScene();
  };
  ASSERT_NE(gfx::Lock(fresh), nullptr);
  draw();
  EXPECT_EQ(Pixel(0, 12, 4), 0xFF00FFFFu) << "never readable: no texture";
  uint32_t* p = gfx::Lock(a);
  for (int i = 0; i < 16; ++i) p[i] = 0xFF0000FF;
  gfx::Unlock(a);
  p = gfx::Lock(a);  // changed, and locked again before the next draw
  draw();
  EXPECT_EQ(Pixel(0, 4, 4), 0xFFFF0000u);
  gfx::Unlock(a);
  gfx::Unlock(fresh);
  draw();
  EXPECT_EQ(Pixel(0, 4, 4), 0xFF0000FFu);
  EXPECT_EQ(Pixel(0, 12, 4), 0xFF000000u) << "zero-filled texels times the colour";
  gfx::Release(a);
  gfx::Release(fresh);
}

// An 8 × 8 cream texture whose first column (or first row) is red: its
// opposite edge is cream, so a cream pixel tinted red at the far side of a
// quad shows filtering that read past the edge into the other side.
gfx::Tex RedFirstLine(bool column) {
  constexpr uint32_t kCream = 0xFFF0E0C0, kRed = 0xFFFF0000;
  const gfx::Tex t = gfx::CreateTexture(8, 8);
  uint32_t* p = gfx::Lock(t);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) p[y * 8 + x] = (column ? x : y) == 0 ? kRed : kCream;
  gfx::Unlock(t);
  return t;
}

// A texture drawn scaled with linear filtering (as the whole screen is when
// the game is letterboxed into a larger back buffer) with coordinates in
// 0..1 across its red line shows at each edge only that edge's own texels:
// the far half of the quad stays cream to the last pixel, on a page and on
// a texture of its own, after the texture was drawn repeated in the same
// scene, and when the quad repeats the texture along the red line (a border
// tile of the book's page, repeated along the page's edge: it wraps along
// it and stays clamped across it).
TEST_F(GfxGl, AScaledQuadNeverTakesColourFromTheOppositeEdge) {
  struct Case {
    float scale;
    bool atlas, column, repeatedFirst;
    float alongLine;  // repetitions along the red line
  };
  const Case cases[] = {
      {1.41f, true, true, false, 1},  {1.41f, true, false, false, 1},  {2.0f, true, true, false, 1},
      {2.0f, true, false, false, 1},  {1.41f, false, true, false, 1},  {1.41f, false, false, false, 1},
      {2.0f, false, true, false, 1},  {2.0f, false, false, false, 1},  {1.41f, true, true, true, 1},
      {2.0f, true, false, true, 1},   {1.41f, true, true, false, 2.5f}, {1.41f, true, false, false, 2.5f},
      {1.41f, false, true, false, 2.5f}, {1.41f, false, false, false, 2.5f}, {2.0f, false, false, false, 3},
  };
  for (const Case& c : cases) {
    Recreate(c.atlas);
    const gfx::Tex t = RedFirstLine(c.column);
    // The quad starts between pixels, so its last pixel's centre lies past
    // the last texel's centre at both scales.
    const float o = 2.3f, side = 8.0f * c.scale, along = side * c.alongLine;
    const float w = c.column ? side : along, h = c.column ? along : side;
    gfx::Clear(0xFF000000);
    ASSERT_TRUE(gfx::BeginScene());
    gfx::SetFilter(gfx::Filter::Linear, gfx::Filter::Linear);
    gfx::SetTexture(t);
    if (c.repeatedFirst) Quad(40, 30, 16, 16, 0xFFFFFFFF, 2, 2);
    Quad(o, o, w, h, 0xFFFFFFFF, c.column ? 1 : c.alongLine, c.column ? c.alongLine : 1);
    gfx::EndScene();
    plat::Image img;
    ASSERT_TRUE(gfx::ReadPixels(0, img));
    const std::string name = std::string(c.atlas ? "on a page" : "its own texture") + ", scale " +
                             std::to_string(c.scale) + (c.column ? ", red column" : ", red row") +
                             (c.repeatedFirst ? ", drawn repeated first" : "") + ", " +
                             std::to_string(c.alongLine) + " along the line";
    int checked = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const float cx = float(x) + 0.5f, cy = float(y) + 0.5f;
        if (cx < o || cy < o || cx >= o + w || cy >= o + h) continue;
        const float across = ((c.column ? cx : cy) - o) / c.scale;  // in texels from the red edge
        if (across < 4.0f) continue;
        ++checked;
        ASSERT_TRUE(pixels::Near(pixels::At(img, x, y), {0xF0, 0xE0, 0xC0}, 1)) << name << " at " << x << ", " << y;
      }
    EXPECT_GT(checked, 20) << name;
    if (c.repeatedFirst) {
      EXPECT_EQ(gfx::GetStats().atlasPages, 0u) << name << ": the repeated draw left the page";
    }
    gfx::Release(t);
  }
}

// Drawn at its own size, a texture shows its texels exactly with point and
// linear filtering, on a page and on a texture of its own; drawn repeated and scaled
// it still wraps: where one repetition meets the next, the first one's last
// pixel mixes in the next one's red column.
TEST_F(GfxGl, OwnSizeDrawsShowTheTexelsAndRepeatedDrawsStillWrap) {
  struct Case {
    bool atlas;
    gfx::Filter filter;
  };
  for (const Case& c : {Case{true, gfx::Filter::Linear}, Case{false, gfx::Filter::Linear},
                        Case{true, gfx::Filter::Point}, Case{false, gfx::Filter::Point}}) {
    Recreate(c.atlas);
    const gfx::Tex t = Pattern(8, 8, 0x314159u);
    gfx::Clear(0xFF000000);
    ASSERT_TRUE(gfx::BeginScene());
    gfx::SetFilter(c.filter, c.filter);
    gfx::SetTexture(t);
    Quad(3, 5, 8, 8);
    gfx::EndScene();
    plat::Image img;
    ASSERT_TRUE(gfx::ReadPixels(0, img));
    std::vector<uint32_t> texels(64);
    std::copy_n(gfx::Lock(t), 64, texels.begin());
    gfx::Unlock(t);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        ASSERT_EQ(img.argb[size_t((5 + y) * kW + 3 + x)], texels[size_t(y * 8 + x)])
            << (c.atlas ? "on a page" : "its own texture") << ", filter " << int(c.filter) << " at " << x << ", "
            << y;
    gfx::Release(t);
  }
  const gfx::Tex t = RedFirstLine(true);
  gfx::Clear(0xFF000000);
  ASSERT_TRUE(gfx::BeginScene());
  gfx::SetFilter(gfx::Filter::Linear, gfx::Filter::Linear);
  gfx::SetTexture(t);
  Quad(0, 0, 32, 16, 0xFFFFFFFF, 2, 1);  // twice across, two pixels a texel
  gfx::EndScene();
  plat::Image img;
  ASSERT_TRUE(gfx::ReadPixels(0, img));
  // Pixel 15's centre is 7.75 texels in: a quarter of the next red column.
  const pixels::Rgb seam = pixels::At(img, 15, 8), inside = pixels::At(img, 13, 8);
  EXPECT_TRUE(pixels::Near(inside, {0xF0, 0xE0, 0xC0}, 1));
  EXPECT_GT(seam.r, 0xF0 + 1);
  EXPECT_LT(seam.g, 0xE0 - 30);
  gfx::Release(t);
}

}  // namespace
