#include "GAME/board/sort.h"

#include <cstddef>

namespace GAME {

std::vector<SORT_TARGET> SortTargets(const std::vector<SORT_PIECE>& grid, int rows, int cols, JST::iPOINT topLeft,
                                     JST::iPOINT bottomRight, JST::iPOINT divide, int c,
                                     const std::function<float(float, float)>& rand) {
  std::vector<SORT_TARGET> out;
  std::vector<int> L;
  L.reserve(grid.size());
  for (size_t k = 0; k < grid.size(); ++k)
    if (grid[k].present && !grid[k].inPocket) L.push_back(int(k));
  const int n = int(L.size());
  const int q = n / 4 + 1;
  const JST::iPOINT P = divide;
  const int left = topLeft.x, top = topLeft.y, right = bottomRight.x, bottom = bottomRight.y;
  auto movable = [&](int index) { return index >= 0 && size_t(index) < grid.size() && grid[size_t(index)].movable; };
  auto send = [&](int k, int x0, int x1, int y0, int y1) {
    if (k >= n || !movable(L[size_t(k)])) return;
    const int x = int(rand(float(x0), float(x1)));
    const int y = int(rand(float(y0), float(y1)));
    out.push_back(SORT_TARGET{L[size_t(k)], JST::iPOINT(x, y)});
  };
  for (int k = 0; k < q; ++k) {
    send(k, left + c, P.x - c, top + c, P.y - c);
    send(k + q, P.x + c, right - c, top + c, P.y - c);
    send(k + 2 * q, left + c, P.x - c, P.y + c, bottom - c);
    send(k + 3 * q, P.x + c, right - c, P.y + c, bottom - c);
  }
  // The corner pieces into the play area's corners.
  const size_t w = size_t(cols > 0 ? cols : 0), h = size_t(rows > 0 ? rows : 0);
  if (w == 0 || h == 0 || w * h > grid.size()) return out;
  const SORT_TARGET corners[] = {{0, {left + c, top + c}},
                                 {int(w - 1), {right - c, top + c}},
                                 {int((h - 1) * w), {left + c, bottom - c}},
                                 {int(h * w - 1), {right - c, bottom - c}}};
  for (const SORT_TARGET& corner : corners)
    if (movable(corner.index)) out.push_back(corner);
  return out;
}

}  // namespace GAME
