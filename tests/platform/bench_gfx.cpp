// Drawing cost of the graphics device: a frame of 1,000 textured 64×64
// quads through OpenGL (needs an X display), and the CPU cost of one quad in
// the recording backend.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/gfx.h"
#include "platform/window.h"

namespace gfx = plat::gfx;

namespace {

constexpr int kW = 1024, kH = 768;

long NoProc(plat::Window*, unsigned, uintptr_t, intptr_t) { return 0; }

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

// state.range(0): how many textures the 1,000 quads cycle through (1: one
// batch; 2: the texture changes on every quad, so no two draws share a
// batch); -1: one texture, but the colour operation changes on every quad.
void BM_GlFrameOf1000Quads(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) {
    state.SkipWithError("no display");
    return;
  }
  plat::Window win;
  if (!win.Create("bench", 320, 240, &NoProc)) {
    state.SkipWithError("no window");
    return;
  }
  gfx::SetBackendForTests(gfx::Backend::GL);
  if (gfx::CreateDevice(win, 0, kW, kH) != 0) {
    state.SkipWithError("no GL device");
    return;
  }
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
}
BENCHMARK(BM_GlFrameOf1000Quads)->Arg(1)->Arg(2)->Arg(-1)->Unit(benchmark::kMillisecond)->UseRealTime();

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
