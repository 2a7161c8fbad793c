// Mouse play on a big board: a 1920 x 1080 picture cut with 15 pieces along
// its short side (27 x 15 = 405 pieces), on the recording graphics backend on
// a 1920 x 1080 screen, the mouse fed through the game's input state.
//
// BM_DragGroupFrame: one Update (frame rules, every piece's animation, the
// drag of the held group, the rigid-group pass) while a 100-piece group is
// dragged one pixel a frame. Goal: at most 0.5 ms a frame.
// BM_DropJoin: the frame of one drop whose piece joins a 404-piece group
// (the last piece of the puzzle). Each iteration lays the board out again,
// picks the piece and moves it beside its place with the timing paused; only
// the release frame is timed. Goal: at most 1 ms.
// BM_HelpLastPair: one hint when a single loose piece is left beside a
// 404-piece group and the previous hint lay on that piece, so every random
// try is refused and the fixed scan finds the pair. Goal: at most 1 ms.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "GAME/board/board.h"
#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "ST/file.h"
#include "ST/game.h"
#include "ST/input.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "tests/support/test_env.h"

namespace {

using Board = GAME::PUZZLE_PIECES_SYSTEM;
using Piece = GAME::PUZZLE_PIECES;

bool Engine(ZOV::ST_GAME* game) {
  if (game->gfx.deviceReady) return true;
  plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
  game->app.Window().SetBackBufferSize(1920, 1080);
  if (game->gfx.Init(game->app.Window()) != 0) return false;
  plat::gfx::BeginScene();
  GAME::ApplyConfigDefaults();
  C_NAME_PACK_GUI = C_NAME_PACK_LEVEL = C_NAME_PACK_EFFECTS = C_NAME_PACK_POCKET = nullptr;
  ZOV::ifile.current_pack = nullptr;
  ZOV::ifile.current_pass = nullptr;
  game->middle = JST::iPOINT(960, 540);
  testenv::Isolate();
  plat::Image img;
  img.w = 1920;
  img.h = 1080;
  img.argb.resize(size_t(img.w) * size_t(img.h));
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x)
      img.argb[size_t(y) * size_t(img.w) + size_t(x)] = 0xFF000000u | uint32_t(x & 0xFF) << 16 | uint32_t(y & 0xFF) << 8;
  // The game takes PNG and JPEG pictures only.
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(img.argb.data(), img.w, img.h, 32, img.w * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return false;
  const bool ok = IMG_SavePNG(surface, "picture.png") == 0;
  SDL_FreeSurface(surface);
  return ok;
}

std::unique_ptr<Board> Cut(ZOV::ST_GAME* game) {
  auto board = std::make_unique<Board>(game);
  board->Init("picture.png", 15, 0, nullptr, false, 0.0f, 0);
  board->state = Board::kStateCutPending;
  board->Update(0, 0.0f);
  return board;
}

// Where a piece lies in the assembled picture.
JST::iPOINT Home(const Piece* p) { return JST::iPOINT(40 + p->column * p->cellW, 40 + p->row * p->cellH); }

// One frame: the mouse at (x, y) with a left press (1), release (-1) or no
// change (0), the board's Update, the input aged.
int Frame(ZOV::ST_GAME* game, Board& b, int x, int y, int button) {
  ZOV::ST_INPUT& in = game->input;
  in.EventMouseMove(x, y);
  if (button == 1) in.EventMouseLkm(true);
  if (button == -1) in.EventMouseLkm(false);
  const int r = b.Update(0, 0.0f);
  in.Update(0);
  return r;
}

void BM_DragGroupFrame(benchmark::State& state) {
  ZOV::ST_GAME* game = ZOV::GetGame();
  if (!Engine(game)) {
    state.SkipWithError("no recording renderer");
    return;
  }
  auto board = Cut(game);
  // The top four rows, columns 0 .. 24: one group of 100 in its exact
  // layout; every other piece loose at rest where its fly-in ends.
  int members = 0;
  for (Piece* p : board->gridOrder) {
    if (p->row < 4 && p->column < 25) {
      p->group = 1;
      const JST::iPOINT h = Home(p);
      p->SetPos(h.x, h.y);
      ++members;
    } else {
      p->SetPos(p->destination.x, p->destination.y);
    }
  }
  board->cstr = 1;
  game->timer.SetDelta(1.0f / 90.0f);
  const Piece* grip = board->gridOrder[size_t(1 * board->cols + 10)];
  int x = int(grip->pos.x), y = int(grip->pos.y);
  Frame(game, *board, x, y, 0);
  Frame(game, *board, x, y, 1);
  if (board->held == 0 || board->zOrder[size_t(board->held - 1)]->group != 1) {
    state.SkipWithError("the group was not picked");
    return;
  }
  int step = 1;
  for (auto _ : state) {
    x += step;
    step = -step;
    benchmark::DoNotOptimize(Frame(game, *board, x, y, 0));
  }
  Frame(game, *board, x, y, -1);
  state.counters["pieces"] = double(board->zOrder.size());
  state.counters["dragged"] = double(members);
}
BENCHMARK(BM_DragGroupFrame)->Unit(benchmark::kMicrosecond);

void BM_DropJoin(benchmark::State& state) {
  ZOV::ST_GAME* game = ZOV::GetGame();
  if (!Engine(game)) {
    state.SkipWithError("no recording renderer");
    return;
  }
  auto board = Cut(game);
  game->timer.SetDelta(1.0f / 90.0f);
  Piece* last = board->gridOrder.back();
  const JST::iPOINT home = Home(last);
  int joined = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // Every piece but the last in one group in its place; the last loose,
    // away from it; the counters of a board one join from the end.
    for (Piece* p : board->gridOrder) {
      const JST::iPOINT h = Home(p);
      p->group = p == last ? 0 : 1;
      p->SetPos(p == last ? h.x - 300 : h.x, p == last ? h.y - 300 : h.y);
      p->shadowLevel = 0.0f;
      p->shadowDir = Piece::kShadowStill;
    }
    // The loose piece on top, as a piece lying apart would be.
    board->zOrder.erase(board->zOrder.begin() + board->ZOf(last));
    board->zOrder.push_front(last);
    for (JST::STE* e : board->effects) delete e;
    board->effects.clear();
    board->cstr = 1;
    board->regF = 2;
    board->regBr = 1;
    board->regFinishP = int(board->gridOrder.size()) - 1;
    board->winSparkle = Board::kIndexIdle;
    board->frameLight = Board::kIndexDone;
    const int x = home.x - 300, y = home.y - 300;
    Frame(game, *board, x, y, 0);
    Frame(game, *board, x, y, 1);
    Frame(game, *board, home.x + 3, home.y - 2, 0);
    state.ResumeTiming();
    benchmark::DoNotOptimize(Frame(game, *board, home.x + 3, home.y - 2, -1));
    state.PauseTiming();
    joined += last->group == 2 ? 1 : 0;
    state.ResumeTiming();
  }
  state.counters["joined"] = benchmark::Counter(double(joined), benchmark::Counter::kAvgIterations);
  state.counters["pieces"] = double(board->zOrder.size());
}
BENCHMARK(BM_DropJoin)->Unit(benchmark::kMicrosecond);

void BM_HelpLastPair(benchmark::State& state) {
  ZOV::ST_GAME* game = ZOV::GetGame();
  if (!Engine(game)) {
    state.SkipWithError("no recording renderer");
    return;
  }
  auto board = Cut(game);
  Piece* last = board->gridOrder.back();
  for (Piece* p : board->gridOrder) p->group = p == last ? 0 : 1;
  board->cstr = 1;
  board->regF = 2;
  const JST::iPOINT at(last->row, last->column);
  int found = 0;
  for (auto _ : state) {
    board->hintFirst = board->hintSecond = at;
    found += board->Help() ? 1 : 0;
  }
  state.counters["found"] = benchmark::Counter(double(found), benchmark::Counter::kAvgIterations);
  state.counters["pieces"] = double(board->zOrder.size());
}
BENCHMARK(BM_HelpLastPair)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
