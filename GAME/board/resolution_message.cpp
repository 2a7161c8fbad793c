// The resolution message: layout, its two buttons' answers, drawing.
#include "GAME/board/resolution_message.h"

#include "GAME/config/globals.h"
#include "GAME/config/text_format.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/draw_types.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/sound.h"

PUZZLE_MESSAGE_RESOLUTION::PUZZLE_MESSAGE_RESOLUTION(ZOV::ST_GAME* game) : JSPRITE(chWINDOWMINI, 0), game_(game) {
  ok_ = new BUTTONACT(chBUTTON_OK, static_cast<void (*)()>(nullptr));
  cancel_ = new BUTTONACT(chBUTTON_CANCEL, static_cast<void (*)()>(nullptr));
  Reset();
}

PUZZLE_MESSAGE_RESOLUTION::~PUZZLE_MESSAGE_RESOLUTION() {
  delete ok_;
  ok_ = nullptr;
  delete cancel_;
  cancel_ = nullptr;
}

void PUZZLE_MESSAGE_RESOLUTION::Reset() {
  const int cx = game_->middle.x, cy = game_->middle.y;
  const float row = float(cy) + float(imageSize.y) * BUTTONSOKANDCANCELINDENTY;
  // 1. The window centred on the screen.
  SetPos(cx, cy);
  // OK left of the centre line, Cancel right of it, half a frame off.
  ZOV::PlaceOkCancel(*ok_, *cancel_, float(cx), row);
}

int PUZZLE_MESSAGE_RESOLUTION::Update() {
  if (cancel_->Update(0, 0.0f) == 1) {
    ZOV::SoundRender(eButton);
    return kCancel;
  }
  if (ok_->Update(0, 0.0f) == 1) {
    ZOV::SoundRender(eButton);
    return kOk;
  }
  return kNothing;
}

void PUZZLE_MESSAGE_RESOLUTION::Render() {
  JSPRITE::Render(0);
  ok_->Render(0);
  cancel_->Render(0);
  if (comix) {
    comix->alignment = ZOV::JENUM::HOT_CENTER;
    GAME::cfg::RenderText(comix, int(position.x), int(position.y), chTEXT_PUUZLE_WAS_ASSEMBLY_OTHER_RES);
  }
}
