// One whole frame of the board in play on the OpenGL device (needs an X
// display; Mesa's software renderer is what it was measured with) at
// 1024 x 768, as the game draws it: the main pass into the screen texture
// (background, every piece's shadow and piece, the panels), the overlay pass
// (the screen texture copied under the overlay, the board's overlay) and the
// present onto the window, then glFinish so the time covers the GPU's work.
// The board is built as bench_board builds it: a 1920 x 1080 picture cut with
// 15 pieces along its short side (27 x 15 = 405 pieces), every piece at rest
// where its fly-in ends, with the game's built interface packs. The
// processor time is the drawing thread's; with llvmpipe the wall time also
// holds its rasterising threads (LP_NUM_THREADS).
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "GAME/board/board.h"
#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "GAME/ui/shared_assets.h"
#include "ST/file.h"
#include "ST/game.h"
#include "ST/sprite.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "platform/window.h"
#include "tests/support/game_globals.h"
#include "tests/support/gl_window.h"
#include "tests/support/test_env.h"

namespace {

constexpr int kW = 1024, kH = 768;

std::string gGui, gLevel, gEffects, gPocket;

// The GL engine on a 1024 x 768 window, the built packs named and a
// 1920 x 1080 picture written as "picture.png"; an error text, or "".
std::string Engine(ZOV::ST_GAME* game) {
  if (game->gfx.deviceReady) return "";
  if (!gltest::HaveDisplay()) return "no display";
  const std::string data = std::string(JIGSAW_GAME_DIR) + "/DATA/";
  if (!std::filesystem::exists(data + "gui")) return "build the game data first";
  if (!gltest::OpenGlWindow(game->app.Window(), "bench", kW, kH) || game->gfx.Init(game->app.Window()) != 0)
    return "no GL renderer";
  game->gfx.ChangeVideoMode(kW, kH, false);
  game->gfx.SetAdaptScreen(kW, kH);
  testenv::UseGameObject(game);
  gGui = data + "gui";
  gLevel = data + "level";
  gEffects = data + "effects";
  gPocket = data + "pocket";
  C_NAME_PACK_GUI = gGui.data();
  C_NAME_PACK_LEVEL = gLevel.data();
  C_NAME_PACK_EFFECTS = gEffects.data();
  C_NAME_PACK_POCKET = gPocket.data();
  game->middle = JST::iPOINT(kW / 2, kH / 2);
  testenv::Isolate();
  plat::Image img;
  img.w = 1920;
  img.h = 1080;
  img.argb.resize(size_t(img.w) * size_t(img.h));
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x)
      img.argb[size_t(y) * size_t(img.w) + size_t(x)] =
          0xFF000000u | uint32_t(x & 0xFF) << 16 | uint32_t(y & 0xFF) << 8 | uint32_t((x ^ y) & 0xFF);
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(img.argb.data(), img.w, img.h, 32, img.w * 4,
                                                            SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return "no surface";
  const int rc = IMG_SavePNG(surface, "picture.png");
  SDL_FreeSurface(surface);
  return rc == 0 ? "" : "picture not written";
}

void BM_GlRealBoardFrame(benchmark::State& state) {
  ZOV::ST_GAME* game = ZOV::GetGame();
  const std::string error = Engine(game);
  if (!error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  auto board = std::make_unique<GAME::PUZZLE_PIECES_SYSTEM>(game);
  board->Init("picture.png", int(state.range(0)), 0, nullptr, false, 1.0f, 0);
  board->state = GAME::PUZZLE_PIECES_SYSTEM::kStateCutPending;
  board->Update(0, 0.0f);
  for (GAME::PUZZLE_PIECES* p : board->gridOrder) p->SetPos(p->destination.x, p->destination.y);
  game->timer.SetDelta(1.0f / 90.0f);
  ZOV::JINGFX* r = game->GetGfx();
  auto frame = [&] {
    board->Update(0, 0.0f);
    if (r->BeginFrame() != 0) return false;
    board->Render(0);
    r->EndFrame();
    if (r->BeginPostFrame() != 0) return false;
    board->PostRender();
    r->EndPostFrame();
    plat::gfx::Finish();
    return true;
  };
  // The first frames upload every texture.
  for (int i = 0; i < 3; ++i)
    if (!frame()) {
      state.SkipWithError("frame refused");
      return;
    }
  const uint64_t batches0 = plat::gfx::GetStats().batches;
  for (auto _ : state) frame();
  state.counters["pieces"] = double(board->zOrder.size());
  state.counters["draws/frame"] =
      double(plat::gfx::GetStats().batches - batches0) / double(state.iterations() ? state.iterations() : 1);
  const char* threads = std::getenv("LP_NUM_THREADS");
  state.SetLabel(std::string("LP_NUM_THREADS=") + (threads ? threads : "default"));
}
BENCHMARK(BM_GlRealBoardFrame)->Arg(15)->Unit(benchmark::kMillisecond);

// The same board frame with the device redrawing only what changed
// (partial:1) beside redrawing everything (partial:0), in one run, for three
// kinds of frame: the board at rest (change:0), one piece dragged a few
// pixels a frame over the resting board (change:1), every piece moved a
// pixel a frame (change:2, where nothing can be kept). linear:1 measures
// what linear filtering of the quads drawn at their own size would save
// (off in the game: llvmpipe's pixels differ). tile: the side of the redraw
// tiles, 16 as shipped beside the 32 of before.
void BM_GlBoardRedraw(benchmark::State& state) {
  ZOV::ST_GAME* game = ZOV::GetGame();
  const std::string error = Engine(game);
  if (!error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  const int change = int(state.range(0));
  plat::gfx::SetPartialRedraw(state.range(1) != 0);
  plat::gfx::SetOwnSizeLinear(state.range(2) != 0);
  plat::gfx::SetRedrawTile(int(state.range(3)));
  auto board = std::make_unique<GAME::PUZZLE_PIECES_SYSTEM>(game);
  board->Init("picture.png", 15, 0, nullptr, false, 1.0f, 0);
  board->state = GAME::PUZZLE_PIECES_SYSTEM::kStateCutPending;
  board->Update(0, 0.0f);
  for (GAME::PUZZLE_PIECES* p : board->gridOrder) p->SetPos(p->destination.x, p->destination.y);
  game->timer.SetDelta(1.0f / 90.0f);
  ZOV::JINGFX* r = game->GetGfx();
  GAME::PUZZLE_PIECES* dragged = board->zOrder.front();
  int step = 0;
  auto frame = [&] {
    const int d = (step++ % 2) ? 3 : -3;
    if (change == 1) dragged->SetPos(dragged->GetPosX() + d, dragged->GetPosY() + d);
    if (change == 2)
      for (GAME::PUZZLE_PIECES* p : board->gridOrder) p->SetPos(p->GetPosX() + d / 3, p->GetPosY());
    board->Update(0, 0.0f);
    if (r->BeginFrame() != 0) return false;
    board->Render(0);
    r->EndFrame();
    if (r->BeginPostFrame() != 0) return false;
    board->PostRender();
    r->EndPostFrame();
    plat::gfx::Finish();
    return true;
  };
  for (int i = 0; i < 3; ++i)
    if (!frame()) {
      state.SkipWithError("frame refused");
      plat::gfx::SetPartialRedraw(true);
      plat::gfx::SetOwnSizeLinear(false);
      plat::gfx::SetRedrawTile(16);
      return;
    }
  const plat::gfx::RedrawStats s0 = plat::gfx::GetRedrawStats();
  for (auto _ : state) frame();
  const plat::gfx::RedrawStats s1 = plat::gfx::GetRedrawStats();
  const double pixels = double(s1.pixels - s0.pixels);
  state.counters["redrawn"] = pixels > 0 ? double(s1.pixelsDrawn - s0.pixelsDrawn) / pixels : 1.0;
  state.counters["pieces"] = double(board->zOrder.size());
  const char* threads = std::getenv("LP_NUM_THREADS");
  state.SetLabel(std::string("LP_NUM_THREADS=") + (threads ? threads : "default"));
  plat::gfx::SetPartialRedraw(true);
  plat::gfx::SetOwnSizeLinear(false);
  plat::gfx::SetRedrawTile(16);
}
BENCHMARK(BM_GlBoardRedraw)
    ->ArgNames({"change", "partial", "linear", "tile"})
    ->Args({0, 0, 0, 16})
    ->Args({0, 1, 0, 32})
    ->Args({0, 1, 0, 16})
    ->Args({1, 0, 0, 16})
    ->Args({1, 1, 0, 32})
    ->Args({1, 1, 0, 16})
    ->Args({1, 1, 1, 16})
    ->Args({2, 0, 0, 16})
    ->Args({2, 1, 0, 32})
    ->Args({2, 1, 0, 16})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
