// GAME::PUZZLE_SCORE: the board's rolling score display. SetScore sets a
// new target and a step that reaches it in 2 seconds; Update, once a frame,
// moves the shown value one step (step x frame time) towards it, and a
// shown value above the target snaps down to it. Render prints the
// configured format chTEXT_PUZZLE_SCORE_UP with the shown value truncated.
//
// The last step may carry the shown value past the target; the next
// Update then snaps it back. A frame time of 0 leaves it where it is (the
// display never loops waiting for it).
//
// Ownership: the board owns the display; the display borrows the game
// object (for the frame time) and the font. Main thread only.
#pragma once

#include <cstdint>

namespace ZOV {
class JFONT;
class ST_GAME;
}  // namespace ZOV

namespace GAME {

class PUZZLE_SCORE {
 public:
  // Seconds the display takes to reach a new score.
  static constexpr float kRollTime = 2.0f;

  PUZZLE_SCORE(ZOV::ST_GAME* game, ZOV::JFONT* font);

  // v > 0: target v, step (v - shown) / 2 per second. v <= 0 changes
  // nothing.
  void SetScore(int v);
  // One frame of the roll.
  void Update();
  // The format centred (alignment 0) at (x, y), in the display's size and
  // colour; the font's own size and colour are given back afterwards.
  void Render(int x, int y);
  void SetSize(float size) { size_ = size; }
  void SetColor(int argb) { color_ = uint32_t(argb); }

  float Shown() const { return shown_; }
  int Target() const { return target_; }
  float Step() const { return step_; }
  float Size() const { return size_; }
  uint32_t Color() const { return color_; }

 private:
  ZOV::ST_GAME* game_ = nullptr;
  float shown_ = 0.0f;
  int target_ = 0;
  ZOV::JFONT* font_ = nullptr;
  float size_ = 1.0f;
  uint32_t color_ = 0xFFFFFFFFu;
  float step_ = 0.0f;
};

}  // namespace GAME
