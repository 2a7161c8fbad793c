#include "GAME/board/hint.h"

#include <cstddef>

namespace GAME {

namespace {

struct Chooser {
  const std::vector<HINT_PIECE>& z;
  int rows, cols;
  bool edgesOnly;
  std::vector<int> grid;  // the z-index at each grid place, -1 none

  // Whether the piece may take part; visibleOnly: only what the player sees.
  bool Visible(const HINT_PIECE& p, bool visibleOnly) const {
    if (!visibleOnly) return true;
    if (edgesOnly && !p.edge) return false;
    return !p.hidden;
  }
  // The z-index of p's partner, -1 for none.
  int Partner(int pz, bool visibleOnly) const {
    const HINT_PIECE& p = z[size_t(pz)];
    const int r = p.row, c = p.column;
    const JST::iPOINT around[] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
    int best = -1;
    for (JST::iPOINT n : around) {
      if (n.x < 0 || n.x >= rows || n.y < 0 || n.y >= cols) continue;
      const int qz = grid[size_t(n.x) * size_t(cols) + size_t(n.y)];
      if (qz < 0 || qz == pz) continue;
      const HINT_PIECE& q = z[size_t(qz)];
      if ((q.group != 0 && q.group == p.group) || !Visible(q, visibleOnly)) continue;
      if (best < 0 || qz < best) best = qz;
    }
    return best;
  }
};

}  // namespace

HINT_CHOICE ChooseHint(const std::vector<HINT_PIECE>& zOrder, int rows, int cols, bool edgesOnly,
                       JST::iPOINT* first, JST::iPOINT second, const std::function<int(int, int)>& rand) {
  HINT_CHOICE none;
  if (zOrder.empty() || rows <= 0 || cols <= 0) return none;
  Chooser ch{zOrder, rows, cols, edgesOnly, std::vector<int>(size_t(rows) * size_t(cols), -1)};
  for (size_t k = 0; k < zOrder.size(); ++k) {
    const HINT_PIECE& p = zOrder[k];
    if (p.row >= 0 && p.row < rows && p.column >= 0 && p.column < cols)
      ch.grid[size_t(p.row) * size_t(cols) + size_t(p.column)] = int(k);
  }
  // Random tries, away from the previous pair's rows and columns.
  const int tries = rows * cols * 2;
  const int last = int(zOrder.size()) - 1;
  for (int t = 0; t < tries; ++t) {
    const int pz = last > 0 ? rand(0, last) : 0;
    const HINT_PIECE& p = zOrder[size_t(pz)];
    if (!ch.Visible(p, true)) continue;
    if (p.row == first->x || p.row == second.x || p.column == first->y || p.column == second.y) continue;
    *first = JST::iPOINT(p.row, p.column);
    if (const int qz = ch.Partner(pz, true); qz >= 0) return HINT_CHOICE{pz, qz};
  }
  // A fixed scan in grid order: what the player can see first, then all.
  for (bool visibleOnly : {true, false})
    for (int pz : ch.grid) {
      if (pz < 0 || !ch.Visible(zOrder[size_t(pz)], visibleOnly)) continue;
      if (const int qz = ch.Partner(pz, visibleOnly); qz >= 0) return HINT_CHOICE{pz, qz};
    }
  return none;
}

}  // namespace GAME
