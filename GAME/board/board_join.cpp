// Joining: the tests that decide whether a dropped piece fits a neighbour,
// the snap onto it, the join itself (counters, effect, new group id, z-order,
// shadows), the join of a dropped group, and the per-frame rigid-group pass.
//
// A join needs both sides at rest: no side may be turning, since its
// rotation only changes at the end of the turn. A group with a locked
// (fast-collector) member is locked whole, so a join with a locked side
// locks the merged group.
#include <cmath>
#include <cstdlib>

#include "GAME/board/board.h"

namespace GAME {

namespace {

// Pixels two sides may be off and still join.
constexpr float kJoinBand = 9.0f;

// The extent of a piece on screen by its rotation.
void Extent(const PUZZLE_PIECES* p, float* w, float* h) {
  const bool across = p->rotation == 1 || p->rotation == 3;
  *w = float(across ? p->cellH : p->cellW);
  *h = float(across ? p->cellW : p->cellH);
}

// The grid step (A's row - B's row, A's column - B's column) that puts B on
// each screen side of A, by A's rotation; sides above, right, below, left.
struct Step {
  int dRow, dCol;
};
constexpr Step kSides[4][4] = {
    {{1, 0}, {0, -1}, {-1, 0}, {0, 1}},  // rotation 0
    {{0, 1}, {1, 0}, {0, -1}, {-1, 0}},  // rotation 1
    {{-1, 0}, {0, 1}, {1, 0}, {0, -1}},  // rotation 2
    {{0, -1}, {-1, 0}, {0, 1}, {1, 0}},  // rotation 3
};

}  // namespace

int PUZZLE_PIECES_SYSTEM::RadiusTest(int i, int j) const {
  const PUZZLE_PIECES* a = zOrder[size_t(i)];
  const PUZZLE_PIECES* b = zOrder[size_t(j)];
  const float dx = a->pos.x - b->pos.x, dy = a->pos.y - b->pos.y;
  const int d = int(std::sqrt(dx * dx + dy * dy));
  return std::abs(d - b->cellH) <= int(kJoinBand) || std::abs(d - b->cellW) <= int(kJoinBand);
}

int PUZZLE_PIECES_SYSTEM::TestTwo(int i, int j) const {
  const PUZZLE_PIECES* a = zOrder[size_t(i)];
  const PUZZLE_PIECES* b = zOrder[size_t(j)];
  if (a == b || a->rotation != b->rotation) return 0;
  if (a->group != 0 && a->group == b->group) return 0;
  if (a->alpha != 1.0f || b->alpha != 1.0f) return 0;
  if (a->turnProgress > 0.0f || b->turnProgress > 0.0f) return 0;
  if (a->row == b->row && std::abs(a->column - b->column) == 1) return 1;
  if (a->column == b->column && std::abs(a->row - b->row) == 1) return 2;
  return 0;
}

int PUZZLE_PIECES_SYSTEM::GlueTest(int i, int j) const {
  const PUZZLE_PIECES* a = zOrder[size_t(i)];
  const PUZZLE_PIECES* b = zOrder[size_t(j)];
  if (a->rotation < 0 || a->rotation > 3) return 0;
  const Step* s = kSides[a->rotation];
  const float xa = a->pos.x, ya = a->pos.y, xb = b->pos.x, yb = b->pos.y;
  const int dRow = a->row - b->row, dCol = a->column - b->column;
  auto is = [&](int side) { return dRow == s[side].dRow && dCol == s[side].dCol; };
  if (yb < ya && is(0) && std::fabs(xa - xb) <= kJoinBand) return 1;
  if (xa < xb && is(1) && std::fabs(ya - yb) <= kJoinBand) return 1;
  if (ya < yb && is(2) && std::fabs(xa - xb) <= kJoinBand) return 1;
  if (xa > xb && is(3) && std::fabs(ya - yb) <= kJoinBand) return 1;
  return 0;
}

void PUZZLE_PIECES_SYSTEM::GlueTwo(int i, int j, int) {
  if (!RadiusTest(i, j)) return;
  const PUZZLE_PIECES* a = zOrder[size_t(i)];
  const PUZZLE_PIECES* b = zOrder[size_t(j)];
  float w = 0.0f, h = 0.0f;
  Extent(a, &w, &h);
  const float dx = b->pos.x - a->pos.x, dy = b->pos.y - a->pos.y;
  if (std::fabs(a->pos.x - b->pos.x) > kJoinBand) {
    if (std::fabs(dy) <= kJoinBand) PieceMove(i, a->pos.x > b->pos.x ? dx + w : dx - w, dy);
  } else {
    PieceMove(i, dx, a->pos.y > b->pos.y ? dy + h : dy - h);
  }
}

void PUZZLE_PIECES_SYSTEM::SetNewStrTo(int from, int to) {
  for (PUZZLE_PIECES* p : zOrder)
    if (p->group == from) p->group = to;
}

void PUZZLE_PIECES_SYSTEM::Campai(int i, int j) {
  PUZZLE_PIECES* a = zOrder[size_t(i)];
  PUZZLE_PIECES* b = zOrder[size_t(j)];
  // 1. A join within two seconds of the pick is a fast one.
  if (holdTimer < 2.0f) ++regFastGlue;
  // 2. Counters and points, while the ids are still the old ones.
  const int points = CalculateRegistr(i, j);
  const bool locked = IsLockedPart(a) || IsLockedPart(b);
  // 3. - 4. Out of the pocket, and the join's sparks at the middle of the two.
  a->inPocket = b->inPocket = 0;
  const int x = int((double(a->pos.x) + double(b->pos.x)) / 2.0);
  const int y = int((double(a->pos.y) + double(b->pos.y)) / 2.0);
  JoinEffect(x, y, int(float(a->cellW) / 1.5f), points);
  // 5. A new id for both sides.
  const int g = ++cstr;
  const int ga = a->group, gb = b->group;
  if (ga != 0) SetNewStrTo(ga, g);
  a->group = g;
  if (gb != 0) SetNewStrTo(gb, g);
  b->group = g;
  if (locked)
    for (PUZZLE_PIECES* p : zOrder)
      if (p->group == g) p->locked = true;
  // 6. To the top; the shadow fades out from full.
  a->shadowLevel = 0.0f;
  SwapStrDown(g, 0, false);
  ChangeShadow(PUZZLE_PIECES::kShadowRising, g, true);
  ChangeShadow(PUZZLE_PIECES::kShadowFalling, g, false);
  // 7. The new group glows; any hint is over.
  glowGroup = lastJoinedGroup = g;
  HelpOff();
}

bool PUZZLE_PIECES_SYSTEM::Banzai(int i) {
  if (i < 0 || size_t(i) >= zOrder.size()) return false;
  PUZZLE_PIECES* a = zOrder[size_t(i)];
  bool joined = false;
  for (int j = int(zOrder.size()) - 1; j >= 0; --j) {
    // A join reorders the z-order; the dropped piece is followed by
    // identity, the walk goes on over the indices as they stand.
    if (!zOrder[size_t(j)] || TestTwo(i, j) == 0 || !RadiusTest(i, j) || !GlueTest(i, j)) continue;
    GlueTwo(i, j);
    Campai(i, j);
    joined = true;
    i = ZOf(a);
  }
  return joined;
}

void PUZZLE_PIECES_SYSTEM::GlueNstr(int i) {
  if (i < 0 || size_t(i) >= zOrder.size()) return;
  PUZZLE_PIECES* dropped = zOrder[size_t(i)];
  if (dropped->group == 0) {
    while (Banzai(ZOf(dropped))) {
    }
    return;
  }
  // Every member of the dropped part is tried, by identity, until a whole
  // pass joins nothing; a join merges the part into a new group, whose new
  // members are tried as well.
  bool joinedInPass = true;
  while (joinedInPass) {
    joinedInPass = false;
    joinMembers_.clear();
    for (PUZZLE_PIECES* p : zOrder)
      if (p->group == dropped->group) joinMembers_.push_back(p);
    for (size_t m = 0; m < joinMembers_.size(); ++m)
      while (Banzai(ZOf(joinMembers_[m]))) joinedInPass = true;
  }
}

// ---- the rigid-group pass

void PUZZLE_PIECES_SYSTEM::GlueTwoRot(int ia, int ib) {
  PUZZLE_PIECES* a = gridOrder[size_t(ia)];
  const PUZZLE_PIECES* b = gridOrder[size_t(ib)];
  float w = 0.0f, h = 0.0f;
  Extent(a, &w, &h);
  const float xa = a->pos.x, ya = a->pos.y, xb = b->pos.x, yb = b->pos.y;
  const float dx = xb - xa, dy = yb - ya;
  if (std::fabs(xa - xb) >= h / 1.5f) {
    if (std::fabs(yb - ya) < w / 1.5f) PieceMoveRot(ia, xa > xb ? dx + w : dx - w, dy);
  } else {
    PieceMoveRot(ia, dx, ya > yb ? dy + h : dy - h);
  }
}

void PUZZLE_PIECES_SYSTEM::Debug() {
  const int n = int(gridOrder.size());
  if (n == 0 || cols <= 0 || n != cols * rows) return;
  auto in = [&](int row, int col, int g) -> int {
    if (row < 0 || row >= rows || col < 0 || col >= cols) return -1;
    const int k = row * cols + col;
    const PUZZLE_PIECES* q = gridOrder[size_t(k)];
    return q && q->group == g ? k : -1;
  };
  for (int k = 0; k < n; ++k) {
    const PUZZLE_PIECES* p = gridOrder[size_t(k)];
    if (!p || p->group == 0 || p->turnProgress > 0.0f) continue;
    const int g = p->group;
    if (const int q = in(p->row - 1, p->column, g); q >= 0) GlueTwoRot(k, q);
    if (const int q = in(p->row, p->column - 1, g); q >= 0) GlueTwoRot(k, q);
    if (const int q = in(p->row, p->column + 1, g); q >= 0) GlueTwoRot(q, k);
    if (const int q = in(p->row + 1, p->column, g); q >= 0) GlueTwoRot(q, k);
  }
}

}  // namespace GAME
