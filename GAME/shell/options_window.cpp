#include "GAME/shell/options_window.h"

#include "GAME/config/globals.h"
#include "GAME/config/player_record.h"
#include "GAME/shell/choice_color.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/slider.h"
#include "platform/sys.h"
#include "platform/window.h"

namespace GAME {

static_assert(PUZZLE_OPTIONS_GAME::kMusic == VolumeRows::kMusic && PUZZLE_OPTIONS_GAME::kSound == VolumeRows::kSound &&
              PUZZLE_OPTIONS_GAME::kCursor == VolumeRows::kCursor);

PUZZLE_OPTIONS_GAME::PUZZLE_OPTIONS_GAME(PUZZLE_PLAYER_PROFILE* profile, const OptionsKit& kit)
    : JSPRITE(chSTBACK, 0), kit_(kit), profile_(profile) {
  plat::PrintLine("PUZZLE_OPTIONS_GAME::PUZZLE_OPTIONS_GAME ");
  PUZZLE_PLAYER_PROFILE blank;
  if (profile_ == nullptr) {
    ZOV::ifile.Log("Uncorrect profile in  PUZZLE_OPTIONS_GAME", true);
    // Nothing to edit: the first Update closes the window. The controls
    // show a new player's values meanwhile.
    blank.SetDefaults(ZOV::JENUM::SCREEN_DESKTOP, true);
  }
  const PUZZLE_PLAYER_PROFILE& from = profile_ != nullptr ? *profile_ : blank;
  color_ = from.Color;
  CentreOnScreen(*this, kit_.window.Game());
  const float x = position.x, y = position.y;
  const float w = float(ImageWidth(*this)), h = float(ImageHeight(*this));

  rows_ = std::make_unique<VolumeRows>(from, chPTNS_GM_CHBOX, true);
  rows_->Place(x, y, w, h);

  ok_ = std::make_unique<JBUTTONMAP4>(chBUTTON_OK);
  cancel_ = std::make_unique<JBUTTONMAP4>(chBUTTON_CANCEL);
  // Both straddle the window's lower edge and meet on its centre line.
  ZOV::PlaceOkCancelOnEdge(*ok_, *cancel_, x, y + h / 2.0f);

  gear_ = std::make_unique<JSPRITE>(chGEAR, 0);
  int headerW = 0;
  if (kit_.window.big != nullptr && chTEXT_SETTINGS_GAME_HEADER != nullptr)
    headerW = kit_.window.big->GetStringLenght(chTEXT_SETTINGS_GAME_HEADER);
  gear_->SetPos(int(x + float(headerW) * 0.5f + float(ImageWidth(*gear_)) / 2.0f + 20.0f), int(y - 0.37f * h));

  colors_ = std::make_unique<CHOICE_COLOR>(from.Color);
  const JST::iPOINT middle = kit_.window.Game().middle;
  colors_->SetPos(middle.x - 50, int(float(middle.y) + 0.2f * h));
  plat::PrintLine("PUZZLE SETTINGS OK");
}

PUZZLE_OPTIONS_GAME::~PUZZLE_OPTIONS_GAME() {
  ZOV::ifile.Log("~PUZZLE_OPTIONS_GAME()", true);
  ZOV::ifile.Log("~PUZZLE_OPTIONS_GAME()   ok", true);
}

int PUZZLE_OPTIONS_GAME::Update(int, float) {
  // Without a record there is nothing to edit: the window closes at once.
  if (profile_ == nullptr) return kCancel;

  const int swatch = colors_->Update();
  if (swatch >= 0) {
    color_ = colors_->Color(swatch);
    return kColor;
  }
  // The rows answer with this window's kMusic, kSound and kCursor.
  if (const int row = rows_->Update(kit_); row != VolumeRows::kNothing) return row;
  const ZOV::ST_INPUT& input = *kit_.window.Game().GetInput();
  if (ok_->Update(0, 0.0f) == 1 || KeyWentDown(input, plat::VK_RETURN)) {
    rows_->WriteTo(*profile_);
    profile_->Color = color_;
    return kOk;
  }
  if (cancel_->Update(0, 0.0f) == 1 || KeyWentDown(input, plat::VK_ESCAPE)) return kCancel;
  return kNothing;
}

int PUZZLE_OPTIONS_GAME::Render(int) {
  if (kit_.window.dim != nullptr) kit_.window.dim->Render(0);
  JSPRITE::Render(0);
  gear_->Render(0);
  rows_->RenderPictures();
  const float x = position.x, y = position.y;
  const float w = float(ImageWidth(*this)), h = float(ImageHeight(*this));
  if (ZOV::JFONT* big = kit_.window.big; big != nullptr && chTEXT_SETTINGS_GAME_HEADER != nullptr) {
    big->alignment = ZOV::JENUM::HOT_CENTER;
    big->SetColor(C_FONT_MAIN_COLOR);
    big->Rende(int(x), int(y - 0.37f * h), chTEXT_SETTINGS_GAME_HEADER);
  }
  ZOV::JFONT* comix = kit_.window.comix;
  const int captionX = int(x - 0.45f * w);
  auto caption = [&](int cy, const char* text) {
    if (comix == nullptr || text == nullptr) return;
    comix->SetColor(C_FONT_MAIN_COLOR);
    comix->alignment = ZOV::JENUM::HOT_LEFT_CENTER;
    comix->Rende(captionX, cy, text);
  };
  rows_->RenderRows(comix, captionX);
  ok_->Render(0);
  cancel_->Render(0);
  // Centred on the row like the other captions, level with the swatches.
  caption(colors_->Position().y, chTEXT_SETTINGS_GAME_BACKGROUND);
  colors_->Render();
  return 0;
}

}  // namespace GAME
