#include "GAME/shell/choice_color.h"

#include "GAME/config/globals.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/sprite.h"

namespace GAME {

CHOICE_COLOR::CHOICE_COLOR(int color) {
  plate_ = std::make_unique<JSPRITE>(chFrontColor, 0);
  plate_->SetSizePix(51, 55);
  plate_->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
  {
    PackSelection menu(C_NAME_PACK_MENU, C_PAS_MENY);
    for (auto& s : swatches_) {
      s = std::make_unique<JBUTTON>(chWhitePlain);
      s->SetSizePix(kSwatchSize, kSwatchSize);
      s->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
    }
    shadow_ = std::make_unique<JSPRITE>(chQShadow, 0);
    shadow_->SetSizePix(kSwatchSize, kSwatchSize);
    shadow_->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
  }
  const int configured[kSwatches] = {C_COLOR_BACKGROUND_0, C_COLOR_BACKGROUND_1, C_COLOR_BACKGROUND_2,
                                     C_COLOR_BACKGROUND_3};
  for (int i = 0; i < kSwatches; ++i) colors_[i] = configured[i];
  for (int i = 0; i < kSwatches; ++i) {
    if (colors_[i] != color) continue;
    selected_ = i;
    break;
  }
}

CHOICE_COLOR::~CHOICE_COLOR() = default;

void CHOICE_COLOR::SetPos(int x, int y) {
  pos_ = JST::iPOINT(x, y);
  for (int i = 0; i < kSwatches; ++i) swatches_[i]->SetPos(x + kPitch * i, y);
}

int CHOICE_COLOR::Update() {
  for (int i = 0; i < kSwatches; ++i) {
    if (swatches_[i]->Update(0, 0.0f) == 0) continue;
    selected_ = i;
    return i;
  }
  return -1;
}

void CHOICE_COLOR::Render() {
  for (int i = 0; i < kSwatches; ++i) {
    const int sx = int(swatches_[i]->position.x), sy = int(swatches_[i]->position.y);
    if (i == selected_) shadow_->Render(float(sx + kShadowOffset), float(sy + kShadowOffset));
    swatches_[i]->Render(0);
    plate_->SetColor(colors_[i]);
    plate_->SetPos(sx, sy);
    plate_->Render(0);
  }
}

}  // namespace GAME
