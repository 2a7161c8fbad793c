// One frame of the board in play: Update (the frame rules, piece
// animations and the rigid-group pass) plus Render (background, every
// piece's shadow and piece, the panel, the overlay piece pass), for a
// 1920 x 1080 picture cut with 15 pieces along its short side (27 x 15 =
// 405 pieces) lying at rest, on the recording graphics backend on a
// 1920 x 1080 screen. Each iteration also clears the recorded draws, as a
// real device would have consumed them. The argument is the pieces along
// the short side; /1 groups the pieces by pairs of columns so the group
// drawing and the rigid-group pass do their work.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "GAME/board/board.h"
#include "ST/game.h"
#include "platform/gfx.h"
#include "tests/support/bench_board_env.h"

namespace {

void BM_BoardFrame(benchmark::State& state) {
  ZOV::ST_GAME* game = ZOV::GetGame();
  if (!benchenv::BoardEngine(game)) {
    state.SkipWithError("no recording renderer");
    return;
  }
  const int min = int(state.range(0));
  const bool grouped = state.range(1) != 0;
  auto board = std::make_unique<GAME::PUZZLE_PIECES_SYSTEM>(game);
  board->Init("picture.png", min, 0, nullptr, false, 1.0f, 0);
  board->state = GAME::PUZZLE_PIECES_SYSTEM::kStateCutPending;
  board->Update(0, 0.0f);
  // Every piece at rest where its fly-in would end; grouped pieces lie in
  // their exact places so the rigid-group pass keeps them there.
  for (GAME::PUZZLE_PIECES* p : board->gridOrder) {
    if (grouped) {
      p->group = 1 + p->column / 2;
      p->SetPos(100 + p->column * p->cellW, 100 + p->row * p->cellH);
    } else {
      p->SetPos(p->destination.x, p->destination.y);
    }
  }
  // Keep each group's pieces together in the z-order, as joins leave them.
  if (grouped)
    std::stable_sort(board->zOrder.begin(), board->zOrder.end(),
                     [](const GAME::PUZZLE_PIECES* a, const GAME::PUZZLE_PIECES* b) { return a->group < b->group; });
  game->timer.SetDelta(1.0f / 90.0f);
  plat::gfx::ClearRecorded();
  for (auto _ : state) {
    benchmark::DoNotOptimize(board->Update(0, 0.0f));
    board->Render(0);
    plat::gfx::ClearRecorded();
  }
  state.counters["pieces"] = double(board->zOrder.size());
}
BENCHMARK(BM_BoardFrame)->Args({15, 0})->Args({15, 1})->Args({3, 0})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
