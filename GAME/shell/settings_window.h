// GAME::PUZZLE_SETTINGS: the settings window of the main menu. It edits the
// music and sound volumes, the game cursor and the fast collector, and
// opens the resolution window (GAME::PUZZLE_RESOLUTION) and the authors
// window (GAME::PUZZLE_AUTHORS), which it then updates and draws instead of
// its own panel.
//
// The scene manager selects the interface pack (C_NAME_PACK_GUI, C_PAS_GUI)
// around the constructor, polls Update once a frame, previews the working
// copies through the getters on kMusic, kSound and kCursor, applies the
// record on the others and deletes the window on kOk and kCancel. The window keeps
// working copies of MusicVolum, Sound, Cursor and FastCollector, taken from
// the record at construction and written back only on OK; the resolution
// window edits the record's screen and Full itself.
//
// Update(a, ·) answers, the first that applies:
//   a == kRelayout: lay the window out first (after a screen change)
//   authors open:     kNothing (the authors window closed: its kClosed)
//   resolution open:  kFullScreen and kApplyMode passed up; its
//                     kOk and kCancel close it and give kNothing
//   kMusic   the music slider changed: music = value / 100
//   kSound   the sound slider changed: sound = value / 100, with the
//            test sound at most once every kTestSoundGapMs
//   kCursor  the cursor box was toggled
//   kFast    the fast-collector box was toggled
//   (the resolution and authors buttons open their window, with the
//    opening sound, and the frame goes on)
//   kOk      OK clicked or Enter: the working copies written back
//   kCancel  Cancel clicked or Escape: nothing written
//   kNothing
// A window made without a record answers kCancel at once and writes
// nothing. Keys count only in the frame they went down.
//
// Layout, with (x, y) the screen centre where the window stands, W x H its
// background chSTBACK, fw a button's frame width; positions truncated:
//   music and sound sliders, cursor box, violin, piano and their captions
//           (in the caption font) as GAME::VolumeRows lays them out
//   fast-collector box              (x + W/2 - 115, y + 46)
//   resolution button chBUTTONFLAT  (x - fw/2, y + 0.25 H)
//   authors button    chBUTTONFLAT  (x + fw/2, y + 0.25 H)
//   OK / Cancel       (x -/+ fw/2, y + H x BUTTONSOKANDCANCELINDENTY)
//   gear    (x + trunc(header width in big) / 2 + gear width / 2 + 40, y - 0.37 H)
//   header  big, centred, chTEXT_SETTINGS_MENU_HEADER at (x, y - 0.37 H)
//           (the gear stands beside chTEXT_SETTINGS_GAME_HEADER's width)
//   caption column x - 0.45 W for the rows';
//           chTEXT_SETTINGS_GAME_FAST_COLLECTOR (kFastCollectorCaption when
//           it is empty, as by default) in comix, right edge at the fast box
//           x - 50, 10 above its row
//   button captions centred on the resolution and authors buttons
// Texts are in C_FONT_MAIN_COLOR and drawn as written. Render draws the dim
// layer, then only an open authors or resolution window; else the
// background, gear, violin, piano, header, captions with their controls,
// the two flat buttons with their captions, OK and Cancel. It returns 0.
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
class PUZZLE_AUTHORS;
class PUZZLE_RESOLUTION;

class PUZZLE_SETTINGS : public JSPRITE {
 public:
  static constexpr int kNothing = 0;
  static constexpr int kOk = 1;
  static constexpr int kCancel = -1;
  static constexpr int kFullScreen = 3;
  static constexpr int kMusic = 5;
  static constexpr int kSound = 6;
  static constexpr int kCursor = 7;
  static constexpr int kFast = 8;
  static constexpr int kApplyMode = -15;
  // Update's first argument asking for a new layout first.
  static constexpr int kRelayout = 15;
  // The fast-collector box's caption when the configuration gives none.
  static constexpr const char* kFastCollectorCaption = "Быстрая сборка";

  // Six image names (only the fourth is used: the image of both check
  // boxes), the caption font (borrowed) and the player's record (borrowed).
  PUZZLE_SETTINGS(const char* unused1, const char* unused2, const char* unused3, const char* checkBox,
                  const char* unused5, const char* unused6, ZOV::JFONT* font, PUZZLE_PLAYER_PROFILE* profile,
                  const OptionsKit& kit = OptionsKit::Shared());
  ~PUZZLE_SETTINGS() override;
  PUZZLE_SETTINGS(const PUZZLE_SETTINGS&) = delete;
  PUZZLE_SETTINGS& operator=(const PUZZLE_SETTINGS&) = delete;

  // Lays the window (and an open resolution window) out around the screen
  // centre.
  void Reset();
  int Update(int a, float) override;
  int Render(int) override;

  // The working copies.
  bool GetCursorState() const { return rows_->Cursor(); }
  float GetMusicVolume() const { return rows_->Music(); }
  float GetSoundVolume() const { return rows_->Sound(); }
  bool GetFastCollector() const { return fast_; }
  // Whether the record holds a screen mode the player has not kept yet (the
  // resolution window's confirmation is open): the record must not be
  // stored now.
  bool ModePending() const;

  const PUZZLE_RESOLUTION* Resolution() const { return resolution_.get(); }
  const PUZZLE_AUTHORS* Authors() const { return authors_.get(); }
  const ZOV::JSLIDER_E& MusicSlider() const { return rows_->MusicSlider(); }
  const ZOV::JSLIDER_E& SoundSlider() const { return rows_->SoundSlider(); }
  const JBUTTONCHK& CursorBox() const { return rows_->CursorBox(); }
  const JBUTTONCHK& FastBox() const { return *fastBox_; }
  const JBUTTONMAP4& ResolutionButton() const { return *resolutionButton_; }
  const JBUTTONMAP4& AuthorsButton() const { return *authorsButton_; }
  const JBUTTONMAP4& OkButton() const { return *ok_; }
  const JBUTTONMAP4& CancelButton() const { return *cancel_; }
  const JSPRITE& Gear() const { return *gear_; }
  const JSPRITE& Piano() const { return rows_->Piano(); }
  const JSPRITE& Violin() const { return rows_->Violin(); }

 private:
  int UpdatePanel();

  OptionsKit kit_;
  PUZZLE_PLAYER_PROFILE* profile_;
  ZOV::JFONT* font_;
  std::unique_ptr<VolumeRows> rows_;  // music, sound and cursor
  std::unique_ptr<JBUTTONCHK> fastBox_;
  std::unique_ptr<JBUTTONMAP4> resolutionButton_;
  std::unique_ptr<JBUTTONMAP4> authorsButton_;
  std::unique_ptr<JBUTTONMAP4> ok_;
  std::unique_ptr<JBUTTONMAP4> cancel_;
  std::unique_ptr<JSPRITE> gear_;
  std::unique_ptr<PUZZLE_AUTHORS> authors_;
  std::unique_ptr<PUZZLE_RESOLUTION> resolution_;
  bool fast_ = false;
};

}  // namespace GAME
