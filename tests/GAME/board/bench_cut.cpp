// The whole cut of a 1920 x 1080 picture as the board runs it before play:
// the mask of cut lines, every piece cut out with CopyPiece, bevelled with
// DrawBeauty and softened with SmoothAlpha, and each piece's texture and
// sprite made (on the recording graphics backend, which keeps textures in
// memory as the OpenGL backend does before its upload). The argument is the
// number of pieces along the short side: 15 gives 27 x 15 = 405 pieces, 3
// gives 5 x 3.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "GAME/board/cut.h"
#include "ST/game.h"
#include "ST/random.h"
#include "platform/gfx.h"

namespace {

std::vector<uint32_t> Picture(int w, int h) {
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      px[size_t(y) * size_t(w) + size_t(x)] =
          0xFF000000u | uint32_t(x & 0xFF) << 16 | uint32_t(y & 0xFF) << 8 | uint32_t((x ^ y) & 0xFF);
  return px;
}

void BM_Narezator(benchmark::State& state) {
  plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
  ZOV::ST_GAME* game = ZOV::GetGame();
  if (!game->gfx.deviceReady) {
    game->app.Window().SetBackBufferSize(1920, 1080);
    if (game->gfx.Init(game->app.Window()) != 0) {
      state.SkipWithError("no recording renderer");
      return;
    }
  }
  const int w = 1920, h = 1080;
  const std::vector<uint32_t> picture = Picture(w, h);
  GAME::CUT_REQUEST q;
  q.min = int(state.range(0));
  q.distortion = 1.0f;
  q.rotation = true;
  q.clipTopLeft = JST::iPOINT(50, 50);
  q.clipBottomRight = JST::iPOINT(1870, 1030);
  q.screenCentre = JST::iPOINT(960, 540);
  size_t pieces = 0;
  for (auto _ : state) {
    GAME::CUT_RESULT out;
    GAME::Narezator(picture.data(), w, h, q, game->random, game->GetGfx(), 0, &out);
    pieces = out.pieces.size();
    state.PauseTiming();
    out.pieces.clear();  // frees the piece textures
    state.ResumeTiming();
  }
  state.counters["pieces"] = double(pieces);
}
BENCHMARK(BM_Narezator)->Arg(15)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
