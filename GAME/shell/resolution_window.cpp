#include "GAME/shell/resolution_window.h"

#include <cstdio>

#include "GAME/config/globals.h"
#include "GAME/config/player_record.h"
#include "GAME/shell/apply_resolution.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/sound.h"
#include "platform/sys.h"
#include "platform/window.h"

namespace GAME {

namespace {

std::string TextOr(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

// ---- CHEBOX_TEXT

CHEBOX_TEXT::CHEBOX_TEXT(std::string caption, ZOV::JFONT* font)
    : font_(font), box_(std::make_unique<JBUTTONCHK>(chPTNS_GM_CHBOX)), caption_(std::move(caption)) {
  SetPos(0, 0);
}

CHEBOX_TEXT::~CHEBOX_TEXT() = default;

void CHEBOX_TEXT::SetPos(int x, int y) {
  pos_ = JST::iPOINT(x, y);
  box_->SetPos(x, y);
}

int CHEBOX_TEXT::Update() { return box_->Update(0, 0.0f); }

void CHEBOX_TEXT::Render() {
  box_->Render(0);
  if (font_ == nullptr) return;
  font_->alignment = ZOV::JENUM::HOT_LEFT_CENTER;
  // A caption holds no numbers to format: drawn as written.
  font_->Rende(pos_.x + 30, pos_.y, caption_.c_str());
}

bool CHEBOX_TEXT::Ticked() const { return box_->checked != 0; }

void CHEBOX_TEXT::SetTicked(bool on) { box_->checked = on ? 1 : 0; }

// ---- PUZZLE_RESOLUTION

PUZZLE_RESOLUTION::PUZZLE_RESOLUTION(ZOV::JFONT* font, PUZZLE_PLAYER_PROFILE* profile, const OptionsKit& kit)
    : JSPRITE(chSTBACK, 0), kit_(kit), profile_(profile), font_(font) {
  plat::PrintLine("PUZZLE_RESOLUTION::PUZZLE_RESOLUTION() ");
  if (profile_ != nullptr) {
    openScreen_ = profile_->screen;
    openFull_ = profile_->Full;
  }
  full_ = std::make_unique<CHEBOX_TEXT>(TextOr(chTEXT_DIALOG_SELECT_RESOLUTION_FULL_SCREEN), font_);
  const JST::iPOINT desk = kit_.window.Game().desktop;
  struct Offer {
    int w, h;
    char* const* caption;
  };
  const Offer offers[kSizes] = {{1024, 768, &chTEXT_DIALOG_SELECT_RESOLUTION_XGA},
                                {1440, 900, &chTEXT_DIALOG_SELECT_RESOLUTION_MAC_AIR},
                                {1920, 1080, &chTEXT_DIALOG_SELECT_RESOLUTION_FULL_HD}};
  for (int i = 0; i < kSizes; ++i) {
    // Offered only when the desktop is strictly larger both ways: a size
    // equal to the desktop is the system choice.
    if (desk.x > offers[i].w && desk.y > offers[i].h)
      sizes_[i] = std::make_unique<CHEBOX_TEXT>(TextOr(*offers[i].caption), font_);
  }
  system_ = std::make_unique<CHEBOX_TEXT>(TextOr(chTEXT_DIALOG_SELECT_RESOLUTION_SYSTEM) + "\n(" +
                                              std::to_string(desk.x) + "x" + std::to_string(desk.y) + ")",
                                          font_);
  picture_ = std::make_unique<JSPRITE>(chRESOLUTION_FON, 0);
  ok_ = std::make_unique<BUTTONACT>(chBUTTON_OK, static_cast<void (*)()>(nullptr));
  cancel_ = std::make_unique<JBUTTONMAP4>(chBUTTON_CANCEL);
  ShowRecord();
  Reset();
  plat::PrintLine("PUZZLE_RESOLUTION::PUZZLE_RESOLUTION() OK");
}

PUZZLE_RESOLUTION::~PUZZLE_RESOLUTION() = default;

const JBUTTONMAP4& PUZZLE_RESOLUTION::OkButton() const { return *ok_; }

void PUZZLE_RESOLUTION::DeselectAllResolution() {
  for (auto& box : sizes_)
    if (box) box->SetTicked(false);
  system_->SetTicked(false);
}

void PUZZLE_RESOLUTION::ChangeResolution(int code) {
  DeselectAllResolution();
  for (int i = 0; i < kSizes; ++i) {
    if (code != kSizeCode[i]) continue;
    // A size the desktop cannot show has no box: nothing is ticked.
    if (sizes_[i]) sizes_[i]->SetTicked(true);
    return;
  }
  system_->SetTicked(true);
  full_->SetTicked(kit_.window.Game().fullScreen);
}

void PUZZLE_RESOLUTION::ShowRecord() {
  if (profile_ == nullptr) {
    ChangeResolution(ZOV::JENUM::SCREEN_DESKTOP);
    return;
  }
  ChangeResolution(profile_->screen);
  full_->SetTicked(profile_->Full);
}

void PUZZLE_RESOLUTION::Restore() {
  if (profile_ == nullptr) return;
  profile_->screen = openScreen_;
  profile_->Full = openFull_;
}

void PUZZLE_RESOLUTION::Reset() {
  CentreOnScreen(*this, kit_.window.Game());
  const int x = int(position.x), y = int(position.y);
  const float h = float(ImageHeight(*this));
  full_->SetPos(x - 250, y + 90);
  const int sizeY[kSizes] = {y + 20, y - 50, y - 120};
  for (int i = 0; i < kSizes; ++i)
    if (sizes_[i]) sizes_[i]->SetPos(x + 100, sizeY[i]);
  system_->SetPos(x + 100, y + 90);
  picture_->SetPos(x - 140, y - 70);
  ZOV::PlaceOkCancel(*ok_, *cancel_, position.x, OkCancelRow(position.y, h, BUTTONSOKANDCANCELINDENTY));
  if (confirm_) confirm_->Reset();
}

int PUZZLE_RESOLUTION::Update(int, float) {
  // Without a record there is nothing to edit: the window closes at once.
  if (profile_ == nullptr) return kCancel;

  if (confirm_) {
    const int answer = confirm_->Update(0, 0.0f);
    if (answer == APPLY_RESOLUTION::kRevert) {
      Restore();
      confirm_.reset();
      ShowRecord();
      return kApplyMode;
    }
    if (answer == APPLY_RESOLUTION::kKeep) {
      confirm_.reset();
      return kCancel;
    }
    return kNothing;
  }

  for (int i = 0; i < kSizes; ++i) {
    if (!sizes_[i] || sizes_[i]->Update() == 0) continue;
    // A click on the ticked box unticked it: radio buttons tick it again.
    DeselectAllResolution();
    sizes_[i]->SetTicked(true);
    profile_->screen = kSizeCode[i];
  }
  if (system_->Update() != 0) {
    DeselectAllResolution();
    system_->SetTicked(true);
    full_->SetTicked(true);
    profile_->screen = ZOV::JENUM::SCREEN_DESKTOP;
    profile_->Full = true;
  }
  // The desktop's size is always shown full screen: the box is locked.
  if (!system_->Ticked() && full_->Update() != 0) {
    profile_->Full = full_->Ticked();
    return kFullScreen;
  }

  const ZOV::ST_INPUT& input = *kit_.window.Game().GetInput();
  if (ok_->Update(0, 0.0f) == 1 || KeyWentDown(input, plat::VK_RETURN)) {
    ZOV::SoundRender(kit_.window.click);
    if (profile_->screen == openScreen_ && profile_->Full == openFull_) return kOk;
    PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
    confirm_ = std::make_unique<APPLY_RESOLUTION>(kit_);
    return kApplyMode;
  }
  if (cancel_->Update(0, 0.0f) != 0 || KeyWentDown(input, plat::VK_ESCAPE)) {
    ZOV::SoundRender(kit_.window.click);
    Restore();
    return kCancel;
  }
  return kNothing;
}

int PUZZLE_RESOLUTION::Render(int) {
  JSPRITE::Render(0);
  picture_->Render(0);
  const int x = int(position.x), y = int(position.y);
  if (kit_.window.big != nullptr && chTEXT_DIALOG_SELECT_RESOLUTION_HEADER != nullptr) {
    kit_.window.big->alignment = ZOV::JENUM::HOT_CENTER;
    kit_.window.big->SetColor(C_FONT_MAIN_COLOR);
    kit_.window.big->Rende(x, y - 230, chTEXT_DIALOG_SELECT_RESOLUTION_HEADER);
  }
  if (font_ != nullptr) font_->SetColor(C_FONT_MAIN_COLOR);
  for (auto& box : sizes_)
    if (box) box->Render();
  system_->Render();
  full_->Render();
  ok_->Render(0);
  cancel_->Render(0);
  if (confirm_) {
    // Dimmed beneath the confirmation: only its buttons answer now.
    if (kit_.window.dim != nullptr) kit_.window.dim->Render(0);
    confirm_->Render(0);
  }
  return 0;
}

}  // namespace GAME
