// GAME::FLUING_FRAME: the movable frame in which the board shows a small
// copy of the whole picture. It holds the frame's place (the STO position,
// its top-left corner) and size, three size buttons (0.3, 0.6 and 0.9 of the
// picture) and a close button, keeps itself on screen and reports clicks and
// drags through Update's codes. It does not draw the picture: the board
// calls Repos, draws the picture at Position() scaled by Factor(), then
// Render for the buttons.
//
// Update's codes, tested in this order (first match wins):
//   1 / 2 / 3  a size button was clicked (also while dragging)
//   5          the close button was clicked
//   -3         the close button is hovered or pressed (before any drag test)
//   4          the mouse is inside the frame and a button went down this
//              frame while not dragging (a drag starts), or either button
//              is held while dragging
//   -3         inside the frame otherwise (dragging stops)
//   0          outside the frame (dragging stops)
// The board answers 1/2/3 with SetSize, 4 with Move by the mouse's motion
// and 5 by closing the preview.
//
// Repos clamps the position with the frame size in effect BEFORE the call,
// then recomputes the size; so after SetSize(3) near the right edge the
// frame reaches past the edge until the next Repos.
//
// Ownership: the frame owns its four buttons (made from the pack the caller
// has selected); it borrows the game object and its input. Main thread only.
// Every float-to-int conversion truncates toward zero.
#pragma once

#include "ST/object.h"

class JBUTTONMAP4;

namespace ZOV {
class ST_GAME;
class ST_INPUT;
}  // namespace ZOV

namespace GAME {

class FLUING_FRAME : public JST::STO {
 public:
  // ---- Update's codes
  static constexpr int kOutside = 0;
  static constexpr int kSize1 = 1, kSize2 = 2, kSize3 = 3;
  static constexpr int kDrag = 4;
  static constexpr int kClose = 5;
  static constexpr int kOver = -3;
  // One size step's share of the picture.
  static constexpr float kStep = 0.3f;

  // w x h: the picture's size in pixels. Makes the four buttons; the
  // caller sets the place and size (SetPos, SetSize).
  FLUING_FRAME(ZOV::ST_GAME* game, int w, int h);
  ~FLUING_FRAME() override;
  FLUING_FRAME(const FLUING_FRAME&) = delete;
  FLUING_FRAME& operator=(const FLUING_FRAME&) = delete;

  // The codes above; the arguments are not used.
  int Update(int, float) override;
  // The three size buttons and the close button; returns 1.
  int Render(int) override;
  int Message(int) override { return 1; }
  using JST::STO::SetSize;
  // n = 1, 2 or 3: all size buttons active, then button n disabled (another
  // n disables none); factor n x 0.3; Repos.
  void SetSize(int n);
  void SetPos(int x, int y);
  void Move(int dx, int dy);
  // Keeps the frame on screen and lays the buttons out along its top edge,
  // the close button on its top-right corner.
  void Repos();

  JST::iPOINT PictureSize() const { return picture_; }
  JST::iPOINT FrameSize() const { return frame_; }
  float Factor() const { return factor_; }
  bool Dragging() const { return dragging_; }
  // n = 1, 2, 3 the size buttons, 0 the close button; null otherwise.
  JBUTTONMAP4* Button(int n) const;

 private:
  // Strictly inside the frame (position truncated, frame size).
  bool MouseInside() const;

  ZOV::ST_GAME* game_ = nullptr;
  ZOV::ST_INPUT* input_ = nullptr;
  JBUTTONMAP4* x1_ = nullptr;
  JBUTTONMAP4* x2_ = nullptr;
  JBUTTONMAP4* x3_ = nullptr;
  JBUTTONMAP4* close_ = nullptr;
  JST::iPOINT picture_;
  JST::iPOINT frame_;
  float factor_ = 0.0f;
  bool dragging_ = false;
};

}  // namespace GAME
