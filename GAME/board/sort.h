// The sort's targets, as a plain function of what the board holds: the
// pieces outside the pocket, in grid order, are dealt round the four
// quarters of the play area about a dividing point (the screen centre),
// each loose one that shows getting a random point of its quarter, and the
// grid's four corner pieces the matching corners of the play area. The
// board's Sort (board_tools.cpp) plays the sound, marks the sort as used
// and sends each piece gliding to its target.
#pragma once

#include <functional>
#include <vector>

#include "ST/object.h"

namespace GAME {

// What the sort reads of one grid place.
struct SORT_PIECE {
  bool present = false;   // a piece at this place
  bool inPocket = false;
  bool movable = false;   // loose, outside the pocket and showing (alpha not 0)
};

// One glide: the grid index and where the piece goes.
struct SORT_TARGET {
  int index = 0;
  JST::iPOINT at;
};

// The targets for `grid` (rows x cols places, row by row) in the play area
// from `topLeft` to `bottomRight` about `divide`, `c` (the cell width of
// grid piece 0) inside each quarter's edges. With L the places outside the
// pocket and q = len(L) / 4 + 1, step k = 0 .. q - 1 deals L[k], L[k + q],
// L[k + 2q], L[k + 3q] (those that exist and are movable) to the top-left,
// top-right, bottom-left and bottom-right quarters; `rand(lo, hi)` draws x,
// then y, of each as a float, truncated. Then each movable corner piece
// goes to its corner, c inside it (a later target of a piece replaces an
// earlier one).
std::vector<SORT_TARGET> SortTargets(const std::vector<SORT_PIECE>& grid, int rows, int cols, JST::iPOINT topLeft,
                                     JST::iPOINT bottomRight, JST::iPOINT divide, int c,
                                     const std::function<float(float, float)>& rand);

}  // namespace GAME
