// The player's board tools and the frame rules that go with them: the hint
// (two neighbouring pieces of different parts pulse, with particles), the
// sort (loose pieces glide into the four quarters of the play area, the
// corner pieces into its corners), moving the finished frame onto the
// picture's place, and the z-order dump for the log.
//
// The hint tries random pieces first, preferring a first piece outside the
// rows and columns of the previous hint so that hints move about the board;
// when no try finds a pair it scans the grid in order, first among the pieces
// the player can see (edges only, the closed pocket), then among all, so a
// hint is given whenever two parts remain that can join.
#include <algorithm>
#include <string>

#include "GAME/board/board.h"
#include "GAME/shell/shared_assets.h"
#include "ST/game.h"
#include "ST/particles.h"
#include "ST/sound.h"
#include "ST/sprite.h"
#include "platform/sys.h"

namespace GAME {

namespace {

void Sound(ZOV::ST_A* s) {
  if (s) ZOV::SoundRender(s);
}

// The hint particles' zone: 0.7 of the cell, the smaller side.
constexpr float kHintZone = 0.7f;
// The hint particles' period per piece along the shorter side, seconds.
constexpr float kHintPeriodPerMin = 0.003f;

}  // namespace

float PUZZLE_PIECES_SYSTEM::HintPeriod() const { return float(Min) * kHintPeriodPerMin; }

// ---- the hint

bool PUZZLE_PIECES_SYSTEM::HintVisible(const PUZZLE_PIECES* p, bool visibleOnly) const {
  if (!visibleOnly) return true;
  if (edgesOnly && !p->edge) return false;
  return !(p->inPocket && !PocketOpen());
}

PUZZLE_PIECES* PUZZLE_PIECES_SYSTEM::HintPartner(const PUZZLE_PIECES* p, bool visibleOnly) const {
  // The grid neighbours, the same column first; of those that qualify, the
  // one highest in the z-order.
  const int r = p->row, c = p->column;
  const JST::iPOINT around[] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
  PUZZLE_PIECES* best = nullptr;
  int bestZ = 0;
  for (JST::iPOINT n : around) {
    if (n.x < 0 || n.x >= rows || n.y < 0 || n.y >= cols) continue;
    const size_t k = size_t(n.x) * size_t(cols) + size_t(n.y);
    if (k >= gridOrder.size()) continue;
    PUZZLE_PIECES* q = gridOrder[k];
    if (!q || q == p || (q->group != 0 && q->group == p->group) || !HintVisible(q, visibleOnly)) continue;
    const int z = ZOf(q);
    if (z < 0) continue;
    if (!best || z < bestZ) {
      best = q;
      bestZ = z;
    }
  }
  return best;
}

void PUZZLE_PIECES_SYSTEM::HintToTop(PUZZLE_PIECES* p) {
  // A part the player cannot move (the finished frame, a locked part) is
  // never raised: it would cover loose pieces for good.
  if (p->group != 0 && (IsFrameGroup(p->group) || IsLockedPart(p))) return;
  if (p->group == 0) {
    const int z = ZOf(p);
    if (z > 0) {
      zOrder.erase(zOrder.begin() + z);
      zOrder.push_front(p);
    }
  } else if (!p->edge) {
    // The whole group, in its own order; shadows as they are.
    const int g = p->group;
    std::stable_partition(zOrder.begin(), zOrder.end(), [g](const PUZZLE_PIECES* q) { return q->group == g; });
  }
}

bool PUZZLE_PIECES_SYSTEM::ShowHint(PUZZLE_PIECES* p, PUZZLE_PIECES* q) {
  hintFirst = JST::iPOINT(p->row, p->column);
  HelpOff();
  p->hint = true;
  q->hint = true;
  // Parts first, loose pieces last: a loose piece of the pair never ends
  // under the other's part (with two parts left that part may be the
  // finished frame, which can be neither picked nor moved).
  for (PUZZLE_PIECES* r : {p, q})
    if (r->group != 0) HintToTop(r);
  for (PUZZLE_PIECES* r : {p, q})
    if (r->group == 0) HintToTop(r);
  hintSecond = JST::iPOINT(q->row, q->column);
  hintShown = true;
  ++regH;
  return true;
}

bool PUZZLE_PIECES_SYSTEM::Help() {
  if (regF <= 1 || zOrder.empty()) return false;
  Sound(eToolHint);
  // Random tries, away from the previous pair's rows and columns.
  const int tries = rows * cols * 2;
  const int last = int(zOrder.size()) - 1;
  for (int t = 0; t < tries; ++t) {
    PUZZLE_PIECES* p = zOrder[size_t(last > 0 ? game_->Rand(0, last) : 0)];
    if (!HintVisible(p, true)) continue;
    if (p->row == hintFirst.x || p->row == hintSecond.x || p->column == hintFirst.y || p->column == hintSecond.y)
      continue;
    // The first of the pair is kept even when this try finds no partner.
    // The z-order changes only for a pair that is shown: a refused try
    // leaves the board as it was.
    hintFirst = JST::iPOINT(p->row, p->column);
    if (PUZZLE_PIECES* q = HintPartner(p, true)) return ShowHint(p, q);
  }
  // A fixed scan: what the player can see first, then everything.
  for (bool visibleOnly : {true, false}) {
    for (PUZZLE_PIECES* p : gridOrder) {
      if (!p || !HintVisible(p, visibleOnly)) continue;
      if (PUZZLE_PIECES* q = HintPartner(p, visibleOnly)) return ShowHint(p, q);
    }
  }
  HelpOff();
  return false;
}

void PUZZLE_PIECES_SYSTEM::EmitHintParticles() {
  if (!hintShown || !partHelp || hintTimer < HintPeriod()) return;
  const JST::fPOINT shift = PocketOffset();
  for (const PUZZLE_PIECES* p : zOrder) {
    if (!p->hint || p->shadowLevel != 0.0f || p->velocity.x != 0 || p->velocity.y != 0) continue;
    partHelp->radius = std::min(int(float(p->cellW) * kHintZone), int(float(p->cellH) * kHintZone));
    float x = p->pos.x, y = p->pos.y;
    if (p->inPocket) {
      x += shift.x;
      y += shift.y;
    }
    partHelp->ShootAt(1, int(x), int(y));
  }
}

// ---- the sort

void PUZZLE_PIECES_SYSTEM::Sort() {
  Sound(eToolSort);
  regGVN2 = true;
  if (gridOrder.empty() || !gridOrder[0]) return;
  std::vector<PUZZLE_PIECES*> L;
  L.reserve(gridOrder.size());
  for (PUZZLE_PIECES* p : gridOrder)
    if (p && !p->inPocket) L.push_back(p);
  const int n = int(L.size());
  const int q = n / 4 + 1;
  const int c = gridOrder[0]->cellW;
  const JST::iPOINT P = game_->middle;
  const int left = clipTopLeft.x, top = clipTopLeft.y, right = clipBottomRight.x, bottom = clipBottomRight.y;
  auto movable = [](const PUZZLE_PIECES* p) { return p && p->group == 0 && !p->inPocket && p->alpha != 0.0f; };
  auto send = [&](int index, int x0, int x1, int y0, int y1) {
    if (index >= n || !movable(L[size_t(index)])) return;
    const int x = int(game_->random.GetRandomF(float(x0), float(x1), 0));
    const int y = int(game_->random.GetRandomF(float(y0), float(y1), 0));
    L[size_t(index)]->SetDestPoint(JST::iPOINT(x, y));
  };
  for (int k = 0; k < q; ++k) {
    send(k, left + c, P.x - c, top + c, P.y - c);
    send(k + q, P.x + c, right - c, top + c, P.y - c);
    send(k + 2 * q, left + c, P.x - c, P.y + c, bottom - c);
    send(k + 3 * q, P.x + c, right - c, P.y + c, bottom - c);
  }
  // The corner pieces into the play area's corners.
  const size_t w = size_t(cols), h = size_t(rows);
  if (w == 0 || h == 0 || w * h > gridOrder.size()) return;
  const struct {
    size_t index;
    JST::iPOINT at;
  } corners[] = {{0, {left + c, top + c}},
                 {w - 1, {right - c, top + c}},
                 {(h - 1) * w, {left + c, bottom - c}},
                 {h * w - 1, {right - c, bottom - c}}};
  for (const auto& corner : corners)
    if (movable(gridOrder[corner.index])) gridOrder[corner.index]->SetDestPoint(corner.at);
}

// ---- the finished frame

void PUZZLE_PIECES_SYSTEM::BorderToCenter() {
  SetFrame();
  if (gridOrder.empty() || !gridOrder[0]) return;
  PUZZLE_PIECES* p0 = gridOrder[0];
  // Back to rotation 0 about the corner piece, a quarter turn at a time
  // (RotStr starts a turn only on pieces not turning already).
  if (p0->rotation > 0)
    for (int k = 0; k < 4 - p0->rotation; ++k) RotStr(p0->group, int(p0->pos.x), int(p0->pos.y));
  // The corner piece's home: where the picture's top-left cell lies. The
  // pieces are cut from the picture at scale 1.
  const JST::iPOINT pic = picture_ ? picture_->imageSize : JST::iPOINT(p0->cellW * cols, p0->cellH * rows);
  const float picX = picture_ ? picture_->position.x : float(game_->middle.x);
  const float picY = picture_ ? picture_->position.y : float(game_->middle.y);
  const int homeX = int(float(p0->cellW / 2) - float(pic.x) / 2.0f + picX);
  const int homeY = int(float(p0->cellH / 2) - float(pic.y) / 2.0f + picY);
  const int dx = int(float(homeX) - p0->pos.x), dy = int(float(homeY) - p0->pos.y);
  const bool moved = dx != 0 || dy != 0;
  if (moved) {
    // The finished frame never moves otherwise: it may move while regBr
    // says the frame is not finished.
    const int keep = regBr;
    regBr = 2;
    MoveStr(p0->group, float(dx), float(dy));
    regBr = keep;
  }
  // Arrived, upright and grown: the frame joins what lies at its place
  // beside it. Without this a part locked at home beside the frame's place
  // would stay apart from the frame for good, both immovable. Not while a
  // piece is held, whose z-index a join would move.
  bool turning = false;
  for (const PUZZLE_PIECES* p : zOrder) turning = turning || (p->group == p0->group && p->turnProgress > 0.0f);
  if (turning || held != 0) return;
  if (!moved && frameJoinTried_ == p0->group) return;
  frameJoinTried_ = p0->group;
  GlueNstr(ZOf(p0));
}

// ---- the log

void PUZZLE_PIECES_SYSTEM::ShowElements() const {
  const char* const rule = "------------- nstr-------------";
  plat::PrintLine(rule);
  for (size_t z = 0; z < zOrder.size(); ++z)
    plat::PrintLine("i: " + std::to_string(z) + " " + std::to_string(zOrder[z]->group));
  plat::PrintLine(rule);
}

}  // namespace GAME
