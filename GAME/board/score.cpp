// The rolling score display.
#include "GAME/board/score.h"

#include "GAME/config/globals.h"
#include "GAME/config/text_format.h"
#include "ST/draw_types.h"
#include "ST/font.h"
#include "ST/game.h"

namespace GAME {

PUZZLE_SCORE::PUZZLE_SCORE(ZOV::ST_GAME* game, ZOV::JFONT* font) : game_(game), font_(font) {}

void PUZZLE_SCORE::SetScore(int v) {
  if (v <= 0) return;
  step_ = (float(v) - shown_) / kRollTime;
  target_ = v;
}

void PUZZLE_SCORE::Update() {
  // One step a frame; a value past the target snaps back to it.
  if (shown_ > float(target_)) shown_ = float(target_);
  if (shown_ != float(target_)) shown_ += step_ * game_->GetDt();
}

void PUZZLE_SCORE::Render(int x, int y) {
  if (!font_) return;
  const float size = font_->GetSize();
  const int color = font_->GetColor();
  font_->SetSize(size_);
  font_->SetColor(int(color_));
  font_->alignment = ZOV::JENUM::HOT_CENTER;
  cfg::RenderText(font_, x, y, chTEXT_PUZZLE_SCORE_UP, int(shown_));
  font_->SetSize(size);
  font_->SetColor(color);
}

}  // namespace GAME
