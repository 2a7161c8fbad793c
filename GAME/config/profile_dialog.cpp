// The keeper's side of the player-selection window: opening it with the
// players listed, driving it once a frame and applying its answers, drawing
// it, and the header line naming the current player. What the answers do to
// the files lives in ChoosePlayer and DeletePlayer.
#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "GAME/config/profile_manager.h"
#include "ST/font.h"
#include "platform/sys.h"

namespace GAME {

PROFILE::~PROFILE() {
  CloseDialog();
  ClearNames();
  delete settings_;
}

void PROFILE::CloseDialog() {
  // The window borrows the font; deleting it leaves the font alone.
  delete dialog_;
  dialog_ = nullptr;
}

void PROFILE::AddProfile() {
  CloseDialog();
  dialog_ = new PAZZLE_PROFILE_MANAGER(nullptr, nullptr, nullptr, nullptr, chSTBACK, chEDITBOX, font_);
  for (ZOV::JINVECPTR<char*>* n = GetNames(); n != nullptr; n = n->next) dialog_->AddName(n->value);
}

int PROFILE::Update() {
  if (dialog_ == nullptr) return 0;
  switch (dialog_->Update(0, 0.0f)) {
    case 0:
      return kDialogOpen;
    case PAZZLE_PROFILE_MANAGER::kOk: {
      const char* selected = dialog_->GetCurString();
      // A copy: choosing reads the name while the window may change.
      const std::string name = selected ? selected : "";
      if (selected != nullptr && ChoosePlayer(name.c_str()) == 0) {
        CloseDialog();
        return kPlayerChanged;
      }
      // Nothing was chosen: the window stays open for another choice.
      dialog_->visible = true;
      return kDialogOpen;
    }
    case PAZZLE_PROFILE_MANAGER::kDelete: {
      const char* selected = dialog_->GetCurString();
      if (selected == nullptr) return kDialogOpen;
      const std::string name = selected;
      if (DeletePlayer(name.c_str()) != 0) {
        // The folder is (partly) still there: show what the disk holds, keep
        // the current player.
        dialog_->SetNames(PlayerList());
        return kDialogOpen;
      }
      dialog_->DelName();
      ChoosePlayer(dialog_->GetCurString());
      return kPlayerChanged;
    }
    case PAZZLE_PROFILE_MANAGER::kCancel:
      CloseDialog();
      return 0;
    default:
      return 0;
  }
}

void PROFILE::Render() {
  if (dialog_ != nullptr) dialog_->Render(0);
}

void PROFILE::Reset(int w, int h) {
  if (dialog_ != nullptr) dialog_->Reset(w, h);
}

void PROFILE::RenderName(int x, int y) {
  if (font_ == nullptr) {
    plat::PrintLine("NO FONT IN PROFILE");
    return;
  }
  font_->alignment = 0;
  font_->SetColor(C_FONT_MAIN_COLOR);
  font_->Rende(x, int(0.8f * float(y)), HeaderLine().c_str());
}

}  // namespace GAME
