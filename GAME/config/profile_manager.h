// GAME::PAZZLE_PROFILE_MANAGER: the modal window in which the player picks,
// adds or deletes a player. It shows a header, a picture, the list of player
// names, OK and Cancel, and two flat buttons, Add and Delete; Add opens the
// name dialog over it. The window only edits its list: the profile keeper
// (GAME::PROFILE) drives it every frame and does the file work on its
// answers (Update: 1 OK, -1 Cancel, -4 Delete, 0 anything else).
//
// Layout, around the screen centre (cx, cy) where the window stands, with
// wW x wH the window image, tW x tH its texture and bW x bH a button's
// whole four-frame image:
//   OK, Cancel      (cx -/+ bW / 8, cy + wH / 2 - bH / 4)
//   Add, Delete     (cx + 0.28 wW, cy - 0.2 wH), (cx + 0.28 wW, cy - 0.07 wH)
//   picture         (cx, cy - 0.35 wH)
//   header          (cx, cy - 0.4 wH + 35)
//   list            top-left (cx - tW / 2 + 0.05 tW, cy - tH / 2 + 0.2 tW),
//                   trunc(0.5 tW) square
//
// Images come from the interface pack (C_NAME_PACK_GUI); the pack selection
// of ZOV::ifile is put back as it was once they are loaded. The font is lent
// (header and rows); `comix` draws the button labels, `eButton` clicks.
#pragma once

#include <string>
#include <vector>

#include "ST/file.h"
#include "ST/object.h"

class JSPRITE;
class JBUTTONMAP4;
class JLISTBOX;

namespace ZOV {
class JFONT;
class JDIALOGEDIT;
}  // namespace ZOV

namespace GAME {

class PAZZLE_PROFILE_MANAGER : public JST::ST {
 public:
  // Results of Update().
  static constexpr int kOk = 1;
  static constexpr int kCancel = -1;
  static constexpr int kDelete = -4;

  // Only `boxImage` (the name dialog's text box) and `font` are used; the
  // other names are handed on to children that ignore them.
  PAZZLE_PROFILE_MANAGER(const char* unused1, const char* unused2, const char* a3, const char* a4,
                         const char* a5, const char* boxImage, ZOV::JFONT* font);
  ~PAZZLE_PROFILE_MANAGER() override;
  PAZZLE_PROFILE_MANAGER(const PAZZLE_PROFILE_MANAGER&) = delete;
  PAZZLE_PROFILE_MANAGER& operator=(const PAZZLE_PROFILE_MANAGER&) = delete;

  // kOk, kCancel (the window hides), kDelete (it stays), else 0. OK and
  // Delete answer only while a name is selected.
  int Update(int, float) override;
  // Draws the window while it is visible; 0.
  int Render(int) override;

  // The selected name, null when the list is empty.
  const char* GetCurString() const;
  // Adds the name (and selects it) unless an equal one is listed; 0.
  int AddName(const char* name);
  // Removes the selected name; an emptied list gets the default player's
  // name back; 0.
  int DelName();
  // Replaces the list by `names`, added in that order.
  void SetNames(const std::vector<std::string>& names);
  // The names in list order (oldest first) as a new list of new[] copies,
  // freed with ZOV::FreeNameList; an empty list leaves *out unchanged. 0.
  int GetNames(ZOV::JINVECPTR<char*>** out) const;
  // Lays everything out again around the screen centre (the list keeps its
  // size); the arguments are not used. 0.
  int Reset(int w, int h);
  // Hands the font's size to the list; 1.
  int SetSizeFont();

  bool NameDialogShown() const { return !nameDialogClosed; }

  bool visible = true;
  bool nameDialogClosed = true;
  JSPRITE* window = nullptr;
  ZOV::JFONT* headerFont = nullptr;
  ZOV::JFONT* listFont = nullptr;
  JBUTTONMAP4* ok = nullptr;
  JBUTTONMAP4* cancel = nullptr;
  JBUTTONMAP4* add = nullptr;
  JBUTTONMAP4* del = nullptr;
  JLISTBOX* list = nullptr;
  JSPRITE* picture = nullptr;
  ZOV::JDIALOGEDIT* nameDialog = nullptr;

 private:
  void Layout(bool sizeList);
  int WindowW() const;
  int WindowH() const;
};

}  // namespace GAME
