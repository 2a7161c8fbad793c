// The board's per-frame rules (the timers, the piece animations, and in
// order the rules of board_push.cpp and board_tools.cpp), the effects, and
// the hint and selection resets.
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
  // Resting parts back into reach; a settled glow group under the rest.
  PushBack(dt);
  EmitHintParticles();
  SettleGlowGroup();
  // 4. The finished frame goes to its place.
  if (regBr < 2) BorderToCenter();
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
  if (hintTimer >= HintPeriod()) hintTimer = 0.0f;
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

void PUZZLE_PIECES_SYSTEM::HelpOff() {
  hintShown = false;
  for (PUZZLE_PIECES* p : zOrder) p->hint = false;
}

void PUZZLE_PIECES_SYSTEM::ResetAllocation() {
  for (PUZZLE_PIECES* p : zOrder) p->selected = false;
}

}  // namespace GAME
