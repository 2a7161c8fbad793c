// The board's short-lived play-field effects, each a JST::STE kept in the
// board's effect list (which owns them, updates them once a frame, deletes
// each one whose Update reports it finished, and draws the rest after the
// particles):
//
//  - PUZZLE_EXPENSE: the points text that swells where two parts joined
//    (1x to 3x over its life, with a slowing growth);
//  - BONUS: an icon that rises 120 px a second while it fades out;
//  - PARTICLE_BULLET: a spark that flies in a straight line from the join to
//    the target (the top of the screen) in 0.5 s, leaving a particle trail.
//
// Update returns kEffectFinished once the effect is done and kEffectRunning
// while it runs. The finished test is made BEFORE the frame's step, so a
// finished effect has had one more step and draw; an effect made with time
// 0 is finished at its first update.
//
// A spark is finished when its position lies inside the finish box
// (-1000 < x < screen width + 1000 and -1000 < y <= target y: reaching the
// target's line counts) or once its 0.5 s path has been flown, whichever
// comes first; the path ends exactly on the target. So no spark lives
// forever, whatever its start.
//
// Every effect borrows what it is handed (game object, font, sprite,
// emitter); the expense owns a copy of its text. Main thread only.
#pragma once

#include <string>

#include "ST/draw_types.h"
#include "ST/object.h"

class JSPRITE;

namespace ZOV {
class JFONT;
class PARTIC;
class ST_GAME;
}  // namespace ZOV

namespace GAME {

inline constexpr long long kEffectFinished = -1;
inline constexpr long long kEffectRunning = 0;

class PUZZLE_EXPENSE : public JST::STE {
 public:
  // `text` is copied (null: empty).
  PUZZLE_EXPENSE(ZOV::ST_GAME* game, ZOV::JFONT* font, float time, const char* text, int x, int y);

  // While time is left: time left -= dt, phase += dt x pi / 2.
  long long Update() override;
  // The text centred at the position, at 2 sin(phase) + 1 times the font's
  // size, with anisotropic filtering; the font's size is 1 again after.
  void Render() override;

  float TimeLeft() const { return timeLeft_; }
  float Phase() const { return phase_; }
  // The size factor Render draws with.
  float SizeFactor() const;
  const std::string& Text() const { return text_; }

 private:
  ZOV::ST_GAME* game_ = nullptr;
  ZOV::JFONT* font_ = nullptr;
  float timeLeft_ = 0.0f;
  float phase_ = 0.0f;
  std::string text_;
};

class BONUS : public JST::STE {
 public:
  BONUS(ZOV::ST_GAME* game, float time, JSPRITE* sprite, int x, int y);

  // While time is left: time left -= dt, alpha = left / total, y -= 120 dt.
  long long Update() override;
  // The sprite in the effect's colour at the position.
  void Render() override;

  float TimeLeft() const { return timeLeft_; }
  // Packed ARGB: opaque white at first, the alpha carries the fade.
  uint32_t Color() const { return color_.ToARGB(); }

 private:
  ZOV::ST_GAME* game_ = nullptr;
  float timeLeft_ = 0.0f, total_ = 0.0f;
  ZOV::JINCOLORRGBA color_;
  JSPRITE* sprite_ = nullptr;
};

class PARTICLE_BULLET : public JST::STE {
 public:
  // The time the straight path from start to target takes.
  static constexpr float kPathTime = 0.5f;
  // How often the trail is fed, and how many particles each time.
  static constexpr float kEmitInterval = 0.01f;
  static constexpr int kEmitCount = 5;
  // How far the finish box reaches beyond the screen's sides and top.
  static constexpr int kBoxMargin = 1000;

  PARTICLE_BULLET(ZOV::ST_GAME* game, ZOV::PARTIC* emitter, JSPRITE* sprite, JST::iPOINT start, JST::iPOINT target);

  // Finished test first (box or path flown), then the step towards the
  // target, then the trail.
  long long Update() override;
  // The sprite at the position.
  void Render() override;

  JST::iPOINT Start() const { return start_; }
  JST::iPOINT Target() const { return target_; }

 private:
  bool InFinishBox() const;

  ZOV::ST_GAME* game_ = nullptr;
  int boxLeft_ = 0, boxRight_ = 0, boxTop_ = 0, boxBottom_ = 0;
  ZOV::PARTIC* emitter_ = nullptr;
  JSPRITE* sprite_ = nullptr;
  JST::iPOINT start_, target_;
  float emitTimer_ = 0.0f;
  float flown_ = 0.0f;
};

}  // namespace GAME
