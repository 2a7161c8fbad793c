// The shapes of a jigsaw cut, as plain data and pure functions: how many
// columns and rows a picture is cut into, the jittered grid of nodes, one
// tab ("ear") per inner edge with its side, the 24-point outline of every
// piece, the seed point the flood fill starts from, the size of a piece's
// image, the frame pieces in clockwise order, and the random placement of a
// fresh piece (rotation, scatter point, fly-in start).
//
// Nothing here draws or touches a texture. Only CutPlacement draws from the
// game's seeded generator; the node jitter and the tab sides use the
// generator's stateless Rand(i) and RandB(i), so a layout depends only on
// the picture size and the options, and a cut repeats itself exactly.
//
// Coordinates are picture pixels, (0, 0) top-left, y down. Every conversion
// to int truncates toward zero.
//
// Outline point order, clockwise on screen, relative to the piece's
// undisplaced cell centre (column * cellW + cellW / 2, row * cellH +
// cellH / 2):
//   0 top-left corner, 1..5 top edge (left to right), 6 top-right corner,
//   7..11 right edge (top to bottom), 12 bottom-right corner,
//   13..17 bottom edge (right to left), 18 bottom-left corner,
//   19..23 left edge (bottom to top).
// On a picture border the five edge points lie at the middle of that side.
#pragma once

#include <cstddef>
#include <vector>

#include "ST/object.h"

namespace ZOV {
class ST_RANDOM;
}

namespace GAME {

// Pieces along the shorter side of a picture: the cut accepts 3 to 15.
inline constexpr int kMinPiecesShortSide = 3;
inline constexpr int kMaxPiecesShortSide = 15;
// Points per piece outline, points per tab template.
inline constexpr int kOutlinePoints = 24;
inline constexpr int kEarPoints = 7;

// `min` brought into 3..15; a value outside is logged as one line.
int ClampMinPieces(int min);

// Columns, rows and the cell size of a W x H picture cut with `min` pieces
// along its shorter side. Divisions are taken in float, so an 8 x 8 picture
// still gets cells of at least a pixel. `min` is used as given (clamp it
// first); W and H are at least 1.
struct GRID_SIZE {
  int cols = 0, rows = 0;
  int cellW = 0, cellH = 0;
};
GRID_SIZE GridSize(int w, int h, int min);

// The tab jitter factor: min(distortion, 1) / 5, and 0 for a negative or
// NaN distortion.
float JitterFactor(float distortion);

// Size (w, h) of a piece's image box before the extra texel: texW = cellW +
// mW + mH, texH = cellH + mW + mH with mW = 2 * (int)(cellW * d), mH = 2 *
// (int)(cellH * 0.3). The piece texture is (w + 1) x (h + 1).
JST::iPOINT PieceBoxSize(const GRID_SIZE& g, float d);

// The 7-point tab template in percent of the edge, (along, across).
void InitPuzzleEar(JST::iPOINT* ear);
// Maps the template in `ear` onto the edge (x1, y1) -> (x2, y2) in place,
// in float arithmetic. Unflipped, a tab bulges to the left of a downward
// edge and below a rightward edge; flip puts it on the other side.
void ChangeCoordFromVector(int x1, int y1, int x2, int y2, JST::iPOINT* ear, bool flip);

// One inner edge: from node a to node b (downward for a vertical edge,
// rightward for a horizontal one) through seven mapped tab points.
struct CUT_EDGE {
  JST::iPOINT a, b;
  JST::iPOINT ear[kEarPoints];
};

// The whole geometry of one cut.
struct CUT_LAYOUT {
  int w = 0, h = 0;  // picture size
  int min = 0;       // pieces along the shorter side, 3..15
  float d = 0.0f;    // jitter factor
  GRID_SIZE grid;
  // (cols + 1) x (rows + 1) nodes, index row * (cols + 1) + column.
  std::vector<JST::iPOINT> nodes;
  // Vertical inner edges (column 1..cols-1, row 0..rows-1), then horizontal
  // ones (row 1..rows-1, column 1..cols): edge k takes its side from RandB(k).
  std::vector<CUT_EDGE> edges;
  // 24 points per piece in grid order (row * cols + column).
  std::vector<JST::iPOINT> outline;

  const JST::iPOINT& Node(int column, int row) const { return nodes[size_t(row) * size_t(grid.cols + 1) + size_t(column)]; }
  const JST::iPOINT* Outline(int column, int row) const {
    return outline.data() + (size_t(row) * size_t(grid.cols) + size_t(column)) * kOutlinePoints;
  }
  // The undisplaced centre of a cell.
  JST::iPOINT CellCentre(int column, int row) const {
    return JST::iPOINT(column * grid.cellW + grid.cellW / 2, row * grid.cellH + grid.cellH / 2);
  }
  // The flood fill's start in picture pixels: between the piece's left and
  // right tab bases and between its top and bottom ones.
  JST::iPOINT Seed(int column, int row) const;
};

// The layout of a W x H picture (each at least 1; smaller sizes are taken
// as 1) for `min` pieces along the shorter side (clamped to 3..15 with a log
// line) and the distortion (above 1 taken as 1).
CUT_LAYOUT LayoutCut(int w, int h, int min, float distortion);

// The frame pieces clockwise from the top-left corner, as grid indices: the
// top row from column 0 to cols - 2, the right column from row 0 to
// rows - 2, the bottom row from column cols - 1 down to 1, the left column
// from row rows - 1 down to 1. 2 * (cols + rows - 2) indices.
std::vector<int> CompleteVectorBorder(int cols, int rows);

// An int in [min, max] from the generator; when max falls below min (a cell
// wider than the play area) the midpoint is drawn instead. Either way the
// generator steps once.
int RandomInRange(ZOV::ST_RANDOM& rng, int min, int max);

// Where a fresh piece goes: its rotation (quarter turns, 0 when rotation is
// not allowed), the scatter point in the play area that its fly-in ends at,
// and the fly-in's start outside the screen. The draws are made in this
// order: rotation (only when allowed), scatter x, scatter y, fly-in angle.
struct PIECE_PLACEMENT {
  int rotation = 0;
  JST::iPOINT scatter;
  JST::iPOINT start;
};
PIECE_PLACEMENT CutPlacement(ZOV::ST_RANDOM& rng, bool rotationAllowed, const GRID_SIZE& g, JST::iPOINT clipTopLeft,
                             JST::iPOINT clipBottomRight, JST::iPOINT screenCentre);

}  // namespace GAME
