// PUZZLE_POCKET: the panel in the screen's upper-left corner where the
// player parks pieces. A toggle button in the top-left corner slides it open
// (to 60% of the screen's width and height) and closed again in about half a
// second. The board makes it with itself, calls Update once a frame, draws
// the panel (Render) under the lifted pieces and the button (RenderButton)
// over them, and asks MouseInPocket; which pieces lie in the pocket is the
// board's business, and it draws them shifted by the panel's offset from
// its open place (Position() - OpenPosition()).
//
// Geometry: the four panel sprites meet at the position. The corner piece
// hangs right and down from it; the bottom edge lies to its left (quad
// width = inner width), the right edge above it (quad height = inner
// height), the fill up and to the left (inner width x inner height); the
// three tiled sprites repeat their textures instead of stretching them.
// Closed the position is (20, 20) and only the corner piece and 20 px of the
// panel show; open it is (inner width, inner height) and the panel covers
// (0, 0)-(W, H).
//
// Motion: the open flag changes at the click, not at the end of the slide;
// the panel then travels its full size per half second on both axes and
// snaps to its end (open: within 5 px; closed: once x is below the corner's
// width). A click during a slide reverses it at once. The end of a level
// closes it by writing `open` (false) and `motion` (-1) directly; the
// button's look does not change then.
//
// Ownership: the pocket owns its four sprites and its button (from the pack
// C_NAME_PACK_POCKET, selected and cleared around the loads); it borrows
// the game object, the shared shadow sprite `shadowSplain` and the sounds
// `eUsePocket` / `eClosePocket`. Main thread only.
//
// Every float-to-int conversion truncates toward zero.
#pragma once

#include "ST/object.h"

class JSPRITE;
class JBUTTONMAP4;

namespace ZOV {
class ST_GAME;
}

class PUZZLE_POCKET {
 public:
  // ---- Update's results
  static constexpr int kNothing = 0;
  static constexpr int kToggled = 1;  // the button toggled the pocket this frame
  static constexpr int kBusy = -2;    // the button is held down
  // ---- motion
  static constexpr int kOpening = 1, kResting = 0, kClosing = -1;
  // The closed position (both axes), and how far the panel's shadow and the
  // closed panel reach past the corner piece.
  static constexpr int kClosedPos = 20;
  // The open panel's share of the screen.
  static constexpr float kOpenShare = 0.6f;

  // Sizes the panel for the game's screen, loads the sprites and the
  // button from the pocket pack, and lays it out closed.
  explicit PUZZLE_POCKET(ZOV::ST_GAME* game);
  ~PUZZLE_POCKET();
  PUZZLE_POCKET(const PUZZLE_POCKET&) = delete;
  PUZZLE_POCKET& operator=(const PUZZLE_POCKET&) = delete;

  // Lays the panel out again for the current screen size and closes it.
  void Reset();
  // One frame: the snaps, the button, the slide. kToggled, kBusy or
  // kNothing; on kToggled and kBusy the board handles no pieces that frame.
  int Update();
  // The shadow (`shadowSplain`) and the panel.
  void Render();
  // The toggle button.
  void RenderButton();
  // The open panel's area from the screen's corner to the corner piece's
  // lower-right corner, or, closed, the button's area 2 px beyond its edge.
  bool MouseInPocket() const;

  // The point where the corner piece meets the rest of the panel.
  JST::fPOINT Position() const { return position_; }
  // Its fully open place: (inner width, inner height).
  JST::fPOINT OpenPosition() const { return JST::fPOINT(float(innerW_), float(innerH_)); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int InnerWidth() const { return innerW_; }
  int InnerHeight() const { return innerH_; }
  JBUTTONMAP4* Button() const { return button_; }
  JSPRITE* Corner() const { return corner_; }

  // Written directly by the end of a level (close without touching the
  // button's look).
  bool open = false;
  int motion = kResting;

 private:
  ZOV::ST_GAME* game_ = nullptr;
  JSPRITE* corner_ = nullptr;      // chPOCKETFIX
  JSPRITE* bottomEdge_ = nullptr;  // chPOCKETTILEW
  JSPRITE* rightEdge_ = nullptr;   // chPOCKETTILEH
  JSPRITE* fill_ = nullptr;        // chPOCKETTILEWH
  JBUTTONMAP4* button_ = nullptr;  // chBTNPOCKET
  JST::fPOINT position_;
  int width_ = 0, height_ = 0;
  int innerW_ = 0, innerH_ = 0;
};
