// The OpenGL backend itself (needs an X display): lazy uploads, batching,
// render targets, lines and points, stale handles, and textures released by
// another thread while this one draws.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/gfx.h"
#include "platform/window.h"

namespace gfx = plat::gfx;

namespace {

long NoProc(plat::Window*, unsigned, uintptr_t, intptr_t) { return 0; }

constexpr int kW = 64, kH = 48;

class GfxGl : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    gfx::SetBackendForTests(gfx::Backend::GL);
    ASSERT_TRUE(win.Create("gfx test", 200, 100, &NoProc));
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
  void TearDown() override { gfx::DestroyDevice(); }

  static void Quad(float x, float y, float w, float h, uint32_t argb = 0xFFFFFFFF) {
    const gfx::Vertex v[4] = {{x, y, 0, argb, 0, 0}, {x, y + h, 0, argb, 0, 1}, {x + w, y + h, 0, argb, 1, 1},
                              {x + w, y, 0, argb, 1, 0}};
    const uint16_t idx[6] = {0, 2, 1, 0, 3, 2};
    ASSERT_TRUE(gfx::DrawTriangles(v, 4, idx, 2));
  }
  static uint32_t Pixel(gfx::Tex target, int x, int y) {
    plat::Image img;
    EXPECT_TRUE(gfx::ReadPixels(target, img));
    if (img.argb.empty()) return 0;
    return img.argb[size_t(y) * size_t(img.w) + size_t(x)];
  }
  static gfx::Tex Solid(uint32_t argb) {
    const gfx::Tex t = gfx::CreateTexture(2, 2);
    uint32_t* p = gfx::Lock(t);
    for (int i = 0; i < 4; ++i) p[i] = argb;
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
  const gfx::Tex a = Solid(0xFFFF0000), b = Solid(0xFF0000FF);
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
  gfx::EndScene();
  EXPECT_EQ(gfx::GetStats().batches - before, 11u);
  EXPECT_EQ(Pixel(0, 0, 10), 0xFF0000FFu);
  EXPECT_EQ(Pixel(0, 1, 10), 0xFFFF0000u);
  gfx::Release(a);
  gfx::Release(b);
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

}  // namespace
