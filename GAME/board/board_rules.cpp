// The board's per-frame rules and play model as far as they stand: the
// frame rules' timers and piece animations, the level counters' start
// values, the hint and selection resets, the rigid-group pass, and the
// hooks that mouse play, the rubber band's selection and the end of the
// level fill in.
#include <cmath>

#include "GAME/board/board.h"
#include "ST/game.h"
#include "ST/sprite.h"

namespace GAME {

namespace {

constexpr float kPi = 3.14159265f;
// Seconds between two win sparkles.
constexpr float kSparkleInterval = 0.3f;
// The snow cursor's spin, radians per second.
constexpr float kSnowSpin = 6.0f;

}  // namespace

int PUZZLE_PIECES_SYSTEM::PlayerActivity() {
  // Picking, dragging, turning and dropping come with the play rules; until
  // then the mouse does nothing on the board.
  return kResultNothing;
}

void PUZZLE_PIECES_SYSTEM::Routin() {
  const float dt = game_->GetDt();
  // 1. Hold timer.
  holdTimer = held == 0 ? 0.0f : holdTimer + dt;
  // 2. Every piece's own animations; the highlight is set again by this
  // frame's hover.
  for (PUZZLE_PIECES* p : zOrder) {
    p->Update(edgesOnly, dt);
    p->highlight = false;
  }
  // 5. Join glow: one second after a join.
  if (joinPhase > kPi) {
    joinPhase = 0.0f;
    lastJoinedGroup = kIndexIdle;
  }
  if (lastJoinedGroup > 0) joinPhase += kPi * dt;
  // 6. Frame light: along the frame pieces, then done.
  if (frameLight >= 0 && frameLightTimer > frameLightPeriod) {
    frameLightTimer = 0.0f;
    frameLight = size_t(frameLight) + 1 < border.size() ? frameLight + 1 : kIndexDone;
  }
  if (frameLight >= 0) frameLightTimer += dt;
  // 7. Win sparkles: one on a random piece every 0.3 s, then done.
  if (winSparkle >= 0 && sparkleTimer > kSparkleInterval) {
    sparkleTimer = 0.0f;
    if (sparkleCount <= 0) {
      winSparkle = kIndexDone;
    } else {
      --sparkleCount;
      const int last = rows * cols - 1;
      winSparkle = last > 0 ? game_->Rand(0, last) : 0;
    }
  }
  if (winSparkle >= 0) sparkleTimer += dt;
  // 8. Hint particle timer.
  if (hintTimer >= float(Min) * 0.003f) hintTimer = 0.0f;
  hintTimer += dt;
  // 9. The snow cursor spins.
  if (snow_) snow_->angle += kSnowSpin * dt;
}

void PUZZLE_PIECES_SYSTEM::UpdateEffects() {
  for (size_t i = 0; i < effects.size();) {
    JST::STE* e = effects[i];
    if (!e || e->Update() == -1) {
      delete e;
      effects.erase(effects.begin() + std::ptrdiff_t(i));
    } else {
      ++i;
    }
  }
}

void PUZZLE_PIECES_SYSTEM::CheckTheSelection() {
  // The rubber band is drawn by mouse play, which selects with it.
}

void PUZZLE_PIECES_SYSTEM::LevelWin() {
  // Trophies, the finished puzzle's record and the win dialog come with the
  // end-of-level rules.
}

void PUZZLE_PIECES_SYSTEM::HelpOff() {
  hintShown = false;
  for (PUZZLE_PIECES* p : zOrder) p->hint = false;
}

void PUZZLE_PIECES_SYSTEM::ResetAllocation() {
  for (PUZZLE_PIECES* p : zOrder) p->selected = false;
}

void PUZZLE_PIECES_SYSTEM::ResetRegistr() {
  regBr = 2 * (cols + rows - 2);
  regF = rows * cols;
  regFinishP = 0;
  sizeA = sizeB = joinSize = 0;
  regGVN = regGVN2 = false;
  regPf = 0;
  regFastGlue = 0;
  if (state != kStatePlay) {
    regT = regTa = 0.0f;
    regH = regCg = regSc = 0;
    regPf = 0;
  }
}

namespace {

// The extent of a piece on screen by its rotation.
void Extent(const PUZZLE_PIECES* p, float* w, float* h) {
  const bool across = p->rotation == 1 || p->rotation == 3;
  *w = float(across ? p->cellH : p->cellW);
  *h = float(across ? p->cellW : p->cellH);
}

// Puts piece a exactly beside piece b, moving only a.
void GlueTwoRot(PUZZLE_PIECES* a, const PUZZLE_PIECES* b) {
  float w = 0.0f, h = 0.0f;
  Extent(a, &w, &h);
  const float xa = float(a->GetPosX()), ya = float(a->GetPosY());
  const float xb = float(b->GetPosX()), yb = float(b->GetPosY());
  const float dx = xb - xa, dy = yb - ya;
  if (std::fabs(xa - xb) >= h / 1.5f) {
    if (std::fabs(yb - ya) < w / 1.5f) a->Move(xa > xb ? dx + w : dx - w, dy);
  } else {
    a->Move(dx, ya > yb ? dy + h : dy - h);
  }
}

}  // namespace

void PUZZLE_PIECES_SYSTEM::Debug() {
  const int n = int(gridOrder.size());
  if (n == 0 || cols <= 0 || n != cols * rows) return;
  auto at = [&](int row, int col) -> PUZZLE_PIECES* {
    if (row < 0 || row >= rows || col < 0 || col >= cols) return nullptr;
    return gridOrder[size_t(row * cols + col)];
  };
  for (int k = 0; k < n; ++k) {
    PUZZLE_PIECES* p = gridOrder[size_t(k)];
    if (!p || p->group == 0 || p->turnProgress > 0.0f) continue;
    const int g = p->group;
    if (PUZZLE_PIECES* q = at(p->row - 1, p->column); q && q->group == g) GlueTwoRot(p, q);
    if (PUZZLE_PIECES* q = at(p->row, p->column - 1); q && q->group == g) GlueTwoRot(p, q);
    if (PUZZLE_PIECES* q = at(p->row, p->column + 1); q && q->group == g) GlueTwoRot(q, p);
    if (PUZZLE_PIECES* q = at(p->row + 1, p->column); q && q->group == g) GlueTwoRot(q, p);
  }
}

}  // namespace GAME
