#include "GAME/shell/volume_rows.h"

#include <cstdio>
#include <string>

#include "GAME/config/globals.h"
#include "GAME/config/player_record.h"
#include "ST/button.h"
#include "ST/font.h"
#include "ST/slider.h"
#include "ST/sprite.h"
#include "platform/sys.h"

namespace GAME {

namespace {

// A slider set to trunc(volume x 100); with `label`, the console lines that
// show it.
void SetVolume(ZOV::JSLIDER_E& slider, float volume, const char* label) {
  const float percent = volume * 100.0f;
  slider.SetValue(int(percent));
  if (label == nullptr) return;
  const std::string hyphens(36, '-');
  char value[32];
  std::snprintf(value, sizeof value, "%g", double(percent));
  plat::PrintLine(hyphens);
  plat::PrintLine(label);
  plat::PrintLine(std::string("= ") + value);
  plat::PrintLine(hyphens);
}

}  // namespace

VolumeRows::VolumeRows(const PUZZLE_PLAYER_PROFILE& from, const char* checkBox, bool echo)
    : music_(from.MusicVolum), sound_(from.Sound), cursor_(from.Cursor) {
  musicSlider_ = std::make_unique<ZOV::JSLIDER_E>(chPTNS_GM_SLIDER, chBUTTONMINUS, chBUTTONPLUS);
  SetVolume(*musicSlider_, music_, echo ? "ProFile->fMusicVolume * 100" : nullptr);
  soundSlider_ = std::make_unique<ZOV::JSLIDER_E>(chPTNS_GM_SLIDER, chBUTTONMINUS, chBUTTONPLUS);
  SetVolume(*soundSlider_, sound_, echo ? "ProFile->fSoundVolume * 100" : nullptr);
  cursorBox_ = std::make_unique<JBUTTONCHK>(checkBox);
  cursorBox_->checked = cursor_ ? 1 : 0;
  piano_ = std::make_unique<JSPRITE>(chFORTEPIANO, 0);
  violin_ = std::make_unique<JSPRITE>(chVIOLIN, 0);
}

VolumeRows::~VolumeRows() = default;

void VolumeRows::Place(float x, float y, float w, float h) {
  for (ZOV::JSLIDER_E* s : {musicSlider_.get(), soundSlider_.get()}) s->SetTotalSize(w / 2.5f);
  musicSlider_->SetPos(float(int(x - 50.0f)), float(int(y - 0.2f * h)));
  soundSlider_->SetPos(float(int(x - 50.0f)), float(int(y - 0.05f * h)));
  cursorBox_->SetPos(int(x - 50.0f), int(y + 46.0f));
  piano_->SetPos(int(x - 130.0f), int(y - 0.05f * h));
  violin_->SetPos(int(x - 130.0f), int(y - 0.2f * h));
}

int VolumeRows::Update(const OptionsKit& kit) {
  if (musicSlider_->Update(0, 0.0f) != 0) {
    music_ = musicSlider_->GetValue() / 100.0f;
    return kMusic;
  }
  if (soundSlider_->Update(0, 0.0f) != 0) {
    sound_ = soundSlider_->GetValue() / 100.0f;
    // A drag changes the value nearly every frame: one test sound at a time.
    testSound_.Play(kit);
    return kSound;
  }
  if (cursorBox_->Update(0, 0.0f) != 0) {
    cursor_ = cursorBox_->checked != 0;
    return kCursor;
  }
  return kNothing;
}

void VolumeRows::RenderPictures() {
  violin_->Render(0);
  piano_->Render(0);
}

void VolumeRows::RenderRows(ZOV::JFONT* font, int captionX) {
  auto caption = [&](int cy, const char* text) {
    if (font == nullptr || text == nullptr) return;
    font->SetColor(C_FONT_MAIN_COLOR);
    font->alignment = ZOV::JENUM::HOT_LEFT_CENTER;
    font->Rende(captionX, cy, text);
  };
  caption(int(musicSlider_->y), chTEXT_SETTINGS_GAME_MUSIC);
  musicSlider_->Render(0);
  caption(int(soundSlider_->y), chTEXT_SETTINGS_GAME_SOUND);
  soundSlider_->Render(0);
  caption(int(cursorBox_->position.y), chTEXT_SETTINGS_GAME_CURSOR);
  cursorBox_->Render(0);
}

void VolumeRows::WriteTo(PUZZLE_PLAYER_PROFILE& record) const {
  record.Cursor = cursor_;
  record.MusicVolum = music_;
  record.Sound = sound_;
}

}  // namespace GAME
