// GAME::CHOICE_COLOR: the row of four swatches in the in-game options with
// which the player picks the board's background colour
// (C_COLOR_BACKGROUND_0 to C_COLOR_BACKGROUND_3, copied at construction).
//
// The caller selects the interface pack (for the colour plate chFrontColor);
// the row selects the menu pack (C_NAME_PACK_MENU, C_PAS_MENY) itself for
// the swatches (chWhitePlain) and the selection shadow (chQShadow), and puts
// the caller's selection back.
//
// The selection starts at the first swatch whose colour equals the given
// one, else at swatch 0. Update answers the index (0..3) of the first
// swatch pressed this frame (left or right button, caught as it goes down;
// pressing the selected one answers it again) and selects it; -1 when none.
//
// Layout: SetPos(x, y) puts swatch i's centre at (x + 95 i, y). Swatches
// are drawn 75 x 75 with a 75 x 75 hit box, the colour plate 51 x 55 tinted
// with the swatch's colour, both centred on the swatch; the selected swatch
// has its shadow (75 x 75) 8 pixels right of and below it, drawn first.
#pragma once

#include <memory>

#include "ST/object.h"

class JBUTTON;
class JSPRITE;

namespace GAME {

class CHOICE_COLOR {
 public:
  static constexpr int kSwatches = 4;
  static constexpr int kPitch = 95;
  static constexpr int kSwatchSize = 75;
  static constexpr int kShadowOffset = 8;

  explicit CHOICE_COLOR(int color);
  ~CHOICE_COLOR();
  CHOICE_COLOR(const CHOICE_COLOR&) = delete;
  CHOICE_COLOR& operator=(const CHOICE_COLOR&) = delete;

  void SetPos(int x, int y);
  // The swatch pressed this frame (now the selection), or -1.
  int Update();
  void Render();

  int Selected() const { return selected_; }
  // The configured colour of swatch i (ARGB).
  int Color(int i) const { return colors_[i]; }
  const JBUTTON& Swatch(int i) const { return *swatches_[i]; }
  const JSPRITE& Plate() const { return *plate_; }
  const JSPRITE& Shadow() const { return *shadow_; }
  const JST::iPOINT& Position() const { return pos_; }

 private:
  std::unique_ptr<JBUTTON> swatches_[kSwatches];
  std::unique_ptr<JSPRITE> plate_;
  std::unique_ptr<JSPRITE> shadow_;
  int selected_ = 0;
  JST::iPOINT pos_{0, 0};
  int colors_[kSwatches] = {};
};

}  // namespace GAME
