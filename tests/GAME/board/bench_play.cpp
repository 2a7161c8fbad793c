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
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "GAME/board/board.h"
#include "ST/game.h"
#include "ST/input.h"
#include "platform/gfx.h"
#include "tests/support/bench_board_env.h"

namespace {

using Board = GAME::PUZZLE_PIECES_SYSTEM;
using Piece = GAME::PUZZLE_PIECES;

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
  if (!benchenv::BoardEngine(game)) {
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
  if (!benchenv::BoardEngine(game)) {
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
  if (!benchenv::BoardEngine(game)) {
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
