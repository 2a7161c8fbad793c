// GAME::PUZZLE_RESOLUTION: the window of the settings in which the player
// chooses the screen size and full screen; and GAME::CHEBOX_TEXT, its check
// box with a caption.
//
// The settings window (GAME::PUZZLE_SETTINGS) opens it with the interface
// pack selected, updates and draws it instead of itself, passes its codes
// kFullScreen and kApplyMode up to the scene manager and deletes it on kOk
// and kCancel. It edits the player's record (borrowed) live: `screen` (a
// pixel-count code, ZOV::JENUM::SCREEN_RES: 0 the desktop's size, 0xC0000
// 1024x768, 0x13C680 1440x900, 0x1FA400 1920x1080) and `Full`; the values
// at opening are kept and come back on Cancel and on a revert.
//
// Boxes: full screen and the desktop's size ("system", captioned with the
// desktop's size on a second line) always; 1024x768, 1440x900 and
// 1920x1080 only when the desktop is strictly larger in both directions.
// The size boxes and the system box act as radio buttons; the system box
// ticks and locks the full-screen box.
//
// Update answers:
//   kNothing     nothing to report, or the confirmation is waiting
//   kFullScreen  the full-screen box was toggled (record Full holds it)
//   kApplyMode   OK with a changed size or full-screen flag: the
//                confirmation (APPLY_RESOLUTION) opened and the record's
//                mode is to be applied; or the confirmation reverted: the
//                record is back at the values at opening, to be applied
//                again
//   kOk          OK or Enter with nothing changed (values compared)
//   kCancel      Cancel or Escape (record restored), or the new mode was
//                confirmed; also at once when the window has no record
// While the confirmation is open only it is updated (no keys). OK and
// Cancel play the click. The record reaches the disk only through the scene
// manager; while Confirming() it holds a mode the player has not kept yet,
// which must not be stored.
//
// Layout, with (x, y) the screen centre where the window stands and H the
// height of its background chSTBACK; positions truncated:
//   full screen (x - 250, y + 90)      1920x1080 (x + 100, y - 120)
//   1440x900    (x + 100, y - 50)      1024x768  (x + 100, y + 20)
//   system      (x + 100, y + 90)      picture chRESOLUTION_FON (x - 140, y - 70)
//   OK          (x - fw_OK/2, y + H x BUTTONSOKANDCANCELINDENTY)
//   Cancel      (x + fw_Cancel/2, the same row)     (fw: a button's frame width)
//   header      big, centred, chTEXT_DIALOG_SELECT_RESOLUTION_HEADER at (x, y - 230)
// A captioned box draws its box at its point and its caption (the caption
// font, left edge, vertically centred) 30 pixels right of it.
// Render draws the background, the picture, the header, the boxes, OK,
// Cancel and an open confirmation on top, over the kit's dim layer (the
// window's own buttons do nothing meanwhile), and returns 0.
#pragma once

#include <memory>
#include <string>

#include "GAME/ui/options_kit.h"
#include "ST/object.h"
#include "ST/sprite.h"

class APPLY_RESOLUTION;
class BUTTONACT;
class JBUTTONCHK;
class JBUTTONMAP4;

namespace GAME {

class PUZZLE_PLAYER_PROFILE;

class CHEBOX_TEXT {
 public:
  // An unticked box (chPTNS_GM_CHBOX) at (0, 0) with the caption.
  CHEBOX_TEXT(std::string caption, ZOV::JFONT* font);
  ~CHEBOX_TEXT();
  CHEBOX_TEXT(const CHEBOX_TEXT&) = delete;
  CHEBOX_TEXT& operator=(const CHEBOX_TEXT&) = delete;

  void SetPos(int x, int y);
  // 1 when a click toggled the box this frame.
  int Update();
  void Render();

  bool Ticked() const;
  void SetTicked(bool on);
  const JST::iPOINT& Position() const { return pos_; }
  const std::string& Caption() const { return caption_; }
  const JBUTTONCHK& Box() const { return *box_; }

 private:
  ZOV::JFONT* font_;
  std::unique_ptr<JBUTTONCHK> box_;
  std::string caption_;
  JST::iPOINT pos_{0, 0};
};

class PUZZLE_RESOLUTION : public JSPRITE {
 public:
  static constexpr int kNothing = 0;
  static constexpr int kFullScreen = 3;
  static constexpr int kApplyMode = -15;
  static constexpr int kOk = 1;
  static constexpr int kCancel = -1;

  // The fixed sizes, in box order.
  enum Size { k1024x768 = 0, k1440x900 = 1, k1920x1080 = 2, kSizes = 3 };
  static constexpr int kSizeCode[kSizes] = {0xC0000, 0x13C680, 0x1FA400};

  PUZZLE_RESOLUTION(ZOV::JFONT* font, PUZZLE_PLAYER_PROFILE* profile, const OptionsKit& kit = OptionsKit::Shared());
  ~PUZZLE_RESOLUTION() override;
  PUZZLE_RESOLUTION(const PUZZLE_RESOLUTION&) = delete;
  PUZZLE_RESOLUTION& operator=(const PUZZLE_RESOLUTION&) = delete;

  // Unticks every size box and the system box, then ticks the box of the
  // code; a code of no box offered ticks nothing, any other code (0
  // included) ticks the system box and sets the full-screen box to the
  // engine's current full-screen flag.
  void ChangeResolution(int code);
  // Unticks the three size boxes and the system box.
  void DeselectAllResolution();
  // Lays the window (and an open confirmation) out around the screen centre.
  void Reset();
  int Update(int, float) override;
  int Render(int) override;

  // Whether the confirmation is open: the record holds a mode not kept yet.
  bool Confirming() const { return confirm_ != nullptr; }
  const APPLY_RESOLUTION* Confirmation() const { return confirm_.get(); }
  // The box of a fixed size, null when not offered.
  const CHEBOX_TEXT* SizeBox(Size s) const { return sizes_[s].get(); }
  const CHEBOX_TEXT& SystemBox() const { return *system_; }
  const CHEBOX_TEXT& FullScreenBox() const { return *full_; }
  const JSPRITE& Picture() const { return *picture_; }
  const JBUTTONMAP4& OkButton() const;
  const JBUTTONMAP4& CancelButton() const { return *cancel_; }

 private:
  // The record's screen and Full back at their values at opening.
  void Restore();
  // The boxes ticked as the record says.
  void ShowRecord();

  OptionsKit kit_;
  PUZZLE_PLAYER_PROFILE* profile_;
  int openScreen_ = 0;
  bool openFull_ = false;
  std::unique_ptr<JSPRITE> picture_;
  std::unique_ptr<CHEBOX_TEXT> sizes_[kSizes];
  std::unique_ptr<CHEBOX_TEXT> system_;
  std::unique_ptr<CHEBOX_TEXT> full_;
  std::unique_ptr<APPLY_RESOLUTION> confirm_;
  ZOV::JFONT* font_;
  std::unique_ptr<BUTTONACT> ok_;
  std::unique_ptr<JBUTTONMAP4> cancel_;
};

}  // namespace GAME
