// PUZZLE_IMG_HCANGE_SCREEN: the set-up strip at the foot of the screen,
// opened from the menu's cut button before a catalogue picture is played.
// Above it the scene manager shows the picture already cut; the strip holds
// the piece-count slider (pieces along the picture's shorter side, 3 to 15),
// the distortion slider (per cent, 0 to 100), the rotation check box and OK
// and Cancel. Every change is reported at once so that the scene manager
// re-cuts the preview live (SetOptions(GetCount(), GetDistort() / 100.0,
// GetRotAccept(), 0) and a grid redraw); OK starts the puzzle with that cut,
// Cancel goes back to the book. Not offered for saved games.
//
// Main thread only. The scene manager owns the strip and closes it (deletes
// it and clears its slot) on OK and on Cancel alike; the strip owns its
// controls and borrows the game object, the font and the click sound.
//
// Layout, with sw x sh the game's screen, w x h the strip's drawn size
// (the image's width and trunc(0.333 x its height)) and T = sh - h / 2.0 + 30:
//   strip        centre (sw / 2, sh - h / 2), the image's top third
//   OK           (sw / 2 + w / 4 + 50, trunc(T + 45))
//   Cancel       (OK x + OK's frame width + kCancelGap, OK y): right of OK,
//                never over it
//   count        slider left end (sw / 2 - 0.4 w, 0.7 sliderH + T + 15),
//                track 0.45 w long
//   distortion   slider left end (sw / 2 - 0.4 w, -0.7 sliderH + T + 30),
//                the same length (so above the count slider)
//   rotation box (sw / 2 + w / 8 + 30, trunc(T - 13)); its caption sprite
//                with its bottom-right corner at (box x, box y - 23)
//   labels       "<count text> n" at (trunc(slider x + 20), trunc(slider y -
//                1.5 r)), r half the slider image's height; the rotation text
//                "<rotation>: <yes/no>" left-aligned and centred vertically at
//                (trunc(cap x - 0.9 cap hot-spot x - 35), trunc(cap y - 0.86
//                cap hot-spot y))
// (ints divide truncating). At 1024 x 768 with the game's art (a 720 x 600
// window image, 128-pixel button frames, a 48-pixel-high slider): strip
// (512, 669) 720 x 199, T 698.5, OK (742, 743), Cancel (880, 743), count
// slider (224, 747.1), distortion slider (224, 694.9), box (632, 685). The
// sliders lie 1.4 slider heights less 15 pixels apart, so a slider image
// much lower than 48 pixels puts the count label on the distortion slider.
//
// Images from the interface pack (C_NAME_PACK_GUI): chSTBACK, chPTNS_GM_SLIDER,
// chBUTTONMINUS, chBUTTONPLUS, chPTNS_GM_CHBOX_ROT, chBUTTON_OK,
// chBUTTON_CANCEL, chROTATION_TEXT; the pack selection is cleared after.
#pragma once

#include <memory>

class JSPRITE;
class JBUTTONMAP4;
class JBUTTONCHK;

namespace ZOV {
class ST_GAME;
class ST_INPUT;
class JFONT;
class ST_A;
class JSLIDER_E;
}  // namespace ZOV

class PUZZLE_IMG_HCANGE_SCREEN {
 public:
  // Results of Update().
  static constexpr int kNothing = 0;
  static constexpr int kOk = 1;        // OK or Enter: play with the preview's cut
  static constexpr int kCancel = -1;   // Cancel or Escape (with the click sound)
  static constexpr int kChanged = -2;  // a slider or the check box changed

  // Pixels between OK's right edge and Cancel's left edge.
  static constexpr int kCancelGap = 10;
  // The piece-count slider's range (pieces along the shorter side) and the
  // distortion slider's (per cent).
  static constexpr int kMinCount = 3, kMaxCount = 15;
  static constexpr int kMinDistort = 0, kMaxDistort = 100;

  // `game` gives the screen size and the input, `font` (borrowed) draws the
  // texts, `click` (borrowed, may be null) sounds on Cancel. Laid out at
  // once for the current screen.
  PUZZLE_IMG_HCANGE_SCREEN(ZOV::ST_GAME* game, ZOV::JFONT* font, ZOV::ST_A* click);
  ~PUZZLE_IMG_HCANGE_SCREEN();
  PUZZLE_IMG_HCANGE_SCREEN(const PUZZLE_IMG_HCANGE_SCREEN&) = delete;
  PUZZLE_IMG_HCANGE_SCREEN& operator=(const PUZZLE_IMG_HCANGE_SCREEN&) = delete;

  // Once a frame while set-up is open: kOk (OK clicked or Enter went
  // down; no sound), kCancel (Cancel clicked or Escape went down; the click
  // sound), kChanged (the count slider moved, else the distortion slider
  // moved, else the box was toggled: one change a frame, the controls after
  // a change are not updated in that frame), else kNothing.
  int Update();
  // Draws the strip. `distortion` and `count` are the preview's on screen:
  // trunc(the board's distortion x 100) and its columns x rows (the total
  // number of pieces, not the slider's value).
  void Render(int distortion, int count);
  // Lays the strip out for the game's current screen size.
  void Reset();

  // trunc(count slider), kMinCount to kMaxCount: pieces along the shorter side.
  int GetCount() const;
  // trunc(distortion slider), kMinDistort to kMaxDistort.
  int GetDistort() const;
  // Whether rotation is ticked.
  bool GetRotAccept() const;
  // The strip's drawn HEIGHT in pixels: the scene manager leaves the screen
  // height less this to the preview picture.
  int GetWidth() const;

  // The controls, for callers that place the mouse on them.
  const JSPRITE* Strip() const { return strip_.get(); }
  const JBUTTONMAP4* OkButton() const { return ok_.get(); }
  const JBUTTONMAP4* CancelButton() const { return cancel_.get(); }
  const ZOV::JSLIDER_E* CountSlider() const { return count_.get(); }
  const ZOV::JSLIDER_E* DistortSlider() const { return distortion_.get(); }
  const JBUTTONCHK* RotationBox() const { return rotation_.get(); }
  const JSPRITE* RotationCaption() const { return caption_.get(); }

 private:
  ZOV::ST_GAME* game_;
  ZOV::ST_INPUT* input_;
  ZOV::JFONT* font_;
  ZOV::ST_A* click_;
  std::unique_ptr<JSPRITE> strip_;
  std::unique_ptr<ZOV::JSLIDER_E> count_;
  std::unique_ptr<ZOV::JSLIDER_E> distortion_;
  std::unique_ptr<JBUTTONCHK> rotation_;
  std::unique_ptr<JBUTTONMAP4> ok_;
  std::unique_ptr<JBUTTONMAP4> cancel_;
  std::unique_ptr<JSPRITE> caption_;
};
