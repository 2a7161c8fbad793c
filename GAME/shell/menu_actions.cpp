#include "GAME/shell/menu_actions.h"

#include "GAME/shell/play_panel.h"
#include "GAME/shell/scene.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/sound.h"
#include "platform/sys.h"

namespace GAME {

void ButtonPackClick(void* button) {
  if (!puzzle || !button) return;
  puzzle->ActivateButton(static_cast<BUTTONACT*>(button)->id);
}

void StartPuz() {
  if (puzzle) puzzle->StartNow();
}

void SetPuzzleOptions() {
  if (puzzle) puzzle->SetPzlOpt();
}

void Quit() {
  ZOV::SoundRender(eButton);
  if (puzzle) puzzle->OnPuzzleExit();
}

void SetP() {}

void SCENE::DropPlayPanelButton(int code) {
  if (playPanel) playPanel->DropButton(code);
}

void OffButtonRenderBorder() {
  if (puzzle) puzzle->DropPlayPanelButton(PLAY_PANEL::kBorder);
}

}  // namespace GAME

void Action() { plat::PrintLine("YES"); }
