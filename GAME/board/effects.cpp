// The board's effects: the swelling points text, the rising bonus icon and
// the flying spark.
#include "GAME/board/effects.h"

#include <algorithm>
#include <cmath>

#include "ST/font.h"
#include "ST/game.h"
#include "ST/particles.h"
#include "ST/renderer.h"
#include "ST/sprite.h"

namespace GAME {

namespace {

constexpr float kPi = 3.14159265f;
// The bonus icon rises this many pixels a second.
constexpr float kBonusRise = 120.0f;
// Frame times add up in floats: a path flown to within this much of its
// time counts as flown.
constexpr float kPathSlack = 1e-4f;

}  // namespace

// ---- PUZZLE_EXPENSE

PUZZLE_EXPENSE::PUZZLE_EXPENSE(ZOV::ST_GAME* game, ZOV::JFONT* font, float time, const char* text, int x, int y)
    : game_(game), font_(font), timeLeft_(time), text_(text ? text : "") {
  position = JST::fPOINT(float(x), float(y));
}

long long PUZZLE_EXPENSE::Update() {
  if (!(timeLeft_ > 0.0f)) return kEffectFinished;
  const float dt = game_->GetDt();
  timeLeft_ -= dt;
  phase_ += dt * kPi / 2.0f;
  return kEffectRunning;
}

float PUZZLE_EXPENSE::SizeFactor() const { return 2.0f * std::sin(phase_) + 1.0f; }

void PUZZLE_EXPENSE::Render() {
  if (!font_) return;
  font_->SetSize(SizeFactor());
  font_->alignment = ZOV::JENUM::HOT_CENTER;
  ZOV::JINGFX* gfx = game_->GetGfx();
  gfx->SetAnisotropic(true);
  // The text is drawn as written: it is the game's own ("+N"), and a '%' in
  // it must not reach printf.
  font_->Rende(int(position.x), int(position.y), text_.c_str());
  gfx->SetAnisotropic(false);
  font_->SetSize(1.0f);
}

// ---- BONUS

BONUS::BONUS(ZOV::ST_GAME* game, float time, JSPRITE* sprite, int x, int y)
    : game_(game), timeLeft_(time), total_(time), color_(0xFFFFFFFFu), sprite_(sprite) {
  position = JST::fPOINT(float(x), float(y));
}

long long BONUS::Update() {
  if (!(timeLeft_ > 0.0f)) return kEffectFinished;
  const float dt = game_->GetDt();
  timeLeft_ -= dt;
  color_.a = total_ > 0.0f ? timeLeft_ / total_ : 0.0f;
  position.y += dt * -kBonusRise;
  return kEffectRunning;
}

void BONUS::Render() {
  if (!sprite_) return;
  sprite_->SetColor(int(color_.ToARGB()));
  sprite_->Render(position.x, position.y);
}

// ---- PARTICLE_BULLET

PARTICLE_BULLET::PARTICLE_BULLET(ZOV::ST_GAME* game, ZOV::PARTIC* emitter, JSPRITE* sprite, JST::iPOINT start,
                                 JST::iPOINT target)
    : game_(game),
      boxLeft_(-kBoxMargin),
      boxRight_(game->GetScreenWidth() + kBoxMargin),
      boxTop_(-kBoxMargin),
      boxBottom_(target.y),
      emitter_(emitter),
      sprite_(sprite),
      start_(start),
      target_(target) {
  position = JST::fPOINT(float(start.x), float(start.y));
}

bool PARTICLE_BULLET::InFinishBox() const {
  const float l = float(std::min(boxLeft_, boxRight_)), r = float(std::max(boxLeft_, boxRight_));
  const float t = float(std::min(boxTop_, boxBottom_)), b = float(std::max(boxTop_, boxBottom_));
  // Reaching the target's line counts: a spark whose path lies along it
  // (a join on the line itself) would otherwise never finish.
  return l < position.x && position.x < r && t < position.y && position.y <= b;
}

long long PARTICLE_BULLET::Update() {
  const float dt = game_->GetDt();
  // 1. The emission clock runs on.
  emitTimer_ += dt;
  // 2. Finished: over the target's line, or the whole path flown.
  if (InFinishBox() || flown_ >= kPathTime - kPathSlack) return kEffectFinished;
  // 3. Along the straight path: 2 dt of it a frame, ending on the target.
  flown_ += dt;
  const float done = flown_ >= kPathTime - kPathSlack ? 1.0f : flown_ / kPathTime;
  position.x = float(start_.x) + float(target_.x - start_.x) * done;
  position.y = float(start_.y) + float(target_.y - start_.y) * done;
  // 4. The trail.
  if (emitTimer_ > kEmitInterval) {
    if (emitter_) emitter_->ShootAt(kEmitCount, int(position.x), int(position.y));
    emitTimer_ = 0.0f;
  }
  return kEffectRunning;
}

void PARTICLE_BULLET::Render() {
  if (sprite_) sprite_->Render(position.x, position.y);
}

}  // namespace GAME
