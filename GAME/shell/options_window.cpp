#include "GAME/shell/options_window.h"

#include <cstdio>
#include <string>

#include "GAME/config/globals.h"
#include "GAME/config/player_record.h"
#include "GAME/shell/choice_color.h"
#include "ST/button.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/slider.h"
#include "platform/sys.h"

namespace GAME {

namespace {

const std::string kHyphens(36, '-');

// A slider set to trunc(volume x 100), with the console lines that show it.
void SetVolume(ZOV::JSLIDER_E& slider, float volume, const char* label) {
  const float percent = volume * 100.0f;
  slider.SetValue(int(percent));
  char value[32];
  std::snprintf(value, sizeof value, "%g", double(percent));
  plat::PrintLine(kHyphens);
  plat::PrintLine(label);
  plat::PrintLine(std::string("= ") + value);
  plat::PrintLine(kHyphens);
}

}  // namespace

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
  music_ = from.MusicVolum;
  sound_ = from.Sound;
  cursor_ = from.Cursor;
  color_ = from.Color;
  CentreOnScreen(*this, kit_.window.Game());
  const float x = position.x, y = position.y;
  const float w = float(ImageWidth(*this)), h = float(ImageHeight(*this));

  musicSlider_ = std::make_unique<ZOV::JSLIDER_E>(chPTNS_GM_SLIDER, chBUTTONMINUS, chBUTTONPLUS);
  musicSlider_->SetTotalSize(w / 2.5f);
  SetVolume(*musicSlider_, from.MusicVolum, "ProFile->fMusicVolume * 100");
  musicSlider_->SetPos(float(int(x - 50.0f)), float(int(y - 0.2f * h)));
  soundSlider_ = std::make_unique<ZOV::JSLIDER_E>(chPTNS_GM_SLIDER, chBUTTONMINUS, chBUTTONPLUS);
  soundSlider_->SetTotalSize(w / 2.5f);
  SetVolume(*soundSlider_, from.Sound, "ProFile->fSoundVolume * 100");
  soundSlider_->SetPos(float(int(x - 50.0f)), float(int(y - 0.05f * h)));

  cursorBox_ = std::make_unique<JBUTTONCHK>(chPTNS_GM_CHBOX);
  cursorBox_->SetPos(int(x - 50.0f), int(y + 46.0f));
  cursorBox_->checked = cursor_ ? 1 : 0;

  ok_ = std::make_unique<JBUTTONMAP4>(chBUTTON_OK);
  cancel_ = std::make_unique<JBUTTONMAP4>(chBUTTON_CANCEL);
  // Both straddle the window's lower edge and meet on its centre line.
  ok_->SetPos(int(x - float(FrameWidth(*ok_)) / 2.0f), int(y + h / 2.0f - float(ok_->GetHeight()) / 4.0f));
  cancel_->SetPos(int(x + float(FrameWidth(*cancel_)) / 2.0f), int(y + h / 2.0f - float(cancel_->GetHeight()) / 4.0f));

  gear_ = std::make_unique<JSPRITE>(chGEAR, 0);
  piano_ = std::make_unique<JSPRITE>(chFORTEPIANO, 0);
  violin_ = std::make_unique<JSPRITE>(chVIOLIN, 0);
  int headerW = 0;
  if (kit_.window.big != nullptr && chTEXT_SETTINGS_GAME_HEADER != nullptr)
    headerW = kit_.window.big->GetStringLenght(chTEXT_SETTINGS_GAME_HEADER);
  gear_->SetPos(int(x + float(headerW) * 0.5f + float(ImageWidth(*gear_)) / 2.0f + 20.0f), int(y - 0.37f * h));
  piano_->SetPos(int(x - 130.0f), int(y - 0.05f * h));
  violin_->SetPos(int(x - 130.0f), int(y - 0.2f * h));

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
  if (musicSlider_->Update(0, 0.0f) != 0) {
    music_ = musicSlider_->GetValue() / 100.0f;
    return kMusic;
  }
  if (soundSlider_->Update(0, 0.0f) != 0) {
    sound_ = soundSlider_->GetValue() / 100.0f;
    // A drag changes the value nearly every frame: one test sound at a time.
    testSound_.Play(kit_);
    return kSound;
  }
  if (cursorBox_->Update(0, 0.0f) != 0) {
    cursor_ = cursorBox_->checked != 0;
    return kCursor;
  }
  const ZOV::ST_INPUT& input = *kit_.window.Game().GetInput();
  if (ok_->Update(0, 0.0f) == 1 || KeyWentDown(input, kKeyEnter)) {
    profile_->Cursor = cursor_;
    profile_->MusicVolum = music_;
    profile_->Sound = sound_;
    profile_->Color = color_;
    return kOk;
  }
  if (cancel_->Update(0, 0.0f) == 1 || KeyWentDown(input, kKeyEscape)) return kCancel;
  return kNothing;
}

int PUZZLE_OPTIONS_GAME::Render(int) {
  if (kit_.window.dim != nullptr) kit_.window.dim->Render(0);
  JSPRITE::Render(0);
  gear_->Render(0);
  violin_->Render(0);
  piano_->Render(0);
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
  caption(int(musicSlider_->y), chTEXT_SETTINGS_GAME_MUSIC);
  musicSlider_->Render(0);
  caption(int(soundSlider_->y), chTEXT_SETTINGS_GAME_SOUND);
  soundSlider_->Render(0);
  caption(int(cursorBox_->position.y), chTEXT_SETTINGS_GAME_CURSOR);
  cursorBox_->Render(0);
  ok_->Render(0);
  cancel_->Render(0);
  // Centred on the row like the other captions, level with the swatches.
  caption(colors_->Position().y, chTEXT_SETTINGS_GAME_BACKGROUND);
  colors_->Render();
  return 0;
}

}  // namespace GAME
