// ZOV::TROFEI_PANEL: the modal window that shows the player's seven
// trophies, opened from the main menu's trophies button while trophies are
// switched on. The scene manager selects the interface pack (C_NAME_PACK_GUI,
// C_PAS_GUI) around the constructor and clears the selection afterwards,
// polls Update once a frame and deletes the window once it answers
// kClosed. The window only reads the player's record.
//
// Each trophy is a TROFEI icon with its hint in one place below the screen
// centre. The six levelled trophies show the picture of their level (the
// kind's path text, the level in decimal, chTEXT_TROFEI_EXTENSION); a
// trophy not reached yet (level 0) shows its first level's picture faded to
// 0x33FFFFFF. The lord shows chTEXT_TROFEI_OVERLORD_PATH, faded unless the
// record's lord flag is set. The name of every lit picture is printed on
// standard output. The icons come from the trophy pack, which the
// constructor selects (C_NAME_PACK_TROFEI, C_PAS_TROFEI) and leaves
// selected for the caller to clear.
//
// Update: every icon's hover and fade, then OK; kClosed on an OK click
// or Enter going down, with the click sound, else 0. Escape does nothing.
//
// Layout, (cx, cy) the screen centre where the window stands, H the
// background's image height, h OK's height, w each icon's own image width
// (integer halving); float arithmetic, positions truncated, sprite centres:
//   trophy picture chTROFEIPIC   (cx, cy - 230)
//   OK                           (cx, cy + H/2 - h/4)
//   corner picture chMagnifer    (cx - 80, cy + H/2 - 60)
//   header  big, centred, chTEXT_TROFEI_BOARD_HEADER at (cx, cy - 255)
//   upper row at cy - 100, left to right:
//     meditation  cx - 3(w/2) - 30    collector  cx - w/2 - 10
//     master      cx + w/2 + 10       endurance  cx + 3(w/2) + 30
//   lower row at cy + 100:
//     lord        cx - w - 10         inconstancy cx
//     sage        cx + w + 10
//   hints   below the screen centre: box from cy + 180, text at cy + 190
// The icons are kept in the order collector, jigsaw master, endurance,
// meditation, inconstancy, sage, lord; each hint is the kind's configured
// text in the shared font comix.
//
// Render draws the dim layer, the background, the trophy picture, the
// corner picture, OK, the header, the seven icons, then their hints (so a
// hint lies over every picture), and sets the font given to the
// constructor back to size 1.0.
//
// Main thread only. The window borrows the font, the record and the kit.
#pragma once

#include <memory>
#include <vector>

#include "GAME/ui/window_layout.h"
#include "ST/sprite.h"

class JBUTTONMAP4;
class TROFEI;

namespace GAME {
class PUZZLE_PLAYER_PROFILE;
}

namespace ZOV {

class JFONT;

class TROFEI_PANEL : public JSPRITE {
 public:
  static constexpr int kNothing = 0;
  static constexpr int kClosed = -1;
  static constexpr int kTrophies = 7;
  // The colour of a trophy not reached yet.
  static constexpr int kFaded = 0x33FFFFFF;

  // `profile` null is taken as a new player's record (nothing reached).
  TROFEI_PANEL(JFONT* font, GAME::PUZZLE_PLAYER_PROFILE* profile,
               const GAME::WindowKit& kit = GAME::WindowKit::Shared());
  ~TROFEI_PANEL() override;
  TROFEI_PANEL(const TROFEI_PANEL&) = delete;
  TROFEI_PANEL& operator=(const TROFEI_PANEL&) = delete;

  // kClosed or kNothing; the arguments are not used.
  int Update(int, float) override;
  // Returns 0; the argument is not used.
  int Render(int) override;
  int Message(int) override { return 1; }

  const JSPRITE& TrophyPicture() const { return *picture_; }
  const JSPRITE& CornerPicture() const { return *corner_; }
  const JBUTTONMAP4& OkButton() const { return *ok_; }
  // The seven icons, collector first, lord last.
  const std::vector<std::unique_ptr<TROFEI>>& Trophies() const { return trophies_; }

 private:
  GAME::WindowKit kit_;
  GAME::PUZZLE_PLAYER_PROFILE* profile_ = nullptr;
  std::unique_ptr<JBUTTONMAP4> ok_;
  std::unique_ptr<JSPRITE> picture_;
  std::unique_ptr<JSPRITE> corner_;
  JFONT* font_ = nullptr;
  std::vector<std::unique_ptr<TROFEI>> trophies_;
};

}  // namespace ZOV
