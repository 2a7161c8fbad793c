#include "ST/dialog_edit.h"

#include "GAME/config/globals.h"
#include "GAME/ui/engine_globals.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/sound.h"
#include "ST/textbox.h"
#include "platform/window.h"

namespace ZOV {
namespace {

constexpr int kAlignCentre = 0;
constexpr int kBoxWidth = 400;

float QuadHeight(const JSPRITE& s) { return s.quad.v[1].y - s.quad.v[0].y; }

// The keys are read through the game's global input state; before the
// entry has set it, through the game object's own.
ST_INPUT* Keys() { return INPUTNAME ? INPUTNAME : GetGame()->GetInput(); }

void DrawText(JFONT* f, int x, int y, const char* text) {
  if (!f || !text) return;
  f->alignment = kAlignCentre;
  f->SetColor(C_FONT_MAIN_COLOR);
  // Configured texts are drawn as they are: a '%' in one is a letter.
  f->Rende(x, y, text);
}

}  // namespace

JDIALOGEDIT::JDIALOGEDIT(const char*, const char*, const char* boxImage, JFONT* f)
    : JSPRITE(chWINDOWMINI, 0), font(f), boxFont(f) {
  ok = new JBUTTONMAP4(chBUTTON_OK);
  cancel = new JBUTTONMAP4(chBUTTON_CANCEL);
  box = new JTEXTBOX(boxImage, f);
  box->SetWidth(kBoxWidth);
  Reset();
  // Centred from the start, so that an Update before the first Render hits
  // the buttons where they are drawn.
  const ST_GAME* game = GetGame();
  SetPos(game->middle.x, game->middle.y);
}

JDIALOGEDIT::~JDIALOGEDIT() {
  delete ok;
  delete cancel;
  delete box;
}

int JDIALOGEDIT::Reset() {
  const float h = QuadHeight(*this);
  const float px = position.x, py = position.y;
  // 20 pixels above the lower edge.
  PlaceOkCancel(*ok, *cancel, px, py + h / 2.0f - 20.0f);
  return box->SetPos(px - box->width / 2.0f, py - box->height / 2.0f + 50.0f);
}

int JDIALOGEDIT::SetPos(int px, int py) {
  JSPRITE::SetPos(px, py);
  return Reset();
}

int JDIALOGEDIT::Update(int, float) {
  box->Update(0, 0.0f);
  ST_INPUT* keys = Keys();
  if (ok->Update(0, 0.0f) != 0 || keys->Key(plat::VK_RETURN) == 1) {
    SoundRender(eButton);
    char* typed = box->GetString();
    if (!typed) return kCancelled;
    name = typed;
    hasName = true;
    delete[] typed;
    box->DelAllElement();
    return kConfirmed;
  }
  if (cancel->Update(0, 0.0f) != 0 || keys->Key(plat::VK_ESCAPE) == 1) {
    SoundRender(eButton);
    box->DelAllElement();
    return kCancelled;
  }
  return 0;
}

int JDIALOGEDIT::Render(int) {
  JSPRITE::Render(0);
  const ST_GAME* game = GetGame();
  SetPos(game->middle.x, game->middle.y);
  const float h = QuadHeight(*this);
  DrawText(big, int(position.x), int(position.y - 0.33f * h + 50.0f), chTEXT_NEW_PLAYER_HEADER);
  DrawText(comix, int(position.x), int(position.y - 0.12f * h + 50.0f), chTEXT_NEW_PLAYER_PLEASE);
  ok->Render(0);
  cancel->Render(0);
  box->Render(0);
  return 0;
}

}  // namespace ZOV
