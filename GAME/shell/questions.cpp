#include "GAME/shell/questions.h"

#include "GAME/config/globals.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/sound.h"
#include "platform/window.h"

YES_NO_QUESTION::YES_NO_QUESTION(const GAME::WindowKit& kit, const char* background, const char* logo,
                                 char* const* text)
    : JSPRITE(background, 0),
      kit_(kit),
      text_(text),
      logo_(std::make_unique<JSPRITE>(logo, 0)),
      ok_(std::make_unique<JBUTTONMAP4>(chBUTTON_OK)),
      cancel_(std::make_unique<JBUTTONMAP4>(chBUTTON_CANCEL)) {
  Reset();
}

YES_NO_QUESTION::~YES_NO_QUESTION() = default;

void YES_NO_QUESTION::Reset() {
  GAME::CentreOnScreen(*this, kit_.Game());
  const float x = position.x, y = position.y;
  const float w = float(GAME::ImageWidth(*this)), h = float(GAME::ImageHeight(*this));
  logo_->SetPos(int(x - w / 4.0f), int(y));
  // The buttons straddle the window's lower edge: a quarter of their height
  // above it, three quarters below.
  ZOV::PlaceOkCancelOnEdge(*ok_, *cancel_, x, y + h / 2.0f);
}

int YES_NO_QUESTION::TextX() const { return int(logo_->position.x + float(GAME::ImageWidth(*logo_) / 2)); }

int YES_NO_QUESTION::Update(int, float) {
  const ZOV::ST_INPUT& input = *kit_.Game().GetInput();
  if (ok_->Update(0, 0.0f) == 1 || GAME::KeyWentDown(input, plat::VK_RETURN)) {
    ZOV::SoundRender(kit_.click);
    return kYes;
  }
  if (cancel_->Update(0, 0.0f) == 1 || GAME::KeyWentDown(input, plat::VK_ESCAPE)) {
    ZOV::SoundRender(kit_.click);
    return kNo;
  }
  return kNothing;
}

int YES_NO_QUESTION::Render(int) {
  if (kit_.dim != nullptr) kit_.dim->Render(0);
  JSPRITE::Render(0);
  logo_->Render(0);
  if (kit_.big != nullptr && text_ != nullptr && *text_ != nullptr) {
    kit_.big->alignment = ZOV::JENUM::HOT_LEFT_CENTER;
    kit_.big->SetColor(C_FONT_MAIN_COLOR);
    // A configured text without numbers: drawn as written, a '%' being a letter.
    kit_.big->Rende(TextX(), int(position.y), *text_);
  }
  ok_->Render(0);
  cancel_->Render(0);
  return 1;
}

PUZZLE_SAVE_QUEST::PUZZLE_SAVE_QUEST(const GAME::WindowKit& kit)
    : YES_NO_QUESTION(kit, chWINDOWMINI, chSAVELOGO, &chTEXT_SAVE_PUZZLE) {}

PUZZLE_QUIT_QUEST::PUZZLE_QUIT_QUEST(const GAME::WindowKit& kit)
    : YES_NO_QUESTION(kit, chWINDOWMINI, chEXITQ, &chTEXT_EXIT_GAME) {}
