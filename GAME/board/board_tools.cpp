// The player's board tools and the frame rules that go with them: the hint
// (two neighbouring pieces of different parts pulse, with particles; the
// pair is chosen by hint.h), the sort (loose pieces glide into the four
// quarters of the play area, the corner pieces into its corners; the
// targets come from sort.h), moving the finished frame onto the picture's
// place, and the z-order dump for the log.
#include <algorithm>
#include <string>

#include "GAME/board/board.h"
#include "GAME/board/hint.h"
#include "GAME/board/sort.h"
#include "GAME/ui/shared_assets.h"
#include "ST/game.h"
#include "ST/particles.h"
#include "ST/sound.h"
#include "ST/sprite.h"
#include "platform/sys.h"

namespace GAME {

namespace {

// The hint particles' zone: 0.7 of the cell, the smaller side.
constexpr float kHintZone = 0.7f;
// The hint particles' period per piece along the shorter side, seconds.
constexpr float kHintPeriodPerMin = 0.003f;

}  // namespace

float PUZZLE_PIECES_SYSTEM::HintPeriod() const { return float(Min) * kHintPeriodPerMin; }

// ---- the hint

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
  ZOV::SoundRender(eToolHint);
  // The pair is chosen by the hint's rules (hint.h) from what each piece
  // shows.
  const bool pocketOpen = PocketOpen();
  std::vector<HINT_PIECE> pieces;
  pieces.reserve(zOrder.size());
  for (const PUZZLE_PIECES* p : zOrder)
    pieces.push_back(HINT_PIECE{p->row, p->column, p->group, p->edge, p->inPocket && !pocketOpen});
  const HINT_CHOICE pair = ChooseHint(pieces, rows, cols, edgesOnly, &hintFirst, hintSecond,
                                      [this](int lo, int hi) { return game_->Rand(lo, hi); });
  if (pair.first < 0) {
    HelpOff();
    return false;
  }
  return ShowHint(zOrder[size_t(pair.first)], zOrder[size_t(pair.second)]);
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
  ZOV::SoundRender(eToolSort);
  regGVN2 = true;
  if (gridOrder.empty() || !gridOrder[0]) return;
  // The targets come from the sort's rules (sort.h).
  std::vector<SORT_PIECE> places;
  places.reserve(gridOrder.size());
  for (const PUZZLE_PIECES* p : gridOrder)
    places.push_back(SORT_PIECE{p != nullptr, p && p->inPocket, p && p->group == 0 && !p->inPocket && p->alpha != 0.0f});
  const std::vector<SORT_TARGET> targets =
      SortTargets(places, rows, cols, clipTopLeft, clipBottomRight, game_->middle, gridOrder[0]->cellW,
                  [this](float lo, float hi) { return game_->random.GetRandomF(lo, hi, 0); });
  for (const SORT_TARGET& t : targets) gridOrder[size_t(t.index)]->SetDestPoint(t.at);
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
