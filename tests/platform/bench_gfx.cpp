// Drawing cost of the graphics device: a frame of 1,000 textured 64×64
// quads and a frame of a 405-piece board through OpenGL (needs an X
// display), each with and without atlas pages, and the CPU cost of one quad
// in the recording backend.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "platform/gfx.h"
#include "platform/window.h"
#include "tests/support/gl_window.h"

namespace gfx = plat::gfx;

namespace {

constexpr int kW = 1024, kH = 768;

void PixelView() {
  gfx::SetTransform(gfx::Xf::World, plat::Identity());
  gfx::SetTransform(gfx::Xf::View, plat::Identity());
  gfx::SetTransform(gfx::Xf::Projection, plat::OrthoOffCenterLH(0, kW + 1, kH + 1, 0, 0, 1));
  gfx::SetAlphaBlend(true);
  gfx::SetBlendFunc(gfx::Blend::SrcAlpha, gfx::Blend::InvSrcAlpha);
}

gfx::Tex Texture64(uint32_t argb) {
  const gfx::Tex t = gfx::CreateTexture(64, 64);
  uint32_t* p = gfx::Lock(t);
  for (int i = 0; i < 64 * 64; ++i) p[i] = argb ^ uint32_t(i);
  gfx::Unlock(t);
  return t;
}

inline void Quad(float x, float y) {
  const gfx::Vertex v[4] = {{x, y, 0.5f, 0xFFFFFFFF, 0, 0},
                            {x, y + 64, 0.5f, 0xFFFFFFFF, 0, 1},
                            {x + 64, y + 64, 0.5f, 0xFFFFFFFF, 1, 1},
                            {x + 64, y, 0.5f, 0xFFFFFFFF, 1, 0}};
  static const uint16_t idx[6] = {0, 2, 1, 0, 3, 2};
  gfx::DrawTriangles(v, 4, idx, 2);
}

// A GL device of kW × kH with atlas pages on or off, drawing every frame
// whole; false (and the benchmark skipped) without a display.
bool GlDevice(benchmark::State& state, plat::Window& win, bool atlas) {
  if (!gltest::HaveDisplay()) {
    state.SkipWithError("no display");
    return false;
  }
  if (!gltest::OpenGlWindow(win, "bench", 320, 240)) {
    state.SkipWithError("no window");
    return false;
  }
  gfx::SetAtlasingForTests(atlas);
  // These frames measure what drawing costs: every frame is drawn whole,
  // though it repeats the one before (which redrawing only what changed
  // would not draw at all).
  gfx::SetPartialRedraw(false);
  if (gfx::CreateDevice(win, 0, kW, kH) != 0) {
    state.SkipWithError("no GL device");
    return false;
  }
  return true;
}

// state.range(0): how many textures the 1,000 quads cycle through (1: one
// batch; 2: the texture changes on every quad, so without atlas pages no two
// draws share a batch); -1: one texture, but the colour operation changes on
// every quad. state.range(1): atlas pages on (1) or off (0).
void BM_GlFrameOf1000Quads(benchmark::State& state) {
  plat::Window win;
  if (!GlDevice(state, win, state.range(1) != 0)) return;
  const int textures = int(state.range(0));
  if (textures < 0) gfx::SetTexture(Texture64(0xFF00FF00u));
  std::vector<gfx::Tex> tex;
  for (int i = 0; i < textures; ++i) tex.push_back(Texture64(0xFF204080u + uint32_t(i) * 0x100000u));
  PixelView();
  const uint64_t batches0 = gfx::GetStats().batches;
  for (auto _ : state) {
    gfx::Clear(0xFF000000);
    gfx::BeginScene();
    for (int i = 0; i < 1000; ++i) {
      if (textures < 0) gfx::SetColorOp(i % 2 ? gfx::ColorOp::Add : gfx::ColorOp::Modulate);
      else gfx::SetTexture(tex[size_t(i % textures)]);
      Quad(float((i * 37) % (kW - 64)), float((i * 53) % (kH - 64)));
    }
    gfx::EndScene();
    gfx::Finish();  // the time until the GPU has drawn the frame
  }
  state.counters["draw_calls_per_frame"] =
      benchmark::Counter(double(gfx::GetStats().batches - batches0) / double(state.iterations()));
  for (gfx::Tex t : tex) gfx::Release(t);
  gfx::DestroyDevice();
  gfx::SetAtlasingForTests(true);
}
BENCHMARK(BM_GlFrameOf1000Quads)
    ->ArgNames({"textures", "atlas"})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Args({-1, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A piece-shaped texture of w × h: opaque inside an ellipse, clear outside,
// with a soft edge; a shadow is the same shape in translucent black.
gfx::Tex PieceTexture(int w, int h, uint32_t rgb, bool shadow) {
  const gfx::Tex t = gfx::CreateTexture(w, h);
  uint32_t* p = gfx::Lock(t);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float dx = (float(x) + 0.5f) / float(w) * 2 - 1, dy = (float(y) + 0.5f) / float(h) * 2 - 1;
      const float d = dx * dx + dy * dy;
      const uint32_t a = d < 0.8f ? 255u : d < 1.0f ? uint32_t((1.0f - d) * 5 * 255) : 0u;
      p[y * w + x] = shadow ? (a / 2) << 24 : a << 24 | ((rgb + uint32_t(x * 3 + y * 5)) & 0xFFFFFFu);
    }
  gfx::Unlock(t);
  return t;
}

void TexturedQuad(float x, float y, float w, float h, uint32_t argb) {
  const gfx::Vertex v[4] = {{x, y, 0.5f, argb, 0, 0},
                            {x, y + h, 0.5f, argb, 0, 1},
                            {x + w, y + h, 0.5f, argb, 1, 1},
                            {x + w, y, 0.5f, argb, 1, 0}};
  static const uint16_t idx[6] = {0, 2, 1, 0, 3, 2};
  gfx::DrawTriangles(v, 4, idx, 2);
}

// A board's frame: 405 pieces of 92 to 116 pixels a side, each with a
// texture of its own and a shadow texture of its own, alpha-blended with
// linear filtering in a shuffled order over a 1024×768 back buffer, each
// shadow drawn just before its piece. state.range(0): atlas pages on (1) or
// off (0). Measured to glFinish from the second frame on (the first one
// uploads the textures).
void BM_GlBoardFrame(benchmark::State& state) {
  plat::Window win;
  if (!GlDevice(state, win, state.range(0) != 0)) return;
  constexpr int kPieces = 405;
  struct Piece {
    gfx::Tex tex = 0, shadow = 0;
    float x = 0, y = 0;
    int w = 0, h = 0;
  };
  std::vector<Piece> pieces(kPieces);
  std::mt19937 rng(7);
  for (int i = 0; i < kPieces; ++i) {
    Piece& p = pieces[size_t(i)];
    p.w = 92 + 8 * (i % 4);
    p.h = 92 + 8 * ((i / 4) % 4);
    p.tex = PieceTexture(p.w, p.h, 0x305070u * uint32_t(i + 1), false);
    p.shadow = PieceTexture(p.w, p.h, 0, true);
    p.x = float(rng() % uint32_t(kW - p.w - 4));
    p.y = float(rng() % uint32_t(kH - p.h - 4));
  }
  std::shuffle(pieces.begin(), pieces.end(), rng);
  PixelView();
  gfx::SetFilter(gfx::Filter::Linear, gfx::Filter::Linear);
  auto frame = [&] {
    gfx::Clear(0xFF204060);
    gfx::BeginScene();
    for (const Piece& p : pieces) {
      gfx::SetTexture(p.shadow);
      TexturedQuad(p.x + 4, p.y + 4, float(p.w), float(p.h), 0xFFFFFFFF);
      gfx::SetTexture(p.tex);
      TexturedQuad(p.x, p.y, float(p.w), float(p.h), 0xFFFFFFFF);
    }
    gfx::EndScene();
    gfx::Finish();
  };
  frame();
  const uint64_t batches0 = gfx::GetStats().batches;
  for (auto _ : state) frame();
  state.counters["draw_calls_per_frame"] =
      benchmark::Counter(double(gfx::GetStats().batches - batches0) / double(state.iterations()));
  state.counters["atlas_pages"] = benchmark::Counter(double(gfx::GetStats().atlasPages));
  for (const Piece& p : pieces) {
    gfx::Release(p.tex);
    gfx::Release(p.shadow);
  }
  gfx::DestroyDevice();
  gfx::SetAtlasingForTests(true);
  gfx::SetFilter(gfx::Filter::Point, gfx::Filter::Point);
}
BENCHMARK(BM_GlBoardFrame)->ArgName("atlas")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RecordingPerQuad(benchmark::State& state) {
  plat::Window win;  // no window needed
  gfx::SetBackendForTests(gfx::Backend::Recording);
  gfx::CreateDevice(win, 0, kW, kH);
  const gfx::Tex t = Texture64(0xFFFFFFFF);
  PixelView();
  gfx::SetTexture(t);
  gfx::BeginScene();
  int n = 0;
  for (auto _ : state) {
    Quad(float(n % 900), 10.0f);
    if (++n == 10000) {
      state.PauseTiming();
      gfx::ClearRecorded();
      n = 0;
      state.ResumeTiming();
    }
  }
  gfx::EndScene();
  state.SetItemsProcessed(state.iterations());
  gfx::ClearRecorded();
  gfx::Release(t);
  gfx::DestroyDevice();
  gfx::SetBackendForTests(gfx::Backend::GL);
}
BENCHMARK(BM_RecordingPerQuad);

}  // namespace

BENCHMARK_MAIN();
