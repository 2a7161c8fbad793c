#include "GAME/shell/apply_resolution.h"

#include <string>

#include "GAME/config/globals.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/font.h"
#include "ST/game.h"

APPLY_RESOLUTION::APPLY_RESOLUTION(const GAME::OptionsKit& kit)
    : JSPRITE(chWINDOWMINI, 0),
      kit_(kit),
      ok_(std::make_unique<JBUTTONMAP4>(chBUTTON_OK)),
      cancel_(std::make_unique<JBUTTONMAP4>(chBUTTON_CANCEL)),
      total_(C_TIME_FOR_RESET_VIDEO_MODE),
      secondsLeft_(C_TIME_FOR_RESET_VIDEO_MODE),
      start_(kit.Now()) {
  Reset();
}

APPLY_RESOLUTION::~APPLY_RESOLUTION() = default;

void APPLY_RESOLUTION::Reset() {
  GAME::CentreOnScreen(*this, kit_.window.Game());
  const float x = position.x, y = position.y;
  const float h = float(GAME::ImageHeight(*this));
  // Both buttons straddle the window's lower edge.
  ZOV::PlaceOkCancelOnEdge(*ok_, *cancel_, x, y + h / 2.0f);
}

int APPLY_RESOLUTION::ShownSeconds() const { return int(secondsLeft_ + 0.5f); }

int APPLY_RESOLUTION::Update(int, float) {
  // Unsigned difference: right across the clock's wrap.
  const uint32_t elapsedMs = kit_.Now() - start_;
  secondsLeft_ = total_ - float(elapsedMs) / 1000.0f;
  if (!(secondsLeft_ > 0.0f)) return kRevert;
  if (ok_->Update(0, 0.0f) != 0) return kKeep;
  if (cancel_->Update(0, 0.0f) != 0) return kRevert;
  return kNothing;
}

int APPLY_RESOLUTION::Render(int) {
  JSPRITE::Render(0);
  ZOV::JFONT* font = kit_.window.comix;
  if (font != nullptr) {
    const int x = int(position.x), y = int(position.y);
    font->SetColor(C_FONT_MAIN_COLOR);
    if (chTEXT_DIALOG_APPLY_RESOLUTION != nullptr) {
      font->alignment = ZOV::JENUM::HOT_CENTER;
      font->Rende(x, y, chTEXT_DIALOG_APPLY_RESOLUTION);
    }
    // Centred, its top 1.2 line heights below the question's centre line.
    const float line = float(font->lineHeight) * font->GetSize();
    font->alignment = ZOV::JENUM::HOT_CENTER;
    font->Rende(x, y + int(1.2f * line) + int(line * 0.5f), std::to_string(ShownSeconds()).c_str());
  }
  ok_->Render(0);
  cancel_->Render(0);
  return 1;
}
