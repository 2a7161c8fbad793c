// The frame rules that keep resting pieces where they can be reached: a
// part lying (partly) outside the play area, less a margin of half a cell
// width, slides back in at 1000 px/s; a piece lying too far right or down
// in the pocket slides back into it; and a dropped group, once its shadow
// has come down, goes under the loose pieces.
//
// A part (a loose piece, a group, the band's selection) moves once a frame,
// by the largest overshoot of its resting pieces on each axis, never further
// than it overshoots; a part that overshoots both sides of an axis is larger
// than the play area and is left alone on that axis. The frame group of a
// finished frame is not pushed (it has its own place). One pass gathers, one
// pass moves: linear in the number of pieces times the few parts lying out.
#include <algorithm>
#include <cmath>

#include "GAME/board/board.h"
#include "GAME/board/pocket.h"

namespace GAME {

namespace {

// Slide-back speed, pixels per second.
constexpr float kPushSpeed = 1000.0f;

// The move that brings an overshoot back, at most `step`.
float Clamp(float need, float step) { return need > 0.0f ? std::min(need, step) : std::max(need, -step); }

}  // namespace

void PUZZLE_PIECES_SYSTEM::PushNeed::Add(float nx, float ny) {
  if (nx > 0.0f) right = std::max(right, nx);
  if (nx < 0.0f) left = std::min(left, nx);
  if (ny > 0.0f) down = std::max(down, ny);
  if (ny < 0.0f) up = std::min(up, ny);
  any = true;
}

JST::fPOINT PUZZLE_PIECES_SYSTEM::PushNeed::Move(float step) const {
  // Overshoot on both sides: the part is wider (taller) than the area.
  const float x = right > 0.0f && left < 0.0f ? 0.0f : Clamp(right + left, step);
  const float y = down > 0.0f && up < 0.0f ? 0.0f : Clamp(down + up, step);
  return JST::fPOINT(x, y);
}

PUZZLE_PIECES_SYSTEM::PushNeed* PUZZLE_PIECES_SYSTEM::PushOf(int group, bool add) {
  // Few parts lie out at once: a short list, looked through.
  for (PushPart& part : pushParts_)
    if (part.group == group) return &part.need;
  if (!add) return nullptr;
  pushParts_.push_back(PushPart{group, PushNeed()});
  return &pushParts_.back().need;
}

void PUZZLE_PIECES_SYSTEM::PushBack(float dt) {
  const float step = kPushSpeed * dt;
  if (!(step > 0.0f)) return;
  pushParts_.clear();
  PushNeed selection;
  const PUZZLE_PIECES* first = gridOrder.empty() ? nullptr : gridOrder[0];
  const float pocketW = pocket ? float(pocket->Width()) : 0.0f, pocketH = pocket ? float(pocket->Height()) : 0.0f;
  // Gather: how far each resting piece lies outside.
  for (PUZZLE_PIECES* p : zOrder) {
    if (p->shadowLevel != 0.0f || p->velocity.x != 0 || p->velocity.y != 0) continue;
    const float m = float(p->cellW / 2);
    float nx = 0.0f, ny = 0.0f;
    if (p->pos.x > float(clipBottomRight.x) - m) nx = float(clipBottomRight.x) - m - p->pos.x;
    if (p->pos.x < float(clipTopLeft.x) + m) nx = float(clipTopLeft.x) + m - p->pos.x;
    if (p->pos.y < float(clipTopLeft.y) + m) ny = float(clipTopLeft.y) + m - p->pos.y;
    if (p->pos.y > float(clipBottomRight.y) - m) ny = float(clipBottomRight.y) - m - p->pos.y;
    if (p->inPocket && pocket && first) {
      // Room of a cell's width across and a cell's height down.
      const float rx = pocketW - float(first->cellW) / 1.2f, ry = pocketH - float(first->cellH) / 1.2f;
      if (p->pos.x > rx) nx = std::min(nx, rx - p->pos.x);
      if (p->pos.y > ry) ny = std::min(ny, ry - p->pos.y);
    }
    if (nx == 0.0f && ny == 0.0f) continue;
    if (p->selected)
      selection.Add(nx, ny);
    else if (p->group > 0)
      PushOf(p->group, true)->Add(nx, ny);
    else if (p->group == 0)
      p->Move(Clamp(nx, step), Clamp(ny, step));
  }
  // Move: each part once.
  const JST::fPOINT selectionMove = selection.any ? selection.Move(step) : JST::fPOINT(0.0f, 0.0f);
  bool movedLocked = false;
  for (PUZZLE_PIECES* p : zOrder) {
    if (p->selected) {
      if (selection.any) p->Move(selectionMove.x, selectionMove.y);
    } else if (p->group > 0 && !pushParts_.empty()) {
      const PushNeed* n = PushOf(p->group, false);
      if (!n || !n->any || IsFrameGroup(p->group)) continue;
      const JST::fPOINT d = n->Move(step);
      p->Move(d.x, d.y);
      movedLocked = movedLocked || p->locked;
    }
  }
  // A locked part pushed off its place is locked no more.
  if (movedLocked) ReleaseLocks();
}

void PUZZLE_PIECES_SYSTEM::SettleGlowGroup() {
  // Every group that glows settles, however many were dropped within one
  // settling time: a group that lost the glow slot to a later one is kept
  // here until its own shadow is down, so no part stays above the loose
  // pieces (the finished frame or a locked part could never be moved off
  // them).
  if (glowGroup > 0 && std::find(settling_.begin(), settling_.end(), glowGroup) == settling_.end())
    settling_.push_back(glowGroup);
  for (size_t k = 0; k < settling_.size();) {
    const int g = settling_[k];
    bool exists = false, settled = false;
    for (const PUZZLE_PIECES* p : zOrder) {
      if (p->group != g) continue;
      exists = true;
      settled = settled || p->shadowLevel == 0.0f;
    }
    // A group merged into another has gone; the merged one settles instead.
    if (!exists || settled) {
      // Under the loose pieces and the parts that can still be moved, but
      // above the finished frame and the parts locked at home: a part put
      // down over them stays where the player can take it again. The
      // shadows are left as they are.
      if (settled) {
        auto rank = [this, g](const PUZZLE_PIECES* p) {
          if (p->group == g) return 1;
          return p->group != 0 && (IsFrameGroup(p->group) || IsLockedPart(p)) ? 2 : 0;
        };
        std::stable_sort(zOrder.begin(), zOrder.end(),
                         [&rank](const PUZZLE_PIECES* a, const PUZZLE_PIECES* b) { return rank(a) < rank(b); });
      }
      if (g == glowGroup) glowGroup = kIndexIdle;
      settling_.erase(settling_.begin() + std::ptrdiff_t(k));
    } else {
      ++k;
    }
  }
}

}  // namespace GAME
