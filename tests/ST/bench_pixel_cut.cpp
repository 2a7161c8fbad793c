// The board's heavy path at the start of a puzzle: cutting a whole picture
// into pieces with the flood-fill CopyPiece, bounded by jigsaw cut lines
// drawn with DrawBezier7 into a mask. One iteration cuts every cell once.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "ST/pixel_tools.h"

namespace {

using JST::iPOINT;

struct Cut {
  int w, h, cols, rows, cellW, cellH;
  std::vector<uint32_t> picture, original, mask;
  std::vector<std::vector<uint32_t>> pieces;
  iPOINT box;

  Cut(int w_, int h_, int cols_, int rows_) : w(w_), h(h_), cols(cols_), rows(rows_) {
    cellW = w / cols;
    cellH = h / rows;
    original.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        original[size_t(y) * size_t(w) + size_t(x)] =
            0xFF000000u | uint32_t(x & 0xFF) << 16 | uint32_t(y & 0xFF) << 8 | uint32_t((x ^ y) & 0xFF);
    picture = original;
    mask.assign(size_t(w) * size_t(h), 0xFFFFFFFFu);
    // Room for the tabs on every side: twice the cell.
    box = iPOINT(2 * cellW, 2 * cellH);
    pieces.assign(size_t(cols) * size_t(rows), std::vector<uint32_t>(size_t(box.x) * size_t(box.y), 0));
    DrawEdges();
  }

  // One jigsaw edge from p to q: a tab bulging to one side, alternating.
  void Edge(iPOINT p, iPOINT q, bool flip) {
    static const int kTemplate[7][2] = {{35, 0}, {45, 4}, {37, 18}, {50, 26}, {63, 18}, {55, 4}, {65, 0}};
    const int dx = q.x - p.x, dy = q.y - p.y;
    iPOINT ears[7];
    for (int k = 0; k < 7; ++k) {
      const int a = kTemplate[k][0], b = flip ? -kTemplate[k][1] : kTemplate[k][1];
      ears[k] = iPOINT(p.x + (a * dx - b * dy) / 100, p.y + (a * dy + b * dx) / 100);
    }
    GAMETOOLS::DrawBezier7(p, q, ears, iPOINT(w, h), mask.data(), 0x00FFFFFFu, 1);
  }

  void DrawEdges() {
    int k = 0;
    for (int c = 1; c < cols; ++c)
      for (int r = 0; r < rows; ++r, ++k)
        Edge(iPOINT(c * cellW, r * cellH), iPOINT(c * cellW, (r + 1) * cellH), k % 2 == 0);
    for (int r = 1; r < rows; ++r)
      for (int c = 0; c < cols; ++c, ++k)
        Edge(iPOINT(c * cellW, r * cellH), iPOINT((c + 1) * cellW, r * cellH), k % 3 == 0);
  }

  // Every cell once, seeded at its centre; the number of pixels taken.
  long CutAll() {
    long taken = 0;
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) {
        const int cx = c * cellW + cellW / 2, cy = r * cellH + cellH / 2;
        std::vector<uint32_t>& piece = pieces[size_t(r) * size_t(cols) + size_t(c)];
        taken += GAMETOOLS::CopyPiece(cx, cy, picture.data(), iPOINT(w, h), piece.data(), box, mask.data(),
                                      iPOINT(w, h), box, cx, cy);
      }
    return taken;
  }
};

void BM_CutPictureIntoCells(benchmark::State& state) {
  Cut cut(1920, 1080, int(state.range(0)), int(state.range(1)));
  long taken = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(cut.picture.data(), cut.original.data(), cut.original.size() * sizeof(uint32_t));
    state.ResumeTiming();
    taken = cut.CutAll();
    benchmark::DoNotOptimize(taken);
  }
  state.counters["pieces"] = double(cut.cols * cut.rows);
  state.counters["pixels_taken"] = double(taken);
  state.counters["picture_pixels"] = double(cut.w * cut.h);
  state.SetItemsProcessed(int64_t(state.iterations()) * taken);
}
// 27 columns x 15 rows (the finest cut of a 16:9 picture), and a coarse one.
BENCHMARK(BM_CutPictureIntoCells)->Args({27, 15})->Args({5, 3})->Unit(benchmark::kMillisecond);

void BM_DrawJigsawEdges(benchmark::State& state) {
  Cut cut(1920, 1080, 27, 15);
  for (auto _ : state) {
    cut.DrawEdges();
    benchmark::ClobberMemory();
  }
  state.counters["edges"] = double((cut.cols - 1) * cut.rows + (cut.rows - 1) * cut.cols);
}
BENCHMARK(BM_DrawJigsawEdges)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
