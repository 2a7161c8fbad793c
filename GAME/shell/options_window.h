// GAME::PUZZLE_OPTIONS_GAME: the options window opened during play from the
// play panel's options tool. It edits the music and sound volumes, the game
// cursor and the board's background colour (a row of four swatches,
// GAME::CHOICE_COLOR).
//
// The scene manager selects the interface pack (C_NAME_PACK_GUI, C_PAS_GUI)
// around the constructor, polls Update once a frame, previews each change
// through the getters (the volumes on kMusic and kSound, the cursor on
// kCursor, the board's colour on kColor), and on kOk and kCancel applies
// the record, restores the board's colour from it and deletes the window. The window keeps working
// copies of MusicVolum, Sound, Cursor and Color, taken from the record at
// construction and written back only on OK. Its layout is fixed at
// construction.
//
// Update answers, the first that applies:
//   kColor   a swatch was pressed: colour = that swatch's colour
//   kMusic   the music slider changed: music = value / 100
//   kSound   the sound slider changed: sound = value / 100, with the
//            test sound at most once every kTestSoundGapMs
//   kCursor  the cursor box was toggled
//   kOk      OK clicked or Enter: the working copies written back
//   kCancel  Cancel clicked or Escape: nothing written
//   kNothing
// A window made without a record answers kCancel at once and writes
// nothing. Keys count only in the frame they went down.
//
// Layout, with (x, y) the screen centre where the window stands, W x H its
// background chSTBACK, fw a button's frame width and hb its height;
// positions truncated:
//   music and sound sliders, cursor box, violin, piano and their captions
//           as GAME::VolumeRows lays them out (cursor box chPTNS_GM_CHBOX)
//   OK / Cancel      (x -/+ fw/2, y + H/2 - hb/4), straddling the lower edge
//   gear    (x + trunc(header width in big) / 2 + gear width / 2 + 20, y - 0.37 H)
//   colour row  SetPos(x - 50, trunc(y + 0.2 H))
//   header  big, centred, chTEXT_SETTINGS_GAME_HEADER at (x, y - 0.37 H)
//   captions comix, left edge at x - 0.45 W: the rows' and
//           chTEXT_SETTINGS_GAME_BACKGROUND, vertically centred on the
//           colour row
// Texts are in C_FONT_MAIN_COLOR and drawn as written. Render draws the dim
// layer, the background, gear, violin, piano, the header, the captions with
// their controls, OK, Cancel, the background caption and the colour row,
// and returns 0.
#pragma once

#include <cstdint>
#include <memory>

#include "GAME/ui/options_kit.h"
#include "GAME/shell/volume_rows.h"
#include "ST/sprite.h"

class JBUTTONCHK;
class JBUTTONMAP4;

namespace ZOV {
class JSLIDER_E;
}

namespace GAME {

class PUZZLE_PLAYER_PROFILE;
class CHOICE_COLOR;

class PUZZLE_OPTIONS_GAME : public JSPRITE {
 public:
  static constexpr int kNothing = 0;
  static constexpr int kOk = 1;
  static constexpr int kCancel = -1;
  static constexpr int kMusic = 5;
  static constexpr int kSound = 6;
  static constexpr int kCursor = 7;
  static constexpr int kColor = 8;

  explicit PUZZLE_OPTIONS_GAME(PUZZLE_PLAYER_PROFILE* profile, const OptionsKit& kit = OptionsKit::Shared());
  ~PUZZLE_OPTIONS_GAME() override;
  PUZZLE_OPTIONS_GAME(const PUZZLE_OPTIONS_GAME&) = delete;
  PUZZLE_OPTIONS_GAME& operator=(const PUZZLE_OPTIONS_GAME&) = delete;

  // Both arguments are not used.
  int Update(int, float) override;
  int Render(int) override;

  // The working copies.
  bool GetCursorState() const { return rows_->Cursor(); }
  float GetMusicVolume() const { return rows_->Music(); }
  float GetSoundVolume() const { return rows_->Sound(); }
  int GetColor() const { return color_; }

  const ZOV::JSLIDER_E& MusicSlider() const { return rows_->MusicSlider(); }
  const ZOV::JSLIDER_E& SoundSlider() const { return rows_->SoundSlider(); }
  const JBUTTONCHK& CursorBox() const { return rows_->CursorBox(); }
  const JBUTTONMAP4& OkButton() const { return *ok_; }
  const JBUTTONMAP4& CancelButton() const { return *cancel_; }
  const CHOICE_COLOR& ColorRow() const { return *colors_; }
  const JSPRITE& Gear() const { return *gear_; }
  const JSPRITE& Piano() const { return rows_->Piano(); }
  const JSPRITE& Violin() const { return rows_->Violin(); }

 private:
  OptionsKit kit_;
  PUZZLE_PLAYER_PROFILE* profile_;
  std::unique_ptr<VolumeRows> rows_;  // music, sound and cursor
  std::unique_ptr<JBUTTONMAP4> ok_;
  std::unique_ptr<JBUTTONMAP4> cancel_;
  std::unique_ptr<CHOICE_COLOR> colors_;
  std::unique_ptr<JSPRITE> gear_;
  int color_ = 0;
};

}  // namespace GAME
