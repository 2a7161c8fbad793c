// GAME::LIDER_BOARD: the modal window that ranks every player of the
// installation by total score, five rows at a time, the first three places
// highlighted. The scene manager selects the interface pack
// (C_NAME_PACK_GUI, C_PAS_GUI) around the constructor, fills the board
// (GAME::FillLeaderBoard: one GAME::LIDER_OPT per player with a score),
// polls Update once a frame and deletes the board once it answers kClosed.
//
// Update: kClosed on an OK click or Enter going down, with the click
// sound, else 0; Escape does nothing. With more than five entries the
// scroll bar is polled too, and its value (0 to entries - 5) is the first
// entry shown.
//
// Layout, (x, y) = (cx, cy) the screen centre where the window stands, H
// the background's image height, h OK's height, pw x ph the row plate's
// image (and quad) size; sprite centres, float arithmetic, positions
// truncated:
//   picture chLIDERPIC        (x + 55, y - 0.35 H)              picY
//   header  big, centred, chTEXT_LIDER_BOARD_HEADER (as written) at (x, picY - 10)
//   row plate chLIDERTABLE    (x, picY + 100)                   px, py
//   scroll bar                top end (x + pw / 1.8, picY + 80), track 5 ph long
//   OK                        (cx, cy + H/2 - h/4)
//   slot i (0..4)             centred on y_i = py + i (ph + 5): the highlight
//                             chLIDERUNDER at (x, y_i) when the place shown
//                             there (first + i + 1) is 3 or less, then the
//                             row plate at (x, y_i)
//   entry in slot i           the board's font, centred on y_i: the place
//                             "%i" at px - 260, the name (as written: names
//                             come from folder names) at px - 78, the score
//                             "%i" at px + 190
// At 1024 x 768 with a 760 x 600 background and a 500 x 40 plate: picture
// (567, 174), plate (512, 274), slots at 274, 319, 364, 409, 454.
//
// Render draws the dim layer, the background, the picture, the header, OK,
// the scroll bar (nothing while its range is empty: five entries or
// fewer), the five slots, then the entries; it returns 1.
//
// Main thread only. The board owns its sprites and its entries (copies).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "GAME/ui/window_layout.h"
#include "ST/sprite.h"

class JBUTTONMAP4;
class JVSLIDER_E;

namespace ZOV {
class JFONT;
}

namespace GAME {

class PROFILE;

// One player on the board: the name and the total score.
struct LIDER_OPT {
  std::string name;
  int score = 0;
};

class LIDER_BOARD : public JSPRITE {
 public:
  static constexpr int kNothing = 0;
  static constexpr int kClosed = -1;
  static constexpr int kRowsShown = 5;
  static constexpr int kHighlighted = 3;  // places 1 to 3
  static constexpr int kRowGap = 5;

  // `font` draws the entries (the scene manager passes comix).
  explicit LIDER_BOARD(ZOV::JFONT* font, const WindowKit& kit = WindowKit::Shared());
  ~LIDER_BOARD() override;
  LIDER_BOARD(const LIDER_BOARD&) = delete;
  LIDER_BOARD& operator=(const LIDER_BOARD&) = delete;

  // Adds a copy of the entry, sets the scroll bar's maximum to entries - 5
  // and sorts.
  void AddLider(const LIDER_OPT& entry);
  // Highest score first, by an exchange sort: for each i, for each later j
  // in order, the two are exchanged when the entry now at i scores lower.
  void SortVect();

  // kClosed or kNothing; the arguments are not used.
  int Update(int, float) override;
  int Render(int) override;

  const std::vector<LIDER_OPT>& Entries() const { return entries_; }
  int FirstRow() const { return firstRow_; }
  const JSPRITE& Picture() const { return *picture_; }
  const JSPRITE& RowPlate() const { return *plate_; }
  const JSPRITE& Highlight() const { return *highlight_; }
  const JBUTTONMAP4& OkButton() const { return *ok_; }
  JVSLIDER_E& ScrollBar() { return *scroll_; }

 private:
  WindowKit kit_;
  ZOV::JFONT* font_;
  std::unique_ptr<JVSLIDER_E> scroll_;
  std::unique_ptr<JBUTTONMAP4> ok_;
  std::unique_ptr<JSPRITE> picture_;
  std::unique_ptr<JSPRITE> plate_;
  std::unique_ptr<JSPRITE> highlight_;
  int firstRow_ = 0;
  std::vector<LIDER_OPT> entries_;
};

// Adds every player of the profile's player list whose score can be read
// (GetScore4Player not -1: a player without a record is left out).
void FillLeaderBoard(LIDER_BOARD& board, PROFILE& profile);

}  // namespace GAME
