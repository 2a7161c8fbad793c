// The hint's choice of a pair, as a plain function of what the board
// holds: two grid neighbours of different parts. Random tries come first,
// preferring a first piece outside the rows and columns of the previous
// pair so that hints move about the board; when no try finds a pair the
// grid is scanned in order, first among the pieces the player can see
// (edges only, the closed pocket), then among all, so a pair is found
// whenever two parts remain that can join. The board's Help
// (board_tools.cpp) plays the sound, raises and marks the pair and counts
// it.
#pragma once

#include <functional>
#include <vector>

#include "ST/object.h"

namespace GAME {

// What the choice reads of one piece.
struct HINT_PIECE {
  int row = 0, column = 0;
  int group = 0;        // 0 loose
  bool edge = false;    // a piece of the outer ring
  bool hidden = false;  // in the closed pocket
};

// The chosen pair as indices into the list given; first -1 when there is
// none.
struct HINT_CHOICE {
  int first = -1, second = -1;
};

// Chooses a pair among `zOrder` (the pieces from the top, each once) of a
// rows x cols grid. `first` and `second` are the previous pair's cells (row,
// column); each random try's first piece becomes `*first`, kept even when
// that try finds no partner. `rand(lo, hi)` draws a whole number from lo to
// hi inclusive; rows x cols x 2 tries are made. Of a piece's neighbours
// (the same column first) that qualify, the highest in the z-order is its
// partner.
HINT_CHOICE ChooseHint(const std::vector<HINT_PIECE>& zOrder, int rows, int cols, bool edgesOnly,
                       JST::iPOINT* first, JST::iPOINT second, const std::function<int(int, int)>& rand);

}  // namespace GAME
