// The keeper's side of the player-selection window: opening it, driving it
// once a frame, drawing it, and the header line naming the current player.
//
// The window class itself (GAME::PAZZLE_PROFILE_MANAGER) and the bitmap
// font are not part of this build yet, so no window is ever opened here:
// AddProfile lists the players, Update answers 0, Render and Reset have
// nothing to draw or lay out, and RenderName has no font to draw with. What
// the window's answers do lives in ChoosePlayer and DeletePlayer.
#include "GAME/config/profile.h"
#include "platform/sys.h"

namespace GAME {

PROFILE::~PROFILE() {
  CloseDialog();
  ClearNames();
  delete settings_;
}

void PROFILE::CloseDialog() {
  // Only a window object can be open; none is made in this build.
  dialog_ = nullptr;
}

void PROFILE::AddProfile() { GetNames(); }

int PROFILE::Update() { return dialog_ ? kDialogOpen : 0; }

void PROFILE::Render() {}

void PROFILE::Reset(int, int) {}

void PROFILE::RenderName(int, int) {
  if (font_ == nullptr) plat::PrintLine("NO FONT IN PROFILE");
}

}  // namespace GAME
