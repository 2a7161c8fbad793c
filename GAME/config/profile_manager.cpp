#include "GAME/config/profile_manager.h"

#include <cstring>

#include "GAME/config/globals.h"
#include "GAME/config/player_name.h"
#include "GAME/ui/engine_globals.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/dialog_edit.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/listbox.h"
#include "ST/renderer.h"
#include "ST/sound.h"
#include "ST/sprite.h"
#include "ST/textbox.h"
#include "platform/sys.h"

namespace GAME {
namespace {

constexpr int kAlignCentre = 0;

float QuadWidth(const JSPRITE* s) { return s->quad.v[3].x - s->quad.v[0].x; }
float QuadHeight(const JSPRITE* s) { return s->quad.v[1].y - s->quad.v[0].y; }

ZOV::JINGFX* Gfx() { return zov ? zov : ZOV::GetGame()->GetGfx(); }

void DrawLabel(ZOV::JFONT* f, const JSPRITE* at, const char* text) {
  if (!f || !text) return;
  f->alignment = kAlignCentre;
  f->Rende(int(at->position.x), int(at->position.y), text);
}

}  // namespace

PAZZLE_PROFILE_MANAGER::PAZZLE_PROFILE_MANAGER(const char*, const char* second, const char* a3, const char* a4,
                                               const char* a5, const char* boxImage, ZOV::JFONT* font) {
  PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
  visible = true;
  nameDialogClosed = true;
  headerFont = listFont = font;
  window = new JSPRITE(chSTBACK, 0);
  ok = new JBUTTONMAP4(chBUTTON_OK);
  cancel = new JBUTTONMAP4(chBUTTON_CANCEL);
  add = new JBUTTONMAP4(chBUTTONFLAT);
  del = new JBUTTONMAP4(chBUTTONFLAT);
  picture = new JSPRITE(chPLAYPLAYERS, 0);
  list = new JLISTBOX(a3, a4);
  Layout(true);
  list->Update(0, 0.0f);
  nameDialog = new ZOV::JDIALOGEDIT(a5, second, boxImage, font);
  SetSizeFont();
}

PAZZLE_PROFILE_MANAGER::~PAZZLE_PROFILE_MANAGER() {
  delete window;
  delete ok;
  delete cancel;
  delete add;
  delete del;
  delete list;
  delete nameDialog;
  delete picture;
}

int PAZZLE_PROFILE_MANAGER::WindowW() const { return Gfx()->GetTextureW(window->GetTexture()); }
int PAZZLE_PROFILE_MANAGER::WindowH() const { return Gfx()->GetTextureH(window->GetTexture()); }

void PAZZLE_PROFILE_MANAGER::Layout(bool sizeList) {
  const JST::iPOINT c = ZOV::GetGame()->middle;
  window->SetPos(c.x, c.y);
  const float wx = window->position.x, wy = window->position.y;
  const float wW = QuadWidth(window), wH = QuadHeight(window);
  ZOV::PlaceOkCancelOnEdge(*ok, *cancel, wx, wy + wH / 2.0f);
  add->SetPos(int(wx + 0.28f * wW), int(wy - 0.2f * wH));
  del->SetPos(int(wx + 0.28f * wW), int(wy - 0.07f * wH));
  picture->SetPos(int(wx), int(wy - 0.35f * wH));
  const int tW = WindowW(), tH = WindowH();
  list->SetPos(float(c.x - tW / 2) + 0.05f * float(tW), float(c.y - tH / 2) + 0.2f * float(tW));
  if (sizeList) list->SetSize(int(0.5f * float(tW)), int(0.5f * float(tW)));
}

int PAZZLE_PROFILE_MANAGER::Update(int, float) {
  if (nameDialogClosed) {
    list->Update(0, 0.0f);
    if (ok->Update(0, 0.0f) != 0) {
      // Nothing to choose: the window stays as it is.
      if (!GetCurString()) return 0;
      ZOV::SoundRender(eButton);
      visible = false;
      return kOk;
    }
    if (cancel->Update(0, 0.0f) != 0) {
      ZOV::SoundRender(eButton);
      visible = false;
      return kCancel;
    }
    if (add->Update(0, 0.0f) != 0) {
      ZOV::SoundRender(eButton);
      nameDialogClosed = false;
      nameDialog->box->focused = true;
    }
    if (del->Update(0, 0.0f) != 0) {
      if (!GetCurString()) return 0;
      ZOV::SoundRender(eButton);
      return kDelete;
    }
    return 0;
  }
  const int r = nameDialog->Update(0, 0.0f);
  if (r == ZOV::JDIALOGEDIT::kConfirmed) {
    const char* name = nameDialog->GetName();
    if (name && !IsValidPlayerName(name))
      plat::PrintLine("New player name refused: \"" + PrintableName(name) + "\"");
    else if (name && !list->SearchMatches(name))
      list->AddElement(listFont, name);
    nameDialogClosed = true;
  } else if (r < 0) {
    nameDialogClosed = true;
  }
  return 0;
}

int PAZZLE_PROFILE_MANAGER::Render(int) {
  if (!visible) return 0;
  if (blackTranslucent) blackTranslucent->Render(0);
  window->Render(0);
  picture->Render(0);
  if (headerFont && chTEXT_PROFILE_MANAGER_HEADER) {
    headerFont->alignment = kAlignCentre;
    headerFont->SetColor(C_FONT_MAIN_COLOR);
    // A configured text: drawn as it is, a '%' being a letter.
    headerFont->Rende(int(window->position.x), int(window->position.y - 0.4f * QuadHeight(window) + 35.0f),
                      chTEXT_PROFILE_MANAGER_HEADER);
  }
  list->Render(0);
  ok->Render(0);
  cancel->Render(0);
  add->Render(0);
  DrawLabel(comix, add, chTEXT_PLAYER_SELECTION_ADD);
  del->Render(0);
  DrawLabel(comix, del, chTEXT_PLAYER_SELECTION_DEL);
  if (!nameDialogClosed) nameDialog->Render(0);
  return 0;
}

const char* PAZZLE_PROFILE_MANAGER::GetCurString() const { return list->GetSelectedString(); }

int PAZZLE_PROFILE_MANAGER::AddName(const char* name) {
  if (name && !list->SearchMatches(name)) list->AddElement(listFont, name);
  return 0;
}

int PAZZLE_PROFILE_MANAGER::DelName() {
  list->DelElement();
  if (list->RowCount() == 0) AddName(DefaultPlayerName().c_str());
  return 0;
}

void PAZZLE_PROFILE_MANAGER::SetNames(const std::vector<std::string>& names) {
  list->Clear();
  for (const std::string& n : names) AddName(n.c_str());
}

int PAZZLE_PROFILE_MANAGER::GetNames(ZOV::JINVECPTR<char*>** out) const {
  if (!out || list->RowCount() == 0) return 0;
  ZOV::JINVECPTR<char*>* head = nullptr;
  ZOV::JINVECPTR<char*>** tail = &head;
  int index = 0;
  for (const JLISTBOX::ELEMENT* row : list->rows) {
    auto* node = new ZOV::JINVECPTR<char*>;
    node->index = index++;
    node->value = new char[row->text.size() + 1];
    std::memcpy(node->value, row->text.c_str(), row->text.size() + 1);
    *tail = node;
    tail = &node->next;
  }
  *out = head;
  return 0;
}

int PAZZLE_PROFILE_MANAGER::Reset(int, int) {
  Layout(false);
  const JST::iPOINT c = ZOV::GetGame()->middle;
  return nameDialog->SetPos(c.x, c.y);
}

int PAZZLE_PROFILE_MANAGER::SetSizeFont() {
  list->SetSizeFont(listFont ? listFont->GetSize() : 0.0f);
  return 1;
}

}  // namespace GAME
