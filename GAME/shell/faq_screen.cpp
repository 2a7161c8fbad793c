#include "GAME/shell/faq_screen.h"

#include "GAME/config/globals.h"
#include "ST/button.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/sound.h"
#include "platform/window.h"

namespace {

int KnownMode(int mode) {
  return mode == FAQ_SCREEN::kMouseWithRotation || mode == FAQ_SCREEN::kPocket ? mode : FAQ_SCREEN::kMouse;
}

// A text without numbers, drawn as written (a '%' is a letter).
void DrawText(ZOV::JFONT* font, int alignment, int x, int y, const char* text) {
  if (font == nullptr || text == nullptr) return;
  font->alignment = alignment;
  font->Rende(x, y, text);
}

}  // namespace

FAQ_SCREEN::FAQ_SCREEN(int mode, const GAME::WindowKit& kit)
    : JSPRITE(KnownMode(mode) == kMouseWithRotation ? chSTBACK : chWINDOWMINI, 0), kit_(kit), mode_(KnownMode(mode)) {
  if (mode_ == kPocket) {
    timer_ = kPocketHeadStart;
    shown = true;
  }
  GAME::CentreOnScreen(*this, kit_.Game());
  const float x = position.x, y = position.y;
  const float w = float(GAME::ImageWidth(*this)), h = float(GAME::ImageHeight(*this));
  switch (mode_) {
    case kMouseWithRotation:
      picture1_ = std::make_unique<JSPRITE>(chFAQ_MOUSE, 0);
      picture1_->SetPos(int(x - w / 4.0f), int(y - h / 6.0f));
      picture2_ = std::make_unique<JSPRITE>(chFAQ_MOUSE_2, 0);
      picture2_->SetPos(int(x - w / 4.0f), int(y + h / 6.0f));
      break;
    case kPocket:
      picture1_ = std::make_unique<JSPRITE>(chFAQ_POCKET, 0);
      picture1_->SetPos(int(x - w / 4.0f), int(y));
      break;
    default:
      picture1_ = std::make_unique<JSPRITE>(chFAQ_MOUSE, 0);
      picture1_->SetPos(int(x - w / 4.0f), int(y));
      break;
  }
  ok_ = std::make_unique<JBUTTONMAP4>(chBUTTON_OK);
  ok_->SetPos(int(x), int(GAME::OkCancelRow(y, h, BUTTONSOKANDCANCELINDENTY)));
}

FAQ_SCREEN::~FAQ_SCREEN() = default;

int FAQ_SCREEN::Update(int, float) {
  ZOV::ST_GAME& game = kit_.Game();
  timer_ += game.GetDt();
  // The OK button is polled even while the window is hidden, so Enter or a
  // click on where OK will be closes it unseen.
  if (ok_->Update(0, 0.0f) == 1 || GAME::KeyWentDown(*game.GetInput(), plat::VK_RETURN)) {
    ZOV::SoundRender(kit_.click);
    return kClosed;
  }
  return 0;
}

int FAQ_SCREEN::Render(int) {
  if (timer_ <= kHiddenFor) return 0;
  shown = true;
  JSPRITE::Render(0);
  picture1_->Render(0);
  if (picture2_) picture2_->Render(0);
  ok_->Render(0);
  const float x = position.x, y = position.y;
  const float w = float(GAME::ImageWidth(*this)), h = float(GAME::ImageHeight(*this));
  const float headerY = mode_ == kMouseWithRotation ? y - 0.4f * h : y - 0.25f * h;
  DrawText(kit_.big, ZOV::JENUM::HOT_CENTER, int(x), int(headerY), chTEXT_FAQ_HEADER);
  const int textX = int(x - w / 8.0f);
  switch (mode_) {
    case kMouseWithRotation:
      DrawText(kit_.comix, ZOV::JENUM::HOT_LEFT_CENTER, textX, int(picture1_->position.y), chTEXT_FAQ_MOUSE);
      DrawText(kit_.comix, ZOV::JENUM::HOT_LEFT_CENTER, textX, int(picture2_->position.y), chTEXT_FAQ_MOUSE_ROTATION);
      break;
    case kPocket:
      DrawText(kit_.comix, ZOV::JENUM::HOT_LEFT_CENTER, textX, int(y - 20.0f), chTEXT_FAQ_POCKET);
      break;
    default:
      DrawText(kit_.comix, ZOV::JENUM::HOT_LEFT_CENTER, textX, int(y), chTEXT_FAQ_MOUSE);
      break;
  }
  return 0;
}
