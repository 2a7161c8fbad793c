// GAME::PUZZLE_AUTHORS: the credits window of the settings. The settings
// window (GAME::PUZZLE_SETTINGS) opens it from its authors button with the
// interface pack selected, updates and draws it instead of its own panel,
// and deletes it once Update answers kClosed.
//
// Every text comes from the configuration (chTEXT_AUTHORS_*, the optional
// footer chTEXT_COPYRIGHT1): the window itself names no one. The texts hold
// no numbers and are drawn as written; a name text may hold several lines,
// each centred on its own, one line height below the other.
//
// Update answers kClosed on an OK click or Enter, after the click
// sound; Escape does nothing here. Keys count only in the frame they went
// down.
//
// Layout, with (x, y) the screen centre where the window stands and W x H
// its background chSTBACK; every text centred, in its font's current
// colour; positions truncated:
//   picture chAUTOR_PIC      (x - W/4, y)
//   header          big      (x, y - startText)                  startText 255
//   first company   big      (x + W/5, y - startTextQuillmere)    200
//     artist / name comix    40 / 65 below the company line
//   second company  big      (x + W/5, y - startTextVantolux)      80
//     programmers / names    40 / 65 below it
//     manager / name         160 / 185 below it
//   footer          comix    (x + COPYRIGHT_POS_X, y + COPYRIGHT_POS_Y), only
//                            when chTEXT_COPYRIGHT1 is set
//   OK                       (x, y + H x BUTTONSOKANDCANCELINDENTY)
// Every line has a fixed place: an empty text draws nothing and moves
// nothing. Render draws the background, the picture, the texts and OK, and
// returns 0.
#pragma once

#include <memory>

#include "GAME/ui/window_layout.h"
#include "ST/sprite.h"

class JBUTTONMAP4;

namespace GAME {

// Distances above the authors window's centre of its header and its two
// company blocks.
extern int startText;
extern int startTextQuillmere;
extern int startTextVantolux;

class PUZZLE_AUTHORS : public JSPRITE {
 public:
  static constexpr int kNothing = 0;
  static constexpr int kClosed = 1;

  explicit PUZZLE_AUTHORS(const WindowKit& kit = WindowKit::Shared());
  ~PUZZLE_AUTHORS() override;
  PUZZLE_AUTHORS(const PUZZLE_AUTHORS&) = delete;
  PUZZLE_AUTHORS& operator=(const PUZZLE_AUTHORS&) = delete;

  // Lays the window out around the current screen centre.
  void Reset();
  // kClosed or kNothing; the arguments are not used.
  int Update(int, float) override;
  int Render(int) override;

  const JSPRITE& Picture() const { return *picture_; }
  const JBUTTONMAP4& OkButton() const { return *ok_; }

 private:
  WindowKit kit_;
  std::unique_ptr<JSPRITE> picture_;
  std::unique_ptr<JBUTTONMAP4> ok_;
};

}  // namespace GAME
