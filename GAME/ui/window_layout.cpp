#include "GAME/ui/window_layout.h"

#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/sprite.h"

namespace GAME {

WindowKit WindowKit::Shared() { return WindowKit{ZOV::GetGame(), ::big, ::comix, ::eButton, ::blackTranslucent}; }

ZOV::ST_GAME& WindowKit::Game() const { return game != nullptr ? *game : *ZOV::GetGame(); }

bool KeyWentDown(const ZOV::ST_INPUT& input, int vk) { return input.Key(vk) == 1; }

int ImageWidth(const JSPRITE& s) { return s.GetMyTexWidth(ZOV::JENUM::IMAGE_SIZE); }
int ImageHeight(const JSPRITE& s) { return s.GetMyTexHeight(ZOV::JENUM::IMAGE_SIZE); }

void CentreOnScreen(JSPRITE& window, const ZOV::ST_GAME& game) { window.SetPos(game.middle.x, game.middle.y); }

float OkCancelRow(float windowY, float windowH, float indent) { return windowY + windowH * indent; }

void ForgetHover(BUTTONACT& button) {
  if (button.state != JBUTTONMAP4::STATE_HOVER) return;
  button.Activate(true);  // the normal frame; a hovered button is active
  button.tipShown = false;
  button.tipTimer = 0.0f;
}

}  // namespace GAME
