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
// (the image's width and trunc(0.333 x its height)), the strip's rectangle
// from (L, S) = (sw / 2 - w / 2, sh - h) and a margin m = max(kMinMargin,
// h / 10): every control lies inside that rectangle, m in from its edges.
//   strip        centre (sw / 2, sh - h / 2), the image's top third
//   Cancel       in the lower-right corner: centre (L + w - m - frame w / 2,
//                S + h - m - frame h / 2)
//   OK           left of Cancel, kCancelGap between them, never over it
//   count        slider along the foot at the left: its first cap (or minus
//                button) m in from the left edge, its knob m above the foot;
//                track 0.45 w long, or shorter so that its plus button ends
//                m left of OK and of the rotation text
//   distortion   slider the same, 3.5 knob radii above the count's line,
//                so the count's label fits between and its own label stays
//                below the strip's top border
//   rotation box above Cancel, m / 2 over the buttons; its caption sprite
//                with its bottom-right corner kCaptionAbove above the box
//   labels       "<count text> n" at (trunc(slider x + 20), trunc(slider y -
//                1.5 r)), r half the slider image's height; the rotation text
//                "<rotation>: <yes/no>" left-aligned and centred vertically at
//                (trunc(cap x - 0.9 cap hot-spot x - 35), trunc(cap y - 0.86
//                cap hot-spot y))
// (ints divide truncating). At 1024 x 768 with the game's art (a 720 x 600
// window image, 128 x 48 button frames, a 192 x 48 slider image, a 64 x 32
// check box, a 240 x 64 caption): strip (512, 669) 720 x 199 from (152,
// 569), m 19, Cancel (789, 725), OK (651, 725), count slider (195, 725)
// with a 300-pixel track, distortion slider (195, 641), box (789, 676),
// caption corner (789, 661), the rotation text from (538, 606).
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
  // The least margin between the strip's edges and its controls, and how
  // far the caption's corner stands above the rotation box's centre.
  static constexpr int kMinMargin = 12;
  static constexpr int kCaptionAbove = 15;
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
